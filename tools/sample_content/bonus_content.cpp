#include "tools/sample_content/bonus_content.h"

#include "tools/image_encoders/image_encoders.h"
#include "tools/sample_content/content_files.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace Kavo::SampleContent {

namespace {

using Pixels = std::vector<uint32_t>;

uint32_t Argb(double a, int r, int g, int b) {
    const auto alpha = static_cast<uint32_t>(std::clamp(static_cast<int>(std::lround(a * 255)), 0, 255));
    return (alpha << 24) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b);
}

// A soft ring per cel, its radius growing from cel to cel: the charged blink.
Pixels BlinkStrip(int cel, int count) {
    Pixels px(size_t(cel) * count * cel, 0);
    for (int i = 0; i < count; ++i) {
        const double radius = cel * (0.2 + 0.25 * i / std::max(1, count - 1));
        for (int y = 0; y < cel; ++y)
            for (int x = 0; x < cel; ++x) {
                const double d = std::hypot(x + 0.5 - cel / 2.0, y + 0.5 - cel / 2.0) - radius;
                const double a = std::max(0.0, 1.0 - std::abs(d) / 4.0) * (1.0 - 0.6 * i / count);
                px[size_t(y) * cel * count + size_t(i) * cel + x] = Argb(a, 255, 240, 160);
            }
    }
    return px;
}

// CR LF, as the game's data files are written.
constexpr const char* kBlinkAnim = "[Main]\r\n"
                                   "Sprite=BonusBlink\r\n"
                                   "Frames=0,1,2,3\r\n"
                                   "FrameDelay=6\r\n"
                                   "NeverEnding=1\r\n"
                                   "DrawAdditive=1\r\n"
                                   "\r\n"
                                   "[BonusBlink]\r\n"
                                   "ImageFile=images/bonusblink\r\n"
                                   "Rects=0,0,96,96\r\n"
                                   "ColCount=4\r\n"
                                   "RowCount=1\r\n";

} // namespace

bool WriteBonusContent(const std::string& root) {
    return WriteContentFile(root + "/data/bonusblink.anim", std::string(kBlinkAnim)) &&
           WriteContentFile(root + "/images/bonusblink.png",
                            ImageEncoders::EncodePngArgb(96 * 4, 96, BlinkStrip(96, 4)));
}

} // namespace Kavo::SampleContent
