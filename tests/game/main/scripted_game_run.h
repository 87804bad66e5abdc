#pragma once
// A game run with a scripted player on top: the way from the logos to the
// main menu, a new player typed in, and a player who, whenever the board is
// idle, clicks the two cells of the best of the moves the board lists (the
// one that takes a secret piece, else the most tiles), at a person's pace
// when asked, and closes every tip,
// bonus notice, award and penalty with its button. Where no listed move
// takes a tile, a ready knife cuts one. It plays the board's own moves, one
// at a time once the board is still, so whatever the deal it clears the
// board in a number of moves, not in a race with the clock.
// Everything it does is input posted to the window, so a recording of the
// run holds it all.

#include "framework/widget/button_widget.h"
#include "game/app/game_menu_dialog.h"
#include "game/app/title_screen.h"
#include "game/board/bonus.h"
#include "game/bonus/bonus_identity.h"
#include "game/bonus/bonus_unlock_dialog.h"
#include "game/bonus/reward_dialog.h"
#include "game/meta/comics_scene.h"
#include "game/meta/main_menu_screen.h"
#include "game/meta/map_screen.h"
#include "game/meta/puzzle_dialog.h"
#include "game/meta/room_screen.h"
#include "game/meta/shop_screen.h"
#include "game/screens/board_screen.h"
#include "game/screens/penalty_dialog.h"
#include "game/ui/edit_dialog.h"
#include "game/ui/message_dialog.h"
#include "game/ui/tip_window.h"
#include "platform/messages.h"
#include "tests/game/main/game_run_test.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

    // A new player named, a few updates, then Exit and "yes": the run has
    // shut down (its files are saved; Finish writes a recording).
    void EnterNewPlayerAndExit(const std::string& name) {
        ASSERT_NO_FATAL_FAILURE(EnterNewPlayer(name));
        for (int i = 0; i < 30; ++i)
            Step();
        AnswerMessageBoxes(1);
        Click(Menu()->GetButton(MainMenuScreen::Exit));
        ASSERT_TRUE(RunToShutdown(100));
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
    // cells of the best listed move (BestMove); an open tip, notice, award,
    // penalty or secret piece is closed with its button, and a puzzle solved
    // or skipped.
    void PlayStep() {
        mPenaltySeen = mPenaltySeen && App().GetDialog(PenaltyDialog::kDialogId) != nullptr;
        mPuzzleSeen = mPuzzleSeen && App().GetDialog(BoardScreen::kPuzzleDialog) != nullptr;
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
        // Time up: the penalty is paid with its button.
        if (auto* penalty = dynamic_cast<LayoutDialog*>(App().GetDialog(PenaltyDialog::kDialogId))) {
            if (penalty->mState == LayoutDialog::Resting) {
                if (!mPenaltySeen)
                    ++mPenaltiesPaid;
                mPenaltySeen = true;
                Click(FindButton(penalty, 1));
            }
            return;
        }
        // New award levels: the dialog's button closes it once it has
        // presented them.
        for (Kavo::Dialog* dialog : App().mDialogList)
            if (auto* reward = dynamic_cast<RewardDialog*>(dialog)) {
                if (Kavo::ButtonWidget* done = reward->GetDone();
                    done != nullptr && done->mVisible && reward->mIdle && reward->GetAppearCount() == 0)
                    Click(done);
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
            if (!mPuzzleSeen)
                ++mPuzzlesOpened;
            mPuzzleSeen = true;
            if (mSolvePuzzles && mPuzzlesOpened == 1) {
                SolvePuzzleStep(*puzzle);
                return;
            }
            if (Kavo::ButtonWidget* skip = FindButton(puzzle, PuzzleDialog::kSkip); skip != nullptr && skip->mVisible)
                Click(skip);
            return;
        }
        BoardScreen* board = Board();
        // A paced player takes its time from the moment the board is its
        // to play again (a dialog closed, the board dealt), not only from
        // its last move.
        if (App().mEnteringScreen != board || board->mState != BoardScreen::kPlaying || board->mPauseCount != 0 ||
            !App().mDialogList.empty()) {
            mLastActionUpdate = App().mUpdateCount;
            return;
        }
        if (mActionInterval > 0 && App().mUpdateCount - mLastActionUpdate < mActionInterval)
            return;
        if (board->mFallPending || board->mReshuffle != nullptr ||
            (board->mBoard.mState != kBoardIdle && board->mBoard.mState != kBoardNoMoreMoves) ||
            !board->mBoard.IsStill() || !board->mBoard.mSwaps.empty() || board->mBoard.mMoves.empty())
            return;
        const Move move = BestMove(board->mBoard);
        mLastActionUpdate = App().mUpdateCount;
        // No listed move takes a tile: a ready knife cuts one out instead.
        if (!TakesTile(board->mBoard, move) && CutTileWithKnife(*board))
            return;
        ++mMovesMade;
        ClickAt(move.mX1, move.mY1);
        ClickAt(move.mX2, move.mY2);
    }
    // A ready knife, pressed, cuts the item over the first unchained cell
    // that still holds tiles: the cell need not lie on any listed move.
    bool CutTileWithKnife(BoardScreen& screen) {
        Bonus* knife = screen.FindBonusByIndex(kBonusKnife);
        if (knife == nullptr || !knife->mEnabled || knife->mHidden ||
            (knife->mState != Bonus::kReady && knife->mState != Bonus::kHover))
            return false;
        const Game::Board& board = screen.mBoard;
        for (int i = 0; i < kBoardCellCount; ++i) {
            const BoardCell& cell = board.mCells[static_cast<size_t>(i)];
            if (!cell.mExists || cell.mTiles <= 0 || cell.mChain != 0 || cell.mItem < 0)
                continue;
            ClickAt(static_cast<int>(knife->mX + knife->mWidth / 2), static_cast<int>(knife->mY + knife->mHeight / 2));
            if (knife->mState != Bonus::kArmed)
                return false;
            ClickAt(board.ColumnToX(i % kBoardColumns, true), board.RowToY(i / kBoardColumns, true));
            ++mKnivesUsed;
            return true;
        }
        return false;
    }
    // One exchange toward the solved picture, once the puzzle's board is
    // idle: the first cell whose tile is not its own gets its tile one
    // neighbour nearer, along its row first, then up its column (the cells
    // before it are settled and never touched); "Done" once it is whole.
    void SolvePuzzleStep(PuzzleDialog& puzzle) {
        PuzzleBoard& board = puzzle.mBoard;
        if (board.IsSolved()) {
            if (Kavo::ButtonWidget* done = FindButton(&puzzle, PuzzleDialog::kDone); done != nullptr && done->mVisible)
                Click(done);
            return;
        }
        if (puzzle.mState != 0 || board.mState != PuzzleBoard::kIdle)
            return;
        const auto cellCentre = [&](int cell) {
            return Kavo::Point(board.mOriginX + (cell % board.mCols) * board.mTileWidth + board.mTileWidth / 2,
                               board.mOriginY + (cell / board.mCols) * board.mTileHeight + board.mTileHeight / 2);
        };
        const int cells = static_cast<int>(board.mTiles.size());
        for (int target = 0; target < cells; ++target) {
            if (board.mTiles[static_cast<size_t>(target)].mIndex == target)
                continue;
            int from = target;
            while (from < cells && board.mTiles[static_cast<size_t>(from)].mIndex != target)
                ++from;
            if (from == cells)
                return;
            const int column = from % board.mCols;
            const int to = column > target % board.mCols   ? from - 1
                           : column < target % board.mCols ? from + 1
                                                           : from - board.mCols;
            const Kavo::Point a = cellCentre(from);
            const Kavo::Point b = cellCentre(to);
            // A selection left standing (its exchange never came) is taken
            // over: a click on the tile to move selects it instead.
            ++mPuzzleMoves;
            if (board.mSelectedCol != from % board.mCols || board.mSelectedRow != from / board.mCols)
                ClickAt(a.mX, a.mY);
            ClickAt(b.mX, b.mY);
            return;
        }
    }
    // The listed move whose lines take the most: a secret piece of their
    // kind first, then cells that still carry tiles (chained or not), then
    // cells under tiles; the first listed of equals.
    static Move BestMove(const Board& board) {
        Move best = board.mMoves.front();
        int bestGain = -1;
        for (const Move& move : board.mMoves)
            if (const int gain = MoveGain(board, move); gain > bestGain) {
                best = move;
                bestGain = gain;
            }
        return best;
    }
    // Whether the lines through the two swapped cells take a cell that
    // still holds tiles.
    static bool TakesTile(const Board& board, const Move& move) {
        int tilesHit = 0;
        MoveGain(board, move, &tilesHit);
        return tilesHit > 0;
    }
    // What the lines through the two swapped cells would take; `tilesHit`
    // counts the cells with tiles among them.
    static int MoveGain(const Board& board, const Move& move, int* tilesHit = nullptr) {
        std::vector<int> items(board.mCells.size(), kItemEmpty);
        for (size_t i = 0; i < items.size(); ++i)
            if (board.mCells[i].mExists)
                items[i] = board.mCells[i].mItem;
        const auto at = [](int column, int row) { return static_cast<size_t>(row * kBoardColumns + column); };
        std::swap(items[at(move.mColumn1, move.mRow1)], items[at(move.mColumn2, move.mRow2)]);
        const auto itemAt = [&](int column, int row) {
            return column < 0 || column >= kBoardColumns || row < 0 || row >= kBoardRows ? kItemEmpty
                                                                                         : items[at(column, row)];
        };
        int gain = 0;
        for (auto [column, row] : {std::pair(move.mColumn1, move.mRow1), std::pair(move.mColumn2, move.mRow2)}) {
            const int item = itemAt(column, row);
            if (item < 0)
                continue;
            for (auto [dx, dy] : {std::pair(1, 0), std::pair(0, 1)}) {
                int first = 0;
                while (itemAt(column + (first - 1) * dx, row + (first - 1) * dy) == item)
                    --first;
                int last = 0;
                while (itemAt(column + (last + 1) * dx, row + (last + 1) * dy) == item)
                    ++last;
                if (last - first < 2)
                    continue;
                for (int k = first; k <= last; ++k) {
                    const int hitColumn = column + k * dx;
                    const int hitRow = row + k * dy;
                    const BoardCell& hit = board.mCells[at(hitColumn, hitRow)];
                    if (tilesHit != nullptr && hit.mTiles > 0)
                        ++*tilesHit;
                    // A chained cell keeps its tile until its chain is gone:
                    // breaking the chain is the way to it. A cell taken at
                    // or below a tile lets the items above it fall, so the
                    // tile's cell gets another item: where no listed move
                    // reaches the last tiles, that brings them a line.
                    gain += 1 +
                            (hit.mTiles > 0                        ? 10
                             : TileAbove(board, hitColumn, hitRow) ? 3
                                                                   : 0) +
                            (hit.mChain == 0 && hit.mSecretItem == item ? 1000 : 0);
                }
            }
        }
        return gain;
    }
    // Whether a cell of the column at or above the row still holds a tile.
    static bool TileAbove(const Board& board, int column, int row) {
        for (int r = row; r >= 0; --r) {
            const BoardCell& cell = board.mCells[static_cast<size_t>(r * kBoardColumns + column)];
            if (cell.mExists && cell.mTiles > 0)
                return true;
        }
        return false;
    }
    template <typename Done>
    bool PlayUntil(Done done, int limit) {
        for (int i = 0; i < limit && !done() && !App().mShutdown; ++i) {
            PlayStep();
            Step();
        }
        return done();
    }
    // Steps while the player does nothing but close the tips and the bonus
    // notice the board opens.
    template <typename Done>
    bool StepClosingNotices(Done done, int limit) {
        for (int i = 0; i < limit && !done() && !App().mShutdown; ++i) {
            if (App().GetDialog(TipWindow::kDialogId) != nullptr ||
                App().GetDialog(BonusUnlockDialog::kDialogId) != nullptr)
                PlayStep();
            Step();
        }
        return done();
    }
    // From the board: Esc opens the in-game menu and its "Quit" the
    // question; both at rest.
    void OpenQuitQuestion(LayoutDialog*& menu, LayoutDialog*& quit) {
        PressKey(platform::kVkEscape);
        ASSERT_TRUE(StepUntil([&] { return App().GetDialog(GameMenuDialog::kDialogId) != nullptr; }, 10));
        menu = dynamic_cast<LayoutDialog*>(App().GetDialog(GameMenuDialog::kDialogId));
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(StepUntil([&] { return menu->mState == LayoutDialog::Resting; }, 300));
        Click(FindButton(menu, GameMenuDialog::Quit));
        ASSERT_TRUE(StepUntil([&] { return App().GetDialog(GameMenuDialog::kQuitDialogId) != nullptr; }, 10));
        quit = dynamic_cast<LayoutDialog*>(App().GetDialog(GameMenuDialog::kQuitDialogId));
        ASSERT_NE(quit, nullptr);
        ASSERT_TRUE(StepUntil([&] { return quit->mState == LayoutDialog::Resting; }, 300));
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
    int mKnivesUsed = 0;
    // Above 0: the player's pace, the least updates from one move or knife
    // cut (or from the board becoming playable) to the next; 0 plays as
    // soon as the board is still.
    int32_t mActionInterval = 0;
    int32_t mLastActionUpdate = 0;
    int mPenaltiesPaid = 0;
    // Whether the open penalty and puzzle were counted (a dialog's address
    // may come again for the next one, so the flags go when they close).
    bool mPenaltySeen = false;
    // The puzzles a found postcard opened.
    int mPuzzlesOpened = 0;
    bool mPuzzleSeen = false;
    // Whether the player solves the first puzzle (it skips every other one,
    // and every one without the flag), and the exchanges it made.
    bool mSolvePuzzles = false;
    int mPuzzleMoves = 0;
    const MessageDialog* mAnswered = nullptr;
};

} // namespace Game
