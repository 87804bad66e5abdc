#pragma once
// The tiles of a new board appearing by a flood fill from the middle: the
// start tile fades in, then every tile slides out of its parent's place to
// its own, and each arrived tile sends on its children.

#include "framework/util/rect.h"
#include "game/app/sound_facade.h"

#include <memory>
#include <vector>

namespace Kavo {
class Graphics;
class Image;
} // namespace Kavo

namespace Game {

class BoardTiles;

struct SpreadPiece {
    float mAlpha = 255.0f;
    Kavo::Image* mImage = nullptr;
    float mX = 0;
    float mY = 0;
    int mDx = 0; // -1, 0 or 1: the direction still to travel per axis
    int mDy = 0;
    int mColumn = 0;
    int mRow = 0;
    float mTargetX = 0;
    float mTargetY = 0;
    bool mActive = false; // moving and drawn
    float mSpeed = 6.0f;
    Kavo::IntRect mSourceRect;
    std::vector<SpreadPiece*> mChildren;

    bool HasOffset() const { return mDx != 0 || mDy != 0; }
};

class TileSpread {
public:
    // Reads the tile layer now. The start tile is searched row by row
    // outward from the middle row (0, +1, -1, +2, ...), in each row from the
    // middle column rightward, then leftward; a layer without tiles gives a
    // spread that is done on its first update.
    explicit TileSpread(const BoardTiles& tiles);

    // Once per update: fades the active pieces in and computes done.
    void Update();
    // Once per frame with the frame time: moves the active pieces, then
    // counts every arrived one, plays "cellmove" and activates its children
    // (which move from the next frame on).
    void Move(float t);
    void Draw(Kavo::Graphics* g);
    bool IsDone() const { return mDone; }

    std::vector<std::unique_ptr<SpreadPiece>> mPieces;
    bool mDone = false;
    int mArrivals = 0;
    SoundHandle mSound = 0;
    float mAlphaStep = 6.0f;

private:
    SpreadPiece* AddPiece(int column, int row);
    void Spread(SpreadPiece& piece, std::vector<bool>& visited);

    const BoardTiles& mTiles;
};

} // namespace Game
