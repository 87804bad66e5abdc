#pragma once
// One full turn of a bonus button's picture after it charged: the timer
// turns backwards, the recolour forwards, 75 updates a turn. Only a ready or
// hovered button turns; any other state stops it at once.

#include "framework/util/rect.h"

namespace Kavo {
class Graphics;
class Image;
} // namespace Kavo

namespace Game {

class ButtonSpin {
public:
    static constexpr float kTurn = 6.2831853f;
    static constexpr float kStep = kTurn / 75.0f;

    // The angle starts one step on.
    void Start(float step);
    // One update of a button in `state`.
    void Step(int state);
    // The picture (or its rectangle `source`, when given) turned by the
    // angle about its centre, top-left at (x, y), at `alpha`.
    void Draw(Kavo::Graphics* g, Kavo::Image* image, float x, float y, const Kavo::IntRect* source, float alpha) const;

    bool mSpinning = false;
    float mAngle = 0;
    float mStep = 0;
};

} // namespace Game
