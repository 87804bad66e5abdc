// The board screen's ends of a board: time up, no more moves, completion,
// a found secret piece, the penalty and the stage-complete screen.
#include <algorithm>

#include "framework/app/kavo_app_base.h"
#include "framework/widget/widget_manager.h"
#include "game/app/game_app.h"
#include "game/bonus/reward_dialog.h"
#include "game/effects/banner_fade.h"
#include "game/effects/item_fade_list.h"
#include "game/effects/reshuffle_effect.h"
#include "game/screens/board_screen.h"
#include "game/screens/fade_overlay.h"
#include "game/screens/penalty_dialog.h"
#include "game/ui/resource_ids.h"
#include "game/ui/ui_sound.h"
#include "game/ui/user_manager.h"

namespace Game {

namespace {

constexpr float kSecretShade = 150.0f;
constexpr int kTimeUpBanner = 50;
constexpr int kLongBanner = 100;
constexpr int kSecretTip = 3;
constexpr int kToRoom = 31;
constexpr float kBorderFadeStep = -2.55f;
// Goals 5 to 8 count only for a finished board.
constexpr int kBoardGoalsFrom = 5;
constexpr int kRewardedGoals = 9;

} // namespace

void BoardScreen::AddBanner(Kavo::Image* image, int duration) {
    float x = 0;
    float y = 0;
    ActiveCentre(x, y);
    mEffects[3].Add(new EffectFade(image, static_cast<int>(x), static_cast<int>(y), duration, nullptr,
                                   static_cast<float>(duration)));
}

void BoardScreen::DropSingleEffects() {
    mHintMarker.reset();
    mHintCounter = 0;
    mTimeFreeze.reset();
    mRewardEffect.reset();
    mHintArrows.reset();
    mBlink.reset();
}

void BoardScreen::OnTimeUp() {
    // The wind-back after the spread counts down and never ends the board.
    if (mTimer.mReverse || mState != kPlaying)
        return;
    DropSingleEffects();
    mEndFlag = false;
    if (UserManager* users = UserManager::GetInstance())
        users->EndGame();
    mState = kTimeUp;
    PlayUiSound("timeup", true);
    mEffects[5].Clear();
    AddBanner(IMAGE_TIME_IS_OVER, kTimeUpBanner);
    CancelArmedBonuses();
}

void BoardScreen::OnNoMoreMoves() {
    mHintMarker.reset();
    mHintCounter = 0;
    HoldTimer();
    DropSingleEffects();
    mReshuffle = std::make_unique<ReshuffleEffect>(mBoard, &mReshuffleListener);
    mPlaying = false;
    PlayUiSound("nomoremoves", true);
    mEffects[5].Clear();
    AddBanner(IMAGE_NO_MORE_MOVES, kLongBanner);
    PlayUiSound("nomoremoves", true);
}

void BoardScreen::OnReshuffleDone() {
    // The effect is released after its update returns (UpdateEndEffects).
    mPlaying = true;
    mBoard.CheckLines();
    ReleaseTimerIfFree();
    ShowChainAppear();
}

void BoardScreen::OnLevelComplete(bool finished) {
    mState = kStageComplete;
    UserManager* users = UserManager::GetInstance();
    if (users != nullptr) {
        users->EndGame();
        mRatingAtEnd = users->GetRating();
    }
    if (finished && users != nullptr) {
        mOutcome = users->CheckStageGoals();
        users->Save();
    }
    DropSingleEffects();
    mEffects[5].Clear();
    if (finished && CheckStageGoals(true))
        return;
    mFlyList = std::make_unique<ItemFadeList>();
    mFlyList->Add(mBoard, 0, 0, &mFlyListener);
    mPlaying = false;
    mBoard.mVisible = false;
    mEndFlag = false;
    mBorderAlpha.Set(255.0f, 1.0f, kBorderFadeStep);
    PlayUiSound("LevelComplete", true);
    AddBanner(IMAGE_LEVEL_COMPLETE, kLongBanner);
    CancelArmedBonuses();
}

bool BoardScreen::CheckStageGoals(bool) {
    if (mHooks.mGoals == nullptr)
        return false;
    StageGoalSlots& goals = *mHooks.mGoals;
    UserManager* users = UserManager::GetInstance();
    auto feed = [&](int index, int value) {
        if (StageGoal* goal = goals[static_cast<size_t>(index)].get())
            goal->SetValue(value);
    };
    const BoardGoalStats& stats = mGoalStats;
    if (mHintArrows == nullptr) {
        feed(kGoalLinesCount, stats.mQuickStreak);
        feed(kGoalBonus, stats.mCrossInRow);
        feed(kGoalScoresPerTime, BoardGoalStats::Rate(stats.mScores, stats.mPlayUpdates, BoardGoalStats::kScoresPer));
        feed(kGoalLinesPerTime,
             BoardGoalStats::Rate(stats.mMoveFigures, stats.mPlayUpdates, BoardGoalStats::kFiguresPer));
        feed(kGoalSameType, *std::max_element(stats.mKindStreak.begin(), stats.mKindStreak.end()));
    }
    float statC = 0;
    float statB = 0;
    for (int kind = 0; kind < 3 && users != nullptr; ++kind) {
        statC += users->GetStatC(kind);
        statB += users->GetStatB(kind);
    }
    feed(kGoalScoresPerBoard, static_cast<int>(statC));
    feed(kGoalSameTypePerBoard, *std::max_element(stats.mKindTotal.begin(), stats.mKindTotal.end()));
    feed(kGoalBonusPerBoard, stats.mCrossTotal);
    feed(kGoalScoresPerStage, static_cast<int>(statB));

    UserRecord* record = Record();
    std::vector<std::pair<int, int>> rewards;
    for (int i = 0; i < kRewardedGoals; ++i) {
        StageGoal* goal = goals[static_cast<size_t>(i)].get();
        if (goal == nullptr || (i >= kBoardGoalsFrom && mState != kStageComplete))
            continue;
        const int level = goal->Level();
        const int stored = record != nullptr ? record->mMetaState[static_cast<size_t>(i)] : -1;
        if (level < 0 || level <= stored)
            continue;
        rewards.emplace_back(i, level);
        goal->UpdateLevel();
        mGoalStats.ClearGoal(i);
    }
    GameApp* app = gGameApp;
    if (rewards.empty() || app == nullptr)
        return false;
    mRewardEffect.reset();
    auto* dialog = new RewardDialog();
    dialog->Show(rewards);
    for (const auto& [goal, level] : rewards)
        if (record != nullptr)
            record->mMetaState[static_cast<size_t>(goal)] = level;
    dialog->mDialogListener = this;
    dialog->Resize(0, 0, app->GetWidth(), app->GetHeight());
    app->AddDialog(RewardDialog::kDialogId, dialog);
    app->mWidgetManager->SetFocus(dialog);
    return true;
}

void BoardScreen::OpenStageComplete() {
    // The flying list is released after its update returns (UpdateEndEffects).
    mTimer.mSpeed = 0.0f;
    GameApp* app = gGameApp;
    GameDialog* dialog = mHooks.mMakeStageComplete && app != nullptr ? mHooks.mMakeStageComplete(*this) : nullptr;
    if (dialog == nullptr)
        return;
    dialog->mDialogListener = this;
    app->AddDialog(kStageCompleteDialog, dialog);
    app->mWidgetManager->SetFocus(dialog);
}

void BoardScreen::OnSecretFound(float x, float y) {
    mSecretShown = true;
    OpenFadeOverlay(kSecretShade);
    HoldTimer();
    UserRecord* record = Record();
    if (record != nullptr) {
        ++record->mSecretPieces;
        mPiecesFound = record->mSecretPieces;
        record->mTipShown[kSecretTip] = 1;
    }
    GameApp* app = gGameApp;
    GameDialog* dialog = mHooks.mMakeSecretDialog && app != nullptr
                             ? mHooks.mMakeSecretDialog(mPiecesFound, mSecretMapIndex, x, y)
                             : nullptr;
    if (dialog == nullptr)
        return;
    dialog->mDialogListener = this;
    app->AddDialog(kSecretDialog, dialog);
    app->mWidgetManager->SetFocus(dialog);
}

void BoardScreen::OnBoardCleared() {
    GameApp* app = gGameApp;
    if (app == nullptr)
        return;
    auto* dialog = new PenaltyDialog();
    dialog->mDialogListener = this;
    app->AddDialog(kPenaltyDialog, dialog);
    app->mWidgetManager->SetFocus(dialog);
}

void BoardScreen::OnPenaltyClosed(int32_t) {
    GameApp* app = gGameApp;
    auto* dialog = app != nullptr ? dynamic_cast<PenaltyDialog*>(app->GetDialog(kPenaltyDialog)) : nullptr;
    UserManager* users = UserManager::GetInstance();
    if (users != nullptr) {
        users->AddRating(-(dialog != nullptr ? dialog->mPenalty : PenaltyDialog::kDefaultPenalty));
        users->Save();
    }
    // The same board is dealt anew, without the tile spread.
    mDealAgain = true;
    if (StartLevel(true, false))
        OnTilesSpread();
}

void BoardScreen::OnStageCompleteClosed(int32_t) {
    GameApp* app = gGameApp;
    ReleaseTimer();
    mTimer.mSpeed = 1.0f;
    if (app != nullptr)
        app->CloseTip(false);
    mStateTicks = 0;
    auto* dialog = app != nullptr ? dynamic_cast<GameDialog*>(app->GetDialog(kStageCompleteDialog)) : nullptr;
    if (dialog != nullptr && mHooks.mStageCompleteAskedForRoom && mHooks.mStageCompleteAskedForRoom(*dialog)) {
        app->SwitchScreen(kToRoom);
        return;
    }
    if (mOutcome == 0) {
        mState = kToMapAfterLast;
    } else if (mOutcome == 1) {
        mState = kNextBoard;
    } else if (UserManager* users = UserManager::GetInstance()) {
        users->ClearGameFlags();
        users->Save();
        mState = kToMap;
    }
    CloseFadeOverlay();
}

void BoardScreen::UpdateEndEffects() {
    if (mState == kPlaying) {
        ++mGoalStats.mPlayUpdates;
        ++mGoalStats.mSinceLastBreak;
    }
    if (mReshuffle != nullptr) {
        mReshuffle->Update();
        if (mReshuffle->IsDone())
            mReshuffle.reset();
    }
    if (mFlyList != nullptr && mState == kStageComplete) {
        mFlyList->Update();
        if (mFlyList->IsFinished())
            mFlyList.reset();
    }
}

} // namespace Game
