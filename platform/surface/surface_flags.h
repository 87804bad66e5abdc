#pragma once
// The flag words of the surface layer. Their values are the display
// interface's documented numbers, so that descriptions, caps and flags read
// the same in traces and diagnostics as the documentation gives them.

#include <cstdint>

#include "platform/pixel_format.h"

namespace platform {

// ---- Which fields of a SurfaceDesc are valid ----
inline constexpr std::uint32_t kDescCaps = 0x00000001;
inline constexpr std::uint32_t kDescHeight = 0x00000002;
inline constexpr std::uint32_t kDescWidth = 0x00000004;
inline constexpr std::uint32_t kDescPitch = 0x00000008;
inline constexpr std::uint32_t kDescBackBufferCount = 0x00000020;
inline constexpr std::uint32_t kDescRefreshRate = 0x00040000;
inline constexpr std::uint32_t kDescPixelFormat = 0x00001000;
inline constexpr std::uint32_t kDescColorKeySrcBlt = 0x00010000;
inline constexpr std::uint32_t kDescSurfacePointer = 0x00000800;

// ---- Surface capabilities ----
inline constexpr std::uint32_t kCapsBackBuffer = 0x00000004;
inline constexpr std::uint32_t kCapsComplex = 0x00000008;
inline constexpr std::uint32_t kCapsFlip = 0x00000010;
inline constexpr std::uint32_t kCapsFrontBuffer = 0x00000020;
inline constexpr std::uint32_t kCapsOffscreenPlain = 0x00000040;
inline constexpr std::uint32_t kCapsPrimarySurface = 0x00000200;
inline constexpr std::uint32_t kCapsSystemMemory = 0x00000800;
inline constexpr std::uint32_t kCaps3DDevice = 0x00002000;
inline constexpr std::uint32_t kCapsVideoMemory = 0x00004000;
inline constexpr std::uint32_t kCapsTexture = 0x00001000;

// ---- Pixel format flags ----

// ---- Cooperative levels ----
inline constexpr std::uint32_t kCoopFullScreen = 0x00000001;
inline constexpr std::uint32_t kCoopNormal = 0x00000008;
inline constexpr std::uint32_t kCoopExclusive = 0x00000010;

// ---- Lock flags (all advisory here: a lock never has to wait) ----
inline constexpr std::uint32_t kLockWait = 0x00000001;
inline constexpr std::uint32_t kLockReadOnly = 0x00000010;
inline constexpr std::uint32_t kLockWriteOnly = 0x00000020;

// ---- Blit flags ----
inline constexpr std::uint32_t kBltColorFill = 0x00000400;
inline constexpr std::uint32_t kBltDdFx = 0x00000800;
inline constexpr std::uint32_t kBltKeySrc = 0x00008000;
inline constexpr std::uint32_t kBltWait = 0x01000000;
// Blit effect: stretch with arithmetic filtering in y. Accepted and drawn as
// the nearest-pixel stretch every blit uses.
inline constexpr std::uint32_t kBltFxArithStretchY = 0x00000001;

// ---- Flip flags ----
inline constexpr std::uint32_t kFlipWait = 0x00000001;

// ---- Colour key kinds ----
inline constexpr std::uint32_t kColorKeySrcBlt = 0x00000008;

// ---- Vertical blank waits ----
inline constexpr std::uint32_t kWaitVbBlockBegin = 0x00000001;

} // namespace platform
