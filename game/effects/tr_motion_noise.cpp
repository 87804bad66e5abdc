#include "game/effects/tr_motion_noise.h"

#include "platform/crt_random.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace Game {

namespace {

constexpr int kTableSize = 512;
constexpr float kGain = 0.15f;
constexpr double kShift = 10000.0;
// Beyond this many cells an interval adds nothing new but time.
constexpr int kMaxCells = 256;

struct NoiseTables {
    std::array<int, kTableSize> permutation{};
    std::array<float, kTableSize> gradients{};

    NoiseTables() {
        platform::CrtRandom random(548485);
        for (int i = 0; i < kTableSize; ++i)
            permutation[static_cast<size_t>(i)] = i;
        for (int i = kTableSize - 1; i > 0; --i)
            std::swap(permutation[static_cast<size_t>(i)], permutation[static_cast<size_t>(random.Next() % (i + 1))]);
        // In [-1, 1), steps of 1/512.
        for (float& g : gradients)
            g = static_cast<float>(random.Next() % (2 * kTableSize) - kTableSize) / kTableSize;
    }

    float Gradient(long long cell) const {
        const size_t index = static_cast<size_t>(cell & (kTableSize - 1));
        return gradients[static_cast<size_t>(permutation[index])];
    }

    // Gradient noise at x: 0 at whole numbers, smooth in between.
    float At(double x) const {
        const double cell = std::floor(x);
        const float f = static_cast<float>(x - cell);
        const long long i = static_cast<long long>(cell);
        const float n0 = Gradient(i) * f;
        const float n1 = Gradient(i + 1) * (f - 1.0f);
        const float s = f * f * (3.0f - 2.0f * f);
        return n0 + s * (n1 - n0);
    }
};

const NoiseTables& Tables() {
    static const NoiseTables tables; // built once, thread-safely
    return tables;
}

} // namespace

float TrMotionNoise(float a, float b, int channel) {
    // Far out the cells no longer fit the table's arithmetic: no drift.
    constexpr float kFar = 1.0e9f;
    if (!(std::fabs(a) < kFar) || !(std::fabs(b) < kFar))
        return 0.0f;
    double from = std::min(a, b) + kShift + channel * (kTableSize / 2 + 0.5);
    const double to = std::max(a, b) + kShift + channel * (kTableSize / 2 + 0.5);
    const NoiseTables& tables = Tables();
    // Each unit cell the interval touches adds the noise at the middle of
    // its part of the interval.
    float sum = 0;
    for (int cells = 0; cells < kMaxCells; ++cells) {
        const double end = std::min(std::floor(from) + 1.0, to);
        sum += kGain * tables.At((from + end) * 0.5);
        if (end >= to)
            break;
        from = end;
    }
    return sum;
}

} // namespace Game
