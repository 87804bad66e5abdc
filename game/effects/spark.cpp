#include "game/effects/spark.h"

#include "game/effects/effect_random.h"
#include "game/effects/particle.h"

#include <cmath>
#include <numbers>

namespace Game {

namespace {

void Finish(Particle& spark, const SparkRecipe& recipe, float x, float y) {
    spark.mX = x;
    spark.mY = y;
    spark.mColor = Kavo::Color(255, 255, 255, 255);
    spark.mAlpha = recipe.alpha;
    spark.mFade = recipe.fade;
    spark.mAdditive = recipe.additive ? 1 : 0;
}

} // namespace

std::unique_ptr<Particle> MakeSpark(const SparkRecipe& recipe, Kavo::Image* image, float x, float y,
                                    float angleRadians) {
    auto spark =
        std::make_unique<Particle>(recipe.speedX * std::cos(angleRadians), -recipe.speedY * std::sin(angleRadians),
                                   RandomSpin(recipe.spinDivisor), image);
    Finish(*spark, recipe, x, y);
    return spark;
}

std::unique_ptr<RectParticle> MakeRectSpark(const SparkRecipe& recipe, Kavo::Image* image, const Kavo::IntRect& source,
                                            float x, float y, float angleRadians) {
    auto spark =
        std::make_unique<RectParticle>(recipe.speedX * std::cos(angleRadians), -recipe.speedY * std::sin(angleRadians),
                                       RandomSpin(recipe.spinDivisor), image, source);
    Finish(*spark, recipe, x, y);
    return spark;
}

float DegreesToRadians(float degrees) {
    return degrees * std::numbers::pi_v<float> / 180.0f;
}

} // namespace Game
