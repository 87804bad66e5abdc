// The knife, pepper and double-score effects, and every effect of the
// flying family played to its end.
#include "game/effects/coin_effect.h"
#include "game/effects/effect_knife.h"
#include "game/effects/effect_pepper.h"
#include "game/effects/effect_rank_star_appear.h"
#include "game/effects/effect_rating_star.h"
#include "game/effects/effect_reward.h"
#include "game/effects/effect_sinus.h"
#include "game/effects/effect_spin.h"
#include "game/effects/effect_x2.h"
#include "game/effects/particle.h"
#include "game/ui/resource_ids.h"
#include "game/ui/spline_animation.h"
#include "tests/game/effects/flying_effect_fixture.h"

#include <functional>

namespace Game::Test {
namespace {

using KnifePepperX2Test = FlyingEffectTest;

TEST_F(KnifePepperX2Test, KnifeCutsFiveSlicesAndDropsThemStrokeByStroke) {
    EffectKnife knife(kKnifeItem, 300, 200);
    EXPECT_EQ(knife.mLayer, 1);
    ASSERT_EQ(knife.mSlices.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(knife.mSlices[i].source.mX, i * 20);
        EXPECT_EQ(knife.mSlices[i].source.mWidth, i < 4 ? 22 : 20) << "clipped to the picture";
        EXPECT_EQ(knife.mSlices[i].x, 300 - 50 + 10 + i * 20);
    }
    // The fall of each slice, by the down-strokes that have ended.
    std::vector<int> fallsAtPass(5, 0);
    int lastFall = 0;
    int update = 0;
    while (knife.mKnife != nullptr && update < 1000) {
        Step(knife);
        ++update;
        for (int i = 0; i < 5; ++i) {
            if (fallsAtPass[i] == 0 && knife.mSlices[i].fallSpeed > 0) {
                fallsAtPass[i] = knife.mPassCount;
                lastFall = update;
            }
        }
    }
    EXPECT_EQ(knife.mPassCount, 8);
    EXPECT_EQ(fallsAtPass, (std::vector<int>{1, 3, 5, 7, 7}));
    EXPECT_LT(knife.mSlices[4].spin, 0.0f);
    const int doneAt = update + RunEffect(knife, 1000);
    EXPECT_EQ(doneAt - lastFall, 63) << "the last slices fade in 64 updates";

    EffectKnife none(42, 300, 200);
    EXPECT_TRUE(none.IsDone());
}

TEST_F(KnifePepperX2Test, PepperBurnsThenScattersEightPieces) {
    EffectPepper pepper(kKnifeItem, 300, 200);
    EXPECT_EQ(pepper.mLayer, 1);
    int update = 0;
    while (pepper.mPhase == EffectPepper::kBurning && update < 1000) {
        Step(pepper);
        ++update;
    }
    ASSERT_EQ(pepper.mPieces.size(), 8u);
    EXPECT_EQ(pepper.mPieces[7]->mSource, Kavo::IntRect(77, 0, 11, 30));
    EXPECT_EQ(pepper.mPieces[0]->mFade, 1.5f);
    const int doneAt = update + RunEffect(pepper, 1000);
    EXPECT_NEAR(doneAt - update, 170, 1) << "255 / 1.5 updates";

    EffectPepper none(42, 300, 200);
    EXPECT_TRUE(none.IsDone());
}

TEST_F(KnifePepperX2Test, DoubleScoreLabelsFadeInStayAndFadeOut) {
    RecordingListener still = MakeListener();
    EffectX2 same(100, 100, 100, 100, &still);
    EXPECT_TRUE(same.IsDone());
    EXPECT_TRUE(still.mFinished.empty());

    RecordingListener listener = MakeListener();
    EffectX2 x2(100, 600, 400, 50, &listener);
    EXPECT_EQ(x2.mLabels[2].mX, 400 + 235);
    int update = 0;
    while (listener.mFinished.empty() && update < 1000) {
        Step(x2);
        ++update;
        EXPECT_EQ(x2.mLabels[0].mValue, 0.0f);
    }
    EXPECT_FALSE(x2.mSparks.empty());
    Step(x2, 71);
    for (const NamedImage& label : x2.mLabels)
        EXPECT_EQ(label.mValue, 255.0f);
    Step(x2, 3000 - 71 - 1);
    EXPECT_EQ(x2.mLabels[0].mValue, 255.0f);
    Step(x2);
    EXPECT_EQ(x2.mPhase, EffectX2::kFading);
    const int fadeOut = RunEffect(x2, 100);
    EXPECT_GT(fadeOut, 60);
    EXPECT_LE(fadeOut, 71);
    EXPECT_EQ(listener.mFinished.size(), 1u);
}

} // namespace
} // namespace Game::Test

namespace Game::Test {
namespace {

// Every effect of this family ends from the sample animations, within its
// bound, telling its listener it finished at most once. FlipCard is a plain
// object that never ends by design.
TEST_F(KnifePepperX2Test, EveryFlyingEffectEndsFromTheSampleContent) {
    const int place[4] = {0, 0, 24, 24};
    struct Case {
        const char* name;
        int bound;
        std::function<std::unique_ptr<EffectBase>(EffectListener*)> make;
    } cases[] = {
        {"coins", 1000, [](EffectListener* l) { return std::make_unique<CoinEffect>(100, 100, 500, 300, 4, l); }},
        {"rating star", 1000, [](EffectListener* l) { return std::make_unique<EffectRatingStar>(0, 0, 300, 300, l); }},
        {"sinus", 1000, [](EffectListener* l) { return std::make_unique<EffectSinus>(0, 0, 300, 300, 0, l); }},
        {"rank star", 1000,
         [&](EffectListener* l) { return std::make_unique<EffectRankStarAppear>(2, 4, l, 0, 0, place); }},
        {"reward", 1000, [&](EffectListener* l) { return std::make_unique<EffectReward>(3, IMAGE_RANK, 0, 0, l); }},
        {"spin", 1000,
         [](EffectListener*) { return std::make_unique<EffectSpin>(IMAGE_RANK, IMAGE_RANK, 50, 50, 25); }},
        {"knife", 1000, [](EffectListener*) { return std::make_unique<EffectKnife>(kKnifeItem, 300, 200); }},
        {"pepper", 1000, [](EffectListener*) { return std::make_unique<EffectPepper>(kKnifeItem, 300, 200); }},
        {"x2", 3400, [](EffectListener* l) { return std::make_unique<EffectX2>(100, 600, 400, 50, l); }},
    };
    for (const Case& c : cases) {
        RecordingListener listener = MakeListener();
        std::unique_ptr<EffectBase> effect = c.make(&listener);
        EXPECT_GT(RunEffect(*effect, c.bound), 0) << c.name;
        EXPECT_LE(listener.mFinished.size(), 1u) << c.name;
    }
}

} // namespace
} // namespace Game::Test
