#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_test_environment.h"
#include "framework/graphics/dd_interface.h"
#include "framework/graphics/graphics.h"
#include "loop_test_app.h"
#include "platform/registry.h"
#include "platform/system_info.h"

namespace app_test {
namespace {

using platform::MakeLParam;
using platform::SendMessage;

class WindowTest : public AppTestEnvironment {
protected:
    // Each case starts without the settings the previous one saved.
    void ForgetSettings() { platform::RegDeleteKey(platform::kRegCurrentUser, "SOFTWARE\\KavoTest"); }

    std::vector<platform::MessageId> Queued(const Kavo::KavoAppBase& app) {
        std::vector<platform::MessageId> ids;
        for (const platform::Message& message : app.mDeferredMessages)
            ids.push_back(message.message);
        return ids;
    }
};

TEST_F(WindowTest, TheQueueKeepsOneTimerNothingAfterACloseAndOneColourOrDisplayChange) {
    using namespace platform;
    struct Case {
        std::vector<MessageId> sent;
        std::vector<MessageId> queued;
    } cases[] = {
        {{kWmTimer, kWmTimer, kWmTimer}, {kWmTimer}},
        {{kWmTimer, kWmKeyDown, kWmTimer}, {kWmTimer, kWmKeyDown, kWmTimer}},
        {{kWmKeyDown, kWmClose, kWmKeyDown, kWmTimer, kWmClose}, {kWmKeyDown, kWmClose}},
        {{kWmSysColorChange, kWmKeyDown, kWmDisplayChange, kWmSysColorChange}, {kWmSysColorChange, kWmKeyDown}},
        {{kWmDisplayChange, kWmDisplayChange}, {kWmDisplayChange}},
    };
    for (const Case& c : cases) {
        LoopApp app(WorkFolder());
        app.Initialize();
        app.mDeferredMessages.clear();
        for (MessageId id : c.sent)
            SendMessage(app.mHWnd, id, 0, 0);
        EXPECT_EQ(Queued(app), c.queued);
        platform::ResetWindowSystem();
    }
}

TEST_F(WindowTest, AltF4ClosesAndOtherAltKeysStayWithTheGame) {
    LoopApp app(WorkFolder());
    app.Initialize();
    app.mDeferredMessages.clear();
    // Any other Alt key is answered by the game, so the system menu never sees it.
    EXPECT_EQ(SendMessage(app.mHWnd, platform::kWmSysKeyDown, 'X', 0), 0);
    EXPECT_EQ(Queued(app), std::vector<platform::MessageId>{platform::kWmSysKeyDown});
    app.ProcessDeferredMessages(false);
    EXPECT_FALSE(app.mShutdown);

    SendMessage(app.mHWnd, platform::kWmSysKeyDown, platform::kVkF4, 0);
    EXPECT_EQ(Queued(app), (std::vector<platform::MessageId>{platform::kWmSysKeyDown, platform::kWmClose}));
    app.ProcessDeferredMessages(false);
    EXPECT_TRUE(app.mShutdown);
    EXPECT_TRUE(platform::IsWindow(app.mHWnd));
}

TEST_F(WindowTest, AltEnterTogglesFullScreenUnlessAModeWasForced) {
    struct Case {
        bool forceFullscreen;
        bool forceWindowed;
        bool windowedAfter;
    } cases[] = {{false, false, false}, {true, false, true}, {false, true, true}};
    for (const Case& c : cases) {
        ForgetSettings();
        LoopApp app(WorkFolder());
        app.Initialize();
        ASSERT_TRUE(app.mIsWindowed);
        app.mForceFullscreen = c.forceFullscreen;
        app.mForceWindowed = c.forceWindowed;
        app.mWidgetManager->mKeyDown['A'] = true;
        SendMessage(app.mHWnd, platform::kWmSysKeyDown, platform::kVkReturn, 0);
        app.ProcessDeferredMessages(false);
        EXPECT_EQ(app.mIsWindowed, c.windowedAfter) << c.forceFullscreen << c.forceWindowed;
        EXPECT_EQ(app.mIsPhysWindowed, c.windowedAfter);
        // A toggle clears the keys held; otherwise the Enter key went on to the widgets.
        EXPECT_EQ(app.mWidgetManager->mKeyDown['A'], c.windowedAfter);
        EXPECT_EQ(app.mWidgetManager->mKeyDown[platform::kVkReturn], c.windowedAfter);
        platform::ResetWindowSystem();
    }
}

TEST_F(WindowTest, AltEnterHeldDownSwitchesOnceAndNotOnEachRepeat) {
    ForgetSettings();
    LoopApp app(WorkFolder());
    app.Initialize();
    ASSERT_TRUE(app.mIsWindowed);
    constexpr platform::LParam kRepeat = (platform::LParam{1} << 30) | 1;
    SendMessage(app.mHWnd, platform::kWmSysKeyDown, platform::kVkReturn, 1);
    for (int i = 0; i < 5; ++i)
        SendMessage(app.mHWnd, platform::kWmSysKeyDown, platform::kVkReturn, kRepeat);
    app.ProcessDeferredMessages(false);
    EXPECT_FALSE(app.mIsWindowed);
    // Released and pressed again: the next switch.
    SendMessage(app.mHWnd, platform::kWmSysKeyUp, platform::kVkReturn, 0);
    SendMessage(app.mHWnd, platform::kWmSysKeyDown, platform::kVkReturn, 1);
    app.ProcessDeferredMessages(false);
    EXPECT_TRUE(app.mIsWindowed);
    platform::ResetWindowSystem();
}

TEST_F(WindowTest, MouseClicksWheelAndPositionsReachTheGame) {
    using namespace platform;
    LoopApp app(WorkFolder());
    app.Initialize();
    // The window shows the game area at twice its size.
    app.mWidgetManager->Resize(Kavo::IntRect(0, 0, 640, 480), Kavo::IntRect(0, 0, 1280, 960));
    app.mDeferredMessages.clear();
    struct Case {
        MessageId message;
        WParam buttons;
        const char* input;
        bool captured;
    } cases[] = {
        {kWmRButtonDown, kMkRButton, "down 100,50,-1", false},
        {kWmLButtonDown, kMkLButton | kMkRButton, "down 100,50,1", true},
        // The right button is still held: the capture stays.
        {kWmLButtonUp, kMkRButton, "up 100,50,1", true},
        {kWmRButtonUp, 0, "up 100,50,-1", false},
        {kWmLButtonDblClk, kMkLButton, "down 100,50,2", false},
        {kWmRButtonDblClk, kMkRButton, "down 100,50,-2", false},
        {kWmMButtonDown, kMkMButton, "down 100,50,3", false},
        {kWmMButtonUp, 0, "up 100,50,3", false},
    };
    for (const Case& c : cases) {
        app.mRecorder->mInput.clear();
        SendMessage(app.mHWnd, c.message, c.buttons, MakeLParam(200, 100));
        app.ProcessDeferredMessages(false);
        EXPECT_EQ(app.mRecorder->mInput, std::vector<std::string>{c.input}) << c.input;
        EXPECT_EQ(GetCapture() == app.mHWnd, c.captured) << c.input;
        EXPECT_EQ(app.mWidgetManager->mLastMouseX, 100);
        EXPECT_EQ(app.mWidgetManager->mLastMouseY, 50);
    }
    EXPECT_TRUE(app.mMouseIn);

    // Wheel and key-up go to the focus widget, and to nothing without one.
    SendMessage(app.mHWnd, kWmMouseWheel, MakeWheelWParam(-240, 0), 0);
    SendMessage(app.mHWnd, kWmKeyUp, 'K', 0);
    app.ProcessDeferredMessages(false);
    RecordingWidget focus;
    app.mWidgetManager->mFocusWidget = &focus;
    SendMessage(app.mHWnd, kWmMouseWheel, MakeWheelWParam(-240, 0), 0);
    SendMessage(app.mHWnd, kWmMouseWheel, MakeWheelWParam(360, 0), 0);
    SendMessage(app.mHWnd, kWmKeyUp, 'K', 0);
    app.ProcessDeferredMessages(false);
    EXPECT_EQ(focus.mWheel, (std::vector<int32_t>{-2, 3}));
    EXPECT_EQ(focus.mKeysUp, std::vector<int32_t>{'K'});
    app.mWidgetManager->mFocusWidget = nullptr;
}

TEST_F(WindowTest, TheWindowIsCentredOrKeptInsideTheWorkArea) {
    const platform::Rect area = platform::GetWorkArea();
    struct Case {
        int preferredX, preferredY;
        int expectedX, expectedY; // -1: centred
    } cases[] = {{-1, -1, -1, -1}, {100, 200, 100, 200}, {1, 2, 4, 4}, {5000, -50, 0, 4}, {20, 5000, 20, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.preferredX << "," << c.preferredY);
        ForgetSettings();
        LoopApp app(WorkFolder());
        app.mPreferredX = c.preferredX;
        app.mPreferredY = c.preferredY;
        app.Initialize();
        const platform::Rect window = platform::GetWindowRect(app.mHWnd);
        int x = c.expectedX;
        int y = c.expectedY;
        if (c.expectedX == -1) {
            x = area.left + (area.Width() - window.Width()) / 2;
            y = area.top + static_cast<int>((area.Height() - window.Height()) * 0.382);
        }
        if (c.preferredX == 5000)
            x = area.right - 4 - window.Width();
        if (c.preferredY == 5000)
            y = area.bottom - 4 - window.Height();
        EXPECT_EQ(window.left, x);
        EXPECT_EQ(window.top, y);
        platform::ResetWindowSystem();
    }
}

TEST_F(WindowTest, DisplayStartUpResults) {
    using DD = Kavo::DDInterface;
    struct Case {
        const char* name;
        bool startWindowed;
        bool display3D;
        std::deque<int32_t> script;
        int exitCode; // -1: runs
        const char* fatalText;
        bool windowed;
    } cases[] = {
        {"6 windowed: full screen", true, false, {DD::RESULT_INVALID_COLORDEPTH}, -1, nullptr, false},
        {"4 full screen: windowed", false, false, {DD::RESULT_EXCLUSIVE_FAIL}, -1, nullptr, true},
        {"5 full screen: windowed", false, false, {DD::RESULT_DISPCHANGE_FAIL}, -1, nullptr, true},
        {"6 after a full-screen failure",
         false,
         false,
         {DD::RESULT_EXCLUSIVE_FAIL, DD::RESULT_INVALID_COLORDEPTH},
         1,
         "Please set your desktop color depth to 16 bit.",
         true},
        {"7: leaves 3D", true, true, {DD::RESULT_3D_FAIL}, -1, nullptr, true},
        {"3 in 2D",
         true,
         false,
         {DD::RESULT_SURFACE_FAIL},
         1,
         "Failed to initialize DirectDraw: RESULT_SURFACE_FAIL Init: RESULT_SURFACE_FAIL",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ForgetSettings();
        const size_t boxes = Platform().Desktop().MessageBoxLog().size();
        TestApp app(WorkFolder());
        app.mDisplay3D = c.display3D;
        app.mIsWindowed = c.startWindowed;
        app.mDisplayScript = c.script;
        app.mDisplayScript.push_back(DD::RESULT_OK);
        int exitCode = -1;
        try {
            app.Initialize();
        } catch (const ExitCalled& exit) {
            exitCode = exit.code;
        }
        EXPECT_EQ(exitCode, c.exitCode);
        const auto log = Platform().Desktop().MessageBoxLog();
        if (c.fatalText != nullptr) {
            ASSERT_EQ(log.size(), boxes + 1);
            EXPECT_EQ(log.back().text, c.fatalText);
            EXPECT_EQ(log.back().caption, "FATAL ERROR");
        } else {
            EXPECT_EQ(log.size(), boxes);
            EXPECT_TRUE(app.mDDInterface->mInitialized);
            EXPECT_FALSE(app.UsesHardware3D());
            EXPECT_EQ(app.mIsWindowed, c.windowed);
            EXPECT_EQ(app.mIsPhysWindowed, c.windowed);
        }
        platform::ResetWindowSystem();
    }
}

TEST_F(WindowTest, AFailedSwitchTo3DGoesBackTo2D) {
    TestApp app(WorkFolder());
    app.Initialize();
    app.mDDInterface->ScriptInitResults({Kavo::DDInterface::RESULT_FAIL, Kavo::DDInterface::RESULT_OK});
    const int32_t inits = app.mDDInterface->GetInitCount();
    app.SetHardware3D(true, true);
    EXPECT_FALSE(app.UsesHardware3D());
    EXPECT_EQ(app.mDDInterface->GetInitCount(), inits + 2);
    EXPECT_TRUE(app.mDDInterface->mInitialized);
    EXPECT_TRUE(app.mUserChanged3DSetting);
}

// 3D switched on and off while the loop runs: every mode presents frames,
// and in 3D they are drawn through the renderer.
TEST_F(WindowTest, Hardware3DSwitchesOnAndOffWhileTheLoopPresents) {
    struct Filled : Kavo::Widget {
        void Draw(Kavo::Graphics* g) override {
            g->SetColor(Kavo::Color(200, 100, 50));
            g->FillRect(0, 0, 10, 10);
        }
    } filled;
    LoopApp app(WorkFolder());
    filled.Resize(0, 0, 10, 10);
    app.mWidgetManager->AddWidget(&filled);
    app.Initialize();
    app.mDirtyEveryUpdate = true;
    RunFor(app, 200);
    for (const bool on : {true, false, true}) {
        SCOPED_TRACE(on ? "on" : "off");
        app.SetHardware3D(on, true);
        EXPECT_EQ(app.UsesHardware3D(), on);
        const int32_t presents = app.Presents();
        RunFor(app, 200);
        EXPECT_GT(app.Presents(), presents);
        EXPECT_TRUE(app.mDDInterface->mInitialized);
        EXPECT_TRUE(app.mDDInterface->mD3DInterface->mErrorString.empty());
    }
    EXPECT_TRUE(app.mDDInterface->mD3DInterface->mWasUsed);
    app.mWidgetManager->RemoveWidget(&filled);
}

} // namespace
} // namespace app_test

namespace app_test {
namespace {

// In screen-saver mode three small mouse movements are tolerated; the fourth
// movement, or a key, closes the application through a posted WM_CLOSE.
TEST_F(WindowTest, AScreenSaverClosesOnTheFourthMoveOrAKey) {
    for (const bool byKey : {false, true}) {
        SCOPED_TRACE(byKey ? "key" : "moves");
        LoopApp app(WorkFolder());
        app.mIsScreenSaver = true;
        app.Initialize();
        ASSERT_NE(app.mHWnd, nullptr);
        auto closePosted = [&] {
            platform::Message message;
            while (platform::PeekMessage(message, app.mHWnd, true))
                if (message.message == platform::kWmClose)
                    return true;
            return false;
        };
        if (byKey) {
            platform::SendMessage(app.mHWnd, platform::kWmKeyDown, 'A', 0);
            EXPECT_TRUE(closePosted());
        } else {
            for (int move = 1; move <= 4; ++move) {
                platform::SetCursorPos({100 + move, 100});
                platform::SendMessage(app.mHWnd, platform::kWmMouseMove, 0, 0);
                EXPECT_EQ(closePosted(), move == 4) << move;
            }
        }
        app.mSaveSettingsOnClose = false;
        platform::ResetWindowSystem();
    }
}

} // namespace
} // namespace app_test
