// The comics scenes on a headless application with pictures made in
// memory: the timeline to the board, "Skip", the captions' events, the
// noises by half of the screen and a second showing.
#include "game/meta/comics_scene.h"

#include "framework/graphics/memory_image.h"
#include "framework/widget/widget_manager.h"
#include "game/app/game_app.h"
#include "platform/file_system.h"
#include "tests/framework/app/app_test_environment.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace Game {
namespace {

// Pictures by name, of the sizes given; any other name does not load.
class PictureApp : public GameApp {
public:
    using GameApp::GameApp;
    Kavo::MemoryImage* GetImage(const std::string& fileName, bool) override {
        const auto found = mSizes.find(fileName);
        if (found == mSizes.end())
            return nullptr;
        auto* image = new Kavo::MemoryImage();
        image->Create(found->second.first, found->second.second);
        return image;
    }
    std::map<std::string, std::pair<int, int>> mSizes;
};

class Board : public GameDialog {
public:
    Board() : GameDialog(0, false) {}
    void OnEnter() override { ++mEntered; }
    int mEntered = 0;
};

class ComicsSceneTest : public app_test::AppTestEnvironment {
protected:
    ComicsSceneTest() {
        mApp.mVSyncUpdates = false; // Update steps UpdateF itself
        for (const char* scene : {"comix", "comix2", "comix3"}) {
            const std::string folder = std::string("images/") + scene;
            mApp.mSizes[folder + "/girl"] = {400, 700};
            mApp.mSizes[folder + "/aunt"] = {300, 700};
        }
        mApp.mSizes["images/comix/phone"] = {100, 100};
        for (const char* layout : {"UI/comix.txt", "UI/comix2.txt", "UI/comix3.txt"})
            File(layout, "[Main]\r\nPosition=0,0,1024,768\r\n[Skip]\r\nType=Button\r\nID=1\r\n"
                         "Position=900,700,100,40\r\n");
        // Three captions of 120 updates each: the aunt comes after the second.
        const std::string pages = "[Main]\r\nPagesCount=1\r\n[Page1]\r\nText1=10,10,200,40,A,0,-1,60,60\r\n"
                                  "Text2=10,10,200,40,B,0,-1,60,60\r\nText3=10,10,200,40,C,0,-1,60,60\r\n";
        for (const char* file : {"data/comix.txt", "data/comix2.txt", "data/comix3.txt"})
            File(file, pages);
        mApp.mBoardScreen = mBoard;
    }
    void File(const std::string& name, const std::string& text) {
        const std::string path = WorkFolder() + "/" + name;
        platform::MakeDirectories(path.substr(0, path.find_last_of('/')));
        ASSERT_TRUE(platform::WriteWholeFile(path, text));
    }
    // Shows the scene through its switch from the main menu or the map.
    ComicsScene* Show(int scene) {
        GameDialog** slot = scene == 1 ? &mApp.mComicsScene1 : scene == 2 ? &mApp.mComicsScene2 : &mApp.mComicsScene3;
        if (*slot == nullptr)
            *slot = scene == 1   ? static_cast<GameDialog*>(new ComicsScene1())
                    : scene == 2 ? static_cast<GameDialog*>(new ComicsScene2())
                                 : static_cast<GameDialog*>(new ComicsScene3());
        mApp.SwitchScreen(scene == 1 ? 38 : scene == 2 ? 18 : 19);
        return static_cast<ComicsScene*>(*slot);
    }
    // Updates until the board is entered; the number of updates or 0.
    int UpdatesToBoard(ComicsScene& scene, int limit = 5000) {
        for (int update = 1; update <= limit; ++update) {
            scene.Update();
            if (mBoard->mEntered > 0)
                return update;
        }
        return 0;
    }

    PictureApp mApp{Platform().Folder() + "/program"};
    Board* mBoard = new Board();
};

TEST_F(ComicsSceneTest, SkipInTheFirstStateReachesTheBoard128UpdatesLater) {
    ComicsScene* scene = Show(1);
    ASSERT_NE(scene->GetSkip(), nullptr);
    EXPECT_EQ(scene->GetState(), ComicsScene::PhoneRinging);
    scene->ButtonDepress(ComicsScene::kSkipButton);
    EXPECT_FALSE(scene->GetSkip()->mVisible);
    EXPECT_EQ(UpdatesToBoard(*scene), 128);
    EXPECT_EQ(mApp.mEnteringScreen, mBoard); // switch 37
}

TEST_F(ComicsSceneTest, EachSceneRunsItsTimelineToItsOwnSwitch) {
    for (int number : {1, 2, 3}) {
        mBoard->mEntered = 0;
        ComicsScene* scene = Show(number);
        bool auntCameAfterTheSecondCaption = false;
        int seenStates = 0;
        for (int update = 0; update < 3000 && mBoard->mEntered == 0; ++update) {
            scene->Update();
            seenStates |= 1 << scene->GetState();
            if (scene->GetState() == ComicsScene::AuntComing)
                auntCameAfterTheSecondCaption = scene->GetPageView()->GetEntryIndex() == 2;
        }
        EXPECT_EQ(mBoard->mEntered, 1) << number;
        EXPECT_EQ(seenStates, 0x7F) << number; // every state in turn
        EXPECT_TRUE(auntCameAfterTheSecondCaption) << number;
        EXPECT_TRUE(scene->HasGirlArrived() && scene->HasAuntArrived()) << number;
        mApp.SwitchScreen(42); // back to the menu side, the scene leaves
    }
}

TEST_F(ComicsSceneTest, TheSecondCaptionDuringTheFadeStartsNoAunt) {
    ComicsScene* scene = Show(1);
    scene->ButtonDepress(ComicsScene::kSkipButton);
    scene->PageEntryFinished(1);
    EXPECT_EQ(scene->GetState(), ComicsScene::FadingOut);
    scene->PageEntryFinished(15);
    EXPECT_FALSE(scene->IsMonthShown());
}

TEST_F(ComicsSceneTest, NoNoiseBeforeTheGirlHasCome) {
    ComicsScene* scene = Show(1);
    scene->MouseMove(900, 300); // the girl's half in scene 1
    scene->MouseMove(100, 300);
    EXPECT_EQ(scene->GetGirlNoise(), 0u);
    EXPECT_EQ(scene->GetAuntNoise(), 0u);
}

TEST_F(ComicsSceneTest, ASceneWithoutItsPicturesStillReachesTheBoard) {
    mApp.mSizes.clear();
    ComicsScene* scene = Show(2);
    EXPECT_EQ(scene->GetGirl().GetImage(), nullptr);
    EXPECT_GT(UpdatesToBoard(*scene, 1000), 0);
    EXPECT_EQ(mApp.mEnteringScreen, mBoard); // switch 39
}

TEST_F(ComicsSceneTest, ASecondShowingReplacesTheLayout) {
    ComicsScene* scene = Show(2);
    const size_t children = scene->mWidgets.size();
    mApp.SwitchScreen(42);
    Show(2);
    EXPECT_EQ(scene->mWidgets.size(), children); // one "Skip", not two
    ASSERT_NE(scene->GetSkip(), nullptr);
    EXPECT_TRUE(scene->GetSkip()->mVisible);
}

} // namespace
} // namespace Game
