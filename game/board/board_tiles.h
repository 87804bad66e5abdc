#pragma once
// The layer under the items: one tile per cell of the 16 x 10 grid showing
// how many tile layers the cell still carries, cut from the deep pictures.
// It slides in from above when a stage starts and out downward at its end.

#include "game/board/board_layout.h"

#include <array>
#include <cstddef>
#include <vector>

namespace Kavo {
class Graphics;
class Image;
} // namespace Kavo

namespace Game {

class BoardTilesListener;

// Values of BoardTiles::mState.
enum BoardTilesState {
    kTilesHidden = 0,
    kTilesInPlace = 1,
    kTilesArriving = 2,
    kTilesLeaving = 3,
};

struct BoardTile {
    float mX = 0;
    float mY = 0;
    int mPixelX = 0;
    int mPixelY = 0;
    float mSpeed = 4.0f;
    int mValue = 0;       // the tile layers left; the board screen keeps it in step with the board
    bool mExists = false; // had tiles when the level was set; stays while the value falls to 0
    std::vector<EdgePiece> mOutEdges;
    std::vector<EdgePiece> mInEdges;
};

class BoardTiles {
public:
    // Binds IMAGE_DEEP0..2 as they are now; all tiles reset, state hidden.
    BoardTiles();

    // Moves the resting origin (and the current one) there.
    void SetOrigin(float x, float y);
    // Empties every tile and places it at the current origin.
    void Reset();
    // Takes the layout's tile values (low four bits) and edge lists and puts
    // the origin back at rest.
    void SetLevel(const BoardLayout& layout);
    // Moves an arriving or leaving layer 4 pixels per unit of dt.
    void Update(float dt);
    // The existing tiles of the tile rectangle: value 0 the whole DEEP0
    // picture, value 1 its cel of DEEP1 and 2 or more its cel of DEEP2.
    void Draw(Kavo::Graphics* g) const;

    int ColumnToX(int column, bool centre) const;
    int RowToY(int row, bool centre) const;
    int ColumnLeft(int column) const { return ColumnToX(column, false); }
    int RowTop(int row) const { return RowToY(row, false); }

    BoardTile& Tile(int column, int row) { return mTiles[static_cast<size_t>(row * kBoardColumns + column)]; }
    const BoardTile& Tile(int column, int row) const {
        return mTiles[static_cast<size_t>(row * kBoardColumns + column)];
    }

    std::array<BoardTile, kBoardCellCount> mTiles;
    BoardTilesListener* mListener = nullptr; // not owned
    int mState = kTilesHidden;
    std::array<Kavo::Image*, 3> mDeepImages{}; // not owned
    // The tile rectangle (the board's active cells); the whole grid by default.
    int mColStart = 0;
    int mRowStart = 0;
    int mWidth = kBoardColumns;
    int mHeight = kBoardRows;
    float mOriginY = 0;
    float mOriginX = 0;
    bool mVisible = true;
    float mHomeX = 0;
    float mHomeY = 0;
    float mAlpha = 255.0f;
};

} // namespace Game
