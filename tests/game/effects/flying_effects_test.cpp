// The flying and meta-game effects: coins, rating star, sinus trail, rank
// star, reward, spin and the flipping card.
#include "framework/graphics/image.h"
#include "game/effects/coin_effect.h"
#include "game/effects/effect_rank_star_appear.h"
#include "game/effects/effect_rating_star.h"
#include "game/effects/effect_reward.h"
#include "game/effects/effect_sinus.h"
#include "game/effects/effect_spin.h"
#include "game/effects/flip_card.h"
#include "game/effects/particle.h"
#include "game/ui/resource_ids.h"
#include "game/ui/spline_animation.h"
#include "tests/game/effects/flying_effect_fixture.h"

namespace Game::Test {
namespace {

using FlyingEffectsTest = FlyingEffectTest;

TEST_F(FlyingEffectsTest, CoinsCallTheListenerOnceAfterTheLastCoinLanded) {
    struct Case {
        int x2, y2, count;
        bool told;
    } cases[] = {{400, 300, 3, true}, {400, 300, 0, true}, {100, 100, 3, false}};
    for (const Case& c : cases) {
        RecordingListener listener = MakeListener();
        CoinEffect coins(100, 100, c.x2, c.y2, c.count, &listener);
        EXPECT_EQ(coins.mCoins.size(), static_cast<size_t>(c.count));
        size_t before = coins.mCoins.size();
        int lastLanding = 0;
        int update = 0;
        while (!coins.IsDone() && update < 1000) {
            Step(coins);
            ++update;
            if (coins.mCoins.size() != before)
                lastLanding = update;
            before = coins.mCoins.size();
        }
        if (!c.told) {
            EXPECT_EQ(update, 0) << "equal points: done at once";
            EXPECT_TRUE(listener.mFinished.empty());
            continue;
        }
        EXPECT_TRUE(coins.mCoins.empty());
        EXPECT_EQ(listener.mFinished, std::vector<int>{c.count == 0 ? 1 : lastLanding}) << c.count;
        EXPECT_EQ(listener.mFinishedBy, &coins);
    }
}

TEST_F(FlyingEffectsTest, RatingStarLeavesATrailAndEndsOnceItFaded) {
    RecordingListener still = MakeListener();
    EffectRatingStar same(200, 200, 200, 200, &still);
    EXPECT_TRUE(same.IsDone());

    RecordingListener listener = MakeListener();
    EffectRatingStar star(100, 100, 500, 100, &listener);
    Step(star, 4);
    EXPECT_TRUE(star.mTrail.empty());
    const float flyerX = star.mFlyer->mX;
    Step(star);
    ASSERT_EQ(star.mTrail.size(), 1u);
    EXPECT_EQ(star.mTrail[0]->mX, flyerX);
    EXPECT_EQ(star.mTrail[0]->mAlpha, 127.0f - 3.0f);
    Step(star, 5);
    EXPECT_EQ(star.mTrail.size(), 2u);

    const int doneAt = 10 + RunEffect(star, 1000);
    ASSERT_EQ(listener.mFinished.size(), 1u);
    EXPECT_GT(doneAt, listener.mFinished[0]) << "the trail fades after the arrival";
    EXPECT_LE(doneAt, listener.mFinished[0] + 43);
}

TEST_F(FlyingEffectsTest, SinusShedsTwoSparksEveryFourthUpdateUntilItArrives) {
    RecordingListener listener = MakeListener();
    EffectSinus sinus(100, 300, 700, 300, 0, &listener);
    Step(sinus, 3);
    EXPECT_TRUE(sinus.mSparks.empty());
    Step(sinus);
    EXPECT_EQ(sinus.mSparks.size(), 2u);
    Step(sinus, 4);
    EXPECT_EQ(sinus.mSparks.size(), 4u);
    for (const auto& spark : sinus.mSparks)
        EXPECT_EQ(spark->mColor.mAlpha, 255);

    const int doneAt = 8 + RunEffect(sinus, 1000);
    ASSERT_EQ(listener.mFinished.size(), 1u);
    EXPECT_EQ(listener.mFinishedBy, &sinus);
    EXPECT_GT(doneAt, listener.mFinished[0]);
    EXPECT_LE(doneAt, listener.mFinished[0] + 86) << "the last sparks fade within 85 updates";
}

TEST_F(FlyingEffectsTest, RankStarTakesItsSizeHoldsThenFliesToItsPlace) {
    RecordingListener listener = MakeListener();
    const int place[4] = {0, 0, 64, 64};
    EffectRankStarAppear star(2, 4, &listener, 0, 0, place);
    EXPECT_EQ(star.mCelRect, IMAGE_RANK->GetCelRect(2, 0));
    Step(star);
    EXPECT_EQ(star.mScale, 2.0f);
    Step(star, 100);
    EXPECT_EQ(star.mScale, 2.0f) << "the target holds";
    EXPECT_TRUE(listener.mMiddle.empty());
    Step(star);
    ASSERT_EQ(listener.mMiddle, std::vector<int>{102});
    ASSERT_FALSE(star.mSparks.empty());
    EXPECT_EQ(star.mSparks[0]->mColor, Kavo::Color(255, 249, 51, 255));

    const int doneAt = 102 + RunEffect(star, 1000);
    ASSERT_EQ(listener.mFinished, std::vector<int>{doneAt});
    EXPECT_EQ(listener.mMiddle.size(), static_cast<size_t>(doneAt - 101)) << "once per flying update";
    EXPECT_EQ(listener.mLastX, kCentreX + 300.0f);

    RecordingListener lost = MakeListener();
    EffectRankStarAppear nowhere(1, 9, &lost, 0, 0, place);
    EXPECT_EQ(RunEffect(nowhere, 10), 1);
    EXPECT_EQ(lost.mFinished, std::vector<int>{1});
}

TEST_F(FlyingEffectsTest, RankStarWithoutAPictureOrOutsideTheRanks) {
    const int place[4] = {0, 0, 64, 64};
    EffectRankStarAppear high(7, 4, nullptr, 0, 0, place);
    EXPECT_EQ(high.mRank, 2);
    IMAGE_RANK = nullptr;
    EffectRankStarAppear bare(0, 4, nullptr, 0, 0, place);
    EXPECT_EQ(bare.mTargetScale, 1.0f);
}

TEST_F(FlyingEffectsTest, RewardShrinksToItsSizeHoldsThenFlies) {
    RecordingListener listener = MakeListener();
    Kavo::MemoryImage* picture = Picture(40, 40);
    EffectReward reward(3, picture, 0, 0, &listener);
    Step(reward, 50);
    EXPECT_NEAR(reward.mScale, 1.5f, 0.001f);
    int atSize = 50;
    while (reward.mScale > 1.0f) {
        Step(reward);
        ++atSize;
    }
    EXPECT_NEAR(atSize, 100, 1);
    Step(reward, 99);
    EXPECT_EQ(reward.mState, EffectReward::kShrinking) << "the size holds for 101 updates";
    Step(reward);
    EXPECT_EQ(reward.mState, EffectReward::kFlying);
    const int doneAt = atSize + 100 + RunEffect(reward, 1000);
    EXPECT_EQ(listener.mFinished, std::vector<int>{doneAt});

    RecordingListener lost = MakeListener();
    EffectReward nowhere(9, picture, 0, 0, &lost);
    EXPECT_EQ(RunEffect(nowhere, 10), 1);
    EXPECT_EQ(lost.mFinished, std::vector<int>{1});
}

TEST_F(FlyingEffectsTest, SpinEndsOnItsNinetyFirstUpdateFadedOut) {
    EffectSpin spin(Picture(20, 20), Picture(20, 20), 300, 300, 25);
    EXPECT_EQ(RunEffect(spin, 200), 91);
    EXPECT_EQ(spin.mAlpha, 0.0f);
}

TEST_F(FlyingEffectsTest, FlipCardTurnsToItsBackAndTellsBothEnds) {
    RecordingListener listener = MakeListener();
    Kavo::MemoryImage* front = Picture(100, 60);
    Kavo::MemoryImage* back = Picture(100, 60);
    FlipCard card(front, back, nullptr, 200, 100, &listener);
    EXPECT_EQ(listener.mMiddle, std::vector<int>{0});
    int update = 0;
    while (card.mScaleX > 0) {
        EXPECT_EQ(card.mCurrent, front);
        card.Update();
        ++update;
    }
    EXPECT_EQ(card.mCurrent, back);
    EXPECT_NEAR(update, 30, 1);
    EXPECT_TRUE(card.Contains(150, 70) && card.Contains(249, 129)) << "the turn is ignored";
    EXPECT_FALSE(card.Contains(250, 100));
    for (int i = 0; i < 100; ++i)
        card.Update();
    EXPECT_EQ(card.mState, FlipCard::kAtRest);
    EXPECT_EQ(listener.mFinished.size(), 1u);
    EXPECT_EQ(listener.mFinishedBy, nullptr);

    Kavo::Graphics g(&mScreen);
    card.Draw(&g);
    card.Restart();
    EXPECT_EQ(listener.mMiddle.size(), 2u);
    EXPECT_EQ(card.mCurrent, back) << "the back is the new front";
}

} // namespace
} // namespace Game::Test
