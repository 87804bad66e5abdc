#pragma once
// One piece of the picture puzzle. Tiles are held by value in the board's
// list and exchanged whole; each owns the picture of its piece.

#include "framework/graphics/memory_image.h"
#include "framework/util/rect.h"

#include <memory>

namespace Game {

struct PuzzleTile {
    int mUnused = 0;
    float mX = 0; // drawing position
    float mY = 0;
    float mRestX = 0; // where the tile heads or rests
    float mRestY = 0;
    float mAngle = 0; // radians
    float mTargetAngle = 0;
    float mSpeed = 8.0f; // pixels per update unit of a slide
    bool mUnusedFlag = false;
    int mDx = 0; // slide direction, -1, 0 or 1
    int mDy = 0;
    bool mActive = true;
    Kavo::IntRect mSource; // the piece within the picture
    int mIndex = 0;        // the cell it belongs to in the solved picture
    std::unique_ptr<Kavo::MemoryImage> mImage;

    bool IsSliding() const { return mDx != 0 || mDy != 0; }
};

} // namespace Game
