#pragma once

#include "framework/util/rect.h"

namespace Kavo {
class Graphics;
class Image;
} // namespace Kavo

namespace Game {

// Draws the source rectangle of the image (the whole image when its width
// is 0) at (x, y), moved up and left by half its size (integer halves) when
// centred; at float coordinates with hardware 3D and float positioning.
void DrawHeldImage(Kavo::Graphics* g, Kavo::Image* image, float x, float y, const Kavo::IntRect& source, bool centred,
                   bool floatPositioning);

} // namespace Game
