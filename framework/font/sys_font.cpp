#include "framework/font/sys_font.h"

#include <algorithm>
#include <cstdlib>

#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "platform/text_encoding.h"

namespace Kavo {

namespace {

std::u32string Decode(std::string_view text) {
    std::u32string codePoints;
    codePoints.reserve(text.size());
    for (char byte : text)
        codePoints.push_back(platform::Cp1251ToCodePoint(static_cast<unsigned char>(byte)));
    return codePoints;
}

} // namespace

SysFont::SysFont(const std::string& faceName, int pointSize, int script, bool bold, bool italic, bool underline) {
    Init(faceName, pointSize, script, bold, italic, underline, true);
}

SysFont::SysFont(const SysFont& other) : Font(other) {
    if (other.mRasterizer)
        Open(other.mRasterizer->GetRequest());
    mShadow = false;
    mDoubleStrike = false;
}

SysFont::~SysFont() = default;

int SysFont::PixelHeightFor(int pointSize, int resolution) {
    // MulDiv rounds halves away from zero.
    const long long product = static_cast<long long>(pointSize) * resolution;
    const long long rounded = (std::llabs(product) + 36) / 72;
    return static_cast<int>(std::clamp<long long>(rounded, 1, 1000));
}

void SysFont::Init(const std::string& faceName, int pointSize, int /*script*/, bool bold, bool italic, bool underline,
                   bool /*useDeviceResolution*/) {
    platform::FontFaceRequest request;
    request.mFamily = platform::Cp1251ToUtf8(faceName);
    request.mPixelHeight = PixelHeightFor(pointSize, 96);
    request.mBold = bold;
    request.mItalic = italic;
    request.mUnderline = underline;
    Open(request);
    mShadow = false;
    mDoubleStrike = false;
}

void SysFont::Open(const platform::FontFaceRequest& request) {
    mRasterizer = platform::FontRasterizer::Open(request);
    mAscent = mRasterizer ? mRasterizer->GetAscent() : 0;
    mHeight = mRasterizer ? mRasterizer->GetHeight() : 0;
}

int SysFont::StringWidth(const std::string& str) {
    if (!mRasterizer)
        return 0;
    int width = 0;
    size_t start = 0;
    while (start <= str.size()) {
        size_t end = str.find('\n', start);
        if (end == std::string::npos)
            end = str.size();
        width = std::max(width, mRasterizer->MeasureLine(Decode(std::string_view(str).substr(start, end - start))));
        start = end + 1;
    }
    return width;
}

std::unique_ptr<MemoryImage> SysFont::RenderText(const std::string& str, const Color& color) {
    if (!mRasterizer)
        return nullptr;
    const std::u32string text = Decode(str);
    const int extraX = (mShadow ? 1 : 0) + (mDoubleStrike ? 1 : 0);
    const int width = mRasterizer->MeasureLine(text) + extraX;
    const int height = mRasterizer->GetHeight() + (mShadow ? 1 : 0);
    if (width <= extraX || height <= 0)
        return nullptr;

    platform::CoverageBitmap shadow(mShadow ? width : 0, mShadow ? height : 0);
    platform::CoverageBitmap face(width, height);
    for (int strike = 0; strike <= (mDoubleStrike ? 1 : 0); ++strike) {
        if (mShadow)
            mRasterizer->RenderLine(text, 1 + strike, 1, shadow);
        mRasterizer->RenderLine(text, strike, 0, face);
    }

    // The face over its black shadow, in straight (not premultiplied) colour.
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    const uint32_t rgb = (static_cast<uint32_t>(std::clamp(color.mRed, 0, 255)) << 16) |
                         (static_cast<uint32_t>(std::clamp(color.mGreen, 0, 255)) << 8) |
                         static_cast<uint32_t>(std::clamp(color.mBlue, 0, 255));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t top = face.At(x, y);
            const uint32_t below = mShadow ? shadow.At(x, y) : 0;
            const uint32_t alpha = top + below * (255 - top) / 255;
            uint32_t pixel = 0;
            if (alpha != 0) {
                auto channel = [&](int shift) { return (((rgb >> shift) & 0xFF) * top / alpha) << shift; };
                pixel = (alpha << 24) | channel(16) | channel(8) | channel(0);
            }
            pixels[static_cast<size_t>(y) * width + x] = pixel;
        }
    }
    auto image = std::make_unique<MemoryImage>();
    image->SetBits(pixels.data(), width, height);
    return image;
}

void SysFont::DrawString(Graphics* g, int x, int y, const std::string& str, const Color& color,
                         const IntRect& /*clipRect*/) {
    if (std::unique_ptr<MemoryImage> image = RenderText(str, color))
        g->DrawImage(image.get(), x, y - mAscent);
}

Font* SysFont::Duplicate() {
    return new SysFont(*this);
}

} // namespace Kavo
