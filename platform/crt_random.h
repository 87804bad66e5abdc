#pragma once
// The C runtime's small random generator, reproduced bit for bit because the
// board's refill sequence depends on it (glibc's rand() differs).

#include <cstdint>

namespace platform {

inline constexpr int kCrtRandMax = 32767;

class CrtRandom {
public:
    explicit CrtRandom(std::uint32_t seed = 1) : mState(seed) {}
    void Seed(std::uint32_t seed) { mState = seed; }
    // 0 .. kCrtRandMax.
    int Next() {
        mState = mState * 214013u + 2531011u;
        return static_cast<int>((mState >> 16) & 0x7FFF);
    }

private:
    std::uint32_t mState;
};

// The calling thread's generator (seed 1 until the thread calls CrtSrand),
// as the C runtime keeps one per thread.
void CrtSrand(std::uint32_t seed);
int CrtRand();

} // namespace platform
