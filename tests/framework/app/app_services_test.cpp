#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_test_environment.h"
#include "framework/graphics/dd_interface.h"
#include "framework/graphics/memory_image.h"
#include "framework/widget/dialog.h"
#include "loop_test_app.h"
#include "platform/registry.h"

namespace app_test {
namespace {

using ServicesTest = AppTestEnvironment;

// ---- Threads and cursors ----

class LoadingApp : public LoopApp {
public:
    using LoopApp::LoopApp;
    platform::ThreadId mLoadingThread = 0;
    platform::ThreadId mCompletedOn = 0;
    void LoadingThreadProc() override { mLoadingThread = platform::GetCurrentThreadId(); }
    void LoadingThreadCompleted() override { mCompletedOn = platform::GetCurrentThreadId(); }
};

TEST_F(ServicesTest, LoadingProgressStaysBetweenZeroAndOne) {
    LoopApp app(WorkFolder());
    struct Case {
        bool started;
        int32_t total, done;
        bool loaded;
        double progress;
    } cases[] = {{false, 4, 2, false, 0.0},
                 {true, 0, 2, false, 0.0},
                 {true, 4, 1, false, 0.25},
                 {true, 4, 9, false, 1.0},
                 {true, 4, 1, true, 1.0}};
    for (const Case& c : cases) {
        app.mLoadingThreadStarted = c.started;
        app.mNumLoadingThreadTasks = c.total;
        app.mCompletedLoadingThreadTasks = c.done;
        app.mLoaded = c.loaded;
        EXPECT_DOUBLE_EQ(app.GetLoadingProgress(), c.progress) << c.total << "/" << c.done;
    }
    app.mLoadingThreadStarted = false;
}

TEST_F(ServicesTest, LoadingCompletesOnTheMainThread) {
    LoadingApp app(WorkFolder());
    app.BeginLoadingThread();
    EXPECT_TRUE(app.mYieldMainThread);
    app.WaitForLoadingThread();
    EXPECT_FALSE(app.mLoaded);
    EXPECT_TRUE(app.UpdateApp());
    EXPECT_TRUE(app.mLoaded);
    EXPECT_FALSE(app.mYieldMainThread);
    EXPECT_NE(app.mLoadingThread, platform::GetCurrentThreadId());
    EXPECT_EQ(app.mCompletedOn, platform::GetCurrentThreadId());
    EXPECT_DOUBLE_EQ(app.GetLoadingProgress(), 1.0);
}

TEST_F(ServicesTest, TheCursorThreadDrawsTheCursorOnlyWhenTheLoopIsLate) {
    LoopApp app(WorkFolder());
    app.Initialize();
    app.mDrawCount = 1;
    Kavo::DDInterface& display = *app.mDDInterface;
    const int32_t late = display.mMillisecondsPerFrame + 5;
    struct Case {
        int32_t sinceNextDraw;
        int x;
        int32_t moves;
    } cases[] = {{late, 30, 0}, {late + 1, 31, 1}, {0, 32, 1}, {late + 50, 33, 2}, {late + 50, 33, 2}};
    for (const Case& c : cases) {
        platform::SetCursorPos(platform::ClientToScreen(app.mHWnd, {c.x, 40}));
        app.mNextDrawTick = platform::GetTickMs() - static_cast<uint32_t>(c.sinceNextDraw);
        app.CursorThreadStep();
        EXPECT_EQ(display.mCursorMoveCount.load(), c.moves) << c.sinceNextDraw;
        EXPECT_EQ(display.GetCursorPos().mX, c.x);
        EXPECT_EQ(display.GetCursorPos().mY, 40);
    }
}

TEST_F(ServicesTest, CursorSlotsChooseTheSoftwareOrTheSystemCursor) {
    LoopApp app(WorkFolder());
    app.Initialize();
    app.mMouseIn = true;
    app.mCustomCursorsEnabled = false;
    Kavo::MemoryImage image12;
    Kavo::MemoryImage image3;
    app.SetCursorSlotImage(12, &image12);
    app.SetCursorSlotImage(3, &image3);
    app.SetCursorSlotImage(13, &image3); // no such slot: nothing happens
    EXPECT_EQ(app.mCursorImages[12], &image12);
    platform::HeadlessVideoDriver& video = Platform().Video();
    struct Case {
        int32_t number;
        bool customOn;
        Kavo::Image* software;
        bool systemShown;
    } cases[] = {{12, false, &image12, false},
                 {3, false, nullptr, true},
                 {3, true, &image3, false},
                 {11, false, nullptr, false},
                 {0, false, nullptr, true}};
    for (const Case& c : cases) {
        app.mCursorNum = c.number;
        app.mCustomCursorsEnabled = c.customOn;
        app.ApplyCursor();
        EXPECT_EQ(app.mDDInterface->mCursorImage, c.software) << c.number;
        EXPECT_EQ(video.Cursor().shown, c.systemShown) << c.number;
        EXPECT_EQ(app.mSystemCursorShown, c.systemShown) << c.number;
    }
    // Outside the window the arrow shows and no software cursor.
    app.mCursorNum = 12;
    app.mMouseIn = false;
    app.ApplyCursor();
    EXPECT_EQ(app.mDDInterface->mCursorImage, nullptr);
    EXPECT_TRUE(video.Cursor().shown);
    EXPECT_EQ(video.Cursor().system, platform::SystemCursor::Arrow);
    app.mDDInterface->SetCursorImage(nullptr);
}

TEST_F(ServicesTest, SwitchingToWindowedWithFullScreenForcedStaysFullScreen) {
    LoopApp app(WorkFolder());
    app.mIsWindowed = false;
    app.Initialize();
    app.mForceFullscreen = true;
    platform::WindowHandle window = app.mHWnd;
    const int32_t inits = app.mDDInterface->GetInitCount();
    app.SwitchScreenMode(true);
    EXPECT_FALSE(app.mIsWindowed);
    EXPECT_EQ(app.mHWnd, window);
    EXPECT_EQ(app.mDDInterface->GetInitCount(), inits);
    // Without the force the window is made anew, windowed.
    app.mForceFullscreen = false;
    app.SwitchScreenMode(true);
    EXPECT_TRUE(app.mIsWindowed);
    EXPECT_TRUE(app.mIsPhysWindowed);
    EXPECT_EQ(app.mDDInterface->GetInitCount(), inits + 1);
}

// ---- Registry settings ----

int32_t Stored(const std::string& key, const std::string& name) {
    platform::RegKey handle;
    if (platform::RegOpenKey(platform::kRegCurrentUser, key, handle) != platform::kRegOk)
        return -1;
    int32_t value = 0;
    uint32_t size = sizeof value;
    uint32_t type = 0;
    const bool ok = platform::RegQueryValue(handle, name, &type, &value, &size) == platform::kRegOk;
    platform::RegCloseKey(handle);
    return ok && type == platform::kRegDword ? value : -1;
}

class WriteLog : public Kavo::DemoRecorder {
public:
    explicit WriteLog(std::vector<std::string>& log) : mLog(log) {}
    void WriteOutcome(Kavo::DemoEvent event, bool ok) override {
        if (event == Kavo::DemoEvent::RegistryWrite)
            mLog.push_back(ok ? "write" : "write!");
    }
    std::vector<std::string>& mLog;
};

TEST_F(ServicesTest, SaveSettingsWritesTheNineValues) {
    TestApp app(WorkFolder());
    std::vector<std::string> log;
    app.SetDemoRecorder(std::make_unique<WriteLog>(log));
    app.mRecordingDemo = true;
    app.mMusicVolume = 0.857;
    app.mSfxVolume = 0.3;
    app.mMuteCount = 2;
    app.mAutoMuteCount = 2; // only automatic mutes
    app.mIsWindowed = false;
    app.mPreferredX = 12;
    app.mPreferredY = 34;
    app.mCustomCursorsEnabled = true;
    app.mWaitForVSync = true;
    app.SaveSettings();
    app.mRecordingDemo = false;
    const std::vector<std::string> order = {"MusicVolume", "SfxVolume",     "Muted",      "ScreenMode",  "PreferredX",
                                            "PreferredY",  "CustomCursors", "InProgress", "WaitForVSync"};
    EXPECT_EQ(log, std::vector<std::string>(order.size(), "write"));
    const int32_t values[] = {85, 30, 0, 1, 12, 34, 1, 0, 1};
    for (size_t i = 0; i < order.size(); ++i)
        EXPECT_EQ(Stored("SOFTWARE\\KavoTest", order[i]), values[i]) << order[i];

    app.mMuteCount = 3;
    app.SaveSettings();
    EXPECT_EQ(Stored("SOFTWARE\\KavoTest", "Muted"), 1);

    TestApp reader(WorkFolder());
    reader.mMuteCount = 0;
    reader.LoadSettings();
    EXPECT_DOUBLE_EQ(reader.mMusicVolume, 0.85);
    EXPECT_DOUBLE_EQ(reader.mSfxVolume, 0.3);
    EXPECT_FALSE(reader.mIsWindowed);
    EXPECT_EQ(reader.mPreferredX, 12);
    EXPECT_TRUE(reader.mCustomCursorsEnabled);
    EXPECT_TRUE(reader.mWaitForVSync);
    EXPECT_TRUE(reader.mLastShutdownWasGraceful);
    EXPECT_TRUE(reader.mSaveSettingsOnClose);
    // Once the command line is read, this run is in progress until it saves
    // again; a replay leaves the settings as they were.
    EXPECT_EQ(Stored("SOFTWARE\\KavoTest", "InProgress"), 0);
    reader.mPlayingDemo = true;
    reader.MarkRunInProgress();
    reader.mPlayingDemo = false;
    EXPECT_EQ(Stored("SOFTWARE\\KavoTest", "InProgress"), 0);
    reader.MarkRunInProgress();
    EXPECT_EQ(Stored("SOFTWARE\\KavoTest", "InProgress"), 1);
}

TEST_F(ServicesTest, AnEmptyKeyAppliesTheStringTableKeyAndReadsNothing) {
    {
        TestApp writer(WorkFolder());
        writer.RegistryWriteInteger("MusicVolume", 10);
    }
    struct Case {
        const wchar_t* tableKey; // null: no "RegistryKey" entry
        double musicVolume;
    } cases[] = {{nullptr, 0.85}, {L"KavoTest", 0.1}};
    for (const Case& c : cases) {
        TestApp app(WorkFolder());
        app.mRegKey.clear();
        if (c.tableKey != nullptr)
            app.SetString("RegistryKey", c.tableKey);
        app.LoadSettings();
        EXPECT_TRUE(app.mSaveSettingsOnClose);
        EXPECT_EQ(app.mRegKey, c.tableKey != nullptr ? "KavoTest" : "");
        EXPECT_DOUBLE_EQ(app.mMusicVolume, c.musicVolume);
        if (c.tableKey == nullptr) {
            EXPECT_FALSE(app.RegistryWriteInteger("MusicVolume", 50));
            app.mSaveSettingsOnClose = false;
        }
    }
    // Only the second run, under the table's key, saved at its close.
    EXPECT_EQ(Stored("SOFTWARE\\KavoTest", "MusicVolume"), 10);
}

TEST_F(ServicesTest, ValuesOfAnotherTypeAreIgnoredAndSubkeysAreCreated) {
    TestApp app(WorkFolder());
    const char text[] = "1";
    ASSERT_TRUE(app.WriteRegValue("CustomCursors", platform::kRegString, text, sizeof text));
    ASSERT_TRUE(app.WriteRegValue("ScreenMode", platform::kRegString, text, sizeof text));
    app.mCustomCursorsEnabled = false;
    app.LoadSettings();
    EXPECT_FALSE(app.mCustomCursorsEnabled);
    EXPECT_TRUE(app.mIsWindowed);

    ASSERT_TRUE(app.RegistryWriteInteger("Test3D\\Version", 7));
    EXPECT_EQ(Stored("SOFTWARE\\KavoTest\\Test3D", "Version"), 7);
    int32_t version = 0;
    EXPECT_TRUE(app.RegistryReadInteger("Test3D\\Version", &version));
    EXPECT_EQ(version, 7);
    EXPECT_TRUE(app.DeleteRegKey("Test3D"));
    EXPECT_FALSE(app.RegistryReadInteger("Test3D\\Version", &version));
    app.mSaveSettingsOnClose = false;
}

TEST_F(ServicesTest, AScreenSaverRunDoesNotMarkItselfInProgress) {
    TestApp app(WorkFolder());
    app.mIsScreenSaver = true;
    app.LoadSettings();
    app.MarkRunInProgress();
    EXPECT_EQ(Stored("SOFTWARE\\KavoTest", "InProgress"), -1);
    app.mSaveSettingsOnClose = false;
}

// ---- Dialogs by id ----

class ButtonApp : public LoopApp {
public:
    using LoopApp::LoopApp;
    std::vector<int32_t> mPressed;
    std::vector<int32_t> mReleased;
    bool mFailNewDialog = false;
    void ButtonPress(int32_t id) override { mPressed.push_back(id); }
    void ButtonDepress(int32_t id) override { mReleased.push_back(id); }
    Kavo::Dialog* NewDialog(int32_t id, bool isModal, const std::string& header, const std::string& lines,
                            const std::string& footer, int32_t buttonMode) override {
        if (mFailNewDialog)
            return nullptr;
        return LoopApp::NewDialog(id, isModal, header, lines, footer, buttonMode);
    }
};

class WatchedDialog : public Kavo::Dialog {
public:
    WatchedDialog(int32_t id, bool* deleted) : Dialog(nullptr, nullptr, id, true, "", "", "", 0), mDeleted(deleted) {}
    ~WatchedDialog() override { *mDeleted = true; }
    bool* mDeleted;
};

TEST_F(ServicesTest, DoDialogReplacesADialogOfTheSameId) {
    ButtonApp app(WorkFolder());
    app.mWidth = 1024;
    app.mHeight = 768;
    bool deleted = false;
    auto* old = new WatchedDialog(5, &deleted);
    app.AddDialog(old);
    EXPECT_EQ(app.mWidgetManager->mBaseModalWidget, old);
    Kavo::Dialog* replacement = app.DoDialog(5, false, "Header", "Lines", "Footer", 1);
    ASSERT_NE(replacement, nullptr);
    // A waiter on the old dialog returns once it is no longer managed; it is
    // deleted by the next safe-delete pass.
    EXPECT_FALSE(app.mWidgetManager->HasWidget(old));
    EXPECT_EQ(app.mWidgetManager->mBaseModalWidget, nullptr);
    EXPECT_FALSE(deleted);
    app.ProcessSafeDeletes();
    EXPECT_TRUE(deleted);
    EXPECT_EQ(app.GetDialog(5), replacement);
    EXPECT_EQ(app.GetDialogCount(), 1);
    EXPECT_TRUE(app.mWidgetManager->HasWidget(replacement));
    // Width 0 gets the default frame: half the game area, centred, a fifth down.
    EXPECT_EQ(replacement->mWidth, 512);
    EXPECT_EQ(replacement->mX, 256);
    EXPECT_EQ(replacement->mY, 153);

    // The dialog's buttons come back as application buttons.
    replacement->ButtonDepress(Kavo::Dialog::kSecondButtonId);
    app.DialogButtonPress(5, Kavo::Dialog::kSecondButtonId);
    app.DialogButtonPress(5, Kavo::Dialog::kFirstButtonId);
    app.DialogButtonPress(5, 7);
    EXPECT_EQ(app.mPressed, (std::vector<int32_t>{3005, 2005}));
    EXPECT_EQ(app.mReleased, std::vector<int32_t>{3005});

    // A dialog that cannot be made adds nothing.
    app.mFailNewDialog = true;
    EXPECT_EQ(app.DoDialog(6, false, "", "", "", 0), nullptr);
    EXPECT_EQ(app.GetDialogCount(), 1);
    EXPECT_FALSE(app.KillDialog(6));
}

TEST_F(ServicesTest, AWebPageBeingOpenedIsNotOpenedAgain) {
    TestApp app(WorkFolder());
    EXPECT_TRUE(app.OpenWebPage("http://example.invalid/a", false));
    EXPECT_TRUE(app.OpenWebPage("http://example.invalid/a", false));
    EXPECT_EQ(Platform().Desktop().OpenedPages(), std::vector<std::string>{"http://example.invalid/a"});
    EXPECT_TRUE(app.mUpdateCheckWatch);
    app.ClearUpdateFlag("http://example.invalid/a");
    EXPECT_TRUE(app.OpenWebPage("http://example.invalid/a", false));
    EXPECT_EQ(Platform().Desktop().OpenedPages().size(), 2u);
    EXPECT_EQ(app.ReadFileProductVersion("anything.exe"), "");
}

} // namespace
} // namespace app_test
