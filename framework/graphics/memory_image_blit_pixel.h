#pragma once

// Pixel arithmetic and source access shared by the memory image's blits,
// stretches and rotations. Pixels are 0xAARRGGBB with straight colour.

#include <cstddef>
#include <cstdint>

#include "framework/graphics/memory_image.h"
#include "framework/graphics/memory_image_blend.h"
#include "framework/util/cpu_features.h"

namespace Kavo::BlitPixel {

// The blits' packed mix: red with blue in one multiply, green in another,
// each product shifted before the sum. Red and green come out as
// (d * (256 - w) + s * w) >> 8; blue is truncated term by term, which is
// where this differs from PixelMath::MixRgb.
inline uint32_t Mix(uint32_t d, uint32_t s, uint32_t w) {
    uint32_t iw = 256 - w;
    return (((((d & 0x00FF00FFu) * iw) >> 8) + (((s & 0x00FF00FFu) * w) >> 8)) & 0x00FF00FFu) |
           (((((d & 0x0000FF00u) * iw) >> 8) + (((s & 0x0000FF00u) * w) >> 8)) & 0x0000FF00u);
}

// The blend alpha and colour weight of source alpha a (1..255) over a
// destination of alpha ad: A = ad + (255 - ad) * a / 255, w = a * 255 / A.
// A is never 0 for a of 1 or more. A fully opaque source takes the whole
// weight 256, so that it replaces the destination exactly (255 would leave
// a trace of the destination and lose a step of the colour).
struct NormalWeight {
    uint32_t mAlpha;
    uint32_t mWeight;
};

inline NormalWeight WeighNormal(uint32_t ad, uint32_t a) {
    if (a == 255)
        return {255, 256};
    if (ad == 255) // the usual case: A = 255 and w = a, no division
        return {255, a};
    uint32_t outA = ad + PixelMath::Div255((255 - ad) * a);
    return {outA, a * 255 / outA};
}

// Source colour s (its alpha byte ignored) with alpha a (1..255) over d.
inline uint32_t Blend(uint32_t d, uint32_t s, uint32_t a) {
    NormalWeight n = WeighNormal(d >> 24, a);
    return n.mAlpha << 24 | Mix(d, s, n.mWeight);
}

// Row accessors of the two source forms; both give the ARGB pixel at an
// offset from the row (or image) start.
struct PlainSource {
    const uint32_t* mPixels;
    uint32_t operator[](size_t i) const { return mPixels[i]; }
    PlainSource Offset(size_t i) const { return {mPixels + i}; }
};

struct PaletteSource {
    const uint8_t* mIndices;
    const uint32_t* mTable;
    uint32_t operator[](size_t i) const { return mTable[mIndices[i]]; }
    PaletteSource Offset(size_t i) const { return {mIndices + i, mTable}; }
};

inline bool IsPalettised(const MemoryImage& image) {
    return image.mColorTable && image.mColorIndices;
}

// Calls fn with the source's accessor in whichever form the pixels are
// held: the palettised form as it is, any other through GetBits.
template <typename Fn>
decltype(auto) WithSource(MemoryImage& image, Fn&& fn) {
    if (IsPalettised(image))
        return fn(PaletteSource{image.mColorIndices.get(), image.mColorTable.get()});
    return fn(PlainSource{image.GetBits()});
}

// The kernels the blits take: the portable ones, which state the
// arithmetic pixel by pixel and are the reference, or the vector ones up to
// an instruction set. Vector kernels give the same pixels bit for bit,
// which the tests check by drawing the same thing at every level the
// processor has.
using KernelLevel = CpuLevel;
// The best level the processor (and the build) has.
inline KernelLevel MaxKernelLevel() {
    return DetectCpuLevel();
}
KernelLevel CurrentKernelLevel();
// Capped at MaxKernelLevel; starts there.
void SetKernelLevel(KernelLevel level);
inline bool VectorKernelsEnabled() {
    return CurrentKernelLevel() != KernelLevel::Portable;
}

// The untinted normal blend of n source pixels over n destination pixels;
// pixels of alpha 0 leave the destination as it is.
void BlendRow(uint32_t* d, const uint32_t* s, int n);

// The destination's pixels after GetBits, or null when it has none.
inline uint32_t* DestinationBits(MemoryImage& image) {
    return image.PixelCount() == 0 ? nullptr : image.GetBits();
}

} // namespace Kavo::BlitPixel
