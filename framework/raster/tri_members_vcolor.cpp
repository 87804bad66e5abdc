#include "framework/raster/tri_members_vcolor.h"
#include "framework/raster/tri_vcolor_ops.h"

namespace Kavo {

namespace {
using P = const TriRasterParams*;
using T = const TriTintColor*;
} // namespace

void TriRasterARGB8888TextureVertexColors(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatARGB8888, false, false, false>(c, b, pitch, p, t);
}
void TriRasterARGB8888TextureVertexColorsLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatARGB8888, true, false, false>(c, b, pitch, p, t);
}
void TriRasterARGB8888TextureVertexColorsTint(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatARGB8888, false, false, true>(c, b, pitch, p, t);
}
void TriRasterARGB8888TextureVertexColorsTintLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatARGB8888, true, false, true>(c, b, pitch, p, t);
}

void TriRasterRGB888TextureVertexColors(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatRGB888, false, false, false>(c, b, pitch, p, t);
}
void TriRasterRGB888TextureVertexColorsLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatRGB888, true, false, false>(c, b, pitch, p, t);
}
void TriRasterRGB888TextureVertexColorsTint(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatRGB888, false, false, true>(c, b, pitch, p, t);
}
void TriRasterRGB888TextureVertexColorsTintLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatRGB888, true, false, true>(c, b, pitch, p, t);
}

void TriRasterRGB565TextureVertexColors(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatRGB565, false, false, false>(c, b, pitch, p, t);
}
void TriRasterRGB565TextureVertexColorsLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatRGB565, true, false, false>(c, b, pitch, p, t);
}
void TriRasterRGB565TextureVertexColorsTint(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatRGB565, false, false, true>(c, b, pitch, p, t);
}
void TriRasterRGB565TextureVertexColorsTintLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatRGB565, true, false, true>(c, b, pitch, p, t);
}

void TriRasterRGB555TextureVertexColors(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatRGB555, false, false, false>(c, b, pitch, p, t);
}
void TriRasterRGB555TextureVertexColorsLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatRGB555, true, false, false>(c, b, pitch, p, t);
}
void TriRasterRGB555TextureVertexColorsTint(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatRGB555, false, false, true>(c, b, pitch, p, t);
}
void TriRasterRGB555TextureVertexColorsTintLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatRGB555, true, false, true>(c, b, pitch, p, t);
}

} // namespace Kavo
