#include "tools/sample_content/rating_art.h"

#include <algorithm>

namespace Kavo::SampleContent {

namespace {

// Light, so that the bars' names in dark ink read on it.
constexpr uint32_t kPlateFace = 0xFF9CCFAE;
constexpr uint32_t kPlateRim = 0xFF3C6E52;
constexpr uint32_t kSlot = 0xFF141C18;
constexpr uint32_t kSlotRim = 0xFF8CA898;
// The room's bar, then the menu's.
constexpr uint32_t kBarFaces[2] = {0xFFF0B040, 0xFF58A8F0};
constexpr uint32_t kBarRims[2] = {0xFF906010, 0xFF205C90};

// A box with a rim of `rim` pixels, from (left, top), `w` x `h`, into a
// picture `width` wide.
void Box(Pixels& pixels, int width, int left, int top, int w, int h, int rim, uint32_t face, uint32_t edge) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool onRim = std::min({x, y, w - 1 - x, h - 1 - y}) < rim;
            pixels[static_cast<size_t>(top + y) * static_cast<size_t>(width) + static_cast<size_t>(left + x)] =
                onRim ? edge : face;
        }
}

Pixels Plate(int width, int height, const GlyphSheet& glyphs) {
    Pixels pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    Box(pixels, width, 0, 0, width, height, 2, kPlateFace, kPlateRim);
    const char* const words[2] = {"Room", "Menu"};
    constexpr int kBarWidth = 160, kBarHeight = 16;
    for (int bar = 0; bar < 2; ++bar) {
        const int top = kRatingBarTops[bar];
        Box(pixels, width, kRatingBarLeft - 1, top - 1, std::min(kBarWidth + 2, width - kRatingBarLeft - 1),
            kBarHeight + 2, 1, kSlot, kSlotRim);
        DrawLabel(pixels, width, height, 8, top + (kBarHeight - glyphs.mHeight) / 2, words[bar], glyphs);
    }
    return pixels;
}

} // namespace

bool IsRatingPicture(const std::string& name) {
    return name == "PROGRESSBARRATINGBACK" || name == "PROGRESSBARRATING";
}

Pixels RatingPicture(const std::string& name, int width, int height, int cols, const GlyphSheet& glyphs) {
    if (name == "PROGRESSBARRATINGBACK")
        return Plate(width, height, glyphs);
    const int sheetWidth = width * cols;
    Pixels pixels(static_cast<size_t>(sheetWidth) * static_cast<size_t>(height));
    for (int cel = 0; cel < cols; ++cel)
        Box(pixels, sheetWidth, cel * width, 0, width, height, 2, kBarFaces[cel % 2], kBarRims[cel % 2]);
    return pixels;
}

} // namespace Kavo::SampleContent
