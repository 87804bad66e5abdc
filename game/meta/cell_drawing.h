#pragma once
// The parts that dish cells and decoration cells draw alike.

#include "framework/util/rect.h"

namespace Kavo {
class Graphics;
class Image;
} // namespace Kavo

namespace Game {

// Cel `frame` of the image at (x, y); nothing when the image is null.
void DrawCellFrame(Kavo::Graphics* g, Kavo::Image* image, float x, float y, int frame, bool floatPositioning);
// The source rectangle (the whole image for width 0) at (x, y), tinted with
// the alpha when it is below 255; nothing when the image is null.
void DrawCellPicture(Kavo::Graphics* g, Kavo::Image* image, const Kavo::IntRect& source, float x, float y, int alpha,
                     bool floatPositioning);
// The price in FONT_DEFAULT, white, its right edge at x + 92 and its
// bottom at y + 98.
void DrawCellPrice(Kavo::Graphics* g, int price, float x, float y);

} // namespace Game
