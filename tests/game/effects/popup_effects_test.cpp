// The board's pop-ups: score, floating number, dust, twirl, rings, flash and
// the line-break toast.
#include "game/effects/dust_effect.h"
#include "game/effects/effect_color_ring.h"
#include "game/effects/effect_flash.h"
#include "game/effects/effect_line_break.h"
#include "game/effects/effect_twirl.h"
#include "game/effects/floating_number.h"
#include "game/effects/score_effect.h"
#include "game/ui/resource_ids.h"
#include "tests/game/effects/effect_family_fixture.h"

namespace Game {
namespace {

using PopupEffectsTest = EffectFamilyTest;

TEST_F(PopupEffectsTest, RunLengthsPickTheirScoreAnimationAndColoursTheirFlash) {
    // The sample's score6 has five frames, the others four.
    const std::pair<int, int> runs[] = {{2, 5}, {3, 4}, {4, 4}, {5, 4}, {6, 5}, {7, 5}};
    for (const auto& [length, frames] : runs) {
        ScoreEffect score(EffectEvent{length, 0, 100, 100});
        EXPECT_EQ(score.mAnimation.mFrameCount, frames) << length;
        EXPECT_EQ(score.mLayer, 1);
    }
    const std::pair<int, const char*> colours[] = {{0, "particles/flashfxyellow.ini"},
                                                   {1, "particles/flashfxyellow.ini"},
                                                   {2, "particles/flashfxblue.ini"},
                                                   {3, "particles/flashfxred.ini"},
                                                   {4, "particles/flashfxgreen.ini"}};
    for (const auto& [colour, file] : colours)
        EXPECT_EQ(EffectFlash::SceneFile(colour), file) << colour;
}

TEST_F(PopupEffectsTest, FloatingNumberHoldsThenFadesWhileRising) {
    FloatingNumber number(EffectEvent{0, 1234, 300, 200});
    EXPECT_EQ(number.mText, "1234");
    int update = 0;
    while (update < 39) {
        Step(number, ++update);
        ASSERT_EQ(number.mAlpha, 255.0f) << update;
    }
    EXPECT_FLOAT_EQ(number.mY, 200.0f - 39 * 0.5f);
    while (update < 102) {
        Step(number, ++update);
        ASSERT_FALSE(number.IsDone()) << update;
    }
    EXPECT_GT(number.mAlpha, 0.0f);
    Step(number, ++update);
    EXPECT_TRUE(number.IsDone());
}

TEST_F(PopupEffectsTest, DustWaitsForTheItemPictureToFade) {
    WriteFile("data/dust.anim", "[Main]\r\nFrames=0\r\nFrameDelay=1\r\nNeverEnding=0\r\n");
    DustEffect dust(EffectEvent{3, 0, 300, 200});
    EXPECT_EQ(RunEffect(dust, 1000), 30);
}

TEST_F(PopupEffectsTest, TwirlsAlternateStartingWithTheSecondPicture) {
    const EffectTwirl first(10, 10, 1);
    const EffectTwirl second(10, 10, 1);
    const EffectTwirl third(10, 10, 2);
    EXPECT_EQ(first.mImage, IMAGE_COMBO1_2);
    EXPECT_EQ(second.mImage, IMAGE_COMBO1_1);
    EXPECT_EQ(third.mImage, IMAGE_COMBO2_2);
    EffectTwirl::ResetToggle();
    EXPECT_EQ(EffectTwirl(10, 10, 2).mImage, IMAGE_COMBO2_2);
}

TEST_F(PopupEffectsTest, RingsWithoutPointsEndAtOnceAndTellTheListenerOnce) {
    EffectColorRing none({}, &mListener);
    EXPECT_EQ(RunEffect(none, 10), 1);
    EXPECT_EQ(mListener.Count('F'), 1);

    mListener.mCalls.clear();
    EffectColorRing rings({{300, 300}, {350, 300}}, &mListener);
    const int doneAt = RunEffect(rings, 1000);
    // 39 updates at 1 per update, then 3 per update from 216.
    EXPECT_EQ(doneAt, 39 + 72);
    EXPECT_EQ(mListener.Count('F'), 1);
}

TEST_F(PopupEffectsTest, ToastHoldsTenUpdatesAtTheTop) {
    EffectLineBreak toast;
    toast.Start(400, 500, 300, 700);
    int held = 0;
    for (int update = 1; update <= 1000 && !toast.IsDone(); ++update) {
        Step(toast, update);
        if (toast.mState == 2)
            ++held;
    }
    EXPECT_TRUE(toast.IsDone());
    EXPECT_EQ(held, 10);
    EXPECT_GE(toast.mY, 700.0f);

    EffectLineBreak still;
    still.Start(400, 300, 300, 700);
    EXPECT_TRUE(still.IsDone());
}

} // namespace
} // namespace Game
