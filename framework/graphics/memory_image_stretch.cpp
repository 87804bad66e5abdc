// Fast (nearest pixel) and filtered stretching of the memory image.

#include <algorithm>
#include <cmath>
#include <vector>

#include "framework/graphics/memory_image.h"
#include "framework/graphics/memory_image_blit.h"
#include "framework/graphics/memory_image_blit_pixel.h"
#include "framework/graphics/memory_image_blit_simd.h"

#if defined(__SSE2__)
#include <immintrin.h>
#endif

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

// to[i] = from[columns[i]] for i below count.
void GatherRow(uint32_t* to, const uint32_t* from, const int* columns, int count) {
    for (int i = 0; i < count; ++i)
        to[i] = from[columns[i]];
}

#if defined(__SSE2__)
KAVO_TARGET_AVX2 void GatherRowAvx2(uint32_t* to, const uint32_t* from, const int* columns, int count) {
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i at = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(columns + i));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + i),
                            _mm256_i32gather_epi32(reinterpret_cast<const int*>(from), at, 4));
    }
    GatherRow(to + i, from, columns + i, count - i);
}
#endif

// Nearest pixel; the column and row sums are built step by step. Columns
// are converted once per chunk and reused by every row; a source row is
// gathered once for all the destination rows that sample it, then blended
// as a row. A chunk spans the usual destination row whole: a row drawn in
// pieces, one pass over the rows per piece, costs more in memory traffic
// than the pixel work it holds.
void FastStretch(uint32_t* dest, int destPitch, const IntRect& visible, const DoubleRect& source,
                 const uint32_t* pixels, int sourcePitch, const SourceLimits& limits) {
    const double stepX = source.mWidth / visible.mWidth;
    const double stepY = source.mHeight / visible.mHeight;
    constexpr int kChunk = 1024;
    int columns[kChunk];
    uint32_t gathered[kChunk];
    auto gather = GatherRow;
#if defined(__SSE2__)
    if (BlitPixel::CurrentKernelLevel() >= BlitPixel::KernelLevel::Avx2)
        gather = GatherRowAvx2;
#endif
    double sumX = source.mX;
    for (int i0 = 0; i0 < visible.mWidth; i0 += kChunk) {
        const int count = std::min(kChunk, visible.mWidth - i0);
        for (int i = 0; i < count; ++i, sumX += stepX)
            columns[i] = std::clamp(static_cast<int>(sumX), limits.mLeft, limits.mRight - 1);
        double sumY = source.mY;
        int gatheredRow = -1;
        for (int j = 0; j < visible.mHeight; ++j, sumY += stepY) {
            const int row = std::clamp(static_cast<int>(sumY), limits.mTop, limits.mBottom - 1);
            if (row != gatheredRow) {
                gather(gathered, pixels + static_cast<size_t>(row) * sourcePitch, columns, count);
                gatheredRow = row;
            }
            BlitPixel::BlendRow(dest + static_cast<size_t>(visible.mY + j) * destPitch + visible.mX + i0, gathered,
                                count);
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

inline Sums4 Unpack(uint32_t p) {
    return Sums4{p & 0xFF, p >> 8 & 0xFF, p >> 16 & 0xFF, p >> 24};
}

inline void AddWeighted(ChannelSums& to, uint32_t pixel, uint32_t weight) {
    to.mSum += Unpack(pixel) * weight;
}

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

#if defined(__SSE2__)
// The top half of h0 * g + h1 * (256 - g) in every 16-bit lane, for h0 and
// h1 up to 65535: the high halves of the products summed, plus the carry
// out of the sum of their low halves (found by an unsigned compare, the
// signed one after flipping the top bit).
inline __m128i TopHalf(__m128i h0, __m128i h1, __m128i g, __m128i ig) {
    const __m128i bias = _mm_set1_epi16(static_cast<short>(0x8000));
    const __m128i lo0 = _mm_mullo_epi16(h0, g);
    const __m128i lo = _mm_add_epi16(lo0, _mm_mullo_epi16(h1, ig));
    const __m128i carry = _mm_cmplt_epi16(_mm_xor_si128(lo, bias), _mm_xor_si128(lo0, bias));
    return _mm_sub_epi16(_mm_add_epi16(_mm_mulhi_epu16(h0, g), _mm_mulhi_epu16(h1, ig)), carry);
}

// BlendSums for two pixels: c holds the resampled channels (the top halves
// of the sums), d the destination, both widened. A sample of alpha 0 mixes
// with weight 0 and keeps the destination's alpha, so it needs no test.
inline __m128i BlendTop(__m128i d, __m128i c, bool opaque) {
    using BlitSimd::Div255;
    const __m128i a = BlitSimd::BroadcastAlpha(c);
    const __m128i w = _mm_sub_epi16(a, _mm_cmpeq_epi16(a, _mm_set1_epi16(255)));
    const __m128i iw = _mm_sub_epi16(_mm_set1_epi16(256), w);
    const __m128i colour =
        _mm_add_epi16(_mm_srli_epi16(_mm_mullo_epi16(d, iw), 8), _mm_srli_epi16(_mm_mullo_epi16(c, w), 8));
    if (opaque)
        return colour; // the alpha becomes 255, set by the caller
    const __m128i alphaLanes = _mm_set_epi16(-1, 0, 0, 0, -1, 0, 0, 0);
    const __m128i alpha = _mm_add_epi16(d, Div255(_mm_mullo_epi16(_mm_sub_epi16(_mm_set1_epi16(255), d), a)));
    return BlitSimd::Select(alphaLanes, alpha, colour);
}

// A destination row from the horizontal sums of its two window rows mixed
// as h0 * g + h1 * (256 - g); returns how many of the vw pixels it drew (a
// multiple of four), leaving the rest to the caller.
int BlendSumRowsSse2(uint32_t* to, const uint16_t* h0, const uint16_t* h1, uint32_t g, int vw) {
    const __m128i g16 = _mm_set1_epi16(static_cast<short>(g));
    const __m128i ig16 = _mm_set1_epi16(static_cast<short>(256 - g));
    const __m128i zero = _mm_setzero_si128();
    auto top = [&](int j) {
        auto load = [j](const uint16_t* h) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(h + j * 4)); };
        return TopHalf(load(h0), load(h1), g16, ig16);
    };
    int j = 0;
    for (; j + 4 <= vw; j += 4) {
        const __m128i dp = BlitSimd::Load4(to + j);
        const bool opaque = BlitSimd::AllOpaque(dp);
        __m128i out = _mm_packus_epi16(BlendTop(_mm_unpacklo_epi8(dp, zero), top(j), opaque),
                                       BlendTop(_mm_unpackhi_epi8(dp, zero), top(j + 2), opaque));
        if (opaque)
            out = _mm_or_si128(out, _mm_set1_epi32(static_cast<int>(0xFF000000u)));
        BlitSimd::Store4(to + j, out);
    }
    return j;
}

// TopHalf and BlendTop four pixels at a time.
KAVO_TARGET_AVX2 inline __m256i TopHalf8(__m256i h0, __m256i h1, __m256i g, __m256i ig) {
    const __m256i bias = _mm256_set1_epi16(static_cast<short>(0x8000));
    const __m256i lo0 = _mm256_mullo_epi16(h0, g);
    const __m256i lo = _mm256_add_epi16(lo0, _mm256_mullo_epi16(h1, ig));
    const __m256i carry = _mm256_cmpgt_epi16(_mm256_xor_si256(lo0, bias), _mm256_xor_si256(lo, bias));
    return _mm256_sub_epi16(_mm256_add_epi16(_mm256_mulhi_epu16(h0, g), _mm256_mulhi_epu16(h1, ig)), carry);
}

KAVO_TARGET_AVX2 inline __m256i BlendTop8(__m256i d, __m256i c, bool opaque) {
    const __m256i a = _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(c, 0xFF), 0xFF);
    const __m256i w = _mm256_sub_epi16(a, _mm256_cmpeq_epi16(a, _mm256_set1_epi16(255)));
    const __m256i iw = _mm256_sub_epi16(_mm256_set1_epi16(256), w);
    const __m256i colour = _mm256_add_epi16(_mm256_srli_epi16(_mm256_mullo_epi16(d, iw), 8),
                                            _mm256_srli_epi16(_mm256_mullo_epi16(c, w), 8));
    if (opaque)
        return colour;
    const __m256i alphaLanes = _mm256_set1_epi64x(static_cast<long long>(0xFFFF000000000000ull));
    const __m256i share = _mm256_mullo_epi16(_mm256_sub_epi16(_mm256_set1_epi16(255), d), a);
    const __m256i alpha = _mm256_add_epi16(
        d, _mm256_srli_epi16(_mm256_mulhi_epu16(share, _mm256_set1_epi16(static_cast<short>(0x8081))), 7));
    return _mm256_blendv_epi8(colour, alpha, alphaLanes);
}

KAVO_TARGET_AVX2 int BlendSumRowsAvx2(uint32_t* to, const uint16_t* h0, const uint16_t* h1, uint32_t g, int vw) {
    const __m256i g16 = _mm256_set1_epi16(static_cast<short>(g));
    const __m256i ig16 = _mm256_set1_epi16(static_cast<short>(256 - g));
    int j = 0;
    for (; j + 4 <= vw; j += 4) {
        auto load = [j](const uint16_t* h)
                        KAVO_TARGET_AVX2 { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(h + j * 4)); };
        const __m128i dp = BlitSimd::Load4(to + j);
        const bool opaque = BlitSimd::AllOpaque(dp);
        const __m256i blended = BlendTop8(_mm256_cvtepu8_epi16(dp), TopHalf8(load(h0), load(h1), g16, ig16), opaque);
        __m128i out = _mm_packus_epi16(_mm256_castsi256_si128(blended), _mm256_extracti128_si256(blended, 1));
        if (opaque)
            out = _mm_or_si128(out, _mm_set1_epi32(static_cast<int>(0xFF000000u)));
        BlitSimd::Store4(to + j, out);
    }
    return j;
}

// Enlarging along both axes, every destination pixel comes from a 2 x 2
// neighbourhood: the horizontal pass gives p[c] * f + p[c + 1] * (257 - f)
// per channel, at most 255 * 257, so each window row's sums fit 16-bit lanes
// and are made once for all the destination rows that use them.
template <typename Src>
void FilteredEnlarge(uint32_t* dest, int destPitch, const IntRect& visible, const DoubleRect& source, Src pixels,
                     int sourcePitch, int winLeft, int winTop, int winRight, int winBottom) {
    const int vw = visible.mWidth, vh = visible.mHeight;
    const int winWidth = winRight - winLeft, winHeight = winBottom - winTop;
    const int evenWidth = (vw + 1) & ~1;
    // Per destination column, where its pair starts in the window row and
    // the pair's weights, f over the first pixel's four lanes and 257 - f
    // over the second's. An odd last column gets a pair of weight 0.
    std::vector<int> columnAt(evenWidth, 0);
    std::vector<uint16_t> columnWeights(static_cast<size_t>(evenWidth) * 8, 0);
    LinearFilter(vw, source.mX, EnlargeStep(source.mWidth, vw), 257, winLeft, winRight - 1,
                 [&](int j, int c, int, uint32_t f) {
                     columnAt[j] = c - winLeft;
                     std::fill_n(&columnWeights[j * 8], 4, static_cast<uint16_t>(f));
                     std::fill_n(&columnWeights[j * 8 + 4], 4, static_cast<uint16_t>(257 - f));
                 });
    // A window row with its last pixel repeated once, so that every pair is
    // two neighbouring pixels (the last column pairs with itself).
    std::vector<uint32_t> padded(static_cast<size_t>(winWidth) + 1);
    std::vector<uint16_t> sums[2] = {std::vector<uint16_t>(static_cast<size_t>(evenWidth) * 4),
                                     std::vector<uint16_t>(static_cast<size_t>(evenWidth) * 4)};
    int sumsRow[2] = {-1, -1};
    const auto blendRows =
        BlitPixel::CurrentKernelLevel() >= BlitPixel::KernelLevel::Avx2 ? BlendSumRowsAvx2 : BlendSumRowsSse2;
    auto rowSums = [&](int r, int keep) -> const uint16_t* {
        for (int slot = 0; slot < 2; ++slot)
            if (sumsRow[slot] == r)
                return sums[slot].data();
        const int slot = sumsRow[0] == keep ? 1 : 0;
        const Src row = pixels.Offset(static_cast<size_t>(winTop + r) * sourcePitch + winLeft);
        for (int k = 0; k < winWidth; ++k)
            padded[k] = row[k];
        padded[winWidth] = padded[winWidth - 1];
        const __m128i zero = _mm_setzero_si128();
        uint16_t* to = sums[slot].data();
        for (int j = 0; j < evenWidth; j += 2) {
            auto pair = [&](int col) {
                return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(&padded[columnAt[col]]));
            };
            const __m128i both = _mm_unpacklo_epi64(pair(j), pair(j + 1));
            auto weights = [&](int col) {
                return _mm_loadu_si128(reinterpret_cast<const __m128i*>(&columnWeights[col * 8]));
            };
            const __m128i a = _mm_mullo_epi16(_mm_unpacklo_epi8(both, zero), weights(j));
            const __m128i b = _mm_mullo_epi16(_mm_unpackhi_epi8(both, zero), weights(j + 1));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + j * 4),
                             _mm_add_epi16(_mm_unpacklo_epi64(a, b), _mm_unpackhi_epi64(a, b)));
        }
        sumsRow[slot] = r;
        return to;
    };

    LinearFilter(vh, source.mY - std::trunc(source.mY) + (std::floor(source.mY) - winTop),
                 EnlargeStep(source.mHeight, vh), 256, 0, winHeight - 1, [&](int i, int r, int r1, uint32_t g) {
                     const uint16_t* h0 = rowSums(r, r1);
                     const uint16_t* h1 = rowSums(r1, r);
                     uint32_t* to = dest + static_cast<size_t>(visible.mY + i) * destPitch + visible.mX;
                     int j = blendRows(to, h0, h1, g, vw);
                     for (; j < vw; ++j) {
                         ChannelSums e;
                         for (int k = 0; k < 4; ++k)
                             e.mSum[k] = uint32_t{h0[j * 4 + k]} * g + uint32_t{h1[j * 4 + k]} * (256 - g);
                         to[j] = BlendSums(to[j], e);
                     }
                 });
}
#endif

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
#if defined(__SSE2__)
    if (BlitPixel::VectorKernelsEnabled() && vw > source.mWidth && vh > source.mHeight) {
        FilteredEnlarge(dest, destPitch, visible, source, pixels, sourcePitch, winLeft, winTop, winRight, winBottom);
        return;
    }
#endif
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
                  [&](int i, int cell, int weight) {
                      taps.push_back({winLeft + i, cell, static_cast<uint32_t>(weight)});
                  });
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

bool ComputeStretchRects(const IntRect& destRect, const IntRect& srcRect, const IntRect& clipRect, IntRect& visibleDest,
                         DoubleRect& visibleSource) {
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
