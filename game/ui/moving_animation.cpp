#include "game/ui/moving_animation.h"

#include "game/ui/image_desc.h"
#include "game/ui/ini_section.h"

#include <algorithm>

namespace Game {

void MovingAnimation::Load(const IniSection& main, const IniSection& sprite, const std::string& path) {
    Animation::Load(main, sprite, path);
    mWindowX = static_cast<int>(mX);
    mWindowY = static_cast<int>(mY);
    mSpeedX = main.GetFloat("SpeedX", 0);
    mSpeedY = main.GetFloat("SpeedY", 0);
    mWindowWidth = main.GetInt("Width", 0);
    mWindowHeight = main.GetInt("Height", 0);
    TakeTileSize();
}

void MovingAnimation::SetImageDescByName(const std::string& name) {
    Animation::SetImageDescByName(name);
    TakeTileSize();
}

void MovingAnimation::SetImageDesc(ImageDesc* desc) {
    Animation::SetImageDesc(desc);
    TakeTileSize();
}

void MovingAnimation::TakeTileSize() {
    if (ImageDesc* desc = GetImageDesc()) {
        mTileWidth = desc->mCurrentRect.mWidth;
        mTileHeight = desc->mCurrentRect.mHeight;
    }
}

void MovingAnimation::Restart() {
    mOffsetX = 0;
    mOffsetY = 0;
    Animation::Restart();
}

void MovingAnimation::Update(float dt) {
    mOffsetX += dt * mSpeedX;
    mOffsetY += dt * mSpeedY;
    const float w = static_cast<float>(mTileWidth);
    const float h = static_cast<float>(mTileHeight);
    if (mOffsetX >= w || mOffsetX <= -w)
        mOffsetX = 0;
    if (mOffsetY > h || mOffsetY <= -h)
        mOffsetY = 0;
}

void MovingAnimation::Draw(Kavo::Graphics* g) {
    ImageDesc* desc = GetImageDesc();
    // An empty tile would never advance along the window.
    if (desc == nullptr || mTileWidth <= 0 || mTileHeight <= 0)
        return;
    const int right = mWindowX + mWindowWidth;
    const int bottom = mWindowY + mWindowHeight;
    // Every row starts one tile left of the offset, so that a drift to the
    // right leaves no strip uncovered at the left edge.
    const float rowStart = mOffsetX - static_cast<float>(mTileWidth);
    for (float y = mOffsetY - static_cast<float>(mTileHeight); y < static_cast<float>(bottom);
         y += static_cast<float>(mTileHeight)) {
        for (float x = rowStart; x < static_cast<float>(right); x += static_cast<float>(mTileWidth)) {
            const int w = std::min(mTileWidth, static_cast<int>(static_cast<float>(right) - x));
            const int h = std::min(mTileHeight, static_cast<int>(static_cast<float>(bottom) - y));
            desc->mCurrentRect = Kavo::IntRect(0, 0, w, h);
            // Centred on the part drawn, so a cut tile starts where it should.
            mX = static_cast<float>(static_cast<int>(x) + w / 2);
            mY = static_cast<float>(static_cast<int>(y) + h / 2);
            Refresh();
            Animation::Draw(g);
        }
    }
    desc->mCurrentRect = Kavo::IntRect(0, 0, mTileWidth, mTileHeight);
}

} // namespace Game
