#include "game/ui/held_image_draw.h"

#include "framework/graphics/graphics.h"
#include "framework/graphics/image.h"
#include "game/ui/hardware_3d.h"

namespace Game {

void DrawHeldImage(Kavo::Graphics* g, Kavo::Image* image, float x, float y, const Kavo::IntRect& source, bool centred,
                   bool floatPositioning) {
    const bool whole = source.mWidth == 0;
    if (centred) {
        x -= static_cast<float>((whole ? image->mWidth : source.mWidth) / 2);
        y -= static_cast<float>((whole ? image->mHeight : source.mHeight) / 2);
    }
    if (UsesHardware3D() && floatPositioning) {
        if (whole)
            g->DrawImageF(image, x, y);
        else
            g->DrawImageF(image, x, y, source);
    } else if (whole) {
        g->DrawImage(image, static_cast<int>(x), static_cast<int>(y));
    } else {
        g->DrawImage(image, static_cast<int>(x), static_cast<int>(y), source);
    }
}

} // namespace Game
