// A profile written with the real board and bonus blocks reads back whole.
#include "game/board/board_profile_adapter.h"
#include "game/board/bonus.h"
#include "game/board/bonus_profile_adapter.h"
#include "game/board/bonus_registry.h"

#include "framework/util/buffer.h"
#include "game/ui/user_manager.h"
#include "tests/game/board/ascii_board.h"
#include "tests/game/board/board_fixture.h"

#include <gtest/gtest.h>

#include <memory>

namespace Game {
namespace {

using namespace Game::Test;

class PlainBonus : public Bonus {
public:
    PlainBonus() : Bonus(nullptr) {}
};

class ProfileAdaptersTest : public Game::Test::BoardFixture {
protected:
    // A registry of two bonuses installed for the profile.
    std::shared_ptr<BonusRegistry> Registry() {
        auto registry = std::make_shared<BonusRegistry>();
        registry->Add(std::make_unique<PlainBonus>());
        registry->Add(std::make_unique<PlainBonus>());
        return registry;
    }

    std::shared_ptr<BonusRegistry> mWritten = Registry();
    std::unique_ptr<platform::Installed<BonusRegistry>> mRegistrySlot =
        std::make_unique<platform::Installed<BonusRegistry>>(BonusRegistrySlot(), mWritten);
    platform::Installed<ProfileBonuses> mBonuses{ProfileBonusesSlot(), std::make_shared<BonusProfileAdapter>()};
};

TEST_F(ProfileAdaptersTest, AProfileWithTheBoardAndTheBonusesReadsBack) {
    SetBoardFromAscii(mBoard, {"# # # #", "# 0t1c3S 2 #", "# 1 2c1 3 #"});
    mWritten->Get(0)->mEnabled = true;
    mWritten->Get(0)->mCharge = 2.5f;
    mWritten->Get(1)->mUseCount = 7;

    UserManager users;
    User user;
    user.mName = "Ann";
    user.mRecord.mInProgress = 1;
    user.mRecord.mStageIndex = 3;
    Kavo::Buffer buffer;
    {
        platform::Installed<ProfileBoard> board(ProfileBoardSlot(), std::make_shared<BoardProfileAdapter>(mBoard));
        users.WriteProfile(&user, buffer);
    }
    const int fixed = 5 + 4 * 17 + 32 + 40 + 5 * 4 + 16 + 2 + 8 + 1 + 3 + 8 + 4 + 4;
    EXPECT_EQ(buffer.GetDataLen(), fixed + Board::kSavedSize + 2 * Bonus::kRecordSize);

    Board loaded;
    loaded.SetOrigin(Game::Test::kOriginX, Game::Test::kOriginY);
    std::shared_ptr<BonusRegistry> read = Registry();
    platform::Installed<BonusRegistry> readSlot(BonusRegistrySlot(), read);
    platform::Installed<ProfileBoard> board(ProfileBoardSlot(), std::make_shared<BoardProfileAdapter>(loaded));
    User back;
    users.ReadProfile(&back, buffer);
    EXPECT_EQ(back.mName, "Ann");
    EXPECT_EQ(back.mRecord.mStageIndex, 3);
    EXPECT_EQ(AsciiFromBoard(loaded), AsciiFromBoard(mBoard));
    EXPECT_TRUE(read->Get(0)->mEnabled);
    EXPECT_EQ(read->Get(0)->mCharge, 2.5f);
    EXPECT_EQ(read->Get(1)->mUseCount, 7);
}

TEST_F(ProfileAdaptersTest, ANewGameHidesEveryBonusAndEmptiesItsCharge) {
    Bonus* bonus = mWritten->Get(0);
    bonus->mEnabled = true;
    bonus->mHidden = false;
    bonus->SetCharge(300);
    bonus->mState = Bonus::kArmed;
    BonusProfileAdapter().StartNewGame();
    EXPECT_FALSE(bonus->mEnabled);
    EXPECT_TRUE(bonus->mHidden);
    EXPECT_EQ(bonus->mCharge, 0.0f);
    EXPECT_EQ(bonus->mState, Bonus::kCharging);
}

} // namespace
} // namespace Game
