#pragma once
// Limits blits into a surface to what a window shows: the window's client
// area in screen coordinates, which is where that window sits on the
// desktop-sized primary surface.

#include <memory>

#include "platform/geometry.h"
#include "platform/result_codes.h"
#include "platform/surface/ref_counted.h"
#include "platform/window.h"

namespace platform {

class DisplayCore;

class Clipper final : public RefCounted {
public:
    explicit Clipper(std::shared_ptr<DisplayCore> core);

    // Binds the clipper to a window (null unbinds it). flags must be 0.
    HResult SetHWnd(std::uint32_t flags, WindowHandle window);
    HResult GetHWnd(WindowHandle& window) const;
    // The visible region in screen coordinates: DDERR_NOCLIPLIST without a
    // live window.
    HResult GetClipRect(Rect& out) const;

private:
    ~Clipper() override;

    std::shared_ptr<DisplayCore> mCore;
    WindowHandle mWindow = nullptr;
};

} // namespace platform
