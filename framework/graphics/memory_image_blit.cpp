// Plain, alpha, tinted and additive blits of the memory image.

#include <algorithm>
#include <cstring>

#include "framework/graphics/memory_image.h"
#include "framework/graphics/memory_image_blit_pixel.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Kavo {

using BlitPixel::Blend;
using BlitPixel::Mix;
using BlitPixel::NormalWeight;
using BlitPixel::WeighNormal;

namespace {

// The tint as the row kernels use it.
struct BlitTint {
    uint32_t mRed, mGreen, mBlue, mAlpha;
    // Additive: each component premultiplied by the tint alpha.
    uint32_t mAddRed, mAddGreen, mAddBlue;

    explicit BlitTint(const Color& c)
        : mRed(ClampChannel(c.mRed)), mGreen(ClampChannel(c.mGreen)), mBlue(ClampChannel(c.mBlue)),
          mAlpha(ClampChannel(c.mAlpha)), mAddRed(mRed * mAlpha / 255), mAddGreen(mGreen * mAlpha / 255),
          mAddBlue(mBlue * mAlpha / 255) {}

    bool IsWhite() const { return (mRed & mGreen & mBlue & mAlpha) == 255; }
    bool IsGrey() const { return mRed == mGreen && mGreen == mBlue; }
};

// A row kernel draws n source pixels over n destination pixels; runs is the
// source row's alpha run table (only the run-driven kernel reads it).
template <typename Src>
using RowKernel = void (*)(uint32_t* d, Src s, const uint8_t* runs, int n, const BlitTint& tint);

// Opaque destination, no tint: whole runs of the source are skipped,
// copied, or mixed with each pixel's own alpha and made opaque.
template <typename Src>
void NormalOpaqueRuns(uint32_t* d, Src s, const uint8_t* runs, int n, const BlitTint&) {
    int i = 0;
    while (i < n) {
        int run = std::min<int>(std::max<int>(runs[i], 1), n - i);
        uint32_t a = s[i] >> 24;
        if (a == 255) {
            if constexpr (std::is_same_v<Src, BlitPixel::PlainSource>)
                std::memcpy(d + i, s.mPixels + i, static_cast<size_t>(run) * sizeof(uint32_t));
            else
                for (int k = i; k < i + run; ++k)
                    d[k] = s[k];
        } else if (a != 0) {
            int k = i;
#if defined(__SSE2__)
            // Four pixels at a time in 16-bit lanes; red and green take the
            // rounded sum, blue the sum of the truncated terms, as Mix does.
            const __m128i zero = _mm_setzero_si128();
            const __m128i blueLanes = _mm_set_epi16(0, 0, 0, -1, 0, 0, 0, -1);
            const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
            const __m128i c256 = _mm_set1_epi16(256);
            for (; k + 4 <= i + run; k += 4) {
                __m128i sp;
                if constexpr (std::is_same_v<Src, BlitPixel::PlainSource>)
                    sp = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.mPixels + k));
                else
                    sp = _mm_set_epi32(static_cast<int>(s[k + 3]), static_cast<int>(s[k + 2]),
                                       static_cast<int>(s[k + 1]), static_cast<int>(s[k]));
                __m128i dp = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + k));
                // Per pixel weight w = a in every lane of that pixel.
                __m128i a32 = _mm_srli_epi32(sp, 24);
                __m128i aw = _mm_or_si128(a32, _mm_slli_epi32(a32, 16));
                __m128i wLo = _mm_shuffle_epi32(aw, _MM_SHUFFLE(1, 1, 0, 0));
                __m128i wHi = _mm_shuffle_epi32(aw, _MM_SHUFFLE(3, 3, 2, 2));
                __m128i iwLo = _mm_sub_epi16(c256, wLo);
                __m128i iwHi = _mm_sub_epi16(c256, wHi);
                auto half = [&](__m128i s16, __m128i d16, __m128i w, __m128i iw) {
                    __m128i ds = _mm_mullo_epi16(d16, iw);
                    __m128i ss = _mm_mullo_epi16(s16, w);
                    __m128i rounded = _mm_srli_epi16(_mm_add_epi16(ds, ss), 8);
                    __m128i split = _mm_add_epi16(_mm_srli_epi16(ds, 8), _mm_srli_epi16(ss, 8));
                    return _mm_or_si128(_mm_and_si128(blueLanes, split), _mm_andnot_si128(blueLanes, rounded));
                };
                __m128i lo = half(_mm_unpacklo_epi8(sp, zero), _mm_unpacklo_epi8(dp, zero), wLo, iwLo);
                __m128i hi = half(_mm_unpackhi_epi8(sp, zero), _mm_unpackhi_epi8(dp, zero), wHi, iwHi);
                _mm_storeu_si128(reinterpret_cast<__m128i*>(d + k), _mm_or_si128(_mm_packus_epi16(lo, hi), opaque));
            }
#endif
            for (; k < i + run; ++k) {
                uint32_t p = s[k];
                d[k] = 0xFF000000u | Mix(d[k], p, p >> 24);
            }
        }
        i += run;
    }
}

template <typename Src>
void NormalPlain(uint32_t* d, Src s, const uint8_t*, int n, const BlitTint&) {
    for (int i = 0; i < n; ++i) {
        uint32_t p = s[i];
        if (uint32_t a = p >> 24)
            d[i] = Blend(d[i], p, a);
    }
}

// Tinted normal blend: the source alpha is scaled by the tint alpha, and
// mixColour(d, s, w) gives the colour of s tinted and mixed into d.
template <typename Src, typename MixColour>
void NormalTintedRow(uint32_t* d, Src s, int n, const BlitTint& tint, MixColour mixColour) {
    for (int i = 0; i < n; ++i) {
        uint32_t p = s[i];
        uint32_t a = PixelMath::Div255((p >> 24) * tint.mAlpha);
        if (a == 0)
            continue;
        NormalWeight nw = WeighNormal(d[i] >> 24, a);
        d[i] = nw.mAlpha << 24 | mixColour(d[i], p, nw.mWeight);
    }
}

// The grey level scales red and blue before the mix and green together
// with the weight.
template <typename Src>
void NormalGrey(uint32_t* d, Src s, const uint8_t*, int n, const BlitTint& tint) {
    const uint32_t g = tint.mRed;
    NormalTintedRow(d, s, n, tint, [g](uint32_t dp, uint32_t p, uint32_t w) {
        uint32_t iw = 256 - w;
        uint32_t sRedBlue = ((p & 0x00FF00FFu) * g >> 8) & 0x00FF00FFu;
        uint32_t redBlue = ((((dp & 0x00FF00FFu) * iw) >> 8) + ((sRedBlue * w) >> 8)) & 0x00FF00FFu;
        uint32_t green = ((((dp & 0x0000FF00u) * iw) >> 8) + ((p & 0x0000FF00u) * w * g >> 16)) & 0x0000FF00u;
        return redBlue | green;
    });
}

template <typename Src>
void NormalTinted(uint32_t* d, Src s, const uint8_t*, int n, const BlitTint& tint) {
    NormalTintedRow(d, s, n, tint, [&tint](uint32_t dp, uint32_t p, uint32_t w) {
        uint32_t iw = 256 - w;
        uint32_t red = (((((p & 0x00FF0000u) * w) >> 8) * tint.mRed >> 8) + (((dp & 0x00FF0000u) * iw) >> 8)) &
                       0x00FF0000u;
        uint32_t green = (((p & 0x0000FF00u) * w * tint.mGreen >> 16) + (((dp & 0x0000FF00u) * iw) >> 8)) &
                         0x0000FF00u;
        uint32_t blue = (((p & 0x000000FFu) * w * tint.mBlue >> 16) + (((dp & 0x000000FFu) * iw) >> 8)) & 0xFFu;
        return red | green | blue;
    });
}

// Additive: each colour channel becomes min(d + t, 255) with t the source's
// contribution; the destination alpha stays. AddChannels takes the three
// contributions packed as 0x00RRGGBB.
inline uint32_t AddChannels(uint32_t d, uint32_t t) {
    const auto& table = PixelMath::kSaturationTable;
    return (d & 0xFF000000u) | uint32_t{table[(d >> 16 & 0xFF) + (t >> 16 & 0xFF)]} << 16 |
           uint32_t{table[(d >> 8 & 0xFF) + (t >> 8 & 0xFF)]} << 8 | table[(d & 0xFF) + (t & 0xFF)];
}

// Every channel of p times f (0..255 each), shifted down by 8.
inline uint32_t ScaleChannels(uint32_t p, uint32_t fr, uint32_t fg, uint32_t fb) {
    return ((p >> 16 & 0xFF) * fr >> 8) << 16 | ((p >> 8 & 0xFF) * fg >> 8) << 8 | ((p & 0xFF) * fb >> 8);
}

// The sums are clamped through saturating byte adds where available, which
// give the table's min(d + t, 255) exactly.
template <typename Src, bool kScaleByAlpha>
void AdditiveUntinted(uint32_t* d, Src s, const uint8_t*, int n, const BlitTint&) {
    int i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i colorMask = _mm_set1_epi32(0x00FFFFFF);
    for (; i + 4 <= n; i += 4) {
        __m128i sp;
        if constexpr (std::is_same_v<Src, BlitPixel::PlainSource>)
            sp = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.mPixels + i));
        else
            sp = _mm_set_epi32(static_cast<int>(s[i + 3]), static_cast<int>(s[i + 2]), static_cast<int>(s[i + 1]),
                               static_cast<int>(s[i]));
        __m128i t = sp;
        if constexpr (kScaleByAlpha) {
            __m128i a32 = _mm_srli_epi32(sp, 24);
            __m128i aw = _mm_or_si128(a32, _mm_slli_epi32(a32, 16));
            __m128i lo = _mm_srli_epi16(
                _mm_mullo_epi16(_mm_unpacklo_epi8(sp, zero), _mm_shuffle_epi32(aw, _MM_SHUFFLE(1, 1, 0, 0))), 8);
            __m128i hi = _mm_srli_epi16(
                _mm_mullo_epi16(_mm_unpackhi_epi8(sp, zero), _mm_shuffle_epi32(aw, _MM_SHUFFLE(3, 3, 2, 2))), 8);
            t = _mm_packus_epi16(lo, hi);
        }
        __m128i dp = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), _mm_adds_epu8(dp, _mm_and_si128(t, colorMask)));
    }
#endif
    for (; i < n; ++i) {
        uint32_t p = s[i];
        uint32_t a = p >> 24;
        d[i] = AddChannels(d[i], kScaleByAlpha ? ScaleChannels(p, a, a, a) : p);
    }
}

template <typename Src, bool kScaleByAlpha>
void AdditiveTinted(uint32_t* d, Src s, const uint8_t*, int n, const BlitTint& tint) {
    for (int i = 0; i < n; ++i) {
        uint32_t p = s[i];
        uint32_t t = ScaleChannels(p, tint.mAddRed, tint.mAddGreen, tint.mAddBlue);
        if (kScaleByAlpha) {
            uint32_t a = p >> 24;
            t = ScaleChannels(t, a, a, a);
        }
        d[i] = AddChannels(d[i], t);
    }
}

// By draw mode (0 normal, 1 additive) times four, then the way:
// normal: opaque runs, untinted, grey, tinted;
// additive: untinted, untinted with partial alpha, tinted, tinted with partial alpha.
template <typename Src>
constexpr RowKernel<Src> kBlitKernels[8] = {
    NormalOpaqueRuns<Src>,        NormalPlain<Src>,           NormalGrey<Src>,          NormalTinted<Src>,
    AdditiveUntinted<Src, false>, AdditiveUntinted<Src, true>, AdditiveTinted<Src, false>, AdditiveTinted<Src, true>,
};

// Cuts the source rectangle to the source image and the destination
// rectangle at (x, y) to the destination, keeping the two aligned.
bool ClipBlit(int& x, int& y, IntRect& src, const Image& source, const Image& dest) {
    int64_t sx = src.mX, sy = src.mY, w = src.mWidth, h = src.mHeight, dx = x, dy = y;
    auto cutStart = [&](int64_t& a, int64_t& b, int64_t& size) {
        int64_t shift = std::max<int64_t>({0, -a, -b});
        a += shift;
        b += shift;
        size -= shift;
    };
    cutStart(sx, dx, w);
    cutStart(sy, dy, h);
    w = std::min({w, int64_t{source.mWidth} - sx, int64_t{dest.mWidth} - dx});
    h = std::min({h, int64_t{source.mHeight} - sy, int64_t{dest.mHeight} - dy});
    if (w <= 0 || h <= 0)
        return false;
    src = IntRect(static_cast<int>(sx), static_cast<int>(sy), static_cast<int>(w), static_cast<int>(h));
    x = static_cast<int>(dx);
    y = static_cast<int>(dy);
    return true;
}

} // namespace

void MemoryImage::Blt(Image* image, int x, int y, const IntRect& srcRect, const Color& color, int drawMode) {
    if (image == nullptr)
        return;
    image->mDrawn = true;
    if (drawMode != 0 && drawMode != 1)
        return;
    auto* source = dynamic_cast<MemoryImage*>(image);
    IntRect src = srcRect;
    if (source == nullptr || !ClipBlit(x, y, src, *source, *this))
        return;

    uint32_t* bits = GetBits();
    const BlitTint tint(color);
    const uint8_t* runs = nullptr;
    int way;
    if (drawMode == 0) {
        // The destination's flags are taken as they stand: recomputing them
        // would cost a scan of the whole destination per blit.
        if (tint.IsWhite() && !mHasAlpha && !mHasTrans) {
            runs = source->GetAlphaRuns();
            way = 0;
        } else {
            way = tint.IsWhite() ? 1 : (tint.IsGrey() ? 2 : 3);
        }
    } else {
        source->UpdateAlphaFlags();
        way = 4 + (tint.IsWhite() ? 0 : 2) + (source->mHasAlpha ? 1 : 0);
    }

    const size_t sourcePitch = static_cast<size_t>(source->mWidth);
    BlitPixel::WithSource(*source, [&](auto s) {
        using Src = decltype(s);
        const RowKernel<Src> kernel = kBlitKernels<Src>[way];
        for (int j = 0; j < src.mHeight; ++j) {
            size_t from = (static_cast<size_t>(src.mY) + j) * sourcePitch + src.mX;
            uint32_t* to = bits + (static_cast<size_t>(y) + j) * mWidth + x;
            kernel(to, s.Offset(from), runs ? runs + from : nullptr, src.mWidth, tint);
        }
    });
    BitsChanged();
}

void MemoryImage::BltF(Image* image, float x, float y, const IntRect& srcRect, const IntRect& clipRect,
                       const Color& color, int drawMode) {
    if (image == nullptr)
        return;
    image->mDrawn = true;
    BltRotated(image, x, y, srcRect, clipRect, color, drawMode, 0.0, 0.0f, 0.0f);
}

} // namespace Kavo
