#include "framework/raster/tri_members.h"
#include "framework/raster/tri_ops.h"

namespace Kavo {

namespace {

template <class Format>
void DrawGouraud(const TriFixedVertex* corners, void* bits, int32_t pitch) {
    TriWalkTriangle(corners, bits, pitch, TriGouraudOp<Format>{});
}

template <class Format>
void DrawGouraudTint(const TriFixedVertex* corners, void* bits, int32_t pitch, const TriTintColor& tint) {
    TriFixedVertex tinted[3];
    TriTintCorners(corners, tint, tinted);
    DrawGouraud<Format>(tinted, bits, pitch);
}

} // namespace

void TriRasterNoop(const TriFixedVertex*, void*, int32_t, const TriRasterParams*, const TriTintColor*) {}

void TriRasterARGB8888Gouraud(const TriFixedVertex* c, void* bits, int32_t pitch, const TriRasterParams*,
                              const TriTintColor*) {
    DrawGouraud<TriFormatARGB8888>(c, bits, pitch);
}
void TriRasterARGB8888GouraudTint(const TriFixedVertex* c, void* bits, int32_t pitch, const TriRasterParams*,
                                  const TriTintColor* tint) {
    DrawGouraudTint<TriFormatARGB8888>(c, bits, pitch, *tint);
}
void TriRasterRGB888Gouraud(const TriFixedVertex* c, void* bits, int32_t pitch, const TriRasterParams*,
                            const TriTintColor*) {
    DrawGouraud<TriFormatRGB888>(c, bits, pitch);
}
void TriRasterRGB888GouraudTint(const TriFixedVertex* c, void* bits, int32_t pitch, const TriRasterParams*,
                                const TriTintColor* tint) {
    DrawGouraudTint<TriFormatRGB888>(c, bits, pitch, *tint);
}
void TriRasterRGB565Gouraud(const TriFixedVertex* c, void* bits, int32_t pitch, const TriRasterParams*,
                            const TriTintColor*) {
    DrawGouraud<TriFormatRGB565>(c, bits, pitch);
}
void TriRasterRGB565GouraudTint(const TriFixedVertex* c, void* bits, int32_t pitch, const TriRasterParams*,
                                const TriTintColor* tint) {
    DrawGouraudTint<TriFormatRGB565>(c, bits, pitch, *tint);
}
void TriRasterRGB555Gouraud(const TriFixedVertex* c, void* bits, int32_t pitch, const TriRasterParams*,
                            const TriTintColor*) {
    DrawGouraud<TriFormatRGB555>(c, bits, pitch);
}
void TriRasterRGB555GouraudTint(const TriFixedVertex* c, void* bits, int32_t pitch, const TriRasterParams*,
                                const TriTintColor* tint) {
    DrawGouraudTint<TriFormatRGB555>(c, bits, pitch, *tint);
}

} // namespace Kavo
