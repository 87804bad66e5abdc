#include "platform/surface/pixel_plane.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform {

std::uint32_t ReadPixel(const std::uint8_t* at, int bytesPerPixel) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytesPerPixel; ++i) {
        value |= std::uint32_t{at[i]} << (8 * i);
    }
    return value;
}

void WritePixel(std::uint8_t* at, int bytesPerPixel, std::uint32_t value) {
    for (int i = 0; i < bytesPerPixel; ++i) {
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

Rect Intersect(const Rect& a, const Rect& b) {
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    if (r.right <= r.left || r.bottom <= r.top) {
        return {};
    }
    return r;
}

bool IsEmpty(const Rect& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

bool Inside(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

void BlitNearest(const PixelPlane& dest, const Rect& destRect, const Rect& clip, const PixelPlane& src,
                 const Rect& srcRect, const ColorKey* key) {
    const int bpp = dest.bytesPerPixel;
    const std::int64_t dw = destRect.Width(), dh = destRect.Height();
    const std::int64_t sw = srcRect.Width(), sh = srcRect.Height();
    // Source columns once per blit: the centre of destination pixel u maps
    // to source column (2u + 1) * sw / (2 * dw).
    std::vector<int> columns(static_cast<std::size_t>(clip.Width()));
    for (int x = clip.left; x < clip.right; ++x) {
        const std::int64_t u = x - destRect.left;
        columns[static_cast<std::size_t>(x - clip.left)] = srcRect.left + static_cast<int>((2 * u + 1) * sw / (2 * dw));
    }
    for (int y = clip.top; y < clip.bottom; ++y) {
        const std::int64_t v = y - destRect.top;
        const int sy = srcRect.top + static_cast<int>((2 * v + 1) * sh / (2 * dh));
        const std::uint8_t* srcRow = src.bits + std::ptrdiff_t{sy} * src.pitch;
        std::uint8_t* destRow = dest.bits + std::ptrdiff_t{y} * dest.pitch;
        for (int x = clip.left; x < clip.right; ++x) {
            const std::uint8_t* from = srcRow + std::ptrdiff_t{columns[static_cast<std::size_t>(x - clip.left)]} * bpp;
            if (key) {
                const std::uint32_t value = ReadPixel(from, bpp);
                if (value >= key->low && value <= key->high) {
                    continue;
                }
            }
            std::memcpy(destRow + std::ptrdiff_t{x} * bpp, from, static_cast<std::size_t>(bpp));
        }
    }
}

void FillPixels(const PixelPlane& dest, const Rect& rect, std::uint32_t value) {
    for (int y = rect.top; y < rect.bottom; ++y) {
        std::uint8_t* row = dest.bits + std::ptrdiff_t{y} * dest.pitch;
        for (int x = rect.left; x < rect.right; ++x) {
            WritePixel(row + std::ptrdiff_t{x} * dest.bytesPerPixel, dest.bytesPerPixel, value);
        }
    }
}

} // namespace platform
