#include "framework/app/cursor_masks.h"

#include <cstdint>
#include <string_view>

namespace Kavo {

namespace {

// Draws the masks from a picture: '#' black, 'o' white, anything else
// transparent; rows shorter than 32 are transparent to the right.
platform::CursorImage FromPicture(const std::string_view (&rows)[platform::CursorImage::kMaskSize], int hotX,
                                  int hotY) {
    constexpr int kSize = platform::CursorImage::kMaskSize;
    platform::CursorImage masks;
    masks.andMask.assign(platform::CursorImage::kMaskBytes, 0);
    masks.xorMask.assign(platform::CursorImage::kMaskBytes, 0);
    masks.hotSpot = {hotX, hotY};
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const char c = x < static_cast<int>(rows[y].size()) ? rows[y][x] : ' ';
            const int byte = y * (kSize / 8) + x / 8;
            const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
            if (c == '#')
                continue; // AND 0, XOR 0
            if (c == 'o')
                masks.xorMask[byte] |= bit;
            else
                masks.andMask[byte] |= bit;
        }
    }
    return masks;
}

constexpr std::string_view kHand[32] = {
    "",
    "",
    "",
    "",
    "          ##",
    "         #oo#",
    "         #oo#",
    "         #oo#",
    "         #oo#",
    "         #oo###",
    "         #oo#oo###",
    "         #oo#oo#oo##",
    "      ## #oo#oo#oo#o#",
    "     #oo##oooooooo#oo#",
    "     #ooo#oooooooooooo#",
    "      #oooooooooooooo#",
    "       #ooooooooooooo#",
    "       #oooooooooooo#",
    "        #ooooooooooo#",
    "        #oooooooooo#",
    "         #ooooooooo#",
    "         #ooooooooo#",
    "         ###########",
};

constexpr std::string_view kDragging[32] = {
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "           ## ## ##",
    "          #oo#oo#oo##",
    "          #oo#oo#oo#o#",
    "        ###oooooooo#oo#",
    "       #oo#oooooooooooo#",
    "       #ooooooooooooooo#",
    "        #oooooooooooooo#",
    "         #ooooooooooooo#",
    "         #oooooooooooo#",
    "          #ooooooooooo#",
    "          #oooooooooo#",
    "           #ooooooooo#",
    "           #ooooooooo#",
    "           ###########",
};

} // namespace

const platform::CursorImage& HandCursorImage() {
    static const platform::CursorImage masks = FromPicture(kHand, 11, 4);
    return masks;
}

const platform::CursorImage& DraggingCursorImage() {
    static const platform::CursorImage masks = FromPicture(kDragging, 15, 10);
    return masks;
}

} // namespace Kavo
