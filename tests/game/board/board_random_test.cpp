#include "game/board/board_random.h"

#include <gtest/gtest.h>

#include <vector>

namespace Game {
namespace {

// The generator's first draws after CrtSrand(1) are 41, 18467, 6334, 26500;
// after CrtSrand(30091) the first is 32767.
TEST(BoardRandomTest, DrawsFollowTheSeededGenerator) {
    platform::CrtSrand(1);
    std::vector<int> draws;
    for (int i = 0; i < 4; ++i)
        draws.push_back(RandomInt(0, 5));
    EXPECT_EQ(draws, (std::vector<int>{0, 2, 0, 4}));

    // A draw that reaches b, or an index that reaches n, wraps to the start.
    platform::CrtSrand(30091);
    EXPECT_EQ(RandomInt(3, 7), 3);
    platform::CrtSrand(30091);
    EXPECT_EQ(RandomIndex(4), 0);
    platform::CrtSrand(1);
    EXPECT_EQ(RandomIndex(5), 0); // 41 * 5 / 32767
    EXPECT_EQ(RandomIndex(5), 2); // 18467 * 5 / 32767
    platform::CrtSrand(1);
}

TEST(BoardRandomTest, ShuffleSwapsEachElementWithAnEarlierDraw) {
    // i = 1: 41 % 2 = 1 (stays); i = 2: 18467 % 3 = 2 (stays); i = 3: 6334 % 4 = 2.
    platform::CrtSrand(1);
    std::vector<int> list{0, 1, 2, 3};
    ShuffleList(list);
    EXPECT_EQ(list, (std::vector<int>{0, 1, 3, 2}));
    // A list of one or none draws nothing.
    std::vector<int> single{7};
    ShuffleList(single);
    EXPECT_EQ(platform::CrtRand(), 26500);
    platform::CrtSrand(1);
}

} // namespace
} // namespace Game
