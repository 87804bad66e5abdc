#pragma once
// Where the renderer and the capability test get their 3D device from. The
// device stands for the display adapter: it reports the adapter's identity
// and memory and draws into whatever render target it is given. Tests
// install a provider that hands out recording or deliberately faulty
// devices; with nothing installed every request gets a new software device.

#include <memory>

#include "platform/device3d/device3d.h"
#include "platform/process_slot.h"
#include "platform/result_codes.h"

namespace platform {

class Device3DProvider {
public:
    virtual ~Device3DProvider() = default;
    // A device, or a failure code with `out` left empty.
    virtual HResult CreateDevice(std::shared_ptr<Device3D>& out) = 0;
};

ProcessSlot<Device3DProvider>& Device3DProviderSlot();

// The installed provider's device, or a software device when none is installed.
HResult CreateDevice3D(std::shared_ptr<Device3D>& out);

} // namespace platform
