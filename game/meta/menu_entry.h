#pragma once
// One dish of the menu catalogue.

#include "framework/util/rect.h"

#include <string>

namespace Kavo {
class Image;
} // namespace Kavo

namespace Game {

struct MenuEntry {
    int mPrice = 0;
    int mLevel = 0;
    std::string mName; // the section name, the key in its category map
    std::string mCaption;
    int mCategory = 0;
    std::string mImageShop;
    Kavo::Image* mImage = nullptr; // the shared dish sheet once bound; not owned
    Kavo::IntRect mShopRect;       // the dish's picture inside the sheet
    bool mNoEffect = true;
    std::string mSound;
    int mRank = 0;
    int mValue = 0; // bit i set: the dish scores in column i of its row
    int mOrder = 0; // its column in the menu list, set by the list
    int mId = 0;
};

} // namespace Game
