#pragma once
// MT19937 with two house rules: a seed of 0 means 4357, and every output has
// its top bit cleared. Demos record the seed, so the sequence for a seed must
// never change.

#include <array>
#include <cstdint>

namespace Kavo {

class MersenneTwister {
public:
    static constexpr int kStateSize = 624;
    static constexpr std::uint32_t kDefaultSeed = 4357;

    MersenneTwister() { Seed(kDefaultSeed); }
    explicit MersenneTwister(std::uint32_t seed) { Seed(seed); }

    void Seed(std::uint32_t seed);
    // 0 to 2,147,483,647. Signed so that expressions such as Next() % 3 - 1
    // stay in signed arithmetic at the call site.
    std::int32_t Next();

private:
    void Regenerate();

    std::array<std::uint32_t, kStateSize> mState{};
    std::int32_t mIndex = kStateSize;
};

// The process-wide generator behind Rand, seeded with 4357 until start-up or
// demo playback seeds it again.
MersenneTwister& GetRandGenerator();
std::int32_t Rand();

} // namespace Kavo
