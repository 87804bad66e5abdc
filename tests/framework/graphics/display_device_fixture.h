#pragma once
// A display device on the headless platform: a surface-layer environment
// chosen per test whose primary is shown through the headless video driver,
// a window, and an owner whose request and presentation policy the test
// sets. Every surface made in a test must be released by its end.

#include <array>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/graphics/dd_image.h"
#include "framework/graphics/dd_interface.h"
#include "platform/surface/display_environment.h"
#include "platform/surface/video_driver_presenter.h"
#include "platform/window.h"
#include "tests/support/headless_environment.h"

namespace display_test {

struct TestOwner final : Kavo::DisplayOwner {
    Kavo::DisplayRequest request;
    Kavo::PresentPolicy policy;
    Kavo::Display3DSettings settings3D;
    std::vector<std::string> runtimeErrors;
    int pacingOffCalls = 0;
    Kavo::DisplayRequest GetDisplayRequest() const override { return request; }
    Kavo::PresentPolicy GetPresentPolicy() const override { return policy; }
    void SetRefreshPacingOff() override { ++pacingOffCalls; }
    Kavo::Display3DSettings Get3DSettings() const override { return settings3D; }
    void Write3DRuntimeError(const std::string& text) override { runtimeErrors.push_back(text); }
};

inline platform::LResult PlainProc(platform::WindowHandle window, platform::MessageId message, platform::WParam wParam,
                                   platform::LParam lParam) {
    return platform::DefWindowProc(window, message, wParam, lParam);
}

class DisplayDevice : public Kavo::HeadlessEnvironment {
protected:
    static constexpr int kWindowX = 30;
    static constexpr int kWindowY = 40;

    std::shared_ptr<platform::DisplayEnvironment> environment = std::make_shared<platform::DisplayEnvironment>();
    std::optional<platform::Installed<platform::DisplayEnvironment>> installed;
    TestOwner owner;
    platform::CriticalSection lock;
    std::unique_ptr<Kavo::DDInterface> dd;
    platform::WindowHandle window = nullptr;

    void SetUp() override {
        ASSERT_TRUE(platform::RegisterWindowClass({"DisplayTest", 0, PlainProc}));
        window = platform::CreateWindow(
            {"DisplayTest", "t", platform::kWsPopup | platform::kWsVisible, 0, kWindowX, kWindowY, 320, 240, nullptr});
        ASSERT_NE(window, nullptr);
        environment->settings.desktopWidth = 1280;
        environment->settings.desktopHeight = 1024;
        environment->settings.extraPitchBytes = 12;
        environment->presenter = std::make_shared<platform::VideoDriverPresenter>();
        owner.request.mWidth = 320;
        owner.request.mHeight = 240;
        owner.request.mColorDepth = 16;
    }

    // Installs the environment as it stands and makes the device.
    void Open() {
        installed.emplace(platform::DisplayEnvironmentSlot(), environment);
        dd = std::make_unique<Kavo::DDInterface>(&owner, lock);
    }

    int32_t OpenAndInit(bool windowed) {
        Open();
        return dd->Init(window, windowed);
    }

    void TearDown() override {
        dd.reset();
        installed.reset();
        EXPECT_EQ(environment->live->surfaces.load(), 0);
        EXPECT_EQ(environment->live->displays.load(), 0);
        EXPECT_EQ(environment->live->clippers.load(), 0);
    }

    platform::FaultTable& Faults() { return *environment->faults; }
    int LiveSurfaces() const { return environment->live->surfaces.load(); }
};

// Reads one pixel of a surface through its lock.
inline std::uint32_t PixelOf(platform::Surface* surface, int x, int y) {
    platform::SurfaceDesc desc;
    EXPECT_EQ(surface->Lock(desc, platform::kLockWait | platform::kLockReadOnly), platform::DD_OK);
    std::uint32_t value = 0;
    std::memcpy(&value,
                static_cast<std::uint8_t*>(desc.surface) + y * desc.pitch + x * desc.pixelFormat.BytesPerPixel(),
                desc.pixelFormat.BytesPerPixel());
    EXPECT_EQ(surface->Unlock(), platform::DD_OK);
    return value;
}

// Writes value(x, y) into every pixel of a surface.
template <typename Value>
void Paint(platform::Surface* surface, Value value) {
    platform::SurfaceDesc desc;
    ASSERT_EQ(surface->Lock(desc, platform::kLockWait | platform::kLockWriteOnly), platform::DD_OK);
    const int bytes = desc.pixelFormat.BytesPerPixel();
    for (int y = 0; y < desc.height; ++y) {
        for (int x = 0; x < desc.width; ++x) {
            const std::uint32_t v = value(x, y);
            std::memcpy(static_cast<std::uint8_t*>(desc.surface) + y * desc.pitch + x * bytes, &v, bytes);
        }
    }
    ASSERT_EQ(surface->Unlock(), platform::DD_OK);
}

} // namespace display_test
