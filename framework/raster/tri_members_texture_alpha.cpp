#include "framework/raster/tri_members.h"
#include "framework/raster/tri_ops.h"

namespace Kavo {

namespace {

using P = const TriRasterParams*;
using T = const TriTintColor*;

// The tint is read only by the tinted sources; the untinted ones never touch it.
const TriTintColor kUnusedTint{255, 255, 255, 255};

template <class F, bool kTinted>
void Nearest(const TriFixedVertex* c, void* bits, int32_t pitch, P p, T t) {
    TriDrawTextured<F>(c, bits, pitch, TriSourceNearestAlpha<kTinted>{*p, kTinted ? *t : kUnusedTint});
}
template <class F, bool kTinted>
void Linear(const TriFixedVertex* c, void* bits, int32_t pitch, P p, T t) {
    TriDrawTextured<F>(c, bits, pitch, TriSourceLinearAlpha<kTinted>{*p, kTinted ? *t : kUnusedTint});
}

} // namespace

void TriRasterARGB8888TextureAlpha(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    Nearest<TriFormatARGB8888, false>(c, b, pitch, p, t);
}
void TriRasterARGB8888TextureAlphaLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    Linear<TriFormatARGB8888, false>(c, b, pitch, p, t);
}
void TriRasterARGB8888TextureAlphaTint(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    Nearest<TriFormatARGB8888, true>(c, b, pitch, p, t);
}
void TriRasterARGB8888TextureAlphaTintLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    Linear<TriFormatARGB8888, true>(c, b, pitch, p, t);
}

void TriRasterRGB888TextureAlpha(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    Nearest<TriFormatRGB888, false>(c, b, pitch, p, t);
}
void TriRasterRGB888TextureAlphaLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    Linear<TriFormatRGB888, false>(c, b, pitch, p, t);
}
void TriRasterRGB888TextureAlphaTint(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    Nearest<TriFormatRGB888, true>(c, b, pitch, p, t);
}
void TriRasterRGB888TextureAlphaTintLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    Linear<TriFormatRGB888, true>(c, b, pitch, p, t);
}

void TriRasterRGB565TextureAlpha(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    Nearest<TriFormatRGB565, false>(c, b, pitch, p, t);
}
void TriRasterRGB565TextureAlphaLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    Linear<TriFormatRGB565, false>(c, b, pitch, p, t);
}
void TriRasterRGB565TextureAlphaTint(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    Nearest<TriFormatRGB565, true>(c, b, pitch, p, t);
}
void TriRasterRGB565TextureAlphaTintLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    Linear<TriFormatRGB565, true>(c, b, pitch, p, t);
}

void TriRasterRGB555TextureAlpha(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    Nearest<TriFormatRGB555, false>(c, b, pitch, p, t);
}
void TriRasterRGB555TextureAlphaLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    Linear<TriFormatRGB555, false>(c, b, pitch, p, t);
}
void TriRasterRGB555TextureAlphaTint(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    Nearest<TriFormatRGB555, true>(c, b, pitch, p, t);
}
void TriRasterRGB555TextureAlphaTintLinear(const TriFixedVertex* c, void* b, int32_t pitch, P p, T t) {
    Linear<TriFormatRGB555, true>(c, b, pitch, p, t);
}

} // namespace Kavo
