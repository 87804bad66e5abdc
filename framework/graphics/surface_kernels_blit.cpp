// Normal, additive and mirrored blits of a memory image onto a locked
// display surface. The source is read in the display's format
// (premultiplied), so an opaque run is a copy and a blend one multiply of
// the destination plus an add; its run tables let whole runs of one alpha
// class be skipped, copied or blended.

#include <algorithm>
#include <cstring>
#include <type_traits>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

#include "framework/graphics/memory_image_blit_simd.h"
#include "framework/graphics/surface_kernels.h"
#include "framework/graphics/surface_pixel.h"
#include "framework/graphics/surface_source.h"

namespace Kavo::SurfaceKernels {

using SurfacePixel::DepthWay;
using SurfacePixel::Fold;
using SurfacePixel::KernelColor;
using SurfacePixel::Spread;
using SurfacePixel::SumChannels;

namespace {

// A blit cut to the surface and the source: destination start column
// (the rightmost one for a mirror), row, direction and the source area.
struct BlitArea {
    int32_t mDestX = 0;
    int32_t mDestY = 0;
    int32_t mDir = 1;
    IntRect mSrc;
};

// The blit of srcRect at (x, y) cut to both images. Mirrored, source
// column i lands at x + width - 1 - i, so a cut on one side of the
// destination removes source columns on the other.
bool ClipBlit(const SurfaceTarget& surface, const MemoryImage& source, int x, int y, const IntRect& srcRect,
              bool mirror, BlitArea& area) {
    int64_t sx = srcRect.mX, sy = srcRect.mY, w = srcRect.mWidth, h = srcRect.mHeight;
    int64_t dx = x, dy = y;
    auto cutSourceLeft = [&](int64_t n) { // source columns at the left
        sx += n;
        w -= n;
        if (!mirror)
            dx += n;
    };
    auto cutSourceRight = [&](int64_t n) {
        w -= n;
        if (mirror)
            dx += n;
    };
    if (sx < 0)
        cutSourceLeft(-sx);
    if (sx + w > source.mWidth)
        cutSourceRight(sx + w - source.mWidth);
    if (sy < 0) {
        dy -= sy;
        h += sy;
        sy = 0;
    }
    h = std::min<int64_t>(h, source.mHeight - sy);
    if (dx < 0)
        mirror ? cutSourceRight(-dx) : cutSourceLeft(-dx);
    if (dx + w > surface.mWidth)
        mirror ? cutSourceLeft(dx + w - surface.mWidth) : cutSourceRight(dx + w - surface.mWidth);
    if (dy < 0) {
        sy -= dy;
        h += dy;
        dy = 0;
    }
    h = std::min<int64_t>(h, surface.mHeight - dy);
    if (w <= 0 || h <= 0)
        return false;
    area.mSrc =
        IntRect(static_cast<int32_t>(sx), static_cast<int32_t>(sy), static_cast<int32_t>(w), static_cast<int32_t>(h));
    area.mDestX = static_cast<int32_t>(mirror ? dx + w - 1 : dx);
    area.mDestY = static_cast<int32_t>(dy);
    area.mDir = mirror ? -1 : 1;
    return true;
}

// fn(destination row, first destination column, source index of the row's
// first pixel) per row of the area.
template <typename Pixel, typename Fn>
void ForEachRow(const SurfaceTarget& surface, const BlitArea& area, int32_t sourceWidth, Fn fn) {
    for (int32_t row = 0; row < area.mSrc.mHeight; ++row) {
        Pixel* d = surface.Row<Pixel>(area.mDestY + row) + area.mDestX;
        fn(d, static_cast<size_t>(area.mSrc.mY + row) * sourceWidth + area.mSrc.mX);
    }
}

// ---- The run walk and its pixel rules ----

// What a run's first pixel says about the whole run.
enum class RunClass { Skip, Whole, Each };

// Every rule gives the run class of a display-format word s and the new
// pixel over d for a Whole run and for each pixel of an Each run.

struct WhitePacked {
    uint32_t mPacked;
    RunClass Class(uint32_t s) const {
        const uint32_t a = s >> 24;
        return a == 0 ? RunClass::Skip : a == 255 ? RunClass::Whole : RunClass::Each;
    }
    uint32_t Whole(uint32_t, uint32_t s) const { return s; }
    // An opaque run is a copy.
    template <typename Pixel, typename Src>
    void WholeRun(Pixel* d, Src s, int32_t from, int32_t to) const {
        for (int32_t k = from; k < to; ++k)
            d[k] = static_cast<Pixel>(s[k]);
    }
    uint32_t Each(uint32_t d, uint32_t s) const {
        const uint32_t inv = 256 - (s >> 24);
        return Fold((Spread(d, mPacked) * (inv >> 3)) >> 5 & mPacked) + s;
    }
};

struct WhiteOther16 : WhitePacked {
    const DisplayTables* mTables;
    uint32_t Each(uint32_t d, uint32_t s) const {
        const uint32_t inv = 256 - (s >> 24);
        return SumChannels(*mTables, [&](int, uint32_t m) { return ((d & m) * inv >> 8) & m; }) + s;
    }
};

struct White32 : WhitePacked {
    uint32_t Each(uint32_t d, uint32_t s) const {
        const uint32_t inv = 256 - (s >> 24);
        return (((d & 0xFF00) * inv) >> 8 & 0xFF00) + (((d & 0xFF00FF) * inv) >> 8 & 0xFF00FF) + s;
    }

    // Each with four pixels at a time where the processor has SSE2: every
    // byte of the destination times inv in a 16-bit lane, shifted down (the
    // lane masks of Each give exactly these bytes), its alpha byte dropped
    // and the source word added.
    template <typename Pixel, typename Src>
    void EachRun(Pixel* d, Src s, int32_t from, int32_t to) const {
        int32_t k = from;
#if defined(__SSE2__)
        if constexpr (sizeof(Pixel) == 4 && std::is_same_v<Src, BlitPixel::PlainSource>) {
            const __m128i zero = _mm_setzero_si128();
            const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
            const __m128i full = _mm_set1_epi32(256);
            for (; k + 4 <= to; k += 4) {
                const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + k));
                const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.mPixels + k));
                const __m128i inv = _mm_sub_epi32(full, _mm_srli_epi32(sv, 24));
                const __m128i invPairs = _mm_or_si128(inv, _mm_slli_epi32(inv, 16));
                const __m128i lo = _mm_srli_epi16(
                    _mm_mullo_epi16(_mm_unpacklo_epi8(dv, zero), _mm_unpacklo_epi32(invPairs, invPairs)), 8);
                const __m128i hi = _mm_srli_epi16(
                    _mm_mullo_epi16(_mm_unpackhi_epi8(dv, zero), _mm_unpackhi_epi32(invPairs, invPairs)), 8);
                const __m128i scaled = _mm_and_si128(_mm_packus_epi16(lo, hi), colour);
                _mm_storeu_si128(reinterpret_cast<__m128i*>(d + k), _mm_add_epi32(scaled, sv));
            }
        }
#endif
        for (; k < to; ++k)
            d[k] = static_cast<Pixel>(Each(d[k], s[k]));
    }
};

// Tinted rules: an opaque run is Whole only at full colour alpha.
struct TintedBase {
    uint32_t mAlpha;
    RunClass Class(uint32_t s) const {
        const uint32_t a = s >> 24;
        return a == 0 ? RunClass::Skip : (a == 255 && mAlpha == 255) ? RunClass::Whole : RunClass::Each;
    }
    uint32_t Inverse(uint32_t s) const { return 256 - (s >> 24) * mAlpha / 255; }
};

struct GreyPacked : TintedBase {
    uint32_t mPacked;
    uint32_t mGrey5; // the grey tint >> 3
    uint32_t Whole(uint32_t, uint32_t s) const { return Fold((Spread(s, mPacked) * mGrey5) >> 5 & mPacked); }
    uint32_t Each(uint32_t d, uint32_t s) const {
        return Fold((Spread(s, mPacked) * mGrey5 + Spread(d, mPacked) * (Inverse(s) >> 3)) >> 5 & mPacked);
    }
};

struct Grey32 : TintedBase {
    uint32_t mGrey;
    uint32_t Whole(uint32_t, uint32_t s) const {
        return (((s & 0xFF00FF) * mGrey) >> 8 & 0xFF00FF) + (((s & 0xFF00) * mGrey) >> 8 & 0xFF00);
    }
    uint32_t Each(uint32_t d, uint32_t s) const {
        const uint32_t inv = Inverse(s);
        return (((d & 0xFF00FF) * inv + (s & 0xFF00FF) * mGrey) >> 8 & 0xFF00FF) +
               (((d & 0xFF00) * inv + (s & 0xFF00) * mGrey) >> 8 & 0xFF00);
    }
};

struct Coloured : TintedBase {
    const DisplayTables* mTables;
    KernelColor mColor;
    uint32_t Whole(uint32_t, uint32_t s) const {
        return SumChannels(*mTables, [&](int c, uint32_t m) { return ((s & m) * mColor.Tint(c) >> 8) & m; });
    }
    uint32_t Each(uint32_t d, uint32_t s) const {
        const uint32_t inv = Inverse(s);
        return SumChannels(*mTables,
                           [&](int c, uint32_t m) { return (((d & m) * inv + (s & m) * mColor.Tint(c)) >> 8) & m; });
    }
};

// Additive rules: runs of zero colour are skipped, every other pixel adds.
struct AdditiveBase {
    SurfacePixel::Saturator mSaturator;
    RunClass Class(uint32_t s) const { return (s & 0x00FFFFFF) == 0 ? RunClass::Skip : RunClass::Each; }
    uint32_t Whole(uint32_t d, uint32_t) const { return d; }
};

struct AdditiveWhite : AdditiveBase {
    uint32_t Each(uint32_t d, uint32_t s) const { return mSaturator.AddWords(d, s); }
};

// The same on a 32-bit surface with three 8-bit channels: the table lookup
// is a saturating add of bytes, done four pixels at a time where the
// processor has SSE2; the alpha byte comes out 0 as from the tables.
struct AdditiveWhiteBytes : AdditiveWhite {
    template <typename Pixel, typename Src>
    void EachRun(Pixel* d, Src s, int32_t from, int32_t to) const {
        int32_t k = from;
#if defined(__SSE2__)
        if constexpr (sizeof(Pixel) == 4 && std::is_same_v<Src, BlitPixel::PlainSource>) {
            const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
            for (; k + 4 <= to; k += 4) {
                const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + k));
                const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.mPixels + k));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(d + k), _mm_and_si128(_mm_adds_epu8(dv, sv), colour));
            }
        }
#endif
        for (; k < to; ++k)
            d[k] = static_cast<Pixel>(Each(d[k], s[k]));
    }
};

struct AdditiveTinted : AdditiveBase {
    KernelColor mColor;
    uint32_t Each(uint32_t d, uint32_t s) const { return mSaturator.AddTinted(d, s, mColor); }
};

// The run walk of one row: n source pixels from s, the destination moving
// by dir. A run longer than the rest of the row is cut to it; a run byte of
// 0 (never built) counts as 1.
template <typename Pixel, typename Src, typename Rule>
void WalkRow(Pixel* d, int32_t dir, Src s, const uint8_t* runs, int32_t n, const Rule& shared) {
    // A copy of its own, which no store through d can change, so that the
    // rule's tables and factors stay in registers.
    const Rule rule = shared;
    int32_t i = 0;
    while (i < n) {
        const int32_t run = std::min<int32_t>(std::max<int32_t>(runs[i], 1), n - i);
        switch (rule.Class(s[i])) {
        case RunClass::Skip:
            break;
        case RunClass::Whole:
            if constexpr (requires { rule.WholeRun(d, s, i, i + run); }) {
                if (dir == 1) {
                    rule.WholeRun(d, s, i, i + run);
                    break;
                }
            }
            for (int32_t k = i; k < i + run; ++k)
                d[k * dir] = static_cast<Pixel>(rule.Whole(d[k * dir], s[k]));
            break;
        case RunClass::Each:
            if constexpr (requires { rule.EachRun(d, s, i, i + run); }) {
                if (dir == 1) {
                    rule.EachRun(d, s, i, i + run);
                    break;
                }
            }
            for (int32_t k = i; k < i + run; ++k)
                d[k * dir] = static_cast<Pixel>(rule.Each(d[k * dir], s[k]));
            break;
        }
        i += run;
    }
}

// The ways of the run walk, in the order of the kernel table.
enum class RunWay {
    WhitePacked,
    WhiteOther16,
    White32,
    GreyPacked,
    Grey32,
    Coloured,
    AdditiveWhite,
    AdditiveTinted,
    AdditiveWhiteBytes,
};
constexpr size_t kRunWays = 9;

struct RunJob {
    const SurfaceTarget* mSurface;
    const DisplayTables* mTables;
    BlitArea mArea;
    int32_t mSourceWidth;
    const uint8_t* mRuns;
    KernelColor mColor;
};

template <RunWay kWay>
auto MakeRule(const RunJob& job) {
    const uint32_t packed = SurfacePixel::PackedMask(job.mTables->Format());
    const uint32_t a = job.mColor.mAlpha, grey = job.mColor.mTintRed;
    if constexpr (kWay == RunWay::WhitePacked)
        return WhitePacked{packed};
    else if constexpr (kWay == RunWay::WhiteOther16)
        return WhiteOther16{{packed}, job.mTables};
    else if constexpr (kWay == RunWay::White32)
        return White32{{packed}};
    else if constexpr (kWay == RunWay::GreyPacked)
        return GreyPacked{{a}, packed, grey >> 3};
    else if constexpr (kWay == RunWay::Grey32)
        return Grey32{{a}, grey};
    else if constexpr (kWay == RunWay::Coloured)
        return Coloured{{a}, job.mTables, job.mColor};
    else if constexpr (kWay == RunWay::AdditiveWhite)
        return AdditiveWhite{{SurfacePixel::Saturator(*job.mTables)}};
    else if constexpr (kWay == RunWay::AdditiveWhiteBytes)
        return AdditiveWhiteBytes{{{SurfacePixel::Saturator(*job.mTables)}}};
    else
        return AdditiveTinted{{SurfacePixel::Saturator(*job.mTables)}, job.mColor};
}

template <typename Pixel, typename Src, RunWay kWay>
void RunKernel(const RunJob& job, Src src) {
    const auto rule = MakeRule<kWay>(job);
    ForEachRow<Pixel>(*job.mSurface, job.mArea, job.mSourceWidth, [&](Pixel* d, size_t si) {
        WalkRow(d, job.mArea.mDir, src.Offset(si), job.mRuns + si, job.mArea.mSrc.mWidth, rule);
    });
}

template <typename Src>
using RunKernelFn = void (*)(const RunJob&, Src);

template <typename Pixel, typename Src>
constexpr RunKernelFn<Src> kRunKernels[kRunWays] = {
    RunKernel<Pixel, Src, RunWay::WhitePacked>,
    RunKernel<Pixel, Src, RunWay::WhiteOther16>,
    RunKernel<Pixel, Src, RunWay::White32>,
    RunKernel<Pixel, Src, RunWay::GreyPacked>,
    RunKernel<Pixel, Src, RunWay::Grey32>,
    RunKernel<Pixel, Src, RunWay::Coloured>,
    RunKernel<Pixel, Src, RunWay::AdditiveWhite>,
    RunKernel<Pixel, Src, RunWay::AdditiveTinted>,
    RunKernel<Pixel, Src, RunWay::AdditiveWhiteBytes>,
};

RunWay ChooseRunWay(DepthWay depth, const DisplayTables& tables, const KernelColor& color, bool additive) {
    if (additive && !color.IsWhite())
        return RunWay::AdditiveTinted;
    if (additive)
        return depth == DepthWay::Rgb32 && SurfacePixel::Saturator(tables).BytesAdd() ? RunWay::AdditiveWhiteBytes
                                                                                      : RunWay::AdditiveWhite;
    if (color.IsWhite())
        return depth == DepthWay::Packed16  ? RunWay::WhitePacked
               : depth == DepthWay::Other16 ? RunWay::WhiteOther16
                                            : RunWay::White32;
    if (color.IsGreyTint())
        return depth == DepthWay::Packed16 ? RunWay::GreyPacked
               : depth == DepthWay::Rgb32  ? RunWay::Grey32
                                           : RunWay::Coloured;
    return RunWay::Coloured;
}

void RunWalk(const SurfaceTarget& surface, const DisplayTables& tables, MemoryImage& source, int x, int y,
             const IntRect& srcRect, const Color& color, bool mirror, bool additive) {
    source.mDrawn = true;
    const DepthWay depth = SurfacePixel::ClassifyDepth(surface.mBitCount, tables.Format());
    BlitArea area;
    if (depth == DepthWay::None || surface.mBits == nullptr || !ClipBlit(surface, source, x, y, srcRect, mirror, area))
        return;
    source.UpdateAlphaFlags();
    const KernelColor k(color);
    const size_t way = static_cast<size_t>(ChooseRunWay(depth, tables, k, additive));
    const bool wide = depth == DepthWay::Rgb32;
    SurfacePixel::WithDisplayWords(source, tables.Format(), [&](auto src) {
        using Src = decltype(src);
        const uint8_t* runs = additive ? source.GetAdditiveRuns(tables.Format()) : source.GetAlphaRuns();
        const RunJob job{&surface, &tables, area, source.mWidth, runs, k};
        (wide ? kRunKernels<uint32_t, Src> : kRunKernels<uint16_t, Src>)[way](job, src);
    });
}

// ---- The straight-alpha path: the source's own ARGB pixels ----

template <typename Pixel, typename Fn>
void StraightLoop(const SurfaceTarget& surface, MemoryImage& source, const BlitArea& area, Fn fn) {
    BlitPixel::WithSource(source, [&](auto src) {
        ForEachRow<Pixel>(surface, area, source.mWidth, [&](Pixel* d, size_t si) {
            for (int32_t i = 0; i < area.mSrc.mWidth; ++i)
                d[i] = static_cast<Pixel>(fn(uint32_t{d[i]}, src[si + i]));
        });
    });
}

// The channel of ARGB pixel s that display channel c holds.
inline uint32_t ArgbChannel(uint32_t s, int c) {
    return (s >> (16 - 8 * c)) & 0xFF;
}

} // namespace

void StraightAlphaBlt(const SurfaceTarget& surface, const DisplayTables& tables, MemoryImage& source, int x, int y,
                      const IntRect& srcRect) {
    source.mDrawn = true;
    const DepthWay depth = SurfacePixel::ClassifyDepth(surface.mBitCount, tables.Format());
    BlitArea area;
    if (depth == DepthWay::None || surface.mBits == nullptr || source.PixelCount() == 0 ||
        !ClipBlit(surface, source, x, y, srcRect, false, area))
        return;
    const DisplayPixelFormat& f = tables.Format();
    const bool standard = tables.StandardOrder();
    // Lane differences may go below zero: the arithmetic wraps as unsigned
    // and the borrow cancels against the carry of the final add.
    if (depth == DepthWay::Rgb32 && standard) {
        StraightLoop<uint32_t>(surface, source, area, [](uint32_t d, uint32_t s) {
            const uint32_t a = s >> 24;
            return ((((((s & 0xFF00FF) - (d & 0xFF00FF)) * a) >> 8) + (d & 0xFF00FF)) & 0xFF00FF) |
                   ((((((s & 0xFF00) - (d & 0xFF00)) * a) >> 8) + (d & 0xFF00)) & 0xFF00);
        });
    } else if (depth == DepthWay::Rgb32) {
        StraightLoop<uint32_t>(surface, source, area, [&](uint32_t d, uint32_t s) {
            const uint32_t a = s >> 24;
            return SumChannels(tables, [&](int c, uint32_t m) {
                return (((d & m) * (256 - a) + ((ArgbChannel(s, c) * a) >> 8) * m + (m >> 1)) >> 8) & m;
            });
        });
    } else if (depth == DepthWay::Packed16 && standard) {
        const bool is565 = f.mGreenMask == 0x7E0;
        const uint32_t packed = SurfacePixel::PackedMask(f);
        StraightLoop<uint16_t>(surface, source, area, [=](uint32_t d, uint32_t s) {
            const uint32_t sq = is565 ? ((s & 0xFC00) << 11) + ((s >> 3) & 0x1F) + ((s >> 8) & 0xF800)
                                      : ((s >> 3) & 0x1F) + ((s >> 9) & 0x7C00) + ((s & 0xF800) << 10);
            const uint32_t dq = Spread(d, packed);
            return Fold(((((sq - dq) * ((s >> 24) >> 3)) >> 5) + dq) & packed);
        });
    } else {
        StraightLoop<uint16_t>(surface, source, area, [&](uint32_t d, uint32_t s) {
            const uint32_t a = s >> 24;
            return SumChannels(tables, [&](int c, uint32_t m) {
                return (((d & m) * (256 - a) + ((ArgbChannel(s, c) * a * m) >> 8) + (m >> 1)) >> 8) & m;
            });
        });
    }
}

namespace {

// The copy kernel's 32-bit row: every word, or with `keyed` only the words
// whose alpha byte is not 0.
void CopyWords(uint32_t* d, const uint32_t* s, int32_t count, bool keyed) {
    if (!keyed) {
        std::memcpy(d, s, static_cast<size_t>(count) * 4);
        return;
    }
    int32_t i = 0;
#if defined(__SSE2__)
    const __m128i alpha = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    for (; i + 4 <= count; i += 4) {
        const __m128i words = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const __m128i clear = _mm_cmpeq_epi32(_mm_and_si128(words, alpha), _mm_setzero_si128());
        const int mask = _mm_movemask_epi8(clear);
        if (mask == 0xFFFF)
            continue;
        __m128i* to = reinterpret_cast<__m128i*>(d + i);
        if (mask != 0)
            _mm_storeu_si128(to,
                             _mm_or_si128(_mm_andnot_si128(clear, words), _mm_and_si128(clear, _mm_loadu_si128(to))));
        else
            _mm_storeu_si128(to, words);
    }
#endif
    for (; i < count; ++i) {
        if ((s[i] >> 24) != 0)
            d[i] = s[i];
    }
}

// A palettised row's display words: the table entry of each index.
void ExpandPaletteRow(uint32_t* d, const uint8_t* indices, const uint32_t* table, int32_t count) {
    for (int32_t i = 0; i < count; ++i)
        d[i] = table[indices[i]];
}

#if defined(__SSE2__)
// The same, eight words gathered at a time; returns how many it wrote (a
// multiple of eight), the rest is left to the portable row. Indices are
// bytes, so no gather reaches past the 256-entry table.
KAVO_TARGET_AVX2 int32_t GatherPaletteRow(uint32_t* d, const uint8_t* indices, const uint32_t* table, int32_t count) {
    int32_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i at = _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(indices + i)));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i),
                            _mm256_i32gather_epi32(reinterpret_cast<const int*>(table), at, 4));
    }
    return i;
}
#endif

// A palettised image onto 32 bits: each row's words are looked up in the
// converted table, straight into the surface or, keyed, through a strip
// that the keyed word copy takes.
void CopyPaletteRows(const SurfaceTarget& surface, const BlitArea& area, const MemoryImage& source,
                     const uint32_t* table, bool keyed) {
    [[maybe_unused]] const bool gather = BlitPixel::CurrentKernelLevel() >= BlitPixel::KernelLevel::Avx2;
    auto expand = [&](uint32_t* d, const uint8_t* indices, int32_t count) {
        int32_t done = 0;
#if defined(__SSE2__)
        if (gather)
            done = GatherPaletteRow(d, indices, table, count);
#endif
        ExpandPaletteRow(d + done, indices + done, table, count - done);
    };
    const uint8_t* indices = source.mColorIndices.get();
    const int32_t width = area.mSrc.mWidth;
    ForEachRow<uint32_t>(surface, area, source.mWidth, [&](uint32_t* d, size_t si) {
        if (!keyed) {
            expand(d, indices + si, width);
            return;
        }
        constexpr int32_t kStrip = 256;
        uint32_t strip[kStrip];
        for (int32_t from = 0; from < width; from += kStrip) {
            const int32_t count = std::min(kStrip, width - from);
            expand(strip, indices + si + static_cast<size_t>(from), count);
            CopyWords(d + from, strip, count, true);
        }
    });
}

} // namespace

void CopyBlt(const SurfaceTarget& surface, const DisplayTables& tables, MemoryImage& source, int x, int y,
             const IntRect& srcRect) {
    source.mDrawn = true;
    const DepthWay depth = SurfacePixel::ClassifyDepth(surface.mBitCount, tables.Format());
    BlitArea area;
    if (depth == DepthWay::None || surface.mBits == nullptr || !ClipBlit(surface, source, x, y, srcRect, false, area))
        return;
    source.UpdateAlphaFlags();
    const bool keyed = source.mHasTrans;
    if (depth == DepthWay::Rgb32 && !source.mColorTable) {
        // True-colour words onto 32 bits: an opaque row is one copy, a keyed
        // one takes four pixels at a time.
        const uint32_t* words = SurfacePixel::DisplayWords(source, tables.Format());
        if (words != nullptr)
            ForEachRow<uint32_t>(surface, area, source.mWidth,
                                 [&](uint32_t* d, size_t si) { CopyWords(d, words + si, area.mSrc.mWidth, keyed); });
        return;
    }
    if (depth == DepthWay::Rgb32 && BlitPixel::IsPalettised(source)) {
        const uint32_t* table = SurfacePixel::DisplayWords(source, tables.Format());
        if (table != nullptr)
            CopyPaletteRows(surface, area, source, table, keyed);
        return;
    }
    SurfacePixel::WithDisplayWords(source, tables.Format(), [&](auto src) {
        auto copy = [&](auto* d, size_t si) {
            using Pixel = std::remove_pointer_t<decltype(d)>;
            if (!keyed) {
                for (int32_t i = 0; i < area.mSrc.mWidth; ++i)
                    d[i] = static_cast<Pixel>(src[si + i]);
                return;
            }
            for (int32_t i = 0; i < area.mSrc.mWidth; ++i) {
                const uint32_t s = src[si + i];
                if ((s >> 24) != 0)
                    d[i] = static_cast<Pixel>(s);
            }
        };
        if (depth == DepthWay::Rgb32)
            ForEachRow<uint32_t>(surface, area, source.mWidth, copy);
        else
            ForEachRow<uint16_t>(surface, area, source.mWidth, copy);
    });
}

void RunBlt(const SurfaceTarget& surface, const DisplayTables& tables, MemoryImage& source, int x, int y,
            const IntRect& srcRect, const Color& color) {
    RunWalk(surface, tables, source, x, y, srcRect, color, false, false);
}

void NormalBlt(const SurfaceTarget& surface, const DisplayTables& tables, MemoryImage& source, int x, int y,
               const IntRect& srcRect, const Color& color) {
    source.mDrawn = true;
    source.UpdateAlphaFlags();
    const bool white = KernelColor(color).IsWhite();
    if (source.mVolatile && white)
        StraightAlphaBlt(surface, tables, source, x, y, srcRect);
    else if (!source.mHasAlpha && white)
        CopyBlt(surface, tables, source, x, y, srcRect);
    else
        RunBlt(surface, tables, source, x, y, srcRect, color);
}

void NormalBltMirror(const SurfaceTarget& surface, const DisplayTables& tables, MemoryImage& source, int x, int y,
                     const IntRect& srcRect, const Color& color) {
    RunWalk(surface, tables, source, x, y, srcRect, color, true, false);
}

void AdditiveBlt(const SurfaceTarget& surface, const DisplayTables& tables, MemoryImage& source, int x, int y,
                 const IntRect& srcRect, const Color& color) {
    RunWalk(surface, tables, source, x, y, srcRect, color, false, true);
}

void AdditiveBltMirror(const SurfaceTarget& surface, const DisplayTables& tables, MemoryImage& source, int x, int y,
                       const IntRect& srcRect, const Color& color) {
    RunWalk(surface, tables, source, x, y, srcRect, color, true, true);
}

} // namespace Kavo::SurfaceKernels
