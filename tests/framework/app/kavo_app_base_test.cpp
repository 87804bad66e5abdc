#include "framework/app/kavo_app_base.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "app_test_environment.h"
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
        EXPECT_EQ(Kavo::GetImageHost(), &app);
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
    EXPECT_NE(Kavo::GetImageHost(), nullptr);
}

TEST_F(AppTest, InitializeRunsItsStepsInOrder) {
    TestApp app(WorkFolder());
    app.Initialize();
    const std::vector<std::string> expected = {
        "PreInitHook",      "LoadSettings", "ReadCommandLine",   "ChangeDirHook",  "PreCreateWindowHook",
        "CreateMainWindow", "SetSfxVolume", "CreateMusicPlayer", "SetMusicVolume", "InitHook"};
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
    ASSERT_EQ(Desktop().cursors.size(), 2u);
    EXPECT_EQ(Desktop().cursors[0].hotX, 11);
    EXPECT_EQ(Desktop().cursors[0].hotY, 4);
    EXPECT_EQ(Desktop().cursors[1].hotX, 15);
    EXPECT_EQ(Desktop().cursors[1].hotY, 10);
    // The display answers the images once it exists.
    EXPECT_NE(app.GetDisplayFormat(), nullptr);
}

TEST_F(AppTest, MissingDisplayOrSoundRefusesToStart) {
    for (int missing = 0; missing < 2; ++missing) {
        SCOPED_TRACE(missing == 0 ? "display" : "sound");
        Desktop().hasDisplay = missing != 0;
        Desktop().hasSound = missing == 0;
        TestApp app(WorkFolder());
        const size_t boxesBefore = Boxes().MessageBoxLog().size();
        try {
            app.Initialize();
            ADD_FAILURE() << "Initialize went on without the service";
        } catch (const ExitCalled& exit) {
            EXPECT_EQ(exit.code, 0);
        }
        const auto log = Boxes().MessageBoxLog();
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
        Kavo::AppDisplayMode current;
        bool refuse;
        size_t requests;
        Kavo::AppDisplayMode requested;
        bool stillChanged;
    } cases[] = {
        {{640, 480, 32, 75}, false, 0, {}, true}, // already right
        {{640, 480, 16, 75}, false, 0, {}, true}, // 16 bits is right too
        {{1280, 1024, 32, 60}, false, 1, {640, 480, 32, 60}, true},
        {{640, 480, 24, 60}, false, 1, {640, 480, 16, 60}, true}, // unusable depth becomes 16
        {{1280, 1024, 32, 60}, true, 1, {640, 480, 32, 60}, false},
    };
    for (const Case& c : cases) {
        Desktop().mode = c.current;
        Desktop().refuseModeChange = c.refuse;
        Desktop().modeRequests.clear();
        TestApp app(WorkFolder());
        app.mFullScreenWindow = true;
        app.Initialize();
        ASSERT_EQ(Desktop().modeRequests.size(), c.requests);
        if (c.requests != 0) {
            EXPECT_EQ(Desktop().modeRequests[0], c.requested);
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
    try {
        app.Initialize();
        ADD_FAILURE() << "a second instance went on";
    } catch (const ExitCalled& exit) {
        EXPECT_EQ(exit.code, 0);
    }
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

TEST_F(AppTest, DisplayFailureIsFatalWithExitOne) {
    struct Case {
        int32_t result;
        const char* textStart;
    } cases[] = {{Kavo::DDInterface::RESULT_INVALID_COLORDEPTH, "Please set your desktop color depth to 16 bit."},
                 {Kavo::DDInterface::RESULT_SURFACE_FAIL, "Failed to initialize DirectDraw: RESULT_SURFACE_FAIL"}};
    for (const Case& c : cases) {
        TestApp app(WorkFolder());
        app.mDisplayScript = {c.result};
        try {
            app.Initialize();
            ADD_FAILURE() << "start-up went on without a display";
        } catch (const ExitCalled& exit) {
            EXPECT_EQ(exit.code, 1);
        }
        const auto log = Boxes().MessageBoxLog();
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(log.back().caption, "FATAL ERROR");
        EXPECT_EQ(log.back().text.rfind(c.textStart, 0), 0u) << log.back().text;
        platform::ResetWindowSystem();
    }
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
    EXPECT_TRUE(Boxes().MessageBoxLog().empty());
    EXPECT_EQ(StoredValue("Is3D"), 1);
}

TEST_F(AppTest, FirstQuestionAnsweredNoStoresNothingAndYesStoresOne) {
    for (int answer : {platform::kIdNo, platform::kIdYes}) {
        platform::UseMemoryRegistry();
        Boxes().QueueMessageBoxAnswer(answer);
        const size_t boxesBefore = Boxes().MessageBoxLog().size();
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
        const auto log = Boxes().MessageBoxLog();
        ASSERT_EQ(log.size(), boxesBefore + 1);
        EXPECT_EQ(log.back().caption, "Kavo Hardware Acceleration Confirmation");
        EXPECT_EQ(log.back().flags, platform::kMbYesNo | platform::kMbIconQuestion);
        EXPECT_EQ(StoredValue("Is3D"), answer == platform::kIdYes ? 1 : -1);
    }
}

TEST_F(AppTest, SecondQuestionAnsweredNoStoresZero) {
    for (int answer : {platform::kIdNo, platform::kIdYes}) {
        platform::UseMemoryRegistry();
        Boxes().QueueMessageBoxAnswer(answer);
        {
            TestApp app(WorkFolder());
            app.mDDInterface = new Kavo::DDInterface(&app, app.GetDisplayLock());
            app.mDDInterface->mD3DInterface->mPreDrawError = true;
        }
        const auto log = Boxes().MessageBoxLog();
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
    platform::Installed<Kavo::AppExitHook> hook(Kavo::AppExitHookSlot(),
                                                std::make_shared<Kavo::AppExitHook>([&](int code) {
                                                    finishedAtExit = app.mLoadingThreadCompleted;
                                                    throw ExitCalled{code};
                                                }));
    EXPECT_THROW(app.DoExit(3), ExitCalled);
    EXPECT_TRUE(finishedAtExit);
    EXPECT_TRUE(app.mShutdown);
}

TEST_F(AppTest, MemoryImagesJoinAndLeaveTheLiveSet) {
    Kavo::MemoryImage before; // made before the application: the plain host
    TestApp app(WorkFolder());
    EXPECT_FALSE(app.HasMemoryImage(&before));
    const size_t count = app.GetMemoryImageCount();
    {
        Kavo::MemoryImage image;
        EXPECT_TRUE(app.HasMemoryImage(&image));
        EXPECT_EQ(app.GetMemoryImageCount(), count + 1);
        EXPECT_EQ(image.mHost, &app);
    }
    EXPECT_EQ(app.GetMemoryImageCount(), count);
    // No display yet: no format, no 3D.
    EXPECT_EQ(app.GetDisplayFormat(), nullptr);
    EXPECT_FALSE(app.IsDisplay3D());
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
    EXPECT_FALSE(app.ProcessFrame(true));
    EXPECT_TRUE(app.mShutdown);
    app.CloseApp();
    EXPECT_EQ(app.mShutdownHooks, 1);
}

TEST_F(AppTest, CloseAppRestoresAChangedDesktopMode) {
    TestApp app(WorkFolder());
    app.mFullScreenWindow = true;
    app.CloseApp();
    EXPECT_EQ(Desktop().modeRestores, 1);
    EXPECT_FALSE(app.mFullScreenWindow);
}

TEST_F(AppTest, ScreenSaverMessagesGoToTheErrorLog) {
    std::ofstream(WorkFolder() + "/ScrError.txt") << "left from an earlier run\n";
    TestApp app(WorkFolder());
    app.mIsScreenSaver = true;
    EXPECT_EQ(app.MsgBox("first", "caption", platform::kMbYesNo), 1);
    app.ShowFatalError("second");
    EXPECT_TRUE(Boxes().MessageBoxLog().empty());
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
    Boxes().QueueMessageBoxAnswer(platform::kIdNo);
    EXPECT_EQ(app.MsgBox("text", "caption", platform::kMbYesNo), platform::kIdNo);
    app.mShutdown = true;
    app.ShowFatalError("not shown once shut down");
    const auto log = Boxes().MessageBoxLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].caption, "caption");
}

TEST_F(AppTest, CrashHeaderCarriesTheTimeSinceConstruction) {
    TestApp app(WorkFolder());
    app.mPrimaryThreadId = 0x1A2B;
    Clock().Advance(3725 * 1000 + 999);
    EXPECT_EQ(app.GetCrashInfoText(), "Product: KavoTest\r\nVersion: \r\nTime Loaded: 01:02:05\r\n"
                                      "Fullscreen: No\r\nPrimary ThreadId: 1A2B\r\n");
}

TEST_F(AppTest, ShowResourceErrorShowsTheFirstErrorAndMayExit) {
    TestApp app(WorkFolder());
    app.mResourceManager->LoadManifest("properties\\resources.xml");
    EXPECT_FALSE(app.ShowResourceError(false));
    EXPECT_THROW(app.ShowResourceError(true), ExitCalled);
    const auto log = Boxes().MessageBoxLog();
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
    {
        const uint32_t words[3] = {0x42BEEF78, 2, 0xC0FFEE};
        std::ofstream(demo, std::ios::binary).write(reinterpret_cast<const char*>(words), sizeof words);
    }
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
    EXPECT_THROW(app.Initialize(), ExitCalled);
    EXPECT_FALSE(app.mPlayingDemo);
    const auto log = Boxes().MessageBoxLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].caption, "FATAL ERROR");
}

} // namespace
} // namespace app_test
