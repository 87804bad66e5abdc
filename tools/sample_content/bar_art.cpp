#include "tools/sample_content/bar_art.h"

#include <algorithm>

namespace Kavo::SampleContent {

namespace {

struct BarLook {
    const char* mName;
    uint32_t mFace;
    uint32_t mRim;
};

// The trough, then the drink, food and stuff bars.
constexpr BarLook kLooks[] = {{"PROGRESSBARBACK", 0xFF1A2028, 0xFFB0B8C0},
                              {"PROGRESSBARDRINK", 0xFF40A8F0, 0xFF1C5C90},
                              {"PROGRESSBARFOOD", 0xFFF0A030, 0xFF905810},
                              {"PROGRESSBARSTUFF", 0xFF60D060, 0xFF287828}};

const BarLook* LookOf(const std::string& name) {
    for (const BarLook& look : kLooks)
        if (name == look.mName)
            return &look;
    return nullptr;
}

} // namespace

bool IsBarPicture(const std::string& name) {
    return LookOf(name) != nullptr;
}

Pixels BarPicture(const std::string& name, int width, int height) {
    const BarLook* look = LookOf(name);
    Pixels pixels(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    if (look == nullptr)
        return pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool rim = std::min({x, y, width - 1 - x, height - 1 - y}) < 2;
            pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
                rim ? look->mRim : look->mFace;
        }
    return pixels;
}

} // namespace Kavo::SampleContent
