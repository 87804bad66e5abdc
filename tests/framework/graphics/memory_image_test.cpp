#include "framework/graphics/memory_image.h"

#include "framework/graphics/graphics.h"
#include "tests/framework/graphics/fake_display_3d.h"
#include "tests/support/headless_environment.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <vector>

namespace Kavo {
namespace {

// A display stand-in: plays the display format and the 3D renderer as
// each test needs.
class FakeHost : public ImageHost {
public:
    std::optional<DisplayPixelFormat> mFormat;
    int mTexturesRemoved = 0;
    bool mTextureCurrent = false;
    uint32_t mTexturePixel = 0;

    const DisplayPixelFormat* GetDisplayFormat() const override { return mFormat ? &*mFormat : nullptr; }
    void RemoveTextures(MemoryImage* image) override {
        ++mTexturesRemoved;
        image->mTextureData = nullptr;
    }
    bool ReadBackTexture(MemoryImage* image, uint32_t* dest) override {
        if (!mTextureCurrent)
            return false;
        std::fill_n(dest, image->PixelCount(), mTexturePixel);
        return true;
    }
};

// A fresh registry with the fake display attached for the whole test.
class MemoryImageStorage : public HeadlessEnvironment {
protected:
    MemoryImageStorage() { Images().AttachHost(mHost); }
    ~MemoryImageStorage() override { Images().DetachHost(); }

    FakeHost mHost;
};

// Stands for the renderer's texture record; the image never dereferences it.
TextureData* FakeTexture() {
    static int record;
    return reinterpret_cast<TextureData*>(&record);
}

std::vector<uint32_t> Pixels(MemoryImage& image) {
    uint32_t* bits = image.GetBits();
    return std::vector<uint32_t>(bits, bits + image.PixelCount());
}

void SetRow(MemoryImage& image, const std::vector<uint32_t>& pixels) {
    image.SetBits(pixels.data(), static_cast<int>(pixels.size()), 1);
}

TEST_F(MemoryImageStorage, GuardWordFollowsTheLastPixel) {
    MemoryImage empty;
    EXPECT_EQ(empty.GetBits()[0], MemoryImage::kGuardWord);

    MemoryImage created;
    created.Create(3, 2);
    EXPECT_TRUE(created.mHasTrans && created.mHasAlpha);
    created.UpdateAlphaFlags(); // no pixels yet: counted as transparent
    EXPECT_TRUE(created.mHasTrans);
    EXPECT_FALSE(created.mHasAlpha);
    uint32_t* bits = created.GetBits();
    EXPECT_EQ(std::vector<uint32_t>(bits, bits + 6), std::vector<uint32_t>(6, 0u));
    EXPECT_EQ(bits[6], MemoryImage::kGuardWord);

    std::vector<uint32_t> src{1, 2, 3, 4};
    created.SetBits(src.data(), 2, 2);
    EXPECT_EQ(created.GetBits()[4], MemoryImage::kGuardWord);
    created.ClearBits();
    EXPECT_EQ(Pixels(created), std::vector<uint32_t>(4, 0u));
    EXPECT_EQ(created.GetBits()[4], MemoryImage::kGuardWord);
}

TEST_F(MemoryImageStorage, AlphaFlagsFollowThePixels) {
    struct Case {
        std::vector<uint32_t> pixels;
        bool hasTrans;
        bool hasAlpha;
    };
    const Case cases[] = {
        {{0x00000000, 0xFFFFFFFF}, true, false},
        {{0x80FFFFFF}, false, true},
        {{0xFFFFFFFF}, false, false},
        {{0xFF000000, 0x01000000, 0x00FFFFFF}, true, true},
        {{0xFE123456}, false, true},
    };
    for (const Case& c : cases) {
        MemoryImage image;
        SetRow(image, c.pixels);
        EXPECT_EQ(image.mHasTrans, c.hasTrans) << c.pixels[0];
        EXPECT_EQ(image.mHasAlpha, c.hasAlpha) << c.pixels[0];
    }

    // Flags computed from a colour table count every entry, used or not.
    MemoryImage palettised;
    SetRow(palettised, {0xFFFFFFFF, 0xFF000000});
    ASSERT_TRUE(palettised.Palettize());
    palettised.mAlphaFlagsDirty = true;
    palettised.UpdateAlphaFlags();
    EXPECT_TRUE(palettised.mHasTrans);
    EXPECT_FALSE(palettised.mHasAlpha);
}

TEST_F(MemoryImageStorage, ForcedAlphaFlagsSurviveChanges) {
    MemoryImage image;
    image.SetAlphaFlags(false, true);
    SetRow(image, {0x00000000, 0xFFFFFFFF});
    image.FillRect(IntRect(0, 0, 1, 1), Color(0, 0, 0, 255), 0);
    image.UpdateAlphaFlags();
    EXPECT_FALSE(image.mHasTrans);
    EXPECT_TRUE(image.mHasAlpha);
    EXPECT_TRUE(image.mAlphaFlagsDirty);
}

TEST_F(MemoryImageStorage, PalettizeKeepsTheExactColours) {
    // 256 distinct colours in a 16 x 16 image.
    std::vector<uint32_t> colours(256);
    for (uint32_t i = 0; i < 256; ++i)
        colours[i] = 0xFF000000u | (255 - i) << 16 | i;
    colours[255] = colours[254] ^ 0x00000100;

    MemoryImage image;
    image.SetBits(colours.data(), 16, 16);
    ASSERT_TRUE(image.Palettize());
    EXPECT_EQ(image.mBits, nullptr);
    EXPECT_TRUE(image.mWantPalettize);
    EXPECT_EQ(image.mColorIndices[0], 0);
    EXPECT_EQ(image.mColorIndices[255], 255);
    EXPECT_TRUE(image.Palettize()); // already palettised

    EXPECT_EQ(Pixels(image), colours);
    EXPECT_EQ(image.mColorTable, nullptr);
    EXPECT_EQ(image.mColorIndices, nullptr);
    EXPECT_EQ(image.GetBits()[256], MemoryImage::kGuardWord);

    // One colour more fails and leaves the plain pixels as they were.
    std::vector<uint32_t> tooMany(colours);
    tooMany.push_back(0x12345678);
    MemoryImage crowded;
    SetRow(crowded, tooMany);
    uint32_t* before = crowded.GetBits();
    EXPECT_FALSE(crowded.Palettize());
    EXPECT_EQ(crowded.GetBits(), before);
    EXPECT_EQ(Pixels(crowded), tooMany);
    EXPECT_EQ(crowded.mColorTable, nullptr);
    EXPECT_FALSE(crowded.mWantPalettize);
}

TEST_F(MemoryImageStorage, ExactPaletteNumbersColoursByFirstAppearance) {
    const uint32_t pixels[] = {0xFF00FF00, 0x10000000, 0xFF00FF00, 0xFFFFFFFF, 0x10000000, 0x80808080};
    uint8_t indices[6];
    uint32_t table[256] = {};
    ASSERT_TRUE(MemoryImage::MakeExactPalette(pixels, 3, 2, indices, table));
    EXPECT_EQ(std::vector<uint8_t>(indices, indices + 6), (std::vector<uint8_t>{0, 1, 0, 2, 1, 3}));
    EXPECT_EQ(std::vector<uint32_t>(table, table + 5),
              (std::vector<uint32_t>{0xFF00FF00, 0x10000000, 0xFFFFFFFF, 0x80808080, 0}));
}

TEST_F(MemoryImageStorage, PalettisedFormSurvivesSmallAndResizedImages) {
    MemoryImage single;
    SetRow(single, {0x80402010});
    ASSERT_TRUE(single.Palettize());
    EXPECT_EQ(Pixels(single), std::vector<uint32_t>{0x80402010});

    MemoryImage resized;
    SetRow(resized, {1, 2});
    ASSERT_TRUE(resized.Palettize());
    resized.Create(4, 3);
    EXPECT_EQ(Pixels(resized), std::vector<uint32_t>(12, 0u));
}

TEST_F(MemoryImageStorage, PurgeToA16BitDisplayDropsTheLowBits) {
    mHost.mFormat = DisplayPixelFormat::Rgb565();
    MemoryImage image;
    SetRow(image, {0xFFFF0000, 0x80FF8040, 0xFF123456});
    image.SetPurgeBits();
    EXPECT_TRUE(image.mPurgeBits);
    EXPECT_EQ(image.mBits, nullptr);
    ASSERT_NE(image.mNativeAlphaData, nullptr);
    EXPECT_EQ(image.mNativeAlphaData[0], 0xFF00F800u);

    EXPECT_EQ(Pixels(image), (std::vector<uint32_t>{0xFFF80000, 0x80F87C38, 0xFF103450}));
    EXPECT_NE(image.mNativeAlphaData, nullptr); // the display copy stays
}

TEST_F(MemoryImageStorage, PurgeWithoutADisplayKeepsThePixels) {
    MemoryImage image;
    SetRow(image, {0xFF123456});
    image.SetPurgeBits();
    EXPECT_TRUE(image.mPurgeBits);
    ASSERT_NE(image.mBits, nullptr);
    EXPECT_EQ(image.mNativeAlphaData, nullptr);
    EXPECT_EQ(Pixels(image), std::vector<uint32_t>{0xFF123456});
}

TEST_F(MemoryImageStorage, PurgeIn3DWaitsForATexture) {
    FakeDisplay3D display;
    display.m3D = true;
    const platform::Installed<Display3D> in3D(Display3DSlot(), display);
    MemoryImage image;
    SetRow(image, {0xFF123456, 0xFF654321});
    image.SetPurgeBits();
    EXPECT_NE(image.mBits, nullptr);

    image.mTextureData = FakeTexture();
    image.SetPurgeBits();
    EXPECT_EQ(image.mBits, nullptr);
    mHost.mTextureCurrent = true;
    mHost.mTexturePixel = 0xFFABCDEF;
    EXPECT_EQ(Pixels(image), std::vector<uint32_t>(2, 0xFFABCDEFu));

    // A texture that is no longer current reads back as nothing.
    image.SetPurgeBits();
    mHost.mTextureCurrent = false;
    EXPECT_EQ(Pixels(image), std::vector<uint32_t>(2, 0u));
    image.DropTextures();
    EXPECT_EQ(image.mTextureData, nullptr);
    EXPECT_EQ(mHost.mTexturesRemoved, 1);
}

TEST_F(MemoryImageStorage, PurgeOfAPalettisedImageWithATextureKeepsEveryPixel) {
    mHost.mFormat = DisplayPixelFormat::Rgb888();
    MemoryImage image;
    std::vector<uint32_t> pixels{0xFF102030, 0xFF405060, 0xFF102030, 0xFF708090};
    image.SetBits(pixels.data(), 2, 2);
    ASSERT_TRUE(image.Palettize());
    image.GetDisplayFormatBits(*mHost.mFormat); // the converted colour table
    image.mTextureData = FakeTexture();
    image.SetPurgeBits();
    EXPECT_EQ(image.mColorTable, nullptr);
    EXPECT_EQ(image.mColorIndices, nullptr);
    image.mTextureData = nullptr;
    EXPECT_EQ(Pixels(image), pixels);
}

TEST_F(MemoryImageStorage, DisplayFormatPremultipliesByAlphaPlusOne) {
    MemoryImage image;
    SetRow(image, {0x80FF8040, 0x00FFFFFF, 0xFFFFFFFF});
    uint32_t* native = image.GetDisplayFormatBits(DisplayPixelFormat::Rgb888());
    EXPECT_EQ(native[0], 0x80804020u);
    EXPECT_EQ(native[1], 0x00000000u);
    EXPECT_EQ(native[2], 0xFFFFFFFFu);
    EXPECT_EQ(image.GetDisplayFormatBits(DisplayPixelFormat::Rgb565()), native); // cached

    MemoryImage palettised;
    SetRow(palettised, {0xFFFFFFFF, 0xFF0000FF, 0xFFFFFFFF});
    ASSERT_TRUE(palettised.Palettize());
    uint32_t* table = palettised.GetDisplayFormatBits(DisplayPixelFormat::Rgb565());
    EXPECT_EQ(table[0], 0xFF00FFFFu);
    EXPECT_EQ(table[1], 0xFF00001Fu);
}

std::vector<uint8_t> AlphaRuns(MemoryImage& image) {
    uint8_t* runs = image.GetAlphaRuns();
    return std::vector<uint8_t>(runs, runs + image.PixelCount());
}

TEST_F(MemoryImageStorage, AlphaRunsCountDownWithinEachRow) {
    MemoryImage alternating;
    std::vector<uint32_t> row(9);
    for (size_t i = 0; i < row.size(); ++i)
        row[i] = i % 2 ? 0xFF000000 : 0x00FFFFFF;
    SetRow(alternating, row);
    EXPECT_EQ(AlphaRuns(alternating), std::vector<uint8_t>(9, 1));

    MemoryImage uniform;
    SetRow(uniform, std::vector<uint32_t>(600, 0xFF336699));
    std::vector<uint8_t> expected(346, 255);
    for (int n = 254; n >= 1; --n)
        expected.push_back(static_cast<uint8_t>(n));
    EXPECT_EQ(AlphaRuns(uniform), expected);

    // Three classes; runs stop at the end of each row.
    MemoryImage mixed;
    const uint32_t pixels[] = {0x10FFFFFF, 0x80000000, 0xFF000000, 0xFFFFFFFF, //
                               0x00000000, 0x00FFFFFF, 0xFF000000, 0x01000000};
    mixed.SetBits(pixels, 4, 2);
    EXPECT_EQ(AlphaRuns(mixed), (std::vector<uint8_t>{2, 1, 2, 1, 2, 1, 1, 1}));
    ASSERT_TRUE(mixed.Palettize());
    mixed.mRLAlphaData.reset();
    EXPECT_EQ(AlphaRuns(mixed), (std::vector<uint8_t>{2, 1, 2, 1, 2, 1, 1, 1}));
    EXPECT_NE(mixed.mColorTable, nullptr); // read through the indices, still palettised

    MemoryImage column;
    const uint32_t same[] = {0xFF000000, 0xFF000000, 0xFF000000};
    column.SetBits(same, 1, 3);
    EXPECT_EQ(AlphaRuns(column), std::vector<uint8_t>(3, 1));
}

TEST_F(MemoryImageStorage, ImagesWithoutPixelsHaveEmptyRunTables) {
    // The tables are built without reading a pixel (the sanitizer build
    // catches a read before the array).
    for (auto [width, height] : {std::pair{0, 5}, {-3, 4}, {4, 0}, {0, 0}}) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        MemoryImage image;
        image.Create(width, height);
        EXPECT_EQ(image.PixelCount(), 0u);
        EXPECT_NE(image.GetAlphaRuns(), nullptr);
        EXPECT_NE(image.GetAdditiveRuns(DisplayPixelFormat::Rgb888()), nullptr);
    }
}

TEST_F(MemoryImageStorage, AdditiveRunsSeparateBlackDisplayColour) {
    MemoryImage image;
    // Nearly transparent pixels premultiply to black whatever their colour.
    SetRow(image, {0xFF000000, 0xFF000000, 0xFF010101, 0x00FFFFFF, 0x017F0000});
    uint8_t* runs = image.GetAdditiveRuns(DisplayPixelFormat::Rgb888());
    EXPECT_EQ(std::vector<uint8_t>(runs, runs + 5), (std::vector<uint8_t>{2, 1, 1, 2, 1}));
}

TEST_F(MemoryImageStorage, ChangedBitsDropTheDerivedBuffers) {
    MemoryImage image;
    SetRow(image, {0xFF000000, 0xFF000000});
    int changes = image.mBitsChangedCount;
    image.GetAlphaRuns();
    image.GetAdditiveRuns(DisplayPixelFormat::Rgb888());
    ASSERT_NE(image.mNativeAlphaData, nullptr);

    image.DropSoftwareCachesB();
    EXPECT_EQ(image.mNativeAlphaData, nullptr);
    EXPECT_EQ(image.mRLAdditiveData, nullptr);
    EXPECT_NE(image.mRLAlphaData, nullptr);

    image.FillRect(IntRect(1, 0, 1, 1), Color(0, 0, 0, 0), 0);
    EXPECT_EQ(image.mRLAlphaData, nullptr);
    EXPECT_EQ(image.mBitsChangedCount, changes + 1);
    image.ClearRect(IntRect(1, 0, 1, 1));
    EXPECT_EQ(AlphaRuns(image), (std::vector<uint8_t>{1, 1}));
    image.UpdateAlphaFlags();
    EXPECT_TRUE(image.mHasTrans);
}

TEST_F(MemoryImageStorage, DroppingCachesOfAPurgedImageKeepsThePixels) {
    mHost.mFormat = DisplayPixelFormat::Rgb888();
    MemoryImage image;
    SetRow(image, {0xFF112233, 0xFF445566});
    image.SetPurgeBits();
    ASSERT_EQ(image.mBits, nullptr);
    image.DropDerivedBuffers();
    EXPECT_EQ(image.mNativeAlphaData, nullptr);
    EXPECT_EQ(mHost.mTexturesRemoved, 1);
    EXPECT_EQ(Pixels(image), (std::vector<uint32_t>{0xFF112233, 0xFF445566}));
}

TEST_F(MemoryImageStorage, ReapplyStorageFlagsPalettisesThenPurges) {
    mHost.mFormat = DisplayPixelFormat::Rgb888();
    MemoryImage image;
    SetRow(image, {0xFF112233, 0xFF445566, 0xFF112233});
    image.mWantPalettize = true;
    image.mPurgeBits = true;
    image.ReapplyStorageFlags();
    EXPECT_NE(image.mColorIndices, nullptr);
    EXPECT_EQ(image.mBits, nullptr);
    ASSERT_NE(image.mNativeAlphaData, nullptr); // the converted table
    EXPECT_EQ(image.mNativeAlphaData[1], 0xFF445566u);
    EXPECT_EQ(Pixels(image), (std::vector<uint32_t>{0xFF112233, 0xFF445566, 0xFF112233}));
}

TEST_F(MemoryImageStorage, SetBitsReusesOrReplacesTheArray) {
    MemoryImage image;
    SetRow(image, {1, 2, 3});
    uint32_t* bits = image.GetBits();
    int changes = image.mBitsChangedCount;
    image.SetBits(bits, 3, 1);
    EXPECT_EQ(image.mBitsChangedCount, changes);

    std::vector<uint32_t> other{7, 8, 9, 10, 11, 12};
    image.SetBits(other.data(), 2, 3);
    EXPECT_EQ(image.GetWidth(), 2);
    EXPECT_EQ(image.GetHeight(), 3);
    EXPECT_EQ(Pixels(image), other);
    EXPECT_EQ(image.GetBits()[6], MemoryImage::kGuardWord);

    // Same size but no array yet (after Create): one is made.
    image.Create(2, 3);
    image.SetBits(other.data(), 2, 3);
    EXPECT_EQ(Pixels(image), other);
}

TEST_F(MemoryImageStorage, CopyOfAPurgedImageLeavesTheSourcePurged) {
    mHost.mFormat = DisplayPixelFormat::Rgb888();
    MemoryImage source;
    source.mNumCols = 2;
    SetRow(source, {0xFF102030, 0xFF405060});
    source.SetPurgeBits();
    source.GetAlphaRuns();
    ASSERT_EQ(source.mBits, nullptr);
    {
        MemoryImage copy(source);
        EXPECT_EQ(source.mBits, nullptr);
        EXPECT_NE(source.mNativeAlphaData, nullptr);
        EXPECT_TRUE(copy.mPurgeBits);
        EXPECT_EQ(copy.mNumCols, 2);
        ASSERT_NE(copy.mBits, nullptr);
        EXPECT_EQ(Pixels(copy), (std::vector<uint32_t>{0xFF102030, 0xFF405060}));
        EXPECT_EQ(copy.GetBits()[2], MemoryImage::kGuardWord);
        ASSERT_NE(copy.mRLAlphaData, nullptr);
        EXPECT_EQ(copy.mRLAlphaData[0], 2);
        EXPECT_EQ(copy.mRegistry, source.mRegistry);
        EXPECT_EQ(Images().Count(), 2u);
        EXPECT_TRUE(Images().Contains(&copy));
    }
    EXPECT_EQ(Images().Count(), 1u);
    EXPECT_TRUE(Images().Contains(&source));

    // A palettised source is copied in its palettised form.
    ASSERT_TRUE(source.Palettize());
    MemoryImage copy(source);
    EXPECT_EQ(copy.mBits, nullptr);
    EXPECT_EQ(Pixels(copy), (std::vector<uint32_t>{0xFF102030, 0xFF405060}));
    EXPECT_NE(source.mColorTable, nullptr);
}

TEST_F(MemoryImageStorage, ImagesJoinTheRegistryInstalledWhenMade) {
    const ImageRegistry* fresh = &Images();
    auto image = std::make_unique<MemoryImage>();
    EXPECT_EQ(image->mRegistry.get(), fresh);
    EXPECT_TRUE(Images().Contains(image.get()));

    // Another registry installed meanwhile: the image still leaves the one
    // it joined, which it keeps alive.
    auto other = std::make_shared<ImageRegistry>();
    {
        const platform::Installed<ImageRegistry> swapped(ImageRegistrySlot(), other);
        MemoryImage later;
        EXPECT_TRUE(other->Contains(&later));
        EXPECT_FALSE(Images().Contains(&later));
        image.reset();
        EXPECT_EQ(Images().Count(), 0u);
    }
    EXPECT_EQ(other->Count(), 0u);

    // With no registry installed an image belongs to none and still works.
    const platform::Installed<ImageRegistry> none(ImageRegistrySlot(), std::shared_ptr<ImageRegistry>());
    MemoryImage loose;
    EXPECT_EQ(loose.mRegistry, nullptr);
    SetRow(loose, {0xFF000001});
    loose.SetPurgeBits();
    loose.DropTextures();
    EXPECT_EQ(Pixels(loose), std::vector<uint32_t>{0xFF000001});
}

TEST_F(MemoryImageStorage, ImagesOutlivingTheirHostNeverCallIt) {
    Images().DetachHost();
    auto host = std::make_unique<FakeHost>();
    host->mFormat = DisplayPixelFormat::Rgb565();
    Images().AttachHost(*host);
    auto image = std::make_unique<MemoryImage>();
    SetRow(*image, {0xFF123456});
    image->mTextureData = FakeTexture();
    image->DropTextures();
    EXPECT_EQ(host->mTexturesRemoved, 1);
    EXPECT_EQ(image->mTextureData, nullptr);

    // The display goes away before the image (an image kept in a table).
    image->mTextureData = FakeTexture();
    Images().DetachHost();
    host.reset();
    EXPECT_FALSE(Images().HasHost());
    image->SetPurgeBits(); // no display format any more: the pixels stay
    EXPECT_EQ(Pixels(*image), std::vector<uint32_t>{0xFF123456});
    image->DropTextures();
    image.reset(); // the sanitizer build catches a call into the freed host
    EXPECT_EQ(Images().Count(), 0u);
}

TEST_F(MemoryImageStorage, UnregisteringLetsTheHostDropTheTextures) {
    {
        MemoryImage image;
        image.mTextureData = FakeTexture();
    }
    EXPECT_EQ(mHost.mTexturesRemoved, 1);
}

// Both callers of the 3D question see the one installed answer.
TEST_F(MemoryImageStorage, TheThreeDQuestionHasOneAnswer) {
    MemoryImage surface;
    MemoryImage other;
    EXPECT_FALSE(IsDisplay3D());
    EXPECT_FALSE(IsDrawSurface3D(&surface));
    EXPECT_FALSE(Graphics(&surface).mIs3D);

    FakeDisplay3D display;
    display.m3D = true;
    display.mSurface = &surface;
    {
        const platform::Installed<Display3D> in3D(Display3DSlot(), display);
        EXPECT_TRUE(Graphics(&surface).mIs3D);
        EXPECT_FALSE(Graphics(&other).mIs3D);
        // In 3D a purge waits for a texture instead of using the display
        // format, which this host offers.
        mHost.mFormat = DisplayPixelFormat::Rgb888();
        SetRow(other, {0xFF010203});
        other.SetPurgeBits();
        EXPECT_NE(other.mBits, nullptr);
        EXPECT_EQ(other.mNativeAlphaData, nullptr);
    }
    EXPECT_FALSE(IsDisplay3D());
    EXPECT_FALSE(Graphics(&surface).mIs3D);
    other.SetPurgeBits();
    EXPECT_EQ(other.mBits, nullptr);
}

} // namespace
} // namespace Kavo
