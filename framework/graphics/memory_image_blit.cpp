// Plain, alpha, tinted and additive blits of the memory image.

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <memory>
#include <utility>

#include "framework/graphics/memory_image.h"
#include "framework/graphics/memory_image_blit_pixel.h"
#include "framework/graphics/memory_image_blit_simd.h"

#if defined(__SSE2__)
#include <immintrin.h>
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
// source row's alpha run table (only the run-driven kernels read it).
template <typename Src>
using RowKernel = void (*)(uint32_t* d, Src s, const uint8_t* runs, int n, const BlitTint& tint);

// The portable kernels below state the arithmetic pixel by pixel; they run
// where no vector kernel exists and are the reference the vector kernels
// must match bit for bit.

// The mix of a run of partial alpha: each pixel with its own alpha, made
// opaque.
template <typename Src>
void MixPartialRun(uint32_t* d, Src s, int from, int to) {
    for (int k = from; k < to; ++k) {
        uint32_t p = s[k];
        d[k] = 0xFF000000u | Mix(d[k], p, p >> 24);
    }
}

// Opaque destination, no tint: whole runs of the source are skipped,
// copied, or mixed with each pixel's own alpha and made opaque. The pixels
// of a run all have the class of its first one.
template <typename Src, void (*kMixRun)(uint32_t*, Src, int, int)>
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
            kMixRun(d, s, i, i + run);
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
        uint32_t red =
            (((((p & 0x00FF0000u) * w) >> 8) * tint.mRed >> 8) + (((dp & 0x00FF0000u) * iw) >> 8)) & 0x00FF0000u;
        uint32_t green = (((p & 0x0000FF00u) * w * tint.mGreen >> 16) + (((dp & 0x0000FF00u) * iw) >> 8)) & 0x0000FF00u;
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

template <typename Src, bool kScaleByAlpha>
void AdditiveUntinted(uint32_t* d, Src s, const uint8_t*, int n, const BlitTint&) {
    for (int i = 0; i < n; ++i) {
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

// The ways a blit draws, each with its own kernel. The order is the order
// of the kernel tables below.
enum class BlitWay {
    NormalOpaqueRuns, // untinted over an opaque destination: copies the opaque runs
    NormalPlain,
    NormalGrey,
    NormalTinted,
    AdditivePlain,
    AdditivePlainPartialAlpha, // the source has alpha between 1 and 254
    AdditiveTinted,
    AdditiveTintedPartialAlpha,
};
constexpr size_t kBlitWays = 8;

constexpr size_t Slot(BlitWay way) {
    return static_cast<size_t>(way);
}

template <typename Src>
constexpr RowKernel<Src> kPortableKernels[kBlitWays] = {
    NormalOpaqueRuns<Src, MixPartialRun<Src>>,
    NormalPlain<Src>,
    NormalGrey<Src>,
    NormalTinted<Src>,
    AdditiveUntinted<Src, false>,
    AdditiveUntinted<Src, true>,
    AdditiveTinted<Src, false>,
    AdditiveTinted<Src, true>,
};

#if defined(__SSE2__)
using namespace BlitSimd;

// The vector kernels take four pixels at a time and leave the last few of a
// row to the portable kernel of the same way.

// Calls group(i) for the groups of kSize pixels of a row and returns where
// the few pixels left over begin. Given the source row's alpha runs, it
// passes over transparent runs, which the kernels that take them leave
// unchanged: each stretch of other runs is drawn a group at a time, its
// last group reaching past it where the row goes on, and every pixel is
// still drawn once.
template <int kSize = 4, typename Src, typename Group>
inline __attribute__((always_inline)) int ForEachGroup(Src s, const uint8_t* runs, int n, Group group) {
    int i = 0;
    if (runs == nullptr) {
        for (; i + kSize <= n; i += kSize)
            group(i);
        return i;
    }
    while (i + kSize <= n) {
        auto runEnd = [&](int k) { return std::min(n, k + std::max<int>(runs[k], 1)); };
        if (s[i] >> 24 == 0) {
            i = runEnd(i);
            continue;
        }
        int end = runEnd(i);
        while (end < n && s[end] >> 24 != 0)
            end = runEnd(end);
        for (; i + kSize <= end; i += kSize)
            group(i);
        if (i < end && i + kSize <= n) {
            group(i);
            i += kSize;
        }
    }
    return i;
}

// The source side of a normal blend, by tint kind: the blend alpha of four
// source pixels (one per 32-bit lane) and the source terms of the mix for
// the red-blue and the green-alpha lanes s with weights w.
struct UntintedTerm {
    explicit UntintedTerm(const BlitTint&) {}
    __m128i Alpha(__m128i p) const { return AlphaOf(p); }
    __m128i RedBlue(__m128i s, __m128i w) const { return _mm_mullo_epi16(s, w); }
    __m128i Green(__m128i s, __m128i w) const { return _mm_mullo_epi16(s, w); }
};

// The tint alpha scales the source alpha: as * ta / 255 is below 65026.
struct TintAlpha {
    __m128i mTintAlpha;
    explicit TintAlpha(const BlitTint& tint) : mTintAlpha(_mm_set1_epi32(static_cast<int>(tint.mAlpha))) {}
    __m128i Alpha(__m128i p) const { return Div255(_mm_mullo_epi16(AlphaOf(p), mTintAlpha)); }
};

// A mulhi by f << 8 is the product with f shifted down by 8; s * w is at
// most 255 * 256.
inline __m128i ScaledBy(int f) {
    return _mm_set1_epi16(static_cast<short>(f << 8));
}

// Red and blue: (s * g >> 8) * w, the grey scaling first; green: s * w * g
// >> 8, the scaling after.
struct GreyTerm : TintAlpha {
    __m128i mGrey;
    explicit GreyTerm(const BlitTint& tint) : TintAlpha(tint), mGrey(ScaledBy(static_cast<int>(tint.mRed))) {}
    __m128i RedBlue(__m128i s, __m128i w) const { return _mm_mullo_epi16(_mm_mulhi_epu16(s, mGrey), w); }
    __m128i Green(__m128i s, __m128i w) const { return _mm_mulhi_epu16(_mm_mullo_epi16(s, w), mGrey); }
};

// Every channel s * w * c >> 8 with its own tint component c: red and
// green then sum with the destination before the shift, and blue's
// truncated terms are exactly what MixRedBlue adds for it.
struct ColourTerm : TintAlpha {
    __m128i mRedBlue, mGreen;
    explicit ColourTerm(const BlitTint& tint)
        : TintAlpha(tint), mRedBlue(_mm_set1_epi32(static_cast<int>(tint.mRed << 24 | tint.mBlue << 8))),
          mGreen(_mm_set1_epi32(static_cast<int>(tint.mGreen << 8))) {}
    __m128i RedBlue(__m128i s, __m128i w) const { return _mm_mulhi_epu16(_mm_mullo_epi16(s, w), mRedBlue); }
    __m128i Green(__m128i s, __m128i w) const { return _mm_mulhi_epu16(_mm_mullo_epi16(s, w), mGreen); }
};

// The mixed colour of four pixels with weights w (one per 32-bit lane,
// 0..256); the alpha byte is left to the caller.
template <typename SourceTerm>
inline __m128i MixColour(const SourceTerm& term, __m128i dp, __m128i sp, __m128i w) {
    const Split d = SplitChannels(dp), s = SplitChannels(sp);
    const __m128i w2 = Pair(w);
    const __m128i iw2 = _mm_sub_epi16(_mm_set1_epi16(256), w2);
    return JoinChannels({MixRedBlue(_mm_mullo_epi16(d.rb, iw2), term.RedBlue(s.rb, w2)),
                         MixGreen(_mm_mullo_epi16(d.ga, iw2), term.Green(s.ga, w2))});
}

// Over an opaque destination the weight is the alpha itself (256 for 255)
// and a pixel of alpha 0 mixes to the destination unchanged.
template <typename SourceTerm>
inline __m128i MixOverOpaque(const SourceTerm& term, __m128i dp, __m128i sp, __m128i a) {
    return _mm_or_si128(MixColour(term, dp, sp, OpaqueWeight(a)), _mm_set1_epi32(static_cast<int>(0xFF000000u)));
}

// The normal blend of the four pixels from k.
template <typename SourceTerm, typename Src>
inline void NormalGroup(const SourceTerm& term, uint32_t* d, Src s, int k) {
    const __m128i sp = Load4(s, k);
    if constexpr (std::is_same_v<SourceTerm, UntintedTerm>) {
        // Whole groups of sprites are usually transparent or opaque: the
        // first leave the destination, the second replace it.
        if (AllZero(_mm_srli_epi32(sp, 24)))
            return;
        if (AllOpaque(sp)) {
            Store4(d + k, sp);
            return;
        }
    }
    const __m128i a = term.Alpha(sp);
    const __m128i dp = Load4(d + k);
    if (AllOpaque(dp)) {
        Store4(d + k, MixOverOpaque(term, dp, sp, a));
        return;
    }
    if (AllZero(a))
        return;
    __m128i outA, w;
    WeighNormal4(a, AlphaOf(dp), outA, w);
    const __m128i mixed = _mm_and_si128(MixColour(term, dp, sp, w), _mm_set1_epi32(0x00FFFFFF));
    Store4(d + k, Select(_mm_cmpeq_epi32(a, _mm_setzero_si128()), dp, _mm_or_si128(mixed, _mm_slli_epi32(outA, 24))));
}

template <typename Src, typename SourceTerm, RowKernel<Src> kTail>
void NormalVector(uint32_t* d, Src s, const uint8_t* runs, int n, const BlitTint& tint) {
    const SourceTerm term(tint);
    const int i = ForEachGroup(s, runs, n, [&](int k) { NormalGroup(term, d, s, k); });
    kTail(d + i, s.Offset(i), runs ? runs + i : nullptr, n - i, tint);
}

// A partial run four pixels at a time, the last few pixels one by one.
template <typename Src>
void MixPartialRunVector(uint32_t* d, Src s, int from, int to) {
    const UntintedTerm term{BlitTint(Color::White)};
    int k = from;
    for (; k + 4 <= to; k += 4) {
        const __m128i sp = Load4(s, k);
        Store4(d + k, MixOverOpaque(term, Load4(d + k), sp, AlphaOf(sp)));
    }
    if (k < to)
        MixPartialRun(d, s, k, to);
}

// Saturating byte adds give the table's min(d + t, 255) exactly. Channels
// are taken shifted up by 8 so that a mulhi by a factor is the product
// shifted down by 8; the contribution's alpha lane is 0, so the
// destination alpha stays.
template <typename Src, bool kScaleByAlpha, bool kTinted, RowKernel<Src> kTail>
void AdditiveVector(uint32_t* d, Src s, const uint8_t* runs, int n, const BlitTint& tint) {
    const __m128i tintRedBlue = _mm_set1_epi32(static_cast<int>(tint.mAddRed << 16 | tint.mAddBlue));
    const __m128i tintGreen = _mm_set1_epi32(static_cast<int>(tint.mAddGreen));
    const int i = ForEachGroup(s, runs, n, [&](int k) {
        const __m128i sp = Load4(s, k);
        __m128i t;
        if constexpr (kScaleByAlpha || kTinted) {
            __m128i redBlue = _mm_slli_epi16(sp, 8);
            __m128i green = _mm_and_si128(sp, _mm_set1_epi32(0x0000FF00));
            if constexpr (kTinted) {
                redBlue = _mm_mulhi_epu16(redBlue, tintRedBlue);
                green = _mm_mulhi_epu16(green, tintGreen);
                if constexpr (kScaleByAlpha) {
                    redBlue = _mm_slli_epi16(redBlue, 8);
                    green = _mm_slli_epi16(green, 8);
                }
            }
            if constexpr (kScaleByAlpha) {
                const __m128i a = AlphaOf(sp);
                redBlue = _mm_mulhi_epu16(redBlue, Pair(a));
                green = _mm_mulhi_epu16(green, a);
            }
            t = JoinChannels({redBlue, green});
        } else {
            t = _mm_and_si128(sp, _mm_set1_epi32(0x00FFFFFF));
        }
        Store4(d + k, _mm_adds_epu8(Load4(d + k), t));
    });
    kTail(d + i, s.Offset(i), runs ? runs + i : nullptr, n - i, tint);
}

// The untinted additive blit scaled by alpha. Each colour channel c of a
// source pixel of alpha a adds (c * a) >> 8: red and blue are taken shifted
// up by 8 so that a mulhi by the alpha leaves each sum in its own byte;
// green is taken as the low byte of its 16-bit lane so that the low
// product's high byte is its (g * a) >> 8, already in green's byte. The
// alpha lane adds 0, so the destination alpha stays.
//
// The contribution of four pixels, the alpha pair made by word shuffles.
inline __m128i ScaledContributionSse2(__m128i sp) {
    const __m128i greenAlpha = _mm_srli_epi16(sp, 8);
    const __m128i a = _mm_shufflehi_epi16(_mm_shufflelo_epi16(greenAlpha, 0xF5), 0xF5);
    return _mm_or_si128(_mm_mulhi_epu16(_mm_slli_epi16(sp, 8), a),
                        _mm_and_si128(_mm_mullo_epi16(greenAlpha, a), _mm_set1_epi32(0x0000FF00)));
}

// The same with the alpha pair made by one byte shuffle, for the AVX2
// kernel's few pixels. (Legacy-encoded, the byte shuffle made a whole
// four-pixel kernel slower than the word shuffles on a processor with
// AVX2, so the SSSE3 level takes the SSE2 kernel.)
KAVO_TARGET_AVX2 inline __m128i ScaledContributionSsse3(__m128i sp) {
    const __m128i a = _mm_shuffle_epi8(sp, _mm_setr_epi8(3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1));
    return _mm_or_si128(_mm_mulhi_epu16(_mm_slli_epi16(sp, 8), a),
                        _mm_and_si128(_mm_mullo_epi16(_mm_srli_epi16(sp, 8), a), _mm_set1_epi32(0x0000FF00)));
}

// One, two or four pixels in the low lanes of a register, and back.
template <int kCount>
inline __m128i LoadFew(const uint32_t* p) {
    if constexpr (kCount == 1)
        return _mm_cvtsi32_si128(static_cast<int>(*p));
    else if constexpr (kCount == 2)
        return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
    else
        return Load4(p);
}

template <int kCount, typename Src>
inline __m128i LoadFew(Src s, size_t i) {
    if constexpr (std::is_same_v<Src, BlitPixel::PlainSource>)
        return LoadFew<kCount>(s.mPixels + i);
    else if constexpr (kCount == 4)
        return Load4(s, i);
    else
        return _mm_setr_epi32(static_cast<int>(s[i]), kCount > 1 ? static_cast<int>(s[i + 1]) : 0, 0, 0);
}

template <int kCount>
inline void StoreFew(uint32_t* p, __m128i v) {
    if constexpr (kCount == 1)
        *p = static_cast<uint32_t>(_mm_cvtsi128_si32(v));
    else if constexpr (kCount == 2)
        _mm_storel_epi64(reinterpret_cast<__m128i*>(p), v);
    else
        Store4(p, v);
}

template <int kCount>
using Few = std::integral_constant<int, kCount>;

// Calls group(i) for the groups of kGroup pixels of a row whose
// destination starts on a multiple of kGroup pixels, so that no group
// straddles two cache lines, and few(Few<k>(), i) for the pixels before
// and after them, k = 1, 2, 4 up to the group's size, in the order that
// keeps each piece aligned to its own size.
// Draws the pieces of a row before and after its aligned groups and
// returns the offset of the first group and how many pixels the groups
// cover.
template <int kGroup, typename FewPixels>
inline __attribute__((always_inline)) std::pair<int, int> AlignedGroups(const uint32_t* d, int n, FewPixels few) {
    static_assert(kGroup == 4 || kGroup == 8);
    const int head = std::min(n, static_cast<int>((0 - reinterpret_cast<uintptr_t>(d)) / sizeof(uint32_t) % kGroup));
    int i = 0;
    auto piece = [&](auto count, int pieces) __attribute__((always_inline)) {
        if (pieces & count) {
            few(count, i);
            i += count;
        }
    };
    piece(Few<1>(), head);
    piece(Few<2>(), head);
    if constexpr (kGroup == 8)
        piece(Few<4>(), head);
    const int first = i;
    const int covered = (n - i) / kGroup * kGroup;
    i += covered;
    const int rest = n - i;
    if constexpr (kGroup == 8)
        piece(Few<4>(), rest);
    piece(Few<2>(), rest);
    piece(Few<1>(), rest);
    return {first, covered};
}

template <int kGroup, typename FewPixels, typename Group>
inline __attribute__((always_inline)) void EachAlignedGroup(const uint32_t* d, int n, FewPixels few, Group group) {
    const auto [first, covered] = AlignedGroups<kGroup>(d, n, few);
    for (int i = first; i < first + covered; i += kGroup)
        group(i);
}

// Where the source row of n pixels has pixels to add: the groups of kGroup
// fully transparent pixels at either end add nothing and are left out,
// found by transparent(i) for the group from i. Additive sprites are mostly
// glows on a transparent ground; a test per group through the whole row
// would cost more, in branches mispredicted where the alpha changes, than
// drawing the transparent groups inside it.
template <int kGroup, typename Transparent>
inline __attribute__((always_inline)) void TrimTransparentEnds(int n, int& from, int& to, Transparent transparent) {
    from = 0;
    to = n;
    while (from + kGroup <= to && transparent(from))
        from += kGroup;
    while (to - kGroup >= from && transparent(to - kGroup))
        to -= kGroup;
}

template <typename Src>
void AdditiveScaledSse2(uint32_t* d, Src s, const uint8_t*, int n, const BlitTint&) {
    int from, to;
    TrimTransparentEnds<4>(n, from, to, [&](int k) { return AllZero(AlphaOf(Load4(s, k))); });
    d += from;
    s = s.Offset(from);
    auto add = [&](auto count, int k) __attribute__((always_inline)) {
        StoreFew<count>(d + k, _mm_adds_epu8(LoadFew<count>(d + k), ScaledContributionSse2(LoadFew<count>(s, k))));
    };
    EachAlignedGroup<4>(
        d, to - from, add, [&](int k) __attribute__((always_inline)) { add(Few<4>(), k); });
}

// Eight source pixels from offset i.
template <typename Src>
KAVO_TARGET_AVX2 inline __m256i Load8(Src s, size_t i) {
    if constexpr (std::is_same_v<Src, BlitPixel::PlainSource>)
        return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s.mPixels + i));
    else
        return _mm256_setr_epi32(static_cast<int>(s[i]), static_cast<int>(s[i + 1]), static_cast<int>(s[i + 2]),
                                 static_cast<int>(s[i + 3]), static_cast<int>(s[i + 4]), static_cast<int>(s[i + 5]),
                                 static_cast<int>(s[i + 6]), static_cast<int>(s[i + 7]));
}

// The same eight pixels at a time, the pieces before and after the groups
// four or fewer at a time.
template <typename Src>
KAVO_TARGET_AVX2 void AdditiveScaledAvx2(uint32_t* d, Src s, const uint8_t*, int n, const BlitTint&) {
    const __m256i alphaPair = _mm256_setr_epi8(3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1, 3, -1, 3, -1,
                                               7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1);
    const __m256i greenByte = _mm256_set1_epi32(0x0000FF00);
    const __m256i alphaBytes = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    int from, to;
    TrimTransparentEnds<8>(n, from, to,
                           [&](int k) KAVO_TARGET_AVX2 { return _mm256_testz_si256(Load8(s, k), alphaBytes) != 0; });
    d += from;
    s = s.Offset(from);
    auto few = [&](auto count, int k) KAVO_TARGET_AVX2 {
        StoreFew<count>(d + k, _mm_adds_epu8(LoadFew<count>(d + k), ScaledContributionSsse3(LoadFew<count>(s, k))));
    };
    EachAlignedGroup<8>(d, to - from, few, [&](int k) KAVO_TARGET_AVX2 {
        const __m256i sp = Load8(s, k);
        const __m256i a = _mm256_shuffle_epi8(sp, alphaPair);
        const __m256i t = _mm256_or_si256(_mm256_mulhi_epu16(_mm256_slli_epi16(sp, 8), a),
                                          _mm256_and_si256(_mm256_mullo_epi16(_mm256_srli_epi16(sp, 8), a), greenByte));
        auto* to = reinterpret_cast<__m256i*>(d + k);
        _mm256_storeu_si256(to, _mm256_adds_epu8(_mm256_loadu_si256(to), t));
    });
}

// The added colour (alpha byte 0) onto the destination, a group at a time
// with the destination aligned, so that each add reads its destination as
// an operand.
struct AddGroupSse2 {
    static constexpr int kGroup = 4;
    static inline __attribute__((always_inline)) void Add(uint32_t* d, const uint32_t* s) {
        auto* at = reinterpret_cast<__m128i*>(d);
        _mm_store_si128(at, _mm_adds_epu8(_mm_load_si128(at), Load4(s)));
    }
};

struct AddGroupAvx2 {
    static constexpr int kGroup = 8;
    // Inlined by the flattened AddAddedColourAvx2.
    KAVO_TARGET_AVX2 static inline void Add(uint32_t* d, const uint32_t* s) {
        auto* at = reinterpret_cast<__m256i*>(d);
        _mm256_store_si256(
            at, _mm256_adds_epu8(_mm256_load_si256(at), _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s))));
    }
};

// An added-colour blit: the destination's first row and pitch, the rows of
// the source rectangle in the image's added colour (see BuildAddedColour)
// and the rectangle's columns.
struct AddedColourBlit {
    uint32_t* mDest;
    size_t mDestPitch;
    const uint32_t* mRows; // three words per row, from the rectangle's first
    const uint32_t* mPacked;
    int mSrcX, mWidth, mHeight;
};

// Each row is drawn only over its span, which the added colour keeps
// packed, so the source is read as one stream.
//
// The destination rows lie a pitch apart, each a short stream of its own
// that the processor has to start fetching anew; two rows are drawn side
// by side, so that the wait at the start of one overlaps the work on the
// other.
template <typename AddGroup>
inline __attribute__((always_inline)) void AddAddedColourRows(const AddedColourBlit& b) {
    constexpr int kGroup = AddGroup::kGroup;
    // Row j's span within the rectangle: its pieces drawn, the aligned
    // groups left in [d, d + count).
    auto span = [&](int j, uint32_t*& d, const uint32_t*& s) __attribute__((always_inline)) {
        const uint32_t* row = b.mRows + 3 * static_cast<size_t>(j);
        const int first = static_cast<int>(row[0]);
        const int from = std::max(first, b.mSrcX), to = std::min(static_cast<int>(row[1]), b.mSrcX + b.mWidth);
        if (from >= to)
            return 0;
        d = b.mDest + static_cast<size_t>(j) * b.mDestPitch + (from - b.mSrcX);
        s = b.mPacked + row[2] + (from - first);
        const BlitPixel::PlainSource source{s};
        auto few = [&](auto count, int k) __attribute__((always_inline)) {
            StoreFew<count>(d + k, _mm_adds_epu8(LoadFew<count>(d + k), LoadFew<count>(source, k)));
        };
        const auto [head, covered] = AlignedGroups<kGroup>(d, to - from, few);
        d += head;
        s += head;
        return covered;
    };
    uint32_t *d0 = nullptr, *d1 = nullptr;
    const uint32_t *s0 = nullptr, *s1 = nullptr;
    int j = 0;
    for (; j + 1 < b.mHeight; j += 2) {
        const int n0 = span(j, d0, s0), n1 = span(j + 1, d1, s1);
        const int both = std::min(n0, n1);
        int i = 0;
        for (; i < both; i += kGroup) {
            AddGroup::Add(d0 + i, s0 + i);
            AddGroup::Add(d1 + i, s1 + i);
        }
        for (int k = i; k < n0; k += kGroup)
            AddGroup::Add(d0 + k, s0 + k);
        for (int k = i; k < n1; k += kGroup)
            AddGroup::Add(d1 + k, s1 + k);
    }
    if (j < b.mHeight) {
        const int n0 = span(j, d0, s0);
        for (int k = 0; k < n0; k += kGroup)
            AddGroup::Add(d0 + k, s0 + k);
    }
}

void AddAddedColourSse2(const AddedColourBlit& b) {
    AddAddedColourRows<AddGroupSse2>(b);
}

KAVO_TARGET_AVX2 __attribute__((flatten)) void AddAddedColourAvx2(const AddedColourBlit& b) {
    AddAddedColourRows<AddGroupAvx2>(b);
}

// The added colour of a width x height source, as AdditiveUntinted scales
// it, packed: three words per row (the first column of the row's span, the
// column after its last, and where the span starts in the packed colour),
// then the spans one after the other. A row's span runs from the first
// column that adds anything to the last, widened over the zeros around it
// to whole groups of eight columns where the row allows; a row that adds
// nothing has an empty span. The words past the last span are 0.
template <typename Src>
void BuildAddedColour(uint32_t* out, Src s, int width, int height, size_t words) {
    constexpr int kGroup = 8;
    uint32_t* rows = out;
    uint32_t* packed = out + 3 * static_cast<size_t>(height);
    auto scratch = std::make_unique_for_overwrite<uint32_t[]>(static_cast<size_t>(width));
    uint32_t* colour = scratch.get();
    size_t offset = 0;
    for (int y = 0; y < height; ++y) {
        const size_t base = static_cast<size_t>(y) * static_cast<size_t>(width);
        int i = 0;
        for (; i + 4 <= width; i += 4)
            Store4(colour + i, ScaledContributionSse2(Load4(s, base + i)));
        for (; i < width; ++i) {
            const uint32_t p = s[base + i], a = p >> 24;
            colour[i] = ScaleChannels(p, a, a, a);
        }
        int first = 0, end = width;
        while (first < end && colour[first] == 0)
            ++first;
        while (end > first && colour[end - 1] == 0)
            --end;
        if (first == end) {
            first = end = 0;
        } else {
            first = first / kGroup * kGroup;
            end = std::min((end + kGroup - 1) / kGroup * kGroup, width);
        }
        std::copy(colour + first, colour + end, packed + offset);
        rows[3 * y] = static_cast<uint32_t>(first);
        rows[3 * y + 1] = static_cast<uint32_t>(end);
        rows[3 * y + 2] = static_cast<uint32_t>(offset);
        offset += static_cast<size_t>(end - first);
    }
    std::fill(packed + offset, out + words, 0u);
}

// The image's packed added colour, or null while it has none: built on the
// second untinted additive blit since its pixels last changed, never for a
// volatile image.
const uint32_t* AddedColour(MemoryImage& image) {
    if (image.mAddedColorData)
        return image.mAddedColorData.get();
    if (image.mVolatile || !std::exchange(image.mAddedSinceChange, true))
        return nullptr;
    const size_t words = image.AddedColorWords();
    auto added = std::make_unique_for_overwrite<uint32_t[]>(words);
    BlitPixel::WithSource(image, [&](auto s) { BuildAddedColour(added.get(), s, image.mWidth, image.mHeight, words); });
    image.mAddedColorData = std::move(added);
    return image.mAddedColorData.get();
}

template <typename Src>
constexpr RowKernel<Src> kVectorKernels[kBlitWays] = {
    NormalOpaqueRuns<Src, MixPartialRunVector<Src>>,
    NormalVector<Src, UntintedTerm, NormalPlain<Src>>,
    NormalVector<Src, GreyTerm, NormalGrey<Src>>,
    NormalVector<Src, ColourTerm, NormalTinted<Src>>,
    AdditiveVector<Src, false, false, AdditiveUntinted<Src, false>>,
    AdditiveScaledSse2<Src>,
    AdditiveVector<Src, false, true, AdditiveTinted<Src, false>>,
    AdditiveVector<Src, true, true, AdditiveTinted<Src, true>>,
};

// The source terms eight pixels at a time, as their four-pixel twins.
struct UntintedTerm8 {
    explicit UntintedTerm8(const BlitTint&) {}
    KAVO_TARGET_AVX2 __m256i Alpha(__m256i p) const { return _mm256_srli_epi32(p, 24); }
    KAVO_TARGET_AVX2 __m256i RedBlue(__m256i s, __m256i w) const { return _mm256_mullo_epi16(s, w); }
    KAVO_TARGET_AVX2 __m256i Green(__m256i s, __m256i w) const { return _mm256_mullo_epi16(s, w); }
};

struct TintAlpha8 {
    __m256i mTintAlpha;
    KAVO_TARGET_AVX2 explicit TintAlpha8(const BlitTint& tint)
        : mTintAlpha(_mm256_set1_epi32(static_cast<int>(tint.mAlpha))) {}
    KAVO_TARGET_AVX2 __m256i Alpha(__m256i p) const {
        const __m256i x = _mm256_mullo_epi16(_mm256_srli_epi32(p, 24), mTintAlpha);
        return _mm256_srli_epi16(_mm256_mulhi_epu16(x, _mm256_set1_epi16(static_cast<short>(0x8081))), 7);
    }
};

struct GreyTerm8 : TintAlpha8 {
    __m256i mGrey;
    KAVO_TARGET_AVX2 explicit GreyTerm8(const BlitTint& tint)
        : TintAlpha8(tint), mGrey(_mm256_set1_epi16(static_cast<short>(tint.mRed << 8))) {}
    KAVO_TARGET_AVX2 __m256i RedBlue(__m256i s, __m256i w) const {
        return _mm256_mullo_epi16(_mm256_mulhi_epu16(s, mGrey), w);
    }
    KAVO_TARGET_AVX2 __m256i Green(__m256i s, __m256i w) const {
        return _mm256_mulhi_epu16(_mm256_mullo_epi16(s, w), mGrey);
    }
};

struct ColourTerm8 : TintAlpha8 {
    __m256i mRedBlue, mGreen;
    KAVO_TARGET_AVX2 explicit ColourTerm8(const BlitTint& tint)
        : TintAlpha8(tint), mRedBlue(_mm256_set1_epi32(static_cast<int>(tint.mRed << 24 | tint.mBlue << 8))),
          mGreen(_mm256_set1_epi32(static_cast<int>(tint.mGreen << 8))) {}
    KAVO_TARGET_AVX2 __m256i RedBlue(__m256i s, __m256i w) const {
        return _mm256_mulhi_epu16(_mm256_mullo_epi16(s, w), mRedBlue);
    }
    KAVO_TARGET_AVX2 __m256i Green(__m256i s, __m256i w) const {
        return _mm256_mulhi_epu16(_mm256_mullo_epi16(s, w), mGreen);
    }
};

template <typename SourceTerm>
struct EightWide;
template <>
struct EightWide<UntintedTerm> {
    using Type = UntintedTerm8;
};
template <>
struct EightWide<GreyTerm> {
    using Type = GreyTerm8;
};
template <>
struct EightWide<ColourTerm> {
    using Type = ColourTerm8;
};

KAVO_TARGET_AVX2 inline bool AllOpaque8(__m256i p) {
    const __m256i opaque = _mm256_cmpeq_epi32(_mm256_or_si256(p, _mm256_set1_epi32(0x00FFFFFF)), _mm256_set1_epi32(-1));
    return _mm256_movemask_epi8(opaque) == -1;
}

// MixOverOpaque for eight pixels, in the same red-blue and green-alpha
// lanes.
template <typename Term8>
KAVO_TARGET_AVX2 inline __m256i MixOverOpaque8(const Term8& term, __m256i dp, __m256i sp, __m256i a) {
    const __m256i w = _mm256_sub_epi32(a, _mm256_cmpeq_epi32(a, _mm256_set1_epi32(255)));
    const __m256i w2 = _mm256_or_si256(w, _mm256_slli_epi32(w, 16));
    const __m256i iw2 = _mm256_sub_epi16(_mm256_set1_epi16(256), w2);
    const __m256i redBlueMask = _mm256_set1_epi32(0x00FF00FF);
    const __m256i keepBlue = _mm256_set1_epi32(static_cast<int>(0xFFFFFF00u));
    const __m256i redBlue = _mm256_srli_epi16(
        _mm256_add_epi16(_mm256_and_si256(_mm256_mullo_epi16(_mm256_and_si256(dp, redBlueMask), iw2), keepBlue),
                         _mm256_and_si256(term.RedBlue(_mm256_and_si256(sp, redBlueMask), w2), keepBlue)),
        8);
    const __m256i green = _mm256_srli_epi16(
        _mm256_add_epi16(_mm256_mullo_epi16(_mm256_srli_epi16(dp, 8), iw2), term.Green(_mm256_srli_epi16(sp, 8), w2)),
        8);
    return _mm256_or_si256(_mm256_or_si256(redBlue, _mm256_slli_epi16(green, 8)),
                           _mm256_set1_epi32(static_cast<int>(0xFF000000u)));
}

// Eight pixels at a time where all eight destination pixels are opaque,
// the usual case; other groups go four at a time through the general
// steps.
template <typename Src, typename SourceTerm, RowKernel<Src> kTail>
KAVO_TARGET_AVX2 void NormalAvx2(uint32_t* d, Src s, const uint8_t* runs, int n, const BlitTint& tint) {
    const SourceTerm term(tint);
    const typename EightWide<SourceTerm>::Type term8(tint);
    const __m256i alphaBytes = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    const int i = ForEachGroup<8>(s, runs, n, [&](int k) KAVO_TARGET_AVX2 {
        const __m256i sp = Load8(s, k);
        if constexpr (std::is_same_v<SourceTerm, UntintedTerm>) {
            if (_mm256_testz_si256(sp, alphaBytes))
                return;
            if (AllOpaque8(sp)) {
                _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + k), sp);
                return;
            }
        }
        const __m256i dp = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + k));
        if (AllOpaque8(dp)) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + k), MixOverOpaque8(term8, dp, sp, term8.Alpha(sp)));
            return;
        }
        NormalGroup(term, d, s, k);
        NormalGroup(term, d, s, k + 4);
    });
    kTail(d + i, s.Offset(i), runs ? runs + i : nullptr, n - i, tint);
}

template <typename Src>
constexpr RowKernel<Src> kAvxKernels[kBlitWays] = {
    kVectorKernels<Src>[Slot(BlitWay::NormalOpaqueRuns)],
    NormalAvx2<Src, UntintedTerm, kVectorKernels<Src>[Slot(BlitWay::NormalPlain)]>,
    NormalAvx2<Src, GreyTerm, kVectorKernels<Src>[Slot(BlitWay::NormalGrey)]>,
    NormalAvx2<Src, ColourTerm, kVectorKernels<Src>[Slot(BlitWay::NormalTinted)]>,
    kVectorKernels<Src>[Slot(BlitWay::AdditivePlain)],
    AdditiveScaledAvx2<Src>,
    kVectorKernels<Src>[Slot(BlitWay::AdditiveTinted)],
    kVectorKernels<Src>[Slot(BlitWay::AdditiveTintedPartialAlpha)],
};

#endif

// A blit's rows: height rows of width pixels, each row of the destination,
// the source and its runs a pitch after the one before.
template <typename Src>
struct BlitRows {
    uint32_t* mDest;
    size_t mDestPitch;
    Src mSource;
    size_t mSourcePitch;
    const uint8_t* mRuns; // may be null
    int mWidth, mHeight;
};

template <typename Src>
using RectKernel = void (*)(const BlitRows<Src>& rows, const BlitTint& tint);

template <typename Src, RowKernel<Src> kRow>
inline __attribute__((always_inline)) void EachRow(const BlitRows<Src>& r, const BlitTint& tint) {
    for (int j = 0; j < r.mHeight; ++j) {
        const size_t from = static_cast<size_t>(j) * r.mSourcePitch;
        kRow(r.mDest + static_cast<size_t>(j) * r.mDestPitch, r.mSource.Offset(from),
             r.mRuns ? r.mRuns + from : nullptr, r.mWidth, tint);
    }
}

template <typename Src, RowKernel<Src> kRow>
void Rows(const BlitRows<Src>& r, const BlitTint& tint) {
    EachRow<Src, kRow>(r, tint);
}

#if defined(__SSE2__)
// With the row kernel inlined, its set-up is done once per blit rather
// than once per row.
template <typename Src, RowKernel<Src> kRow>
KAVO_TARGET_AVX2 __attribute__((flatten)) void RowsAvx2(const BlitRows<Src>& r, const BlitTint& tint) {
    EachRow<Src, kRow>(r, tint);
}
#endif

// A table of row kernels as rectangle kernels, row by row or, for
// processors with AVX2, with the row kernel inlined.
template <typename Src, const RowKernel<Src> (&kRows)[kBlitWays], bool kAvx2, size_t... kWay>
constexpr std::array<RectKernel<Src>, kBlitWays> RectKernels(std::index_sequence<kWay...>) {
#if defined(__SSE2__)
    if constexpr (kAvx2)
        return {RowsAvx2<Src, kRows[kWay]>...};
#endif
    return {Rows<Src, kRows[kWay]>...};
}

template <typename Src, const RowKernel<Src> (&kRows)[kBlitWays], bool kAvx2 = false>
constexpr std::array<RectKernel<Src>, kBlitWays>
    kRectKernels = RectKernels<Src, kRows, kAvx2>(std::make_index_sequence<kBlitWays>());

template <typename Src>
RectKernel<Src> ChooseKernel(BlitWay way) {
#if defined(__SSE2__)
    const BlitPixel::KernelLevel level = BlitPixel::CurrentKernelLevel();
    // The run-driven copy keeps its call per row, which keeps its copies
    // the library's.
    if (level >= BlitPixel::KernelLevel::Avx2)
        return way == BlitWay::NormalOpaqueRuns ? kRectKernels<Src, kAvxKernels<Src>>[Slot(way)]
                                                : kRectKernels<Src, kAvxKernels<Src>, true>[Slot(way)];
    if (level >= BlitPixel::KernelLevel::Sse2)
        return kRectKernels<Src, kVectorKernels<Src>>[Slot(way)];
#endif
    return kRectKernels<Src, kPortableKernels<Src>>[Slot(way)];
}

// The level chosen by SetKernelLevel, or -1 for the best there is.
std::atomic<int> gKernelLevel{-1};

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

BlitPixel::KernelLevel BlitPixel::CurrentKernelLevel() {
    const int chosen = gKernelLevel.load(std::memory_order_relaxed);
    return chosen < 0 ? MaxKernelLevel() : static_cast<KernelLevel>(chosen);
}

void BlitPixel::SetKernelLevel(KernelLevel level) {
    gKernelLevel.store(static_cast<int>(std::min(level, MaxKernelLevel())), std::memory_order_relaxed);
}

void BlitPixel::BlendRow(uint32_t* d, const uint32_t* s, int n) {
    const BlitRows<BlitPixel::PlainSource> row{d, 0, BlitPixel::PlainSource{s}, 0, nullptr, n, 1};
    ChooseKernel<BlitPixel::PlainSource>(BlitWay::NormalPlain)(row, BlitTint(Color::White));
}

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
    BlitWay way;
    if (drawMode == 0) {
        // The destination's flags are taken as they stand: recomputing them
        // would cost a scan of the whole destination per blit.
        if (tint.IsWhite() && !mHasAlpha && !mHasTrans)
            way = BlitWay::NormalOpaqueRuns;
        else
            way = tint.IsWhite() ? BlitWay::NormalPlain : (tint.IsGrey() ? BlitWay::NormalGrey : BlitWay::NormalTinted);
    } else {
        source->UpdateAlphaFlags();
        if (tint.IsWhite())
            way = source->mHasAlpha ? BlitWay::AdditivePlainPartialAlpha : BlitWay::AdditivePlain;
        else
            way = source->mHasAlpha ? BlitWay::AdditiveTintedPartialAlpha : BlitWay::AdditiveTinted;
    }
    // The run-driven copy needs the source's alpha runs; the vector kernels
    // use them to pass over transparent runs in the normal blend, where those
    // draw nothing. (The additive kernels test for transparent groups
    // themselves: their groups cost less than following the runs.)
    const bool normal = way <= BlitWay::NormalTinted;
    if (way == BlitWay::NormalOpaqueRuns || (BlitPixel::VectorKernelsEnabled() && normal))
        runs = source->GetAlphaRuns();

    const size_t sourcePitch = static_cast<size_t>(source->mWidth);
    const size_t from = static_cast<size_t>(src.mY) * sourcePitch + src.mX;
    auto draw = [&](auto s) {
        using Src = decltype(s);
        ChooseKernel<Src>(way)({bits + static_cast<size_t>(y) * mWidth + x, static_cast<size_t>(mWidth), s.Offset(from),
                                sourcePitch, runs ? runs + from : nullptr, src.mWidth, src.mHeight},
                               tint);
    };
#if defined(__SSE2__)
    // A glow drawn again and again adds its ready-scaled colour, as a
    // premultiplied source would.
    const uint32_t* added = nullptr;
    if (way == BlitWay::AdditivePlainPartialAlpha && BlitPixel::VectorKernelsEnabled())
        added = AddedColour(*source);
    if (added != nullptr) {
        const AddedColourBlit blit{bits + static_cast<size_t>(y) * mWidth + x,
                                   static_cast<size_t>(mWidth),
                                   added + 3 * static_cast<size_t>(src.mY),
                                   added + 3 * static_cast<size_t>(source->mHeight),
                                   src.mX,
                                   src.mWidth,
                                   src.mHeight};
        if (BlitPixel::CurrentKernelLevel() >= BlitPixel::KernelLevel::Avx2)
            AddAddedColourAvx2(blit);
        else
            AddAddedColourSse2(blit);
        BitsChanged();
        return;
    }
#endif
    BlitPixel::WithSource(*source, draw);
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
