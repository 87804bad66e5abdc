#include "framework/graphics/display_3d.h"

namespace Kavo {

platform::ProcessSlot<Display3D>& Display3DSlot() {
    static platform::ProcessSlot<Display3D> slot;
    return slot;
}

bool IsDisplay3D() {
    const auto answer = Display3DSlot().Get();
    return answer != nullptr && answer->IsDisplay3D();
}

bool IsDrawSurface3D(const Image* image) {
    const auto answer = Display3DSlot().Get();
    return answer != nullptr && answer->IsDrawSurface3D(image);
}

} // namespace Kavo
