#include "game/board/board_random.h"

namespace Game {

int RandomInt(int a, int b) {
    const int value = a + static_cast<int>(static_cast<double>(platform::CrtRand()) * (b - a) /
                                           static_cast<double>(platform::kCrtRandMax));
    return value == b ? a : value;
}

int RandomIndex(int n) {
    if (n <= 0)
        return 0;
    const int index =
        static_cast<int>(static_cast<double>(platform::CrtRand()) * n / static_cast<double>(platform::kCrtRandMax));
    return index >= n ? 0 : index;
}

} // namespace Game
