#pragma once
// An image at a float position whose drawing alpha (the value) steps toward
// a target: the fades of the game's screens and effects.

#include "framework/util/rect.h"
#include "game/ui/held_image.h"

#include <string>

namespace Kavo {
class Graphics;
class Image;
} // namespace Kavo

namespace Game {

class NamedImage {
public:
    void Load(const std::string& name) { mHeld.Load(name); }
    void SetImage(Kavo::Image* image) { mHeld.Set(image); }
    void Release() { mHeld.Release(); }
    Kavo::Image* GetImage() const { return mHeld.Get(); }

    // Adds the step, stopping at the target from the side the step comes
    // from; true when the value is at the target.
    bool StepValue();
    // White with alpha trunc(value) x alphaScale / 255; nothing while the
    // value is 0 or below.
    void Draw(Kavo::Graphics* g, int alphaScale = 255);

    bool mCentered = false;
    float mX = 0;
    float mY = 0;
    bool mFloatPositioning = true;
    float mValue = 0;
    float mTarget = 255.0f;
    float mStep = 0.01f;
    Kavo::IntRect mSourceRect;

private:
    HeldImage mHeld;
};

} // namespace Game
