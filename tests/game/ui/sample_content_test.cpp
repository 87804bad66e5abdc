// The generated sample content, read from its main.pak the way the game
// reads it: the manifest through the resource managers, every group loaded
// and bound to the resource ids, and the game's data files through the term
// table, the description cache and the animations.
#include "framework/font/default_font_services.h"
#include "framework/graphics/memory_image.h"
#include "framework/pak/pak_interface.h"
#include "game/ui/animation.h"
#include "game/ui/background_set.h"
#include "game/ui/game_resource_manager.h"
#include "game/ui/image_desc_cache.h"
#include "game/ui/resource_ids.h"
#include "game/ui/termins.h"
#include "tests/game/ui/cleared_resource_globals.h"
#include "tests/support/fake_resource_services.h"
#include "tests/support/headless_environment.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace Game {
namespace {

class SampleContentTest : public Kavo::HeadlessEnvironment {
protected:
    void SetUp() override { ASSERT_TRUE(mReader->MountArchive(KAVO_SAMPLE_PAK)) << KAVO_SAMPLE_PAK; }

    ClearedResourceGlobals mCleared;
    std::shared_ptr<Kavo::PakInterface> mReader = std::make_shared<Kavo::PakInterface>();
    platform::Installed<Kavo::PakInterfaceBase> mInstalledReader{Kavo::PakReaderSlot(), mReader};
    Kavo::DefaultFontServices mFontServices;
    platform::Installed<Kavo::FontServices> mInstalledFonts{Kavo::FontServicesSlot(), mFontServices};
};

TEST_F(SampleContentTest, EveryGroupLoadsAndBindsAllIds) {
    using MakeManager = std::function<std::unique_ptr<Kavo::ResourceManager>()>;
    const std::pair<const char*, MakeManager> managers[] = {
        {"framework manager",
         [] { return std::make_unique<Kavo::ResourceManager>(std::make_unique<Kavo::FakeResourceServices>()); }},
        {"game manager",
         [] { return std::make_unique<GameResourceManager>(std::make_unique<Kavo::FakeResourceServices>()); }},
    };
    for (const auto& [kind, make] : managers) {
        SCOPED_TRACE(kind);
        ClearedResourceGlobals cleared;
        std::unique_ptr<Kavo::ResourceManager> manager = make();
        ASSERT_TRUE(manager->LoadManifest("properties/resources.xml")) << manager->GetErrorText();
        // The game's groups and the sample groups of the other image and
        // sound formats. (The sample "Fonts" group has a legacy descriptor,
        // which is read from the disk only, never from the archive.)
        for (const char* group : {"Init", "TitleScreen", "Bonuses", "Game", "Preview", "Sounds"})
            EXPECT_TRUE(manager->LoadGroup(group)) << group << ": " << manager->GetErrorText();
        EXPECT_TRUE(ExtractInitResources(*manager)) << manager->GetErrorText();
        EXPECT_TRUE(ExtractTitleScreenResources(*manager)) << manager->GetErrorText();
        EXPECT_TRUE(ExtractBonusesResources(*manager)) << manager->GetErrorText();
        EXPECT_TRUE(ExtractGameResources(*manager)) << manager->GetErrorText();

        for (int id = 0; id < RESOURCE_ID_MAX; ++id) {
            switch (GetResourceKind(id)) {
            case ResourceKind::Image:
                EXPECT_NE(GetImageResourceById(id), nullptr) << GetStringIdById(id);
                break;
            case ResourceKind::Font:
                ASSERT_NE(GetFontResourceById(id), nullptr) << GetStringIdById(id);
                EXPECT_GT(GetFontResourceById(id)->GetHeight(), 0) << GetStringIdById(id);
                break;
            default:
                EXPECT_GE(GetSoundResourceById(id), 0) << GetStringIdById(id);
            }
        }
        ASSERT_NE(IMAGE_TITLE_BACK, nullptr);
        EXPECT_EQ(IMAGE_TITLE_BACK->mWidth, 1024);
        EXPECT_EQ(IMAGE_TITLE_BACK->mHeight, 768);
        ASSERT_NE(IMAGE_ICON_ITEMS, nullptr);
        EXPECT_EQ(IMAGE_ICON_ITEMS->mNumCols, 3);
        EXPECT_NE(SOUND_MUTATOR, SOUND_TIMER);
        EXPECT_NE(FONT_SCORES_DONE, FONT_SCORES); // a duplicate of its own

        // Typed lookups never hand out another kind, nor anything out of range.
        EXPECT_EQ(GetImageResourceById(FONT_DEFAULT_ID), nullptr);
        EXPECT_EQ(GetFontResourceById(IMAGE_TIP_ID), nullptr);
        EXPECT_EQ(GetSoundResourceById(IMAGE_TIP_ID), -1);
        EXPECT_EQ(GetResourceById(SOUND_TIMER_ID), nullptr);
        EXPECT_EQ(GetResourceById(IMAGE_TIP_ID), static_cast<void*>(IMAGE_TIP));
        for (int id : {-1, 123, 1000})
            EXPECT_EQ(GetResourceById(id), nullptr) << id;
    }
}

TEST_F(SampleContentTest, DataFilesReadThroughTheGameManager) {
    auto manager = std::make_shared<GameResourceManager>(std::make_unique<Kavo::FakeResourceServices>());
    platform::Installed<GameResourceManager> installedManager(GameResourceManagerSlot(), manager);
    platform::Installed<ImageDescCache> installedCache(ImageDescCacheSlot(), std::make_shared<ImageDescCache>());

    Termins terms;
    terms.Load("data/termins.txt");
    EXPECT_EQ(terms.Get("HelpNext"), "Next");
    EXPECT_EQ(terms.Get("TipRoom8"), "Have fun!");
    EXPECT_EQ(terms.Get("Quit"), "Quit");
    EXPECT_NE(terms.Get("SureExit"), "SureExit");

    BackgroundSet backs;
    backs.Load("data/backs.spr");
    ASSERT_NE(backs.Get("Back1"), nullptr);
    ASSERT_NE(backs.Get("Back2"), nullptr);
    EXPECT_EQ(backs.Get("Back2")->mImageFile, "images\\backs\\back2");
    EXPECT_EQ(backs.Get("Back1")->mImage, nullptr); // listed, not loaded

    ImageDesc* items = GetImageDescByName("data/item.anim", true, true);
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(items->mRects.size(), 14u);
    ASSERT_NE(items->mImage, nullptr);
    EXPECT_EQ(items->mImage->mWidth, 7 * 50);
    EXPECT_TRUE(manager->HasImage("images\\items\\items"));

    Animation selected;
    selected.LoadFile("data/selected.anim");
    ASSERT_NE(selected.GetImageDesc(), nullptr);
    EXPECT_EQ(selected.mFrameCount, 4);
    EXPECT_EQ(selected.GetImageDesc()->mRects.size(), 4u);
    ASSERT_NE(selected.GetImageDesc()->mImage, nullptr);
    EXPECT_EQ(selected.GetImageDesc()->mImage->mHeight, 56);
    // The colour cycle runs: the alpha leaves its start value.
    selected.Restart();
    const int startAlpha = selected.mCurrentColor.mAlpha;
    for (int i = 0; i < 30; ++i)
        selected.Update();
    EXPECT_NE(selected.mCurrentColor.mAlpha, startAlpha);
}

} // namespace
} // namespace Game
