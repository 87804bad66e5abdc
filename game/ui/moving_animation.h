#pragma once
// Copies of one image that fill a window and drift at a constant speed,
// wrapping around: the scrolling backgrounds.

#include "game/ui/animation.h"

namespace Game {

class MovingAnimation : public Animation {
public:
    using Animation::SetPosition;
    using Animation::Update;
    void Draw(Kavo::Graphics* g) override;
    void Update(float dt) override;
    void Load(const IniSection& main, const IniSection& sprite, const std::string& path) override;
    void SetImageDescByName(const std::string& name) override;
    void SetImageDesc(ImageDesc* desc) override;
    void Restart() override;

    float mOffsetX = 0;
    float mOffsetY = 0;
    float mSpeedX = 0;
    float mSpeedY = 0;
    int mTileWidth = 0;
    int mTileHeight = 0;
    int mWindowWidth = 0;
    int mWindowHeight = 0;
    int mWindowX = 0;
    int mWindowY = 0;

private:
    void TakeTileSize();
};

} // namespace Game
