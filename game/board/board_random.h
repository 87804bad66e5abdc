#pragma once
// The board's random draws. They all run on the runtime-compatible generator
// (platform CrtRand), never on the framework's Mersenne Twister, so that a
// run seeded from the demo seed deals, shuffles and places the same way
// again. Effects shuffle their lists with ShuffleList too.

#include "platform/crt_random.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace Game {

// a + int(rand() * (b - a) / 32767.0), truncated toward zero; a draw that
// gives b gives a instead, so the result lies in a .. b - 1 for a < b.
int RandomInt(int a, int b);

// An index into a list of n entries: int(rand() * n / 32767.0), n becoming
// 0. Draws nothing and gives 0 for n <= 0.
int RandomIndex(int n);

// For i = 1 .. n - 1 swaps elements i and rand() % (i + 1).
template <typename T>
void ShuffleList(std::vector<T>& list) {
    for (std::size_t i = 1; i < list.size(); ++i) {
        const std::size_t j = static_cast<std::size_t>(platform::CrtRand()) % (i + 1);
        std::swap(list[i], list[j]);
    }
}

} // namespace Game
