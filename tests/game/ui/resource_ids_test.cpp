#include "game/ui/game_resource_manager.h"
#include "game/ui/resource_ids.h"

#include "platform/file_system.h"
#include "tests/game/ui/cleared_resource_globals.h"
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

TEST(ResourceIdsTest, NamesAndIds) {
    struct Case {
        std::string name;
        int id;
    } cases[] = {{"FONT_DEFAULT", 0},
                 {"IMAGE_CUSTOM_TEXT", 9},
                 {"SOUND_MUTATOR", 31},
                 {"IMAGE_TIP", 44},
                 {"IMAGE_REWARD_HINT_WINDOW", 122},
                 {"image_tip", 123},
                 {"", 123},
                 {"IMAGE_TIP ", 123}};
    for (const Case& c : cases)
        EXPECT_EQ(GetIdByStringId(c.name), c.id) << c.name;
    for (int id = 0; id < RESOURCE_ID_MAX; ++id)
        EXPECT_EQ(GetIdByStringId(GetStringIdById(id)), id);
    EXPECT_EQ(GetStringIdById(123), "");
    EXPECT_EQ(GetStringIdById(-1), "");
    EXPECT_EQ(gResourceAddresses[IMAGE_TIP_ID], static_cast<void*>(&IMAGE_TIP));
    EXPECT_EQ(gResourceAddresses[FONT_DEFAULT_ID], static_cast<void*>(&FONT_DEFAULT));
}

class ResourceExtractionTest : public Kavo::HeadlessEnvironment {
protected:
    // A manifest whose "Bonuses" group names every id of that group but
    // `skip`, all bound to one small picture, read and loaded.
    void LoadBonusesWithout(const std::string& skip) {
        const std::string picture = mFolder.Sub("pic.png");
        ASSERT_TRUE(platform::WriteWholeFile(
            picture, AsText(Kavo::ImageEncoders::EncodePngArgb(4, 4, std::vector<uint32_t>(16, 0xFF00FF00)))));
        std::string manifest = "<ResourceManifest>\n<Resources id=\"Bonuses\">\n";
        for (int id = IMAGE_BONUS_RECOLOR_ID; id <= IMAGE_BONUS_PEPPER_GOLD_ID; ++id) {
            if (GetStringIdById(id) != skip)
                manifest += "<Image id=\"" + GetStringIdById(id) + "\" path=\"" + picture + "\"/>\n";
        }
        manifest += "</Resources>\n</ResourceManifest>\n";
        ASSERT_TRUE(platform::WriteWholeFile(mFolder.Sub("resources.xml"), manifest));
        ASSERT_TRUE(mManager.LoadManifest(mFolder.Sub("resources.xml"))) << mManager.GetErrorText();
        ASSERT_TRUE(mManager.LoadGroup("Bonuses")) << mManager.GetErrorText();
    }

    static std::string AsText(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

    ClearedResourceGlobals mCleared;
    platform_test::TempFolder mFolder;
    GameResourceManager mManager{std::make_unique<Kavo::FakeResourceServices>()};
};

TEST_F(ResourceExtractionTest, MissingNameFailsWithEarlierIdsBound) {
    LoadBonusesWithout("IMAGE_BREAD");
    EXPECT_FALSE(ExtractBonusesResources(mManager));
    EXPECT_NE(IMAGE_BONUS_RECOLOR, nullptr);    // the group's first id
    EXPECT_NE(IMAGE_MENUTEXT, nullptr);         // id 26, before the missing 27
    EXPECT_EQ(IMAGE_BONUS_BREAKLINE2, nullptr); // id 28, after it
    EXPECT_EQ(mManager.GetErrorText(), "Image resource not found: IMAGE_BREAD");
    // A group that was not loaded fails at its first id.
    EXPECT_FALSE(ExtractGameResources(mManager));
    EXPECT_EQ(SOUND_MUTATOR, 0);
}

} // namespace
} // namespace Game
