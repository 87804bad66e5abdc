#pragma once
// One board layout: per cell of the 16 x 10 grid (row-major), its tile
// value, the border pieces around it and its starting chain.

#include <array>
#include <utility>
#include <vector>

namespace Game {

inline constexpr int kBoardColumns = 16;
inline constexpr int kBoardRows = 10;
inline constexpr int kBoardCellCount = kBoardColumns * kBoardRows;

// (direction, index) into a bevel set's piece lists.
using EdgePiece = std::pair<int, int>;

struct LayoutCell {
    int mValue = 0; // 0: the cell is not part of the board
    std::vector<EdgePiece> mOutEdges;
    std::vector<EdgePiece> mInEdges;
    int mChain = 0;      // 0..3
    int mChainStyle = 0; // 0..1
};

struct BoardLayout {
    std::array<LayoutCell, kBoardCellCount> mCells;
};

} // namespace Game
