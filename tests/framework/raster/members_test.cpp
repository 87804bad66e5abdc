#include <gtest/gtest.h>

#include "framework/raster/tri_members.h"
#include "framework/raster/tri_pixel.h"
#include "tests/framework/raster/raster_support.h"

namespace Kavo {
namespace {

using RasterTest::Fixed;

constexpr uint32_t R565(uint32_t r, uint32_t g, uint32_t b) {
    return r << 11 | g << 5 | b;
}
constexpr uint32_t R555(uint32_t r, uint32_t g, uint32_t b) {
    return r << 10 | g << 5 | b;
}

// Where the one drawn pixel samples a uniform 3 x 3 texture.
enum Sample {
    kNearest, // texel (1, 1)
    kCentre,  // linear, both fractions 1
    kHalfway, // linear, both fractions 0x8001
    kOutside, // beyond the last texel
};

constexpr TriTintColor kNoTint{255, 255, 255, 255};

struct PixelCase {
    const char* name;
    TriRasterFunc member;
    bool sixteen;
    uint32_t dst;
    uint32_t texel;
    Sample sample;
    TriTintColor tint;
    uint32_t color; // vertex colour
    uint32_t expected;
};

// Draws the triangle (0,0), (1,0), (0,1), which covers pixel (0, 0) only, onto
// a destination of exactly one pixel.
uint32_t DrawOnePixel(const PixelCase& k) {
    const std::vector<uint32_t> texels(9, k.texel);
    const TriRasterParams params{texels.data(), 3, 9};
    const int32_t uv = k.sample == kNearest   ? 1 << 16
                       : k.sample == kCentre  ? (1 << 16) + 0x8000
                       : k.sample == kHalfway ? 2 << 16
                                              : 5 << 16;
    const TriFixedVertex corners[3] = {Fixed(0, 0, k.color, uv, uv), Fixed(1, 0, k.color, uv, uv),
                                       Fixed(0, 1, k.color, uv, uv)};
    if (k.sixteen) {
        std::vector<uint16_t> pixel(1, static_cast<uint16_t>(k.dst));
        k.member(corners, pixel.data(), 2, &params, &k.tint);
        return pixel[0];
    }
    std::vector<uint32_t> pixel(1, k.dst);
    k.member(corners, pixel.data(), 4, &params, &k.tint);
    return pixel[0];
}

void RunCases(const std::vector<PixelCase>& cases) {
    for (const PixelCase& k : cases)
        EXPECT_EQ(DrawOnePixel(k), k.expected) << k.name << std::hex << " got 0x" << DrawOnePixel(k);
}

TEST(TriMembers, Gouraud) {
    const TriTintColor half{128, 255, 255, 255};
    RunCases({
        {"alpha 100 over transparent", TriRasterARGB8888Gouraud, false, 0, 0, kNearest, kNoTint, 0x640000C8,
         0x630000C7},
        {"alpha 128 over opaque", TriRasterARGB8888Gouraud, false, 0xFF646464, 0, kNearest, kNoTint, 0x80C86432,
         0xFF95634A},
        {"opaque replaces", TriRasterARGB8888Gouraud, false, 0x12345678, 0, kNearest, kNoTint, 0xFF102030, 0xFF102030},
        {"alpha 8 is skipped", TriRasterRGB888Gouraud, false, 0x00123456, 0, kNearest, kNoTint, 0x08FFFFFF, 0x00123456},
        {"alpha 9 blends, 888 top byte", TriRasterRGB888Gouraud, false, 0, 0, kNearest, kNoTint, 0x09FFFFFF,
         0xFF080808},
        {"565 blend", TriRasterRGB565Gouraud, true, 0xFFFF, 0, kNearest, kNoTint, 0x80000000, R565(14, 29, 14)},
        {"555 write clears bit 15", TriRasterRGB555Gouraud, true, 0xFFFF, 0, kNearest, kNoTint, 0xFFFFFFFF, 0x7FFF},
        {"555 skip keeps bit 15", TriRasterRGB555Gouraud, true, 0xFFFF, 0, kNearest, kNoTint, 0x05000000, 0xFFFF},
        {"tint folded into the corners", TriRasterRGB888GouraudTint, false, 0, 0, kNearest, half, 0xFFFFFFFF,
         0xFF7E7E7E},
        {"tint to alpha 8 skips",
         TriRasterRGB565GouraudTint,
         true,
         0x1234,
         0,
         kNearest,
         {8, 255, 255, 255},
         0xFFFFFFFF,
         0x1234},
    });
}

TEST(TriMembers, OpaqueTexture) {
    const TriTintColor red128{128, 128, 255, 255};
    RunCases({
        {"texel alpha ignored", TriRasterRGB32Texture, false, 0, 0x00FFFFFF, kNearest, kNoTint, 0, 0xFFFFFFFF},
        {"outside is opaque black", TriRasterRGB32Texture, false, 0x12345678, 0xFFFFFFFF, kOutside, kNoTint, 0,
         0xFF000000},
        {"565 pack", TriRasterRGB565Texture, true, 0, 0xFF123456, kNearest, kNoTint, 0, R565(2, 13, 10)},
        {"565 outside is 0", TriRasterRGB565Texture, true, 0xFFFF, 0xFFFFFFFF, kOutside, kNoTint, 0, 0},
        {"555 pack", TriRasterRGB555Texture, true, 0xFFFF, 0xFFFFFFFF, kNearest, kNoTint, 0, 0x7FFF},
        {"linear on a texel centre", TriRasterRGB32TextureLinear, false, 0, 0xFFFF0000, kCentre, kNoTint, 0,
         0xFFFD0000},
        {"linear half way", TriRasterRGB32TextureLinear, false, 0, 0xFFFF0000, kHalfway, kNoTint, 0, 0xFFFB0000},
        {"linear alpha 128", TriRasterRGB32TextureLinear, false, 0, 0x80FF0000, kCentre, kNoTint, 0, 0xFF7E0000},
        {"linear transparent", TriRasterRGB32TextureLinear, false, 0, 0x00FFFFFF, kCentre, kNoTint, 0, 0xFF000000},
        {"tint alpha 241 is opaque",
         TriRasterARGB8888TextureTint,
         false,
         0,
         0xFFFFFFFF,
         kNearest,
         {241, 255, 255, 255},
         0,
         0xFFFEFEFE},
        {"tint alpha 240 blends",
         TriRasterARGB8888TextureTint,
         false,
         0,
         0xFFFFFFFF,
         kNearest,
         {240, 255, 255, 255},
         0,
         0xEEFDFDFD},
        {"tint alpha 254 still tints",
         TriRasterRGB555TextureTint,
         true,
         0xFFFF,
         0xFFFFFFFF,
         kNearest,
         {254, 255, 255, 255},
         0,
         0x7FFF},
        {"888 tint alpha 0",
         TriRasterRGB888TextureTint,
         false,
         0x00FFFFFF,
         0xFFFFFFFF,
         kNearest,
         {0, 255, 255, 255},
         0,
         0xFFFEFEFE},
        {"565 tint alpha 0",
         TriRasterRGB565TextureTint,
         true,
         0xFFFF,
         0xFFFFFFFF,
         kNearest,
         {0, 255, 255, 255},
         0,
         R565(30, 61, 30)},
        {"ARGB over alpha 0", TriRasterARGB8888TextureTint, false, 0, 0xFFC80000, kNearest, red128, 0, 0x7E620000},
        {"red 200 tinted, 888", TriRasterRGB888TextureTint, false, 0x00320000, 0xFFC80000, kNearest, red128, 0,
         0xFF4A0000},
        {"red 200 tinted, ARGB", TriRasterARGB8888TextureTint, false, 0xFF320000, 0xFFC80000, kNearest, red128, 0,
         0xFF490000},
        {"red 200 tinted, 565", TriRasterRGB565TextureTint, true, R565(6, 0, 0), 0xFFC80000, kNearest, red128, 0,
         R565(9, 0, 0)},
        {"linear tint",
         TriRasterRGB888TextureTintLinear,
         false,
         0,
         0xFFFFFFFF,
         kCentre,
         {128, 255, 255, 255},
         0,
         0xFF7E7E7E},
        // Transparent destination under a source that brings nothing: unchanged.
        {"nothing over nothing",
         TriRasterARGB8888TextureTint,
         false,
         0x00123456,
         0xFFFFFFFF,
         kNearest,
         {1, 255, 255, 255},
         0,
         0x00123456},
    });
}

TEST(TriMembers, TextureAlpha32) {
    const TriTintColor tint{128, 255, 128, 0};
    const TriTintColor none{0, 255, 255, 255};
    RunCases({
        {"over opaque", TriRasterARGB8888TextureAlpha, false, 0xFF646464, 0x80C86432, kNearest, kNoTint, 0, 0xFF95634A},
        {"over transparent", TriRasterARGB8888TextureAlpha, false, 0, 0x80C86432, kNearest, kNoTint, 0, 0x7FC86432},
        {"888 ignores top byte", TriRasterRGB888TextureAlpha, false, 0xAB646464, 0x80C86432, kNearest, kNoTint, 0,
         0xFF95634A},
        {"tinted", TriRasterARGB8888TextureAlphaTint, false, 0xFF646464, 0xC8C86432, kNearest, tint, 0, 0xFF894F3C},
        {"tinted 888", TriRasterRGB888TextureAlphaTint, false, 0x00646464, 0xC8C86432, kNearest, tint, 0, 0xFF894F3C},
        {"alpha 8 skipped", TriRasterARGB8888TextureAlpha, false, 0x11223344, 0x08FFFFFF, kNearest, kNoTint, 0,
         0x11223344},
        {"alpha 9 blends", TriRasterRGB888TextureAlpha, false, 0, 0x09FFFFFF, kNearest, kNoTint, 0, 0xFF080808},
        {"alpha 239 blends", TriRasterRGB888TextureAlpha, false, 0, 0xEFFFFFFF, kNearest, kNoTint, 0, 0xFFEEEEEE},
        {"alpha 240 opaque", TriRasterARGB8888TextureAlpha, false, 0x00445566, 0xF0FFFFFF, kNearest, kNoTint, 0,
         0xFFFFFFFF},
        {"test before tint", TriRasterARGB8888TextureAlphaTint, false, 0xC8646464, 0xFFFFFFFF, kNearest, none, 0,
         0xC7636363},
        {"test before tint 888", TriRasterRGB888TextureAlphaTint, false, 0x00FF6464, 0xFFFFFFFF, kNearest, none, 0,
         0xFFFE6363},
        {"linear white", TriRasterARGB8888TextureAlphaLinear, false, 0, 0xFFFFFFFF, kCentre, kNoTint, 0, 0xFFFDFDFD},
        {"linear white 888", TriRasterRGB888TextureAlphaLinear, false, 0, 0xFFFFFFFF, kCentre, kNoTint, 0, 0xFFFDFDFD},
        {"linear alpha 8 skipped", TriRasterRGB888TextureAlphaLinear, false, 0x00123456, 0x08FFFFFF, kCentre, kNoTint,
         0, 0x00123456},
        {"outside skipped", TriRasterARGB8888TextureAlpha, false, 0x11223344, 0xFFFFFFFF, kOutside, kNoTint, 0,
         0x11223344},
        {"nothing over nothing", TriRasterARGB8888TextureAlphaTint, false, 0x00123456, 0xC8FFFFFF, kNearest, none, 0,
         0x00123456},
        // A quotient of 256 saturates instead of spilling into the next byte.
        {"full quotient",
         TriRasterARGB8888TextureAlphaTintLinear,
         false,
         0,
         0x0AABABAB,
         kCentre,
         {52, 255, 255, 255},
         0,
         0x00FFFFFF},
    });
}

TEST(TriMembers, TextureAlpha16) {
    const TriTintColor none{0, 255, 255, 255};
    const TriTintColor half{128, 255, 255, 255};
    RunCases({
        {"alpha 9 over white", TriRasterRGB565TextureAlpha, true, 0xFFFF, 0x09FFFFFF, kNearest, kNoTint, 0,
         R565(30, 61, 30)},
        {"alpha 128 over white", TriRasterRGB565TextureAlpha, true, 0xFFFF, 0x80FFFFFF, kNearest, kNoTint, 0,
         R565(29, 60, 29)},
        {"alpha 128 over black", TriRasterRGB565TextureAlpha, true, 0, 0x80FFFFFF, kNearest, kNoTint, 0,
         R565(15, 31, 15)},
        {"555 over bit 15", TriRasterRGB555TextureAlpha, true, 0xFFFF, 0x80FFFFFF, kNearest, kNoTint, 0,
         R555(29, 29, 29)},
        {"555 over white", TriRasterRGB555TextureAlpha, true, 0x7FFF, 0x80FFFFFF, kNearest, kNoTint, 0,
         R555(29, 29, 29)},
        {"alpha 240 opaque", TriRasterRGB565TextureAlpha, true, 0x1234, 0xF0FF8040, kNearest, kNoTint, 0,
         R565(31, 32, 8)},
        {"555 alpha 240 opaque", TriRasterRGB555TextureAlpha, true, 0xFFFF, 0xF0FF8040, kNearest, kNoTint, 0,
         R555(31, 16, 8)},
        {"alpha 8 keeps bit 15", TriRasterRGB555TextureAlpha, true, 0xFFFF, 0x08FFFFFF, kNearest, kNoTint, 0, 0xFFFF},
        {"outside skipped", TriRasterRGB565TextureAlpha, true, 0x1234, 0xFFFFFFFF, kOutside, kNoTint, 0, 0x1234},
        {"test before tint", TriRasterRGB565TextureAlphaTint, true, 0xFFFF, 0xFFFFFFFF, kNearest, none, 0,
         R565(30, 61, 30)},
        {"test before tint, linear", TriRasterRGB565TextureAlphaTintLinear, true, 0xFFFF, 0xFFFFFFFF, kCentre, none, 0,
         R565(30, 61, 30)},
        {"linear alpha 128", TriRasterRGB565TextureAlphaLinear, true, 0xFFFF, 0x80FFFFFF, kCentre, kNoTint, 0,
         R565(30, 62, 30)},
        {"linear white centre", TriRasterRGB565TextureAlphaLinear, true, 0, 0xFFFFFFFF, kCentre, kNoTint, 0, 0xFFFF},
        {"linear white half way", TriRasterRGB565TextureAlphaLinear, true, 0, 0xFFFFFFFF, kHalfway, kNoTint, 0,
         R565(31, 62, 31)},
        {"linear tint", TriRasterRGB565TextureAlphaTintLinear, true, 0xFFFF, 0xFFFFFFFF, kCentre, half, 0,
         R565(30, 62, 30)},
        {"555 linear tint", TriRasterRGB555TextureAlphaTintLinear, true, 0xFFFF, 0xFFFFFFFF, kCentre, half, 0,
         R555(30, 30, 30)},
    });
}

TEST(TriTexel, NearestRunsOnIntoTheNextRowAndReadsZeroOutside) {
    const std::vector<uint32_t> texels = {1, 2, 3, 4, 5, 6}; // 3 x 2
    const TriRasterParams tex{texels.data(), 3, 6};
    EXPECT_EQ(TriTexelNearest(tex, 2 << 16, 1 << 16), 6u);
    EXPECT_EQ(TriTexelNearest(tex, 3 << 16, 0), 4u);       // column = width: next row
    EXPECT_EQ(TriTexelNearest(tex, 3 << 16, 1 << 16), 0u); // ... past the last row
    EXPECT_EQ(TriTexelNearest(tex, static_cast<uint32_t>(-1 << 16), 0), 0u);
    EXPECT_EQ(TriTexelNearest(tex, 0, static_cast<uint32_t>(-1 << 16)), 0u);
    const TriRasterParams empty{texels.data(), 3, 0};
    EXPECT_EQ(TriTexelNearest(empty, 0, 0), 0u);
}

TEST(TriTexel, LinearTakesTheFloorBeforeTheFirstColumnAndRow) {
    // 2 x 2: opaque red, green / blue, white.
    const std::vector<uint32_t> texels = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    const TriRasterParams tex{texels.data(), 2, 4};
    // A shifted u of 0 on row 1 samples texel (0, 1), not the texel before it.
    EXPECT_EQ(TriTexelLinear(tex, 0, 1 << 16), 0xFE0000FDu);
    // Below 0 the missing texels weigh nothing: only texel (0, 0) contributes.
    EXPECT_EQ(TriTexelLinear(tex, static_cast<uint32_t>(-0x8000), static_cast<uint32_t>(-0x8000)), 0x3F3E0000u);
}

} // namespace
} // namespace Kavo
