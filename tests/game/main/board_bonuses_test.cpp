// The board screen as the program builds it, played through the window's
// input and the application's own loop: each of the eight bonuses used
// once on stage 1 of the sample content, with the tips, the bonus notice
// and the penalty the board opens answered as a player would. After every
// use the board must come to rest by itself, and no effect may pile up
// particles. With KAVO_GAME_WINDOW_TEST set the same run goes through the
// SDL drivers in a real window (under Xvfb in the test suite).
#include "framework/graphics/image.h"
#include "framework/graphics/memory_image.h"
#include "framework/widget/widget_manager.h"
#include "game/board/bonus.h"
#include "game/bonus/bonus_hint.h"
#include "game/bonus/bonus_line_break.h"
#include "game/bonus/bonus_replace.h"
#include "game/bonus/bonus_shuffle.h"
#include "game/effects/anim_effect.h"
#include "game/effects/effect_freeze_time.h"
#include "game/effects/effect_hint_arrows.h"
#include "game/effects/effect_knife.h"
#include "game/effects/effect_x2.h"
#include "game/meta/map_screen.h"
#include "game/meta/shop_screen.h"
#include "game/screens/penalty_dialog.h"
#include "game/ui/image_desc.h"
#include "game/ui/layout_dialog.h"
#include "game/ui/resource_ids.h"
#include "game/ui/tip_window.h"
#include "platform/drivers.h"
#include "platform/messages.h"
#include "tests/game/main/move_marker_pixels.h"
#include "tests/game/main/new_player_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace Game {
namespace {

enum BonusIndex { kKnife = 0, kShuffle, kLineBreak, kHint, kTimer, kLightning, kReplace, kX2 };

constexpr int kKeyF3 = 0x72;
// Updates a board may take to come to rest after a move or a bonus.
constexpr int kRestLimit = 1500;

// The SDL drivers, installed over the fixture's headless ones when the run
// is to go through a real window. A base of its own, so that they outlive
// the application the fixture ends.
struct WindowDrivers {
    std::unique_ptr<platform::InstalledDrivers> mInstalled;
};

class BoardBonusesTest : private WindowDrivers, public NewPlayerRunTest {
protected:
    void SetUp() override {
        const char* window = std::getenv("KAVO_GAME_WINDOW_TEST");
        if (window == nullptr || *window == '\0')
            return;
        platform::Drivers drivers;
        std::string error;
        ASSERT_TRUE(platform::SelectDrivers({"sdl", "sdl", "sdl"}, drivers, error)) << error;
        mInstalled = std::make_unique<platform::InstalledDrivers>(drivers);
    }

    bool InWindow() const { return mInstalled != nullptr; }
    BoardScreen& Screen() { return *Board(); }
    Game::Board& Model() { return Board()->mBoard; }
    Bonus& BonusAt(int index) {
        Bonus* bonus = Board()->FindBonusByIndex(index);
        EXPECT_NE(bonus, nullptr) << index;
        return *bonus;
    }

    // A dialog of the board the player answers: a tip or the bonus notice
    // with its "Ok", the penalty with Enter once it rests.
    bool AnswerDialogs() {
        if (auto* penalty = dynamic_cast<LayoutDialog*>(App().GetDialog(PenaltyDialog::kDialogId))) {
            if (penalty->mState == LayoutDialog::Resting)
                PressKey(platform::kVkReturn);
            return true;
        }
        if (App().GetDialog(TipWindow::kDialogId) != nullptr ||
            App().GetDialog(BonusUnlockDialog::kDialogId) != nullptr ||
            App().GetDialog(BoardScreen::kSecretDialog) != nullptr ||
            App().GetDialog(BoardScreen::kPuzzleDialog) != nullptr) {
            PlayStep();
            return true;
        }
        return false;
    }
    // Steps until `done`, answering the board's dialogs; with `play` the
    // scripted player also makes its moves.
    bool Tend(const std::function<bool()>& done, int limit, bool play) {
        for (int i = 0; i < limit && !done() && !App().mShutdown; ++i) {
            if (!AnswerDialogs() && play)
                PlayStep();
            Step();
        }
        return done();
    }

    bool AtRest() {
        const BoardScreen& board = Screen();
        return board.mState == BoardScreen::kPlaying && board.mPauseCount == 0 && !board.mFallPending &&
               board.NoBonusInUse() && board.mReshuffle == nullptr && Model().mState == kBoardIdle &&
               Model().IsStill() && Model().mSwaps.empty() && Model().mFigures.empty();
    }
    // The board comes to rest without any input; meanwhile nothing piles up.
    void ExpectRest(const std::string& after) {
        int updates = 0;
        auto rested = [&] { return AtRest() || Screen().mState == BoardScreen::kStageComplete; };
        for (; updates < kRestLimit && !rested() && !App().mShutdown; ++updates) {
            Step();
            CountParticles();
        }
        EXPECT_TRUE(rested()) << "after " << after << " the board was not at rest in " << kRestLimit
                              << " updates: state " << Screen().mState << ", board state " << Model().mState
                              << ", fall pending " << Screen().mFallPending << ", still " << Model().IsStill();
    }

    // The most particles and listed effects seen at once.
    void CountParticles() {
        BoardScreen& board = Screen();
        if (auto* x2 = dynamic_cast<EffectX2*>(board.mX2Label.get()))
            mMaxX2Sparks = std::max(mMaxX2Sparks, x2->mSparks.size());
        if (auto* freeze = dynamic_cast<EffectFreezeTime*>(board.mTimeFreeze.get()))
            mMaxFreezeSparks = std::max(mMaxFreezeSparks, freeze->mSparks.size());
        for (const EffectList& list : board.mEffects)
            mMaxListed = std::max(mMaxListed, list.GetCount());
    }

    // A cleared board goes on through the stage-complete screen to the
    // next board, by way of the map's "Next" when the stage is won.
    void GoOnAfterCompletion() {
        if (Screen().mState != BoardScreen::kStageComplete)
            return;
        ++mCompleted;
        ASSERT_TRUE(Tend([&] { return StageComplete() != nullptr; }, 3000, false)) << Screen().mState;
        ShopScreen* complete = StageComplete();
        ASSERT_TRUE(Tend([&] { return complete->GetPhase() == ShopScreen::kFinished; }, 3000, false));
        ASSERT_TRUE(Tend([&] { return complete->mState == LayoutDialog::Resting; }, 500, false));
        CloseTips();
        Click(complete->GetOk());
        ASSERT_TRUE(Tend(
            [&] {
                return App().mEnteringScreen == Map() ||
                       (App().mEnteringScreen == Board() && Screen().mState == BoardScreen::kPlaying);
            },
            2000, false));
        if (App().mEnteringScreen == Map()) {
            ASSERT_TRUE(
                StepUntil([&] { return Map()->GetNextButton() != nullptr && Map()->GetNextButton()->mVisible; }, 500));
            Click(Map()->GetNextButton());
            ASSERT_TRUE(Tend([&] { return App().mEnteringScreen == Board(); }, 500, false));
        }
        ASSERT_TRUE(Tend([&] { return AtRest() && App().mDialogList.empty(); }, 3000, false))
            << "state " << Screen().mState;
    }

    // Enough stage time left for a bonus's show; otherwise the developer's
    // time-up key ends the board, the penalty is paid and the same board
    // is dealt again.
    void EnsureTime() {
        ASSERT_NO_FATAL_FAILURE(GoOnAfterCompletion());
        const TimerDial& timer = Screen().mTimer;
        if (timer.mDuration - timer.mValue > 2000.0f)
            return;
        SetDevMode();
        PressKey(kKeyF3);
        ASSERT_TRUE(Tend([&] { return App().GetDialog(PenaltyDialog::kDialogId) != nullptr; }, 3000, false))
            << "no penalty after the time-up, state " << Screen().mState;
        ++mPenalties;
        ASSERT_TRUE(Tend([&] { return AtRest() && App().mDialogList.empty(); }, 3000, false))
            << "state " << Screen().mState;
    }
    // A new player's first board, at rest with its dialogs answered and
    // every bonus offered through the developer's key.
    void EnterBoardWithAllBonuses(const std::string& player) {
        Start();
        ASSERT_NO_FATAL_FAILURE(EnterFirstBoard(player));
        ExpectRest("the board's start");
        while (!App().mDialogList.empty()) {
            ASSERT_TRUE(AnswerDialogs());
            Step();
        }
        SetDevMode();
        PressKey('B');
    }
    void SetDevMode() {
        if (!Screen().mDevMode)
            PressKey(platform::kVkOem3);
        ASSERT_TRUE(Screen().mDevMode);
    }
    // The bonus lit and ready: unlocked and charged to one unit short with
    // the developer's keys, the last unit from the player's next break.
    void MakeReady(Bonus& bonus) {
        ASSERT_NO_FATAL_FAILURE(EnsureTime());
        auto ready = [&] { return bonus.mState == Bonus::kReady || bonus.mState == Bonus::kHover; };
        if (!ready()) {
            ASSERT_TRUE(
                Tend([&] { return AtRest() || Screen().mState == BoardScreen::kStageComplete; }, kRestLimit, false));
            ASSERT_NO_FATAL_FAILURE(GoOnAfterCompletion());
            SetDevMode();
            PressKey('B');
            PressKey('N');
            ASSERT_TRUE(bonus.mEnabled && !bonus.mHidden) << bonus.mIndex;
            ASSERT_TRUE(Tend(ready, 2000, true))
                << "bonus " << bonus.mIndex << " did not light, state " << bonus.mState << ", charge " << bonus.mCharge;
        }
        ASSERT_TRUE(
            Tend([&] { return AtRest() || Screen().mState == BoardScreen::kStageComplete; }, kRestLimit, false));
        // The break that lit it may have cleared the board.
        if (Screen().mState == BoardScreen::kStageComplete) {
            ASSERT_NO_FATAL_FAILURE(GoOnAfterCompletion());
            ASSERT_NO_FATAL_FAILURE(MakeReady(bonus));
            return;
        }
        ASSERT_TRUE(Tend([&] { return AtRest() && App().mDialogList.empty(); }, kRestLimit, false));
    }
    void Press(Bonus& bonus) {
        ClickAt(static_cast<int>(bonus.mX + bonus.mWidth / 2), static_cast<int>(bonus.mY + bonus.mHeight / 2));
    }
    // The mouse moved over (x, y) with no dialog in the way.
    void AimAt(int x, int y) {
        Tend([&] { return App().mDialogList.empty(); }, 500, false);
        platform::SetCursorPos(platform::ClientToScreen(App().mHWnd, {x, y}));
        Post(platform::kWmMouseMove, 0, platform::MakeLParam(x, y));
        TakeInput();
    }

    // The cell nearest the board's middle that holds an item, has no chain
    // and passes `also`.
    std::optional<CellPos> PickCell(const std::function<bool(int, int)>& also = nullptr) {
        Game::Board& board = Model();
        const int midColumn = board.mColStart + board.mWidth / 2;
        const int midRow = board.mRowStart + board.mHeight / 2;
        std::optional<CellPos> best;
        int bestDistance = 1 << 20;
        for (int row = board.mRowStart; row < board.mRowStart + board.mHeight; ++row)
            for (int column = board.mColStart; column < board.mColStart + board.mWidth; ++column) {
                const BoardCell& cell = board.Cell(column, row);
                if (!cell.mExists || cell.mItem < 0 || cell.mChain != 0 || (also && !also(column, row)))
                    continue;
                const int distance = std::abs(column - midColumn) + std::abs(row - midRow);
                if (distance < bestDistance) {
                    bestDistance = distance;
                    best = CellPos{column, row};
                }
            }
        return best;
    }
    int CellX(const CellPos& cell) { return Model().ColumnToX(cell.mColumn, true); }
    int CellY(const CellPos& cell) { return Model().RowToY(cell.mRow, true); }
    int CountItem(int item) {
        int n = 0;
        for (const BoardCell& cell : Model().mCells)
            n += cell.mExists && cell.mItem == item ? 1 : 0;
        return n;
    }

    void UseKnife();
    void UseLineBreak();
    void UseReplace();
    void UseHint();
    void UseTimer();
    void UseX2();
    void UseAtOnce(int index, const std::string& name);

    size_t mMaxX2Sparks = 0;
    size_t mMaxFreezeSparks = 0;
    size_t mMaxListed = 0;
    int mPenalties = 0;
    int mCompleted = 0;
};

// The knife lights the cell under the mouse while it aims and cuts the
// clicked cell's item.
void BoardBonusesTest::UseKnife() {
    Bonus& knife = BonusAt(kKnife);
    ASSERT_NO_FATAL_FAILURE(MakeReady(knife));
    Press(knife);
    ASSERT_EQ(knife.mState, Bonus::kArmed);
    const std::optional<CellPos> target = PickCell();
    ASSERT_TRUE(target);
    AimAt(CellX(*target), CellY(*target));
    EXPECT_EQ(Screen().mEffects[6].GetCount(), 1u) << "the aimed cell is highlighted";
    ClickAt(CellX(*target), CellY(*target));
    EXPECT_EQ(Model().Cell(target->mColumn, target->mRow).mItem, kItemRemoved);
    EXPECT_TRUE(Screen().mEffects[6].IsEmpty());
    bool knifeShown = false;
    for (size_t i = 0; i < Screen().mEffects[3].GetCount(); ++i)
        knifeShown = knifeShown || dynamic_cast<EffectKnife*>(Screen().mEffects[3].Get(i)) != nullptr;
    EXPECT_TRUE(knifeShown);
    EXPECT_NE(knife.mState, Bonus::kArmed);
    ExpectRest("the knife");
    if (Screen().mState == BoardScreen::kPlaying) {
        EXPECT_GE(Model().Cell(target->mColumn, target->mRow).mItem, 0) << "the cut cell is dealt again";
    }
}

// The line break, aimed at a cell, turns from the horizontal to the
// vertical line within 100 updates and breaks the vertical one.
void BoardBonusesTest::UseLineBreak() {
    auto* line = dynamic_cast<BonusLineBreak*>(&BonusAt(kLineBreak));
    ASSERT_NE(line, nullptr);
    ASSERT_NO_FATAL_FAILURE(MakeReady(*line));
    Press(*line);
    ASSERT_EQ(line->mState, Bonus::kArmed);
    EXPECT_TRUE(line->IsHorizontal());
    // A column of at least two items, with a neighbour beside the cell.
    const std::optional<CellPos> target = PickCell([&](int column, int row) {
        const bool above = row > 0 && Model().Cell(column, row - 1).mExists && Model().Cell(column, row - 1).mItem >= 0;
        const bool beside =
            column > 0 && Model().Cell(column - 1, row).mExists && Model().Cell(column - 1, row).mItem >= 0;
        return above && beside;
    });
    ASSERT_TRUE(target);
    AimAt(CellX(*target), CellY(*target));
    ASSERT_TRUE(Tend([&] { return !line->IsHorizontal(); }, 150, false)) << "the line did not turn";
    EXPECT_GE(Screen().mEffects[6].GetCount(), 2u) << "the vertical line is highlighted";
    ASSERT_TRUE(App().mDialogList.empty());
    std::vector<int> rows;
    for (int row = Model().mRowStart; row < Model().mRowStart + Model().mHeight; ++row) {
        const BoardCell& cell = Model().Cell(target->mColumn, row);
        if (cell.mExists && cell.mItem >= 0 && cell.mChain == 0)
            rows.push_back(row);
    }
    ClickAt(CellX(*target), CellY(*target));
    ASSERT_FALSE(line->IsHorizontal()) << "the click must break the line shown";
    for (const int row : rows)
        EXPECT_EQ(Model().Cell(target->mColumn, row).mItem, kItemRemoved) << "row " << row;
    EXPECT_GE(Model().Cell(target->mColumn - 1, target->mRow).mItem, 0) << "the row is left";
    ExpectRest("the line break");
}

// Recolour, aimed at an item, cycles the kind it turns to every 70 updates
// and turns every item of the aimed kind into the one shown at the click.
void BoardBonusesTest::UseReplace() {
    auto* replace = dynamic_cast<BonusReplace*>(&BonusAt(kReplace));
    ASSERT_NE(replace, nullptr);
    ASSERT_NO_FATAL_FAILURE(MakeReady(*replace));
    Press(*replace);
    ASSERT_EQ(replace->mState, Bonus::kArmed);
    ASSERT_GE(replace->mTargetItems.size(), 2u);
    const std::optional<CellPos> target = PickCell();
    ASSERT_TRUE(target);
    const int from = Model().Cell(target->mColumn, target->mRow).mItem;
    AimAt(CellX(*target), CellY(*target));
    EXPECT_EQ(Screen().mEffects[6].GetCount(), static_cast<size_t>(CountItem(from)))
        << "every item of the aimed kind is highlighted";
    std::set<int> shown{replace->mVariant};
    Tend(
        [&] {
            shown.insert(replace->mVariant);
            return false;
        },
        160, false);
    EXPECT_GE(shown.size(), 2u) << "the target kind does not cycle";
    auto other = [&] {
        return replace->mTargetItems[static_cast<size_t>(replace->mVariant) % replace->mTargetItems.size()] != from;
    };
    ASSERT_TRUE(Tend(other, 70 * static_cast<int>(replace->mTargetItems.size()) + 10, false));
    AimAt(CellX(*target), CellY(*target));
    ASSERT_TRUE(other());
    ClickAt(CellX(*target), CellY(*target));
    EXPECT_EQ(CountItem(from), 0) << "items of kind " << from << " left";
    ExpectRest("the recolour");
}

void BoardBonusesTest::UseAtOnce(int index, const std::string& name) {
    Bonus& bonus = BonusAt(index);
    ASSERT_NO_FATAL_FAILURE(MakeReady(bonus));
    Press(bonus);
    EXPECT_TRUE(bonus.mState == Bonus::kCharging || bonus.mState == Bonus::kUsed) << name << " " << bonus.mState;
    EXPECT_EQ(bonus.mCharge, 0.0f) << name;
}

// The hint bonus's burst ends in arrows, each drawn on the two cells of
// its own move, one the board lists and whose swap makes a run.
void BoardBonusesTest::UseHint() {
    ASSERT_NO_FATAL_FAILURE(UseAtOnce(kHint, "hint"));
    ASSERT_TRUE(Tend([&] { return Screen().mHintArrows != nullptr; }, 600, false)) << "no hint arrows";
    auto* arrows = dynamic_cast<EffectHintArrows*>(Screen().mHintArrows.get());
    ASSERT_NE(arrows, nullptr);
    std::vector<EffectHolderList::Entry>& entries = arrows->mHolders.mEntries;
    ASSERT_FALSE(entries.empty());
    // Seen at the height of their blink.
    ASSERT_TRUE(Tend([&] { return entries.front().mEffect->mImage.mValue >= 200.0f; }, 100, false));
    std::vector<EffectHolderList::Entry> all = std::move(entries);
    entries.clear();
    for (EffectHolderList::Entry& entry : all) {
        const Move& shown = entry.mMove;
        entries.push_back(std::move(entry));
        std::vector<EffectHolderList::Entry> aside;
        const std::vector<MarkerPixel> pixels = PixelsShownBy(
            Screen(), [&] { aside = std::move(entries); }, [&] { entries = std::move(aside); });
        std::string seen;
        const std::optional<Move> under = ListedMoveUnder(Model(), pixels, seen);
        ASSERT_TRUE(under.has_value()) << "the arrow of " << shown.mColumn1 << "," << shown.mRow1 << " - "
                                       << shown.mColumn2 << "," << shown.mRow2 << ": " << seen;
        EXPECT_TRUE(SameCells(*under, shown)) << "an arrow stands on the cells of another move";
        // Drawn beneath the items, it must still show plainly around them,
        // not as a dash in the gap between them.
        EXPECT_GE(pixels.size(), static_cast<size_t>(2 * kCellSize * kCellSize / 10))
            << "the arrow of " << shown.mColumn1 << "," << shown.mRow1 << " hardly shows: " << pixels.size()
            << " pixels";
        EXPECT_TRUE(SwapMakesRun(Model(), shown))
            << shown.mColumn1 << "," << shown.mRow1 << " - " << shown.mColumn2 << "," << shown.mRow2;
        entry = std::move(entries.back());
        entries.pop_back();
    }
    entries = std::move(all);
    ExpectRest("the hint");
}

// The timer bonus holds the stage timer from the probes' arrival until
// the lock has faded.
void BoardBonusesTest::UseTimer() {
    ASSERT_NO_FATAL_FAILURE(UseAtOnce(kTimer, "timer"));
    ASSERT_NE(Screen().mTimeFreeze, nullptr);
    int held = 0;
    int longestHold = 0;
    float last = Screen().mTimer.mValue;
    for (int i = 0; i < 1000 && Screen().mTimeFreeze != nullptr; ++i) {
        Step();
        CountParticles();
        held = Screen().mTimer.mValue == last ? held + 1 : 0;
        longestHold = std::max(longestHold, held);
        last = Screen().mTimer.mValue;
    }
    EXPECT_EQ(Screen().mTimeFreeze, nullptr) << "the freeze did not end";
    EXPECT_GE(longestHold, 450) << "the timer was not held for the freeze";
    EXPECT_LE(longestHold, 700);
    if (App().mDialogList.empty()) {
        Step();
        EXPECT_NE(Screen().mTimer.mValue, last) << "the timer runs again after the freeze";
    }
    ExpectRest("the timer");
}

// The x2 cork reaches its label row, whose sparks then die out.
void BoardBonusesTest::UseX2() {
    ASSERT_NO_FATAL_FAILURE(UseAtOnce(kX2, "x2"));
    EXPECT_GT(Screen().mX2Ticks, 2900);
    auto* x2 = dynamic_cast<EffectX2*>(Screen().mX2Label.get());
    ASSERT_NE(x2, nullptr);
    ASSERT_TRUE(Tend(
        [&] {
            CountParticles();
            return x2->mPhase != EffectX2::kFlying;
        },
        1000, false))
        << "the cork never arrived";
    ASSERT_TRUE(Tend([&] { return x2->mSparks.empty(); }, 1000, false)) << x2->mSparks.size() << " sparks left";
    ExpectRest("the x2");
}

// The screen rectangle of the pixels of `source` in `image` that are not
// wholly clear, drawn with the source's corner at (x, y); empty when all are.
Kavo::IntRect SeenPart(Kavo::Image* image, const Kavo::IntRect& source, int x, int y) {
    auto* memory = dynamic_cast<Kavo::MemoryImage*>(image);
    if (memory == nullptr)
        return {};
    const uint32_t* bits = memory->GetBits();
    int left = source.mWidth, top = source.mHeight, right = -1, bottom = -1;
    for (int row = 0; row < source.mHeight; ++row)
        for (int column = 0; column < source.mWidth; ++column)
            if ((bits[size_t(source.mY + row) * size_t(image->GetWidth()) + size_t(source.mX + column)] >> 24) != 0) {
                left = std::min(left, column);
                right = std::max(right, column);
                top = std::min(top, row);
                bottom = std::max(bottom, row);
            }
    if (right < 0)
        return {};
    return {x + left, y + top, right - left + 1, bottom - top + 1};
}

bool Overlap(const Kavo::IntRect& a, const Kavo::IntRect& b) {
    return a.mWidth > 0 && b.mWidth > 0 && a.mX < b.mX + b.mWidth && b.mX < a.mX + a.mWidth &&
           a.mY < b.mY + b.mHeight && b.mY < a.mY + a.mHeight;
}

// Every bonus charged at once, as a player who saved them all sees them:
// what a charged bonus shows over its face (the shuffle's blender, the
// hint's caption) stays on its own button, so no two buttons overlap and
// nothing of one lies on a neighbour; the middle of each button, where a
// player clicks, shows that button, and the click reaches the board, which
// hands it to that bonus alone.
TEST_F(BoardBonusesTest, ChargedBonusesEachShowOnlyOnTheirOwnButtonWhereTheClickReachesThem) {
    ASSERT_NO_FATAL_FAILURE(EnterBoardWithAllBonuses("Saver"));
    // Full from one short, as the last break leaves them: each lights with
    // its charged show.
    for (int index = kKnife; index <= kX2; ++index) {
        BonusAt(index).mPercent = 99;
        BonusAt(index).mCharge = BonusAt(index).mChargeMax;
    }
    ASSERT_TRUE(Tend(
        [&] {
            for (int index = kKnife; index <= kX2; ++index)
                if (BonusAt(index).mState != Bonus::kReady)
                    return false;
            return true;
        },
        100, false));
    auto* shuffle = dynamic_cast<BonusShuffle*>(&BonusAt(kShuffle));
    auto* hint = dynamic_cast<BonusHint*>(&BonusAt(kHint));
    ASSERT_TRUE(shuffle != nullptr && hint != nullptr);
    // The blender may have played its frames out; all of them are checked.
    ASSERT_TRUE(hint->mOverlayShown);

    std::vector<std::vector<Kavo::IntRect>> seen(kX2 + 1);
    for (int index = kKnife; index <= kX2; ++index) {
        const Bonus& bonus = BonusAt(index);
        seen[size_t(index)].push_back(
            SeenPart(bonus.mImage, bonus.mCellRects[0], static_cast<int>(bonus.mX), static_cast<int>(bonus.mY)));
    }
    // The blender's frames, each centred on its point.
    ImageDesc* blender = shuffle->mBlender.GetImageDesc();
    ASSERT_NE(blender, nullptr);
    for (const Kavo::IntRect& frame : blender->mRects)
        seen[kShuffle].push_back(SeenPart(blender->mImage, frame,
                                          static_cast<int>(shuffle->mBlender.mX) - frame.mWidth / 2,
                                          static_cast<int>(shuffle->mBlender.mY) - frame.mHeight / 2));
    Kavo::Image* caption = hint->mOverlay.GetImage();
    ASSERT_NE(caption, nullptr);
    ASSERT_FALSE(hint->mOverlay.mCentered);
    seen[kHint].push_back(SeenPart(caption, {0, 0, caption->GetWidth(), caption->GetHeight()},
                                   static_cast<int>(hint->mOverlay.mX), static_cast<int>(hint->mOverlay.mY)));

    for (int index = kKnife; index <= kX2; ++index) {
        const Bonus& bonus = BonusAt(index);
        const Kavo::IntRect button(static_cast<int>(bonus.mX), static_cast<int>(bonus.mY),
                                   static_cast<int>(bonus.mWidth), static_cast<int>(bonus.mHeight));
        const int clickX = button.mX + button.mWidth / 2, clickY = button.mY + button.mHeight / 2;
        EXPECT_TRUE(seen[size_t(index)][0].Contains(clickX, clickY)) << index << ": its face is not under its middle";
        for (int other = kKnife; other <= kX2; ++other) {
            if (other == index)
                continue;
            for (const Kavo::IntRect& part : seen[size_t(other)])
                EXPECT_FALSE(Overlap(part, button) || Overlap(part, seen[size_t(index)][0]))
                    << "bonus " << other << " shows " << part.mX << "," << part.mY << " " << part.mWidth << "x"
                    << part.mHeight << " on bonus " << index;
        }
        int widgetX = 0, widgetY = 0;
        EXPECT_EQ(App().mWidgetManager->GetWidgetAt(clickX, clickY, &widgetX, &widgetY), &Screen())
            << index << ": something else takes the click at " << clickX << "," << clickY;
    }
    // A click on the shuffle's middle shuffles the board.
    std::vector<int> before;
    for (const BoardCell& cell : Model().mCells)
        before.push_back(cell.mExists ? cell.mItem : -1);
    Press(*shuffle);
    ASSERT_TRUE(Tend([&] { return shuffle->mState != Bonus::kReady && shuffle->mState != Bonus::kHover; }, 10, false))
        << "state " << shuffle->mState;
    ExpectRest("the shuffle");
    // What the hints show is what the shuffled items offer.
    for (const Move& move : Model().mMoves)
        EXPECT_TRUE(SwapMakesRun(Model(), move)) << "after the shuffle " << move.mColumn1 << "," << move.mRow1;
    int moved = 0;
    for (size_t i = 0; i < before.size(); ++i)
        moved += before[i] >= 0 && before[i] != Model().mCells[i].mItem ? 1 : 0;
    EXPECT_GT(moved, 0);
}

// A hint charged on one board and kept for the next one starts that board
// ready; it must still carry its "Hint!" caption, as a hint charged on the
// board itself does.
TEST_F(BoardBonusesTest, AHintKeptChargedIntoTheNextBoardStillCarriesItsCaption) {
    ASSERT_NO_FATAL_FAILURE(EnterBoardWithAllBonuses("Keeper"));
    auto* hint = dynamic_cast<BonusHint*>(&BonusAt(kHint));
    ASSERT_NE(hint, nullptr);
    hint->mPercent = 99;
    hint->mCharge = hint->mChargeMax;
    ASSERT_TRUE(Tend([&] { return hint->mState == Bonus::kReady; }, 100, false));
    ASSERT_TRUE(hint->mOverlayShown);

    constexpr int kKeyF5 = 0x74;
    PressKey(kKeyF5);
    ASSERT_TRUE(Tend([&] { return AtRest() && App().mDialogList.empty(); }, 3000, false))
        << "state " << Screen().mState;
    // The new board offers the stage's own bonuses; the hint again with them.
    PressKey('B');
    ASSERT_TRUE(Tend([&] { return hint->mState == Bonus::kReady; }, 100, false)) << "state " << hint->mState;
    EXPECT_TRUE(hint->mOverlayShown) << "the kept hint lost its caption";
    Tend([] { return false; }, 150, false);
    EXPECT_EQ(hint->mOverlay.mValue, 255.0f) << "the caption did not come up in full";
}

TEST_F(BoardBonusesTest, EachBonusActsOnTheBoardAndTheBoardComesToRest) {
    Start();
    ASSERT_NO_FATAL_FAILURE(EnterFirstBoard("Aimer"));
    // The board deals, spreads its tiles and settles without input; the
    // start tips and the bonus notice are answered, each followed by rest.
    ExpectRest("the board's start");
    // Each button lies on the screen, with the charge line that climbs it
    // from a hundred pixels below its top.
    const int lineHeight = IMAGE_BONUSLINE != nullptr ? IMAGE_BONUSLINE->GetHeight() : 0;
    for (int index = kKnife; index <= kX2; ++index) {
        const Bonus& bonus = BonusAt(index);
        EXPECT_TRUE(bonus.mX >= 0 && bonus.mY >= 0 && bonus.mX + bonus.mWidth <= 1024 &&
                    std::max(bonus.mY + bonus.mHeight, bonus.mY + 100 + lineHeight) <= 768)
            << index << " at " << bonus.mX << "," << bonus.mY << " " << bonus.mWidth << "x" << bonus.mHeight;
    }
    while (!App().mDialogList.empty()) {
        ASSERT_TRUE(AnswerDialogs());
        Step();
        ExpectRest("a closed dialog");
    }
    // Each button's face is as high as the charge line travels (one pixel
    // per missing percent, 100 at empty), so the line marks the edge of the
    // face's filled part; the line is as wide as the face; both stand on
    // the screen.
    Kavo::Image* line = IMAGE_BONUSLINE;
    ASSERT_NE(line, nullptr);
    for (int index = kKnife; index <= kX2; ++index) {
        const Bonus& bonus = BonusAt(index);
        const Kavo::IntRect& face = bonus.mCellRects[0];
        EXPECT_EQ(face.mHeight, 100) << index;
        EXPECT_EQ(line->GetCelWidth(), face.mWidth) << index;
        EXPECT_LT(line->GetCelHeight(), 20) << index;
        EXPECT_GE(bonus.mX, 0.0f) << index;
        EXPECT_LE(bonus.mX + static_cast<float>(face.mWidth), 1024.0f) << index;
        EXPECT_LE(bonus.mY + 100.0f + static_cast<float>(line->GetCelHeight()), 768.0f) << index;
    }
    // Moves of the scripted player, each followed by rest.
    for (int i = 0; i < 3; ++i) {
        const int moves = mMovesMade;
        ASSERT_TRUE(Tend([&] { return mMovesMade > moves; }, 1000, true));
        ExpectRest("a move");
    }

    ASSERT_NO_FATAL_FAILURE(UseKnife());
    ASSERT_NO_FATAL_FAILURE(UseLineBreak());
    ASSERT_NO_FATAL_FAILURE(UseReplace());
    ASSERT_NO_FATAL_FAILURE(UseAtOnce(kShuffle, "shuffle"));
    ExpectRest("the shuffle");
    // What the hints show is what the shuffled items offer.
    for (const Move& move : Model().mMoves)
        EXPECT_TRUE(SwapMakesRun(Model(), move)) << "after the shuffle " << move.mColumn1 << "," << move.mRow1;
    for (const BoardCell& cell : Model().mCells)
        if (cell.mExists && cell.mItem >= 0 && cell.mChain == 0) {
            EXPECT_TRUE(cell.mVisible) << "an item stays hidden after the shuffle";
        }
    ASSERT_NO_FATAL_FAILURE(UseAtOnce(kLightning, "lightning"));
    ExpectRest("the lightning");
    ASSERT_NO_FATAL_FAILURE(UseHint());
    ASSERT_NO_FATAL_FAILURE(UseTimer());
    ASSERT_NO_FATAL_FAILURE(UseX2());

    // 10,000 more updates of the stage, its time running out and its
    // penalty paid as often as it comes: nothing piles up. (The window's
    // run leaves this stretch to the headless one: it adds minutes there.)
    const int more = InWindow() ? 0 : 10000;
    for (int i = 0; i < more && !App().mShutdown; ++i) {
        AnswerDialogs();
        Step();
        CountParticles();
    }
    EXPECT_LE(mMaxX2Sparks, 1000u);
    EXPECT_LE(mMaxFreezeSparks, 1000u);
    EXPECT_LE(mMaxListed, 400u);
    if (more > 0) {
        EXPECT_EQ(Screen().mX2Label, nullptr);
        EXPECT_EQ(Screen().mTimeFreeze, nullptr);
    }

    CloseWindow();
    ASSERT_TRUE(RunToShutdown(200));
    Finish();
}

} // namespace
} // namespace Game
