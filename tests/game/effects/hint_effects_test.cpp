// Blinking images, hint markers and arrows, the hint-bonus burst, the time
// freeze and the banner fade.
#include "game/effects/anim_effect.h"
#include "game/effects/banner_fade.h"
#include "game/effects/effect_freeze_time.h"
#include "game/effects/effect_hint_arrows.h"
#include "game/effects/effect_hint_bonus.h"
#include "game/effects/hint_marker.h"
#include "game/effects/particle.h"
#include "game/ui/resource_ids.h"
#include "tests/game/effects/effect_family_fixture.h"

namespace Game {
namespace {

using HintEffectsTest = EffectFamilyTest;

TEST_F(HintEffectsTest, AnimEffectBlinksForItsCycles) {
    struct Case {
        int delay, duration, maxCycles, doneAt;
    } cases[] = {
        {3, 50, 2, 207}, // 3 waiting, then 51 updates up and 51 down per cycle
        {0, 0, 1, 2},    // a duration of 0 counts as 1
        {0, 1, 1, 2},
    };
    for (const Case& c : cases) {
        AnimEffect blink(10, 10, IMAGE_BREAD, c.delay, c.duration, false, c.maxCycles);
        EXPECT_EQ(RunEffect(blink, 1000), c.doneAt) << c.delay << " " << c.duration << " " << c.maxCycles;
    }
    AnimEffect still(10, 10, IMAGE_BREAD, 0, 300, false, 1);
    for (int update = 1; update <= 500; ++update)
        Step(still, update);
    EXPECT_FALSE(still.IsDone());
    EXPECT_EQ(still.mImage.mValue, 0.0f);
}

TEST_F(HintEffectsTest, HintMarkerPulsesAlongItsColumnForAHundredUpdates) {
    HintMarker marker(227, 153, 227, 203);
    EXPECT_EQ(marker.mImage, IMAGE_HINT_VERT);
    EXPECT_EQ(marker.mCenterY, 178.0f);
    for (int update = 1; update < 100; ++update)
        marker.Update();
    EXPECT_FALSE(marker.IsDone());
    EXPECT_EQ(marker.mScale[0], 1.0f);
    EXPECT_NE(marker.mScale[1], 1.0f);
    EXPECT_GE(marker.mScale[1], 0.9f - 0.006f);
    EXPECT_LE(marker.mScale[1], 1.1f + 0.006f);
    marker.Update();
    EXPECT_TRUE(marker.IsDone());

    EXPECT_EQ(HintMarker(227, 153, 277, 153).mImage, IMAGE_HINT_HORZ);
}

Move MoveOf(int c1, int r1, int c2, int r2) {
    Move move;
    move.mColumn1 = c1;
    move.mRow1 = r1;
    move.mColumn2 = c2;
    move.mRow2 = r2;
    move.mX1 = 177 + c1 * 50 + 25;
    move.mY1 = 103 + r1 * 50 + 25;
    move.mX2 = 177 + c2 * 50 + 25;
    move.mY2 = 103 + r2 * 50 + 25;
    return move;
}

TEST_F(HintEffectsTest, HintArrowsShowOneArrowPerCellAndStopTakingMovesAfterTheirLimit) {
    EffectHintArrows arrows;
    const Move first = MoveOf(0, 0, 1, 0);
    const Move sharing = MoveOf(1, 0, 1, 1);
    const Move apart = MoveOf(5, 5, 6, 5);
    arrows.SetMoves({first, sharing, apart});
    const auto& entries = arrows.mHolders.mEntries;
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].mMove.mColumn2, 1);
    EXPECT_EQ(entries[1].mMove.mColumn1, 5);
    EXPECT_EQ(entries[0].mEffect->mImage.mX, 177.0f);

    arrows.SetMoves({sharing, apart});
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].mMove.mColumn1, 5);
    EXPECT_EQ(entries[1].mMove.mRow2, 1);

    for (int update = 1; update <= 2000; ++update)
        Step(arrows, update);
    arrows.SetMoves({first});
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].mMove.mRow2, 1);
    int update = 2000;
    while (!arrows.IsDone() && update < 2200)
        Step(arrows, ++update);
    EXPECT_TRUE(arrows.IsDone());
    EXPECT_LE(update, 2103);
}

TEST_F(HintEffectsTest, HintBonusStripsDriftUpAndTheBurstEndsOnItsUpdate256) {
    EffectHintBonus burst(400, 300, 0, 0, {}, &mListener);
    const float offsets[] = {-25, -14, -3, 11, 22};
    ASSERT_EQ(burst.mStrips.size(), 5u);
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(burst.mStrips[i]->mX, 372.0f);
        EXPECT_EQ(burst.mStrips[i]->mY, 300.0f + offsets[i]);
        EXPECT_LE(burst.mStrips[i]->mVelocityY, 0.0f) << i;
        EXPECT_EQ(burst.mStrips[i]->mSource, Kavo::IntRect(20, 22 + 11 * static_cast<int>(i), 56, 8));
    }
    EXPECT_EQ(RunEffect(burst, 1000), 256);
    EXPECT_EQ(mListener.Count('F'), 1);
}

TEST_F(HintEffectsTest, FreezeProbeSplitsArrivesLocksAndReleases) {
    EffectFreezeTime same(500, 60, 300, 300, 300, 300, &mListener, 0);
    EXPECT_TRUE(same.IsDone());
    Step(same, 1, &mListener);
    EXPECT_TRUE(mListener.mCalls.empty());

    EffectFreezeTime freeze(500, 60, 300, 400, 520, 60, &mListener, 0);
    ASSERT_EQ(freeze.mProbes.size(), 1u);
    int update = 0;
    while (freeze.mState == 0 && update < 1000) {
        Step(freeze, ++update, &mListener);
        const SplineAnimation& probe = *freeze.mProbes.front().mFlyer;
        const bool pastHalf = probe.mProgress * probe.mLengthScale > freeze.mProbes.front().mPath->mTotalLength / 2;
        if (!pastHalf) {
            ASSERT_EQ(freeze.mProbes.size(), 1u) << update;
        }
    }
    EXPECT_EQ(freeze.mProbes.size(), 5u);
    ASSERT_EQ(mListener.mCalls, (std::vector<std::pair<char, int>>{{'M', update}}));
    const int arrived = update;
    for (int i = 1; i < 30; ++i)
        Step(freeze, ++update, &mListener);
    EXPECT_LT(freeze.mLock.mValue, 255.0f);
    Step(freeze, ++update, &mListener);
    EXPECT_EQ(freeze.mLock.mValue, 255.0f);
    while (freeze.mState == 1)
        Step(freeze, ++update, &mListener);
    EXPECT_EQ(update - arrived, 500);
    while (!freeze.IsDone() && update < 2000)
        Step(freeze, ++update, &mListener);
    EXPECT_TRUE(freeze.IsDone());
    EXPECT_EQ(mListener.mCalls, (std::vector<std::pair<char, int>>{{'M', arrived}, {'F', update}}));
}

TEST_F(HintEffectsTest, BannerFadesInHoldsAndGrowsOut) {
    EffectFade banner(IMAGE_LEVEL_COMPLETE, 512, 300, 0, &mListener, 51);
    int update = 0;
    while (update < 40)
        Step(banner, ++update, &mListener);
    EXPECT_EQ(banner.mAlpha.mValue, 255.0f);
    EXPECT_EQ(banner.mState, 1);
    while (!banner.IsDone() && update < 1000)
        Step(banner, ++update, &mListener);
    EXPECT_EQ(update, 91);
    EXPECT_NEAR(banner.mScale.mValue, 1.0f + 51 * 0.04f, 1e-4);
    Step(banner, ++update, &mListener);
    EXPECT_EQ(mListener.mCalls, (std::vector<std::pair<char, int>>{{'F', 91}}));
}

} // namespace
} // namespace Game
