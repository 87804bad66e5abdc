#pragma once

#include "platform/video_driver.h"

namespace Kavo {

// The application's two cursors as 32 x 32 monochrome masks (rows of 4
// bytes, leftmost pixel in the most significant bit). A pixel is
// transparent where the AND mask is 1 and the XOR mask 0, black where both
// are 0 and white where AND is 0 and XOR 1.

// A pointing hand, hot spot on the tip of the finger (11, 4).
const platform::CursorImage& HandCursorImage();
// A closed, gripping hand, hot spot in its palm (15, 10).
const platform::CursorImage& DraggingCursorImage();

} // namespace Kavo
