#pragma once
// A game run with a scripted player on top: the way from the logos to the
// main menu, a new player typed in, and a player who, whenever the board is
// idle, clicks the two cells of the first listed move and closes every tip
// and bonus notice with its "Ok". Everything it does is input posted to
// the window, so a recording of the run holds it all.

#include "framework/widget/button_widget.h"
#include "game/app/title_screen.h"
#include "game/bonus/bonus_unlock_dialog.h"
#include "game/meta/comics_scene.h"
#include "game/meta/main_menu_screen.h"
#include "game/meta/map_screen.h"
#include "game/meta/puzzle_dialog.h"
#include "game/meta/room_screen.h"
#include "game/meta/shop_screen.h"
#include "game/screens/board_screen.h"
#include "game/ui/edit_dialog.h"
#include "game/ui/message_dialog.h"
#include "game/ui/tip_window.h"
#include "platform/messages.h"
#include "tests/game/main/game_run_test.h"

#include <gtest/gtest.h>

#include <string>

namespace Game {

class ScriptedGameRunTest : public GameRunTest {
protected:
    // Logos skipped, loading done, "Continue": the main menu is entered.
    // A window is told it is the active one; a full-screen window is
    // active from its making and hears nothing.
    void StartToMainMenu(bool announceActivation = true) {
        if (announceActivation) {
            Post(platform::kWmActivateApp, 1, 0);
            TakeInput();
        }
        ASSERT_TRUE(StepUntil([&] { return App().mLogoScreen != nullptr; }, 10));
        ClickAt(10, 10);
        ASSERT_TRUE(StepUntil(
            [&] {
                auto* title = dynamic_cast<TitleScreen*>(App().mTitleScreen);
                return title != nullptr && title->IsLoaded();
            },
            5000));
        ClickAt(500, 400);
        ASSERT_TRUE(StepUntil([&] { return App().mEnteringScreen == Menu(); }, 10));
    }

    // Types a name into the new-player dialog the main menu opens and
    // confirms it.
    void EnterNewPlayer(const std::string& name) {
        ASSERT_TRUE(StepUntil([&] { return App().GetNewUserDialog() != nullptr; }, 10));
        EditDialog* entry = App().GetNewUserDialog();
        Step(); // the field takes the focus on the dialog's first update
        Type(name);
        Click(FindButton(entry, 1));
        ASSERT_TRUE(StepUntil([&] { return App().GetNewUserDialog() == nullptr && App().mDialogList.empty(); }, 300));
    }

    // Every message box the game waits for is answered by a click on its
    // button `id` once it rests.
    void AnswerMessageBoxes(int32_t id) {
        App().mNestedStep = [this, id] {
            for (Kavo::Dialog* dialog : App().mDialogList) {
                auto* box = dynamic_cast<MessageDialog*>(dialog);
                if (box == nullptr || box == mAnswered || box->mState != LayoutDialog::Resting)
                    continue;
                if (Kavo::ButtonWidget* button = FindButton(box, id)) {
                    const Kavo::Point at = button->GetAbsPos();
                    PostClick(at.mX + button->mWidth / 2, at.mY + button->mHeight / 2);
                    mAnswered = box;
                }
            }
        };
    }

    // The scripted player: whenever the board is idle, it clicks the two
    // cells of the first listed move; an open tip is closed with its "Ok".
    void PlayStep() {
        if (auto* tip = dynamic_cast<TipWindow*>(App().GetDialog(TipWindow::kDialogId))) {
            if (Kavo::ButtonWidget* ok = FirstButton(tip); ok != nullptr && ok->mVisible)
                Click(ok);
            return;
        }
        // A newly unlocked bonus is shown once; its "Ok" closes it.
        if (auto* unlock = dynamic_cast<LayoutDialog*>(App().GetDialog(BonusUnlockDialog::kDialogId))) {
            if (unlock->mState == LayoutDialog::Resting)
                Click(FindButton(unlock, 1));
            return;
        }
        // A secret piece found: its dialog's button gives the board back;
        // the puzzle the last piece opens is skipped.
        if (auto* secret = dynamic_cast<LayoutDialog*>(App().GetDialog(BoardScreen::kSecretDialog))) {
            if (secret->mState == LayoutDialog::Resting)
                Click(FindButton(secret, 1));
            return;
        }
        if (auto* puzzle = dynamic_cast<PuzzleDialog*>(App().GetDialog(BoardScreen::kPuzzleDialog))) {
            if (Kavo::ButtonWidget* skip = FindButton(puzzle, PuzzleDialog::kSkip); skip != nullptr && skip->mVisible)
                Click(skip);
            return;
        }
        BoardScreen* board = Board();
        if (App().mEnteringScreen != board || board->mState != BoardScreen::kPlaying || board->mPauseCount != 0 ||
            !App().mDialogList.empty() || board->mFallPending || board->mReshuffle != nullptr ||
            (board->mBoard.mState != kBoardIdle && board->mBoard.mState != kBoardNoMoreMoves) ||
            !board->mBoard.IsStill() || !board->mBoard.mSwaps.empty() || board->mBoard.mMoves.empty())
            return;
        const Move move = board->mBoard.mMoves.front();
        ++mMovesMade;
        ClickAt(move.mX1, move.mY1);
        ClickAt(move.mX2, move.mY2);
    }
    template <typename Done>
    bool PlayUntil(Done done, int limit) {
        for (int i = 0; i < limit && !done() && !App().mShutdown; ++i) {
            PlayStep();
            Step();
        }
        return done();
    }
    // Steps until no tip is open, closing each with its "Ok".
    void CloseTips() {
        PlayUntil([&] { return App().GetDialog(TipWindow::kDialogId) == nullptr; }, 200);
    }

    MainMenuScreen* Menu() { return dynamic_cast<MainMenuScreen*>(App().mMainMenuScreen); }
    BoardScreen* Board() { return dynamic_cast<BoardScreen*>(App().mBoardScreen); }
    int TilesLeft() {
        int n = 0;
        for (const BoardCell& cell : Board()->mBoard.mCells)
            n += cell.mExists ? cell.mTiles : 0;
        return n;
    }
    ComicsScene* Comics1() { return dynamic_cast<ComicsScene*>(App().mComicsScene1); }
    MapScreen* Map() { return dynamic_cast<MapScreen*>(App().mMapScreen); }
    RoomScreen* Room() { return dynamic_cast<RoomScreen*>(App().mRoomScreen); }
    ShopScreen* StageComplete() { return dynamic_cast<ShopScreen*>(App().GetDialog(ShopScreen::kDialogId)); }

    int mMovesMade = 0;
    const MessageDialog* mAnswered = nullptr;
};

} // namespace Game
