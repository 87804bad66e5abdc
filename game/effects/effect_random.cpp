#include "game/effects/effect_random.h"

#include "framework/util/mersenne_twister.h"
#include "platform/crt_random.h"

namespace Game {

float RandomInRange(double low, double high) {
    const double r = static_cast<double>(platform::CrtRand());
    return static_cast<float>(low + r * (high - low) / static_cast<double>(platform::kCrtRandMax));
}

int RandomAngleDegrees() {
    return Kavo::Rand() % 360;
}

float RandomSpin(float divisor) {
    return static_cast<float>(Kavo::Rand() % 100) / divisor;
}

int RandomModulo(int n) {
    return n <= 0 ? 0 : Kavo::Rand() % n;
}

} // namespace Game
