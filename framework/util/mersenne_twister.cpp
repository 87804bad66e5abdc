#include "framework/util/mersenne_twister.h"

namespace Kavo {

namespace {
constexpr int kShift = 397;
constexpr std::uint32_t kMatrixA = 0x9908B0DFu;
constexpr std::uint32_t kUpperMask = 0x80000000u;
constexpr std::uint32_t kLowerMask = 0x7FFFFFFFu;
} // namespace

void MersenneTwister::Seed(std::uint32_t seed) {
    if (seed == 0)
        seed = kDefaultSeed;
    mState[0] = seed;
    for (int i = 1; i < kStateSize; ++i) {
        const std::uint32_t prev = mState[i - 1];
        mState[i] = 1812433253u * (prev ^ (prev >> 30)) + static_cast<std::uint32_t>(i);
    }
    mIndex = kStateSize;
}

void MersenneTwister::Regenerate() {
    for (int k = 0; k < kStateSize; ++k) {
        const std::uint32_t y = (mState[k] & kUpperMask) | (mState[(k + 1) % kStateSize] & kLowerMask);
        mState[k] = mState[(k + kShift) % kStateSize] ^ (y >> 1) ^ ((y & 1) ? kMatrixA : 0u);
    }
    mIndex = 0;
}

std::int32_t MersenneTwister::Next() {
    if (mIndex >= kStateSize)
        Regenerate();
    std::uint32_t y = mState[mIndex++];
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680u;
    y ^= (y << 15) & 0xEFC60000u;
    y ^= y >> 18;
    return static_cast<std::int32_t>(y & kLowerMask);
}

MersenneTwister& GetRandGenerator() {
    // Built on first use, so that callers from other static initialisers
    // never see an unseeded state.
    static MersenneTwister generator;
    return generator;
}

std::int32_t Rand() {
    return GetRandGenerator().Next();
}

} // namespace Kavo
