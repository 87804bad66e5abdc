#pragma once
// The map screen over a headless game application: its layout, settings
// and pictures, stand-in screens in the slots it switches to (each counts
// its entries), one named path for the new star, and a current player.

#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "framework/widget/widget_manager.h"
#include "game/effects/trajectories.h"
#include "game/effects/trajectories_writer.h"
#include "game/meta/map_screen.h"
#include "game/ui/game_dialog.h"
#include "tests/game/meta/meta_screen_fixture.h"

#include <filesystem>
#include <memory>
#include <string>

namespace Game::Test {

class StandInScreen : public GameDialog {
public:
    StandInScreen() : GameDialog(0, false) {}
    void OnEnter() override { ++mEntered; }
    int mEntered = 0;
};

// Restaurants at (200, 300), (500, 300) and (800, 300) with glows 100 x 80;
// stars in a row; the post panel's origin at (100, 600).
inline std::string MapLayoutText() {
    std::string text = "[Main]\r\nPosition=0,0,1024,768\r\n"
                       "[Next]\r\nType=Button\r\nID=1\r\nPosition=860,700,120,40\r\n"
                       "[Back]\r\nType=Button\r\nID=2\r\nPosition=40,700,120,40\r\n"
                       "[PostTumbs]\r\nType=Point\r\nX=100\r\nY=600\r\n";
    for (int r = 1; r <= 3; ++r)
        text += "[Rest" + std::to_string(r) + "]\r\nType=Point\r\nX=" + std::to_string(r * 300 - 100) + "\r\nY=300\r\n";
    for (int s = 1; s <= 15; ++s)
        text += "[Star" + std::to_string(s) + "]\r\nType=Point\r\nX=" + std::to_string(s * 60) + "\r\nY=100\r\n";
    return text;
}

class MapScreenFixture : public MetaScreenFixture {
protected:
    MapScreenFixture() {
        WriteWorkFile("ui/Map.txt", MapLayoutText());
        WriteWorkFile("ui/showrest.txt", "[Main]\r\n[Close]\r\nType=Button\r\nID=1\r\nPosition=880,710,100,40\r\n");
        WriteWorkFile("UI/puzzle.txt", "[Main]\r\n");
        std::string settings = "[RankStars]\r\n";
        for (int s = 1; s <= 15; ++s)
            settings += "Star" + std::to_string(s) + "=" + std::to_string(s * 32) + ",0,32,32\r\n";
        settings += "[PostRects]\r\nPost1=10,0,60,40\r\nPost2=80,0,60,40\r\n";
        mApp.mSettings.Parse(settings.data(), settings.size(), true);
        for (const char* scene : {"reststar0.ini", "reststar1.ini", "RankStarAppear.ini"}) {
            std::filesystem::create_directories(WorkFolder() + "/particles");
            std::filesystem::copy_file(std::string(KAVO_SAMPLE_CONTENT) + "/particles/" + scene,
                                       WorkFolder() + "/particles/" + scene);
        }
        // The only path: a star of the first restaurant at index 1.
        std::unique_ptr<TrajectoryPath> path = Trajectories::MakeLine(512, 384, 60, 100);
        path->mName = "Rank_1_1";
        WriteWorkFile("data/paths.dat", EncodeTrajectories({*path}));
        mPaths->Load("data/paths.dat", true);
        mApp.mSizes["images/map/cloudsday"] = {256, 128};

        IMAGE_RESTGLOW1 = &mGlow;
        IMAGE_RESTGLOW2 = &mGlow;
        IMAGE_RESTGLOW3 = &mGlow;
        IMAGE_MAP_RANK_STARS = &mPicture;
        IMAGE_MAP_BACK = &mPicture;
        IMAGE_POSTTUMB = &mPicture;
        IMAGE_POSTTUMBDISABLED = &mPicture;
        IMAGE_POSTBACK = &mPicture;
        IMAGE_CUSTOM_HAND = &mHand;
        IMAGE_CUSTOM_POINTER = &mPointer;
        mApp.mWidth = 1024;
        mApp.mHeight = 768;

        mMap = new MapScreen("ui/Map.txt", nullptr);
        mApp.mMapScreen = mMap;
        mApp.mBoardScreen = mBoard;
        mApp.mMainMenuScreen = mMenu;
        mApp.mComicsScene2 = mComics2;
        mApp.mComicsScene3 = mComics3;
        mApp.mRoomScreen = mRoom;
    }
    ~MapScreenFixture() override {
        for (Kavo::Image** image :
             {&IMAGE_RESTGLOW1, &IMAGE_RESTGLOW2, &IMAGE_RESTGLOW3, &IMAGE_MAP_RANK_STARS, &IMAGE_MAP_BACK,
              &IMAGE_POSTTUMB, &IMAGE_POSTTUMBDISABLED, &IMAGE_POSTBACK, &IMAGE_CUSTOM_HAND, &IMAGE_CUSTOM_POINTER})
            *image = nullptr;
    }

    static Kavo::MemoryImage Picture(int width, int height) {
        Kavo::MemoryImage image;
        image.Create(width, height);
        return image;
    }
    // From the main menu (mode 0) or, with a new star, from the board.
    void EnterAt(int stage, bool continuing, bool fromBoard = false) {
        Record().mReachedStage = stage;
        Record().mSecondGameFlag = continuing ? 1 : 0;
        mApp.SwitchScreen(fromBoard ? 14 : 17);
    }
    void DrawMap() {
        Kavo::MemoryImage canvas;
        canvas.Create(1024, 768);
        Kavo::Graphics g(&canvas);
        mMap->Draw(&g);
    }
    Kavo::Image* Cursor() const { return mApp.mCursorImages[0]; }
    bool MapShown() const { return mApp.mWidgetManager->HasWidget(mMap); }

    Kavo::MemoryImage mGlow = Picture(100, 80);
    Kavo::MemoryImage mPicture = Picture(400, 200);
    Kavo::MemoryImage mHand = Picture(8, 8);
    Kavo::MemoryImage mPointer = Picture(8, 8);
    std::shared_ptr<Trajectories> mPaths = std::make_shared<Trajectories>();
    platform::Installed<Trajectories> mPathsSlot{TrajectoriesSlot(), mPaths};
    MapScreen* mMap = nullptr;
    StandInScreen* mBoard = new StandInScreen();
    StandInScreen* mMenu = new StandInScreen();
    StandInScreen* mComics2 = new StandInScreen();
    StandInScreen* mComics3 = new StandInScreen();
    StandInScreen* mRoom = new StandInScreen();
};

} // namespace Game::Test
