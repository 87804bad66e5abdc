// The board screen's stage start: entering, dealing or restoring the board,
// the appear phase, the start tips and the music.
#include <algorithm>
#include <cctype>

#include "framework/widget/dialog.h"
#include "framework/widget/hyperlink_widget.h"
#include "framework/widget/widget_manager.h"
#include "game/app/game_app.h"
#include "game/app/sound_facade.h"
#include "game/board/bevels.h"
#include "game/board/board_defs.h"
#include "game/board/board_random.h"
#include "game/board/bonus.h"
#include "game/board/bonus_registry.h"
#include "game/board/item_catalog.h"
#include "game/board/stage_goals.h"
#include "game/board/stages.h"
#include "game/screens/board_effect_maker.h"
#include "game/screens/board_screen.h"
#include "game/screens/fade_overlay.h"
#include "game/ui/image_desc.h"
#include "game/ui/music_list.h"
#include "game/ui/profile_services.h"
#include "game/ui/termins.h"
#include "game/ui/tip_window.h"
#include "game/ui/ui_sound.h"
#include "game/ui/user_manager.h"

namespace Game {

namespace {

constexpr int kStartErrorDialog = 6121;
constexpr int kToMainMenu = 8;
constexpr float kPanelFadeIn = 200.0f;

bool SameName(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

bool HasCells(const BoardLayout& layout) {
    return std::any_of(layout.mCells.begin(), layout.mCells.end(), [](const LayoutCell& c) { return c.mValue != 0; });
}

} // namespace

void BoardScreen::OnEnter() {
    mMusicTrack = -1;
    PlayMusic();
    mFadeOverlay.reset();
    mPauseCount = 0;
    mState = kEntering;
    mStateTicks = 0;
    mStageTime = 0;
    UserManager* users = UserManager::GetInstance();
    if (!StartLevel(users == nullptr || !users->IsGameInProgress(), true))
        return;
    FadePanels(1.0f, 255.0f, static_cast<int>(kPanelFadeIn));
}

void BoardScreen::FailStart(const std::string& file) {
    mState = kIdle;
    GameApp* app = gGameApp;
    if (app == nullptr)
        return;
    Kavo::Dialog* dialog = app->CreateDialogObject(kStartErrorDialog, true, "The board cannot start",
                                                   "The stage's board cannot be dealt: check \"" + file + "\".", "OK",
                                                   Kavo::Dialog::BUTTONS_FOOTER);
    if (dialog != nullptr)
        app->AddDialog(kStartErrorDialog, dialog);
    mStartError = file;
    app->SwitchScreen(kToMainMenu);
}

bool BoardScreen::StartLevel(bool advance, bool animate) {
    UserManager* users = UserManager::GetInstance();
    mStartError.clear();
    // A board dealt again keeps its stage, its board and the stage's
    // counters: stepping on would judge the lost board's goals and could
    // leave the stage, its counters cleared, without it being won.
    if (advance && users != nullptr && !mDealAgain)
        users->AdvanceStage();
    mDealAgain = false;
    if (mEyeLabel != nullptr)
        mEyeLabel->SetVisible(false);
    mStateTicks = 0;
    mTileSpread.reset();
    mFallPending = false;
    mTipShown = false;
    mWaitingTip = {};
    mStartTipsWaiting = false;
    mSecretShown = false;
    mTimeUpFlag = false;
    mEndFlag = false;

    UserRecord* record = Record();
    mStageIndex = record != nullptr ? std::max(record->mStageIndex, 0) : 0;
    mBoardCounter = record != nullptr ? std::max(record->mBoardIndex, 0) : 0;
    mBoardCounterAtStart = mBoardCounter;
    mSecretMapIndex = record != nullptr ? record->mSecretMapIndex : 0;
    mPiecesFound = record != nullptr ? record->mSecretPieces : 0;
    mRating = users != nullptr ? users->GetRating() : 0;

    // What cannot be dealt is said plainly instead of played half-made.
    auto stages = StagesSlot().Get();
    mStage = stages != nullptr ? stages->GetStage(mStageIndex) : nullptr;
    const float progress = users != nullptr ? users->GetProgress() : 0.0f;
    const std::vector<int> items = mStage != nullptr ? mStage->ItemsFor(progress) : std::vector<int>{};
    if (mStage == nullptr || items.empty()) {
        FailStart("data/stages.txt");
        return false;
    }
    auto defs = BoardDefsSlot().Get();
    const int range = mStage->mLastBoard - mStage->mFirstBoard + 1;
    const int layoutIndex = mBoardCounter % std::max(range, 1) + mStage->mFirstBoard;
    const BoardLayout* layout = defs != nullptr ? defs->GetLayout(layoutIndex) : nullptr;
    if (layout == nullptr || !HasCells(*layout)) {
        FailStart("data/boards.dat");
        return false;
    }

    mStageTime = mStage->mTime * 100;
    if (mStage->mBack != mBackgroundName) {
        mBackgroundName = mStage->mBack;
        ImageDesc* desc = nullptr;
        if (GameApp* app = gGameApp)
            for (const auto& [name, found] : app->mBackgrounds.mDescs)
                if (desc == nullptr && SameName(name, mBackgroundName))
                    desc = found;
        if (desc != nullptr)
            mBackground.SetImage(desc->mImage);
        else
            mBackground.LoadImage(mBackgroundName);
    }

    mPlaying = true;
    mBoard.mVisible = true;
    mBoard.ClearSelection();
    mBoard.mItemSet = items;

    const int restaurant = gGameApp != nullptr ? gGameApp->CurrentRestaurantIndex() : 0;
    auto bevels = BevelsSlot().Get();
    const Bevel* bevel = bevels != nullptr ? bevels->ForRestaurant(restaurant) : nullptr;

    if (advance) {
        auto maps = SecretMapTableSlot().Get();
        bool secretPending = maps != nullptr && mSecretMapIndex < maps->GetMapCount() &&
                             mPiecesFound < maps->GetPieceCount(mSecretMapIndex);
        if (mStageIndex == 0 && mBoardCounter == 0)
            secretPending = false;
        mBoard.NewBoard(*layout, secretPending);
        mTiles.SetLevel(*layout);
        mTiles.mColStart = mBoard.mColStart;
        mTiles.mRowStart = mBoard.mRowStart;
        mTiles.mWidth = mBoard.mWidth;
        mTiles.mHeight = mBoard.mHeight;
        mBorders.Build(*layout, bevel, mTiles);
        mBordersVisible = true;
        if (animate) {
            mBorderAlpha.Set(0.0f, 255.0f, 1.7f);
            mTileSpread = Effects().MakeTileSpread(mTiles);
            mBoard.mVisible = false;
            mState = kAppear;
        } else {
            mBorderAlpha.Set(255.0f, 255.0f, 1.0f);
        }
        if (record != nullptr) {
            record->mKept2 = 0;
            record->mKept3 = 0;
        }
        if (users != nullptr)
            users->ClearStatC();
    } else {
        // A saved game: the board came back with the profile.
        mTiles.SetLevel(*layout);
        mBoard.ComputeActiveRect();
        mTiles.mColStart = mBoard.mColStart;
        mTiles.mRowStart = mBoard.mRowStart;
        mTiles.mWidth = mBoard.mWidth;
        mTiles.mHeight = mBoard.mHeight;
        for (int row = 0; row < kBoardRows; ++row)
            for (int column = 0; column < kBoardColumns; ++column)
                if (mBoard.IsInActiveRect(column, row))
                    mTiles.Tile(column, row).mValue = mBoard.Cell(column, row).mTiles;
        mBorders.Build(*layout, bevel, mTiles);
        mBordersVisible = true;
        mBorderAlpha.Set(255.0f, 255.0f, 1.7f);
        for (int stage = 0; stages != nullptr && stage <= mStageIndex; ++stage)
            if (const Stage* s = stages->GetStage(stage))
                if (Bonus* bonus = FindBonusByName(s->mBonus))
                    bonus->mHidden = false;
        mState = kPlaying;
        mTimer.mDuration = static_cast<float>(mStageTime);
        mTimer.mValue = record != nullptr ? static_cast<float>(record->mKept2) : 0.0f;
        mTimer.mSpeed = 1.0f;
        mTimer.Start(false, false);
        if (mEyeLabel != nullptr)
            mEyeLabel->SetVisible(true);
        if (users != nullptr) {
            users->SetGameFlags();
            users->Save();
        }
    }

    std::vector<std::string> offered;
    mStage->BonusesFor(50.0f, offered);
    if (auto registry = BonusRegistrySlot().Get()) {
        for (size_t i = 0; i < registry->GetCount(); ++i) {
            Bonus& bonus = *registry->Get(i);
            bonus.mEnabled = std::find(offered.begin(), offered.end(), bonus.mName) != offered.end();
        }
    }
    mSpecialItem = mBoard.mFeaturedItem;
    auto catalog = ItemCatalogSlot().Get();
    const ItemRecord* special = catalog != nullptr ? catalog->Find(mSpecialItem) : nullptr;
    // An item without a catalogue record has no icon.
    mSpecialIcon.SetImage(special != nullptr ? special->mImage : nullptr);
    mTimer.mDuration = static_cast<float>(mStageTime);

    if (auto registry = BonusRegistrySlot().Get())
        for (size_t i = 0; i < registry->GetCount(); ++i)
            registry->Get(i)->Reset();

    mHintMarker.reset();
    mHintCounter = 0;
    mHintPeriod = kHintPeriod;
    mHintDelay = 0;
    mFallDelay = 0;
    mX2Ticks = 0;
    for (int list : {2, 3, 4, 5})
        mEffects[static_cast<size_t>(list)].Clear();
    mTimeUpFlag = false;

    if (mMoneyLabel != nullptr)
        mMoneyLabel->mLabel = std::to_string(mRating);
    if (mLevelLabel != nullptr)
        mLevelLabel->mLabel = std::to_string(mBoardCounter + 1);
    if (users != nullptr) {
        mRoomBar.SetValue(users->GetRoomValue(), false);
        mMenuBar.SetValue(users->GetMoney(), false);
    }
    FillGoalBars();

    mIdleTicks = kNoIdleTip;
    mBlinkDeadline = RandomInt(1000, 1800);
    mShineDeadline = RandomInt(200, 500);
    mX2Label.reset();
    mTimeFreeze.reset();
    mRewardEffect.reset();
    mHintArrows.reset();
    mBlink.reset();
    mGoalReached.fill(-1);
    mGoalStats.Clear();

    if (mHooks.mGoals != nullptr)
        for (auto& goal : *mHooks.mGoals)
            if (goal != nullptr) {
                goal->Reset();
                goal->mValue = 0;
            }
    CancelArmedBonuses();
    return true;
}

void BoardScreen::OnTilesSpread() {
    mTileSpread.reset();
    // The bar runs back to 0 in 200 updates; the dial ignores it meanwhile.
    const float current = mTimer.mValue;
    mTimer.mSpeed = current / kWindBack;
    mTimer.Start(true, true);
    mTimer.mValue = current;
    mState = kPlaying;
    mBoard.mVisible = true;
    auto scaleIn = Effects().MakeItemScaleIn(mBoard, [this] { OnSettled(); });
    if (scaleIn != nullptr)
        mEffects[2].Add(scaleIn.release());
    else
        OnSettled();
}

void BoardScreen::OnSettled() {
    if (mEyeLabel != nullptr)
        mEyeLabel->SetVisible(true);
    ShowChainAppear();
    mPlaying = true;
    UserManager* users = UserManager::GetInstance();
    if (users != nullptr) {
        users->SetGameFlags();
        users->Save();
    }
    mTimer.mDuration = static_cast<float>(mStageTime);
    mState = kPlaying;
    mStateTicks = 0;
    mTimer.mSpeed = 1.0f;
    mTimer.Start(false, true);
    // A tip that the board's first breaks opened while the items came in
    // holds the clock from its start, as any tip does.
    if (ClockHeld())
        HoldTimer();

    float x = 0;
    float y = 0;
    ActiveCentre(x, y);
    auto banner = Effects().MakeStartBanner(x, y, [this] { ShowStartTips(); });
    const bool bannerShown = banner != nullptr;
    if (bannerShown)
        mEffects[3].Add(banner.release());

    UserRecord* record = Record();
    if (record != nullptr && record->mBoardIndex == 0 && mStage != nullptr) {
        // An unknown name unlocks nothing.
        Bonus* bonus = FindBonusByName(mStage->mBonus);
        if (bonus != nullptr && bonus->mHidden) {
            bonus->mHidden = false;
            GameDialog* dialog = mHooks.mMakeBonusUnlockDialog ? mHooks.mMakeBonusUnlockDialog(bonus->mIndex) : nullptr;
            if (dialog != nullptr && gGameApp != nullptr) {
                // A tip the board's first breaks opened waits, unread, for
                // the notice to close.
                if (gGameApp->IsTipOpen()) {
                    if (gGameApp->GetOpenTipId() == mOpenTip.mId)
                        mWaitingTip = mOpenTip;
                    gGameApp->KillDialog(TipWindow::kDialogId);
                    mTipShown = false;
                    mTipArrow.reset();
                }
                dialog->mDialogListener = this;
                gGameApp->AddDialog(dialog);
                // The player reads what the new bonus does on the stage's
                // time only once the notice is closed.
                HoldTimer();
            }
        }
    }
    if (!bannerShown)
        ShowStartTips();
}

void BoardScreen::ShowChainAppear() {
    std::vector<CellPos> chained;
    mBoard.CollectChainedCells(chained);
    bool played = false;
    for (const CellPos& cell : chained) {
        if (auto dust = Effects().MakeChainDust(mBoard.ColumnToX(cell.mColumn, true), mBoard.RowToY(cell.mRow, true)))
            mEffects[3].Add(dust.release());
        if (!played)
            PlayUiSound("chainappear", true);
        played = true;
    }
    int x = -1;
    int y = -1;
    mBoard.FirstSecretCell(x, y);
    if (x >= 0 && y >= 0) {
        if (auto dust = Effects().MakeChainDust(x, y))
            mEffects[3].Add(dust.release());
        if (!played)
            PlayUiSound("chainappear", true);
    }
}

void BoardScreen::ShowStartTips() {
    UserRecord* record = Record();
    if (record == nullptr)
        return;
    GameApp* app = gGameApp;
    if (app != nullptr && app->GetDialog(kBonusUnlockDialog) != nullptr) {
        mStartTipsWaiting = true;
        return;
    }
    // No move found: no first tip.
    if (record->mTipShown[0] == 0 && !mBoard.mMoves.empty()) {
        const Game::Move& move = mBoard.mMoves.back();
        ShowTip(0, move.mX2, std::min(move.mY1, move.mY2), true, true);
        // The arrow belongs to the tip and goes when the tip closes; with the
        // tips off it would stand over the board for good and keep every
        // hint away.
        if (app != nullptr && app->GetOpenTipId() == 0)
            mTipArrow = Effects().MakeTipArrow(move);
    }
    const bool openNow = app != nullptr && app->IsTipOpen();
    if (record->mTipShown[3] == 0 && !openNow) {
        int x = -1;
        int y = -1;
        mBoard.FirstSecretCell(x, y);
        if (x > 0 && y > 0)
            ShowTip(3, x, y, true, true);
    }
    if (app == nullptr || !app->IsTipOpen()) {
        int x = -1;
        int y = -1;
        mBoard.FirstChainedCell(x, y);
        if (x >= 0 && y >= 0)
            ShowTip(3, x, y, true, true);
    }
}

void BoardScreen::ShowTip(int tipId, int x, int y, bool pointer, bool sound) {
    UserRecord* record = Record();
    GameApp* app = gGameApp;
    if (record == nullptr || app == nullptr || record->mTipsEnabled == 0 || tipId < 0 ||
        tipId >= UserRecord::kTipCount || record->mTipShown[static_cast<size_t>(tipId)] != 0)
        return;
    if (app->GetDialog(kBonusUnlockDialog) != nullptr) {
        mWaitingTip = {tipId, x, y, pointer, sound};
        return;
    }
    app->CloseTip(false);
    mOpenTip = {tipId, x, y, pointer, sound};
    auto terms = TerminsSlot().Get();
    const std::string key = GetTipName(tipId);
    auto* tip = new TipWindow(terms != nullptr ? terms->Get(key) : key);
    HoldTimer();
    mTipShown = true;
    tip->mDialogListener = this;
    tip->mPointerShown = pointer;
    tip->mPlacementSound = sound;
    tip->mTipId = tipId;
    tip->Show(x, y);
    app->AddDialog(TipWindow::kDialogId, tip);
}

void BoardScreen::ShowWaitingTips() {
    const WaitingTip waiting = mWaitingTip;
    mWaitingTip = {};
    if (mStartTipsWaiting) {
        mStartTipsWaiting = false;
        ShowStartTips();
    }
    // The start tips come first; a waiting tip they leave out stays unseen
    // and comes again when its moment does.
    if (waiting.mId >= 0 && gGameApp != nullptr && !gGameApp->IsTipOpen())
        ShowTip(waiting.mId, waiting.mX, waiting.mY, waiting.mPointer, waiting.mSound);
}

void BoardScreen::PlayMusic() {
    auto music = MusicListSlot().Get();
    if (music == nullptr || music->GetCount() == 0)
        return;
    const int restaurant = gGameApp != nullptr ? std::max(gGameApp->CurrentRestaurantIndex(), 0) : 0;
    const MusicList::Playlist& tracks = music->GetPlaylist(static_cast<size_t>(restaurant) % music->GetCount());
    // A restaurant without tracks plays nothing.
    if (tracks.empty())
        return;
    mMusicTrack = (mMusicTrack + 1) % static_cast<int32_t>(tracks.size());
    mMusicPlaying = "music/" + tracks[static_cast<size_t>(mMusicTrack)];
    SndPlayMusicDescr("backgroundnoloop", mMusicPlaying.c_str(), &BoardScreen::OnMusicEnd, this);
}

void BoardScreen::OnMusicEnd(std::uint32_t, void* screen) {
    static_cast<BoardScreen*>(screen)->PlayMusic();
}

} // namespace Game
