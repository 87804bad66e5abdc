#include "tests/game/board/ascii_board.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace Game::Test {

namespace {

struct Token {
    bool exists = false;
    int item = kItemEmpty;
    int tiles = 0;
    bool tilesGiven = false;
    int chain = 0;
    int chainStyle = 0;
    int secret = -1;
};

int Number(const std::string& text, size_t& at) {
    size_t used = 0;
    const int value = std::stoi(text.substr(at), &used);
    at += used;
    return value;
}

Token Parse(const std::string& text) {
    Token token;
    if (text == "#")
        return token;
    token.exists = true;
    size_t at = 0;
    if (text[0] == '.')
        at = 1;
    else
        token.item = Number(text, at);
    while (at < text.size()) {
        const char mark = text[at++];
        switch (mark) {
        case 't':
            token.tiles = Number(text, at);
            token.tilesGiven = true;
            break;
        case 'c':
            token.chain = Number(text, at);
            break;
        case 'S':
            token.chainStyle = 1;
            break;
        case 's':
            token.secret = Number(text, at);
            break;
        default:
            ADD_FAILURE() << "unknown mark '" << mark << "' in " << text;
            return token;
        }
    }
    return token;
}

// The token of every cell, row-major; absent past the text.
std::vector<Token> ParseGrid(const std::vector<std::string>& rows) {
    std::vector<Token> grid(kBoardCellCount);
    EXPECT_LE(rows.size(), static_cast<size_t>(kBoardRows));
    for (size_t row = 0; row < rows.size() && row < kBoardRows; ++row) {
        std::istringstream in(rows[row]);
        std::string text;
        for (int column = 0; in >> text; ++column) {
            if (column >= kBoardColumns) {
                ADD_FAILURE() << "row " << row << " is wider than the grid";
                break;
            }
            grid[row * kBoardColumns + static_cast<size_t>(column)] = Parse(text);
        }
    }
    return grid;
}

} // namespace

void SetBoardFromAscii(Board& board, const std::vector<std::string>& rows) {
    const std::vector<Token> grid = ParseGrid(rows);
    board.ResetCells(kItemEmpty);
    for (int row = 0; row < kBoardRows; ++row) {
        for (int column = 0; column < kBoardColumns; ++column) {
            const Token& token = grid[static_cast<size_t>(row * kBoardColumns + column)];
            BoardCell& cell = board.Cell(column, row);
            cell.mExists = token.exists;
            cell.mItem = token.item;
            cell.mTiles = token.tiles;
            cell.mChain = token.chain;
            cell.mChainStyle = token.chainStyle;
            cell.mSecretItem = token.secret;
            cell.mTargetX = board.ColumnToX(column, true);
            cell.mTargetY = board.RowToY(row, true);
            cell.mX = static_cast<float>(cell.mTargetX);
            cell.mY = static_cast<float>(cell.mTargetY);
            Board::PlaceItemPicture(cell);
            Board::PlaceChainPicture(cell);
            Board::PlaceSecretPicture(cell);
        }
    }
    board.ComputeActiveRect();
}

BoardLayout LayoutFromAscii(const std::vector<std::string>& rows) {
    const std::vector<Token> grid = ParseGrid(rows);
    BoardLayout layout;
    for (size_t i = 0; i < grid.size(); ++i) {
        LayoutCell& cell = layout.mCells[i];
        const Token& token = grid[i];
        cell.mValue = token.exists ? (token.tilesGiven ? token.tiles : 1) : 0;
        cell.mChain = token.chain;
        cell.mChainStyle = token.chainStyle;
    }
    return layout;
}

std::vector<std::string> AsciiFromBoard(const Board& board) {
    std::vector<std::string> rows;
    for (int row = 0; row < kBoardRows; ++row) {
        std::string line;
        for (int column = 0; column < kBoardColumns; ++column) {
            const BoardCell& cell = board.Cell(column, row);
            std::string text = "#";
            if (cell.mExists) {
                text = cell.mItem == kItemEmpty ? "." : std::to_string(cell.mItem);
                if (cell.mTiles != 0)
                    text += "t" + std::to_string(cell.mTiles);
                if (cell.mChain != 0)
                    text += "c" + std::to_string(cell.mChain);
                if (cell.mSecretItem >= 0)
                    text += "s" + std::to_string(cell.mSecretItem);
            }
            line += (column == 0 ? "" : " ") + text;
        }
        rows.push_back(line);
    }
    return rows;
}

} // namespace Game::Test
