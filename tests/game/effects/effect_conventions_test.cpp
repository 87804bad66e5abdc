#include "game/effects/effect_fade.h"
#include "game/effects/effect_random.h"
#include "game/effects/particle.h"
#include "game/effects/spark.h"
#include "game/effects/tween.h"
#include "platform/crt_random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace Game {
namespace {

TEST(EffectFadeTest, AlphaStaysWithinOpaqueAndClear) {
    struct Case {
        float alpha, step, expected;
    } cases[] = {
        {100, -30, 70},
        {10, -30, 0},
        {250, 10, 255},
        {0, std::numeric_limits<float>::quiet_NaN(), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FadeAlpha(c.alpha, c.step), c.expected) << c.alpha << " + " << c.step;
    EXPECT_EQ(WhiteWithAlpha(127.9f).mAlpha, 127);
}

TEST(TweenTest, StopsAtTargetFromEitherSideAndStaysDone) {
    Tween up(0.0f, 1.0f, 0.4f);
    EXPECT_FALSE(up.Step());
    EXPECT_FALSE(up.Step());
    EXPECT_TRUE(up.Step());
    EXPECT_EQ(up.mValue, 1.0f);
    EXPECT_TRUE(up.Step());
    EXPECT_EQ(up.mValue, 1.0f);

    Tween down(255.0f, 0.0f, -100.0f);
    down.Step();
    down.Step();
    EXPECT_TRUE(down.Step());
    EXPECT_EQ(down.mValue, 0.0f);
}

TEST(EffectRandomTest, RangeFollowsTheRuntimeGenerator) {
    platform::CrtSrand(7);
    const int r = platform::CrtRand();
    platform::CrtSrand(7);
    const float value = RandomInRange(0.8, 1.1);
    EXPECT_FLOAT_EQ(value, static_cast<float>(0.8 + r * (1.1 - 0.8) / 32767.0));
    for (int i = 0; i < 200; ++i) {
        const float v = RandomInRange(-0.01, 0.01);
        EXPECT_GE(v, -0.01f);
        EXPECT_LE(v, 0.01f);
        const int angle = RandomAngleDegrees();
        EXPECT_GE(angle, 0);
        EXPECT_LT(angle, 360);
    }
    EXPECT_EQ(RandomModulo(0), 0);
}

TEST(SparkTest, FliesAtTheAngleWithTheRecipesSpeedsAndFade) {
    SparkRecipe recipe;
    recipe.speedX = 2.0f;
    recipe.speedY = 3.0f;
    recipe.spinDivisor = 100.0f;
    recipe.fade = 5.0f;
    auto spark = MakeSpark(recipe, nullptr, 10.0f, 20.0f, std::numbers::pi_v<float> / 2);
    EXPECT_NEAR(spark->mVelocityX, 0.0f, 1e-6);
    EXPECT_FLOAT_EQ(spark->mVelocityY, -3.0f);
    EXPECT_GE(spark->mGravity, 0.0f);
    EXPECT_LT(spark->mGravity, 1.0f);
    EXPECT_EQ(spark->mX, 10.0f);
    EXPECT_EQ(spark->mFade, 5.0f);
    EXPECT_EQ(spark->mColor.mRed, 255);
    EXPECT_NEAR(DegreesToRadians(180.0f), std::numbers::pi_v<float>, 1e-6);
}

} // namespace
} // namespace Game
