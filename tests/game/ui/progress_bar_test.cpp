#include "game/ui/effect_anim_fade.h"
#include "game/ui/progress_bar.h"
#include "game/ui/progress_bar_group.h"
#include "game/ui/progress_bar_listener.h"
#include "game/ui/resource_ids.h"

#include "framework/graphics/graphics.h"
#include "tests/framework/graphics/recording_image.h"
#include "tests/support/headless_environment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Game {
namespace {

class CountingListener : public ProgressBarListener {
public:
    void OnBarReached(ProgressBar* bar) override {
        ++mCalls;
        mLastBar = bar;
    }
    int mCalls = 0;
    ProgressBar* mLastBar = nullptr;
};

class ProgressBarTest : public Kavo::HeadlessEnvironment {
protected:
    ProgressBarTest() { IMAGE_RATING_BLICK = &mGlint; }
    ~ProgressBarTest() override { IMAGE_RATING_BLICK = mPreviousGlint; }

    std::vector<std::string> DrawBar(ProgressBar& bar) {
        Kavo::RecordingImage dest(400, 400);
        Kavo::Graphics g(&dest);
        bar.Draw(&g);
        return dest.mCalls;
    }

    Kavo::RecordingImage mPicture{120, 100};
    Kavo::RecordingImage mGlint{64, 40};
    Kavo::Image* mPreviousGlint = IMAGE_RATING_BLICK;
};

TEST_F(ProgressBarTest, FillFollowsValueLengthAndMaximum) {
    struct Case {
        bool vertical;
        Kavo::IntRect source;
        float current;
        float maximum;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        // Never more than the source's length.
        {true, {0, 0, 40, 100}, 250.0f, 0, {"Blt 10,20 [0,0,40,100] (255,255,255,255) m0"}},
        // Under one pixel fills nothing.
        {true, {0, 0, 40, 100}, 0.5f, 0, {}},
        // Upward: the bottom 30 rows, drawn 70 rows lower.
        {true, {0, 0, 40, 100}, 30.0f, 0, {"Blt 10,90 [0,70,40,30] (255,255,255,255) m0"}},
        // A source lower in the picture gives its own bottom rows.
        {true, {40, 50, 40, 50}, 20.0f, 0, {"Blt 10,50 [40,80,40,20] (255,255,255,255) m0"}},
        // Rightward: the left 30 columns.
        {false, {0, 0, 80, 20}, 30.0f, 0, {"Blt 10,20 [0,0,30,20] (255,255,255,255) m0"}},
        // With a maximum the value is a share of the length.
        {false, {0, 0, 100, 20}, 0.5f, 1.0f, {"Blt 10,20 [0,0,50,20] (255,255,255,255) m0"}},
        {true, {0, 0, 40, 100}, 3.0f, 2.0f, {"Blt 10,20 [0,0,40,100] (255,255,255,255) m0"}},
        {false, {0, 0, 100, 20}, -5.0f, 1.0f, {}},
    };
    for (const Case& c : cases) {
        ProgressBar bar;
        bar.mVertical = c.vertical;
        bar.SetImage(&mPicture, c.source);
        bar.mX = 10;
        bar.mY = 20;
        bar.mMaximum = c.maximum;
        bar.SetValue(c.current, true);
        EXPECT_EQ(DrawBar(bar), c.calls) << "current " << c.current << " maximum " << c.maximum;
    }
}

TEST_F(ProgressBarTest, SetImageWithoutWidthTakesTheWholePicture) {
    ProgressBar bar;
    bar.SetImage(&mPicture, Kavo::IntRect());
    EXPECT_EQ(bar.mSourceRect, Kavo::IntRect(0, 0, 120, 100));
    bar.SetImage(nullptr, Kavo::IntRect());
    EXPECT_EQ(bar.mSourceRect, Kavo::IntRect());
}

TEST_F(ProgressBarTest, MovesTowardTheTargetAndTellsItsListenerOnce) {
    CountingListener listener;
    ProgressBar bar;
    bar.mListener = &listener;
    bar.SetValue(20, true);
    bar.mStep = -3;
    bar.SetValue(50, false);
    EXPECT_EQ(bar.mStep, 3.0f);
    for (int i = 0; i < 9; ++i)
        bar.Update();
    EXPECT_EQ(bar.mCurrent, 47.0f);
    EXPECT_EQ(listener.mCalls, 0);
    bar.Update();
    EXPECT_EQ(bar.mCurrent, 50.0f);
    EXPECT_EQ(listener.mCalls, 1);
    EXPECT_EQ(listener.mLastBar, &bar);
    bar.Update();
    EXPECT_EQ(listener.mCalls, 1);

    // Overshooting stops on the target.
    bar.SetValue(45, false);
    EXPECT_EQ(bar.mStep, -3.0f);
    bar.Update();
    bar.Update();
    EXPECT_EQ(bar.mCurrent, 45.0f);
    EXPECT_EQ(listener.mCalls, 2);
}

TEST_F(ProgressBarTest, EqualValueKeepsTheStepSoLaterTargetsStillMove) {
    CountingListener listener;
    ProgressBar bar;
    bar.mListener = &listener;
    bar.mStep = 2;
    bar.SetValue(10, true);
    bar.SetValue(10, false);
    EXPECT_EQ(bar.mCurrent, 10.0f);
    EXPECT_EQ(bar.mTarget, 10.0f);
    bar.SetValue(16, false);
    for (int i = 0; i < 3; ++i)
        bar.Update();
    EXPECT_EQ(bar.mCurrent, 16.0f);
    EXPECT_EQ(listener.mCalls, 1);
}

TEST_F(ProgressBarTest, GlintFadesInThenOutOverTheFilledPart) {
    // The glint spans the picture's width over the rows it is given.
    EffectAnimFade fade(7, 9, Kavo::IntRect(3, 5, 20, 30));
    EXPECT_EQ(fade.mLayer, 0);
    EXPECT_EQ(fade.mImage.mSourceRect, Kavo::IntRect(0, 5, 64, 30));

    std::vector<float> values;
    int updates = 0;
    while (!fade.IsDone() && updates < 100) {
        fade.Update();
        values.push_back(fade.mImage.mValue);
        ++updates;
    }
    ASSERT_EQ(updates, 52);
    // 25 steps of 10.2 stay just short of 255; the 26th reaches it.
    EXPECT_LT(values[24], 255.0f);
    EXPECT_GT(values[24], 254.0f);
    EXPECT_EQ(values[25], 255.0f);
    EXPECT_EQ(values[26], 245.0f);
    EXPECT_EQ(values[50], 5.0f);
    EXPECT_EQ(values[51], 0.0f);

    EffectAnimFade shown(7, 9, Kavo::IntRect(0, 5, 20, 30));
    for (int i = 0; i < 5; ++i)
        shown.Update();
    Kavo::RecordingImage dest(200, 200);
    Kavo::Graphics g(&dest);
    shown.Draw(&g);
    EXPECT_EQ(dest.mCalls, (std::vector<std::string>{"Blt 7,9 [0,5,64,30] (255,255,255,51) m1"}));
    EXPECT_EQ(g.GetDrawMode(), 0);

    dest.mCalls.clear();
    fade.Draw(&g);
    fade.Update();
    EXPECT_TRUE(dest.mCalls.empty()); // finished: draws nothing
}

TEST_F(ProgressBarTest, FadeStartsOnlyOverAFilledBarAndEndsWithIt) {
    ProgressBar bar;
    bar.SetImage(&mPicture, Kavo::IntRect(0, 0, 40, 100));
    bar.mX = 10;
    bar.mY = 20;
    bar.StartFade();
    EXPECT_EQ(bar.mChild, nullptr);

    bar.SetValue(40, true);
    bar.StartFade();
    ASSERT_NE(bar.mChild, nullptr);
    auto* glint = dynamic_cast<EffectAnimFade*>(bar.mChild.get());
    ASSERT_NE(glint, nullptr);
    EXPECT_EQ(glint->mImage.mX, 10.0f);
    EXPECT_EQ(glint->mImage.mY, 80.0f);
    EXPECT_EQ(glint->mImage.mSourceRect, Kavo::IntRect(0, 60, 64, 40));

    for (int i = 0; i < 52; ++i) {
        bar.Update();
        bar.UpdateF(1.0f);
    }
    EXPECT_EQ(bar.mChild, nullptr);
}

TEST_F(ProgressBarTest, GroupPlacesItsBackgroundAndMovesOneBar) {
    ProgressBarGroup group;
    group.mBackground.SetImage(&mPicture);
    group.SetPosition(100, 50);
    for (ProgressBar& bar : group.mBars) {
        bar.SetImage(&mPicture, Kavo::IntRect(0, 0, 10, 10));
        bar.mStep = 1;
    }
    group.mBars[1].mX = 30;
    group.mBars[1].SetValue(4, true);
    group.AddToBar(1, 2);
    group.AddToBar(3, 2);
    group.AddToBar(-1, 2);
    EXPECT_EQ(group.mBars[1].mTarget, 6.0f);
    EXPECT_EQ(group.mBars[0].mTarget, 0.0f);
    EXPECT_EQ(group.mBars[2].mTarget, 0.0f);
    // Several scores of one move come before the bar has moved: each counts.
    group.AddToBar(1, 3);
    EXPECT_EQ(group.mBars[1].mTarget, 9.0f);
    group.mBars[1].Update();
    group.AddToBar(1, 1);
    EXPECT_EQ(group.mBars[1].mTarget, 10.0f);
    group.mBars[1].SetValue(4, true);

    Kavo::RecordingImage dest(400, 400);
    Kavo::Graphics g(&dest);
    group.Draw(&g);
    EXPECT_EQ(dest.mCalls, (std::vector<std::string>{"Blt 90,40 [0,0,120,100] (255,255,255,255) m0",
                                                     "Blt 30,6 [0,6,10,4] (255,255,255,255) m0"}));
}

} // namespace
} // namespace Game
