#pragma once
// The board screen on the headless application with the sample stage
// table, layouts, items and layout file, one user, a fixed random seed and
// stand-in effects whose lengths the tests choose.

#include "framework/graphics/memory_image.h"
#include "game/app/game_app.h"
#include "game/board/board_defs.h"
#include "game/board/board_profile_adapter.h"
#include "game/board/bonus.h"
#include "game/board/bonus_registry.h"
#include "game/board/item_catalog.h"
#include "game/board/stages.h"
#include "game/screens/board_effect_maker.h"
#include "game/screens/board_screen.h"
#include "game/ui/effect_base.h"
#include "game/ui/profile_services.h"
#include "game/ui/ui_sound.h"
#include "tests/framework/app/app_test_environment.h"

#include <memory>
#include <string>
#include <vector>

namespace Game::Test {

// Lasts `life` updates, then calls its end (once) and reports done.
class StandInEffect : public EffectBase {
public:
    // `perFrame`: counts its life in frame steps (as the tile spread moves).
    StandInEffect(int life, std::function<void()> done, bool perFrame = false)
        : mLife(life), mDoneCall(std::move(done)), mPerFrame(perFrame) {}
    void Update() override;
    void Update(float) override;

    int mLife;
    std::function<void()> mDoneCall;
    bool mPerFrame;

private:
    void Age();
};

// Stand-ins with chosen lengths; 0 makes none of that kind.
class StandInEffects : public BoardEffectMaker {
public:
    std::unique_ptr<EffectBase> MakeTileSpread(BoardTiles&) override { return Make(mSpread, {}, true); }
    std::unique_ptr<EffectBase> MakeItemScaleIn(Board&, Done done) override { return Make(mScaleIn, done); }
    std::unique_ptr<EffectBase> MakeStartBanner(float, float, Done done) override { return Make(mBanner, done); }
    std::unique_ptr<EffectBase> MakeHintMarker(const Move&) override { return Make(mHint, {}); }
    std::unique_ptr<EffectBase> MakeTipArrow(const Move&) override { return Make(mTipArrow, {}); }
    std::unique_ptr<EffectBase> MakeChainDust(int, int) override { return Make(mDust, {}); }
    std::unique_ptr<EffectBase> MakeBlink(Board&) override { return Make(mBlink, {}); }

    int mSpread = 30;
    int mScaleIn = 40;
    int mBanner = 60;
    int mHint = 100;
    int mTipArrow = 1000000;
    int mDust = 20;
    int mBlink = 50;

private:
    static std::unique_ptr<EffectBase> Make(int life, Done done, bool perFrame = false);
};

class SoundLog : public UiSoundPlayer {
public:
    void PlayUiSound(const std::string& name, bool) override { mPlayed.push_back(name); }
    int Count(const std::string& name) const;
    std::vector<std::string> mPlayed;
};

// Counts the bytes of the last board block the profile saved.
class CountingBoardBlock : public BoardProfileAdapter {
public:
    using BoardProfileAdapter::BoardProfileAdapter;
    void Save(Kavo::Buffer& buffer) override;
    int mLastBlock = -1;
};

class BoardScreenFixture : public app_test::AppTestEnvironment {
protected:
    BoardScreenFixture();
    ~BoardScreenFixture() override;

    // Makes the screen (into the application's board slot and its widgets).
    void MakeScreen();
    // One update as the application gives it: Update, then UpdateF(1.0).
    void Step(int updates = 1);
    // Enters the screen and steps until the board is settled and the
    // start banner ended.
    void EnterAndSettle();
    UserRecord& Record() { return *mUsers->GetCurrentRecord(); }
    void AddRegistryBonuses(int count, Kavo::Image* picture);

    std::shared_ptr<Stages> mStages = std::make_shared<Stages>();
    std::shared_ptr<BoardDefs> mDefs = std::make_shared<BoardDefs>();
    std::shared_ptr<ItemCatalog> mItems = std::make_shared<ItemCatalog>();
    std::shared_ptr<BonusRegistry> mRegistry = std::make_shared<BonusRegistry>();
    platform::Installed<Stages> mStagesSlot{StagesSlot(), mStages};
    platform::Installed<BoardDefs> mDefsSlot{BoardDefsSlot(), mDefs};
    platform::Installed<ItemCatalog> mItemsSlot{ItemCatalogSlot(), mItems};
    platform::Installed<BonusRegistry> mRegistrySlot{BonusRegistrySlot(), mRegistry};
    std::unique_ptr<platform::Installed<StageGoalTable>> mGoalTable;
    std::unique_ptr<platform::Installed<ProfileBoard>> mBoardBlock;
    std::shared_ptr<CountingBoardBlock> mBlock;
    GameApp mApp{Platform().Folder() + "/program"};
    UserManager* mUsers = UserManager::GetInstance();
    std::shared_ptr<SoundLog> mSounds = std::make_shared<SoundLog>();
    platform::Installed<UiSoundPlayer> mSoundSlot{UiSoundPlayerSlot(), mSounds};
    std::shared_ptr<StandInEffects> mEffects = std::make_shared<StandInEffects>();
    BoardScreenHooks mHooks;
    BoardScreen* mScreen = nullptr;
};

} // namespace Game::Test
