#pragma once
// Cursor images made into SDL cursors.

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "platform/video_driver.h"

namespace platform {

// The system's monochrome masks (AND clear and XOR clear: black; AND clear
// and XOR set: white; AND set: transparent, or inverted with XOR set) as
// SDL's data and mask bits, both one bit per pixel, first pixel in the top bit.
void MonochromeToSdlBits(const std::vector<std::uint8_t>& andMask, const std::vector<std::uint8_t>& xorMask,
                         std::vector<std::uint8_t>& data, std::vector<std::uint8_t>& mask);

// Null for an image that IsValidCursorImage refuses or that SDL cannot make.
SDL_Cursor* MakeSdlCursor(const CursorImage& image);

SDL_SystemCursor SdlSystemCursorFor(SystemCursor cursor);

} // namespace platform
