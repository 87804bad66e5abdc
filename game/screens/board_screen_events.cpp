// The board screen's answers to the board's events and to the bonus
// buttons: scoring, statistics, charge, and what each bonus does to the
// board.
#include <algorithm>

#include "framework/app/kavo_app_base.h"
#include "framework/widget/widget_manager.h"
#include "game/app/game_app.h"
#include "game/app/sound_facade.h"
#include "game/board/board_random.h"
#include "game/board/bonus.h"
#include "game/board/bonus_registry.h"
#include "game/board/item_catalog.h"
#include "game/bonus/bonus_lightning.h"
#include "game/bonus/bonus_line_break.h"
#include "game/bonus/bonus_replace.h"
#include "game/bonus/bonus_shuffle.h"
#include "game/effects/dust_effect.h"
#include "game/effects/effect_color_ring.h"
#include "game/effects/effect_flash.h"
#include "game/effects/effect_freeze_time.h"
#include "game/effects/effect_hint_arrows.h"
#include "game/effects/effect_hint_bonus.h"
#include "game/effects/effect_knife.h"
#include "game/effects/effect_pepper.h"
#include "game/effects/effect_tip_drift.h"
#include "game/effects/effect_twirl.h"
#include "game/effects/effect_x2.h"
#include "game/effects/floating_number.h"
#include "game/screens/board_scoring.h"
#include "game/screens/board_screen.h"
#include "game/screens/effect_callbacks.h"
#include "game/ui/resource_ids.h"
#include "game/ui/ui_sound.h"
#include "game/ui/user_manager.h"

namespace Game {

namespace {

constexpr int kBreakFallDelay = 30;
constexpr int kKnifeFallDelay = 130;
constexpr int kLineFallDelay = 100;
constexpr int kX2Ticks = 3000;
constexpr int kFirstMoveTip = 0;
constexpr int kFirstRunTip = 14;
constexpr int kLastNumberedSound = 10;
constexpr int kMegaSound = 11;
// The furnishing's extra score per figure is its fraction times this.
constexpr float kFurnishingScale = 10.0f;
constexpr int kBarNumberDx = 5;
constexpr int kBarNumberDy = 235;

void SetPointerCursor() {
    if (Kavo::gAppBase != nullptr)
        Kavo::gAppBase->SetCursorSlotImage(0, IMAGE_CUSTOM_POINTER);
}

void AddNumber(EffectList& list, int value, int x, int y) {
    list.Add(new FloatingNumber(EffectEvent{0, value, x, y}));
}

} // namespace

void BoardScreen::AddScore(int kind, float value) {
    if (kind < 0 || kind > 2)
        return;
    if (UserManager* users = UserManager::GetInstance()) {
        users->AddStatBC(kind, value);
        users->AddStatA(kind, value);
    }
    ChargeBonuses(kind, value);
    mGoalBars.AddToBar(kind, value);
}

void BoardScreen::AddFigurePoints(int kind) {
    UserManager* users = UserManager::GetInstance();
    if (users == nullptr || kind < 0 || kind > 2)
        return;
    const bool menu = kind != 2;
    const int extra = static_cast<int>((menu ? users->GetMoney() : users->GetRoomValue()) * kFurnishingScale);
    if (extra <= 0)
        return;
    ProgressBar& bar = menu ? mMenuBar : mRoomBar;
    AddNumber(mEffects[5], extra, static_cast<int>(bar.mX) + kBarNumberDx, static_cast<int>(bar.mY) + kBarNumberDy);
    bar.StartFade();
    AddScore(kind, static_cast<float>(extra));
}

void BoardScreen::ShowItemDone(int itemId, int x, int y) {
    mEffects[3].Add(new EffectTipDrift(EffectEvent{itemId, 0, x, y}));
}

void BoardScreen::OnFiguresBroken(bool byMove) {
    GameApp* app = gGameApp;
    if (byMove) {
        if (mGoalStats.mSinceLastBreak > BoardGoalStats::kQuickBreakWindow)
            mGoalStats.mQuickStreak = 0;
        else
            ++mGoalStats.mQuickStreak;
        mGoalStats.mSinceLastBreak = 0;
    }
    if (app != nullptr) {
        if (app->IsTipOpen() && app->GetOpenTipId() == kFirstMoveTip)
            DialogButtonRelease(kTipDialog, 0);
        else
            app->CloseTip(true);
    }
    // A break restarts a clock that a tip held once the tip has gone; a tip
    // still open, or a window or effect that holds it, keeps it held.
    ReleaseTimerIfFree();

    const std::vector<Figure>& figures = mBoard.mFigures;
    std::vector<CellPos> dusted;
    for (const Figure& figure : figures)
        for (const CellPos& cell : figure.mCells) {
            if (std::find(dusted.begin(), dusted.end(), cell) != dusted.end())
                continue;
            dusted.push_back(cell);
            mEffects[2].Add(new DustEffect(
                EffectEvent{figure.mType, 0, mBoard.ColumnToX(cell.mColumn, true), mBoard.RowToY(cell.mRow, true)}));
        }

    const BreakScore score = ScoreFigures(
        figures, [](int id) { return FindItem(id); }, mSpecialItem, mX2Ticks > 0);
    const UserRecord* record = Record();
    const bool firstBoard = record != nullptr && mStageIndex == 0 && mBoardCounter == 0;
    const bool hardware3D = Kavo::gAppBase != nullptr && Kavo::gAppBase->UsesHardware3D();
    for (const ScoredFigure& figure : score.mFigures) {
        const int cx = mBoard.ColumnToX(figure.mCentre.mColumn, true);
        const int cy = mBoard.RowToY(figure.mCentre.mRow, true);
        if (figure.mSpecial) {
            mEffects[3].Add(
                new EffectColorRing({{static_cast<int>(mSpecialIcon.mX), static_cast<int>(mSpecialIcon.mY)}}, nullptr));
            ShowItemDone(figure.mItem, cx, cy);
        }
        AddFigurePoints(figure.mKind);
        if (byMove && hardware3D)
            ShowItemDone(figure.mItem, cx, cy);
        if (figure.mLength == 3 && firstBoard && Kavo::gAppBase != nullptr)
            ShowTip(kFirstRunTip, Kavo::gAppBase->GetWidth() / 2, Kavo::gAppBase->GetHeight() / 2, false, true);
    }
    for (ScoreRecord scored : score.mRecords) {
        scored.mX = mBoard.ColumnToX(scored.mX, true);
        scored.mY = mBoard.RowToY(scored.mY, true);
        AddNumber(mEffects[5], scored.mScore, scored.mX, scored.mY);
        AddScore(scored.mKind, static_cast<float>(scored.mScore));
    }

    mGoalStats.mScores.emplace_back(mGoalStats.mPlayUpdates, score.Total());
    if (byMove)
        mGoalStats.mMoveFigures.emplace_back(mGoalStats.mPlayUpdates, static_cast<int32_t>(figures.size()));
    if (score.mCrossed) {
        ++mGoalStats.mCrossInRow;
        ++mGoalStats.mCrossTotal;
    } else {
        mGoalStats.mCrossInRow = 0;
    }
    if (byMove)
        for (size_t kind = 0; kind < 3; ++kind) {
            if (score.mKindBroken[kind]) {
                ++mGoalStats.mKindStreak[kind];
                ++mGoalStats.mKindTotal[kind];
            } else {
                mGoalStats.mKindStreak[kind] = 0;
            }
        }

    CopyTileTypes();
    mFallDelay = kBreakFallDelay;
    mFallPending = true;
    mHintCounter = 0;

    const int cascade = mBoard.mCascade;
    if (cascade >= 2 && !figures.empty()) {
        const Figure& first = figures.front();
        mEffects[3].Add(new EffectFlash(EffectEvent{cascade, 0, mBoard.ColumnToX(first.mCentreColumn, true),
                                                    mBoard.RowToY(first.mCentreRow, true)}));
    }
    if (byMove && figures.size() >= 2 && !figures.front().mCells.empty()) {
        const Figure& first = figures.front();
        const CellPos a = first.mCells.front();
        const CellPos b = first.mCells.back();
        const int x = (mBoard.ColumnToX(a.mColumn, true) + mBoard.ColumnToX(b.mColumn, true)) / 2;
        const int y = (mBoard.RowToY(a.mRow, true) + mBoard.RowToY(b.mRow, true)) / 2;
        mEffects[3].Add(new EffectTwirl(x, y, static_cast<int>(figures.size()) - 1));
    }
    if (cascade <= kLastNumberedSound)
        PlayUiSound("breakfigure" + std::to_string(cascade), true);
    else if (cascade == kMegaSound)
        PlayUiSound("megacross", true);
}

void BoardScreen::CopyTileTypes() {
    for (int row = 0; row < kBoardRows; ++row)
        for (int column = 0; column < kBoardColumns; ++column)
            if (mBoard.IsInActiveRect(column, row))
                mTiles.Tile(column, row).mValue = mBoard.Cell(column, row).mTiles;
}

void BoardScreen::OnWrongMove() {
    PlayUiSound("chipwrongmove", true);
}

void BoardScreen::OnSelect() {
    PlayUiSound("chipselect", true);
}

void BoardScreen::OnMove() {
    PlayUiSound("chipmove", true);
}

void BoardScreen::OnChainBroken(BoardCell&) {
    PlayUiSound("unlock", true);
}

void BoardScreen::OnMovesFound() {
    if (auto* arrows = dynamic_cast<EffectHintArrows*>(mHintArrows.get()))
        arrows->SetMoves(mBoard.mMoves);
    // A board read with the profile (loading, change of user) must not write
    // the half-read profile back.
    GameApp* app = gGameApp;
    if (app == nullptr || !app->mWidgetManager->HasWidget(this))
        return;
    if (UserManager* users = UserManager::GetInstance())
        users->Save();
}

// ---- The bonuses ----

void BoardScreen::ShowHintArrows() {
    mHintArrows.reset();
    auto arrows = std::make_unique<EffectHintArrows>();
    arrows->SetMoves(mBoard.mMoves);
    mHintArrows = std::move(arrows);
}

void BoardScreen::OnBonusTaken(int index, BonusUseRecord*, int, int, int) {
    if (mEyeLabel != nullptr)
        mEyeLabel->SetVisible(false);
    Bonus* bonus = FindBonusByIndex(index);
    switch (index) {
    case 1:
        if (auto* shuffle = dynamic_cast<BonusShuffle*>(bonus))
            shuffle->mBoard = &mBoard;
        mBoard.PlanShuffle();
        mBoard.ShowItems(false);
        PlayUiSound("bonuses/shufflebonus", true);
        break;
    case 2:
        PlayUiSound("bonuses/toasterbonus", true);
        break;
    case 3: {
        float x = 0;
        float y = 0;
        ActiveCentre(x, y);
        mEffects[3].Add(
            new EffectHintBonus(static_cast<int>(x), static_cast<int>(y), 0, 0, mBoard.mMoves, &mHintArrowsListener));
        PlayUiSound("bonuses/hintbonus", true);
        break;
    }
    case 4:
        PlayUiSound("bonuses/timerbonus", true);
        break;
    case 5:
        mBoard.PickTargets(mLightningTargets, RandomInt(8, 11));
        if (auto* lightning = dynamic_cast<BonusLightning*>(bonus)) {
            lightning->mAreaLeft = mBoard.ColumnToX(mBoard.mColStart, false);
            lightning->mAreaTop = mBoard.RowToY(mBoard.mRowStart, false);
            lightning->mAreaWidth = mBoard.mWidth * kCellSize;
            lightning->mAreaHeight = mBoard.mHeight * kCellSize;
        }
        PlayUiSound("bonuses/pepperbonus", true);
        break;
    case 6:
        PlayUiSound("bonuses/recolorbonus", true);
        break;
    case 7:
        PlayUiSound("bonuses/x2bonus", true);
        break;
    default:
        break;
    }
}

void BoardScreen::ScoreBonusBreak(bool lightning) {
    const std::vector<Figure> figures = mBoard.mFigures;
    for (const Figure& figure : figures)
        for (const CellPos& pos : figure.mCells) {
            if (!Board::IsInGrid(pos.mColumn, pos.mRow))
                continue;
            const BoardCell& cell = mBoard.Cell(pos.mColumn, pos.mRow);
            const int x = mBoard.ColumnToX(pos.mColumn, true);
            const int y = mBoard.RowToY(pos.mRow, true);
            if (lightning)
                mEffects[3].Add(new EffectPepper(cell.mItem, static_cast<float>(mBoard.ColumnToX(pos.mColumn, false)),
                                                 static_cast<float>(mBoard.RowToY(pos.mRow, false))));
            if (cell.mItem < 0 || cell.mChain != 0 || cell.mJustFreed)
                continue;
            const ItemRecord* item = FindItem(cell.mItem);
            if (item == nullptr)
                continue;
            const int points = mX2Ticks > 0 ? item->mPrice * 2 : item->mPrice;
            AddNumber(mEffects[5], points, x, y);
            AddScore(item->mType, static_cast<float>(points));
            if (!lightning)
                mEffects[2].Add(new DustEffect(EffectEvent{cell.mItem, 0, x, y}));
        }
    CopyTileTypes();
    mFallDelay = lightning ? kKnifeFallDelay : kLineFallDelay;
    mFallPending = true;
}

void BoardScreen::ApplyKnife(Bonus& bonus) {
    BoardCell* cell = mBoard.CellAt(bonus.mTargetX, bonus.mTargetY);
    // Off the board, or a cell without an item (a hole under a chain has
    // nothing to cut): the bonus stops.
    if (cell == nullptr || (cell->mChain == 0 && cell->mItem < 0)) {
        bonus.Stop();
        return;
    }
    mEffects[6].Clear();
    if (cell->mChain != 0) {
        const int column = mBoard.XToColumn(bonus.mTargetX);
        const int row = mBoard.YToRow(bonus.mTargetY);
        mBoard.BreakChain(column, row);
        Board::PlaceChainPicture(*cell);
        mBoard.StartFall();
        return;
    }
    cell->mVisible = false;
    PlayUiSound("bonuses/knife2", true);
    mEffects[3].Add(
        new EffectKnife(cell->mItem, static_cast<float>(cell->mTargetX), static_cast<float>(cell->mTargetY)));
    mFallDelay = kKnifeFallDelay;
    mFallPending = true;
    const ItemRecord* item = FindItem(cell->mItem);
    // An item without a catalogue record is cut for nothing.
    if (item != nullptr) {
        const int value = mX2Ticks > 0 ? item->mPrice * 2 : item->mPrice;
        AddNumber(mEffects[5], value, cell->mTargetX, cell->mTargetY);
        AddScore(item->mType, static_cast<float>(value));
    }
    cell->mItem = kItemRemoved;
    cell->mTiles = std::max(cell->mTiles - 1, 0);
    CopyTileTypes();
}

void BoardScreen::ApplyReplace(Bonus& bonus) {
    BoardCell* cell = mBoard.CellAt(bonus.mTargetX, bonus.mTargetY);
    auto* replace = dynamic_cast<BonusReplace*>(&bonus);
    // Only a cell holding an item has a kind to turn: the empty cells under
    // chains stay empty.
    if (cell == nullptr || cell->mItem < 0 || replace == nullptr || replace->mTargetItems.empty()) {
        bonus.Stop();
        return;
    }
    mEffects[6].Clear();
    const int from = cell->mItem;
    const size_t variant = static_cast<size_t>(replace->mVariant) % replace->mTargetItems.size();
    std::vector<CellPos> cells;
    mBoard.CollectCellsOfItem(from, cells);
    mBoard.ReplaceItems(from, replace->mTargetItems[variant]);
    std::vector<std::pair<int, int>> points;
    for (const CellPos& pos : cells)
        if (mBoard.Cell(pos.mColumn, pos.mRow).mItem >= 0)
            points.emplace_back(mBoard.ColumnToX(pos.mColumn, true), mBoard.RowToY(pos.mRow, true));
    if (!points.empty())
        mEffects[3].Add(new EffectColorRing(points, nullptr));
}

void BoardScreen::OnBonusApply(int index) {
    mBoard.mInputEnabled = true;
    Bonus* bonus = FindBonusByIndex(index);
    switch (index) {
    case 0:
        if (bonus != nullptr)
            ApplyKnife(*bonus);
        break;
    case 1:
        mBoard.ApplyShuffle();
        mBoard.ShowItems(true);
        break;
    case 2: {
        auto* line = dynamic_cast<BonusLineBreak*>(bonus);
        if (line == nullptr)
            break;
        mEffects[6].Clear();
        std::vector<CellPos> cells;
        if (!mBoard.CollectLine(line->mTargetX, line->mTargetY, line->IsHorizontal(), cells) || cells.empty()) {
            line->Stop();
            break;
        }
        mBoard.MakeFigure(cells);
        ScoreBonusBreak(false);
        mBoard.RemoveFigures();
        break;
    }
    case 4:
        mTimeFreeze = std::make_unique<EffectFreezeTime>(
            mTimerPoint.x, mTimerPoint.y,
            bonus != nullptr ? static_cast<int>(bonus->mX + bonus->mWidth / 2) : mTimerPoint.x,
            bonus != nullptr ? static_cast<int>(bonus->mY) : mTimerPoint.y, mTimerPoint.x, mTimerPoint.y,
            &mTimerHoldListener, 0.0f);
        break;
    case 5:
        if (mLightningTargets.empty()) {
            if (bonus != nullptr)
                bonus->Stop();
            break;
        }
        mBoard.MakeFigure(mLightningTargets);
        for (const CellPos& pos : mLightningTargets)
            mBoard.Cell(pos.mColumn, pos.mRow).mVisible = false;
        PlayUiSound("bonuses/pepper2", true);
        ScoreBonusBreak(true);
        mBoard.RemoveFigures();
        break;
    case 6:
        if (bonus != nullptr)
            ApplyReplace(*bonus);
        break;
    case 7:
        mX2Multiplier = 2.0f;
        mX2Ticks = kX2Ticks;
        mX2Label = std::make_unique<EffectX2>(mX2Start.x, mX2Start.y, mX2End.x, mX2End.y, &mX2EndListener);
        break;
    default:
        break;
    }
    SetPointerCursor();
}

void BoardScreen::OnBonusArmed(int index, Kavo::Image* cursorImage) {
    mBoard.mInputEnabled = false;
    if (cursorImage != nullptr && Kavo::gAppBase != nullptr)
        Kavo::gAppBase->SetCursorSlotImage(0, cursorImage);
    if (index == 6)
        if (auto* replace = dynamic_cast<BonusReplace*>(FindBonusByIndex(index)))
            replace->mTargetItems = mBoard.mItemSet;
    if (index == 0)
        PlayUiSound("bonuses/knife", true);
    else if (index == 2)
        PlayUiSound("bonuses/toaster", true);
    else if (index == 6)
        PlayUiSound("bonuses/recolor", true);
}

void BoardScreen::OnBonusCancelled(int) {
    mBoard.mInputEnabled = true;
    SetPointerCursor();
}

void BoardScreen::OnBonusReady(int) {
    if (mBonusReadySound != 0 && SndIsPlaying(mBonusReadySound))
        return;
    if (GameApp* app = gGameApp)
        mBonusReadySound = app->PlaySound("bonuses/bonuscomplete", true);
    else
        PlayUiSound("bonuses/bonuscomplete", true);
}

void BoardScreen::CanUseAt(int index, bool& ok, int x, int y) {
    bool otherArmed = false;
    if (auto registry = BonusRegistrySlot().Get())
        for (size_t i = 0; i < registry->GetCount(); ++i) {
            const Bonus& bonus = *registry->Get(i);
            otherArmed = otherArmed || (!bonus.mHidden && bonus.mIndex != index && bonus.mState == Bonus::kArmed);
        }
    if (otherArmed) {
        ok = false;
        return;
    }
    switch (index) {
    case 0:
    case 2:
    case 6:
        ok = mBoard.IsCellAt(x, y);
        break;
    case 1:
    case 5:
        ok = mBoard.mState == kBoardIdle && mBoard.IsStill();
        break;
    default:
        ok = true;
        break;
    }
}

void BoardScreen::SetBonusCursor(int, Kavo::Image* image, int) {
    if (image != nullptr && Kavo::gAppBase != nullptr)
        Kavo::gAppBase->SetCursorSlotImage(0, image);
}

} // namespace Game
