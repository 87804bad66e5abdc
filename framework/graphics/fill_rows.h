#pragma once

// Row kernels of the solid fills: one colour stored, or one colour blended
// over every pixel of a row. The vector loops take four or eight pixels at a
// time and give the pixels of the scalar rules beside them bit for bit
// (tests/framework/graphics/fill_rows_test.cpp checks them against those
// rules); the rows' tails and the pixels a vector step cannot take go
// through the scalar rule the caller passes.

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Kavo::FillRows {

#if defined(__SSE2__)
// Stores `bytes` (a multiple of 16) of v from 16-byte aligned `to`, 64 at a
// time while it can.
inline void StoreAligned(uint8_t* to, size_t bytes, __m128i v) {
    uint8_t* const end = to + bytes;
    for (; to + 64 <= end; to += 64) {
        __m128i* block = reinterpret_cast<__m128i*>(to);
        _mm_store_si128(block, v);
        _mm_store_si128(block + 1, v);
        _mm_store_si128(block + 2, v);
        _mm_store_si128(block + 3, v);
    }
    for (; to < end; to += 16)
        _mm_store_si128(reinterpret_cast<__m128i*>(to), v);
}
#endif

// One value in every pixel of a row: single pixels up to a 16-byte boundary
// (the row is aligned to its pixel size), whole aligned blocks, then the
// pixels left.
template <typename Pixel>
void StoreRow(Pixel* row, int count, Pixel value) {
    int i = 0;
#if defined(__SSE2__)
    while (i < count && (reinterpret_cast<uintptr_t>(row + i) & 15) != 0)
        row[i++] = value;
    const int block = 16 / static_cast<int>(sizeof(Pixel));
    const int whole = (count - i) / block * block;
    if (whole > 0) {
        const __m128i v =
            sizeof(Pixel) == 4 ? _mm_set1_epi32(static_cast<int>(value)) : _mm_set1_epi16(static_cast<short>(value));
        StoreAligned(reinterpret_cast<uint8_t*>(row + i), static_cast<size_t>(whole) * sizeof(Pixel), v);
        i += whole;
    }
#endif
    for (; i < count; ++i)
        row[i] = value;
}

inline void Store32(uint32_t* row, int count, uint32_t value) {
    StoreRow<uint32_t>(row, count, value);
}

inline void Store16(uint16_t* row, int count, uint16_t value) {
    StoreRow<uint16_t>(row, count, value);
}

// A colour of alpha a (1..254) over opaque 0xAARRGGBB pixels: each channel
// becomes (d * (256 - a) + c * a) >> 8 and the alpha stays 255. Pixels that
// are not opaque take `other`, the full rule (their weight needs a division).
struct OverOpaque32 {
    uint32_t mInverse; // 256 - a
    uint32_t mRedBlue; // (colour & 0xFF00FF) * a
    uint32_t mGreen;   // (colour & 0xFF00) * a
};

template <typename Other>
void BlendOverOpaque32(uint32_t* row, int count, const OverOpaque32& k, Other other) {
    auto scalar = [&](uint32_t d) {
        if (d >> 24 != 255)
            return other(d);
        return 0xFF000000u | (((d & 0x00FF00FF) * k.mInverse + k.mRedBlue) >> 8 & 0x00FF00FF) |
               (((d & 0x0000FF00) * k.mInverse + k.mGreen) >> 8 & 0x0000FF00);
    };
    int i = 0;
#if defined(__SSE2__)
    const __m128i inverse = _mm_set1_epi16(static_cast<short>(k.mInverse));
    // Per pixel, 16-bit lanes: blue and red products in one register, green
    // (and nothing for the alpha lane) in the other.
    const __m128i addRedBlue = _mm_set1_epi32(static_cast<int>(k.mRedBlue));
    const __m128i addGreen = _mm_set1_epi32(static_cast<int>(k.mGreen >> 8));
    const __m128i lowBytes = _mm_set1_epi32(0x00FF00FF);
    const __m128i highBytes = _mm_set1_epi16(static_cast<short>(0xFF00));
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    for (; i + 4 <= count; i += 4) {
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(d, opaque), opaque)) != 0xFFFF) {
            for (int j = i; j < i + 4; ++j)
                row[j] = scalar(row[j]);
            continue;
        }
        // Every sum d * (256 - a) + c * a stays within 255 * 256.
        const __m128i rb =
            _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(d, lowBytes), inverse), addRedBlue), 8);
        const __m128i ga =
            _mm_and_si128(_mm_add_epi16(_mm_mullo_epi16(_mm_srli_epi16(d, 8), inverse), addGreen), highBytes);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i), _mm_or_si128(_mm_or_si128(rb, ga), opaque));
    }
#endif
    for (; i < count; ++i)
        row[i] = scalar(row[i]);
}

// The display surface's translucent fill on 32-bit pixels whose channels
// are whole bytes: each channel becomes (d * inverse) >> 8, the byte
// outside the channels 0, and `add` is added to the whole pixel.
inline void KeepAndAdd32(uint32_t* row, int count, uint32_t inverse, uint32_t channels, uint32_t add) {
    auto scalar = [&](uint32_t d) {
        uint32_t kept = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            const uint32_t m = 0xFFu << shift;
            if (channels & m)
                kept += ((d & m) >> shift) * inverse >> 8 << shift;
        }
        return kept + add;
    };
    int i = 0;
#if defined(__SSE2__)
    const __m128i inv = _mm_set1_epi16(static_cast<short>(inverse));
    const __m128i lowBytes = _mm_set1_epi32(0x00FF00FF);
    const __m128i highBytes = _mm_set1_epi16(static_cast<short>(0xFF00));
    const __m128i mask = _mm_set1_epi32(static_cast<int>(channels));
    const __m128i plus = _mm_set1_epi32(static_cast<int>(add));
    for (; i + 4 <= count; i += 4) {
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
        const __m128i rb = _mm_srli_epi16(_mm_mullo_epi16(_mm_and_si128(d, lowBytes), inv), 8);
        const __m128i ga = _mm_and_si128(_mm_mullo_epi16(_mm_srli_epi16(d, 8), inv), highBytes);
        const __m128i kept = _mm_and_si128(_mm_or_si128(rb, ga), mask);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i), _mm_add_epi32(kept, plus));
    }
#endif
    for (; i < count; ++i)
        row[i] = scalar(row[i]);
}

// The display surface's translucent fill on 16-bit pixels: three channels,
// each a run of at most 8 bits at its shift; each channel c becomes
// ((c * inverse + max) >> 8) & max, and `add` is added to the pixel.
struct Channels16 {
    uint32_t mShift[3];
    uint32_t mMax[3];
};

inline void KeepAndAdd16(uint16_t* row, int count, uint32_t inverse, const Channels16& ch, uint32_t add) {
    auto scalar = [&](uint32_t d) {
        uint32_t kept = 0;
        for (int c = 0; c < 3; ++c)
            kept += (((d >> ch.mShift[c] & ch.mMax[c]) * inverse + ch.mMax[c]) >> 8 & ch.mMax[c]) << ch.mShift[c];
        return static_cast<uint16_t>(kept + add);
    };
    int i = 0;
#if defined(__SSE2__)
    const __m128i inv = _mm_set1_epi16(static_cast<short>(inverse));
    const __m128i plus = _mm_set1_epi16(static_cast<short>(add));
    __m128i shift[3], max[3];
    for (int c = 0; c < 3; ++c) {
        shift[c] = _mm_cvtsi32_si128(static_cast<int>(ch.mShift[c]));
        max[c] = _mm_set1_epi16(static_cast<short>(ch.mMax[c]));
    }
    for (; i + 8 <= count; i += 8) {
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
        __m128i kept = _mm_setzero_si128();
        for (int c = 0; c < 3; ++c) {
            // At most 255 * 256 + 255: within a 16-bit lane.
            const __m128i channel = _mm_and_si128(_mm_srl_epi16(d, shift[c]), max[c]);
            const __m128i scaled = _mm_add_epi16(_mm_mullo_epi16(channel, inv), max[c]);
            kept = _mm_or_si128(kept, _mm_sll_epi16(_mm_and_si128(_mm_srli_epi16(scaled, 8), max[c]), shift[c]));
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i), _mm_add_epi16(kept, plus));
    }
#endif
    for (; i < count; ++i)
        row[i] = scalar(row[i]);
}

} // namespace Kavo::FillRows
