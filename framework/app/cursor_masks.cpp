#include "framework/app/cursor_masks.h"

#include <string_view>

namespace Kavo {

namespace {

// Draws the masks from a picture: '#' black, 'o' white, anything else
// transparent; rows shorter than 32 are transparent to the right.
MonoCursorMasks FromPicture(const std::string_view (&rows)[32], int32_t hotX, int32_t hotY) {
    MonoCursorMasks masks{};
    masks.hotX = hotX;
    masks.hotY = hotY;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const char c = x < static_cast<int>(rows[y].size()) ? rows[y][x] : ' ';
            const int byte = y * 4 + x / 8;
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

const MonoCursorMasks& HandCursorMasks() {
    static const MonoCursorMasks masks = FromPicture(kHand, 11, 4);
    return masks;
}

const MonoCursorMasks& DraggingCursorMasks() {
    static const MonoCursorMasks masks = FromPicture(kDragging, 15, 10);
    return masks;
}

} // namespace Kavo
