#include "platform/system_info.h"

#include "platform/drivers.h"

namespace platform {

DisplayInfo GetDisplayInfo() {
    return GetDesktopServices()->GetDisplayInfo();
}

Rect GetWorkArea() {
    return GetDisplayInfo().workArea;
}

int GetSystemMetric(int index) {
    const DisplayInfo info = GetDisplayInfo();
    switch (index) {
    case kMetricScreenWidth:
        return info.width;
    case kMetricScreenHeight:
        return info.height;
    case kMetricCaptionHeight:
        return info.captionHeight;
    case kMetricFullScreenWidth:
        return info.workArea.Width();
    case kMetricFullScreenHeight:
        return info.workArea.Height() - info.captionHeight;
    case kMetricFrameWidth:
    case kMetricFrameHeight:
        return info.frameWidth;
    default:
        return 0;
    }
}

} // namespace platform
