#include "game/board/board_borders.h"

#include "game/board/bevel.h"
#include "game/board/board.h"
#include "game/board/board_tiles.h"

#include <algorithm>

namespace Game {

void BoardBorders::Clear() {
    for (BorderCell& cell : mCells)
        cell = BorderCell();
}

void BoardBorders::Build(const BoardLayout& layout, const Bevel* bevel, const BoardTiles& tiles) {
    Clear();
    if (bevel == nullptr)
        return;
    const int columnEnd = std::min(tiles.mColStart + tiles.mWidth, kBoardColumns);
    const int rowEnd = std::min(tiles.mRowStart + tiles.mHeight, kBoardRows);
    for (int row = std::max(tiles.mRowStart, 0); row < rowEnd; ++row) {
        for (int column = std::max(tiles.mColStart, 0); column < columnEnd; ++column) {
            const LayoutCell& source = layout.mCells[static_cast<size_t>(row * kBoardColumns + column)];
            BorderCell& cell = Cell(column, row);
            cell.mOutEdges = source.mOutEdges;
            cell.mInEdges = source.mInEdges;
            cell.mPictures.reserve(cell.mOutEdges.size() + cell.mInEdges.size());
            // At rest, whatever slide the tiles are in now.
            const int left = static_cast<int>(static_cast<float>(column * kCellSize) + tiles.mHomeX);
            const int top = static_cast<int>(static_cast<float>(row * kCellSize) + tiles.mHomeY);
            auto add = [&](const std::vector<EdgePiece>& edges, bool outer) {
                for (const auto& [direction, index] : edges) {
                    Kavo::IntRect rect;
                    int dx = 0;
                    int dy = 0;
                    const bool found = outer ? bevel->GetOut(direction, index, rect, dx, dy)
                                             : bevel->GetIn(direction, index, rect, dx, dy);
                    if (found)
                        cell.mPictures.push_back(
                            {outer ? bevel->mImageOut : bevel->mImageIn, rect, left + dx, top + dy});
                }
            };
            add(cell.mOutEdges, true);
            add(cell.mInEdges, false);
        }
    }
}

} // namespace Game
