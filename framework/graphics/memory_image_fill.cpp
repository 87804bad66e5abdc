// Fills, lines and coverage spans of the memory image.

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdlib>

#include "framework/graphics/fill_rows.h"
#include "framework/graphics/memory_image.h"
#include "framework/graphics/memory_image_blend.h"

namespace Kavo {

using PixelMath::BlendNormal;
using PixelMath::PackClamped;

namespace {

// Truncation toward zero that cannot overflow: out-of-range values and NaN
// land on the int limits, far outside any image.
int TruncToInt(double v) {
    if (!(v > static_cast<double>(INT_MIN)))
        return INT_MIN;
    if (v >= static_cast<double>(INT_MAX))
        return INT_MAX;
    return static_cast<int>(v);
}

int ClampToInt(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX));
}

// The part of rect inside a width x height image; empty when none is.
IntRect ClipToImage(const IntRect& rect, int width, int height) {
    int64_t left = std::max<int64_t>(rect.mX, 0);
    int64_t top = std::max<int64_t>(rect.mY, 0);
    int64_t right = std::min<int64_t>(int64_t{rect.mX} + rect.mWidth, width);
    int64_t bottom = std::min<int64_t>(int64_t{rect.mY} + rect.mHeight, height);
    if (right <= left || bottom <= top)
        return IntRect();
    return IntRect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                   static_cast<int>(bottom - top));
}

// A fill colour with what the span kernels precompute from it.
struct FillColor {
    uint32_t mPacked;  // 0xAARRGGBB, channels clamped
    uint32_t mAlpha;   // 0..255
    uint32_t mInverse; // 256 - alpha
    uint32_t mRedBlueTimesAlpha;
    uint32_t mGreenTimesAlpha;

    explicit FillColor(const Color& color)
        : mPacked(PackClamped(color)), mAlpha(mPacked >> 24), mInverse(256 - mAlpha),
          mRedBlueTimesAlpha((mPacked & 0x00FF00FF) * mAlpha), mGreenTimesAlpha((mPacked & 0x0000FF00) * mAlpha) {}
};

using SpanKernel = void (*)(uint32_t* pixels, int count, const FillColor& color);

void SkipSpan(uint32_t*, int, const FillColor&) {}

void StoreSpan(uint32_t* pixels, int count, const FillColor& color) {
    FillRows::Store32(pixels, count, color.mPacked);
}

// Over an opaque destination the weight is the alpha itself, with the
// colour's products precomputed; other pixels take the full rule.
void BlendSpan(uint32_t* pixels, int count, const FillColor& color) {
    const FillRows::OverOpaque32 over{color.mInverse, color.mRedBlueTimesAlpha, color.mGreenTimesAlpha};
    FillRows::BlendOverOpaque32(pixels, count, over,
                                [&](uint32_t d) { return BlendNormal(d, color.mPacked, color.mAlpha); });
}

// By the fill colour's alpha: 0 changes nothing, 255 stores, others blend.
SpanKernel SelectFillKernel(uint32_t alpha) {
    static constexpr SpanKernel kKernels[3] = {SkipSpan, BlendSpan, StoreSpan};
    return kKernels[(alpha != 0) + (alpha == 255)];
}

// The pixel writers of the hard line, each taking the destination word.
struct OpaqueLinePixel {
    uint32_t mValue;
    explicit OpaqueLinePixel(uint32_t packed) {
        auto scale = [](uint32_t c) { return (c * 255 + 127) >> 8; };
        mValue = 0xFF000000u | scale(packed >> 16 & 0xFF) << 16 | scale(packed >> 8 & 0xFF) << 8 | scale(packed & 0xFF);
    }
    uint32_t operator()(uint32_t) const { return mValue; }
};

// The destination keeps (256 - a) / 256 of itself and gains the colour
// scaled by a; the result is opaque.
struct TranslucentLinePixel {
    uint32_t mKeep;
    uint32_t mAdd[3];
    explicit TranslucentLinePixel(uint32_t packed) : mKeep(256 - (packed >> 24)) {
        uint32_t a = packed >> 24;
        for (int i = 0; i < 3; ++i) {
            uint32_t c = packed >> (16 - 8 * i) & 0xFF;
            mAdd[i] = (((c * a + 128) >> 8) * 255 + 127) >> 8;
        }
    }
    uint32_t operator()(uint32_t d) const {
        auto channel = [&](int i) {
            uint32_t dc = d >> (16 - 8 * i) & 0xFF;
            return ((dc * mKeep + 127) >> 8) + mAdd[i];
        };
        return 0xFF000000u | channel(0) << 16 | channel(1) << 8 | channel(2);
    }
};

struct AdditiveLinePixel {
    uint32_t mAdd[3];
    explicit AdditiveLinePixel(uint32_t packed) {
        uint32_t a = packed >> 24;
        for (int i = 0; i < 3; ++i)
            mAdd[i] = (packed >> (16 - 8 * i) & 0xFF) * a / 255;
    }
    uint32_t operator()(uint32_t d) const {
        const auto& table = PixelMath::kSaturationTable;
        return 0xFF000000u | uint32_t{table[(d >> 16 & 0xFF) + mAdd[0]]} << 16 |
               uint32_t{table[(d >> 8 & 0xFF) + mAdd[1]]} << 8 | table[(d & 0xFF) + mAdd[2]];
    }
};

// Bresenham along the major axis from the end with the smaller major
// coordinate, never leaving the two end points' box; pixels outside the
// image are skipped.
template <typename PixelOp>
void DrawHardLine(uint32_t* bits, int width, int height, double x1, double y1, double x2, double y2,
                  const PixelOp& op) {
    bool yMajor = std::fabs(x2 - x1) <= std::fabs(y2 - y1);
    double startMajor = yMajor ? y1 : x1, startMinor = yMajor ? x1 : y1;
    double endMajor = yMajor ? y2 : x2, endMinor = yMajor ? x2 : y2;
    if (endMajor < startMajor) {
        std::swap(startMajor, endMajor);
        std::swap(startMinor, endMinor);
    }
    double majorDelta = endMajor - startMajor;
    double minorDelta = std::fabs(endMinor - startMinor);
    int minorStep = endMinor < startMinor ? -1 : 1;
    int64_t straightInc = TruncToInt(2 * minorDelta);
    int64_t diagonalInc = TruncToInt(2 * (minorDelta - majorDelta));
    int64_t error = TruncToInt(2 * minorDelta - majorDelta);

    int major = TruncToInt(startMajor);
    int minor = TruncToInt(startMinor);
    int lastMajor = TruncToInt(endMajor);
    int lastMinor = TruncToInt(endMinor);
    for (;;) {
        int x = yMajor ? minor : major;
        int y = yMajor ? major : minor;
        if (static_cast<unsigned>(x) < static_cast<unsigned>(width) &&
            static_cast<unsigned>(y) < static_cast<unsigned>(height)) {
            uint32_t& pixel = bits[static_cast<size_t>(y) * width + x];
            pixel = op(pixel);
        }
        if (major >= lastMajor)
            break;
        if (error > 0) {
            if (minor == lastMinor)
                break;
            minor += minorStep;
            error += diagonalInc;
        } else {
            error += straightInc;
        }
        ++major;
    }
}

// Anti-aliased line in 16.16 fixed point, drawn downwards: each step the
// main pixel gets 255 - (error >> 8) and its neighbour across the line
// error >> 8. Coverage k blends with alpha (k * (colour alpha + 1)) >> 8.
void DrawAALine(uint32_t* bits, int width, int height, double x1, double y1, double x2, double y2, uint32_t packed) {
    int px1 = TruncToInt(x1), py1 = TruncToInt(y1);
    int px2 = TruncToInt(x2), py2 = TruncToInt(y2);
    if (py1 > py2) {
        std::swap(px1, px2);
        std::swap(py1, py2);
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    int xStep = px2 >= px1 ? 1 : -1;
    int64_t pixelsX = std::abs(int64_t{px2} - px1);
    int64_t pixelsY = int64_t{py2} - py1;
    bool yMajor = pixelsY > pixelsX;
    double deltaX = std::fabs(x2 - x1), deltaY = std::fabs(y2 - y1);

    uint32_t error =
        static_cast<uint32_t>(TruncToInt(std::fabs(x1 - std::trunc(x1)) * std::fabs(y1 - std::trunc(y1)) * 65536));
    // Below 2^31, so error + slope stays below 2^32.
    uint32_t slope = static_cast<uint32_t>(TruncToInt((yMajor ? deltaX / deltaY : deltaY / deltaX) * 65536));
    uint32_t alphaPlusOne = (packed >> 24) + 1;

    auto plot = [&](int x, int y, uint32_t coverage) {
        if (static_cast<unsigned>(x) >= static_cast<unsigned>(width) ||
            static_cast<unsigned>(y) >= static_cast<unsigned>(height))
            return;
        uint32_t alpha = (coverage * alphaPlusOne) >> 8;
        if (alpha == 0)
            return;
        uint32_t& pixel = bits[static_cast<size_t>(y) * width + x];
        pixel = BlendNormal(pixel, packed, alpha);
    };

    int x = px1, y = py1;
    plot(x, y, 255 - (error >> 8));
    int64_t steps = yMajor ? pixelsY : pixelsX;
    for (int64_t i = 1; i < steps; ++i) {
        error += slope;
        bool stepMinor = error > 0xFFFF;
        error &= 0xFFFF;
        if (yMajor) {
            x += stepMinor ? xStep : 0;
            ++y;
            plot(x, y, 255 - (error >> 8));
            plot(x + xStep, y, error >> 8);
        } else {
            y += stepMinor ? 1 : 0;
            x += xStep;
            plot(x, y, 255 - (error >> 8));
            plot(x, y + 1, error >> 8);
        }
    }
    if (steps > 0)
        plot(px2, py2, 255 - (error >> 8));
}

} // namespace

void MemoryImage::FillRect(const IntRect& rect, const Color& color, int) {
    uint32_t* bits = GetBits();
    IntRect r = ClipToImage(rect, mWidth, mHeight);
    if (r.mWidth > 0) {
        FillColor fill(color);
        SpanKernel kernel = SelectFillKernel(fill.mAlpha);
        uint32_t* row = bits + static_cast<size_t>(r.mY) * mWidth + r.mX;
        for (int y = 0; y < r.mHeight; ++y, row += mWidth)
            kernel(row, r.mWidth, fill);
    }
    BitsChanged();
}

void MemoryImage::ClearRect(const IntRect& rect) {
    uint32_t* bits = GetBits();
    IntRect r = ClipToImage(rect, mWidth, mHeight);
    uint32_t* row = bits + static_cast<size_t>(r.mY) * mWidth + r.mX;
    for (int y = 0; y < r.mHeight; ++y, row += mWidth)
        std::fill_n(row, r.mWidth, 0u);
    BitsChanged();
}

// Axis-parallel lines become one-pixel rectangles; true when the line was one.
static bool FillAxisLine(Image& image, double x1, double y1, double x2, double y2, const Color& color, int drawMode) {
    if (y1 == y2) {
        int left = TruncToInt(std::min(x1, x2));
        int width = ClampToInt(int64_t{TruncToInt(std::max(x1, x2))} - left + 1);
        image.FillRect(IntRect(left, TruncToInt(y1), width, TruncToInt(y2 - y1 + 1.0)), color, drawMode);
        return true;
    }
    if (x1 == x2) {
        int top = TruncToInt(std::min(y1, y2));
        int height = ClampToInt(int64_t{TruncToInt(std::max(y1, y2))} - top + 1);
        image.FillRect(IntRect(TruncToInt(x1), top, TruncToInt(x2 - x1 + 1.0), height), color, drawMode);
        return true;
    }
    return false;
}

void MemoryImage::DrawLine(double startX, double startY, double endX, double endY, const Color& color, int drawMode) {
    if (FillAxisLine(*this, startX, startY, endX, endY, color, drawMode))
        return;
    uint32_t* bits = GetBits();
    uint32_t packed = PackClamped(color);
    if (drawMode == 0 && packed >> 24 == 255)
        DrawHardLine(bits, mWidth, mHeight, startX, startY, endX, endY, OpaqueLinePixel(packed));
    else if (drawMode == 0)
        DrawHardLine(bits, mWidth, mHeight, startX, startY, endX, endY, TranslucentLinePixel(packed));
    else if (drawMode == 1)
        DrawHardLine(bits, mWidth, mHeight, startX, startY, endX, endY, AdditiveLinePixel(packed));
    BitsChanged();
}

void MemoryImage::DrawLineAA(double startX, double startY, double endX, double endY, const Color& color, int drawMode) {
    if (FillAxisLine(*this, startX, startY, endX, endY, color, drawMode))
        return;
    uint32_t* bits = GetBits();
    if (drawMode == 0)
        DrawAALine(bits, mWidth, mHeight, startX, startY, endX, endY, PackClamped(color));
    BitsChanged();
}

void MemoryImage::FillScanLinesWithCoverage(const Span* spans, int count, const Color& color, int,
                                            const uint8_t* coverage, int coverX, int coverY, int coverPitch, int) {
    uint32_t* bits = GetBits();
    uint32_t packed = PackClamped(color);
    uint32_t alpha = packed >> 24;
    for (int i = 0; i < count; ++i) {
        const Span& span = spans[i];
        if (static_cast<unsigned>(span.mY) >= static_cast<unsigned>(mHeight))
            continue;
        int left = std::max(span.mX, 0);
        int right = static_cast<int>(std::min<int64_t>(int64_t{span.mX} + span.mWidth, mWidth));
        uint32_t* row = bits + static_cast<size_t>(span.mY) * mWidth;
        ptrdiff_t coverRow = (static_cast<ptrdiff_t>(span.mY) - coverY) * coverPitch - coverX;
        for (int x = left; x < right; ++x) {
            uint32_t a = (alpha * (coverage[coverRow + x] + 1u)) >> 8;
            if (a != 0)
                row[x] = BlendNormal(row[x], packed, a);
        }
    }
    BitsChanged();
}

} // namespace Kavo
