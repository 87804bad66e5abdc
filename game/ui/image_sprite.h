#pragma once
// One image at a float position, optionally centred and tinted.

#include "framework/util/color.h"
#include "framework/util/rect.h"
#include "game/ui/held_image.h"

#include <string>

namespace Kavo {
class Graphics;
class Image;
} // namespace Kavo

namespace Game {

class ImageSprite {
public:
    ImageSprite() = default;
    virtual ~ImageSprite() = default;

    void LoadImage(const std::string& name) { mHeld.Load(name); }
    void SetImage(Kavo::Image* image) { mHeld.Set(image); }
    void Release() { mHeld.Release(); }
    Kavo::Image* GetImage() const { return mHeld.Get(); }

    // Callers pass 255 for full opacity. The colour tints only while its
    // alpha is not 255; its alpha is then scaled by `alpha` / 255.
    void Draw(Kavo::Graphics* g, float alpha);
    // White with alpha trunc(alpha).
    void SetAlpha(float alpha);
    float GetCenterX() const;
    float GetCenterY() const;

    float mX = 0;
    float mY = 0;
    bool mCentered = false;
    bool mFloatPositioning = true;
    Kavo::IntRect mSourceRect; // all 0: the whole image
    Kavo::Color mColor{0, 0, 0, 255};

private:
    HeldImage mHeld;
};

} // namespace Game
