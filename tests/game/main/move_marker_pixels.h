#pragma once
// Where a marker that points the player at a move is drawn: the board
// screen drawn off screen as it stands and again with the marker taken
// away; the pixels that differ are the marker's as the player sees them
// (under the items, for what is drawn beneath them). They must lie on the
// two cells of a move the board lists, and show on both.

#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "game/board/board.h"
#include "game/board/board_move.h"
#include "game/screens/board_screen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace Game {

struct MarkerPixel {
    int mX;
    int mY;
};

// The board screen's own drawing of itself, 1024 x 768 from (0, 0).
inline std::vector<uint32_t> DrawBoardScreen(BoardScreen& screen) {
    Kavo::MemoryImage image;
    image.Create(screen.mWidth, screen.mHeight);
    Kavo::Graphics g(&image);
    screen.Draw(&g);
    const uint32_t* bits = image.GetBits();
    return std::vector<uint32_t>(bits, bits + static_cast<size_t>(screen.mWidth) * static_cast<size_t>(screen.mHeight));
}

// The pixels that `hide` takes off the drawn screen; `show` puts back what
// it took.
inline std::vector<MarkerPixel> PixelsShownBy(BoardScreen& screen, const std::function<void()>& hide,
                                              const std::function<void()>& show) {
    const std::vector<uint32_t> with = DrawBoardScreen(screen);
    EXPECT_EQ(DrawBoardScreen(screen), with) << "drawing the screen changes what it draws";
    hide();
    const std::vector<uint32_t> without = DrawBoardScreen(screen);
    show();
    std::vector<MarkerPixel> pixels;
    for (size_t i = 0; i < with.size(); ++i)
        if (with[i] != without[i])
            pixels.push_back({static_cast<int>(i % static_cast<size_t>(screen.mWidth)),
                              static_cast<int>(i / static_cast<size_t>(screen.mWidth))});
    return pixels;
}

// The pixels of an owned marker of the screen (the tip arrow, the hint
// marker, the hint bonus's arrows).
template <typename Owned>
std::vector<MarkerPixel> MarkerPixels(BoardScreen& screen, Owned& marker) {
    Owned aside;
    return PixelsShownBy(
        screen, [&] { aside = std::move(marker); }, [&] { marker = std::move(aside); });
}

// The listed move whose two cells hold every pixel and each a good part of
// them, or none. A marker pulses along the pair by up to a tenth of its
// length; so much may stand past the pair's two ends.
inline std::optional<Move> ListedMoveUnder(const Board& board, const std::vector<MarkerPixel>& pixels,
                                           std::string& seen) {
    std::ostringstream out;
    if (pixels.empty()) {
        seen = "nothing drawn";
        return std::nullopt;
    }
    int left = pixels[0].mX, right = left, top = pixels[0].mY, bottom = top;
    for (const MarkerPixel& p : pixels) {
        left = std::min(left, p.mX);
        right = std::max(right, p.mX);
        top = std::min(top, p.mY);
        bottom = std::max(bottom, p.mY);
    }
    out << pixels.size() << " pixels in x " << left << "-" << right << ", y " << top << "-" << bottom << "; moves:";
    for (const Move& move : board.mMoves) {
        const int x = board.ColumnToX(std::min(move.mColumn1, move.mColumn2), false);
        const int y = board.RowToY(std::min(move.mRow1, move.mRow2), false);
        const bool across = move.mRow1 == move.mRow2;
        const int width = kCellSize * (std::abs(move.mColumn1 - move.mColumn2) + 1);
        const int height = kCellSize * (std::abs(move.mRow1 - move.mRow2) + 1);
        out << " (" << move.mColumn1 << "," << move.mRow1 << ")-(" << move.mColumn2 << "," << move.mRow2 << ")";
        const int reachX = across ? width * 6 / 100 : 0;
        const int reachY = across ? 0 : height * 6 / 100;
        const bool inside = std::all_of(pixels.begin(), pixels.end(), [&](const MarkerPixel& p) {
            return p.mX >= x - reachX && p.mX < x + width + reachX && p.mY >= y - reachY && p.mY < y + height + reachY;
        });
        if (!inside)
            continue;
        // Both cells show a part of it: the first cell is the upper or
        // left one.
        size_t first = 0, second = 0;
        for (const MarkerPixel& p : pixels) {
            const bool inFirst = across ? p.mX < x + kCellSize : p.mY < y + kCellSize;
            ++(inFirst ? first : second);
        }
        if (first * 4 >= pixels.size() && second * 4 >= pixels.size())
            return move;
    }
    seen = out.str();
    return std::nullopt;
}

// Whether two moves swap the same two cells, in either order.
inline bool SameCells(const Move& a, const Move& b) {
    const bool same = a.mColumn1 == b.mColumn1 && a.mRow1 == b.mRow1 && a.mColumn2 == b.mColumn2 && a.mRow2 == b.mRow2;
    const bool turned =
        a.mColumn1 == b.mColumn2 && a.mRow1 == b.mRow2 && a.mColumn2 == b.mColumn1 && a.mRow2 == b.mRow1;
    return same || turned;
}

// Whether swapping the move's two items makes a run of three or more in a
// row or a column through one of them, counted here from the items as they
// lie, not from the board's list.
inline bool SwapMakesRun(const Board& board, const Move& move) {
    auto itemAt = [&](int column, int row) {
        if (!board.IsInActiveRect(column, row))
            return -1;
        const BoardCell& cell = board.Cell(column, row);
        if (!cell.mExists || cell.mItem < 0)
            return -1;
        if (column == move.mColumn1 && row == move.mRow1)
            return board.Cell(move.mColumn2, move.mRow2).mItem;
        if (column == move.mColumn2 && row == move.mRow2)
            return board.Cell(move.mColumn1, move.mRow1).mItem;
        return cell.mItem;
    };
    auto runThrough = [&](int column, int row) {
        const int item = itemAt(column, row);
        if (item < 0)
            return false;
        for (const auto& [dc, dr] : {std::pair{1, 0}, std::pair{0, 1}}) {
            int length = 1;
            for (int c = column + dc, r = row + dr; itemAt(c, r) == item; c += dc, r += dr)
                ++length;
            for (int c = column - dc, r = row - dr; itemAt(c, r) == item; c -= dc, r -= dr)
                ++length;
            if (length >= 3)
                return true;
        }
        return false;
    };
    return runThrough(move.mColumn1, move.mRow1) || runThrough(move.mColumn2, move.mRow2);
}

} // namespace Game
