#pragma once
// One cell of the board grid: its item, tile counter, chain and secret item,
// and the pictures that move in pixel space.

#include "game/ui/image_sprite.h"

namespace Game {

// Item values besides catalogue ids (0 or more).
inline constexpr int kItemEmpty = -1;
inline constexpr int kItemRemoved = -2; // waiting for the fall to refill it
inline constexpr int kItemRedeal = -3;  // marked to be dealt again

struct BoardCell {
    int mItem = kItemEmpty;
    float mX = 0; // current centre of the item picture
    float mY = 0;
    int mTargetX = 0; // centre the picture moves to; its own centre at rest
    int mTargetY = 0;
    float mSpeed = 4.0f; // pixels per unit of step time
    int mSecretItem = -1;
    int mDx = 0; // -1, 0 or +1 on each axis; both 0 at rest
    int mDy = 0;
    int mTiles = 0;
    bool mExists = true;
    bool mVisible = true;
    ImageSprite mItemSprite;
    ImageSprite mSecretSprite;
    ImageSprite mChainSprite;
    int mChain = 0; // 0 none, 1 or 2 single, 3 double
    int mChainStyle = 0;
    bool mJustFreed = false;
};

} // namespace Game
