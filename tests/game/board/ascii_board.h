#pragma once
// Boards and layouts written as rows of text, one token a cell, tokens
// separated by spaces; row 0 first, column 0 first:
//   #     no cell
//   .     an existing cell without an item (-1)
//   7     item 7 (also -2 or -3)
// followed by any of:
//   t2    two tiles         c3   chain level 3      S   chain style 1
//   s4    a secret item of id 4
// Cells past the given rows and columns do not exist. In a layout, an
// existing cell without "t" has tile value 1.

#include "game/board/board.h"
#include "game/board/board_layout.h"

#include <string>
#include <vector>

namespace Game::Test {

// Sets every cell of the board from the text (cells placed at their own
// centres with their catalogue pictures), then the active rectangle. The
// board's origin is kept.
void SetBoardFromAscii(Board& board, const std::vector<std::string>& rows);

BoardLayout LayoutFromAscii(const std::vector<std::string>& rows);

// The items of the board in the same notation ('#', '.', the item id and
// "t", "c", "s" marks), the whole 16 x 10 grid.
std::vector<std::string> AsciiFromBoard(const Board& board);

} // namespace Game::Test
