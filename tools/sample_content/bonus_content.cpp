#include "tools/sample_content/bonus_content.h"

#include "platform/file_system.h"
#include "tools/image_encoders/image_encoders.h"

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

// A thin glowing line whose bright spot moves along it from cel to cel: the
// charge line under the button.
Pixels ChargeLineStrip(int width, int height, int count) {
    Pixels px(size_t(width) * count * height, 0);
    for (int i = 0; i < count; ++i)
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const double across = 1.0 - std::abs(y + 0.5 - height / 2.0) / (height / 2.0);
                const double spot = 0.5 + 0.5 * std::exp(-std::pow((x - width * (i + 0.5) / count) / 8.0, 2));
                px[size_t(y) * width * count + size_t(i) * width + x] = Argb(across * spot, 120, 230, 255);
            }
    return px;
}

// A round dial face with a darker rim.
Pixels Dial(int size) {
    Pixels px(size_t(size) * size, 0);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double r = std::hypot(x + 0.5 - size / 2.0, y + 0.5 - size / 2.0);
            const double edge = std::clamp(size / 2.0 - r, 0.0, 1.0);
            const bool rim = r > size / 2.0 - 5;
            px[size_t(y) * size + x] = rim ? Argb(edge, 110, 70, 30) : Argb(edge, 245, 235, 210);
        }
    return px;
}

// A needle pointing right from its pivot at the left end, middle row.
Pixels Arrow(int width, int height) {
    Pixels px(size_t(width) * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double half = 3.0 * (1.0 - double(x) / width);
            if (std::abs(y + 0.5 - height / 2.0) <= half)
                px[size_t(y) * width + x] = Argb(1.0, 180, 30, 30);
        }
    return px;
}

// A diagonal shine fading to both sides: the glint over a bar.
Pixels Glint(int width, int height) {
    Pixels px(size_t(width) * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double d = std::abs((x - width / 2.0) + (y - height / 2.0) * 0.5) / (width / 4.0);
            px[size_t(y) * width + x] = Argb(std::max(0.0, 1.0 - d) * 0.8, 255, 255, 255);
        }
    return px;
}

bool WritePng(const std::string& path, int width, int height, const Pixels& pixels) {
    const ImageEncoders::Bytes bytes = ImageEncoders::EncodePngArgb(width, height, pixels);
    return platform::WriteWholeFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
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
    const std::string images = root + "/images";
    return platform::MakeDirectories(images) && platform::MakeDirectories(root + "/data") &&
           platform::WriteWholeFile(root + "/data/bonusblink.anim", kBlinkAnim) &&
           WritePng(images + "/bonusblink.png", 96 * 4, 96, BlinkStrip(96, 4)) &&
           WritePng(images + "/bonusline.png", 80 * 8, 6, ChargeLineStrip(80, 6, 8)) &&
           WritePng(images + "/timer.png", 90, 90, Dial(90)) &&
           WritePng(images + "/timer_arrow.png", 40, 36, Arrow(40, 36)) &&
           WritePng(images + "/timer_circle.png", 30, 30, Dial(30)) &&
           WritePng(images + "/rating_blick.png", 64, 40, Glint(64, 40));
}

} // namespace Kavo::SampleContent
