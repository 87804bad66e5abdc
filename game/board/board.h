#pragma once
// The model of the playing field: a 16 x 10 grid of cells, each of which may
// belong to the board and hold an item, a tile counter, a chain and a secret
// item, with item pictures that move in pixel space. The board screen owns
// one, forwards the mouse and the step time to it and draws it.

#include "game/board/board_cell.h"
#include "game/board/board_layout.h"
#include "game/board/board_move.h"
#include "game/board/cell_pos.h"
#include "game/board/figure.h"
#include "game/board/swap_record.h"
#include "game/ui/animation.h"

#include <array>
#include <optional>
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

// Two cells whose items a shuffle exchanges.
struct ShufflePair {
    int mC1 = 0;
    int mR1 = 0;
    int mC2 = 0;
    int mR2 = 0;
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
    // value), existence, chains and their pictures, dealt items, the
    // featured item, when asked one secret item, and the move list. False, with nothing changed, for a layout
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
    // (the missing bytes read as 0). The move list is rebuilt.
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

    // ---- Rules of play ----
    // The player's click: selects a cell or, on a neighbour of the
    // selection, starts a swap.
    void Click(int x, int y);
    // A drag from the selection onto a neighbour swaps once.
    void Drag(int x, int y);
    // The per-update step: resolves arrived swaps, settles the board and
    // ends the clearing-away fall.
    void Step();
    // Shows the items, lets them fall and refills the holes (not while the
    // board is clearing away).
    void StartFall();
    // Finds the runs of three or more, fills the figure list and hits their
    // cells; returns the number of figures.
    int FindLines(bool ignoreMotion, bool silent, CellPos swap1, CellPos swap2);
    void HitCell(int column, int row, bool silent, int type);
    // Takes one chain level off: 3 becomes 1, 1 or 2 become 0 (justFreed).
    void BreakChain(int column, int row);
    // Marks every unchained, not just freed cell of the figures removed.
    void RemoveFigures();
    void ApplyGravity();
    // Deals items into the empty cells (a new board) or into every cell
    // holding an item (a re-deal), so that no run of three forms and a move
    // is left, where the item set and the layout allow it.
    void Refill(bool redeal);
    // Breaks runs formed by anything other than a swap; reported only with
    // a listener. True when it broke some.
    bool CheckLines();

    // ---- Board operations of the bonuses ----
    // Pairs the movable cells at random; an odd one out is left alone.
    void PlanShuffle();
    void ApplyShuffle();
    void ReplaceItems(int from, int to);
    // After items changed in place: their runs break, or, with none, the
    // moves are listed anew and the board settles, so that the hints show
    // moves of the items as they now lie and a board left without a move
    // says so.
    void CheckChangedItems();
    // One figure of type -1 over the cells (centre and swap cells the
    // first); hits them without collecting secrets. None for no cells.
    void MakeFigure(const std::vector<CellPos>& cells);
    // The unbroken line of items through the pixel's cell; false off the
    // grid or on a missing cell.
    bool CollectLine(int x, int y, bool horizontal, std::vector<CellPos>& cells) const;

    // ---- Moves and hints ----
    // Lists every swap that would make a run of three; sorted best first
    // (equal values in random order) when asked.
    void FindMoves(bool sort);
    // Cycles through the move list; none when it is empty.
    std::optional<Move> NextHint();
    // Whether `item` placed at the cell would complete one of the move
    // patterns anchored there (chains and the swap cells' items untested).
    bool WouldMakeMove(int row, int column, int item) const;
    static bool ByValueDesc(const Move& a, const Move& b) { return a.mValue > b.mValue; }
    bool IsInActiveRect(int column, int row) const {
        return column >= mColStart && column < mColStart + mWidth && row >= mRowStart && row < mRowStart + mHeight;
    }

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
    std::vector<Figure> mFigures;
    std::vector<SwapRecord> mSwaps;
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
    std::vector<Move> mMoves;
    int mHintIndex = 0;
    int mOriginX = 0;
    int mOriginY = 0;
    int mMouseX = 0;
    int mMouseY = 0;
    Animation mSelectionAnim;
    std::vector<ShufflePair> mShuffle;
    bool mVisible = true;
    bool mInputEnabled = true;
    int mCascade = 0;
    float mAlpha = 255.0f;

    // Calls `visit(column, row, cell)` for every existing cell of the active
    // rectangle, row by row; stops early when it returns false.
    template <typename Visit>
    void ForEachActiveCell(Visit visit) const;
    template <typename Visit>
    void ForEachActiveCell(Visit visit);

private:
    void FirstCellWhere(bool (*test)(const BoardCell&), int& x, int& y) const;
    bool IsFreeForSecret(int column, int row) const;
    bool HasFreeNeighbours(int column, int row) const;
    int CountActiveCells(bool (*test)(const BoardCell&)) const;

    bool IsAtRest(const BoardCell& cell) const { return cell.mDx == 0 && cell.mDy == 0; }
    void StartSwap(CellPos selected, CellPos clicked);
    void ResolveSwaps();
    void Settle();
    // Calls `onRun(type, cells)` for every run of three or more equal items,
    // rows first, each run's cells from last to first.
    template <typename OnRun>
    void ScanRuns(bool ignoreMotion, OnRun onRun) const;
    void AddFigure(int type, const std::vector<CellPos>& cells, CellPos swap1, CellPos swap2);
    void FallInto(int column, int row);
    void RefillColumn(int column, bool& helped);
    void CollectMoves(std::vector<Move>& moves) const;
    bool DealOnce(const std::vector<int>& dealt, bool redeal);
    void PlantMoves(const std::vector<int>& dealt, int mark);
    bool HasRun() const;
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
