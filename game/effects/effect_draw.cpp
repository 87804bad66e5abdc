#include "game/effects/effect_draw.h"

#include "framework/graphics/graphics.h"
#include "framework/graphics/image.h"
#include "framework/util/lazy_transform.h"
#include "game/ui/hardware_3d.h"
#include "game/ui/held_image_draw.h"

namespace Game {

void DrawEffectImage(Kavo::Graphics* g, Kavo::Image* image, float x, float y, const Kavo::IntRect& source) {
    if (image == nullptr)
        return;
    DrawHeldImage(g, image, x, y, source, false, true);
}

void DrawEffectImageTransform(Kavo::Graphics* g, Kavo::Image* image, Kavo::LazyTransform& transform,
                              const Kavo::IntRect& source) {
    if (image == nullptr)
        return;
    const Kavo::IntRect whole(0, 0, image->mWidth, image->mHeight);
    const Kavo::IntRect& rect = source.mWidth == 0 ? whole : source;
    if (UsesHardware3D())
        g->DrawImageTransformF(image, transform, rect, 0, 0);
    else
        g->DrawImageTransform(image, transform, rect, 0, 0);
}

int ParticleDrawStride(int thinning) {
    return UsesHardware3D() || thinning < 1 ? 1 : thinning;
}

} // namespace Game
