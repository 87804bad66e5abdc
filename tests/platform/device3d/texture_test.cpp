// Managed textures of every enumerated format, and palettes with alpha.

#include "tests/platform/device3d/device3d_support.h"

namespace platform::test {
namespace {

TEST(TextureTest, EachEnumeratedFormatLocksWritesAndReadsBackUnchanged) {
    SoftwareDevice3D device;
    std::vector<PixelFormat> formats;
    ASSERT_EQ(device.EnumTextureFormats(formats), D3D_OK);
    std::vector<TextureFormat> found;
    for (const PixelFormat& f : formats) {
        found.push_back(ClassifyPixelFormat(f));
    }
    ASSERT_EQ(found, (std::vector<TextureFormat>{TextureFormat::Argb8888, TextureFormat::Argb4444,
                                                 TextureFormat::Rgb565, TextureFormat::Palette8}));
    for (TextureFormat format : found) {
        SCOPED_TRACE(static_cast<int>(format));
        std::shared_ptr<Texture> texture;
        ASSERT_EQ(device.CreateTexture(5, 3, format, texture), DD_OK);
        LockedTexture locked;
        ASSERT_EQ(texture->Lock(kLockWait | kLockWriteOnly, locked), DD_OK);
        ASSERT_EQ(locked.format, format);
        const int rowBytes = 5 * BytesPerTexel(format);
        ASSERT_GE(locked.pitch, rowBytes);
        for (int y = 0; y < 3; ++y) {
            for (int i = 0; i < rowBytes; ++i) {
                static_cast<std::uint8_t*>(locked.bits)[y * locked.pitch + i] =
                    static_cast<std::uint8_t>(y * 71 + i * 13);
            }
        }
        ASSERT_EQ(texture->Unlock(), DD_OK);
        ASSERT_EQ(texture->Lock(kLockWait | kLockReadOnly, locked), DD_OK);
        for (int y = 0; y < 3; ++y) {
            for (int i = 0; i < rowBytes; ++i) {
                ASSERT_EQ(static_cast<std::uint8_t*>(locked.bits)[y * locked.pitch + i],
                          static_cast<std::uint8_t>(y * 71 + i * 13));
            }
        }
        ASSERT_EQ(texture->Unlock(), DD_OK);
    }
}

TEST(TextureTest, LockingRules) {
    SoftwareDevice3D device;
    std::shared_ptr<Texture> texture;
    ASSERT_EQ(device.CreateTexture(4, 4, TextureFormat::Argb8888, texture), DD_OK);
    LockedTexture locked;
    EXPECT_EQ(texture->Unlock(), DDERR_NOTLOCKED);
    ASSERT_EQ(texture->Lock(kLockWait, locked), DD_OK);
    EXPECT_EQ(texture->Lock(kLockWait, locked), DDERR_SURFACEBUSY);
    // A locked texture cannot be drawn from.
    TargetBuffer target(TargetFormat::Xrgb8888, 4, 4);
    Prepare(device, target);
    ASSERT_EQ(device.SetTexture(0, texture), D3D_OK);
    const auto quad = QuadStrip(0, 0, 4, 4, 0xFFFFFFFF);
    EXPECT_EQ(device.DrawPrimitive(PrimitiveType::TriangleStrip, kFvfTransformedTextured, quad.data(), 4, 0),
              D3DERR_TEXTURE_LOCKED);
    ASSERT_EQ(texture->Unlock(), DD_OK);
    EXPECT_EQ(device.DrawPrimitive(PrimitiveType::TriangleStrip, kFvfTransformedTextured, quad.data(), 4, 0), D3D_OK);
}

TEST(TextureTest, CreationChecksFormatSizeAndAspect) {
    AdapterDescription adapter = SoftwareAdapter();
    adapter.caps.maxTextureWidth = 256;
    adapter.caps.maxTextureAspectRatio = 4;
    adapter.formats.pop_back(); // no palette format
    SoftwareDevice3D device(adapter);
    std::shared_ptr<Texture> texture;
    EXPECT_EQ(device.CreateTexture(8, 8, TextureFormat::Palette8, texture), D3DERR_TEXTURE_NO_SUPPORT);
    EXPECT_EQ(device.CreateTexture(8, 8, TextureFormat::None, texture), D3DERR_TEXTURE_NO_SUPPORT);
    EXPECT_EQ(device.CreateTexture(0, 8, TextureFormat::Rgb565, texture), D3DERR_TEXTURE_BADSIZE);
    EXPECT_EQ(device.CreateTexture(512, 256, TextureFormat::Rgb565, texture), D3DERR_TEXTURE_BADSIZE);
    EXPECT_EQ(device.CreateTexture(64, 8, TextureFormat::Rgb565, texture), D3DERR_TEXTURE_BADSIZE);
    EXPECT_EQ(device.CreateTexture(32, 8, TextureFormat::Rgb565, texture), DD_OK);
    // Aspect 0 is no limit at all.
    EXPECT_EQ(SoftwareDevice3D().CreateTexture(1024, 1, TextureFormat::Argb8888, texture), DD_OK);
}

// Narrow channels widen by repeating their top bits, so 0xF becomes 0xFF and
// 0x8 becomes 0x88.
TEST(TextureTest, SixteenBitTexelsWidenToFullRange) {
    Texture t4444(2, 1, TextureFormat::Argb4444);
    Texture t565(2, 1, TextureFormat::Rgb565);
    LockedTexture locked;
    ASSERT_EQ(t4444.Lock(kLockWriteOnly, locked), DD_OK);
    const std::uint16_t texels4444[] = {0x8F40, 0x0000};
    std::memcpy(locked.bits, texels4444, sizeof texels4444);
    ASSERT_EQ(t4444.Unlock(), DD_OK);
    ASSERT_EQ(t565.Lock(kLockWriteOnly, locked), DD_OK);
    const std::uint16_t texels565[] = {0xF800, 0x0410};
    std::memcpy(locked.bits, texels565, sizeof texels565);
    ASSERT_EQ(t565.Unlock(), DD_OK);
    EXPECT_EQ(t4444.Argb()[0], 0x88FF4400u);
    EXPECT_EQ(t4444.Argb()[1], 0x00000000u);
    EXPECT_EQ(t565.Argb()[0], 0xFFFF0000u);
    EXPECT_EQ(t565.Argb()[1], 0xFF008284u);
}

class PaletteTest : public ::testing::Test {
protected:
    void SetUp() override {
        Prepare(device, target);
        SetBlend(device, Blend::SrcAlpha, Blend::InvSrcAlpha);
        texture = MakeTexture<std::uint8_t>(device, 2, 1, TextureFormat::Palette8, {0, 1});
        ASSERT_EQ(device.SetTexture(0, texture), D3D_OK);
    }

    void Draw() {
        ASSERT_EQ(device.Clear(0, nullptr, kClearTarget, 0xFF000000, 1.0f, 0), D3D_OK);
        const auto quad = QuadStrip(-0.5f, -0.5f, 1.5f, 0.5f, 0xFFFFFFFF);
        ASSERT_EQ(device.DrawPrimitive(PrimitiveType::TriangleStrip, kFvfTransformedTextured, quad.data(), 4, 0),
                  D3D_OK);
    }

    std::array<PaletteEntry, TexturePalette::kEntryCount> Entries() const {
        std::array<PaletteEntry, TexturePalette::kEntryCount> entries{};
        entries[0] = {255, 0, 0, 0x80}; // half-transparent red
        entries[1] = {0, 0, 255, 0xFF}; // opaque blue
        return entries;
    }

    TargetBuffer target{TargetFormat::Xrgb8888, 4, 2};
    SoftwareDevice3D device;
    std::shared_ptr<Texture> texture;
};

TEST_F(PaletteTest, PaletteAlphaAppliesAndChangesShowAtOnce) {
    std::shared_ptr<TexturePalette> palette;
    ASSERT_EQ(device.CreatePalette(true, Entries(), palette), DD_OK);
    ASSERT_EQ(texture->SetPalette(palette), DD_OK);
    Draw();
    EXPECT_EQ(target.At(0, 0), (Rgb8{128, 0, 0}));
    EXPECT_EQ(target.At(1, 0), (Rgb8{0, 0, 255}));

    const PaletteEntry green{0, 255, 0, 0x40};
    ASSERT_EQ(palette->SetEntries(1, 1, &green), DD_OK);
    Draw();
    EXPECT_EQ(target.At(1, 0), (Rgb8{0, 64, 0}));
}

TEST_F(PaletteTest, PaletteWithoutAlphaIsOpaque) {
    std::shared_ptr<TexturePalette> palette;
    ASSERT_EQ(device.CreatePalette(false, Entries(), palette), DD_OK);
    ASSERT_EQ(texture->SetPalette(palette), DD_OK);
    Draw();
    EXPECT_EQ(target.At(0, 0), (Rgb8{255, 0, 0}));
}

TEST_F(PaletteTest, PaletteErrors) {
    std::shared_ptr<TexturePalette> palette;
    ASSERT_EQ(device.CreatePalette(true, Entries(), palette), DD_OK);
    PaletteEntry out[2];
    EXPECT_EQ(palette->GetEntries(255, 2, out), DDERR_INVALIDPARAMS);
    EXPECT_EQ(palette->SetEntries(-1, 1, out), DDERR_INVALIDPARAMS);
    ASSERT_EQ(palette->GetEntries(0, 2, out), DD_OK);
    EXPECT_EQ(out[0], (PaletteEntry{255, 0, 0, 0x80}));
    Texture rgb(2, 2, TextureFormat::Rgb565);
    EXPECT_EQ(rgb.SetPalette(palette), DDERR_NOTPALETTIZED);

    AdapterDescription adapter = SoftwareAdapter();
    adapter.caps.paletteAlpha = false;
    EXPECT_EQ(SoftwareDevice3D(adapter).CreatePalette(true, Entries(), palette), DDERR_NOALPHAHW);
}

} // namespace
} // namespace platform::test
