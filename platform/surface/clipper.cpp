#include "platform/surface/clipper.h"

#include "platform/surface/display_core.h"

namespace platform {

Clipper::Clipper(std::shared_ptr<DisplayCore> core) : mCore(std::move(core)) {
    ++mCore->Live().clippers;
}

Clipper::~Clipper() {
    --mCore->Live().clippers;
}

HResult Clipper::SetHWnd(std::uint32_t flags, WindowHandle window) {
    if (const HResult injected = mCore->Check(DisplayOperation::SetClipperWindow); Failed(injected)) {
        return injected;
    }
    if (flags != 0 || (window && !IsWindow(window))) {
        return DDERR_INVALIDPARAMS;
    }
    mWindow = window;
    return DD_OK;
}

HResult Clipper::GetHWnd(WindowHandle& window) const {
    window = mWindow;
    return DD_OK;
}

HResult Clipper::GetClipRect(Rect& out) const {
    if (!mWindow || !IsWindow(mWindow)) {
        return DDERR_NOCLIPLIST;
    }
    const Rect client = GetClientRect(mWindow);
    const Point origin = ClientToScreen(mWindow, {0, 0});
    out = {origin.x, origin.y, origin.x + client.Width(), origin.y + client.Height()};
    return DD_OK;
}

} // namespace platform
