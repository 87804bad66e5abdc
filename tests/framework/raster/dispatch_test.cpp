#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <utility>

#include "framework/raster/tri_members.h"
#include "tests/framework/raster/raster_support.h"
#include "tests/support/headless_environment.h"

namespace Kavo {
namespace {

using RasterTest::Canvas;
using RasterTest::Texture;
using RasterTest::Vertex;

struct Call {
    int index;
    TriFixedVertex corners[3];
    TriRasterParams params;
    TriTintColor tint;
};
std::vector<Call> gCalls;

template <int I>
void Spy(const TriFixedVertex* corners, void*, int32_t, const TriRasterParams* params, const TriTintColor* tint) {
    gCalls.push_back(Call{I, {corners[0], corners[1], corners[2]}, *params, *tint});
}

template <size_t... I>
std::shared_ptr<const TriRasterMemberTable> SpyTable(std::index_sequence<I...>) {
    return std::make_shared<const TriRasterMemberTable>(TriRasterMemberTable{&Spy<static_cast<int>(I)>...});
}

class TriDispatch : public HeadlessEnvironment {
protected:
    void SetUp() override { gCalls.clear(); }

    const platform::Installed<const TriRasterMemberTable> mSpies{
        TriRasterTableSlot(), SpyTable(std::make_index_sequence<kTriRasterTableSize>())};

    // One triangle well inside the clip; returns the indices called.
    std::vector<int> Indices(int32_t format, Color tint, TriTextureView* texture, bool linear, bool colors) {
        gCalls.clear();
        const TriVertex tri[3] = {Vertex(1, 1), Vertex(6, 1), Vertex(1, 6)};
        TriRasterRenderFan(canvas.Full(), tint, tri, 3, texture, canvas.Bits(), canvas.Pitch(), format, linear, colors);
        std::vector<int> indices;
        for (const Call& c : gCalls)
            indices.push_back(c.index);
        return indices;
    }

    Canvas<uint32_t> canvas{16, 16, 0};
};

TEST_F(TriDispatch, IndexFromFormatFlagsAndTexture) {
    Texture opaque(2, 2, {1, 2, 3, 4});
    Texture alpha(2, 2, {1, 2, 3, 4}, true, false);
    Texture holes(2, 2, {1, 2, 3, 4}, false, true);
    const Color white = Color::White;
    struct Case {
        const char* name;
        int32_t format;
        Color tint;
        TriTextureView* texture;
        bool linear, colors;
        int expected;
    };
    const Case cases[] = {
        {"0x8888 is ARGB", 0x8888, white, nullptr, false, true, 0x04},
        {"0 is ARGB", 0, white, nullptr, false, true, 0x04},
        {"any other code is ARGB", 0x1234, white, nullptr, false, true, 0x04},
        {"888", 0x888, white, nullptr, false, true, 0x24},
        {"565", 0x565, white, nullptr, false, true, 0x44},
        {"555", 0x555, white, nullptr, false, true, 0x64},
        {"white tint sets no bit", 0x888, Color(255, 255, 255, 255), nullptr, false, false, 0x20},
        {"alpha 254 tints", 0x888, Color(255, 255, 255, 254), nullptr, false, false, 0x22},
        {"red 0 tints", 0x565, Color(0, 255, 255, 255), nullptr, false, true, 0x46},
        {"opaque texture", 0x8888, white, &opaque.view, false, false, 0x10},
        {"texture with alpha", 0x8888, white, &alpha.view, false, false, 0x18},
        {"texture with transparency", 0x555, white, &holes.view, false, true, 0x7C},
        {"linear opaque texture takes the alpha entry", 0x565, white, &opaque.view, true, false, 0x59},
        {"linear without texture", 0x8888, white, nullptr, true, true, 0x05},
        {"everything", 0x888, Color(1, 2, 3, 4), &alpha.view, true, true, 0x3F},
    };
    for (const Case& k : cases)
        EXPECT_EQ(Indices(k.format, k.tint, k.texture, k.linear, k.colors), std::vector<int>{k.expected}) << k.name;
    // Without a texture the linear bit lands on the Gouraud member.
    EXPECT_EQ(TriRasterDefaultMember(0x05), &TriRasterARGB8888Gouraud);
}

TEST_F(TriDispatch, StripOrderAndAlphaFlagsUpdateEvenWithoutTriangles) {
    int updates = 0;
    Texture tex(4, 4, std::vector<uint32_t>(16, 0xFF000000));
    tex.view.context = &updates;
    tex.view.updateAlphaFlags = [](TriTextureView& view, void* context) {
        ++*static_cast<int*>(context);
        view.hasTransparency = true;
    };
    const TriVertex v[5] = {Vertex(1, 1), Vertex(2, 1), Vertex(1, 2), Vertex(2, 3), Vertex(3, 4)};
    auto drawn = [&](int count) {
        gCalls.clear();
        TriRasterRenderFan(canvas.Full(), Color::White, v, count, &tex.view, canvas.Bits(), canvas.Pitch(), 0x8888,
                           false, false);
        std::vector<std::vector<int32_t>> triangles;
        for (const Call& c : gCalls) {
            EXPECT_EQ(c.index, 0x18); // the refreshed flags count
            triangles.push_back({c.corners[0].y, c.corners[1].y, c.corners[2].y});
        }
        return triangles;
    };
    const int32_t y[5] = {1 << 16, 1 << 16, 2 << 16, 3 << 16, 4 << 16};
    EXPECT_TRUE(drawn(2).empty());
    EXPECT_EQ(updates, 1);
    EXPECT_TRUE(drawn(-1).empty());
    EXPECT_EQ(drawn(4), (std::vector<std::vector<int32_t>>{{y[0], y[1], y[2]}, {y[1], y[3], y[2]}}));
    EXPECT_EQ(drawn(5),
              (std::vector<std::vector<int32_t>>{{y[0], y[1], y[2]}, {y[1], y[3], y[2]}, {y[2], y[3], y[4]}}));
    EXPECT_EQ(updates, 4);
}

TEST_F(TriDispatch, CornersInFixedPoint) {
    Texture tex(64, 32, std::vector<uint32_t>(64 * 32));
    const TriVertex tri[3] = {Vertex(-0.00001f, 0.5f, 1.0f, 0.25f, 0x80C0D0E0), Vertex(2.99999f, 1, 0, 0, 0),
                              Vertex(1, 3, 0.5f, 1, 0xFFFFFFFF)};
    const IntRect clip(-4, -4, 16, 16);
    TriRasterRenderFan(clip, Color(255, 128, 64, 32), tri, 3, &tex.view, canvas.Bits(), canvas.Pitch(), 0x8888, false,
                       true);
    ASSERT_EQ(gCalls.size(), 1u);
    const Call& c = gCalls[0];
    EXPECT_EQ(c.corners[0].x, 0);
    EXPECT_EQ(c.corners[0].y, 0x8000);
    EXPECT_EQ(c.corners[1].x, 196607);
    EXPECT_EQ(c.corners[0].u, 64 << 16);
    EXPECT_EQ(c.corners[0].v, 8 << 16);
    EXPECT_EQ(c.corners[0].alpha, 0x800000);
    EXPECT_EQ(c.corners[0].red, 0xC00000);
    EXPECT_EQ(c.corners[0].green, 0xD00000);
    EXPECT_EQ(c.corners[0].blue, 0xE00000);
    EXPECT_EQ(c.params.texels, tex.texels.data());
    EXPECT_EQ(c.params.width, 64);
    EXPECT_EQ(c.params.texelCount, 64 * 32);
    EXPECT_EQ(c.tint.alpha, 32);
    EXPECT_EQ(c.tint.red, 255);
    EXPECT_EQ(c.tint.green, 128);
    EXPECT_EQ(c.tint.blue, 64);
}

TEST_F(TriDispatch, ClippedPolygonIsDrawnAsAFanFromItsFirstCorner) {
    // A triangle over the clip's top-left corner becomes five corners: three fan triangles.
    const TriVertex tri[3] = {Vertex(-5, 5), Vertex(5, -5), Vertex(5, 5)};
    TriRasterRenderFan(IntRect(0, 0, 10, 10), Color::White, tri, 3, nullptr, canvas.Bits(), canvas.Pitch(), 0x8888,
                       false, false);
    ASSERT_EQ(gCalls.size(), 3u);
    for (size_t k = 0; k < gCalls.size(); ++k) {
        EXPECT_EQ(gCalls[k].corners[0].x, gCalls[0].corners[0].x);
        EXPECT_EQ(gCalls[k].corners[0].y, gCalls[0].corners[0].y);
        if (k > 0) {
            EXPECT_EQ(gCalls[k].corners[1].x, gCalls[k - 1].corners[2].x);
            EXPECT_EQ(gCalls[k].corners[1].y, gCalls[k - 1].corners[2].y);
        }
    }
}

TEST_F(TriDispatch, TrianglesWithoutFinitePositionAreSkipped) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (float bad : {nan, inf, -inf}) {
        gCalls.clear();
        // The bad corner is in the first triangle only.
        const TriVertex v[4] = {Vertex(bad, 1), Vertex(8, 1), Vertex(1, 8), Vertex(8, 8)};
        TriRasterRenderFan(canvas.Full(), Color::White, v, 4, nullptr, canvas.Bits(), canvas.Pitch(), 0x8888, false,
                           false);
        ASSERT_EQ(gCalls.size(), 1u) << bad;
        EXPECT_EQ(gCalls[0].corners[0].x, 8 << 16);
        gCalls.clear();
        const TriVertex w[3] = {Vertex(1, 1), Vertex(8, bad), Vertex(1, 8)};
        TriRasterRenderFan(canvas.Full(), Color::White, w, 3, nullptr, canvas.Bits(), canvas.Pitch(), 0x8888, false,
                           false);
        EXPECT_TRUE(gCalls.empty()) << bad;
    }
}

TEST(TriFloatToInt, DefinedForEveryInput) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const std::pair<float, int32_t> cases[] = {
        {nan, 0},  {inf, INT32_MAX}, {-inf, INT32_MIN}, {3e9f, INT32_MAX},           {-3e9f, INT32_MIN},
        {2.9f, 2}, {-2.9f, -2},      {-0.5f, 0},        {2147483520.0f, 2147483520}, {-2147483648.0f, INT32_MIN},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(TriFloatToInt(in), out) << in;
}

TEST(TriTable, EveryEntryHoldsItsMember) {
    for (int i = 0; i < kTriRasterTableSize; ++i) {
        ASSERT_NE(TriRasterTable[i], nullptr) << i;
        EXPECT_EQ(TriRasterTable[i], TriRasterDefaultMember(i)) << i;
    }
    struct Case {
        int index;
        TriRasterFunc member;
    };
    const Case cases[] = {
        {0x00, TriRasterNoop},
        {0x0B, TriRasterNoop},
        {0x0D, TriRasterARGB8888Gouraud},
        {0x2E, TriRasterRGB888GouraudTint},
        {0x10, TriRasterRGB32Texture},
        {0x31, TriRasterRGB32TextureLinear},
        {0x33, TriRasterRGB888TextureTintLinear},
        {0x52, TriRasterRGB565TextureTint},
        {0x19, TriRasterARGB8888TextureAlphaLinear},
        {0x3A, TriRasterRGB888TextureAlphaTint},
        {0x5B, TriRasterRGB565TextureAlphaTintLinear},
        {0x78, TriRasterRGB555TextureAlpha},
    };
    for (const Case& k : cases)
        EXPECT_EQ(TriRasterTable[k.index], k.member) << k.index;
}

} // namespace
} // namespace Kavo
