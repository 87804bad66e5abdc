#include "game/ui/resource_ids.h"
#include "game/ui/timer_dial.h"
#include "game/ui/timer_dial_listener.h"

#include "framework/graphics/graphics.h"
#include "tests/framework/graphics/recording_image.h"
#include "tests/support/headless_environment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Game {
namespace {

// Records the update on which each notice came.
class NoticeListener : public TimerDialListener {
public:
    void OnTimerNotice() override { mNotices.push_back(mUpdate); }
    void OnTimeUp() override { mEnds.push_back(mUpdate); }
    void OnTimerTick(float fraction) override { mLastFraction = fraction; }

    int mUpdate = 0;
    std::vector<int> mNotices;
    std::vector<int> mEnds;
    float mLastFraction = -1;
};

void Advance(TimerDial& dial, NoticeListener& listener, int updates) {
    for (int i = 0; i < updates; ++i) {
        ++listener.mUpdate;
        dial.Update();
    }
}

class TimerDialTest : public Kavo::HeadlessEnvironment {
protected:
    TimerDialTest() {
        IMAGE_TIMER = &mDialPicture;
        IMAGE_TIMER_CIRCLE = &mRingPicture;
        IMAGE_TIMER_ARROW = &mArrowPicture;
    }
    ~TimerDialTest() override {
        IMAGE_TIMER = mPrevious[0];
        IMAGE_TIMER_CIRCLE = mPrevious[1];
        IMAGE_TIMER_ARROW = mPrevious[2];
    }

    Kavo::RecordingImage mDialPicture{90, 90};
    Kavo::RecordingImage mRingPicture{30, 30};
    Kavo::RecordingImage mArrowPicture{40, 36};
    Kavo::Image* mPrevious[3] = {IMAGE_TIMER, IMAGE_TIMER_CIRCLE, IMAGE_TIMER_ARROW};
};

TEST_F(TimerDialTest, CountsUpWithNoticesAndSweepsTheArrow) {
    NoticeListener listener;
    TimerDial dial;
    dial.mListener = &listener;
    dial.mDuration = 100;
    dial.mSpeed = 1;
    dial.Start(false, true);

    Advance(dial, listener, 50);
    EXPECT_NEAR(dial.mAngle, 4.6949356f, 1e-6);
    EXPECT_FLOAT_EQ(listener.mLastFraction, 0.5f);
    Advance(dial, listener, 60);
    EXPECT_EQ(listener.mNotices, (std::vector<int>{90}));
    EXPECT_EQ(listener.mEnds, (std::vector<int>{100}));
    EXPECT_EQ(dial.mState, TimerDial::kFinished);
    EXPECT_EQ(dial.mValue, 100.0f);
    EXPECT_NEAR(dial.mAngle, 3.9793506f, 1e-6);
}

TEST_F(TimerDialTest, CountsDownFromTheDuration) {
    NoticeListener listener;
    TimerDial dial;
    dial.mListener = &listener;
    dial.mDuration = 100;
    dial.Start(true, true);
    EXPECT_EQ(dial.mValue, 100.0f);
    Advance(dial, listener, 120);
    EXPECT_EQ(listener.mNotices, (std::vector<int>{90}));
    EXPECT_EQ(listener.mEnds, (std::vector<int>{100}));
    EXPECT_EQ(dial.mValue, 0.0f);
    EXPECT_NEAR(dial.mAngle, 5.4105206f, 1e-6);
}

TEST_F(TimerDialTest, WithoutAListenerTheValueRunsOn) {
    TimerDial dial;
    dial.mDuration = 100;
    dial.Start(false, true);
    for (int i = 0; i < 150; ++i)
        dial.Update();
    EXPECT_EQ(dial.mValue, 150.0f);
    EXPECT_EQ(dial.mState, TimerDial::kMoving);
}

TEST_F(TimerDialTest, WaitHoldsTheDialForItsCount) {
    NoticeListener listener;
    TimerDial dial;
    dial.mListener = &listener;
    dial.mDuration = 100;
    dial.Start(false, true);
    dial.Wait(3);
    Advance(dial, listener, 3);
    EXPECT_EQ(dial.mValue, 0.0f);
    EXPECT_EQ(dial.mAngle, TimerDial::kStartAngle);
    EXPECT_EQ(dial.mState, TimerDial::kMoving);
    Advance(dial, listener, 1);
    EXPECT_EQ(dial.mValue, 1.0f);
}

TEST_F(TimerDialTest, NoDurationEndsAtTheFirstUpdate) {
    for (bool reverse : {false, true}) {
        NoticeListener listener;
        TimerDial dial;
        dial.mListener = &listener;
        dial.mDuration = 0;
        dial.Start(reverse, true);
        Advance(dial, listener, 5);
        EXPECT_EQ(listener.mEnds, (std::vector<int>{1})) << reverse;
        EXPECT_EQ(dial.mState, TimerDial::kFinished);
        EXPECT_EQ(dial.mAngle, TimerDial::kEndAngle);
    }
    TimerDial silent;
    silent.mDuration = -5;
    silent.Start(false, true);
    silent.Update();
    EXPECT_EQ(silent.mState, TimerDial::kFinished);
    EXPECT_EQ(silent.mAngle, TimerDial::kEndAngle);
}

TEST_F(TimerDialTest, DrawsDialArrowAboutItsPointThenRing) {
    TimerDial dial;
    dial.SetPosition(100, 50);
    EXPECT_EQ(dial.mArrowX, 97.0f);
    EXPECT_EQ(dial.mArrowY, 87.0f);
    Kavo::RecordingImage dest(400, 400);
    Kavo::Graphics g(&dest);
    dial.Draw(&g);
    const std::vector<std::string> opaque = dest.mCalls;
    ASSERT_EQ(opaque.size(), 3u);
    // The dial centred on its point, the ring on the needle's.
    EXPECT_EQ(opaque[0], "Blt 55,5 [0,0,90,90] (255,255,255,255) m0");
    // Turned back by the angle about its pivot (0, 18), nine rows up.
    EXPECT_EQ(opaque[1], "BltRotated 97,78 [0,0,40,36] clip[0,0,400,400] (255,255,255,255) m0 a=-5.41052 c=0,18");
    EXPECT_EQ(opaque[2], "Blt 82,72 [0,0,30,30] (255,255,255,255) m0");

    dest.mCalls.clear();
    dial.SetAlpha(128);
    dial.Draw(&g);
    ASSERT_EQ(dest.mCalls.size(), 3u);
    EXPECT_EQ(dest.mCalls[0], "Blt 55,5 [0,0,90,90] (255,255,255,128) m0");
    EXPECT_EQ(dest.mCalls[1], "BltRotated 97,78 [0,0,40,36] clip[0,0,400,400] (255,255,255,128) m0 a=-5.41052 c=0,18");
    EXPECT_EQ(dest.mCalls[2], "Blt 82,72 [0,0,30,30] (255,255,255,128) m0");
    EXPECT_FALSE(g.GetColorizeImages());
}

} // namespace
} // namespace Game
