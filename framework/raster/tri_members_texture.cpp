#include "framework/raster/tri_members.h"
#include "framework/raster/tri_ops.h"

namespace Kavo {

namespace {

using P = const TriRasterParams*;
using T = const TriTintColor*;

template <class F>
void Plain(const TriFixedVertex* c, void* bits, int32_t pitch, P p) {
    TriDrawTextured<F>(c, bits, pitch, TriSourceNearest{*p});
}
template <class F>
void PlainLinear(const TriFixedVertex* c, void* bits, int32_t pitch, P p) {
    TriDrawTextured<F>(c, bits, pitch, TriSourceLinear{*p});
}
template <class F>
void Tint(const TriFixedVertex* c, void* bits, int32_t pitch, P p, T t) {
    TriDrawTextured<F>(c, bits, pitch, TriSourceNearestTint{*p, *t, TriScaledTintAlpha(*t)});
}
template <class F>
void TintLinear(const TriFixedVertex* c, void* bits, int32_t pitch, P p, T t) {
    TriDrawTextured<F>(c, bits, pitch, TriSourceLinearTint{*p, *t, TriScaledTintAlpha(*t)});
}

} // namespace

void TriRasterRGB32Texture(const TriFixedVertex* c, void* b, int32_t pitch, P p, T) {
    Plain<TriFormatRGB888>(c, b, pitch, p);
}
void TriRasterRGB32TextureLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T) {
    PlainLinear<TriFormatRGB888>(c, b, pitch, p);
}
void TriRasterRGB565Texture(const TriFixedVertex* c, void* b, int32_t pitch, P p, T) {
    Plain<TriFormatRGB565>(c, b, pitch, p);
}
void TriRasterRGB565TextureLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T) {
    PlainLinear<TriFormatRGB565>(c, b, pitch, p);
}
void TriRasterRGB555Texture(const TriFixedVertex* c, void* b, int32_t pitch, P p, T) {
    Plain<TriFormatRGB555>(c, b, pitch, p);
}
void TriRasterRGB555TextureLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T) {
    PlainLinear<TriFormatRGB555>(c, b, pitch, p);
}

void TriRasterARGB8888TextureTint(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    Tint<TriFormatARGB8888>(c, b, pitch, p, t);
}
void TriRasterARGB8888TextureTintLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TintLinear<TriFormatARGB8888>(c, b, pitch, p, t);
}
void TriRasterRGB888TextureTint(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    Tint<TriFormatRGB888>(c, b, pitch, p, t);
}
void TriRasterRGB888TextureTintLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TintLinear<TriFormatRGB888>(c, b, pitch, p, t);
}
void TriRasterRGB565TextureTint(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    Tint<TriFormatRGB565>(c, b, pitch, p, t);
}
void TriRasterRGB565TextureTintLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TintLinear<TriFormatRGB565>(c, b, pitch, p, t);
}
void TriRasterRGB555TextureTint(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    Tint<TriFormatRGB555>(c, b, pitch, p, t);
}
void TriRasterRGB555TextureTintLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    TintLinear<TriFormatRGB555>(c, b, pitch, p, t);
}

} // namespace Kavo
