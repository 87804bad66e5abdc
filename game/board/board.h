#pragma once
// The model of the playing field: a 16 x 10 grid of cells, each of which may
// belong to the board and hold an item, a tile counter, a chain and a secret
// item, with item pictures that move in pixel space. The board screen owns
// one, forwards the mouse and the step time to it and draws it.

#include "game/board/board_cell.h"
#include "game/board/board_layout.h"
#include "game/ui/animation.h"

#include <array>
#include <vector>

namespace Kavo {
class Buffer;
class Graphics;
} // namespace Kavo

namespace Game {

class BoardListener;

inline constexpr int kCellSize = 50;

// Values of Board::mState.
enum BoardState {
    kBoardIdle = 0,
    kBoardSettling = 2,
    kBoardComplete = 4,
    kBoardNoMoreMoves = 7,
    kBoardClearing = 9,
    kBoardCleared = 10,
};

// A cell by column and row; -1 when none.
struct CellPos {
    int mColumn = -1;
    int mRow = -1;
    bool operator==(const CellPos&) const = default;
};

class Board {
public:
    // The size of the block Save writes: a 10-byte header and 7 bytes a cell.
    static constexpr int kSavedSize = 10 + kBoardCellCount * 7;

    Board();
    Board(const Board&) = delete;
    Board& operator=(const Board&) = delete;

    // ---- Geometry: pixels to columns and rows and back ----
    // -1 left of (above) the grid; 16 (10) or more right of (below) it.
    int XToColumn(int x) const;
    int YToRow(int y) const;
    int ColumnToX(int column, bool centre) const;
    int RowToY(int row, bool centre) const;
    static bool IsRowInRange(int row) { return row >= 0 && row < kBoardRows; }
    static bool IsInGrid(int column, int row) { return column >= 0 && column < kBoardColumns && IsRowInRange(row); }
    // The pixel lies in the grid on a cell that exists.
    bool IsCellAt(int x, int y) const;
    BoardCell* CellAt(int x, int y);
    BoardCell& Cell(int column, int row) { return mCells[static_cast<size_t>(row * kBoardColumns + column)]; }
    const BoardCell& Cell(int column, int row) const {
        return mCells[static_cast<size_t>(row * kBoardColumns + column)];
    }

    // ---- Queries over the active rectangle ----
    bool IsStill() const;
    bool AllTilesCleared() const;
    static bool IsMovable(const BoardCell& cell) { return cell.mExists && cell.mItem >= 0 && cell.mChain == 0; }
    // The target centre of the first such existing cell, row by row; (-1, -1)
    // when there is none.
    void FirstSecretCell(int& x, int& y) const;
    void FirstDoubleTileCell(int& x, int& y) const;
    void FirstChainedCell(int& x, int& y) const;
    // Appends every existing cell with tiles left and an item, row by row.
    void CollectTileCells(std::vector<CellPos>& points) const;
    // Clears the list, then lists every existing cell holding `item`.
    void CollectCellsOfItem(int item, std::vector<CellPos>& cells) const;
    // Appends every chained cell (the list is not cleared).
    void CollectChainedCells(std::vector<CellPos>& cells) const;
    // Fills `points` with up to n distinct existing cells for a bonus that
    // strikes several: tiled cells with items first (shuffled, at most
    // int(n * 0.7) of them), then random existing cells. Fewer than n when
    // the board has fewer existing cells.
    void PickTargets(std::vector<CellPos>& points, int n) const;

    // ---- Life ----
    // Makes the board of a layout: tiles (the low four bits of the tile
    // value), existence, chains and their pictures, the featured item and,
    // when asked, one secret item. False, with nothing changed, for a layout
    // without any cell or an empty item set.
    bool NewBoard(const BoardLayout& layout, bool placeSecret);
    // Puts up to n secret items on free existing cells of the active
    // rectangle, each preferring a cell whose eight neighbours at distance 1
    // and 2 exist without secrets. Nothing once no free cell is left.
    void PlaceSecrets(int n);
    void SetOrigin(int x, int y);
    void ResetCells(int item);
    void ComputeActiveRect();
    // The profile's board block: exactly kSavedSize bytes.
    void Save(Kavo::Buffer& buffer) const;
    // Restores a block written by Save. Chain styles come back 0 and the
    // active rectangle is computed anew. False when the block was short
    // (the missing bytes read as 0).
    bool Load(Kavo::Buffer& buffer);

    // ---- Input, motion and drawing ----
    void SetHover(int x, int y);
    void MouseUp(int x, int y);
    void ShowItems(bool visible);
    void ClearSelection();
    void MoveItems(float dt);
    void DrawItems(Kavo::Graphics* g);
    // Starts the end-of-stage fall: every item drops out of the window.
    void DropAll();
    // Exchanges two cells' items without animation, pictures included.
    void SwapItems(int c1, int r1, int c2, int r2);

    // ---- Pictures from the catalogue (none for a negative id) ----
    // The item's picture, centred on the cell's (x, y).
    static void PlaceItemPicture(BoardCell& cell);
    // The chain's picture, centred on the cell's target.
    static void PlaceChainPicture(BoardCell& cell);
    // The secret item's picture, centred on the cell's target.
    static void PlaceSecretPicture(BoardCell& cell);

    // ---- Data ----
    std::array<BoardCell, kBoardCellCount> mCells;
    CellPos mSelected;
    CellPos mSwapTarget;
    CellPos mHover;
    int mStepCount = 0;
    BoardListener* mListener = nullptr; // not owned
    bool mDragArmed = false;
    int mState = kBoardIdle;
    std::array<int, kBoardColumns> mColumnTopY{};
    int mColStart = -1;
    int mRowStart = -1;
    int mWidth = -1;
    int mHeight = -1;
    std::vector<int> mItemSet;
    int mFeaturedItem = -1;
    int mOriginX = 0;
    int mOriginY = 0;
    int mMouseX = 0;
    int mMouseY = 0;
    Animation mSelectionAnim;
    bool mVisible = true;
    bool mInputEnabled = true;
    int mCascade = 0;
    float mAlpha = 255.0f;

private:
    // Calls `visit(column, row, cell)` for every existing cell of the active
    // rectangle, row by row; stops early when it returns false.
    template <typename Visit>
    void ForEachActiveCell(Visit visit) const;
    template <typename Visit>
    void ForEachActiveCell(Visit visit);
    void FirstCellWhere(bool (*test)(const BoardCell&), int& x, int& y) const;
    bool IsFreeForSecret(int column, int row) const;
    bool HasFreeNeighbours(int column, int row) const;
    int CountActiveCells(bool (*test)(const BoardCell&)) const;
};

template <typename Visit>
void Board::ForEachActiveCell(Visit visit) const {
    for (int row = mRowStart; row >= 0 && row < mRowStart + mHeight && row < kBoardRows; ++row) {
        for (int column = mColStart; column >= 0 && column < mColStart + mWidth && column < kBoardColumns; ++column) {
            const BoardCell& cell = Cell(column, row);
            if (cell.mExists && !visit(column, row, cell))
                return;
        }
    }
}

template <typename Visit>
void Board::ForEachActiveCell(Visit visit) {
    const Board& self = *this;
    self.ForEachActiveCell(
        [&](int column, int row, const BoardCell&) { return visit(column, row, Cell(column, row)); });
}

} // namespace Game
