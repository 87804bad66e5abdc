#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app_test_environment.h"
#include "framework/app/demo_recorder.h"
#include "framework/graphics/dd_interface.h"
#include "loop_test_app.h"
#include "platform/clock.h"
#include "platform/services.h"
#include "platform/surface/display_environment.h"

namespace app_test {
namespace {

using LoopTest = AppTestEnvironment;

TEST_F(LoopTest, UpdatesFollowTheSpeedInRealTime) {
    struct Case {
        double speed;
        int32_t updatesPerSecond;
    } cases[] = {{1.0, 100}, {0.5, 50}, {2.0, 200}, {0.05, 5}, {0.02, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.speed);
        LoopApp app(WorkFolder());
        app.Initialize();
        app.mLoaded = true;
        app.mUpdateMultiplier = c.speed;
        RunFor(app, 1000);
        EXPECT_NEAR(app.mUpdateCount, c.updatesPerSecond, 1);
        EXPECT_EQ(app.mWidgetManager->mUpdateCnt, app.mUpdateCount);
        platform::ResetWindowSystem();
    }
}

TEST_F(LoopTest, AStallCatchesUpAtMostTwentyUpdates) {
    LoopApp app(WorkFolder());
    app.Initialize();
    app.mLoaded = true;
    RunFor(app, 500);
    const int32_t before = app.mUpdateCount;
    const int32_t sleeps = app.mSleepCount;
    Platform().Clock().Advance(1000);
    for (int i = 0; i < 1000 && app.mSleepCount == sleeps; ++i)
        app.RunLoopStep(nullptr);
    EXPECT_EQ(app.mUpdateCount - before, 20);
}

// A replay that stays behind the recording: its target lies far ahead.
class BehindRecorder : public Kavo::DemoRecorder {
public:
    explicit BehindRecorder(bool recordingLoaded) : mRecordingLoaded(recordingLoaded) {}
    int32_t TargetUpdate() const override { return 1000000; }
    bool LoadingCompleted() const override { return mRecordingLoaded; }

private:
    bool mRecordingLoaded;
};

// An application whose updates take time, as a long catch-up's do.
class SlowUpdateApp : public LoopApp {
public:
    using LoopApp::LoopApp;
    void UpdateFrame() override {
        LoopApp::UpdateFrame();
        platform::SleepMs(5);
    }
};

TEST_F(LoopTest, WhileNoUpdateCanRunTheLoopStillTakesMessages) {
    enum class Held { Paused, SpeedZero, ReplayWaitingForLoading, ReplayCatchingUp };
    struct Case {
        const char* name;
        Held held;
        bool updates; // whether updates still run meanwhile
    } cases[] = {{"paused", Held::Paused, false},
                 {"speed 0", Held::SpeedZero, false},
                 {"replay waiting for loading to end", Held::ReplayWaitingForLoading, false},
                 {"replay catching up", Held::ReplayCatchingUp, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SlowUpdateApp app(WorkFolder());
        app.Initialize();
        switch (c.held) {
        case Held::Paused:
            app.mPaused = true;
            break;
        case Held::SpeedZero:
            app.mUpdateMultiplier = 0.0;
            break;
        case Held::ReplayWaitingForLoading:
            // The recording had finished loading here; this run has not.
            app.mPlayingDemo = true;
            app.SetDemoRecorder(std::make_unique<BehindRecorder>(true));
            break;
        case Held::ReplayCatchingUp:
            app.mPlayingDemo = true;
            app.mLoaded = true;
            app.SetDemoRecorder(std::make_unique<BehindRecorder>(true));
            break;
        }
        // Settle into the held state before anything arrives.
        for (int i = 0; i < 20; ++i)
            app.RunLoopStep(nullptr);
        const int32_t updatesBefore = app.mUpdateCount;
        ASSERT_TRUE(platform::PostMessage(app.mHWnd, platform::kWmClose, 0, 0));
        for (int i = 0; i < 20 && !app.mShutdown; ++i)
            app.RunLoopStep(nullptr);
        EXPECT_TRUE(app.mShutdown);
        if (c.updates)
            EXPECT_GT(updatesBefore, 0);
        else
            EXPECT_EQ(app.mUpdateCount, 0);
        platform::ResetWindowSystem();
    }
}

TEST_F(LoopTest, ProcessFrameWithoutSleepReturnsFalseWhereItWouldSleep) {
    LoopApp app(WorkFolder());
    app.Initialize();
    app.mHasPendingDraw = false;
    app.mUpdateAppState = 1;
    app.AccumulateTime();
    const uint32_t now = platform::GetTickMs();
    EXPECT_FALSE(app.ProcessFrame(false));
    EXPECT_EQ(platform::GetTickMs(), now);
    EXPECT_EQ(app.mSleepCount, 0);
    EXPECT_EQ(app.mUpdateCount, 0);
}

TEST_F(LoopTest, WithNothingDirtyARedrawPresentsOnlyAfterASecond) {
    LoopApp app(WorkFolder());
    app.Initialize();
    app.mWidgetManager->mDirty = true;
    app.Redraw(nullptr);
    ASSERT_EQ(app.Presents(), 1);
    struct Step {
        uint32_t advance;
        int32_t presents;
    } steps[] = {{500, 1}, {499, 1}, {1, 2}, {999, 2}, {1, 3}};
    for (const Step& step : steps) {
        Platform().Clock().Advance(step.advance);
        app.Redraw(nullptr);
        EXPECT_EQ(app.Presents(), step.presents) << step.advance;
    }
    // A forced redraw presents at once.
    app.mForceRedraw = true;
    app.Redraw(nullptr);
    EXPECT_EQ(app.Presents(), 4);
}

TEST_F(LoopTest, RefreshPacingSwitchesItselfOffAfterThreeFastSecondsAtSpeedOne) {
    struct Case {
        double speed;
        bool switchedOff;
    } cases[] = {{1.0, true}, {2.0, false}, {0.5, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.speed);
        // A display whose vertical-blank wait answers at once: nothing holds
        // the loop to the refresh rate, so a second of updates takes no time.
        auto display = std::make_shared<platform::DisplayEnvironment>();
        display->faults->FailCallsFrom(platform::DisplayOperation::WaitForVerticalBlank, 1, platform::DDERR_GENERIC);
        platform::Installed<platform::DisplayEnvironment> installed(platform::DisplayEnvironmentSlot(), display);
        LoopApp app(WorkFolder());
        app.Initialize();
        app.mDirtyEveryUpdate = true;
        app.mVSyncUpdates = true;
        app.mSyncRefreshRate = 100;
        app.mWaitForVSync = true;
        app.mSoftVSyncWait = false;
        app.mUpdateMultiplier = c.speed;
        RunUntilUpdate(app, 399);
        EXPECT_FALSE(app.mVSyncBroken);
        RunUntilUpdate(app, 400);
        RunUntilUpdate(app, 600);
        EXPECT_EQ(app.mVSyncBroken, c.switchedOff);
        platform::ResetWindowSystem();
    }
}

TEST_F(LoopTest, WhileLoadingDrawsAreSpacedForTheLoadingThread) {
    LoopApp app(WorkFolder());
    app.Initialize();
    app.mLoadingThreadStarted = true; // the flags alone: no thread runs
    struct Step {
        uint32_t advance;
        int32_t presents;
    } steps[] = {{0, 1}, {0, 1}, {49, 1}, {1, 2}, {30, 2}, {20, 3}};
    for (const Step& step : steps) {
        Platform().Clock().Advance(step.advance);
        app.mPainted.MarkDirty();
        app.Redraw(nullptr);
        EXPECT_EQ(app.Presents(), step.presents) << step.advance;
    }
    // Once loading has finished the spacing ends after the draw already allowed.
    app.mLoadingThreadCompleted = true;
    Platform().Clock().Advance(50);
    for (const int32_t presents : {4, 5}) {
        app.mPainted.MarkDirty();
        app.Redraw(nullptr);
        EXPECT_EQ(app.Presents(), presents);
    }
}

TEST_F(LoopTest, AFrameDrawnWhileHeldBackIsShownByTheNextRedraw) {
    LoopApp app(WorkFolder());
    app.Initialize();
    app.mLoadingThreadStarted = true;
    app.mPainted.MarkDirty();
    app.Redraw(nullptr);
    ASSERT_EQ(app.Presents(), 1);
    // Drawn inside the loading thread's spacing: not shown yet, and its
    // widget is no longer dirty.
    app.mPainted.MarkDirty();
    app.Redraw(nullptr);
    EXPECT_EQ(app.Presents(), 1);
    app.mLoadingThreadCompleted = true;
    Platform().Clock().Advance(50);
    app.Redraw(nullptr);
    EXPECT_EQ(app.Presents(), 2);
    // Shown once: nothing more until something changes or a second passes.
    Platform().Clock().Advance(10);
    app.Redraw(nullptr);
    EXPECT_EQ(app.Presents(), 2);
}

TEST_F(LoopTest, SafeDeletesWaitUntilTheNestingHasUnwound) {
    LoopApp app(WorkFolder());
    bool deleted = false;
    auto* widget = new RecordingWidget();
    widget->mDeleted = &deleted;
    app.mUpdateAppDepth = 2;
    app.SafeDeleteObject(widget);
    app.mUpdateAppDepth = 3;
    app.ProcessSafeDeletes();
    EXPECT_FALSE(deleted);
    app.mUpdateAppDepth = 2;
    app.ProcessSafeDeletes();
    EXPECT_TRUE(deleted);
    EXPECT_TRUE(app.mSafeDeleteList.empty());
    app.mUpdateAppDepth = 0;
}

TEST_F(LoopTest, RunWritesTheStatisticsAtTheEnd) {
    std::string trace;
    platform::SetDebugSink([&](std::string_view text) { trace += text; });
    {
        LoopApp app(WorkFolder());
        app.Initialize();
        app.mCloseAfterUpdates = 150;
        app.Run();
        EXPECT_EQ(app.mUpdateCount, 150);
        EXPECT_GT(app.mDrawCount.load(), 0);
    }
    platform::SetDebugSink({});
    const char* lines[] = {"Seconds       = ", "Sleep Count   = ",      "Update Count  = 150\r\n",
                           "Draw Count    = ", "Draw Time     = 0\r\n", "Screen Blt    = 0\r\n"};
    size_t at = 0;
    for (const char* line : lines) {
        const size_t found = trace.find(line, at);
        ASSERT_NE(found, std::string::npos) << line << "\n" << trace;
        at = found;
    }
    // Drawing took no time on the virtual clock: no frame rate to give.
    EXPECT_EQ(trace.find("Avg FPS"), std::string::npos);
}

} // namespace
} // namespace app_test

namespace app_test {
namespace {

// Counts light pixels in the overlay's corner of the screen image.
int LightPixelsInOverlayCorner(LoopApp& app) {
    Kavo::MemoryImage* screen = dynamic_cast<Kavo::MemoryImage*>(app.mWidgetManager->mImage);
    if (screen == nullptr)
        return -1;
    const uint32_t* bits = screen->GetBits();
    int light = 0;
    for (int y = screen->GetHeight() - 40; y < screen->GetHeight() - 10; ++y)
        for (int x = screen->GetWidth() - 60; x < screen->GetWidth() - 10; ++x)
            if ((bits[y * screen->GetWidth() + x] & 0xFF) > 0x80)
                ++light;
    return light;
}

TEST_F(LoopTest, TheOverlayWritesTheMousePositionInTheBottomRightCorner) {
    LoopApp app(WorkFolder());
    app.Initialize();
    app.mPainted.MarkDirty();
    app.Redraw(nullptr);
    ASSERT_EQ(LightPixelsInOverlayCorner(app), 0);

    app.mShowFPS = true;
    app.mShowFPSMode = 1;
    app.mWidgetManager->MousePosition(123, 45);
    app.mPainted.MarkDirty();
    app.Redraw(nullptr);
    EXPECT_GT(LightPixelsInOverlayCorner(app), 5);
}

} // namespace
} // namespace app_test
