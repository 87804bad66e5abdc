#include "platform/video_driver.h"

namespace platform {

bool IsPresentableFrame(const FrameView& frame) {
    const int bits = frame.format.bitCount;
    if (!frame.pixels || frame.width <= 0 || frame.height <= 0 || (bits != 16 && bits != 24 && bits != 32))
        return false;
    return frame.pitch > 0 && static_cast<std::int64_t>(frame.pitch) >=
                                  static_cast<std::int64_t>(frame.width) * frame.format.BytesPerPixel();
}

std::size_t FrameSpan(const FrameView& frame) {
    if (!IsPresentableFrame(frame))
        return 0;
    return static_cast<std::size_t>(frame.pitch) * static_cast<std::size_t>(frame.height - 1) +
           static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.format.BytesPerPixel());
}

bool IsValidCursorImage(const CursorImage& image) {
    int width = CursorImage::kMaskSize, height = CursorImage::kMaskSize;
    if (image.argb.empty()) {
        if (image.andMask.size() != CursorImage::kMaskBytes || image.xorMask.size() != CursorImage::kMaskBytes)
            return false;
    } else {
        width = image.width;
        height = image.height;
        if (width <= 0 || height <= 0 || width > 256 || height > 256 ||
            image.argb.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
            return false;
    }
    return image.hotSpot.x >= 0 && image.hotSpot.y >= 0 && image.hotSpot.x < width && image.hotSpot.y < height;
}

} // namespace platform
