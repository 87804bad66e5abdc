#pragma once
// The display in 3D on the headless platform, drawing through a chosen 3D
// device (the software one unless a test hands in another), with the
// images' host forwarding texture removal and read-back to the renderer as
// the application does.

#include <functional>
#include <memory>
#include <optional>

#include "framework/graphics/d3d_interface.h"
#include "framework/graphics/image_registry.h"
#include "framework/graphics/memory_image.h"
#include "platform/device3d/device3d_provider.h"
#include "tests/framework/graphics/display_device_fixture.h"

namespace display_test {

// Hands out one chosen device, or fails with a chosen code.
struct FixedDeviceProvider : platform::Device3DProvider {
    std::shared_ptr<platform::Device3D> device;
    platform::HResult failure = platform::D3D_OK;
    platform::HResult CreateDevice(std::shared_ptr<platform::Device3D>& out) override {
        if (platform::Failed(failure))
            return failure;
        out = device;
        return platform::D3D_OK;
    }
};

struct RendererHost : Kavo::ImageHost {
    Kavo::DDInterface* dd = nullptr;
    void RemoveTextures(Kavo::MemoryImage* image) override {
        if (dd != nullptr)
            dd->mD3DInterface->RemoveMemoryImage(image);
    }
    bool ReadBackTexture(Kavo::MemoryImage* image, uint32_t* dest) override {
        return dd != nullptr && dd->mD3DInterface->ReadBackTexture(image, dest);
    }
};

class Renderer3D : public DisplayDevice {
protected:
    std::shared_ptr<FixedDeviceProvider> provider = std::make_shared<FixedDeviceProvider>();
    std::optional<platform::Installed<platform::Device3DProvider>> installedProvider;
    RendererHost host;

    // Installs `device` (the software device when null) for every request.
    void UseDevice(std::shared_ptr<platform::Device3D> device) {
        provider->device = std::move(device);
        installedProvider.emplace(platform::Device3DProviderSlot(), provider);
    }

    // Opens the display windowed with 3D on.
    void Open3D(const platform::PixelFormat& desktop = platform::PixelFormat::Xrgb8888()) {
        environment->settings.desktopFormat = desktop;
        Open();
        dd->mIs3D = true;
        ASSERT_EQ(dd->Init(window, true), Kavo::DDInterface::RESULT_OK) << dd->mErrorString;
        host.dd = dd.get();
        Kavo::ImageRegistrySlot().Get()->AttachHost(host);
    }

    Kavo::D3DInterface& Renderer() { return *dd->mD3DInterface; }

    void TearDown() override {
        if (auto registry = Kavo::ImageRegistrySlot().Get())
            registry->DetachHost();
        DisplayDevice::TearDown();
        installedProvider.reset();
    }
};

// A memory image whose pixel (x, y) is pixel(x, y).
inline std::unique_ptr<Kavo::MemoryImage> MakeImage(int width, int height,
                                                    const std::function<uint32_t(int, int)>& pixel) {
    auto image = std::make_unique<Kavo::MemoryImage>();
    std::vector<uint32_t> bits(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bits[size_t(y) * size_t(width) + size_t(x)] = pixel(x, y);
    image->SetBits(bits.data(), width, height);
    return image;
}

// An opaque pattern with every channel varying.
inline uint32_t Pattern(int x, int y) {
    return 0xFF000000u | uint32_t(x * 7 & 0xFF) << 16 | uint32_t(y * 13 & 0xFF) << 8 | uint32_t((x ^ y) * 5 & 0xFF);
}

} // namespace display_test
