#include "game/ui/game_resource_manager.h"

#include "framework/graphics/memory_image.h"
#include "platform/file_system.h"
#include "tests/platform/temp_folder.h"
#include "tests/support/fake_resource_services.h"
#include "tests/support/headless_environment.h"
#include "tools/image_encoders/image_encoders.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace Game {
namespace {

// Opens the image records to the tests.
class OpenGameResourceManager : public GameResourceManager {
public:
    using GameResourceManager::GameResourceManager;
    const Kavo::ImageRes* Record(const std::string& id) const {
        auto found = mImageMap.find(id);
        return found == mImageMap.end() ? nullptr : static_cast<const Kavo::ImageRes*>(found->second.get());
    }
};

class GameResourceManagerTest : public Kavo::HeadlessEnvironment {
protected:
    Kavo::FakeResourceServices* mServices = new Kavo::FakeResourceServices;
    OpenGameResourceManager mManager{std::unique_ptr<Kavo::ResourceAppServices>(mServices)};
};

TEST_F(GameResourceManagerTest, AttributeWordsBecomeImageFlags) {
    struct Case {
        const char* attributes;
        bool uses3D;
        bool palettize, a4r4g4b4, a8r8g8b8, ddSurface, minSubdivide, purgeBits;
    } cases[] = {
        {"", false, true, false, false, false, false, false},
        {"nopal a8r8g8b8 minsubdivide", false, false, false, true, false, true, false},
        {"a4r4g4b4,ddsurface", false, true, true, false, true, false, false},
        {"nobits", true, true, false, false, false, false, true},
        {"nobits", false, true, false, false, false, false, true},
        {"nobits3d", true, true, false, false, false, false, true},
        {"nobits3d", false, true, false, false, false, false, false},
        {"nobits2d", false, true, false, false, false, false, true},
        {"nobits2d", true, true, false, false, false, false, false},
    };
    int n = 0;
    for (const Case& c : cases) {
        mServices->mUses3D = c.uses3D;
        const std::string id = "images\\pic" + std::to_string(n++);
        EXPECT_TRUE(mManager.AddImage(id, "", c.attributes));
        const Kavo::ImageRes* res = mManager.Record(id);
        ASSERT_NE(res, nullptr);
        SCOPED_TRACE(std::string(c.attributes) + (c.uses3D ? " (3D)" : ""));
        EXPECT_EQ(res->mPath, id);
        EXPECT_EQ(res->mResGroup, "");
        EXPECT_EQ(res->mPalletize, c.palettize);
        EXPECT_EQ(res->mA4R4G4B4, c.a4r4g4b4);
        EXPECT_EQ(res->mA8R8G8B8, c.a8r8g8b8);
        EXPECT_EQ(res->mDDSurface, c.ddSurface);
        EXPECT_EQ(res->mMinimizeSubdivisions, c.minSubdivide);
        EXPECT_EQ(res->mPurgeBits, c.purgeBits);
    }
    // An id that exists keeps its first record.
    EXPECT_TRUE(mManager.AddImage("images\\pic0", "alpha", "nopal"));
    EXPECT_TRUE(mManager.Record("images\\pic0")->mPalletize);
    EXPECT_EQ(mManager.Record("images\\pic0")->mAlphaImage, "");
}

TEST_F(GameResourceManagerTest, ImageLoadsWithItsAlphaFile) {
    platform_test::TempFolder folder;
    auto write = [&](const std::string& name, uint32_t color) {
        const std::vector<uint8_t> png = Kavo::ImageEncoders::EncodePngArgb(4, 4, std::vector<uint32_t>(16, color));
        ASSERT_TRUE(platform::WriteWholeFile(folder.Sub(name), std::string(png.begin(), png.end())));
    };
    write("pic.png", 0xFFFF0000);
    write("mask.png", 0xFF404040);
    const std::string pic = folder.Sub("pic"), mask = folder.Sub("mask");

    EXPECT_FALSE(mManager.HasImage(pic));
    Kavo::Image* image = mManager.LoadImageWithFlags(pic, "nopal");
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(mManager.HasImage(pic));
    EXPECT_EQ(mManager.GetImageById(pic), image); // loaded once

    const std::string masked = folder.Sub("masked");
    write("masked.png", 0xFFFF0000);
    ASSERT_TRUE(mManager.AddImage(masked, mask, "nopal"));
    auto* withAlpha = static_cast<Kavo::MemoryImage*>(mManager.GetImageById(masked));
    ASSERT_NE(withAlpha, nullptr);
    EXPECT_EQ(withAlpha->GetBits()[0], 0x40FF0000u);

    EXPECT_EQ(mManager.GetImageById(folder.Sub("absent")), nullptr);
    EXPECT_FALSE(mManager.HasImage(folder.Sub("absent")));
}

} // namespace
} // namespace Game
