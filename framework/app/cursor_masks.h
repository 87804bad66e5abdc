#pragma once

#include <cstdint>

namespace Kavo {

// 32 x 32 monochrome cursor masks, rows of 4 bytes, leftmost pixel in the
// most significant bit. A pixel is transparent where the AND mask is 1 and
// the XOR mask 0, black where both are 0 and white where AND is 0 and XOR 1.
struct MonoCursorMasks {
    uint8_t andMask[128];
    uint8_t xorMask[128];
    int32_t hotX;
    int32_t hotY;
};

// A pointing hand, hot spot on the tip of the finger (11, 4).
const MonoCursorMasks& HandCursorMasks();
// A closed, gripping hand, hot spot in its palm (15, 10).
const MonoCursorMasks& DraggingCursorMasks();

} // namespace Kavo
