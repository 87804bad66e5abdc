#include "tools/sample_content/tile_art.h"

#include <algorithm>

namespace Kavo::SampleContent {

namespace {

struct TileLook {
    uint32_t mFace;
    // Raised tiles are lit from the top left; a cleared cell is sunken,
    // lit from the bottom right.
    uint32_t mLight;
    uint32_t mShade;
    int mBevel;
    // A double tile shows a second, smaller tile raised on the first.
    bool mSecondLayer;
};

// A cleared cell: the slate of the empty board, a little darker than the
// screen around it. A single tile: bright sand. A double tile: deep amber.
constexpr TileLook kCleared{0xFF2C3844, 0xFF3E4C5A, 0xFF1C242C, 2, false};
constexpr TileLook kSingle{0xFFE6C777, 0xFFFFF0C0, 0xFF9C7A2C, 4, false};
constexpr TileLook kDouble{0xFFC8702C, 0xFFF4B070, 0xFF6E3410, 4, true};

uint32_t Lighter(uint32_t argb, int amount) {
    uint32_t out = argb & 0xFF000000;
    for (int shift = 0; shift < 24; shift += 8) {
        const int channel = std::min(255, static_cast<int>((argb >> shift) & 0xFF) + amount);
        out |= static_cast<uint32_t>(channel) << shift;
    }
    return out;
}

// The square (x0, y0)-(x1, y1) exclusive, with a bevel of `bevel` pixels:
// top and left edges in `light`, bottom and right in `shade`.
void Square(Pixels& pixels, int width, int x0, int y0, int x1, int y1, uint32_t face, uint32_t light, uint32_t shade,
            int bevel) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const int fromLeft = x - x0, fromTop = y - y0, fromRight = x1 - 1 - x, fromBottom = y1 - 1 - y;
            uint32_t colour = face;
            if (std::min(fromLeft, fromTop) < bevel && std::min(fromLeft, fromTop) <= std::min(fromRight, fromBottom))
                colour = light;
            else if (std::min(fromRight, fromBottom) < bevel)
                colour = shade;
            pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = colour;
        }
}

const TileLook& LookOf(const std::string& name) {
    return name == "DEEP2" ? kDouble : name == "DEEP1" ? kSingle : kCleared;
}

} // namespace

bool IsTilePicture(const std::string& name) {
    return name == "DEEP0" || name == "DEEP1" || name == "DEEP2";
}

Pixels TilePicture(const std::string& name, int celWidth, int celHeight, int cols, int rows) {
    const int width = celWidth * cols;
    Pixels pixels(static_cast<size_t>(width) * static_cast<size_t>(celHeight * rows), 0);
    const TileLook& look = LookOf(name);
    const bool sunken = &look == &kCleared;
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < cols; ++col) {
            const int lift = (row + col) % 2 == 0 ? 0 : 10;
            const int x0 = col * celWidth, y0 = row * celHeight;
            // Sunken: the light falls on the far edges.
            const uint32_t topLeft = sunken ? look.mShade : Lighter(look.mLight, lift);
            const uint32_t bottomRight = sunken ? look.mLight : look.mShade;
            Square(pixels, width, x0, y0, x0 + celWidth, y0 + celHeight, Lighter(look.mFace, lift), topLeft,
                   bottomRight, look.mBevel);
            if (look.mSecondLayer) {
                const int inset = celWidth / 5;
                Square(pixels, width, x0 + inset, y0 + inset, x0 + celWidth - inset, y0 + celHeight - inset,
                       Lighter(look.mFace, lift + 12), Lighter(look.mLight, lift), look.mShade, 3);
            }
        }
    return pixels;
}

} // namespace Kavo::SampleContent
