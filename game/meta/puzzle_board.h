#pragma once
// The sliding-and-turning picture puzzle: a picture cut into rows x cols
// tiles, dealt in a shuffled order (and, with turning on, each turned by a
// multiple of a quarter turn). The player selects a tile and exchanges it
// with a 4-neighbour by a second click or by dragging onto it; with turning
// on, any other mouse button turns a tile a quarter turn further. A board
// stands solved when its pieces run in ascending or descending order and
// every tile is upright.

#include "framework/util/color.h"
#include "game/meta/puzzle_tile.h"

#include <vector>

namespace Kavo {
class Graphics;
class Image;
} // namespace Kavo

namespace Game {

class PuzzleBoardListener;

class PuzzleBoard {
public:
    enum State { kIdle = 0, kSliding = 1, kSolved = 2 };

    PuzzleBoard() = default;
    PuzzleBoard(const PuzzleBoard&) = delete;
    PuzzleBoard& operator=(const PuzzleBoard&) = delete;

    // Cuts the picture (not owned) into tiles; rows and columns are clamped
    // to 1 .. the picture's height and width, so no tile is empty. Without a
    // picture the board has no tiles.
    void Setup(Kavo::Image* picture, int rows, int cols, bool turning, bool shuffle);
    // With the flag, deals the tiles until the board is not solved (a board
    // of fewer than three tiles is dealt once: one or two tiles always stand
    // in order); then puts every tile at its cell.
    void Shuffle(bool shuffle);
    bool IsSolved() const;

    void SetHover(int x, int y);
    void Click(int x, int y, int button);
    void Release() { mPresses = 0; }
    void Drag(int x, int y);

    // Once per tick: finishes a move, blinks the selection, turns tiles.
    void Update();
    // Moves the sliding tiles by dt update units.
    void UpdateSlides(float dt);
    void Draw(Kavo::Graphics* g);
    void Clear() { mTiles.clear(); }

    void SetListener(PuzzleBoardListener* listener) { mListener = listener; }
    void SetOrigin(int x, int y) {
        mOriginX = x;
        mOriginY = y;
    }
    void SetShadow(Kavo::Image* shadow) { mShadow = shadow; }

    std::vector<PuzzleTile> mTiles; // by cell: row x cols + column
    int mSelectedCol = -1;
    int mSelectedRow = -1;
    int mTargetCol = -1;
    int mTargetRow = -1;
    int mHoverCol = -1;
    int mHoverRow = -1;
    int mTicks = 0;
    int mPresses = 0;
    int mState = kIdle;
    int mOriginX = 0;
    int mOriginY = 0;
    int mRows = 1;
    int mCols = 1;
    int mTileWidth = 0;
    int mTileHeight = 0;
    bool mTurning = false;
    float mBlinkAlpha = 0;
    Kavo::Color mSelectionColor{5, 5, 186, 0};
    int mBlinkDirection = 1;
    int mDrags = 0;

private:
    // The cell under a point; false off the board.
    bool CellAt(int x, int y, int& col, int& row) const;
    bool IsNeighbourOfSelected(int col, int row) const;
    PuzzleTile& TileAt(int col, int row) { return mTiles[static_cast<size_t>(row * mCols + col)]; }
    // Puts the tile of list position i at its cell.
    void PlaceAtCell(PuzzleTile& tile, int i);
    void FinishMove();
    void Blink();
    void Turn();
    void DrawShadows(Kavo::Graphics* g);
    void DrawTile(Kavo::Graphics* g, PuzzleTile& tile);
    void DrawFrame(Kavo::Graphics* g, int col, int row, const Kavo::Color& color);
    void Solve();

    PuzzleBoardListener* mListener = nullptr;
    Kavo::Image* mPicture = nullptr;
    Kavo::Image* mShadow = nullptr;
};

} // namespace Game
