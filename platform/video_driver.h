#pragma once
// What the program needs from the screen: top-level windows mirrored on the
// desktop, frames presented into them, full screen and display modes,
// vertical blank and scan line, the mouse cursor, and the desktop's events.
//
// The window layer (platform/window.h) keeps the state of every window and
// tells the driver what changed, never while it holds its own lock, so a
// driver may call back into the window layer. Changes that start on the
// desktop come back through platform/desktop_events.h, which does not echo
// them to the driver.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/display_mode.h"
#include "platform/geometry.h"
#include "platform/pixel_format.h"

namespace platform {

struct WindowObject;
using WindowHandle = WindowObject*;

// A pixel layout by bit count and channel masks (e.g. 16 bits with
// 0xF800/0x07E0/0x001F for 5:6:5; 32 bits with 0x00FF0000/0x0000FF00/
// 0x000000FF and no alpha for x8r8g8b8). Pixels are little-endian.

// A frame to present: rows of `pitch` bytes, top row first.
struct FrameView {
    const void* pixels = nullptr;
    int pitch = 0;
    int width = 0;
    int height = 0;
    PixelFormat format;
};
// A frame the driver can read: pixels present, a size above zero, 16, 24 or
// 32 bits per pixel, and rows at least as long as the width needs.
bool IsPresentableFrame(const FrameView& frame);
// Bytes a frame spans, from its first byte to the end of its last row's pixels.
std::size_t FrameSpan(const FrameView& frame);

enum class WindowShowState { Hidden, Normal, Minimized, Maximized };

// What the driver needs to show a new top-level window.
struct WindowMirror {
    std::string title; // program text
    Rect client;       // client area in screen coordinates
    std::uint32_t style = 0;
    WindowShowState show = WindowShowState::Hidden;
};

enum class SystemCursor { Arrow, Hand, IBeam, No, SizeAll, SizeNwse, SizeNesw, SizeWe, SizeNs, Wait };

// A cursor image: either 32x32 monochrome AND and XOR masks (one bit per
// pixel, 4 bytes a row, 128 bytes each) or width x height ARGB pixels.
struct CursorImage {
    static constexpr int kMaskSize = 32;
    static constexpr std::size_t kMaskBytes = kMaskSize * kMaskSize / 8;
    std::vector<std::uint8_t> andMask;
    std::vector<std::uint8_t> xorMask;
    std::vector<std::uint32_t> argb;
    int width = 0; // of the ARGB pixels
    int height = 0;
    Point hotSpot;
};
// Masks of the right size, or ARGB pixels matching a size above zero, with
// the hot spot inside.
bool IsValidCursorImage(const CursorImage& image);
using CursorId = int; // 0 is no cursor

class VideoDriver {
public:
    virtual ~VideoDriver() = default;
    virtual const char* Name() const = 0;

    // Whether there is a display to show windows on at all; a program that
    // needs one refuses to start without it.
    virtual bool HasDisplay() const = 0;

    // Turns pending desktop events into calls of platform/desktop_events.h
    // and posted input. Called only on the thread that owns the main window.
    virtual void PumpEvents() = 0;

    // ---- Top-level windows ----
    virtual void CreateWindow(WindowHandle window, const WindowMirror& mirror) = 0;
    virtual void DestroyWindow(WindowHandle window) = 0;
    virtual void ShowWindow(WindowHandle window, WindowShowState show) = 0;
    virtual void MoveWindow(WindowHandle window, Point clientOrigin) = 0;
    virtual void ResizeWindow(WindowHandle window, int clientWidth, int clientHeight) = 0;
    virtual void SetWindowTitle(WindowHandle window, std::string_view title) = 0;

    // Shows the frame scaled into `destination` (client coordinates) with
    // the rest of the client area black. False for a frame it cannot read.
    virtual bool Present(WindowHandle window, const FrameView& frame, const Rect& destination) = 0;
    // What the window shows as opaque ARGB pixels, rows packed (screenshots);
    // false before its first frame.
    virtual bool ReadWindowPixels(WindowHandle window, int& width, int& height, std::vector<std::uint32_t>& argb) = 0;

    // ---- Screen ----
    virtual bool SetFullScreen(WindowHandle window, bool fullScreen) = 0;
    virtual std::vector<DisplayMode> ListDisplayModes() = 0;
    // The mode the display shows now: the desktop's own until SetDisplayMode
    // changes it.
    virtual DisplayMode GetDesktopMode() = 0;
    // False when the display refuses the mode.
    virtual bool SetDisplayMode(const DisplayMode& mode) = 0;
    virtual void RestoreDesktopMode() = 0;
    // Blocks until the next vertical blank; false when the driver cannot tell.
    virtual bool WaitForVerticalBlank() = 0;
    // The line being scanned out, or nothing when the driver cannot tell.
    virtual std::optional<int> GetScanLine() = 0;

    // ---- Cursor ----
    virtual bool SetSystemCursor(SystemCursor cursor) = 0;
    // 0 when the image is not valid.
    virtual CursorId CreateCursor(const CursorImage& image) = 0;
    virtual bool SetCustomCursor(CursorId cursor) = 0;
    virtual void DestroyCursor(CursorId cursor) = 0;
    virtual void ShowCursor(bool show) = 0;
    virtual void SetCursorPosition(WindowHandle window, Point client) = 0;

    // ---- Text entry ----
    // Where the text being typed stands (client coordinates), so that the
    // desktop's input method opens its window beside it; nothing when no
    // field takes text.
    virtual void SetTextInputRect(WindowHandle window, std::optional<Rect> caret) = 0;
};

} // namespace platform
