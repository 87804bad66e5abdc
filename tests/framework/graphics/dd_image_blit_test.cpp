// The surface image's blits, stretches and transformed blits: which engine
// each call takes (renderer, surface blit, software kernels, memory image)
// and what the surface shows afterwards.
#include <gtest/gtest.h>

#include <cmath>

#include "framework/graphics/tri_vertex.h"
#include "tests/framework/graphics/surface_drawing_fixture.h"

namespace {

using namespace display_test;
using Kavo::Color;
using Kavo::IntRect;
using platform::DisplayOperation;

class SurfaceImageBlits : public SurfaceDrawing {};

TEST_F(SurfaceImageBlits, BltChoosesItsEngineByDestinationSourceColourAndMode) {
    InitWith(platform::PixelFormat::Xrgb8888());
    enum Source { kSurfaceSource, kMemorySource };
    enum Engine { kRenderer, kSurfaceBlit, kKernels, kMemoryImage, kNothing };
    struct Case {
        const char* what;
        bool onScreen3D;
        bool destHasTrans;
        Source source;
        Color color;
        int drawMode;
        bool transformPushed;
        Engine engine;
    } cases[] = {
        {"3D, plain copy of a surface", true, false, kSurfaceSource, Color::White, 0, false, kSurfaceBlit},
        {"3D, tinted", true, false, kSurfaceSource, Color(255, 0, 0), 0, false, kRenderer},
        {"3D, additive", true, false, kSurfaceSource, Color::White, 1, false, kRenderer},
        {"3D, a transform pushed", true, false, kSurfaceSource, Color::White, 0, true, kRenderer},
        {"3D, memory source", true, false, kMemorySource, Color::White, 0, false, kRenderer},
        {"opaque, plain copy of a surface", false, false, kSurfaceSource, Color::White, 0, false, kSurfaceBlit},
        {"opaque, memory source", false, false, kMemorySource, Color::White, 0, false, kKernels},
        {"opaque, tinted surface source", false, false, kSurfaceSource, Color(0, 255, 0), 0, false, kKernels},
        {"opaque, additive", false, false, kSurfaceSource, Color::White, 1, false, kKernels},
        {"opaque, draw mode 2", false, false, kMemorySource, Color::White, 2, false, kNothing},
        {"transparent destination", false, true, kSurfaceSource, Color::White, 0, false, kMemoryImage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        renderer->calls.clear();
        renderer->transformStackEmpty = !c.transformPushed;
        auto surfaceSource = SurfaceImage(2, 2, 0xFF00FF00);
        auto memorySource = Memory({0xFF00FF00, 0xFF00FF00, 0xFF00FF00, 0xFF00FF00}, 2);
        Kavo::Image* source = c.source == kSurfaceSource ? static_cast<Kavo::Image*>(surfaceSource.get())
                                                         : static_cast<Kavo::Image*>(memorySource.get());
        auto dest = c.destHasTrans ? Image({0xFF000000, 0x00000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000}, 3)
                                   : SurfaceImage(3, 2, 0xFF000000);
        if (c.destHasTrans) {
            ASSERT_TRUE(dest->GenerateDDSurface());
        }
        Kavo::DDImage& target = c.onScreen3D ? Screen3D() : *dest;
        const int blits = Calls(DisplayOperation::Blt);
        const int locks = Calls(DisplayOperation::Lock);
        target.Blt(source, 1, 0, IntRect(0, 0, 2, 2), c.color, c.drawMode);
        dd->mIs3D = false;

        EXPECT_EQ(renderer->calls.size(), c.engine == kRenderer ? 1u : 0u);
        EXPECT_EQ(Calls(DisplayOperation::Blt) - blits, c.engine == kSurfaceBlit ? 1 : 0);
        EXPECT_TRUE(source->mDrawn);
        if (c.onScreen3D)
            continue;
        switch (c.engine) {
        case kSurfaceBlit:
        case kKernels:
            EXPECT_EQ(dest->mBits, nullptr);
            EXPECT_NE(At(*dest, 1, 0), 0u);
            if (c.engine == kKernels) {
                EXPECT_GT(Calls(DisplayOperation::Lock), locks);
            }
            break;
        case kMemoryImage:
            EXPECT_EQ(dest->mSurface, nullptr);
            EXPECT_EQ(dest->GetBits()[1], 0xFF00FF00u);
            break;
        case kNothing:
            EXPECT_NE(dest->mBits, nullptr);
            EXPECT_EQ(At(*dest, 1, 0), 0u);
            break;
        case kRenderer:
            break;
        }
    }
}

TEST_F(SurfaceImageBlits, OnThe3DSurfaceEveryOtherDrawingGoesToTheRenderer) {
    InitWith(platform::PixelFormat::Xrgb8888());
    auto source = Memory({0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}, 2);
    const Kavo::TriVertex triangle[1][3] = {};
    Kavo::DDImage& screen = Screen3D();
    const IntRect clip(0, 0, 320, 240);
    screen.BltMirror(source.get(), 3, 4, IntRect(0, 0, 2, 2), Color::White, 0);
    screen.StretchBlt(source.get(), IntRect(0, 0, 8, 8), IntRect(0, 0, 2, 2), clip, Color::White, 0, true);
    screen.StretchBltMirror(source.get(), IntRect(0, 0, 8, 8), IntRect(0, 0, 2, 2), clip, Color::White, 0, true);
    screen.BltRotated(source.get(), 5, 6, IntRect(0, 0, 2, 2), clip, Color::White, 0, 0.5, 1, 1);
    screen.BltMatrix(source.get(), 7, 8, Kavo::Matrix3x3(), clip, Color::White, 0, IntRect(0, 0, 2, 2), true);
    screen.BltTrianglesTex(source.get(), triangle, 1, clip, Color::White, 0, 9, 10, true);
    // BltF: wholly inside the clip filters, partly clipped clips, outside draws nothing.
    screen.BltF(source.get(), 1.5f, 2.5f, IntRect(0, 0, 2, 2), clip, Color::White, 0);
    screen.BltF(source.get(), -0.5f, 2.5f, IntRect(0, 0, 2, 2), clip, Color::White, 0);
    screen.BltF(source.get(), -5.0f, 2.5f, IntRect(0, 0, 2, 2), clip, Color::White, 0);

    const std::vector<std::string> expected{"BltMirror",      "StretchBlt",       "StretchBlt", "BltRotated",
                                            "BltTransformed", "DrawTrianglesTex", "Blt",        "BltClipF"};
    ASSERT_EQ(renderer->Names(), expected);
    EXPECT_FALSE(renderer->calls[1].flag); // not mirrored
    EXPECT_TRUE(renderer->calls[2].flag);  // mirrored
    EXPECT_TRUE(renderer->calls[4].flag);  // the matrix acts about the source's centre
    EXPECT_TRUE(renderer->calls[6].flag);  // linear filter
    EXPECT_EQ(renderer->calls[6].x, 1.5f);
}

TEST_F(SurfaceImageBlits, BltMirrorReversesTheRowOnTheSurface) {
    InitWith(platform::PixelFormat::Rgb565());
    auto source = Memory({0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0x00000000}, 4);
    auto dest = SurfaceImage(4, 1, 0xFF000000);
    dest->BltMirror(source.get(), 0, 0, IntRect(0, 0, 4, 1), Color::White, 0);
    EXPECT_EQ(At(*dest, 0, 0), 0u);
    EXPECT_EQ(At(*dest, 1, 0), 0x1Fu);
    EXPECT_EQ(At(*dest, 2, 0), 0x7E0u);
    EXPECT_EQ(At(*dest, 3, 0), 0xF800u);
    EXPECT_EQ(dest->mBits, nullptr);
}

TEST_F(SurfaceImageBlits, AFullyClippedStretchDrawsNothingAndKeepsTheBits) {
    InitWith(platform::PixelFormat::Xrgb8888());
    auto source = Memory({0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}, 2);
    auto dest = SurfaceImage(8, 8, 0xFF000000);
    const int locks = Calls(DisplayOperation::Lock);
    for (bool fast : {true, false})
        dest->StretchBlt(source.get(), IntRect(0, 0, 4, 4), IntRect(0, 0, 2, 2), IntRect(5, 5, 3, 3), Color::White, 0,
                         fast);
    EXPECT_NE(dest->mBits, nullptr);
    EXPECT_EQ(Calls(DisplayOperation::Lock), locks);
}

TEST_F(SurfaceImageBlits, AMirrorStretchPutsSourceColumnZeroOnTheRight) {
    InitWith(platform::PixelFormat::Xrgb8888());
    auto source = Memory({0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004}, 4);
    auto dest = SurfaceImage(4, 1, 0xFF000000);
    dest->StretchBltMirror(source.get(), IntRect(0, 0, 4, 1), IntRect(0, 0, 4, 1), IntRect(0, 0, 4, 1), Color::White, 0,
                           false);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(At(*dest, x, 0) & 0xFFFFFF, static_cast<uint32_t>(4 - x)) << x;
}

TEST_F(SurfaceImageBlits, StretchesChooseTheirEngine) {
    InitWith(platform::PixelFormat::Xrgb8888());
    auto memorySource = Memory({0xFF102030, 0xFF102030, 0xFF102030, 0xFF102030}, 2);
    auto surfaceSource = SurfaceImage(2, 2, 0xFF102030);
    const IntRect destRect(0, 0, 4, 4), srcRect(0, 0, 2, 2), clip(0, 0, 4, 4);

    // Slow onto a destination with transparent pixels: the memory image.
    auto keyed = Image({0x00000000, 0xFF000000, 0xFF000000, 0xFF000000}, 2);
    ASSERT_TRUE(keyed->GenerateDDSurface());
    keyed->StretchBlt(memorySource.get(), IntRect(0, 0, 2, 2), srcRect, IntRect(0, 0, 2, 2), Color::White, 0, false);
    EXPECT_EQ(keyed->mSurface, nullptr);
    EXPECT_EQ(keyed->GetBits()[0], 0xFF102030u);

    // Slow onto an opaque destination: filtered aside, then blitted onto the surface.
    auto slow = SurfaceImage(4, 4, 0xFF000000);
    slow->StretchBlt(memorySource.get(), destRect, srcRect, clip, Color::White, 0, false);
    EXPECT_EQ(slow->mBits, nullptr);
    // (32-bit kernels carry the sample's alpha into the top byte.)
    EXPECT_EQ(At(*slow, 3, 3) & 0xFFFFFF, 0x102030u);

    // Fast, plain copy of a surface: the surface layer stretches.
    auto fastSurface = SurfaceImage(4, 4, 0xFF000000);
    int blits = Calls(DisplayOperation::Blt);
    fastSurface->StretchBlt(surfaceSource.get(), destRect, srcRect, clip, Color::White, 0, true);
    EXPECT_EQ(Calls(DisplayOperation::Blt) - blits, 1);
    EXPECT_EQ(fastSurface->mBits, nullptr);
    EXPECT_EQ(At(*fastSurface, 3, 3), 0x102030u);

    // Fast, memory source: the nearest-pixel kernel.
    auto fastMemory = SurfaceImage(4, 4, 0xFF000000);
    blits = Calls(DisplayOperation::Blt);
    fastMemory->StretchBlt(memorySource.get(), destRect, srcRect, IntRect(0, 0, 2, 4), Color::White, 0, true);
    EXPECT_EQ(Calls(DisplayOperation::Blt), blits);
    EXPECT_EQ(At(*fastMemory, 1, 3) & 0xFFFFFF, 0x102030u);
    EXPECT_EQ(At(*fastMemory, 2, 3), 0u); // outside the clip
}

TEST_F(SurfaceImageBlits, A24BitDestinationIsLeftUnchanged) {
    InitWith(platform::PixelFormat::Xrgb8888());
    platform::SurfaceDesc desc;
    desc.flags = platform::kDescCaps | platform::kDescWidth | platform::kDescHeight | platform::kDescPixelFormat;
    desc.width = 4;
    desc.height = 4;
    desc.caps = platform::kCapsOffscreenPlain | platform::kCapsSystemMemory;
    desc.pixelFormat = platform::PixelFormat::Rgb888();
    platform::Surface* surface = nullptr;
    ASSERT_EQ(dd->mDD->CreateSurface(desc, &surface), platform::DD_OK);
    Paint(surface, [](int x, int y) { return 0x010203u * (x + 4 * y + 1); });
    {
        Kavo::DDImage dest(dd.get());
        dest.SetSurface(surface);
        auto source = Memory({0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}, 2);
        dest.StretchBlt(source.get(), IntRect(0, 0, 4, 4), IntRect(0, 0, 2, 2), IntRect(0, 0, 4, 4), Color::White, 0,
                        true);
        dest.StretchBltMirror(source.get(), IntRect(0, 0, 4, 4), IntRect(0, 0, 2, 2), IntRect(0, 0, 4, 4), Color::White,
                              1, true);
    }
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(PixelOf(surface, x, y), 0x010203u * (x + 4 * y + 1));
    surface->Release();
}

TEST_F(SurfaceImageBlits, RotationAtAngleZeroLeavesTheDestinationWeightTwo) {
    InitWith(platform::PixelFormat::Xrgb8888());
    // Opaque black over white: w00 = 254, the destination keeps (255 * 2) >> 8 = 1.
    auto source = Memory(std::vector<uint32_t>(9, 0xFF000000), 3);
    auto dest = SurfaceImage(6, 6, 0xFFFFFFFF);
    dest->BltF(source.get(), 1.0f, 1.0f, IntRect(0, 0, 3, 3), IntRect(0, 0, 6, 6), Color::White, 0);
    EXPECT_EQ(At(*dest, 1, 1), 0x010101u);
    EXPECT_EQ(At(*dest, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(dest->mBits, nullptr);

    // A source one pixel wide has no sample with a right neighbour: nothing.
    auto thin = Memory({0xFF000000, 0xFF000000}, 1);
    auto untouched = SurfaceImage(4, 4, 0xFFFFFFFF);
    untouched->BltRotated(thin.get(), 1, 1, IntRect(0, 0, 1, 2), IntRect(0, 0, 4, 4), Color::White, 0, 0.0, 0, 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(At(*untouched, x, y), 0xFFFFFFu);

    // With read-back off the destination ignores rotations; with transparent
    // pixels it rotates in memory.
    dest->mNoReadBack = true;
    dest->BltRotated(source.get(), 3, 3, IntRect(0, 0, 3, 3), IntRect(0, 0, 6, 6), Color::White, 0, 0.0, 0, 0);
    EXPECT_EQ(At(*dest, 3, 3), 0xFFFFFFu);
    auto keyed = Image({0x00000000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}, 2);
    ASSERT_TRUE(keyed->GenerateDDSurface());
    keyed->BltRotated(source.get(), 0, 0, IntRect(0, 0, 3, 3), IntRect(0, 0, 2, 2), Color::White, 0, 0.0, 0, 0);
    EXPECT_EQ(keyed->mSurface, nullptr);
}

TEST_F(SurfaceImageBlits, MatrixAndTrianglesReachTheRasteriserInTheSurfaceFormat) {
    struct Case {
        platform::PixelFormat format;
        uint32_t red;
        uint32_t colourBits; // the rasteriser keeps alpha in a 32-bit top byte
    } cases[] = {
        {platform::PixelFormat::Xrgb8888(), 0xFF0000, 0xFFFFFF},
        {platform::PixelFormat::Rgb565(), 0xF800, 0xFFFF},
        {platform::PixelFormat::Rgb555(), 0x7C00, 0xFFFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.red);
        InitWith(c.format);
        auto texture = Memory(std::vector<uint32_t>(16, 0xFFFF0000), 4);
        auto dest = SurfaceImage(16, 16, 0xFF000000);
        dest->BltMatrix(texture.get(), 4, 4, Kavo::Matrix3x3(), IntRect(0, 0, 64, 64), Color::White, 0,
                        IntRect(0, 0, 4, 4), false);
        EXPECT_EQ(At(*dest, 4, 4) & c.colourBits, c.red);
        EXPECT_EQ(At(*dest, 12, 12), 0u);
        EXPECT_EQ(dest->mBits, nullptr);

        auto triangles = SurfaceImage(16, 16, 0xFF000000);
        const Kavo::TriVertex triangle[1][3] = {{{0, 0, 0, 0}, {8, 0, 1, 0}, {0, 8, 0, 1}}};
        triangles->BltTrianglesTex(texture.get(), triangle, 1, IntRect(0, 0, 64, 64), Color::White, 0, 0, 0, false);
        EXPECT_EQ(At(*triangles, 1, 1) & c.colourBits, c.red);
        EXPECT_EQ(At(*triangles, 7, 7), 0u);
        dest.reset();
        triangles.reset();
    }
}

} // namespace
