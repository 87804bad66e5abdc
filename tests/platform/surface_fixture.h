#pragma once
// A display environment of the surface layer for one test: chosen settings,
// a presenter that records what it was shown, a window to cooperate with,
// and a check that every object made in the test was released.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "platform/surface/clipper.h"
#include "platform/surface/display.h"
#include "platform/surface/surface.h"
#include "platform/window.h"

namespace surface_test {

using namespace platform;

struct RecordingPresenter final : PrimaryPresenter {
    struct Shown {
        PrimaryFrame frame;
        std::uint32_t firstChangedPixel = 0; // the value at changed.left, changed.top
    };
    std::vector<Shown> shown;
    void PresentPrimary(const PrimaryFrame& frame) override {
        Shown record{frame, 0};
        if (frame.changed.right > frame.changed.left && frame.changed.bottom > frame.changed.top) {
            const auto* at = static_cast<const std::uint8_t*>(frame.pixels) + frame.changed.top * frame.pitch +
                             frame.changed.left * frame.format.BytesPerPixel();
            std::memcpy(&record.firstChangedPixel, at, frame.format.BytesPerPixel());
        }
        shown.push_back(record);
    }
};

inline LResult PlainProc(WindowHandle window, MessageId message, WParam wParam, LParam lParam) {
    return DefWindowProc(window, message, wParam, lParam);
}

struct SurfaceLayer : ::testing::Test {
    std::shared_ptr<DisplayEnvironment> environment = std::make_shared<DisplayEnvironment>();
    std::shared_ptr<RecordingPresenter> presenter = std::make_shared<RecordingPresenter>();
    std::optional<Installed<DisplayEnvironment>> installed;
    Display* display = nullptr;
    WindowHandle window = nullptr;

    void SetUp() override {
        ResetWindowSystem();
        ASSERT_TRUE(RegisterWindowClass({"SurfaceTest", 0, PlainProc}));
        window = CreateWindow({"SurfaceTest", "t", kWsPopup | kWsVisible, 0, 100, 50, 320, 240, nullptr});
        ASSERT_NE(window, nullptr);
        environment->settings.desktopWidth = 640;
        environment->settings.desktopHeight = 480;
        environment->settings.extraPitchBytes = 12;
        environment->presenter = presenter;
    }

    // Installs the environment as it stands and makes the display.
    void Open(std::uint32_t cooperation = kCoopNormal) {
        installed.emplace(DisplayEnvironmentSlot(), environment);
        ASSERT_EQ(CreateDisplay(&display), DD_OK);
        ASSERT_EQ(display->SetCooperativeLevel(window, cooperation), DD_OK);
    }

    void TearDown() override {
        if (display) {
            EXPECT_EQ(display->Release(), 0u);
        }
        installed.reset();
        const LiveObjectCounts& live = *environment->live;
        EXPECT_EQ(live.displays.load(), 0);
        EXPECT_EQ(live.surfaces.load(), 0);
        EXPECT_EQ(live.clippers.load(), 0);
        EXPECT_EQ(live.palettes.load(), 0);
        ResetWindowSystem();
    }

    Surface* Offscreen(int width, int height, std::uint32_t caps = kCapsOffscreenPlain | kCapsSystemMemory) {
        SurfaceDesc desc;
        desc.flags = kDescCaps | kDescWidth | kDescHeight;
        desc.width = width;
        desc.height = height;
        desc.caps = caps;
        Surface* surface = nullptr;
        EXPECT_EQ(display->CreateSurface(desc, &surface), DD_OK);
        return surface;
    }

    Surface* Primary() {
        SurfaceDesc desc;
        desc.flags = kDescCaps;
        desc.caps = kCapsPrimarySurface;
        Surface* surface = nullptr;
        EXPECT_EQ(display->CreateSurface(desc, &surface), DD_OK);
        return surface;
    }
};

// Pixel access through the lock, as every user of a surface does it.
inline std::uint32_t Get(Surface* surface, int x, int y) {
    SurfaceDesc desc;
    EXPECT_EQ(surface->Lock(desc, kLockWait | kLockReadOnly), DD_OK);
    std::uint32_t value = 0;
    std::memcpy(&value,
                static_cast<std::uint8_t*>(desc.surface) + y * desc.pitch + x * desc.pixelFormat.BytesPerPixel(),
                desc.pixelFormat.BytesPerPixel());
    EXPECT_EQ(surface->Unlock(), DD_OK);
    return value;
}

// Writes rows of values from (0, 0); the rest of the surface stays.
inline void Fill(Surface* surface, const std::vector<std::vector<std::uint32_t>>& rows) {
    SurfaceDesc desc;
    ASSERT_EQ(surface->Lock(desc, kLockWait | kLockWriteOnly), DD_OK);
    const int bytes = desc.pixelFormat.BytesPerPixel();
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            std::memcpy(static_cast<std::uint8_t*>(desc.surface) + y * desc.pitch + x * bytes, &rows[y][x], bytes);
        }
    }
    ASSERT_EQ(surface->Unlock(), DD_OK);
}

inline std::vector<std::vector<std::uint32_t>> Read(Surface* surface) {
    std::vector<std::vector<std::uint32_t>> rows(surface->Height(), std::vector<std::uint32_t>(surface->Width()));
    for (int y = 0; y < surface->Height(); ++y) {
        for (int x = 0; x < surface->Width(); ++x) {
            rows[y][x] = Get(surface, x, y);
        }
    }
    return rows;
}

} // namespace surface_test
