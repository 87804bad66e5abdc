// The software 3D device renders straight into a locked surface of the
// surface layer, in the surface's own format and pitch.

#include <gtest/gtest.h>

#include <cstring>

#include "platform/device3d/render_target_view.h"
#include "platform/device3d/software_device3d.h"
#include "surface_fixture.h"

namespace surface_test {
namespace {

using RenderIntoSurface = SurfaceLayer;

TEST_F(RenderIntoSurface, ClearFillsTheLockedSurfaceInItsFormat) {
    for (const PixelFormat& format : {PixelFormat::Rgb565(), PixelFormat::Xrgb8888()}) {
        SCOPED_TRACE(format.bitCount);
        environment->settings.desktopFormat = format;
        Open();
        Surface* surface = Offscreen(6, 4);
        ASSERT_NE(surface, nullptr);

        SurfaceDesc locked;
        ASSERT_EQ(surface->Lock(locked, 0), DD_OK);
        ASSERT_GT(locked.pitch, locked.width * format.BytesPerPixel()); // rows are padded here
        std::memset(locked.surface, 0, static_cast<std::size_t>(locked.pitch) * locked.height);
        SoftwareDevice3D device;
        ASSERT_EQ(device.SetRenderTarget(ViewOfLockedSurface(locked)), D3D_OK);
        ASSERT_EQ(device.BeginScene(), D3D_OK);
        const ClearRect rect{1, 1, 3, 3};
        ASSERT_EQ(device.Clear(1, &rect, kClearTarget, 0xFFFF0000, 1.0f, 0), D3D_OK);
        ASSERT_EQ(device.EndScene(), D3D_OK);

        auto pixel = [&](int x, int y) -> std::uint32_t {
            const auto* row = static_cast<const std::uint8_t*>(locked.surface) + y * locked.pitch;
            if (format.bitCount == 16) {
                std::uint16_t value;
                std::memcpy(&value, row + x * 2, 2);
                return value;
            }
            std::uint32_t value;
            std::memcpy(&value, row + x * 4, 4);
            return value & 0xFFFFFF;
        };
        EXPECT_EQ(pixel(1, 1), format.redMask);
        EXPECT_EQ(pixel(2, 2), format.redMask);
        EXPECT_EQ(pixel(0, 0), 0u);
        EXPECT_EQ(pixel(3, 3), 0u);
        ASSERT_EQ(surface->Unlock(), DD_OK);
        EXPECT_EQ(surface->Release(), 0u);
        EXPECT_EQ(display->Release(), 0u);
        display = nullptr;
        installed.reset();
    }
}

} // namespace
} // namespace surface_test
