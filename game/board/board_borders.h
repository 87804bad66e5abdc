#pragma once
// The board screen's table of border pieces: per cell, the layout's edge
// lists taken when a stage starts and the bevel pictures they stand for,
// placed around the tile at the tile layer's resting place.

#include "framework/util/rect.h"
#include "game/board/board_layout.h"

#include <array>
#include <cstddef>
#include <vector>

namespace Kavo {
class Image;
} // namespace Kavo

namespace Game {

class Bevel;
class BoardTiles;

struct BorderPicture {
    Kavo::Image* mImage = nullptr; // not owned
    Kavo::IntRect mSource;
    int mX = 0;
    int mY = 0;
};

struct BorderCell {
    std::vector<EdgePiece> mOutEdges;
    std::vector<EdgePiece> mInEdges;
    std::vector<BorderPicture> mPictures;
};

class BoardBorders {
public:
    // Empties the table, then, for each cell of the tiles' rectangle, copies
    // the layout's edge lists and turns each (direction, index) into the
    // bevel's outer or inner piece at the tile's corner plus the piece's
    // offset. A direction outside 0..11 or without pieces adds nothing;
    // without a bevel set the table stays empty.
    void Build(const BoardLayout& layout, const Bevel* bevel, const BoardTiles& tiles);
    void Clear();

    BorderCell& Cell(int column, int row) { return mCells[static_cast<size_t>(row * kBoardColumns + column)]; }
    const BorderCell& Cell(int column, int row) const {
        return mCells[static_cast<size_t>(row * kBoardColumns + column)];
    }

    std::array<BorderCell, kBoardCellCount> mCells;
};

} // namespace Game
