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

namespace {

// Unscaled copies keep source column (x - dest left + source left): whole
// rows move at once, and a keyed copy tests typed pixels.
template <typename Pixel>
void CopyKeyedRow(std::uint8_t* to, const std::uint8_t* from, int count, const ColorKey& key) {
    for (int i = 0; i < count; ++i, to += sizeof(Pixel), from += sizeof(Pixel)) {
        Pixel value;
        std::memcpy(&value, from, sizeof(Pixel));
        if (value < key.low || value > key.high) {
            std::memcpy(to, &value, sizeof(Pixel));
        }
    }
}

void CopyUnscaled(const PixelPlane& dest, const Rect& destRect, const Rect& clip, const PixelPlane& src,
                  const Rect& srcRect, const ColorKey* key) {
    const int bpp = dest.bytesPerPixel;
    const int sx = srcRect.left + (clip.left - destRect.left);
    const int sy = srcRect.top + (clip.top - destRect.top);
    const std::size_t rowBytes = static_cast<std::size_t>(clip.Width()) * static_cast<std::size_t>(bpp);
    for (int y = clip.top; y < clip.bottom; ++y) {
        const std::uint8_t* from =
            src.bits + std::ptrdiff_t{sy + (y - clip.top)} * src.pitch + std::ptrdiff_t{sx} * bpp;
        std::uint8_t* to = dest.bits + std::ptrdiff_t{y} * dest.pitch + std::ptrdiff_t{clip.left} * bpp;
        if (!key) {
            std::memmove(to, from, rowBytes);
        } else if (bpp == 4) {
            CopyKeyedRow<std::uint32_t>(to, from, clip.Width(), *key);
        } else if (bpp == 2) {
            CopyKeyedRow<std::uint16_t>(to, from, clip.Width(), *key);
        } else {
            for (int x = 0; x < clip.Width(); ++x, to += bpp, from += bpp) {
                const std::uint32_t value = ReadPixel(from, bpp);
                if (value < key->low || value > key->high) {
                    std::memcpy(to, from, static_cast<std::size_t>(bpp));
                }
            }
        }
    }
}

} // namespace

void BlitNearest(const PixelPlane& dest, const Rect& destRect, const Rect& clip, const PixelPlane& src,
                 const Rect& srcRect, const ColorKey* key) {
    if (destRect.Width() == srcRect.Width() && destRect.Height() == srcRect.Height()) {
        CopyUnscaled(dest, destRect, clip, src, srcRect, key);
        return;
    }
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
    if (IsEmpty(rect)) {
        return;
    }
    // The first row is written pixel by pixel, the others are copies of it.
    const int bpp = dest.bytesPerPixel;
    const std::size_t rowBytes = static_cast<std::size_t>(rect.Width()) * static_cast<std::size_t>(bpp);
    std::uint8_t* first = dest.bits + std::ptrdiff_t{rect.top} * dest.pitch + std::ptrdiff_t{rect.left} * bpp;
    for (int x = 0; x < rect.Width(); ++x) {
        WritePixel(first + std::ptrdiff_t{x} * bpp, bpp, value);
    }
    for (int y = rect.top + 1; y < rect.bottom; ++y) {
        std::memcpy(first + std::ptrdiff_t{y - rect.top} * dest.pitch, first, rowBytes);
    }
}

} // namespace platform
