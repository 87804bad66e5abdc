#include "tools/sample_content/bonus_slots.h"

#include "tools/image_encoders/image_encoders.h"

namespace Kavo::SampleContent {

namespace {

// The board's row of bonus buttons: button i stands at the "Bonuses" point
// + (i x 94 - w / 2 + 28, -h / 2 + 11), its face w x h = 80 x 100.
constexpr int kBonusCount = 8;
constexpr int kBonusPitch = 94;
constexpr int kBonusWidth = 80;
constexpr int kBonusHeight = 100;
// A dark well with a light rim round it.
constexpr int kSlotRim = 3;
constexpr uint32_t kSlotInside = 0xFF2A3440;
constexpr uint32_t kSlotRimColour = 0xFFA8B8C8;

} // namespace

void DrawBonusSlots(Pixels& pixels, int width, int height, int left, int top) {
    for (int i = 0; i < kBonusCount; ++i) {
        const int x0 = kBonusRowX + i * kBonusPitch - kBonusWidth / 2 + 28 - left;
        const int y0 = kBonusRowY - kBonusHeight / 2 + 11 - top;
        for (int y = y0 - kSlotRim; y < y0 + kBonusHeight + kSlotRim; ++y)
            for (int x = x0 - kSlotRim; x < x0 + kBonusWidth + kSlotRim; ++x) {
                if (x < 0 || y < 0 || x >= width || y >= height)
                    continue;
                const bool inside = x >= x0 && y >= y0 && x < x0 + kBonusWidth && y < y0 + kBonusHeight;
                pixels[size_t(y) * size_t(width) + size_t(x)] = inside ? kSlotInside : kSlotRimColour;
            }
    }
}

std::vector<uint8_t> BoardBackground(const Placeholder& art, const GlyphSheet* glyphs) {
    Pixels pixels = DrawPlaceholder(art, glyphs);
    DrawBonusSlots(pixels, art.mCelWidth, art.mCelHeight, 0, 0);
    return ImageEncoders::EncodePngArgb(art.mCelWidth, art.mCelHeight, pixels);
}

} // namespace Kavo::SampleContent
