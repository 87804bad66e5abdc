#include <gtest/gtest.h>

#include <vector>

#include "framework/graphics/d3d8_probe.h"
#include "framework/graphics/memory_image.h"
#include "framework/graphics/surface_readback.h"

namespace Kavo {
namespace {

TEST(SurfaceReadback, SixteenBitPixelsWidenToOpaqueArgb) {
    // Two rows of 2 pixels with a pitch of 3 pixels (the third is padding).
    const uint16_t pixels[6] = {0xF800, 0x07E0, 0xDEAD, 0x001F, 0xFFFF, 0xBEEF};
    LockedSurface surface{pixels, 6, 2, 2, 0xF800, 0x07E0, 0x001F};
    MemoryImage image;
    image.Create(2, 2);
    ReadSurface16(image, surface);
    const uint32_t* bits = image.GetBits();
    EXPECT_EQ(bits[0], 0xFFF80000u);
    EXPECT_EQ(bits[1], 0xFF00FC00u);
    EXPECT_EQ(bits[2], 0xFF0000F8u);
    EXPECT_EQ(bits[3], 0xFFF8FCF8u);
}

TEST(SurfaceReadback, ThirtyTwoBitMasksIncludingTheTopBit) {
    const uint32_t rgb[2] = {0x00123456, 0xAB000000};
    std::vector<uint32_t> dest(2);
    ReadSurfacePixels(dest.data(), 2, 1, LockedSurface{rgb, 8, 2, 1, 0xFF0000, 0xFF00, 0xFF}, 4);
    EXPECT_EQ(dest, (std::vector<uint32_t>{0xFF123456, 0xFF000000}));
    // Red in the top byte: shifted right without dragging the sign along.
    ReadSurfacePixels(dest.data(), 2, 1, LockedSurface{rgb, 8, 2, 1, 0xFF000000, 0xFF00, 0xFF}, 4);
    EXPECT_EQ(dest, (std::vector<uint32_t>{0xFF003456, 0xFFAB0000}));
}

TEST(Direct3D8Probe, ThereIsNoneAndOutputsStayUntouched) {
    AdapterGuid guid{};
    guid[0] = 7;
    std::string driver = "keep", description = "me";
    EXPECT_FALSE(ProbeDirect3D8(guid, driver, description));
    EXPECT_EQ(guid[0], 7);
    EXPECT_EQ(driver, "keep");
    EXPECT_EQ(description, "me");
    EXPECT_FALSE(ReleaseDirect3D8Probe());
}

} // namespace
} // namespace Kavo
