#include "tools/sample_content/placeholder_art.h"

#include "tools/image_encoders/image_encoders.h"
#include "tools/sample_content/content_files.h"

#include <algorithm>

namespace Kavo::SampleContent {

namespace {

constexpr uint32_t kInk = 0x202020;

uint32_t Channel(uint32_t color, int shift) {
    return (color >> shift) & 0xFF;
}

uint32_t Scale(uint32_t color, double factor) {
    uint32_t out = color & 0xFF000000;
    for (int shift : {16, 8, 0}) {
        const double value = std::clamp(Channel(color, shift) * factor, 0.0, 255.0);
        out |= uint32_t(value) << shift;
    }
    return out;
}

uint32_t Blend(uint32_t under, uint32_t ink, uint32_t coverage) {
    uint32_t out = under & 0xFF000000;
    for (int shift : {16, 8, 0}) {
        const uint32_t mixed = (Channel(ink, shift) * coverage + Channel(under, shift) * (255 - coverage)) / 255;
        out |= mixed << shift;
    }
    // Text stays readable on translucent panels.
    const uint32_t alpha = std::max(Channel(under, 24), coverage);
    return (out & 0x00FFFFFF) | (alpha << 24);
}

} // namespace

int LabelWidth(const std::string& text, const GlyphSheet& glyphs) {
    int width = 0;
    for (char chr : text) {
        const size_t at = glyphs.mChars.find(chr);
        width += at == std::string::npos ? glyphs.mSpaceWidth : glyphs.mWidths[at];
    }
    return width;
}

void DrawLabel(Pixels& pixels, int width, int height, int x, int y, const std::string& text, const GlyphSheet& glyphs) {
    for (char chr : text) {
        const size_t at = glyphs.mChars.find(chr);
        if (at == std::string::npos) {
            x += glyphs.mSpaceWidth;
            continue;
        }
        int cellX = 0;
        for (size_t i = 0; i < at; ++i)
            cellX += glyphs.mWidths[i];
        for (int row = 0; row < glyphs.mHeight; ++row) {
            for (int col = 0; col < glyphs.mWidths[at]; ++col) {
                const int px = x + col, py = y + row;
                if (px < 0 || py < 0 || px >= width || py >= height)
                    continue;
                const uint32_t coverage = glyphs.mPixels[size_t(row) * glyphs.mWidth + cellX + col] >> 24;
                uint32_t& dest = pixels[size_t(py) * width + px];
                dest = Blend(dest, kInk, coverage);
            }
        }
        x += glyphs.mWidths[at];
    }
}

Pixels DrawPlaceholder(const Placeholder& art, const GlyphSheet* glyphs) {
    const int width = art.mCelWidth * art.mCols, height = art.mCelHeight * art.mRows;
    Pixels pixels(size_t(width) * height);
    const int rim = std::max(1, std::min(art.mCelWidth, art.mCelHeight) / 16);
    for (int row = 0; row < art.mRows; ++row) {
        for (int col = 0; col < art.mCols; ++col) {
            const int cel = row * art.mCols + col;
            const uint32_t face = Scale(art.mColor, 1.0 + 0.06 * (cel % 5));
            const uint32_t edge = Scale(art.mColor, 0.55);
            const int left = col * art.mCelWidth, top = row * art.mCelHeight;
            for (int y = 0; y < art.mCelHeight; ++y) {
                for (int x = 0; x < art.mCelWidth; ++x) {
                    const bool onRim = x < rim || y < rim || x >= art.mCelWidth - rim || y >= art.mCelHeight - rim;
                    pixels[size_t(top + y) * width + left + x] = onRim ? edge : face;
                }
            }
            // No label at all: the picture lies under text of its own.
            if (glyphs == nullptr || art.mLabel.empty())
                continue;
            std::string text = art.mLabel;
            if (art.mCols * art.mRows > 1)
                text += " " + std::to_string(cel);
            // Too long for the cel: the number alone, or nothing.
            if (LabelWidth(text, *glyphs) > art.mCelWidth - 2 * rim)
                text = art.mCols * art.mRows > 1 ? std::to_string(cel) : "";
            if (text.empty() || LabelWidth(text, *glyphs) > art.mCelWidth - 2 * rim ||
                glyphs->mHeight > art.mCelHeight - 2 * rim)
                continue;
            DrawLabel(pixels, width, height, left + (art.mCelWidth - LabelWidth(text, *glyphs)) / 2,
                      top + (art.mCelHeight - glyphs->mHeight) / 2, text, *glyphs);
        }
    }
    return pixels;
}

bool WritePlaceholderPng(const std::string& path, const Placeholder& art, const GlyphSheet* glyphs) {
    return WriteContentFile(path, ImageEncoders::EncodePngArgb(art.mCelWidth * art.mCols, art.mCelHeight * art.mRows,
                                                               DrawPlaceholder(art, glyphs)));
}

} // namespace Kavo::SampleContent
