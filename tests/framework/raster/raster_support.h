#pragma once

// Shared fixtures of the rasteriser tests: exact-size destinations filled
// with a sentinel, vertex builders and a texture view over a vector.

#include <cmath>
#include <cstdint>
#include <vector>

#include "framework/raster/tri_walk.h"

namespace Kavo::RasterTest {

// A destination of exactly width * height pixels, so that a write outside it
// is a heap overflow that the sanitizer build reports.
template <class Pixel>
struct Canvas {
    int width;
    int height;
    std::vector<Pixel> pixels;

    Canvas(int w, int h, Pixel fill) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}
    Pixel& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    Pixel At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    void* Bits() { return pixels.data(); }
    int32_t Pitch() const { return width * static_cast<int32_t>(sizeof(Pixel)); }
    IntRect Full() const { return IntRect(0, 0, width, height); }
};

// A walk operation that counts the visits of every pixel.
struct CountOp {
    using Pixel = uint32_t;
    static constexpr bool kColors = false;
    static constexpr bool kTexture = false;
    static constexpr int32_t kTexelBias = 0;
    void operator()(uint32_t* pixel, const TriSpanValues&) const { ++*pixel; }
};

inline TriVertex Vertex(float x, float y, float u = 0, float v = 0, uint32_t color = 0xFFFFFFFF) {
    return TriVertex{x, y, u, v, color};
}

inline TriFixedVertex Fixed(float x, float y, uint32_t color = 0xFFFFFFFF, int32_t u = 0, int32_t v = 0) {
    return TriFixedVertex{static_cast<int32_t>(x * 65536),
                          static_cast<int32_t>(y * 65536),
                          static_cast<int32_t>((color >> 8) & 0xFF0000),
                          static_cast<int32_t>(color & 0xFF0000),
                          static_cast<int32_t>((color & 0xFF00) << 8),
                          static_cast<int32_t>((color & 0xFF) << 16),
                          u,
                          v};
}

// The strip of a w x h quad at (x, y), rotated by `angle` about its centre
// and scaled by `scale`; u and v span the texture once.
inline std::vector<TriVertex> RotatedQuad(float x, float y, float w, float h, double angle, double scale = 1.0) {
    const double cx = x + w / 2.0;
    const double cy = y + h / 2.0;
    const double c = std::cos(angle) * scale;
    const double s = std::sin(angle) * scale;
    std::vector<TriVertex> quad;
    const float corners[4][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    for (const auto& k : corners) {
        const double dx = x + k[0] * w - cx;
        const double dy = y + k[1] * h - cy;
        quad.push_back(
            Vertex(static_cast<float>(cx + dx * c - dy * s), static_cast<float>(cy + dx * s + dy * c), k[0], k[1]));
    }
    return quad;
}

struct Texture {
    std::vector<uint32_t> texels;
    TriTextureView view;

    Texture(int w, int h, std::vector<uint32_t> pixels, bool alpha = false, bool transparency = false)
        : texels(std::move(pixels)) {
        view.bits = texels.data();
        view.width = w;
        view.height = h;
        view.hasAlpha = alpha;
        view.hasTransparency = transparency;
    }
};

} // namespace Kavo::RasterTest
