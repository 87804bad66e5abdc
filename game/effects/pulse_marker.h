#pragma once
// A picture between two cells that pulses along one axis, between 0.9 and
// 1.1 of its size: what the hint marker and the tip arrow share.

#include "framework/util/lazy_transform.h"

namespace Kavo {
class Graphics;
class Image;
} // namespace Kavo

namespace Game {

class PulseMarker {
public:
    // The point between the two cells' pixel centres, where the picture is
    // drawn centred: it lies on both cells.
    PulseMarker(int x1, int y1, int x2, int y2);

    // One pulse step, then the transform anew.
    void Pulse();
    // The image through the transform (nothing without one).
    void DrawImage(Kavo::Graphics* g) const;

    float mCenterX;
    float mCenterY;
    Kavo::Image* mImage = nullptr;
    mutable Kavo::LazyTransform mTransform;
    float mScale[2] = {1.0f, 1.0f};
    int mAxis = 0; // 0 x, 1 y
    float mStep = 0.005f;
};

} // namespace Game
