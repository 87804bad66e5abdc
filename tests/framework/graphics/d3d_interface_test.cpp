// The 3D renderer on the software and the recording device: texture
// pieces, formats, primitives and their device calls, and pixels compared
// with the source and with the 2D path.
#include <algorithm>
#include <cstring>

#include <gtest/gtest.h>

#include "framework/graphics/dd_image.h"
#include "framework/graphics/texture_data.h"
#include "framework/util/directx_error.h"
#include "platform/device3d/recording_device3d.h"
#include "platform/device3d/software_device3d.h"
#include "tests/framework/graphics/renderer_fixture.h"

namespace display_test {
namespace {

using Kavo::Color;
using Kavo::IntRect;
using platform::TextureFormat;

// The texel at (x, y) of a locked texture, as stored.
uint32_t Texel(platform::Texture& texture, int x, int y) {
    platform::LockedTexture locked;
    EXPECT_EQ(texture.Lock(platform::kLockWait | platform::kLockReadOnly, locked), platform::DD_OK);
    uint32_t value = 0;
    const int bytes = platform::BytesPerTexel(locked.format);
    std::memcpy(&value, static_cast<uint8_t*>(locked.bits) + y * locked.pitch + x * bytes, size_t(bytes));
    EXPECT_EQ(texture.Unlock(), platform::DD_OK);
    return value;
}

TEST(TexturePieceSize, TableSplitsWhenThePowerOfTwoWastesMoreThan64) {
    const struct {
        int size, piece;
    } cases[] = {{300, 256}, {640, 512}, {100, 128}, {0, 1}, {64, 64}, {65, 128}, {1000, 1024}, {600, 64}};
    for (const auto& c : cases)
        EXPECT_EQ(Kavo::PieceSizeTable(c.size), c.piece) << c.size;

    // A device with an aspect ratio of 1 gets square pieces only.
    Kavo::TextureLimits square{1, 1, 1024, 1024, 1};
    int w = 300, h = 20;
    Kavo::GetTextureSize(square, w, h, false, false, 0);
    EXPECT_EQ(w, 256);
    EXPECT_EQ(h, 256);
}

class RendererTest : public Renderer3D {};

TEST_F(RendererTest, PiecesOfA300x100ImageRepeatTheirEdgeColumnAndRow) {
    Open3D();
    auto image = MakeImage(300, 100, Pattern);
    image->mTextureHints = Kavo::kTextureHint8888;
    ASSERT_TRUE(Renderer().CreateImageTexture(image.get()));
    const Kavo::TextureData& data = *image->mTextureData;
    ASSERT_EQ(data.mPieces.size(), 2u);
    EXPECT_EQ(data.mPieceWidth, 256);
    EXPECT_EQ(data.mPieces[0].mWidth, 256);
    EXPECT_EQ(data.mPieces[1].mWidth, 64);
    EXPECT_EQ(data.mPieces[0].mHeight, 128);
    EXPECT_EQ(data.mPieces[1].mHeight, 128);
    EXPECT_EQ(data.mPixelFormat, TextureFormat::Argb8888);
    platform::Texture& right = *data.mPieces[1].mTexture;
    // 44 texels used: the 44th column (x = 43) is repeated once, the 100th row once.
    EXPECT_EQ(Texel(right, 0, 0), Pattern(256, 0));
    EXPECT_EQ(Texel(right, 44, 10), Pattern(299, 10));
    EXPECT_EQ(Texel(right, 10, 100), Pattern(266, 99));
    EXPECT_EQ(Texel(right, 44, 100), Pattern(299, 99));
    EXPECT_EQ(Texel(*data.mPieces[0].mTexture, 255, 100), Pattern(255, 99));
}

TEST_F(RendererTest, A640x480ImageOnA256DeviceIsThreeByTwoPieces) {
    platform::AdapterDescription adapter = platform::SoftwareAdapter();
    adapter.caps.maxTextureWidth = adapter.caps.maxTextureHeight = 256;
    UseDevice(std::make_shared<platform::SoftwareDevice3D>(adapter));
    Open3D();
    auto image = MakeImage(640, 480, Pattern);
    ASSERT_TRUE(Renderer().CreateImageTexture(image.get()));
    const Kavo::TextureData& data = *image->mTextureData;
    ASSERT_EQ(data.mPiecesAcross, 3);
    ASSERT_EQ(data.mPiecesDown, 2);
    const int sizes[6][2] = {{256, 256}, {256, 256}, {128, 256}, {256, 256}, {256, 256}, {128, 256}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(data.mPieces[size_t(i)].mWidth, sizes[i][0]) << i;
        EXPECT_EQ(data.mPieces[size_t(i)].mHeight, sizes[i][1]) << i;
    }
}

TEST_F(RendererTest, FormatFollowsAlphaAndTheStorageFlags) {
    platform::AdapterDescription no8888 = platform::SoftwareAdapter();
    no8888.formats.erase(no8888.formats.begin()); // 8888 is listed first
    const struct {
        const char* name;
        uint32_t pixel;
        uint32_t hints;
        bool without8888;
        TextureFormat format;
    } cases[] = {
        {"opaque", 0xFF336699, 0, false, TextureFormat::Rgb565},
        {"opaque, flag 8", 0xFF336699, Kavo::kTextureHint8888, false, TextureFormat::Argb8888},
        {"alpha", 0x80336699, 0, false, TextureFormat::Argb8888},
        {"alpha, flag 4", 0x80336699, Kavo::kTextureHint4444, false, TextureFormat::Argb4444},
        {"alpha, no 8888", 0x80336699, 0, true, TextureFormat::Argb4444},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UseDevice(std::make_shared<platform::SoftwareDevice3D>(c.without8888 ? no8888 : platform::SoftwareAdapter()));
        Open3D();
        auto image = MakeImage(8, 8, [&](int, int) { return c.pixel; });
        image->mTextureHints = c.hints;
        ASSERT_TRUE(Renderer().CreateImageTexture(image.get()));
        EXPECT_EQ(image->mTextureData->mPixelFormat, c.format);
        image.reset();
        host.dd = nullptr;
        dd.reset();
    }
}

// Reads the draw surface of a 32-bit display as ARGB words.
uint32_t DrawPixel(Kavo::DDInterface& dd, int x, int y) {
    return PixelOf(dd.mDrawSurface, x, y) | 0xFF000000u;
}

TEST_F(RendererTest, AOneToOneBlitThroughTheSoftwareDeviceEqualsTheSource) {
    Open3D();
    auto image = MakeImage(300, 100, Pattern);
    image->mTextureHints = Kavo::kTextureHint8888;
    dd->mScreenImage->Blt(image.get(), 5, 7, IntRect(0, 0, 300, 100), Color::White, 0);
    dd->Redraw(nullptr);
    for (int y = 0; y < 100; y += 3)
        for (int x = 0; x < 300; x += 7)
            ASSERT_EQ(DrawPixel(*dd, x + 5, y + 7), Pattern(x, y)) << x << "," << y;
    EXPECT_EQ(DrawPixel(*dd, 4, 7), 0xFF000000u);
    EXPECT_EQ(DrawPixel(*dd, 305, 7), 0xFF000000u);
    EXPECT_TRUE(Renderer().mErrorString.empty());
}

TEST_F(RendererTest, AnOpaqueBlitGivesTheSamePixelsIn2DAnd3DOnA565Display) {
    auto image = MakeImage(70, 40, Pattern);
    environment->settings.desktopFormat = platform::PixelFormat::Rgb565();
    Open();
    ASSERT_EQ(dd->Init(window, true), Kavo::DDInterface::RESULT_OK);
    dd->mScreenImage->Blt(image.get(), 3, 4, IntRect(0, 0, 70, 40), Color::White, 0);
    std::vector<uint32_t> flat;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 80; ++x)
            flat.push_back(PixelOf(dd->mDrawSurface, x, y));
    dd.reset();

    Open3D(platform::PixelFormat::Rgb565());
    dd->mScreenImage->Blt(image.get(), 3, 4, IntRect(0, 0, 70, 40), Color::White, 0);
    ASSERT_EQ(image->mTextureData->mPixelFormat, TextureFormat::Rgb565);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 80; ++x)
            ASSERT_EQ(PixelOf(dd->mDrawSurface, x, y), flat[size_t(y * 80 + x)]) << x << "," << y;
}

TEST_F(RendererTest, APurged4444ImageReadsBackWithItsTransparency) {
    Open3D();
    auto image = MakeImage(20, 10, [](int x, int) { return x < 10 ? 0x00000000u : 0x80F0A050u; });
    image->mTextureHints = Kavo::kTextureHint4444;
    image->mPurgeBits = true;
    dd->mScreenImage->Blt(image.get(), 0, 0, IntRect(0, 0, 20, 10), Color::White, 0);
    ASSERT_NE(image->mTextureData, nullptr);
    EXPECT_EQ(image->mTextureData->mPixelFormat, TextureFormat::Argb4444);
    EXPECT_EQ(image->mBits, nullptr);
    const uint32_t* bits = image->GetBits();
    EXPECT_EQ(bits[0], 0x00000000u);
    // Alpha 0x8 comes back as 0x88; colour nibbles n as n x 16.
    EXPECT_EQ(bits[15], 0x88F0A050u);
}

TEST_F(RendererTest, TrianglesOfOnePieceGoInBatchesOfAHundred) {
    auto device = std::make_shared<platform::RecordingDevice3D>();
    UseDevice(device);
    Open3D();
    auto image = MakeImage(32, 32, Pattern);
    std::vector<std::array<Kavo::TriVertex, 3>> triangles(250);
    for (auto& t : triangles)
        t = {Kavo::TriVertex{0, 0, 0, 0, 0}, Kavo::TriVertex{10, 0, 1, 0, 0}, Kavo::TriVertex{0, 10, 0, 1, 0xFF102030}};
    device->ClearLog();
    Renderer().DrawTrianglesTex(reinterpret_cast<const Kavo::TriVertex(*)[3]>(triangles.data()), 250,
                                Color(255, 255, 255, 128), 0, image.get(), 2.0f, 3.0f, false);
    const auto draws = device->CallsNamed("DrawPrimitive");
    ASSERT_EQ(draws.size(), 3u);
    const size_t counts[] = {300, 300, 150};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(draws[i].code, uint32_t(platform::PrimitiveType::TriangleList));
        EXPECT_EQ(draws[i].vertices.size(), counts[i]);
    }
    // Offset without the half-pixel shift; a vertex colour of 0 takes the caller's.
    EXPECT_EQ(draws[0].vertices[1].x, 12.0f);
    EXPECT_EQ(draws[0].vertices[1].y, 3.0f);
    EXPECT_EQ(draws[0].vertices[0].diffuse, 0x80FFFFFFu);
    EXPECT_EQ(draws[0].vertices[2].diffuse, 0xFF102030u);
    // The only piece is set once (after the build's reset to none).
    const auto textures = device->CallsNamed("SetTexture");
    EXPECT_EQ(std::count_if(textures.begin(), textures.end(), [](const auto& call) { return call.texture != nullptr; }),
              1);
}

TEST_F(RendererTest, AFailedDrawKeepsItsContextAndEndsThe3DFrame) {
    auto device = std::make_shared<platform::RecordingDevice3D>();
    UseDevice(device);
    Open3D();
    Renderer().FillRect(IntRect(0, 0, 4, 4), Color::White, 0); // opens the scene
    device->ClearLog();
    device->FailNthCall(4, platform::DDERR_SURFACELOST); // blend, blend, texture, draw
    Renderer().FillRect(IntRect(1, 2, 3, 4), Color(10, 20, 30), 1);
    const std::string expected = "DrawPrimitive (Rect): " + Kavo::GetDirectXErrorString(platform::DDERR_SURFACELOST);
    EXPECT_EQ(Renderer().mErrorString, expected);
    ASSERT_FALSE(owner.runtimeErrors.empty());
    EXPECT_EQ(owner.runtimeErrors.back(), expected);
    const auto draw = device->CallsNamed("DrawPrimitive").at(0);
    ASSERT_EQ(draw.vertices.size(), 4u);
    EXPECT_EQ(draw.vertices[0].x, 0.5f);
    EXPECT_EQ(draw.vertices[3].y, 5.5f);
    EXPECT_EQ(device->CallsNamed("SetRenderState").at(1).value, uint32_t(platform::Blend::One));
    // Presenting after the failure leaves 3D.
    EXPECT_FALSE(dd->Redraw(nullptr));
    EXPECT_FALSE(dd->mIs3D);
}

TEST_F(RendererTest, ATransformedQuadGoesThroughTheClipOnlyWhenACornerTouchesTheFarEdges) {
    auto device = std::make_shared<platform::RecordingDevice3D>();
    UseDevice(device);
    Open3D();
    auto image = MakeImage(10, 10, Pattern);
    const struct {
        const char* name;
        IntRect clip;
        platform::PrimitiveType type;
    } cases[] = {
        // Corners run from -0.5 to 9.5 at position (0, 0) without centring.
        {"inside", IntRect(-1, -1, 11, 11), platform::PrimitiveType::TriangleStrip},
        {"corner on the right edge", IntRect(-1, -1, 10, 20), platform::PrimitiveType::TriangleFan},
        {"corner on the bottom edge", IntRect(-1, -1, 20, 10), platform::PrimitiveType::TriangleFan},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        device->ClearLog();
        Renderer().BltTransformed(image.get(), Kavo::Matrix3x3(), c.clip, Color::White, 0, IntRect(0, 0, 10, 10), false,
                                  0.0f, 0.0f, false);
        const auto draws = device->CallsNamed("DrawPrimitive");
        ASSERT_EQ(draws.size(), 1u);
        EXPECT_EQ(draws[0].code, uint32_t(c.type));
    }
    // Cut in half, the quad keeps the part inside.
    device->ClearLog();
    Renderer().BltTransformed(image.get(), Kavo::Matrix3x3(), IntRect(0, 0, 5, 20), Color::White, 0,
                              IntRect(0, 0, 10, 10), false, 0.0f, 0.0f, false);
    const auto fan = device->CallsNamed("DrawPrimitive").at(0).vertices;
    ASSERT_EQ(fan.size(), 4u);
    for (const platform::TLVertex& v : fan) {
        EXPECT_GE(v.x, 0.0f);
        EXPECT_LE(v.x, 5.0f);
    }
    // Fewer than three points draw nothing.
    device->ClearLog();
    const Kavo::Point two[] = {{0, 0}, {5, 5}};
    Renderer().FillPoly(two, 2, IntRect(0, 0, 100, 100), Color::White, 0, 0, 0);
    EXPECT_TRUE(device->CallsNamed("DrawPrimitive").empty());
}

TEST(PolygonClip, ACrossingHalfwayMixesEachColourChannel) {
    Kavo::TLVertex a, b;
    a.mX = 0;
    b.mX = 10;
    a.mDiffuse = 0xFF204060;
    b.mDiffuse = 0x80402010;
    const Kavo::TLVertex c = Kavo::VertexList::Crossing(a, b, 0, 5.0f);
    EXPECT_EQ(c.mDiffuse, 0xBF303038u); // alpha 191, red 48, green 48, blue 56
    EXPECT_EQ(c.mX, 5.0f);
}

} // namespace
} // namespace display_test
