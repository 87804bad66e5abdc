// Command line, demo file format, event stream and the record -> write ->
// replay round trip of a headless application.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app_test_environment.h"
#include "framework/app/command_line.h"
#include "framework/app/demo_event_stream.h"
#include "framework/app/demo_file.h"
#include "framework/app/demo_session.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "framework/util/system_util.h"
#include "loop_test_app.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/services.h"
#include "test_app.h"

namespace app_test {
namespace {

using Options = std::vector<std::pair<std::string, std::string>>;

Options Split(const std::string& commandLine) {
    Options options;
    Kavo::SplitCommandLineOptions(Kavo::CommandLineOptions(commandLine),
                                  [&](const std::string& n, const std::string& v) { options.emplace_back(n, v); });
    return options;
}

TEST(CommandLine, SplitsTheRebuiltLineIntoOptions) {
    const std::string joined = Kavo::JoinCommandLine({"/opt/my game/kavo", "-play", "-demofile=a b.dmo"});
    EXPECT_EQ(joined, "\"/opt/my game/kavo\" -play \"-demofile=a b.dmo\"");
    struct Case {
        std::string line;
        Options options;
    } cases[] = {
        {"\"C:\\Program Files\\Kavo\\kavo.exe\" -play", {{"-play", ""}}},
        {"kavo.exe -play", {{"-play", ""}}},
        {"kavo.exe", {}},
        {"\"unclosed -play", {}},
        {"kavo -demofile=\"a b.dmo\" -record", {{"-demofile", "a b.dmo"}, {"-record", ""}}},
        {joined, {{"-play", ""}, {"-demofile", "a b.dmo"}}},
        // A value without a name keeps everything after it as value.
        {"kavo =3 -play -record", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Split(c.line), c.options) << c.line;
}

class DemoTest : public AppTestEnvironment {
protected:
    std::string UserData() { return Platform().Folder() + "/userdata/"; }
    void Touch(const std::string& path) { ASSERT_TRUE(platform::WriteWholeFile(path, "x")); }
};

TEST_F(DemoTest, OptionsSetTheDemoModeAndFile) {
    platform::MakeDirectories(UserData());
    Kavo::SetUserDataFolder(UserData());
    for (int n : {1, 2, 5})
        Touch(UserData() + "kavoapp" + std::to_string(n) + ".dmo");
    // A numbered demo in the current folder is not one of them.
    Touch(WorkFolder() + "/kavoapp9.dmo");

    TestApp app(WorkFolder());
    app.SplitCommandLine("-recnum=3");
    EXPECT_FALSE(platform::FileExists(UserData() + "kavoapp1.dmo"));
    EXPECT_TRUE(platform::FileExists(UserData() + "kavoapp2.dmo"));
    EXPECT_EQ(app.mDemoFileName, UserData() + "kavoapp6.dmo");
    EXPECT_TRUE(app.mRecordingDemo);

    app.SplitCommandLine("-playnum=2");
    EXPECT_EQ(app.mDemoFileName, UserData() + "kavoapp4.dmo");
    EXPECT_TRUE(app.mPlayingDemo);
    EXPECT_FALSE(app.mRecordingDemo);
    // Below 1, however far, or not a number: the newest. Far beyond the
    // newest: a number below 0, not one wrapped round.
    for (const char* which : {"0", "-1", "-2147483648", "-99999999999", "x"}) {
        app.SplitCommandLine(std::string("-playnum=") + which);
        EXPECT_EQ(app.mDemoFileName, UserData() + "kavoapp5.dmo") << which;
    }
    app.SplitCommandLine("-playnum=2147483647");
    EXPECT_EQ(app.mDemoFileName, UserData() + "kavoapp-2147483641.dmo");

    app.SplitCommandLine("-demofile=\"a b.dmo\" -record -play -record");
    EXPECT_EQ(app.mDemoFileName, UserData() + "a b.dmo");
    EXPECT_TRUE(app.mRecordingDemo);
    EXPECT_FALSE(app.mPlayingDemo);
    app.SplitCommandLine("-demofile=/tmp/x.dmo -demofile=C:\\x.dmo");
    EXPECT_EQ(app.mDemoFileName, "C:\\x.dmo");

    try {
        app.SplitCommandLine("-Play");
        FAIL() << "no exit";
    } catch (const ExitCalled& exit) {
        EXPECT_EQ(exit.code, 1); // a refused start is a failure
    }
    EXPECT_EQ(Platform().Desktop().MessageBoxLog().back().text, "Invalid command line parameter: -Play");
}

TEST(DemoEventStream, GapsGetFillersAndMouseMovesTheirForm) {
    Kavo::Buffer bits;
    Kavo::DemoEventStream stream(bits);
    stream.WriteHeader(40, false, Kavo::DemoEvent::KeyDown);
    struct Header {
        int step, form, code;
    } expected[] = {{15, 0, 31}, {15, 0, 31}, {10, 0, 3}};
    for (const Header& h : expected) {
        EXPECT_EQ(bits.ReadNumBits(4, false), h.step);
        EXPECT_EQ(bits.ReadNumBits(1, false), h.form);
        EXPECT_EQ(bits.ReadNumBits(5, false), h.code);
    }
    EXPECT_EQ(stream.EventCount(), 3);
    EXPECT_TRUE(bits.AtEnd());
}

Kavo::DemoFile Recording(const std::string& data, bool& ok, std::string& error) {
    Kavo::DemoFile demo;
    ok = Kavo::ParseDemoFile(data, "KavoTest", demo, error);
    return demo;
}

TEST(DemoFile, WritesAndReadsMarkersLengthAndEvents) {
    Kavo::Buffer events;
    events.WriteNumBits(0x2A5, 10);
    const std::string image = Kavo::SerializeDemoFile(77, "KavoTest", {{"boss", 300}, {"end", 900}}, 1000, events);
    bool ok = false;
    std::string error;
    Kavo::DemoFile demo = Recording(image, ok, error);
    ASSERT_TRUE(ok) << error;
    EXPECT_EQ(demo.mHeader.mRandSeed, 77u);
    ASSERT_EQ(demo.mMarkers.size(), 2u);
    EXPECT_EQ(demo.mMarkers[1].mName, "end");
    EXPECT_EQ(demo.mMarkers[1].mUpdateCount, 900);
    EXPECT_EQ(demo.mDemoLength, 1000);
    EXPECT_EQ(demo.mEvents.ReadNumBits(10, false), 0x2A5);

    // Version 1: the demo length follows the name.
    std::string v1 = image;
    v1[4] = 1;
    const size_t block = 12 + 2 + 8;
    v1.erase(block, image.size() - block - 4 - 2);
    demo = Recording(v1, ok, error);
    EXPECT_TRUE(ok) << error;
    EXPECT_EQ(demo.mDemoLength, 1000);
    EXPECT_TRUE(demo.mMarkers.empty());

    struct Case {
        std::string data;
        std::string error;
    } cases[] = {
        {Kavo::SerializeDemoFile(1, std::string(300, 'q'), {}, 5, events),
         "This demo file appears to be for '" + std::string(255, 'q') + "'"},
        {image.substr(0, image.size() - 2), "Invalid demo file."}, // no event bytes
        {image.substr(0, 30), "Invalid demo file."},               // marker block cut
        {"xxxxxxxxxxxxxxxx", "Invalid demo file."},
    };
    for (const Case& c : cases) {
        std::string caseError;
        Recording(c.data, ok, caseError);
        EXPECT_FALSE(ok);
        EXPECT_EQ(caseError, c.error);
    }
    Kavo::DemoFile missing;
    EXPECT_FALSE(Kavo::LoadDemoFile("/no/such/demo.dmo", "KavoTest", missing, error = ""));
    EXPECT_EQ(error, "Demo file not found: /no/such/demo.dmo");
}

// Paints a mark wherever a mouse button went down or up, in a colour that
// follows the characters typed: the final frame shows the input it got.
class TrailWidget : public Kavo::Widget {
public:
    std::vector<std::pair<int32_t, int32_t>> mMarks;
    int32_t mShade = 40;
    void MouseDown(int32_t x, int32_t y, int32_t clickCount) override {
        mMarks.emplace_back(x, y);
        Widget::MouseDown(x, y, clickCount);
        MarkDirty();
    }
    void MouseUp(int32_t x, int32_t y, int32_t) override {
        mMarks.emplace_back(x, y);
        MarkDirty();
        if (mOnMouseUp)
            mOnMouseUp();
    }
    // What a button would do on its release, such as opening a file.
    std::function<void()> mOnMouseUp;
    void KeyChar(char c) override { mShade = (mShade + static_cast<unsigned char>(c)) % 256; }
    // The keys pressed, as a dialog would take them.
    std::vector<int32_t> mKeys;
    void KeyDown(int32_t key) override { mKeys.push_back(key); }
    void Draw(Kavo::Graphics* g) override {
        g->SetColor(Kavo::Color(10, 20, 30));
        g->FillRect(0, 0, mWidth, mHeight);
        g->SetColor(Kavo::Color(mShade, 200, 90));
        for (const auto& [x, y] : mMarks)
            g->FillRect(x - 3, y - 3, 7, 7);
    }
};

// A hash of the screen image after a full redraw.
uint64_t ScreenHash(Kavo::KavoAppBase& app, Kavo::Widget& widget) {
    widget.MarkDirty();
    app.mForceRedraw = true;
    app.Redraw(nullptr);
    auto* screen = dynamic_cast<Kavo::MemoryImage*>(app.mWidgetManager->mImage);
    if (screen == nullptr)
        return 0;
    uint64_t hash = 1469598103934665603ULL;
    const uint32_t* bits = screen->GetBits();
    for (int i = 0; i < screen->GetWidth() * screen->GetHeight(); ++i)
        hash = (hash ^ bits[i]) * 1099511628211ULL;
    return hash;
}

// Reads a setting and a file at fixed updates, so that the demo carries
// registry and file events next to the input.
class RoundTripApp : public LoopApp {
public:
    explicit RoundTripApp(const std::string& workFolder) : LoopApp(workFolder) {
        mTrail.Resize(0, 0, 640, 480);
        mWidgetManager->AddWidget(&mTrail);
        mWidgetManager->SetFocus(&mTrail);
        // A synced read straight from the replayed click's handler, while
        // the click is the event being replayed.
        mTrail.mOnMouseUp = [this] { mLog.push_back("click " + std::to_string(FileExists("clicked.txt"))); };
    }
    ~RoundTripApp() override { mWidgetManager->RemoveWidget(&mTrail); }
    TrailWidget mTrail;
    std::vector<std::string> mLog;
    // The completion hook records an outcome of its own, as the game's
    // settings do when loading ends.
    void LoadingThreadCompleted() override {
        LoopApp::LoadingThreadCompleted();
        mLog.push_back("loaded " + std::to_string(RegistryWriteInteger("Loaded", 1)));
    }
    void UpdateFrame() override {
        LoopApp::UpdateFrame();
        if (mUpdateCount == 5) {
            int32_t value = 0;
            const bool read = RegistryReadInteger("Level", &value);
            mLog.push_back("reg " + std::to_string(read) + " " + std::to_string(value));
            Kavo::Buffer file;
            const bool loaded = LoadFileToBuffer("data.txt", file);
            mLog.push_back("file " + std::to_string(loaded) + " " + std::to_string(file.GetDataLen()));
            mLog.push_back("exists " + std::to_string(FileExists("missing.txt")));
            // A read on another thread (a loading thread) has no place in
            // the update-ordered stream: it reads the disk in both runs.
            Kavo::Buffer threadFile;
            bool threadLoaded = false;
            std::thread reader([&] { threadLoaded = LoadFileToBuffer("data.txt", threadFile); });
            reader.join();
            mLog.push_back("thread " + std::to_string(threadLoaded) + " " + std::to_string(threadFile.GetDataLen()));
        }
    }
};

TEST_F(DemoTest, ARecordedRunReplaysTheSameInputAndReads) {
    const std::string demoFile = WorkFolder() + "/round.dmo";
    ASSERT_TRUE(platform::WriteWholeFile(WorkFolder() + "/data.txt", "twelve bytes"));
    ASSERT_TRUE(platform::WriteWholeFile(WorkFolder() + "/clicked.txt", "there"));
    std::vector<std::string> recordedInput;
    std::vector<std::string> recordedLog;
    std::vector<int32_t> recordedKeys;
    bool recordedWindowed = false;
    uint64_t recordedFrame = 0;
    {
        RoundTripApp app(WorkFolder());
        app.RegistryWriteInteger("Level", 7);
        app.mCmdLineParsed = true;
        app.mRecordingDemo = true;
        app.mDemoFileName = demoFile;
        app.Initialize();
        // Loading ends in the loop, which records when it did.
        app.mLoadingThreadStarted = true;
        app.mLoadingThreadCompleted = true;
        RunUntilUpdate(app, 2);
        platform::PostMessage(app.mHWnd, platform::kWmMouseMove, 0, platform::MakeLParam(20, 30));
        platform::PostMessage(app.mHWnd, platform::kWmLButtonDown, platform::kMkLButton, platform::MakeLParam(25, 30));
        platform::PostMessage(app.mHWnd, platform::kWmLButtonUp, 0, platform::MakeLParam(200, 100));
        platform::PostMessage(app.mHWnd, platform::kWmChar, 'k', 0);
        RunUntilUpdate(app, 30);
        // Alt+Enter switches to full screen and back: the widgets never hear
        // of the Enter, in the recording as in the replay.
        auto altEnter = [&] {
            platform::PostMessage(app.mHWnd, platform::kWmSysKeyDown, platform::kVkMenu, 1);
            platform::PostMessage(app.mHWnd, platform::kWmSysKeyDown, platform::kVkReturn, 1);
            platform::PostMessage(app.mHWnd, platform::kWmSysKeyUp, platform::kVkReturn, 0);
            platform::PostMessage(app.mHWnd, platform::kWmKeyUp, platform::kVkMenu, 0);
        };
        altEnter();
        platform::PostMessage(app.mHWnd, platform::kWmKeyDown, 'Q', 1);
        RunUntilUpdate(app, 40);
        ASSERT_FALSE(app.mIsWindowed);
        altEnter();
        RunUntilUpdate(app, 60);
        app.WriteDemoFile();
        recordedFrame = ScreenHash(app, app.mTrail);
        recordedInput = app.mRecorder->mInput;
        recordedKeys = app.mTrail.mKeys;
        recordedWindowed = app.mIsWindowed;
        recordedLog = app.mLog;
        platform::ResetWindowSystem();
    }
    ASSERT_EQ(recordedLog,
              (std::vector<std::string>{"loaded 1", "click 1", "reg 1 7", "file 1 12", "exists 0", "thread 1 12"}));
    ASSERT_FALSE(recordedInput.empty());
    ASSERT_EQ(recordedKeys, (std::vector<int32_t>{platform::kVkMenu, 'Q', platform::kVkMenu}));
    ASSERT_TRUE(recordedWindowed);

    // The replay sees what the recording saw, although the world changed.
    ASSERT_TRUE(platform::WriteWholeFile(WorkFolder() + "/data.txt", "x"));
    ASSERT_TRUE(platform::WriteWholeFile(WorkFolder() + "/missing.txt", "now here"));
    std::filesystem::remove(WorkFolder() + "/clicked.txt");
    RoundTripApp replay(WorkFolder());
    replay.RegistryWriteInteger("Level", 1);
    replay.mCmdLineParsed = true;
    replay.mPlayingDemo = true;
    replay.mDemoFileName = demoFile;
    replay.Initialize();
    replay.mLoadingThreadStarted = true;
    replay.mLoadingThreadCompleted = true;
    RunUntilUpdate(replay, 35);
    EXPECT_FALSE(replay.mIsWindowed);
    RunUntilUpdate(replay, 60);
    EXPECT_TRUE(replay.mLoaded);
    EXPECT_EQ(replay.mLog,
              (std::vector<std::string>{"loaded 1", "click 1", "reg 1 7", "file 1 12", "exists 0", "thread 1 1"}));
    EXPECT_EQ(replay.mRecorder->mInput, recordedInput);
    EXPECT_EQ(replay.mTrail.mKeys, recordedKeys);
    EXPECT_EQ(replay.mIsWindowed, recordedWindowed);
    EXPECT_EQ(replay.mTrail.mMarks.size(), 2u);
    EXPECT_NE(recordedFrame, 0u);
    EXPECT_EQ(ScreenHash(replay, replay.mTrail), recordedFrame);
}

TEST_F(DemoTest, SyncedReadsReplayTheirRecordedOutcome) {
    TestApp app(WorkFolder());
    app.mRegKey = "KavoTest";
    app.mRecordingDemo = true;
    app.SetDemoRecorder(std::make_unique<Kavo::DemoSession>(app));
    int32_t value = 0;
    EXPECT_FALSE(app.RegistryReadInteger("Absent", &value));
    const std::string big(64, 'v');
    app.WriteRegValue("Big", platform::kRegBinary, big.data(), static_cast<uint32_t>(big.size()));
    uint32_t type = 0;
    char data[64];
    uint32_t size = sizeof data;
    EXPECT_TRUE(app.ReadRegValue("Big", &type, data, &size));
    EXPECT_TRUE(app.ReadRegValue("Big", &type, data, &size));
    Kavo::Buffer unsynced;
    ASSERT_TRUE(platform::WriteWholeFile(WorkFolder() + "/plain.txt", "abc"));
    EXPECT_TRUE(app.LoadFileToBuffer("plain.txt", unsynced, true));
    app.SaveBufferToFile("out/saved.bin", unsynced);
    EXPECT_TRUE(platform::FileExists(WorkFolder() + "/out/saved.bin"));

    app.mRecordingDemo = false;
    app.mPlayingDemo = true;
    app.SetDemoRecorder(std::make_unique<Kavo::DemoSession>(app));
    app.mPlayingDemo = false;
    app.RegistryWriteInteger("Absent", 3);
    app.mPlayingDemo = true;
    EXPECT_FALSE(app.RegistryReadInteger("Absent", &value)); // recorded as failed
    EXPECT_TRUE(app.WriteRegValue("Big", platform::kRegBinary, "", 0));
    size = sizeof data;
    EXPECT_TRUE(app.ReadRegValue("Big", &type, data, &size));
    EXPECT_EQ(size, 64u);
    // A caller's buffer smaller than the value gets no more than its size.
    char small[8] = {};
    uint32_t smallSize = sizeof small;
    EXPECT_FALSE(app.ReadRegValue("Big", &type, small, &smallSize));
    EXPECT_EQ(smallSize, 64u);
    EXPECT_EQ(std::string(small, 8), "vvvvvvvv");
    // The unsynced read consumed no event: the file write comes next.
    EXPECT_TRUE(app.WriteBytesToFile("out/never.bin", "x", 1));
    EXPECT_FALSE(platform::FileExists(WorkFolder() + "/out/never.bin"));
    // Past the end of the stream a synced read fails.
    EXPECT_FALSE(app.FileExists("plain.txt"));
    app.mPlayingDemo = false;
}

// A replay stops with words that say what it met: a file that ends too
// soon, one that holds what no recording writes, and an intact file whose
// run went another way (the file is not to blame then).
TEST_F(DemoTest, AReplayThatCannotGoOnSaysWhyAndBlamesTheFileOnlyWhenItIs) {
    ASSERT_TRUE(platform::WriteWholeFile(WorkFolder() + "/plain.txt", "abc"));
    struct Case {
        const char* name;
        std::function<void(TestApp&)> record; // the recorded run's synced operations
        std::function<void(TestApp&)> replay; // the replayed run's
        std::string text;                     // after the file's name
    } cases[] = {
        {"another way", [](TestApp& app) { app.FileExists("plain.txt"); },
         [](TestApp& app) {
             Kavo::Buffer buffer;
             app.LoadFileToBuffer("plain.txt", buffer);
         },
         "\nno longer matches its recording at update 0: the game asked for a file read where the recording "
         "holds a test whether a file exists. The replay stops."},
        {"cut short", [](TestApp& app) { app.FileExists("plain.txt"); },
         [](TestApp& app) {
             app.FileExists("plain.txt");
             app.FileExists("plain.txt");
         },
         "\nends before the run it recorded: the replay stops at update 0."},
        {"a code no recording writes",
         [](TestApp& app) { Kavo::DemoEventStream(app.mDemoBuffer).WriteHeader(0, false, Kavo::DemoEvent{10}); },
         [](TestApp& app) { app.FileExists("plain.txt"); }, "\nis damaged: the replay stops at update 0."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestApp app(WorkFolder());
        app.mDemoFileName = WorkFolder() + "/run.dmo";
        app.mRecordingDemo = true;
        app.SetDemoRecorder(std::make_unique<Kavo::DemoSession>(app));
        c.record(app);
        app.mRecordingDemo = false;
        app.mPlayingDemo = true;
        app.SetDemoRecorder(std::make_unique<Kavo::DemoSession>(app));
        c.replay(app);
        app.mPlayingDemo = false;
        EXPECT_TRUE(app.mDemoFailed);
        ASSERT_FALSE(Platform().Desktop().MessageBoxLog().empty());
        const std::string shown = Platform().Desktop().MessageBoxLog().back().text;
        EXPECT_NE(shown.find(app.mDemoFileName + c.text), std::string::npos) << shown;
    }
}

} // namespace
} // namespace app_test
