#include "platform/device3d/device3d_provider.h"

#include "platform/device3d/software_device3d.h"

namespace platform {

ProcessSlot<Device3DProvider>& Device3DProviderSlot() {
    static ProcessSlot<Device3DProvider> slot;
    return slot;
}

HResult CreateDevice3D(std::shared_ptr<Device3D>& out) {
    out.reset();
    if (const std::shared_ptr<Device3DProvider> provider = Device3DProviderSlot().Get())
        return provider->CreateDevice(out);
    out = std::make_shared<SoftwareDevice3D>();
    return D3D_OK;
}

} // namespace platform
