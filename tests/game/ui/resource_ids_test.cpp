#include "game/ui/game_resource_manager.h"
#include "game/ui/resource_ids.h"

#include "framework/graphics/memory_image.h"
#include "tests/support/headless_environment.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>

namespace Game {
namespace {

struct StubFont : Kavo::Font {
    Kavo::Font* Duplicate() override { return new StubFont(*this); }
};

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
    ResourceExtractionTest() {
#define GAME_RESOURCE_CLEAR(kind, name, group) name = {};
        GAME_RESOURCE_LIST(GAME_RESOURCE_CLEAR)
#undef GAME_RESOURCE_CLEAR
    }
    ~ResourceExtractionTest() override {
#define GAME_RESOURCE_CLEAR(kind, name, group) name = {};
        GAME_RESOURCE_LIST(GAME_RESOURCE_CLEAR)
#undef GAME_RESOURCE_CLEAR
    }

    // Binds every id of the group as its group loader would, except `skip`.
    void LoadGroup(const std::string& group, const std::string& skip = "") {
        for (int id = 0; id < RESOURCE_ID_MAX; ++id) {
            const std::string name = GetStringIdById(id);
            if (name == skip || GroupOf(id) != group)
                continue;
            if (GetResourceKind(id) == ResourceKind::Image) {
                auto& record = mRecords.emplace_back();
                mImages.push_back(std::make_unique<Kavo::MemoryImage>());
                record.mImage = mImages.back().get();
                mManager.AddLoadedImage(name, group, Kavo::SharedImageHandle(&record));
            } else if (GetResourceKind(id) == ResourceKind::Font) {
                mManager.AddLoadedFont(name, group, std::make_unique<StubFont>());
            } else {
                mManager.AddLoadedSound(name, group, id + 1000);
            }
        }
    }

    static std::string GroupOf(int id) {
        return id <= 9 ? "Init" : id <= 11 ? "TitleScreen" : id <= 30 ? "Bonuses" : "Game";
    }

    std::deque<Kavo::SharedImage> mRecords;
    std::deque<std::unique_ptr<Kavo::MemoryImage>> mImages;
    GameResourceManager mManager{nullptr};
};

TEST_F(ResourceExtractionTest, AllFourGroupsBindTypedGlobals) {
    for (const char* group : {"Init", "TitleScreen", "Bonuses", "Game"})
        LoadGroup(group);
    EXPECT_TRUE(ExtractInitResources(mManager));
    EXPECT_TRUE(ExtractTitleScreenResources(mManager));
    EXPECT_TRUE(ExtractBonusesResources(mManager));
    EXPECT_TRUE(ExtractGameResources(mManager));

    EXPECT_NE(IMAGE_TIP, nullptr);
    EXPECT_EQ(GetImageResourceById(IMAGE_TIP_ID), IMAGE_TIP);
    EXPECT_EQ(GetResourceById(IMAGE_TIP_ID), static_cast<void*>(IMAGE_TIP));
    EXPECT_NE(FONT_DEFAULT, nullptr);
    EXPECT_EQ(GetFontResourceById(FONT_DEFAULT_ID), FONT_DEFAULT);
    EXPECT_EQ(SOUND_TIMER, SOUND_TIMER_ID + 1000);
    EXPECT_EQ(GetSoundResourceById(SOUND_TIMER_ID), SOUND_TIMER);

    // Typed lookups never hand out another kind, nor anything out of range.
    EXPECT_EQ(GetImageResourceById(FONT_DEFAULT_ID), nullptr);
    EXPECT_EQ(GetFontResourceById(IMAGE_TIP_ID), nullptr);
    EXPECT_EQ(GetSoundResourceById(IMAGE_TIP_ID), -1);
    EXPECT_EQ(GetResourceById(SOUND_TIMER_ID), nullptr);
    for (int id : {-1, 123, 1000})
        EXPECT_EQ(GetResourceById(id), nullptr) << id;
}

TEST_F(ResourceExtractionTest, MissingNameFailsWithEarlierIdsBound) {
    LoadGroup("Bonuses", "IMAGE_BREAD");
    EXPECT_FALSE(ExtractBonusesResources(mManager));
    EXPECT_NE(IMAGE_MENUTEXT, nullptr);         // id 26, before the missing 27
    EXPECT_EQ(IMAGE_BONUS_BREAKLINE2, nullptr); // id 28, after it
    EXPECT_EQ(mManager.GetErrorText(), "Image resource not found: IMAGE_BREAD");
    // A group that was not loaded fails at its first id.
    EXPECT_FALSE(ExtractGameResources(mManager));
}

} // namespace
} // namespace Game
