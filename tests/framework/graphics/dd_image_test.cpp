// The surface image: when it gets a surface, its colour key, locking,
// reading back and the copies it keeps in step.
#include <gtest/gtest.h>

#include <vector>

#include "framework/graphics/surface_color_key.h"
#include "tests/framework/graphics/display_device_fixture.h"

namespace {

using namespace display_test;
using Kavo::DDImage;
using Kavo::DDInterface;

class SurfaceImage : public DisplayDevice {
protected:
    void InitWith(const platform::PixelFormat& desktop) {
        environment->settings.desktopFormat = desktop;
        ASSERT_EQ(OpenAndInit(true), DDInterface::RESULT_OK);
    }

    std::unique_ptr<DDImage> Make(const std::vector<uint32_t>& pixels, int width) {
        auto image = std::make_unique<DDImage>(dd.get());
        image->SetBits(pixels.data(), width, static_cast<int>(pixels.size()) / width);
        return image;
    }

    static std::optional<platform::ColorKey> KeyOf(DDImage& image) {
        platform::ColorKey key;
        if (platform::Failed(image.mSurface->GetColorKey(platform::kColorKeySrcBlt, key)))
            return std::nullopt;
        return key;
    }
};

TEST_F(SurfaceImage, AnOpaqueImageGetsASurfaceWithoutKey) {
    InitWith(platform::PixelFormat::Xrgb8888());
    auto image = Make({0xFF102030, 0xFF405060, 0xFFFFFFFF, 0xFF000000}, 2);
    ASSERT_TRUE(image->GenerateDDSurface());
    EXPECT_TRUE(image->mSurfaceWanted);
    EXPECT_FALSE(KeyOf(*image));
    EXPECT_EQ(PixelOf(image->mSurface, 0, 0), 0x102030u);
    EXPECT_EQ(PixelOf(image->mSurface, 1, 1), 0u);
}

TEST_F(SurfaceImage, PartialAlphaGetsNoSurfaceAndIsNotWanted) {
    InitWith(platform::PixelFormat::Xrgb8888());
    auto image = Make({0xFF102030, 0x80405060}, 2);
    EXPECT_FALSE(image->GenerateDDSurface());
    EXPECT_EQ(image->mSurface, nullptr);
    EXPECT_FALSE(image->mSurfaceWanted);
    EXPECT_NE(image->mBits, nullptr);
}

TEST_F(SurfaceImage, TheKeyIsTheFirstClearPixelUnlessAnOpaquePixelHasIt) {
    struct Case {
        platform::PixelFormat format;
        std::vector<uint32_t> pixels;
        uint32_t key;
    } cases[] = {
        // 16 bits: the clear pixel's own colour, converted.
        {platform::PixelFormat::Rgb565(), {0x00FF00FF, 0xFFFFFFFF}, 0xF81F},
        // 16 bits: opaque black has the clear pixel's value; the lowest free one is taken.
        {platform::PixelFormat::Rgb565(), {0x00000000, 0xFF000000, 0xFF000008}, 2},
        // 32 bits: the clear pixel's own value.
        {platform::PixelFormat::Xrgb8888(), {0x00123456, 0xFF000000}, 0x00123456},
        {platform::PixelFormat::Xrgb8888(), {0x00000000, 0xFF000000, 0xFF000001}, 2},
        // Another channel order: the collision is seen in the surface's values.
        {platform::PixelFormat::Xbgr8888(), {0x00FF0000, 0xFF0000FF}, 0},
    };
    for (const Case& c : cases) {
        InitWith(c.format);
        auto image = Make(c.pixels, static_cast<int>(c.pixels.size()));
        ASSERT_TRUE(image->GenerateDDSurface());
        const auto key = KeyOf(*image);
        ASSERT_TRUE(key);
        EXPECT_EQ(key->low, c.key);
        EXPECT_EQ(key->high, c.key);
        EXPECT_EQ(PixelOf(image->mSurface, 0, 0), c.key);
        for (size_t x = 1; x < c.pixels.size(); ++x)
            EXPECT_NE(PixelOf(image->mSurface, static_cast<int>(x), 0), c.key);
        image.reset();
        dd.reset();
        installed.reset();
    }
}

TEST_F(SurfaceImage, WhenEverySixteenBitValueIsOpaqueTheSurfaceIsRefusedAndTheBitsKept) {
    InitWith(platform::PixelFormat::Rgb565());
    std::vector<uint32_t> pixels(257 * 256, 0x00000000);
    for (uint32_t v = 0; v < 0x10000; ++v)
        pixels[v] = 0xFF000000 | ((v >> 11) & 31) << 19 | ((v >> 5) & 63) << 10 | (v & 31) << 3;
    auto image = Make(pixels, 257);
    const int surfaces = LiveSurfaces();
    EXPECT_FALSE(image->GenerateDDSurface());
    EXPECT_EQ(image->mSurface, nullptr);
    EXPECT_EQ(LiveSurfaces(), surfaces);
    ASSERT_NE(image->mBits, nullptr);
    EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), image->mBits.get()));

    // The search itself: all values taken gives no key.
    const Kavo::SurfacePixelConverter converter{Kavo::DisplayPixelFormat::Rgb565(), 0xF800, 0x07E0, 0x001F};
    EXPECT_FALSE(Kavo::ChooseColorKey(pixels.data(), pixels.size(), 16, converter));
}

TEST_F(SurfaceImage, NestedLocksNeedAsManyUnlocks) {
    InitWith(platform::PixelFormat::Xrgb8888());
    auto image = Make({0xFF000000, 0xFFFFFFFF}, 2);
    ASSERT_TRUE(image->LockSurface()); // makes the surface
    ASSERT_TRUE(image->LockSurface());
    EXPECT_EQ(image->mLockCount, 2);
    EXPECT_TRUE(image->UnlockSurface());
    EXPECT_TRUE(image->mSurface->IsLocked());
    EXPECT_TRUE(image->UnlockSurface());
    EXPECT_FALSE(image->mSurface->IsLocked());
    EXPECT_FALSE(image->UnlockSurface()); // nothing left to unlock
}

TEST_F(SurfaceImage, ReadBackWidensNothingAndKeepsKeyedPixelsClear) {
    struct Case {
        platform::PixelFormat format;
        std::vector<uint32_t> pixels;
        std::vector<uint32_t> readBack;
    } cases[] = {
        {platform::PixelFormat::Rgb565(), {0xFFFFFFFF, 0xFF0000FF}, {0xFFF8FCF8, 0xFF0000F8}},
        {platform::PixelFormat::Rgb565(), {0x00000000, 0xFF000000, 0xFFFF0000}, {0, 0xFF000000, 0xFFF80000}},
        {platform::PixelFormat::Xrgb8888(), {0x00FF00FF, 0xFF123456}, {0, 0xFF123456}},
    };
    for (const Case& c : cases) {
        InitWith(c.format);
        auto image = Make(c.pixels, static_cast<int>(c.pixels.size()));
        ASSERT_TRUE(image->GenerateDDSurface());
        image->DeleteAllNonSurfaceData();
        const uint32_t* bits = image->GetBits();
        ASSERT_NE(bits, nullptr);
        EXPECT_EQ(std::vector<uint32_t>(bits, bits + c.readBack.size()), c.readBack);
        EXPECT_EQ(bits[c.readBack.size()], Kavo::MemoryImage::kGuardWord);
        EXPECT_NE(image->mSurface, nullptr); // the surface stays beside the bits
        image.reset();
        dd.reset();
        installed.reset();
    }
}

TEST_F(SurfaceImage, CreateDropsTheSurfaceUnread) {
    InitWith(platform::PixelFormat::Xrgb8888());
    auto image = Make({0xFF000000, 0xFFFFFFFF}, 2);
    ASSERT_TRUE(image->GenerateDDSurface());
    image->DeleteAllNonSurfaceData();
    const int locks = Faults().Calls(platform::DisplayOperation::Lock);
    const int surfaces = LiveSurfaces();
    image->Create(4, 4);
    EXPECT_EQ(image->mSurface, nullptr);
    EXPECT_EQ(image->mBits, nullptr);
    EXPECT_EQ(Faults().Calls(platform::DisplayOperation::Lock), locks);
    EXPECT_EQ(LiveSurfaces(), surfaces - 1);
    EXPECT_EQ(image->mWidth, 4);
}

TEST_F(SurfaceImage, KeyedPixelsSurviveAReInitialisation) {
    InitWith(platform::PixelFormat::Xrgb8888());
    auto image = Make({0x00000000, 0xFFFF0000, 0x00000000, 0xFF00FF00}, 2);
    image->mSurfaceWanted = true;
    image->SetPurgeBits(); // the surface holds the image alone
    ASSERT_NE(image->mSurface, nullptr);
    ASSERT_EQ(image->mBits, nullptr);

    // What the application does around a screen-mode switch.
    image->DropSoftwareCachesB();
    EXPECT_EQ(image->mSurface, nullptr);
    ASSERT_EQ(dd->Init(window, true), DDInterface::RESULT_OK);
    image->ReapplyStorageFlags();
    ASSERT_NE(image->mSurface, nullptr);
    EXPECT_EQ(image->mBits, nullptr);
    const uint32_t* bits = image->GetBits();
    ASSERT_NE(bits, nullptr);
    EXPECT_EQ(std::vector<uint32_t>(bits, bits + 4), (std::vector<uint32_t>{0, 0xFFFF0000, 0, 0xFF00FF00}));
}

TEST_F(SurfaceImage, AnImageIsInBothLiveSetsUntilDestroyed) {
    InitWith(platform::PixelFormat::Xrgb8888());
    auto* image = new DDImage(dd.get());
    EXPECT_EQ(dd->mDDImageSet.count(image), 1u);
    EXPECT_TRUE(Images().Contains(image));
    delete image;
    EXPECT_EQ(dd->mDDImageSet.count(image), 0u);
    EXPECT_FALSE(Images().Contains(image));
}

TEST_F(SurfaceImage, SetSurfaceReleasesTheSurfaceItReplaces) {
    InitWith(platform::PixelFormat::Xrgb8888());
    const int before = LiveSurfaces();
    platform::Surface* first = nullptr;
    platform::Surface* second = nullptr;
    platform::SurfaceDesc desc;
    desc.flags = platform::kDescCaps | platform::kDescWidth | platform::kDescHeight;
    desc.caps = platform::kCapsSystemMemory;
    desc.width = 3;
    desc.height = 2;
    ASSERT_EQ(dd->CreateSurface(desc, &first), platform::DD_OK);
    ASSERT_EQ(dd->CreateSurface(desc, &second), platform::DD_OK);
    DDImage image(dd.get());
    image.SetSurface(first);
    first->Release();
    EXPECT_EQ(image.mWidth, 3);
    image.SetSurface(second);
    second->Release();
    EXPECT_EQ(LiveSurfaces(), before + 1);
    EXPECT_TRUE(image.mSurfaceAdopted);
    image.SetPurgeBits(); // an adopted surface is never given up
    image.DropSoftwareCachesB();
    EXPECT_EQ(image.mSurface, second);
}

TEST_F(SurfaceImage, SetVideoMemoryMovesThePixelsOnlyOnAChange) {
    InitWith(platform::PixelFormat::Xrgb8888());
    auto image = Make({0xFF010203, 0xFF040506}, 2);
    ASSERT_TRUE(image->GenerateDDSurface());
    image->DeleteAllNonSurfaceData();
    platform::Surface* surface = image->mSurface;
    image->SetVideoMemory(false);
    EXPECT_EQ(image->mSurface, surface);
    EXPECT_EQ(image->mBits, nullptr);
    image->SetVideoMemory(true);
    EXPECT_EQ(image->mSurface, nullptr);
    ASSERT_NE(image->mBits, nullptr);
    EXPECT_EQ(image->mBits[1], 0xFF040506u);
    ASSERT_NE(image->GetSurface(), nullptr);
    EXPECT_NE(image->mSurface->Caps() & platform::kCapsVideoMemory, 0u);
}

TEST_F(SurfaceImage, DrawingIntoTheBitsDropsTheSurface) {
    InitWith(platform::PixelFormat::Xrgb8888());
    auto image = Make({0xFF010203, 0xFF040506}, 2);
    ASSERT_TRUE(image->GenerateDDSurface());
    // The memory image's own drawing, as the image takes when it cannot draw on its surface.
    image->MemoryImage::FillRect(Kavo::IntRect(0, 0, 1, 1), Kavo::Color(255, 0, 0), 0);
    EXPECT_EQ(image->mSurface, nullptr);
    EXPECT_EQ(image->GetBits()[0], 0xFFFF0000u);
}

TEST_F(SurfaceImage, ImagesOutlivingTheDeviceLetGoOfIt) {
    InitWith(platform::PixelFormat::Xrgb8888());
    auto image = Make({0xFF010203}, 1);
    ASSERT_TRUE(image->GenerateDDSurface());
    dd.reset();
    EXPECT_EQ(image->mDDInterface, nullptr);
    image.reset(); // releases its surface; nothing reaches the device
}

} // namespace
