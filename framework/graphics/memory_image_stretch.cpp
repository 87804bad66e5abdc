// Fast (nearest pixel) and filtered stretching of the memory image.

#include <algorithm>
#include <cmath>
#include <vector>

#include "framework/graphics/memory_image.h"
#include "framework/graphics/memory_image_blit.h"
#include "framework/graphics/memory_image_blit_pixel.h"

namespace Kavo {

namespace {

bool StretchRects(const IntRect& destRect, const IntRect& srcRect, const IntRect& clipRect, bool mirror,
                  IntRect& visibleDest, DoubleRect& visibleSource) {
    if (destRect.mWidth <= 0 || destRect.mHeight <= 0)
        return false;
    visibleDest = destRect.Intersection(clipRect);
    double sx = static_cast<double>(srcRect.mWidth) / destRect.mWidth;
    double sy = static_cast<double>(srcRect.mHeight) / destRect.mHeight;
    auto d = [](int v) { return static_cast<double>(v); };
    double offsetX = mirror ? d(destRect.mX) + destRect.mWidth - visibleDest.mX - visibleDest.mWidth
                            : d(visibleDest.mX) - destRect.mX;
    visibleSource = DoubleRect(offsetX * sx + srcRect.mX, (d(visibleDest.mY) - destRect.mY) * sy + srcRect.mY,
                               (d(visibleDest.mWidth) - destRect.mWidth) * sx + srcRect.mWidth,
                               (d(visibleDest.mHeight) - destRect.mHeight) * sy + srcRect.mHeight);
    return visibleSource.mWidth > 0 && visibleSource.mHeight > 0;
}

// Source pixels a stretch may read: the source rectangle within the image.
struct SourceLimits {
    int mLeft, mTop, mRight, mBottom; // right and bottom exclusive

    SourceLimits(const IntRect& srcRect, const Image& source) {
        IntRect r = srcRect.Intersection(IntRect(0, 0, source.mWidth, source.mHeight));
        mLeft = r.mX;
        mTop = r.mY;
        mRight = r.mX + r.mWidth;
        mBottom = r.mY + r.mHeight;
    }
    bool Empty() const { return mRight <= mLeft || mBottom <= mTop; }
};

// Nearest pixel; the column and row sums are built step by step. Columns
// are converted once per chunk and reused by every row.
void FastStretch(uint32_t* dest, int destPitch, const IntRect& visible, const DoubleRect& source,
                 const uint32_t* pixels, int sourcePitch, const SourceLimits& limits) {
    const double stepX = source.mWidth / visible.mWidth;
    const double stepY = source.mHeight / visible.mHeight;
    constexpr int kChunk = 256;
    int columns[kChunk];
    double sumX = source.mX;
    for (int i0 = 0; i0 < visible.mWidth; i0 += kChunk) {
        const int count = std::min(kChunk, visible.mWidth - i0);
        for (int i = 0; i < count; ++i, sumX += stepX)
            columns[i] = std::clamp(static_cast<int>(sumX), limits.mLeft, limits.mRight - 1);
        double sumY = source.mY;
        for (int j = 0; j < visible.mHeight; ++j, sumY += stepY) {
            const int row = std::clamp(static_cast<int>(sumY), limits.mTop, limits.mBottom - 1);
            const uint32_t* from = pixels + static_cast<size_t>(row) * sourcePitch;
            uint32_t* to = dest + static_cast<size_t>(visible.mY + j) * destPitch + visible.mX + i0;
            for (int i = 0; i < count; ++i) {
                uint32_t p = from[columns[i]];
                if (uint32_t a = p >> 24)
                    to[i] = BlitPixel::Blend(to[i], p, a);
            }
        }
    }
}

// Four channel sums of one work-buffer entry, in the order blue, green,
// red, alpha (the byte order of a pixel), as one vector so that the passes
// work on all four at once.
using Sums4 = uint32_t __attribute__((vector_size(16)));
struct ChannelSums {
    Sums4 mSum;
};

inline Sums4 Unpack(uint32_t p) { return Sums4{p & 0xFF, p >> 8 & 0xFF, p >> 16 & 0xFF, p >> 24}; }

inline void AddWeighted(ChannelSums& to, uint32_t pixel, uint32_t weight) { to.mSum += Unpack(pixel) * weight; }

// Box filter along one axis: source cell i (of count) covers p0 .. p0 + scale
// in output cells, where output cell 1 is the first visible one; its share
// of each output cell it touches is trunc(share * unit). add(i, cell,
// weight) accumulates.
template <typename Add>
void BoxFilter(int count, double start, double scale, int unit, int lastCell, Add add) {
    const int whole = static_cast<int>(scale * unit);
    for (int i = 0; i < count; ++i) {
        double p0 = start + 1.0 + i * scale;
        double p1 = p0 + scale;
        int c0 = std::clamp(static_cast<int>(p0), 0, lastCell);
        int c1 = std::clamp(static_cast<int>(p1), 0, lastCell);
        if (c0 == c1) {
            add(i, c0, whole);
        } else {
            add(i, c0, static_cast<int>((std::trunc(p1) - p0) * unit));
            add(i, c1, static_cast<int>((p1 - std::trunc(p1)) * unit));
        }
    }
}

// Linear interpolation along one axis: output i samples pos = start + i *
// step; the cell at trunc(pos) gets weight trunc((1 - frac) * unit), the
// next one the rest. The next one past the last cell is the last cell.
template <typename Sample>
void LinearFilter(int outCount, double start, double step, int unit, int firstCell, int lastCell, Sample sample) {
    for (int i = 0; i < outCount; ++i) {
        double pos = start + i * step;
        double cell = std::trunc(pos);
        int f = std::clamp(static_cast<int>((1.0 - (pos - cell)) * unit), 0, unit);
        int c = std::clamp(static_cast<int>(cell), firstCell, lastCell);
        sample(i, c, std::min(c + 1, lastCell), static_cast<uint32_t>(f));
    }
}

double EnlargeStep(double sourceSize, int visibleSize) {
    return visibleSize == 1 ? sourceSize / visibleSize : (sourceSize - 1) / (visibleSize - 1);
}

// to += from * weight, entry by entry.
void AddRow(ChannelSums* to, const ChannelSums* from, uint32_t weight, int count) {
    for (int k = 0; k < count; ++k)
        to[k].mSum += from[k].mSum * weight;
}

// to = a * g + b * (256 - g).
void MixRows(ChannelSums* to, const ChannelSums* a, const ChannelSums* b, uint32_t g, int count) {
    for (int k = 0; k < count; ++k)
        to[k].mSum = a[k].mSum * g + b[k].mSum * (256 - g);
}

// The resampled pixel (16 fraction bits per sum) over d, weighted by its
// alpha; as in the blits, a fully opaque result replaces the destination.
inline uint32_t BlendSums(uint32_t d, const ChannelSums& e) {
    uint32_t a = e.mSum[3] >> 16;
    if (a == 0)
        return d;
    uint32_t ad = d >> 24;
    uint32_t out = (ad + PixelMath::Div255((255 - ad) * a)) << 24;
    uint32_t w = a == 255 ? 256 : a;
    for (int c = 0; c < 3; ++c) {
        uint32_t dc = d >> (8 * c) & 0xFF;
        uint32_t sc = e.mSum[c] >> 16;
        out |= (((dc * (256 - w)) >> 8) + ((sc * w) >> 8)) << (8 * c);
    }
    return out;
}

// Separable resampling into 16-fraction-bit sums (257 per unit across, 256
// down), then a blend by the resulting alpha.
template <typename Src>
void FilteredStretch(uint32_t* dest, int destPitch, const IntRect& visible, const DoubleRect& source, Src pixels,
                     int sourcePitch, const SourceLimits& limits) {
    const int winLeft = std::max(static_cast<int>(std::floor(source.mX)), limits.mLeft);
    const int winTop = std::max(static_cast<int>(std::floor(source.mY)), limits.mTop);
    const int winRight = std::min(static_cast<int>(std::ceil(source.mX + source.mWidth)), limits.mRight);
    const int winBottom = std::min(static_cast<int>(std::ceil(source.mY + source.mHeight)), limits.mBottom);
    if (winRight <= winLeft || winBottom <= winTop)
        return;
    const int winWidth = winRight - winLeft;
    const int winHeight = winBottom - winTop;
    const int vw = visible.mWidth;
    const int vh = visible.mHeight;
    const int columns = vw + 4;

    // Horizontal pass: one row of sums per window row; buffer column 1 is
    // destination column 0.
    std::vector<ChannelSums> across(static_cast<size_t>(winHeight) * columns);
    // The filter's taps (source column, buffer column, weight) are the same
    // for every row: worked out once, then applied row by row.
    struct Tap {
        int source, cell;
        uint32_t weight;
    };
    std::vector<Tap> taps;
    if (vw > source.mWidth) {
        LinearFilter(vw, source.mX, EnlargeStep(source.mWidth, vw), 257, winLeft, winRight - 1,
                     [&](int j, int c, int c1, uint32_t f) {
                         taps.push_back({c, j + 1, f});
                         taps.push_back({c1, j + 1, 257 - f});
                     });
    } else {
        BoxFilter(winWidth, (winLeft - source.mX) * (vw / source.mWidth), vw / source.mWidth, 257, columns - 1,
                  [&](int i, int cell, int weight) { taps.push_back({winLeft + i, cell, static_cast<uint32_t>(weight)}); });
    }
    for (int r = 0; r < winHeight; ++r) {
        const Src row = pixels.Offset(static_cast<size_t>(winTop + r) * sourcePitch);
        ChannelSums* sums = &across[static_cast<size_t>(r) * columns];
        for (const Tap& tap : taps)
            AddWeighted(sums[tap.cell], row[tap.source], tap.weight);
    }

    // Vertical pass; buffer row 1 is destination row 0. Enlarging makes each
    // destination row from two window rows, so it is blended as soon as it
    // is made; the box filter spreads each window row over one or two.
    auto blendRow = [&](int i, const ChannelSums* from) {
        uint32_t* to = dest + static_cast<size_t>(visible.mY + i) * destPitch + visible.mX;
        for (int j = 0; j < vw; ++j)
            to[j] = BlendSums(to[j], from[j]);
    };
    if (vh > source.mHeight) {
        std::vector<ChannelSums> row(columns);
        LinearFilter(vh, source.mY - std::trunc(source.mY) + (std::floor(source.mY) - winTop),
                     EnlargeStep(source.mHeight, vh), 256, 0, winHeight - 1, [&](int i, int r, int r1, uint32_t g) {
                         MixRows(row.data(), &across[static_cast<size_t>(r) * columns],
                                 &across[static_cast<size_t>(r1) * columns], g, columns);
                         blendRow(i, row.data() + 1);
                     });
    } else {
        std::vector<ChannelSums> down(static_cast<size_t>(vh + 4) * columns);
        BoxFilter(winHeight, (winTop - source.mY) * (vh / source.mHeight), vh / source.mHeight, 256, vh + 3,
                  [&](int i, int cell, int weight) {
                      AddRow(&down[static_cast<size_t>(cell) * columns], &across[static_cast<size_t>(i) * columns],
                             static_cast<uint32_t>(weight), columns);
                  });
        for (int i = 0; i < vh; ++i)
            blendRow(i, &down[static_cast<size_t>(i + 1) * columns + 1]);
    }
}

} // namespace

bool ComputeStretchRects(const IntRect& destRect, const IntRect& srcRect, const IntRect& clipRect,
                         IntRect& visibleDest, DoubleRect& visibleSource) {
    return StretchRects(destRect, srcRect, clipRect, false, visibleDest, visibleSource);
}

bool ComputeStretchRectsMirror(const IntRect& destRect, const IntRect& srcRect, const IntRect& clipRect,
                               IntRect& visibleDest, DoubleRect& visibleSource) {
    return StretchRects(destRect, srcRect, clipRect, true, visibleDest, visibleSource);
}

void MemoryImage::StretchBlt(Image* image, const IntRect& destRect, const IntRect& srcRect, const IntRect& clipRect,
                             const Color& color, int drawMode, bool fastStretch) {
    if (image == nullptr)
        return;
    image->mDrawn = true;
    if (drawMode != 0 && drawMode != 1)
        return;
    IntRect visible;
    DoubleRect visibleSource;
    const IntRect clip = clipRect.Intersection(IntRect(0, 0, mWidth, mHeight));
    if (!ComputeStretchRects(destRect, srcRect, clip, visible, visibleSource))
        return;
    auto* source = dynamic_cast<MemoryImage*>(image);
    if (source == nullptr)
        return;
    const SourceLimits limits(srcRect, *source);
    uint32_t* bits = GetBits();
    if (!limits.Empty()) {
        if (fastStretch) {
            // Built for untinted normal drawing; other colours leave the
            // destination as it is.
            if (color == Color::White)
                FastStretch(bits, mWidth, visible, visibleSource, source->GetBits(), source->mWidth, limits);
        } else {
            BlitPixel::WithSource(*source, [&](auto s) {
                FilteredStretch(bits, mWidth, visible, visibleSource, s, source->mWidth, limits);
            });
        }
    }
    BitsChanged();
}

} // namespace Kavo
