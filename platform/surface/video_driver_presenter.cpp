#include "platform/surface/video_driver_presenter.h"

#include "platform/drivers.h"
#include "platform/video_driver.h"

namespace platform {

void VideoDriverPresenter::PresentPrimary(const PrimaryFrame& frame) {
    const Rect& area = frame.windowArea;
    if (!frame.window || !frame.pixels || area.Width() <= 0 || area.Height() <= 0 || area.left < 0 || area.top < 0 ||
        area.right > frame.width || area.bottom > frame.height) {
        return;
    }
    FrameView view;
    view.pixels = static_cast<const std::uint8_t*>(frame.pixels) + std::size_t(area.top) * std::size_t(frame.pitch) +
                  std::size_t(area.left) * std::size_t(frame.format.BytesPerPixel());
    view.pitch = frame.pitch;
    view.width = area.Width();
    view.height = area.Height();
    view.format = frame.format;
    GetVideoDriver()->Present(frame.window, view, Rect{0, 0, area.Width(), area.Height()});
}

} // namespace platform
