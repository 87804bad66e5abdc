#include "game/effects/spark_box.h"

#include "framework/graphics/image.h"
#include "game/effects/effect_random.h"
#include "game/effects/particle.h"

namespace Game {

namespace {

constexpr int kBoxWidth = 40;
constexpr int kBoxHeight = 50;

} // namespace

void AddBoxSparks(std::vector<std::unique_ptr<Particle>>& sparks, const SparkRecipe& recipe, Kavo::Image* image,
                  int count, float x, float y) {
    const int celWidth = image != nullptr ? image->GetCelWidth() : 0;
    const int celHeight = image != nullptr ? image->GetCelHeight() : 0;
    for (int i = 0; i < count; ++i) {
        const float angle = DegreesToRadians(static_cast<float>(RandomAngleDegrees()));
        const float sparkX = x + static_cast<float>(RandomModulo(kBoxWidth - celWidth));
        const float sparkY = y + static_cast<float>(RandomModulo(kBoxHeight - celHeight));
        sparks.push_back(MakeSpark(recipe, image, sparkX, sparkY, angle));
    }
}

} // namespace Game
