#include "framework/app/kavo_app_base.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>

#include "app_test_environment.h"
#include "framework/app/demo_file.h"
#include "framework/graphics/dd_interface.h"
#include "framework/graphics/memory_image.h"
#include "framework/resource/resource_manager.h"
#include "framework/sound/dsound_manager.h"
#include "framework/sound/music_interface.h"
#include "framework/util/system_util.h"
#include "framework/widget/widget_manager.h"
#include "platform/crt_random.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include "platform/single_instance.h"
#include "test_app.h"

namespace app_test {
namespace {

using Kavo::KavoAppBase;

// Reads a DWORD of the test application's key; -1 when absent.
int32_t StoredValue(const std::string& name) {
    platform::RegKey key;
    if (platform::RegOpenKey(platform::kRegCurrentUser, "SOFTWARE\\KavoTest", key) != platform::kRegOk)
        return -1;
    int32_t value = 0;
    uint32_t size = sizeof value;
    uint32_t type = 0;
    const bool ok = platform::RegQueryValue(key, name, &type, &value, &size) == platform::kRegOk;
    platform::RegCloseKey(key);
    return ok && type == platform::kRegDword ? value : -1;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

using AppTest = AppTestEnvironment;

TEST_F(AppTest, ConstructionSetsDefaultsAndInstallsTheApplication) {
    EXPECT_EQ(static_cast<KavoAppBase*>(Kavo::gAppBase), nullptr);
    {
        TestApp app(WorkFolder());
        EXPECT_EQ(static_cast<KavoAppBase*>(Kavo::gAppBase), &app);
        // The installed registry and settings store are used as they are.
        EXPECT_EQ(app.mImageRegistry.get(), &Images());
        EXPECT_TRUE(Images().HasHost());
        EXPECT_EQ(app.mWidth, 640);
        EXPECT_EQ(app.mHeight, 480);
        EXPECT_EQ(app.mTitle, "KavoApp");
        EXPECT_EQ(app.mDemoFileName, "kavoapp.dmo");
        EXPECT_NE(app.mWidgetManager, nullptr);
        EXPECT_NE(app.mResourceManager, nullptr);
        EXPECT_EQ(app.mDDInterface, nullptr);
        EXPECT_EQ(app.mAdd8BitMaxTable[255], 255);
        EXPECT_EQ(app.mAdd8BitMaxTable[256], 255);
        EXPECT_EQ(app.mAdd8BitMaxTable[511], 255);
        EXPECT_EQ(app.mAdd8BitMaxTable[17], 17);
        // Nothing exists beyond the constructor: destruction frees only that.
    }
    EXPECT_EQ(static_cast<KavoAppBase*>(Kavo::gAppBase), nullptr);
    EXPECT_FALSE(Images().HasHost());
}

TEST_F(AppTest, WithNothingInstalledTheApplicationProvidesSettingsAndImageRegistry) {
    platform::Installed<platform::RegistryStore> noStore(platform::RegistryStoreSlot(),
                                                         std::shared_ptr<platform::RegistryStore>());
    platform::Installed<Kavo::ImageRegistry> noImages(Kavo::ImageRegistrySlot(),
                                                      std::shared_ptr<Kavo::ImageRegistry>());
    const std::string settingsFile = Platform().ConfigFolder() + "/kavo/registry.txt";
    ASSERT_EQ(platform::DefaultRegistryFile(), settingsFile);
    {
        TestApp app(WorkFolder());
        ASSERT_NE(platform::RegistryStoreSlot().Get(), nullptr);
        ASSERT_NE(Kavo::ImageRegistrySlot().Get(), nullptr);
        EXPECT_EQ(app.mImageRegistry, Kavo::ImageRegistrySlot().Get());
        Kavo::MemoryImage image;
        EXPECT_TRUE(app.HasMemoryImage(&image));
        // The store writes through to the settings file.
        EXPECT_TRUE(app.RegistryWriteInteger("MusicVolume", 40));
        EXPECT_NE(ReadFile(settingsFile).find("MusicVolume"), std::string::npos);
    }
    EXPECT_EQ(platform::RegistryStoreSlot().Get(), nullptr);
    EXPECT_EQ(Kavo::ImageRegistrySlot().Get(), nullptr);
}

TEST_F(AppTest, InitializeRunsItsStepsInOrder) {
    TestApp app(WorkFolder());
    app.Initialize();
    // The window is not active until Run shows it: the new window's focus
    // change mutes automatically (the first two volume calls).
    const std::vector<std::string> expected = {"PreInitHook",       "LoadSettings",        "ReadCommandLine",
                                               "ChangeDirHook",     "PreCreateWindowHook", "CreateMainWindow",
                                               "SetMusicVolume",    "SetSfxVolume",        "SetSfxVolume",
                                               "CreateMusicPlayer", "SetMusicVolume",      "InitHook"};
    EXPECT_EQ(app.mCalls, expected);
    EXPECT_TRUE(app.mInitialized);
    EXPECT_TRUE(platform::IsWindow(app.mHWnd));
    EXPECT_TRUE(platform::IsWindow(app.mInvisHWnd));
    EXPECT_EQ(platform::GetWindowClassName(app.mInvisHWnd), "InvisWindow");
    ASSERT_NE(app.mDDInterface, nullptr);
    EXPECT_TRUE(app.mDDInterface->mInitialized);
    EXPECT_NE(app.mSoundManager, nullptr);
    EXPECT_EQ(app.mSoundManager->mWindow, app.mHWnd);
    EXPECT_NE(app.mMusicInterface, nullptr);
    EXPECT_EQ(app.mWidgetManager->mScreenRect, Kavo::IntRect(0, 0, 640, 480));
    EXPECT_NE(app.mNotifyGameMessage, 0u);
    EXPECT_EQ(platform::GetCurrentFolder(), WorkFolder());
    // The two cursors from their masks, with their hot spots.
    platform::HeadlessVideoDriver& video = Platform().Video();
    const auto hand = video.CustomCursorImage(app.mHandCursor);
    const auto dragging = video.CustomCursorImage(app.mDraggingCursor);
    ASSERT_TRUE(hand && dragging);
    EXPECT_EQ(hand->hotSpot, (platform::Point{11, 4}));
    EXPECT_EQ(dragging->hotSpot, (platform::Point{15, 10}));
    EXPECT_EQ(hand->andMask.size(), platform::CursorImage::kMaskBytes);
    EXPECT_NE(hand->andMask, dragging->andMask);
    struct CursorCase {
        int32_t number;
        platform::CursorId custom;
        std::optional<platform::SystemCursor> system;
    } cursorCases[] = {{1, app.mHandCursor, std::nullopt},
                       {2, app.mDraggingCursor, std::nullopt},
                       {3, 0, platform::SystemCursor::IBeam},
                       {0, 0, platform::SystemCursor::Arrow}};
    app.mMouseIn = true;
    for (const CursorCase& c : cursorCases) {
        app.mCursorNum = c.number;
        app.ApplyCursor();
        EXPECT_EQ(video.Cursor().custom, c.custom) << c.number;
        EXPECT_EQ(video.Cursor().system, c.system) << c.number;
    }
    // The display answers the images once it exists.
    EXPECT_NE(app.GetDisplayFormat(), nullptr);
}

TEST_F(AppTest, MissingDisplayOrSoundRefusesToStart) {
    for (int missing = 0; missing < 2; ++missing) {
        SCOPED_TRACE(missing == 0 ? "display" : "sound");
        Platform().Video().SetHasDisplay(missing != 0);
        Platform().Audio().SetHasOutputDevice(missing == 0);
        TestApp app(WorkFolder());
        const size_t boxesBefore = Platform().Desktop().MessageBoxLog().size();
        try {
            app.Initialize();
            ADD_FAILURE() << "Initialize went on without the service";
        } catch (const ExitCalled& exit) {
            EXPECT_EQ(exit.code, 0);
        }
        const auto log = Platform().Desktop().MessageBoxLog();
        ASSERT_EQ(log.size(), boxesBefore + 1);
        EXPECT_EQ(log.back().caption, "You need DirectX");
        EXPECT_EQ(log.back().text.rfind("This application requires DirectX to run.", 0), 0u);
        EXPECT_EQ(log.back().flags & platform::kMbIconMask, platform::kMbIconError);
        EXPECT_TRUE(app.mCalls.empty());
    }
}

TEST_F(AppTest, GameAreaAsLargeAsTheFullScreenClientForcesFullScreen) {
    const int fullWidth = platform::GetSystemMetric(platform::kMetricFullScreenWidth);
    const int fullHeight = platform::GetSystemMetric(platform::kMetricFullScreenHeight);
    struct Case {
        int width, height;
        bool windowed;
    } cases[] = {{fullWidth - 1, fullHeight - 1, true}, {fullWidth, 100, false}, {100, fullHeight, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        // Each case starts without the settings the previous one saved.
        platform::RegDeleteKey(platform::kRegCurrentUser, "SOFTWARE\\KavoTest");
        TestApp app(WorkFolder());
        app.mWidth = c.width;
        app.mHeight = c.height;
        app.Initialize();
        EXPECT_EQ(app.mIsWindowed, c.windowed);
        EXPECT_EQ(app.mForceFullscreen, !c.windowed);
        EXPECT_EQ(app.mIsPhysWindowed, c.windowed);
        platform::ResetWindowSystem();
    }
}

TEST_F(AppTest, DesktopModeChangeFollowsTheGameArea) {
    struct Case {
        platform::DisplayMode current;
        bool refuse;
        size_t requests;
        platform::DisplayMode requested;
        bool stillChanged;
    } cases[] = {
        {{640, 480, 32, 75}, false, 0, {}, true}, // already right
        {{640, 480, 16, 75}, false, 0, {}, true}, // 16 bits is right too
        {{1280, 1024, 32, 60}, false, 1, {640, 480, 32, 60}, true},
        {{640, 480, 24, 60}, false, 1, {640, 480, 16, 60}, true}, // unusable depth becomes 16
        {{1280, 1024, 32, 60}, true, 1, {640, 480, 32, 60}, false},
    };
    for (const Case& c : cases) {
        platform::HeadlessVideoDriver& video = Platform().Video();
        const size_t requestsBefore = video.DisplayModeRequests().size();
        video.SetDisplayModes({c.current, {640, 480, 32, 60}, {640, 480, 16, 60}}, c.current);
        video.RefuseDisplayModes(c.refuse);
        TestApp app(WorkFolder());
        app.mFullScreenWindow = true;
        app.Initialize();
        const auto requests = video.DisplayModeRequests();
        ASSERT_EQ(requests.size(), requestsBefore + c.requests);
        if (c.requests != 0) {
            EXPECT_EQ(requests.back(), c.requested);
            EXPECT_EQ(video.CurrentMode(), c.refuse ? c.current : c.requested);
        }
        EXPECT_EQ(app.mFullScreenWindow, c.stillChanged);
        if (!c.stillChanged) {
            EXPECT_FALSE(app.mIsWindowed);
        }
        platform::ResetWindowSystem();
    }
}

TEST_F(AppTest, DemoFileNameIsPrefixedUnlessItSaysWhereItLives) {
    struct Case {
        const char* name;
        bool prefixed;
    } cases[] = {
        {"kavoapp.dmo", true},    {"x", true},          {"", true}, {"C:demo.dmo", false}, {"ab\\demo.dmo", false},
        {"/tmp/demo.dmo", false}, {"ab/demo.dmo", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestApp app(WorkFolder());
        app.mDemoFileName = c.name;
        app.Initialize();
        const std::string folder = Kavo::GetUserDataFolder();
        ASSERT_FALSE(folder.empty());
        EXPECT_EQ(app.mDemoFileName, c.prefixed ? folder + c.name : std::string(c.name));
        platform::ResetWindowSystem();
    }
}

TEST_F(AppTest, SecondInstanceNotifiesTheFirstAndLeaves) {
    platform::SingleInstance first;
    ASSERT_TRUE(first.Acquire("KavoTestMutex"));
    TestApp app(WorkFolder());
    testing::internal::CaptureStderr();
    try {
        app.Initialize();
        ADD_FAILURE() << "a second instance went on";
    } catch (const ExitCalled& exit) {
        EXPECT_EQ(exit.code, 0);
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "KavoTest is already running: the running copy is brought to the front, and this one ends.\n");
    EXPECT_EQ(app.mCalls.back(), "NotifyRunningInstance");
    EXPECT_TRUE(first.PollNotification());
}

TEST_F(AppTest, SecondInstanceRunsInScreenSaverMode) {
    platform::SingleInstance first;
    ASSERT_TRUE(first.Acquire("KavoTestMutex"));
    TestApp app(WorkFolder());
    app.mIsScreenSaver = true;
    app.Initialize();
    EXPECT_TRUE(app.mInitialized);
    EXPECT_FALSE(first.PollNotification());
    EXPECT_EQ(app.mCursorNum, 11);
}

// ---- Destruction and the hardware-acceleration questions ----

TEST_F(AppTest, StoredIs3DSuppressesTheQuestionAndStoresTheCurrentState) {
    {
        TestApp app(WorkFolder());
        app.RegistryWriteInteger("Is3D", 0);
        app.mDDInterface = new Kavo::DDInterface(&app, app.GetDisplayLock());
        app.mDDInterface->mIs3D = true;
        app.mDDInterface->mD3DInterface->mWasUsed = true;
        app.mUserChanged3DSetting = true;
    }
    EXPECT_TRUE(Platform().Desktop().MessageBoxLog().empty());
    EXPECT_EQ(StoredValue("Is3D"), 1);
}

TEST_F(AppTest, FirstQuestionAnsweredNoStoresNothingAndYesStoresOne) {
    for (int answer : {platform::kIdNo, platform::kIdYes}) {
        platform::UseMemoryRegistry();
        Platform().Desktop().QueueMessageBoxAnswer(answer);
        const size_t boxesBefore = Platform().Desktop().MessageBoxLog().size();
        {
            TestApp app(WorkFolder());
            app.mMsgBoxCaptionPrefix = "Kavo";
            app.mDDInterface = new Kavo::DDInterface(&app, app.GetDisplayLock());
            app.mDDInterface->mIs3D = true;
            app.mDDInterface->mD3DInterface->mWasUsed = true;
            // A misbehaving renderer is not asked about once the first
            // question was.
            app.mDDInterface->mD3DInterface->mPreDrawError = true;
            app.mUserChanged3DSetting = true;
        }
        const auto log = Platform().Desktop().MessageBoxLog();
        ASSERT_EQ(log.size(), boxesBefore + 1);
        EXPECT_EQ(log.back().caption, "Kavo Hardware Acceleration Confirmation");
        EXPECT_EQ(log.back().flags, platform::kMbYesNo | platform::kMbIconQuestion);
        EXPECT_EQ(StoredValue("Is3D"), answer == platform::kIdYes ? 1 : -1);
    }
}

TEST_F(AppTest, SecondQuestionAnsweredNoStoresZero) {
    for (int answer : {platform::kIdNo, platform::kIdYes}) {
        platform::UseMemoryRegistry();
        Platform().Desktop().QueueMessageBoxAnswer(answer);
        {
            TestApp app(WorkFolder());
            app.mDDInterface = new Kavo::DDInterface(&app, app.GetDisplayLock());
            app.mDDInterface->mD3DInterface->mPreDrawError = true;
        }
        const auto log = Platform().Desktop().MessageBoxLog();
        ASSERT_FALSE(log.empty());
        EXPECT_NE(log.back().text.find("may not have been working correctly"), std::string::npos);
        EXPECT_EQ(StoredValue("Is3D"), answer == platform::kIdNo ? 0 : -1);
    }
}

// The loading thread keeps using the managers and the display after the
// destructor has started; nothing it uses may be freed under it.
std::atomic<bool> gLoadingMayGo{false};

class LoadingApp : public TestApp {
public:
    using TestApp::TestApp;
    void LoadingThreadProc() override {
        while (!gLoadingMayGo)
            std::this_thread::yield();
        for (int i = 0; i < 2000; ++i) {
            ++mWidgetManager->mUpdateCnt;
            (void)mResourceManager->GetErrorText().size();
            mDDInterface->mIs3D = !mDDInterface->mIs3D;
            Kavo::MemoryImage image;
            std::this_thread::yield();
        }
    }
};

TEST_F(AppTest, DestroyingWhileTheLoadingThreadRunsWaitsForIt) {
    gLoadingMayGo = false;
    auto* app = new LoadingApp(WorkFolder());
    app->mDDInterface = new Kavo::DDInterface(app, app->GetDisplayLock());
    app->BeginLoadingThread();
    EXPECT_DOUBLE_EQ(app->GetLoadingProgress(), 0.0);
    gLoadingMayGo = true;
    delete app;
    EXPECT_EQ(static_cast<KavoAppBase*>(Kavo::gAppBase), nullptr);
}

TEST_F(AppTest, DoExitWaitsForARunningLoadingThread) {
    gLoadingMayGo = false;
    LoadingApp app(WorkFolder());
    app.mDDInterface = new Kavo::DDInterface(&app, app.GetDisplayLock());
    app.mPrimaryThreadId = platform::GetCurrentThreadId();
    app.BeginLoadingThread();
    gLoadingMayGo = true;
    bool finishedAtExit = false;
    platform::Installed<platform::ExitHook> hook(platform::ExitHookSlot(),
                                                 std::make_shared<platform::ExitHook>([&](int code) {
                                                     finishedAtExit = app.mLoadingThreadCompleted;
                                                     throw ExitCalled{code};
                                                 }));
    EXPECT_THROW(app.DoExit(3), ExitCalled);
    EXPECT_TRUE(finishedAtExit);
    EXPECT_TRUE(app.mShutdown);
}

TEST_F(AppTest, MemoryImagesJoinAndLeaveTheLiveSet) {
    Kavo::MemoryImage before; // the registry outlives applications: it is live too
    TestApp app(WorkFolder());
    EXPECT_TRUE(app.HasMemoryImage(&before));
    const size_t count = app.GetMemoryImageCount();
    {
        Kavo::MemoryImage image;
        EXPECT_TRUE(app.HasMemoryImage(&image));
        EXPECT_EQ(app.GetMemoryImageCount(), count + 1);
    }
    EXPECT_EQ(app.GetMemoryImageCount(), count);
    // Taken out and put back by hand.
    app.UnregisterMemoryImage(&before);
    EXPECT_FALSE(app.HasMemoryImage(&before));
    app.RegisterMemoryImage(&before);
    EXPECT_TRUE(app.HasMemoryImage(&before));
    // No display yet: no format, no 3D, for the images as for the application.
    EXPECT_EQ(app.GetDisplayFormat(), nullptr);
    EXPECT_FALSE(Images().GetDisplayFormat().has_value());
    EXPECT_FALSE(app.IsDisplay3D());
    app.Initialize();
    EXPECT_EQ(Images().GetDisplayFormat(), std::optional(*app.GetDisplayFormat()));
}

TEST_F(AppTest, ImagesThatOutliveTheApplicationNoLongerReachIt) {
    std::optional<Kavo::MemoryImage> survivor;
    {
        TestApp app(WorkFolder());
        app.Initialize();
        survivor.emplace();
        EXPECT_TRUE(Images().GetDisplayFormat().has_value());
    }
    EXPECT_FALSE(Images().HasHost());
    EXPECT_TRUE(Images().Contains(&*survivor));
    EXPECT_FALSE(Images().GetDisplayFormat().has_value());
    survivor.reset(); // would reach the freed display through the host (sanitizer build)
    EXPECT_EQ(Images().Count(), 0u);
}

// ---- Volumes and mute ----

TEST_F(AppTest, MuteIsCountedAndAutomaticMutesAreCountedApart) {
    TestApp app(WorkFolder());
    app.mMusicInterface = new Kavo::MusicInterface();
    app.mSoundManager = new Kavo::DSoundManager(nullptr, false);
    app.Mute(true);
    app.Mute(true);
    app.Unmute(false);
    EXPECT_EQ(app.mMuteCount, 1);
    EXPECT_EQ(app.mAutoMuteCount, 2);
    EXPECT_TRUE(app.IsMuted());
    EXPECT_DOUBLE_EQ(app.mSoundManager->GetVolume(), 0.0);

    app.SetMusicVolume(0.5);
    EXPECT_DOUBLE_EQ(app.GetMusicVolume(), 0.5);
    EXPECT_DOUBLE_EQ(app.mMusicInterface->GetVolume(), 0.0);
    app.Unmute(true);
    EXPECT_FALSE(app.IsMuted());
    EXPECT_DOUBLE_EQ(app.mMusicInterface->GetVolume(), 0.5);
    EXPECT_DOUBLE_EQ(app.mSoundManager->GetVolume(), 0.85);
    // Below zero nothing changes.
    app.Unmute(true);
    EXPECT_EQ(app.mMuteCount, 0);
    EXPECT_EQ(app.mAutoMuteCount, 1);

    app.SetSfxVolumeDirect(0.25);
    EXPECT_DOUBLE_EQ(app.GetSfxVolume(), 0.25);
    EXPECT_DOUBLE_EQ(app.GetSoundManagerValue(), 0.25);
}

// ---- Strings, boxes, shutdown ----

TEST_F(AppTest, GetStringGivesTheTableTextOrTheDefault) {
    TestApp app(WorkFolder());
    EXPECT_EQ(app.GetString("DIALOG_BUTTON_OK", "x"), "OK");
    EXPECT_EQ(app.GetString("NO_SUCH_ID", "Default text"), "Default text");
    app.SetString("DIALOG_BUTTON_OK", L"Fine");
    EXPECT_EQ(app.GetString("DIALOG_BUTTON_OK", "x"), "Fine");
}

TEST_F(AppTest, CloseAppRunsOnceAndFromAnotherThreadOnlyAsks) {
    TestApp app(WorkFolder());
    app.mPrimaryThreadId = platform::GetCurrentThreadId();
    std::thread other([&] { app.CloseApp(); });
    other.join();
    EXPECT_TRUE(app.mCloseRequestedByOtherThread);
    EXPECT_FALSE(app.mShutdown);
    EXPECT_EQ(app.mShutdownHooks, 0);

    // The loop acts on the request at its next frame.
    app.ProcessFrame(true);
    EXPECT_TRUE(app.mShutdown);
    app.CloseApp();
    EXPECT_EQ(app.mShutdownHooks, 1);
}

TEST_F(AppTest, CloseAppRestoresAChangedDesktopMode) {
    TestApp app(WorkFolder());
    app.mFullScreenWindow = true;
    app.CloseApp();
    EXPECT_EQ(Platform().Video().DesktopModeRestores(), 1);
    EXPECT_FALSE(app.mFullScreenWindow);
}

TEST_F(AppTest, ScreenSaverMessagesGoToTheErrorLog) {
    std::ofstream(WorkFolder() + "/ScrError.txt") << "left from an earlier run\n";
    TestApp app(WorkFolder());
    app.mIsScreenSaver = true;
    EXPECT_EQ(app.MsgBox("first", "caption", platform::kMbYesNo), 1);
    app.ShowFatalError("second");
    EXPECT_TRUE(Platform().Desktop().MessageBoxLog().empty());
    const std::string log = ReadFile(WorkFolder() + "/ScrError.txt");
    // "<text> hh:mm:ss <tick>" per line; the earlier run's line is gone.
    auto matchesLine = [](const std::string& line, const std::string& text) {
        int hours = -1, minutes = -1, seconds = -1;
        unsigned tick = 0;
        char rest = 0;
        const std::string format = text + " %2d:%2d:%2d %u%c";
        return std::sscanf(line.c_str(), format.c_str(), &hours, &minutes, &seconds, &tick, &rest) == 4 &&
               line[text.size() + 3] == ':' && hours >= 0 && hours < 24 && minutes >= 0 && minutes < 60 &&
               seconds >= 0 && seconds < 61 && tick == 5000000u;
    };
    std::istringstream lines(log);
    std::string first, second, third;
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_TRUE(matchesLine(first, "first")) << log;
    EXPECT_TRUE(matchesLine(second, "second")) << log;
    EXPECT_FALSE(std::getline(lines, third)) << log;
    EXPECT_EQ(log.back(), '\n');
}

TEST_F(AppTest, MessageBoxesShowOverTheMainWindow) {
    TestApp app(WorkFolder());
    Platform().Desktop().QueueMessageBoxAnswer(platform::kIdNo);
    EXPECT_EQ(app.MsgBox("text", "caption", platform::kMbYesNo), platform::kIdNo);
    app.mShutdown = true;
    app.ShowFatalError("not shown once shut down");
    const auto log = Platform().Desktop().MessageBoxLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].caption, "caption");
}

TEST_F(AppTest, CrashHeaderCarriesTheTimeSinceConstruction) {
    TestApp app(WorkFolder());
    app.mPrimaryThreadId = 0x1A2B;
    Platform().Clock().Advance(3725 * 1000 + 999);
    EXPECT_EQ(app.GetCrashInfoText(), "Product: KavoTest\r\nVersion: \r\nTime Loaded: 01:02:05\r\n"
                                      "Fullscreen: No\r\nPrimary ThreadId: 1A2B\r\n");
}

TEST_F(AppTest, ShowResourceErrorShowsTheFirstErrorAndMayExit) {
    TestApp app(WorkFolder());
    app.mResourceManager->LoadManifest("properties\\resources.xml");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(app.ShowResourceError(false));
    try {
        app.ShowResourceError(true);
        ADD_FAILURE() << "no exit";
    } catch (const ExitCalled& exit) {
        EXPECT_EQ(exit.code, 1);
    }
    // The text goes to the error output as well as into the box.
    const std::string line = "KavoTest: " + app.mResourceManager->GetErrorText() + "\n";
    EXPECT_EQ(testing::internal::GetCapturedStderr(), line + line);
    const auto log = Platform().Desktop().MessageBoxLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].text, app.mResourceManager->GetErrorText());
    EXPECT_NE(log[0].text.find("properties\\resources.xml"), std::string::npos);
}

TEST_F(AppTest, HideAppSilencesMusicAndHidesTheWindow) {
    TestApp app(WorkFolder());
    app.Initialize();
    app.HideApp();
    EXPECT_TRUE(app.mIsHidden);
    EXPECT_FALSE(platform::IsWindowVisible(app.mHWnd));
    EXPECT_DOUBLE_EQ(app.mMusicInterface->GetVolume(), 0.0);
    EXPECT_DOUBLE_EQ(app.GetMusicVolume(), 0.85);
}

// ---- Seeds ----

TEST_F(AppTest, ADemoRunSeedsTheRuntimeGeneratorFromTheDemo) {
    const std::string demo = WorkFolder() + "/seeded.dmo";
    Kavo::Buffer events;
    events.WriteNumBits(0, 10);
    ASSERT_TRUE(platform::WriteWholeFile(demo, Kavo::SerializeDemoFile(0xC0FFEE, "KavoTest", {}, 0, events)));
    TestApp app(WorkFolder());
    app.mPlayingDemo = true;
    app.mDemoFileName = demo;
    app.Initialize();
    EXPECT_EQ(app.mRandSeed, 0xC0FFEEu);
    platform::CrtRandom expected(0xC0FFEE);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(platform::CrtRand(), expected.Next());
}

TEST_F(AppTest, AnUnreadableDemoIsFatal) {
    TestApp app(WorkFolder());
    app.mPlayingDemo = true;
    app.mDemoFileName = WorkFolder() + "/missing.dmo";
    try {
        app.Initialize();
        ADD_FAILURE() << "no exit";
    } catch (const ExitCalled& exit) {
        EXPECT_EQ(exit.code, 1);
    }
    EXPECT_FALSE(app.mPlayingDemo);
    const auto log = Platform().Desktop().MessageBoxLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].caption, "FATAL ERROR");
    EXPECT_EQ(log[0].text, "Demo file not found: " + app.mDemoFileName);
}

} // namespace
} // namespace app_test
