#include "platform/device3d/render_target_view.h"

namespace platform {

TargetFormat ClassifyTarget(const RenderTargetView& view) {
    if (view.bitCount == 16 && view.redMask == 0xF800 && view.greenMask == 0x07E0 && view.blueMask == 0x001F) {
        return TargetFormat::Rgb565;
    }
    if (view.bitCount == 16 && view.redMask == 0x7C00 && view.greenMask == 0x03E0 && view.blueMask == 0x001F) {
        return TargetFormat::Rgb555;
    }
    if (view.bitCount == 32 && view.redMask == 0xFF0000 && view.greenMask == 0xFF00 && view.blueMask == 0xFF) {
        return TargetFormat::Xrgb8888;
    }
    return TargetFormat::Unsupported;
}

int TargetBytesPerPixel(TargetFormat format) {
    switch (format) {
    case TargetFormat::Rgb565:
    case TargetFormat::Rgb555:
        return 2;
    case TargetFormat::Xrgb8888:
        return 4;
    case TargetFormat::Unsupported:
        break;
    }
    return 0;
}

RenderTargetView ViewOfLockedSurface(const SurfaceDesc& locked) {
    RenderTargetView view;
    view.bits = locked.surface;
    view.pitch = locked.pitch;
    view.width = locked.width;
    view.height = locked.height;
    view.bitCount = static_cast<int>(locked.pixelFormat.bitCount);
    view.redMask = locked.pixelFormat.redMask;
    view.greenMask = locked.pixelFormat.greenMask;
    view.blueMask = locked.pixelFormat.blueMask;
    return view;
}

} // namespace platform
