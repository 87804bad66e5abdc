#pragma once
// Frames of any presentable layout (5:6:5, 5:5:5, 24 and 32 bits) turned
// into the 32-bit ARGB pixels the window's texture holds.

#include <cstdint>
#include <vector>

#include "platform/video_driver.h"

namespace platform {

// Fills `out` with width x height opaque ARGB pixels, rows packed; channels
// narrower than 8 bits are widened so that full values stay full. False for
// a frame IsPresentableFrame refuses or a red, green or blue mask that is
// empty or not one run of bits.
bool FrameToArgb(const FrameView& frame, std::vector<std::uint32_t>& out);

// The same into rows of `outPitch` bytes at `out` (a texture being filled).
// A frame already in x8r8g8b8 only gains its opaque alpha, row by row.
bool FrameToArgb(const FrameView& frame, std::uint32_t* out, int outPitch);

// The layout whose rows go to the window as they are, bar the alpha byte.
bool IsXrgb8888(const PixelFormat& format);

} // namespace platform
