#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <numbers>
#include <set>
#include <utility>
#include <vector>

#include "framework/graphics/memory_image.h"
#include "framework/graphics/tri_vertex.h"
#include "tests/framework/graphics/blit_test_support.h"
#include "tests/support/headless_environment.h"

namespace Kavo {
namespace {

using namespace BlitTest;

// ---- Rotated blits -------------------------------------------------------

TEST(BltF, WholePixelPositionDrawsInnerColumnsAndAllButTheLastRow) {
    // Source pixel (x, y) has red 50x and green 60y; a drawn pixel keeps
    // 254/256 of its source pixel: red 0, 49, 99, 148, green 0, 59, 119.
    std::vector<uint32_t> pixels;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            pixels.push_back(0xFF000000u | static_cast<uint32_t>(50 * x) << 16 | static_cast<uint32_t>(60 * y) << 8);
    const uint32_t red[] = {0, 49, 99, 148};
    const uint32_t green[] = {0, 59, 119};
    for (Form form : kForms) {
        SCOPED_TRACE(FormName(form));
        auto source = MakeImage(5, 4, pixels, form);
        auto dest = MakeFilled(8, 8, 0xFF0000FF);
        dest->BltF(source.get(), 1.0f, 2.0f, IntRect(0, 0, 5, 4), IntRect(0, 0, 8, 8), Color::White, 0);
        std::vector<uint32_t> expected(64, 0xFF0000FF);
        for (int y = 0; y <= 2; ++y)
            for (int x = 1; x <= 3; ++x)
                expected[(2 + y) * 8 + 1 + x] = 0xFF000000u | red[x] << 16 | green[y] << 8;
        EXPECT_EQ(PixelsOf(*dest), expected);
        EXPECT_TRUE(source->mDrawn);
    }
}

TEST(BltRotated, SampleAndCompositeByModeAndTint) {
    // One drawn pixel of a uniform 4 x 4 source at a whole-pixel position:
    // the sample alpha K is 254 times the source alpha / 255.
    struct Case {
        const char* what;
        uint32_t source, dest;
        Color tint;
        int mode;
        uint32_t expected;
    };
    const Case cases[] = {
        {"near-opaque sample written as it is", 0xFFC86428, 0x80102030, Color::White, 0, 0xFFC66327},
        {"translucent over translucent", 0x80C86428, 0x80646464, Color::White, 0, 0xBFA5633C},
        {"tint alpha", 0xFFC86428, 0xFF000000, Color(255, 255, 255, 128), 0, 0xFF633113},
        {"tint colour", 0xFFC86428, 0xFF000000, Color(128, 255, 0), 0, 0xFF626200},
        {"additive keeps the alpha", 0xFF282828, 0x80646464, Color::White, 1, 0x808A8A8A},
        {"draw mode 2 adds too", 0xFF282828, 0x80646464, Color::White, 2, 0x808A8A8A},
        {"additive tinted", 0xFFC86428, 0xFF102030, Color(255, 0, 0, 128), 1, 0xFF732030},
    };
    for (const Case& c : cases) {
        for (Form form : kForms) {
            SCOPED_TRACE(testing::Message() << c.what << ", " << FormName(form));
            auto source = MakeFilled(4, 4, c.source, form);
            auto dest = MakeFilled(4, 4, c.dest);
            dest->BltRotated(source.get(), 0.0f, 0.0f, IntRect(0, 0, 4, 4), IntRect(0, 0, 4, 4), c.tint, c.mode, 0.0,
                             0.0f, 0.0f);
            EXPECT_EQ(PixelAt(*dest, 1, 0), c.expected);
            EXPECT_EQ(PixelAt(*dest, 0, 0), c.dest);
        }
    }
}

TEST(BltRotated, BoundsOutsideTheClipDrawNothingAndChangeNothing) {
    auto source = MakeFilled(4, 4, 0xFFFFFFFF);
    auto dest = MakeFilled(8, 8, 0xFF000000);
    const int before = dest->mBitsChangedCount;
    dest->BltRotated(source.get(), 20.0f, 2.0f, IntRect(0, 0, 4, 4), IntRect(0, 0, 8, 8), Color::White, 0, 0.5, 2.0f,
                     2.0f);
    EXPECT_EQ(dest->mBitsChangedCount, before);
    EXPECT_EQ(PixelsOf(*dest), std::vector<uint32_t>(64, 0xFF000000));
}

TEST(BltRotated, ACelOfASheetSamplesOnlyThatCel) {
    // A 3 x 3 sheet of 8 x 8 cels: the middle one blue, all others red.
    std::vector<uint32_t> sheet(24 * 24, 0xFFFF0000);
    for (int y = 8; y < 16; ++y)
        for (int x = 8; x < 16; ++x)
            sheet[y * 24 + x] = 0xFF0000FF;
    std::vector<double> angles = {std::numbers::pi / 2, std::numbers::pi, 3 * std::numbers::pi / 2, 0.001};
    for (int step = 0; step < 64; ++step)
        angles.push_back(step * 0.1);
    const float offsets[] = {0.0f, 0.25f, 0.5f, 0.75f, 0.9f};
    for (Form form : kForms) {
        auto source = MakeImage(24, 24, sheet, form);
        for (double angle : angles) {
            for (float offset : offsets) {
                SCOPED_TRACE(testing::Message() << FormName(form) << ", angle " << angle << ", offset " << offset);
                auto dest = MakeFilled(24, 24, 0xFF000000);
                dest->BltRotated(source.get(), 8.0f + offset, 8.0f + offset, IntRect(8, 8, 8, 8), IntRect(0, 0, 24, 24),
                                 Color::White, 0, angle, 4.0f, 4.0f);
                int blue = 0;
                const std::vector<uint32_t> pixels = PixelsOf(*dest);
                for (uint32_t p : pixels) {
                    EXPECT_EQ(p & 0x00FF0000, 0u);
                    blue += (p & 0xFF) != 0;
                }
                EXPECT_GT(blue, 0);
            }
        }
    }
}

TEST(BltRotated, PlainAndPalettisedSourcesAgree) {
    std::vector<uint32_t> pixels;
    for (int i = 0; i < 100; ++i)
        pixels.push_back(static_cast<uint32_t>(i * 2 + 50) << 24 | static_cast<uint32_t>(i * 0x020305));
    auto plain = MakeImage(10, 10, pixels);
    auto palettised = MakeImage(10, 10, pixels, Form::Palettised);
    for (double angle : {0.2, 2.0, -1.3}) {
        for (int mode : {0, 1}) {
            auto a = MakeFilled(20, 20, 0x80406080);
            auto b = MakeFilled(20, 20, 0x80406080);
            a->BltRotated(plain.get(), 5.3f, 4.6f, IntRect(0, 0, 10, 10), IntRect(0, 0, 20, 20),
                          Color(200, 100, 255, 200), mode, angle, 5.0f, 5.0f);
            b->BltRotated(palettised.get(), 5.3f, 4.6f, IntRect(0, 0, 10, 10), IntRect(0, 0, 20, 20),
                          Color(200, 100, 255, 200), mode, angle, 5.0f, 5.0f);
            EXPECT_EQ(PixelsOf(*a), PixelsOf(*b)) << "angle " << angle << " mode " << mode;
            EXPECT_NE(PixelsOf(*a), std::vector<uint32_t>(400, 0x80406080));
        }
    }
}

// ---- Matrix and triangle blits -------------------------------------------

// What the rasteriser's members were handed: the table index and the corners.
struct MemberCall {
    int index;
    std::array<TriFixedVertex, 3> corners;
};
std::vector<MemberCall> gMemberCalls;

template <int kIndex>
void RecordMember(const TriFixedVertex* corners, void*, int32_t, const TriRasterParams*, const TriTintColor*) {
    gMemberCalls.push_back({kIndex, {corners[0], corners[1], corners[2]}});
}

// Puts a recorder into every entry of the rasteriser's table for the
// fixture's lifetime.
class RecordingRaster : public HeadlessEnvironment {
protected:
    void SetUp() override { gMemberCalls.clear(); }

private:
    template <int... kIndices>
    static std::shared_ptr<const TriRasterMemberTable> Recorders(std::integer_sequence<int, kIndices...>) {
        return std::make_shared<const TriRasterMemberTable>(TriRasterMemberTable{RecordMember<kIndices>...});
    }

    const platform::Installed<const TriRasterMemberTable> mRecorders{
        TriRasterTableSlot(), Recorders(std::make_integer_sequence<int, kTriRasterTableSize>())};
};

std::array<int32_t, 4> Corner(const TriFixedVertex& v) {
    return {v.x, v.y, v.u, v.v};
}
std::array<int32_t, 4> Fixed(double x, double y, int u, int v) {
    return {static_cast<int32_t>(x * 65536), static_cast<int32_t>(y * 65536), u << 16, v << 16};
}

TEST_F(RecordingRaster, MatrixQuadCornersReachTheRasteriserInStripOrder) {
    auto texture = MakeFilled(8, 4, 0xFF808080);
    auto dest = MakeFilled(64, 64, 0xFF000000);
    Matrix3x3 matrix;
    matrix.m[0][0] = 2.0f;
    matrix.m[0][1] = 0.5f;
    matrix.m[0][2] = 3.0f;
    // Source (2, 1, 4, 2): corners (+-2, +-1) about its centre; texels 2..6 across, 1..3 down.
    dest->BltMatrix(texture.get(), 10.0f, 20.0f, matrix, IntRect(0, 0, 64, 64), Color::White, 0, IntRect(2, 1, 4, 2),
                    false);
    const auto topLeft = Fixed(8.0, 18.5, 2, 1), topRight = Fixed(16.0, 18.5, 6, 1);
    const auto bottomLeft = Fixed(9.0, 20.5, 2, 3), bottomRight = Fixed(17.0, 20.5, 6, 3);
    ASSERT_EQ(gMemberCalls.size(), 2u);
    // The strip's triangles (0, 1, 2) and (1, 3, 2).
    EXPECT_EQ(Corner(gMemberCalls[0].corners[0]), topLeft);
    EXPECT_EQ(Corner(gMemberCalls[0].corners[1]), topRight);
    EXPECT_EQ(Corner(gMemberCalls[0].corners[2]), bottomLeft);
    EXPECT_EQ(Corner(gMemberCalls[1].corners[0]), topRight);
    EXPECT_EQ(Corner(gMemberCalls[1].corners[1]), bottomRight);
    EXPECT_EQ(Corner(gMemberCalls[1].corners[2]), bottomLeft);
    EXPECT_EQ(gMemberCalls[0].index, TriRasterARGB8888 | TriRasterTextured);
    EXPECT_TRUE(texture->mDrawn);
}

TEST_F(RecordingRaster, FormatAndFlagsFollowTheDestinationAndTheBlendFlag) {
    struct Case {
        const char* what;
        bool forceOpaque;
        bool blend;
        Color tint;
        int index;
    };
    const Case cases[] = {
        {"plain", false, false, Color::White, TriRasterARGB8888 | TriRasterTextured},
        {"forced opaque destination", true, false, Color::White, TriRasterRGB888 | TriRasterTextured},
        {"blend", false, true, Color::White,
         TriRasterARGB8888 | TriRasterTextured | TriRasterTextureAlpha | TriRasterLinear},
        {"tint", false, false, Color(255, 255, 255, 254), TriRasterARGB8888 | TriRasterTextured | TriRasterTint},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        gMemberCalls.clear();
        auto texture = MakeFilled(4, 4, 0xFF808080);
        auto dest = MakeFilled(16, 16, 0xFF000000);
        if (c.forceOpaque)
            dest->SetAlphaFlags(false, false);
        // Draw mode 2 has no effect here.
        dest->BltMatrix(texture.get(), 8.0f, 8.0f, Matrix3x3(), IntRect(0, 0, 16, 16), c.tint, 2, IntRect(0, 0, 4, 4),
                        c.blend);
        ASSERT_FALSE(gMemberCalls.empty());
        EXPECT_EQ(gMemberCalls[0].index, c.index);
    }
}

TEST_F(RecordingRaster, TrianglesAreMovedAndTakeVertexColoursOnlyWhenSet) {
    auto texture = MakeFilled(4, 4, 0xFF808080);
    auto dest = MakeFilled(32, 32, 0xFF000000);
    const TriVertex triangles[2][3] = {
        {{1, 1, 0, 0, 0}, {9, 1, 1, 0, 0}, {1, 9, 0, 1, 0}},
        {{2, 2, 0, 0, 0}, {10, 2, 1, 0, 0x80FF0000}, {2, 10, 0, 1, 0}},
    };
    const int before = dest->mBitsChangedCount;
    dest->BltTrianglesTex(texture.get(), triangles, 2, IntRect(0, 0, 32, 32), Color::White, 0, 3.0f, 4.0f, false);
    ASSERT_EQ(gMemberCalls.size(), 2u);
    EXPECT_EQ(gMemberCalls[0].index, TriRasterTextured);
    EXPECT_EQ(gMemberCalls[1].index, TriRasterTextured | TriRasterVertexColors);
    EXPECT_EQ(Corner(gMemberCalls[0].corners[0]), Fixed(4, 5, 0, 0));
    EXPECT_EQ(Corner(gMemberCalls[1].corners[1]), Fixed(13, 6, 4, 0));
    EXPECT_EQ(dest->mBitsChangedCount, before + 1);
}

TEST_F(RecordingRaster, NoTrianglesNeverReachTheRasteriserButMarkTheBitsChanged) {
    auto texture = MakeFilled(4, 4, 0xFF808080);
    texture->BitsChanged(); // the rasteriser would bring the flags up to date
    auto dest = MakeFilled(8, 8, 0xFF000000);
    const int before = dest->mBitsChangedCount;
    dest->BltTrianglesTex(texture.get(), nullptr, 0, IntRect(0, 0, 8, 8), Color::White, 0, 0.0f, 0.0f, false);
    EXPECT_TRUE(gMemberCalls.empty());
    EXPECT_TRUE(texture->mAlphaFlagsDirty);
    EXPECT_EQ(dest->mBitsChangedCount, before + 1);
}

TEST(BltMatrix, IdentityAtAWholePixelCopiesTheTexture) {
    std::vector<uint32_t> texels;
    for (int i = 0; i < 16; ++i)
        texels.push_back(0xFF000000u | static_cast<uint32_t>(i * 0x0F0A05));
    for (Form form : kForms) {
        SCOPED_TRACE(FormName(form));
        auto texture = MakeImage(4, 4, texels, form);
        auto dest = MakeFilled(8, 8, 0x00000000);
        // Centred on (4, 4): the texture covers pixels 2..5 both ways.
        dest->BltMatrix(texture.get(), 4.0f, 4.0f, Matrix3x3(), IntRect(0, 0, 8, 8), Color::White, 0,
                        IntRect(0, 0, 4, 4), false);
        std::vector<uint32_t> expected(64, 0);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                expected[(y + 2) * 8 + x + 2] = texels[y * 4 + x];
        EXPECT_EQ(PixelsOf(*dest), expected);
    }
}

TEST(BltMatrix, ClipLargerThanTheDestinationIsCutToIt) {
    auto texture = MakeFilled(8, 8, 0xFF00FF00);
    auto dest = MakeFilled(8, 8, 0xFF000000);
    // Centred on the corner (8, 8): three quarters of the quad lie outside.
    dest->BltMatrix(texture.get(), 8.0f, 8.0f, Matrix3x3(), IntRect(-50, -50, 500, 500), Color::White, 0,
                    IntRect(0, 0, 8, 8), false);
    EXPECT_EQ(PixelAt(*dest, 7, 7), 0xFF00FF00u);
    EXPECT_EQ(PixelAt(*dest, 3, 3), 0xFF000000u);
    EXPECT_EQ(dest->mBits[64], MemoryImage::kGuardWord);
}

} // namespace
} // namespace Kavo
