#include "framework/raster/tri_members_vcolor.h"
#include "framework/raster/tri_vcolor_ops.h"

namespace Kavo {

namespace {
using P = const TriRasterParams*;
using T = const TriTintColor*;
} // namespace

void TriRasterARGB8888TextureAlphaVertexColors(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatARGB8888, false, true, false>(c, b, pitch, p, t);
}
void TriRasterARGB8888TextureAlphaVertexColorsLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatARGB8888, true, true, false>(c, b, pitch, p, t);
}
void TriRasterARGB8888TextureAlphaVertexColorsTint(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatARGB8888, false, true, true>(c, b, pitch, p, t);
}
void TriRasterARGB8888TextureAlphaVertexColorsTintLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatARGB8888, true, true, true>(c, b, pitch, p, t);
}

void TriRasterRGB888TextureAlphaVertexColors(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatRGB888, false, true, false>(c, b, pitch, p, t);
}
void TriRasterRGB888TextureAlphaVertexColorsLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatRGB888, true, true, false>(c, b, pitch, p, t);
}
void TriRasterRGB888TextureAlphaVertexColorsTint(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatRGB888, false, true, true>(c, b, pitch, p, t);
}
void TriRasterRGB888TextureAlphaVertexColorsTintLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatRGB888, true, true, true>(c, b, pitch, p, t);
}

void TriRasterRGB565TextureAlphaVertexColors(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatRGB565, false, true, false>(c, b, pitch, p, t);
}
void TriRasterRGB565TextureAlphaVertexColorsLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatRGB565, true, true, false>(c, b, pitch, p, t);
}
void TriRasterRGB565TextureAlphaVertexColorsTint(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatRGB565, false, true, true>(c, b, pitch, p, t);
}
void TriRasterRGB565TextureAlphaVertexColorsTintLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatRGB565, true, true, true>(c, b, pitch, p, t);
}

void TriRasterRGB555TextureAlphaVertexColors(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatRGB555, false, true, false>(c, b, pitch, p, t);
}
void TriRasterRGB555TextureAlphaVertexColorsLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatRGB555, true, true, false>(c, b, pitch, p, t);
}
void TriRasterRGB555TextureAlphaVertexColorsTint(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatRGB555, false, true, true>(c, b, pitch, p, t);
}
void TriRasterRGB555TextureAlphaVertexColorsTintLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TriDrawVertexColored<TriFormatRGB555, true, true, true>(c, b, pitch, p, t);
}

} // namespace Kavo
