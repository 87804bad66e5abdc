#pragma once
// Recording stand-ins for the pictures and the font that the cells draw,
// each of its own size so that a logged source rectangle tells them apart.

#include "game/ui/resource_ids.h"
#include "tests/framework/graphics/fake_font.h"
#include "tests/framework/graphics/recording_image.h"

namespace Game {

class CellPictures {
public:
    CellPictures() {
        mButton.mNumCols = 4;
        mRanks.mNumCols = 3;
        IMAGE_SHOPBUTTON = &mButton;
        IMAGE_BUY = &mBuy;
        IMAGE_INROOM = &mInRoom;
        IMAGE_SMALLRANK = &mRanks;
        IMAGE_MENU = &mSheet;
        FONT_DEFAULT = &mFont;
    }
    ~CellPictures() {
        IMAGE_SHOPBUTTON = mPrevious[0];
        IMAGE_BUY = mPrevious[1];
        IMAGE_INROOM = mPrevious[2];
        IMAGE_SMALLRANK = mPrevious[3];
        IMAGE_MENU = mPrevious[4];
        FONT_DEFAULT = mPreviousFont;
    }
    CellPictures(const CellPictures&) = delete;
    CellPictures& operator=(const CellPictures&) = delete;

    Kavo::RecordingImage mButton{440, 110};
    Kavo::RecordingImage mBuy{20, 21};
    Kavo::RecordingImage mInRoom{22, 23};
    Kavo::RecordingImage mRanks{60, 20};
    Kavo::RecordingImage mSheet{300, 300};
    Kavo::FakeFont mFont{10, 20, 16};

private:
    Kavo::Image* mPrevious[5] = {IMAGE_SHOPBUTTON, IMAGE_BUY, IMAGE_INROOM, IMAGE_SMALLRANK, IMAGE_MENU};
    Kavo::Font* mPreviousFont = FONT_DEFAULT;
};

} // namespace Game
