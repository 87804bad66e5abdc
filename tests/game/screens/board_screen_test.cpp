// The board screen on the headless application: construction, input,
// dialog results, the stage's start, continuing a saved game and play.
#include "framework/graphics/dd_interface.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "framework/widget/widget_manager.h"
#include "game/app/game_menu_dialog.h"
#include "game/board/bonus.h"
#include "game/screens/fade_overlay.h"
#include "game/ui/music_list.h"
#include "game/ui/tip_window.h"
#include "game/ui/user_manager.h"
#include "tests/game/screens/board_screen_fixture.h"
#include "tools/sample_content/content_files.h"

#include <gtest/gtest.h>

#include <functional>

namespace Game::Test {
namespace {

class BoardScreenTest : public BoardScreenFixture {
protected:
    // Every tip seen but those listed.
    void TipsUnseen(std::initializer_list<int> tips) {
        Record().mTipShown.fill(1);
        for (int tip : tips)
            Record().mTipShown[static_cast<size_t>(tip)] = 0;
    }
};

// Stands in for the main menu.
class MenuScreen : public GameDialog {
public:
    MenuScreen() : GameDialog(1, false) {}
};

class OneSecretMap : public SecretMapTable {
public:
    int GetMapCount() const override { return 1; }
    int GetPieceCount(int) const override { return 5; }
};

TEST_F(BoardScreenTest, TheBonusRowIsPlacedFromItsOriginAndTheBoardAtItsCorner) {
    Kavo::MemoryImage picture;
    picture.Create(80, 80);
    AddRegistryBonuses(4, &picture);
    MakeScreen();
    const struct {
        int index;
        float x;
    } row[] = {{0, 88.0f}, {1, 182.0f}, {3, 370.0f}};
    for (const auto& r : row) {
        const Bonus& bonus = *mRegistry->Get(static_cast<size_t>(r.index));
        EXPECT_EQ(bonus.mX, r.x) << r.index;
        EXPECT_EQ(bonus.mY, 621.0f) << r.index;
        EXPECT_FALSE(bonus.mEnabled) << r.index;
        EXPECT_EQ(bonus.mCellRects[4], Kavo::IntRect(0, 0, 80, 80));
    }
    EXPECT_EQ(mScreen->mBoard.ColumnToX(0, false), 177);
    EXPECT_EQ(mScreen->mBoard.RowToY(0, false), 103);
    EXPECT_EQ(mScreen->mTiles.mHomeX, 177.0f);
    EXPECT_EQ(mScreen->mTiles.mHomeY, 103.0f);
    EXPECT_EQ(mScreen->mLabels.size(), 5u);
}

TEST_F(BoardScreenTest, ALayoutWithoutControlsIsSkippedAndItsPointsReadZero) {
    ASSERT_TRUE(Kavo::SampleContent::WriteContentFile(WorkFolder() + "/ui/board.txt", "[Other]\r\nType=Point\r\n"));
    MakeScreen();
    EXPECT_EQ(mScreen->mMenuButton, nullptr);
    EXPECT_TRUE(mScreen->mLabels.empty());
    EXPECT_EQ(mScreen->mTimerPoint, (LayoutPoint{0, 0}));
    mScreen->ButtonDepress(BoardScreen::kHideButton);
    EnterAndSettle();
    EXPECT_EQ(mScreen->mState, BoardScreen::kPlaying);
    Kavo::MemoryImage screen;
    screen.Create(1024, 768);
    Kavo::Graphics g(&screen);
    mScreen->Draw(&g);
}

TEST_F(BoardScreenTest, InputActsByPauseAndState) {
    Kavo::MemoryImage picture;
    picture.Create(80, 80);
    AddRegistryBonuses(1, &picture);
    MakeScreen();
    EnterAndSettle();
    Bonus& bonus = *mRegistry->Get(0);
    const int cellX = mScreen->mBoard.ColumnToX(mScreen->mBoard.mColStart, true);
    const int cellY = mScreen->mBoard.RowToY(mScreen->mBoard.mRowStart, true);
    const struct Case {
        const char* name;
        std::function<void(BoardScreen&)> setup;
        std::function<void(BoardScreen&)> act;
        std::function<void(BoardScreen&)> check;
    } cases[] = {
        {"a click while paused only takes a pause level off", [](BoardScreen& s) { s.SetShaded(true); },
         [&](BoardScreen& s) { s.MouseDown(cellX, cellY, 1); },
         [](BoardScreen& s) {
             EXPECT_EQ(s.mPauseCount, 0);
             EXPECT_EQ(s.mBoard.mSelected, CellPos{});
             ASSERT_NE(s.mFadeOverlay, nullptr);
             EXPECT_TRUE(s.mFadeOverlay->mClosing);
         }},
        {"a click while playing selects", [](BoardScreen&) {}, [&](BoardScreen& s) { s.MouseDown(cellX, cellY, 1); },
         [&](BoardScreen& s) {
             EXPECT_EQ(s.mBoard.mSelected, (CellPos{s.mBoard.mColStart, s.mBoard.mRowStart}));
         }},
        {"Escape with the menu open adds no second overlay", [](BoardScreen& s) { s.KeyUp(27); },
         [](BoardScreen& s) { s.KeyUp(27); },
         [this](BoardScreen& s) {
             EXPECT_EQ(s.mPauseCount, 1);
             ASSERT_NE(s.mFadeOverlay, nullptr);
             EXPECT_FALSE(s.mFadeOverlay->mClosing);
             EXPECT_NE(mApp.GetDialog(GameMenuDialog::kDialogId), nullptr);
         }},
        {"a right click only cancels an armed bonus",
         [&](BoardScreen&) {
             bonus.mEnabled = true;
             bonus.mState = Bonus::kArmed;
         },
         [&](BoardScreen& s) { s.MouseDown(cellX, cellY, -1); },
         [&](BoardScreen& s) {
             EXPECT_NE(bonus.mState, Bonus::kArmed);
             EXPECT_EQ(s.mBoard.mSelected, CellPos{});
             EXPECT_EQ(s.mPauseCount, 0);
         }},
        {"Space pauses", [](BoardScreen&) {}, [](BoardScreen& s) { s.KeyUp(32); },
         [](BoardScreen& s) { EXPECT_EQ(s.mPauseCount, 1); }},
        {"Space resumes", [](BoardScreen& s) { s.KeyUp(32); }, [](BoardScreen& s) { s.KeyUp(32); },
         [](BoardScreen& s) { EXPECT_EQ(s.mPauseCount, 0); }},
        {"button 77 hides the board and its panels", [](BoardScreen&) {},
         [this](BoardScreen& s) {
             s.ButtonDepress(BoardScreen::kHideButton);
             Step(50);
         },
         [](BoardScreen& s) {
             EXPECT_EQ(s.mState, BoardScreen::kHidden);
             EXPECT_EQ(s.mPanelAlpha, 1.0f);
             EXPECT_FALSE(s.mMenuButton->mVisible);
         }},
        {"a click on the hidden board resumes", [](BoardScreen& s) { s.ButtonDepress(BoardScreen::kHideButton); },
         [&](BoardScreen& s) { s.MouseDown(cellX, cellY, 1); },
         [](BoardScreen& s) {
             EXPECT_EQ(s.mState, BoardScreen::kPlaying);
             EXPECT_TRUE(s.mMenuButton->mVisible);
             EXPECT_EQ(s.mBoard.mSelected, CellPos{});
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mApp.KillDialog(GameMenuDialog::kDialogId);
        mScreen->mState = BoardScreen::kPlaying;
        mScreen->mPauseCount = 0;
        mScreen->mFadeOverlay.reset();
        mScreen->mBoard.ClearSelection();
        mScreen->mMenuButton->SetVisible(true);
        c.setup(*mScreen);
        c.act(*mScreen);
        c.check(*mScreen);
    }
}

TEST_F(BoardScreenTest, DialogResultsUnpauseLeaveAndResumeTheIdleTips) {
    MakeScreen();
    TipsUnseen({1});
    EnterAndSettle();
    auto* menuScreen = new MenuScreen();
    mApp.mMainMenuScreen = menuScreen;
    const struct Case {
        const char* name;
        int32_t dialog;
        std::function<void(BoardScreen&)> setup;
        std::function<void(BoardScreen&)> check;
    } cases[] = {
        {"the menu's leave flag", 55,
         [this](BoardScreen& s) {
             s.ButtonDepress(BoardScreen::kMenuButton);
             static_cast<GameMenuDialog*>(mApp.GetDialog(55))->mLeaveToMainMenu = true;
         },
         [this, menuScreen](BoardScreen& s) {
             EXPECT_EQ(s.mPauseCount, 0);
             EXPECT_EQ(mApp.mEnteringScreen, menuScreen);
         }},
        {"the menu closed", 55, [](BoardScreen& s) { s.ButtonDepress(BoardScreen::kMenuButton); },
         [this](BoardScreen& s) {
             EXPECT_EQ(s.mPauseCount, 0);
             EXPECT_EQ(mApp.mEnteringScreen, nullptr);
         }},
        {"the name entry", 103, [](BoardScreen& s) { s.SetShaded(true); },
         [](BoardScreen& s) {
             EXPECT_EQ(s.mPauseCount, 0);
             EXPECT_TRUE(s.mFadeOverlay->mClosing);
         }},
        {"the options", 305, [](BoardScreen& s) { s.SetShaded(true); },
         [](BoardScreen& s) {
             EXPECT_EQ(s.mPauseCount, 1);
             EXPECT_TRUE(s.mFadeOverlay->mClosing);
         }},
        {"the tip window", 1024,
         [this](BoardScreen& s) {
             s.mTipArrow = std::make_unique<EffectBase>();
             s.ShowTip(1, 300, 300, true, true);
             EXPECT_EQ(s.mTimer.mState, TimerDial::kFinished);
             EXPECT_EQ(mApp.GetOpenTipId(), 1);
         },
         [this](BoardScreen& s) {
             EXPECT_EQ(s.mIdleTicks, BoardScreen::kIdleAfterTip);
             EXPECT_EQ(Record().mTipShown[1], 1);
             EXPECT_EQ(s.mTipArrow, nullptr);
             EXPECT_EQ(s.mTimer.mState, TimerDial::kMoving);
             EXPECT_FALSE(mApp.IsTipOpen());
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mApp.mEnteringScreen = nullptr;
        mScreen->mPauseCount = 0;
        mScreen->mFadeOverlay.reset();
        c.setup(*mScreen);
        mScreen->DialogButtonRelease(c.dialog, 0);
        EXPECT_EQ(mApp.GetDialog(c.dialog), nullptr);
        c.check(*mScreen);
    }
}

TEST_F(BoardScreenTest, TheSecretOpensThePuzzleOfACompleteMapAndThePuzzleMarksItsPostcard) {
    platform::Installed<SecretMapTable> maps(SecretMapTableSlot(), std::make_shared<OneSecretMap>());
    std::vector<int> puzzlesOpened;
    mHooks.mMakePuzzleDialog = [&](int map) {
        puzzlesOpened.push_back(map);
        return new MenuScreen();
    };
    mHooks.mSecretMapName = [](int map) { return "Recipe0" + std::to_string(map + 1); };
    MakeScreen();
    TipsUnseen({});
    EnterAndSettle();
    const struct {
        int pieces;
        bool puzzle;
    } secrets[] = {{4, false}, {5, true}};
    for (const auto& c : secrets) {
        SCOPED_TRACE(c.pieces);
        puzzlesOpened.clear();
        mScreen->OpenFadeOverlay(FadeOverlay::kSecretAlpha);
        mScreen->HoldTimer();
        Record().mSecretPieces = c.pieces;
        mScreen->DialogButtonRelease(BoardScreen::kSecretDialog, 0);
        EXPECT_EQ(puzzlesOpened.size(), c.puzzle ? 1u : 0u);
        EXPECT_EQ(mApp.GetDialog(BoardScreen::kPuzzleDialog) != nullptr, c.puzzle);
        EXPECT_EQ(mScreen->mFadeOverlay->mClosing, !c.puzzle);
        EXPECT_EQ(mScreen->mTimer.mState, c.puzzle ? TimerDial::kFinished : TimerDial::kMoving);
    }
    for (const int result : {2, 1}) {
        mScreen->DialogButtonRelease(BoardScreen::kPuzzleDialog, result);
        const ItemEntry* postcard = mUsers->FindItem("Recipe01", 3);
        ASSERT_NE(postcard, nullptr);
        EXPECT_EQ(postcard->mState, result == 1 ? 1 : 0);
        EXPECT_EQ(postcard->mOrigin, 0);
        EXPECT_EQ(mUsers->GetItemCount(3), 1);
        EXPECT_TRUE(mScreen->mFadeOverlay->mClosing);
        EXPECT_EQ(mScreen->mTimer.mState, TimerDial::kMoving);
        EXPECT_EQ(mApp.GetDialog(BoardScreen::kPuzzleDialog), nullptr);
    }
}

// The developer key opens the current map's puzzle as the complete map
// does: over the whole window its board and buttons are laid out for, not as
// an empty strip over the board.
TEST_F(BoardScreenTest, TheDevelopersPuzzleKeyOpensThePuzzleOverTheWindow) {
    mHooks.mMakePuzzleDialog = [](int) { return new MenuScreen(); };
    MakeScreen();
    TipsUnseen({});
    EnterAndSettle();
    mScreen->KeyUp(0xC0); // backquote: developer keys on
    mScreen->KeyUp(0x78); // F9
    const Kavo::Widget* puzzle = mApp.GetDialog(BoardScreen::kPuzzleDialog);
    ASSERT_NE(puzzle, nullptr);
    EXPECT_EQ(puzzle->mX, 0);
    EXPECT_EQ(puzzle->mY, 0);
    EXPECT_EQ(puzzle->mWidth, mApp.GetWidth());
    EXPECT_EQ(puzzle->mHeight, mApp.GetHeight());
}

TEST_F(BoardScreenTest, ANewBoardSpreadsScalesInSettlesSavesAndShowsTheFirstTip) {
    MakeScreen();
    TipsUnseen({0});
    mScreen->OnEnter();
    EXPECT_EQ(mScreen->mState, BoardScreen::kAppear);
    EXPECT_EQ(Record().mStageIndex, 0);
    EXPECT_EQ(Record().mBoardIndex, 0);
    ASSERT_NE(mScreen->mTileSpread, nullptr);
    // The spread ends in a frame's step; the next update sees it.
    Step(mEffects->mSpread);
    EXPECT_EQ(mScreen->mState, BoardScreen::kAppear);
    mScreen->mTimer.mValue = 5000.0f;
    Step();
    // Winding back: 5000 / 200 a step, the ticks ignored.
    EXPECT_EQ(mScreen->mState, BoardScreen::kPlaying);
    EXPECT_TRUE(mScreen->mTimer.mReverse);
    EXPECT_FLOAT_EQ(mScreen->mTimer.mValue, 4975.0f);
    Step(10);
    EXPECT_FLOAT_EQ(mScreen->mTimer.mValue, 4725.0f);
    EXPECT_EQ(mSounds->Count("tiktak1"), 0);
    EXPECT_EQ(Record().mInProgress, 0);

    Step(mEffects->mScaleIn - 11);
    // The scale-in ended: the board stands and the game is saved.
    EXPECT_FALSE(mScreen->mTimer.mReverse);
    EXPECT_LE(mScreen->mTimer.mValue, 1.0f);
    EXPECT_EQ(mScreen->mTimer.mSpeed, 1.0f);
    EXPECT_EQ(Record().mInProgress, 1);
    EXPECT_EQ(mBlock->mLastBlock, 1130);
    EXPECT_FALSE(mApp.IsTipOpen()) << mApp.GetOpenTipId();

    Step(mEffects->mBanner);
    EXPECT_EQ(mApp.GetOpenTipId(), 0);
    EXPECT_NE(mScreen->mTipArrow, nullptr);
    EXPECT_EQ(mScreen->mTimer.mState, TimerDial::kFinished);
}

TEST_F(BoardScreenTest, TheGamesOwnEffectsCarryANewBoardIntoPlay) {
    mHooks.mEffects = nullptr;
    MakeScreen();
    TipsUnseen({0});
    mScreen->OnEnter();
    ASSERT_NE(mScreen->mTileSpread, nullptr);
    int updates = 0;
    for (; updates < 3000 && !mApp.IsTipOpen(); ++updates)
        Step();
    EXPECT_EQ(mApp.GetOpenTipId(), 0) << updates;
    EXPECT_EQ(mScreen->mState, BoardScreen::kPlaying);
    EXPECT_EQ(mScreen->mTileSpread, nullptr);
    EXPECT_EQ(Record().mInProgress, 1);
    EXPECT_NE(mScreen->mTipArrow, nullptr);
}

TEST_F(BoardScreenTest, AStartThatCannotDealSaysWhichFileAndLeavesUnsaved) {
    auto menuScreen = new MenuScreen();
    mApp.mMainMenuScreen = menuScreen;
    MakeScreen();
    *mStages = Stages();
    EXPECT_FALSE(mScreen->StartLevel(false, true));
    EXPECT_EQ(mScreen->mStartError, "data/stages.txt");
    EXPECT_EQ(mApp.mEnteringScreen, menuScreen);
    EXPECT_EQ(mScreen->mState, BoardScreen::kIdle);
    EXPECT_EQ(Record().mInProgress, 0);
    EXPECT_EQ(mBlock->mLastBlock, -1);
}

TEST_F(BoardScreenTest, AContinuedGameResumesAtOnceFromTheSavedTimer) {
    MakeScreen();
    EnterAndSettle();
    std::vector<int> itemsBefore;
    for (const BoardCell& cell : mScreen->mBoard.mCells)
        itemsBefore.push_back(cell.mItem);
    Bonus* knife = mRegistry->Add(std::make_unique<Bonus>(nullptr));
    knife->mName = "Knife";
    knife->mHidden = true;
    Record().mKept2 = 1234;
    mScreen->OnLeave();
    mScreen->OnEnter();
    EXPECT_EQ(mScreen->mState, BoardScreen::kPlaying);
    EXPECT_EQ(mScreen->mTileSpread, nullptr);
    EXPECT_EQ(mScreen->mTimer.mValue, 1234.0f);
    EXPECT_FALSE(mScreen->mTimer.mReverse);
    EXPECT_FALSE(knife->mHidden);
    for (size_t i = 0; i < itemsBefore.size(); ++i)
        EXPECT_EQ(mScreen->mBoard.mCells[i].mItem, itemsBefore[i]) << i;
}

TEST_F(BoardScreenTest, PlayTicksSavesHintsAndStandsStillWhilePaused) {
    platform::Installed<SecretMapTable> maps(SecretMapTableSlot(), std::make_shared<OneSecretMap>());
    MakeScreen();
    TipsUnseen({});
    EnterAndSettle();
    // The very first board never hides a secret.
    for (const BoardCell& cell : mScreen->mBoard.mCells)
        EXPECT_LT(cell.mSecretItem, 0);
    mScreen->mTimer.mDuration = 1000.0f; // "Time=10"
    const int settledAt = mScreen->mStateTicks;
    mScreen->MouseDown(5, 5, 1);
    Step(100 - settledAt);
    EXPECT_EQ(Record().mKept2, static_cast<int>(mScreen->mTimer.mValue));

    mScreen->SetShaded(true);
    const float value = mScreen->mTimer.mValue;
    const int ticks = mScreen->mStateTicks;
    Step(300);
    EXPECT_EQ(mScreen->mTimer.mValue, value);
    EXPECT_EQ(mScreen->mStateTicks, ticks);
    EXPECT_EQ(mScreen->mFadeOverlay->mAlpha, 80.0f);
    mScreen->SetShaded(false);
    Step(20);
    EXPECT_EQ(mScreen->mFadeOverlay, nullptr);

    mScreen->MouseDown(5, 5, 1);
    Step(499);
    EXPECT_EQ(mScreen->mHintMarker, nullptr);
    Step();
    EXPECT_NE(mScreen->mHintMarker, nullptr);
    EXPECT_EQ(mSounds->Count("hint"), 1);
    Step(mEffects->mHint);
    EXPECT_EQ(mScreen->mHintMarker, nullptr);

    Step(799 - mScreen->mStateTicks);
    EXPECT_EQ(mSounds->Count("tiktak1"), 0);
    Step();
    EXPECT_EQ(mSounds->Count("tiktak1"), 1);
    Step(99);
    EXPECT_EQ(mSounds->Count("tiktak1"), 1);
    Step();
    EXPECT_EQ(mSounds->Count("tiktak1"), 2);
}

TEST_F(BoardScreenTest, AnIdleTipComes1500UpdatesAfterATipClosedNeverBefore) {
    MakeScreen();
    TipsUnseen({0, 1});
    EnterAndSettle();
    ASSERT_EQ(mApp.GetOpenTipId(), 0);
    mScreen->mStateTicks = 5000;
    mScreen->DialogButtonRelease(TipWindow::kDialogId, 0);
    Step(1500);
    EXPECT_FALSE(mApp.IsTipOpen());
    Step();
    EXPECT_EQ(mApp.GetOpenTipId(), 1);
}

TEST_F(BoardScreenTest, BlinkAndShineRunOnlyWith3D) {
    MakeScreen();
    TipsUnseen({});
    EnterAndSettle();
    Step(1900);
    EXPECT_EQ(mScreen->mBlink, nullptr);
    EXPECT_TRUE(mScreen->mEffects[3].IsEmpty());

    if (mApp.mDDInterface == nullptr)
        mApp.mDDInterface = new Kavo::DDInterface(&mApp, mApp.GetDisplayLock());
    mApp.mDDInterface->mIs3D = true;
    mScreen->mBlinkDeadline = mScreen->mStateTicks + 1;
    mScreen->mShineDeadline = mScreen->mStateTicks + 1;
    Step();
    EXPECT_NE(mScreen->mBlink, nullptr);
    EXPECT_EQ(mScreen->mEffects[3].GetCount(), 1u);
    EXPECT_GE(mScreen->mShineDeadline - mScreen->mStateTicks, 200);
    EXPECT_LT(mScreen->mShineDeadline - mScreen->mStateTicks, 500);
}

TEST_F(BoardScreenTest, TheMusicRotatesThroughTheRestaurantsTracks) {
    ASSERT_TRUE(Kavo::SampleContent::WriteContentFile(WorkFolder() + "/music.txt", "[Music]\r\nA=one, two\r\nB=\r\n"));
    MusicListSlot().Get()->Load(WorkFolder() + "/music.txt");
    MakeScreen();
    std::vector<std::string> played;
    for (int i = 0; i < 3; ++i) {
        mScreen->PlayMusic();
        played.push_back(mScreen->mMusicPlaying);
    }
    EXPECT_EQ(played, (std::vector<std::string>{"music/one", "music/two", "music/one"}));
    // A restaurant without tracks plays nothing (and divides by nothing).
    Record().mStageIndex = 5;
    mScreen->mMusicPlaying.clear();
    mScreen->PlayMusic();
    EXPECT_EQ(mScreen->mMusicPlaying, "");
}

} // namespace
} // namespace Game::Test
