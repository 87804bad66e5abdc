#pragma once
// One piece of room decoration of the decoration catalogue, and where each
// of its pieces goes in the room.

#include "framework/util/rect.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace Kavo {
class Image;
} // namespace Kavo

namespace Game {

struct ShopDrawInfo {
    float mX = 0; // position in the room
    float mY = 0;
    int mSrcX = 0; // the part of the room picture drawn there
    int mSrcY = 0;
    int mSrcW = 0;
    int mSrcH = 0;
};

struct ShopItem {
    int mPrice = 0;      // of one piece
    int mPieceCount = 0; // entries of mDrawInfo
    int mLevel = 0;
    bool mEnabled = true;
    bool mRemovable = false;
    int mZOrder = 0; // 0: an opaque background piece
    std::string mName;
    std::string mCaption;
    bool mReplace = true; // buying it replaces the placed item of its category
    std::vector<std::string> mDeleteItems;
    int mShopIndex = 0;
    int mCategoryIndex = 0;
    std::string mImageShop;
    Kavo::Image* mShopImage = nullptr; // bound after loading; not owned
    Kavo::IntRect mShopRect;
    Kavo::Image* mRoomImage = nullptr; // while the room shows it; not owned
    std::string mImageRoom;            // relative to "images/shop/"
    std::vector<ShopDrawInfo> mDrawInfo;
    int mEffect = 0;                         // 0 one star, 1 particles over every effect area, else none
    std::vector<Kavo::IntRect> mEffectRects; // in room coordinates
    std::string mSound;
    int mRank = 0; // the restaurant whose room offers it
    int mScores = 0;
    int mSerial = 0;
    float mWeight = 0;
    int mRestIndex = 0; // style group

    // What the whole item costs: every piece, at least one. A price from a
    // damaged catalogue that would pass the int range stays at its edge.
    int TotalPrice() const {
        const int64_t total = int64_t{mPrice} * (mPieceCount > 1 ? mPieceCount : 1);
        return static_cast<int>(std::clamp<int64_t>(total, INT_MIN, INT_MAX));
    }
};

} // namespace Game
