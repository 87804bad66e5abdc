#pragma once
// How effects draw: at float positions and through the float transform path
// with 3D hardware, else at truncated whole pixels; null images draw nothing.

#include "framework/util/rect.h"

namespace Kavo {
class Graphics;
class Image;
class LazyTransform;
} // namespace Kavo

namespace Game {

// The source rectangle (all 0: the whole image) with its top-left at (x, y).
void DrawEffectImage(Kavo::Graphics* g, Kavo::Image* image, float x, float y, const Kavo::IntRect& source = {});

// The image (or its source rectangle) centred on the transform's translation,
// scaled and turned by it.
void DrawEffectImageTransform(Kavo::Graphics* g, Kavo::Image* image, Kavo::LazyTransform& transform,
                              const Kavo::IntRect& source = {});

// 1 with 3D hardware (every particle is drawn), else `thinning` (every
// second or fourth one).
int ParticleDrawStride(int thinning);

} // namespace Game
