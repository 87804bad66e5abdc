// The board screen's update: the per-state work 100 times a second, the
// smooth motion per frame, the idle tips, the hints and the periodic
// effects.
#include "framework/app/kavo_app_base.h"
#include "game/app/game_app.h"
#include "game/board/board_random.h"
#include "game/screens/board_effect_maker.h"
#include "game/screens/board_screen.h"
#include "game/screens/fade_overlay.h"
#include "game/ui/animation.h"
#include "game/ui/ui_sound.h"
#include "game/ui/update_pacing.h"
#include "game/ui/user_manager.h"

namespace Game {

namespace {

constexpr int kSwitchToMap = 14; // the end flows of a won board go to the map
constexpr int kNextBoardAfter = 50;
constexpr int kToMapAfter = 100;
constexpr float kFullAlpha = 255.0f;

struct ShinePoint {
    int x;
    int y;
};
constexpr ShinePoint kShinePoints[5] = {{120, 28}, {214, 33}, {332, 22}, {665, 19}, {660, 28}};

void UpdateOwned(std::unique_ptr<EffectBase>& effect) {
    if (effect == nullptr)
        return;
    effect->Update();
    if (effect->IsDone())
        effect.reset();
}

} // namespace

void BoardScreen::Update() {
    // The overlay fades whether paused or not, and goes once it has closed.
    if (mFadeOverlay != nullptr) {
        mFadeOverlay->Update();
        if (mFadeOverlay->IsDone())
            mFadeOverlay.reset();
    }
    if (mPauseCount != 0)
        return;
    if (mState != kIdle && mState != kHidden)
        ++mStateTicks;
    switch (mState) {
    case kAppear:
        mBorderAlpha.Step();
        StepPanels();
        if (mTileSpread != nullptr)
            mTileSpread->Update();
        // Without a spread effect the tiles are in place at once.
        if (mTileSpread == nullptr || mTileSpread->IsDone())
            OnTilesSpread();
        mTimer.Update();
        break;
    case kIdle:
        mStateTicks = 0;
        break;
    case kPlaying:
        PlayWork();
        break;
    case kStageComplete:
        mBorderAlpha.Step();
        break;
    case kNextBoard:
        if (mStateTicks >= kNextBoardAfter) {
            mStateTicks = 0;
            StartLevel(true, true);
        }
        break;
    case kToMap:
    case kToMapAfterLast:
        if (mStateTicks >= kToMapAfter) {
            mState = kIdle;
            if (GameApp* app = gGameApp)
                app->SwitchScreen(kSwitchToMap);
        }
        break;
    case kTimeUp:
        mBoard.Step();
        UpdateBonuses();
        if (!mEndFlag && NoBonusInUse() && mEffects[2].IsEmpty() && mEffects[3].IsEmpty()) {
            mEndFlag = true;
            OnBonusCancelled(-1);
            mBoard.DropAll();
        }
        break;
    case kHidden:
        mBorderAlpha.Step();
        StepPanels();
        break;
    default:
        break;
    }
    UpdateEndEffects();
    SharedWork();
    // A windowed game gets no float updates from the application: without
    // them the tiles would never spread and the items never move.
    if (!PacedByRefresh())
        UpdateF(1.0f);
}

void BoardScreen::PlayWork() {
    mBorderAlpha.Step();
    StepPanels();
    if (mX2Ticks > 0)
        --mX2Ticks;
    --mIdleTicks;
    IdleTips();
    HintCheck();
    mBoard.Step();
    --mStageTime;
    mTimer.Update();
    if (mStateTicks % kTimerSaveEvery == 0)
        if (UserRecord* record = Record())
            record->mKept2 = static_cast<int32_t>(mTimer.mValue);
    UpdateBonuses();
    PeriodicEffects();
}

void BoardScreen::IdleTips() {
    GameApp* app = gGameApp;
    if (mIdleTicks >= 0 || app == nullptr || Record() == nullptr)
        return;
    const UserRecord& record = *Record();
    auto open = [&] { return app->IsTipOpen(); };
    if (!open() && mStateTicks > 3000 && record.mStageIndex == 0 && record.mBoardIndex >= 1) {
        const LayoutPoint point = mLayout->GetPoint("BonusIndex").value_or(LayoutPoint{});
        ShowTip(2, point.x, point.y, true, true);
    }
    if (!open() && mStateTicks > 50) {
        int x = -1;
        int y = -1;
        mBoard.FirstDoubleTileCell(x, y);
        if (x >= 0 && y >= 0)
            ShowTip(5, x, y, true, true);
    }
    if (!open() && mStateTicks > 6000)
        ShowTip(1, mTimerPoint.x, mTimerPoint.y, true, true);
}

void BoardScreen::HintCheck() {
    if (mHintDelay > 0 && --mHintDelay == 0)
        mHintPeriod = kHintPeriod;
    ++mHintCounter;
    if (mHintPeriod > 0 && mHintCounter % mHintPeriod == 0)
        ShowHint();
    if (mHintMarker != nullptr) {
        mHintMarker->Update();
        if (mHintMarker->IsDone()) {
            mHintMarker.reset();
            mHintCounter = 0;
        }
    }
}

void BoardScreen::ShowHint() {
    if (mState != kPlaying || mPanelAlpha != kFullAlpha || mHintMarker != nullptr || mTipArrow != nullptr)
        return;
    const std::optional<Game::Move> move = mBoard.NextHint();
    if (!move)
        return;
    mHintMarker = Effects().MakeHintMarker(*move);
    PlayUiSound("hint", true);
}

void BoardScreen::PeriodicEffects() {
    if (Kavo::gAppBase == nullptr || !Kavo::gAppBase->UsesHardware3D())
        return;
    if (mBlink == nullptr && mStateTicks >= mBlinkDeadline) {
        mBlinkDeadline = mStateTicks + RandomInt(1000, 1800);
        mBlink = Effects().MakeBlink(mBoard);
    }
    if (mStateTicks >= mShineDeadline) {
        mShineDeadline = mStateTicks + RandomInt(200, 500);
        if (mPanelAlpha == kFullAlpha) {
            auto* shine = new Animation();
            shine->LoadFile(kShineFile);
            shine->mLayer = 1;
            const ShinePoint& at = kShinePoints[RandomInt(0, 5)];
            shine->SetPosition(at.x, at.y);
            shine->Restart();
            mEffects[3].Add(shine);
        }
    }
}

void BoardScreen::SharedWork() {
    for (int list : {0, 2, 3, 4, 5, 6})
        mEffects[static_cast<size_t>(list)].Update();
    mRoomBar.Update();
    mMenuBar.Update();
    for (ProgressBar& bar : mGoalBars.mBars)
        bar.Update();
    for (std::unique_ptr<EffectBase>* effect : SingleEffects())
        UpdateOwned(*effect);
    if (mState == kPlaying && mEyeLabel != nullptr)
        mEyeLabel->SetVisible(!mFallPending && mPlaying);
    if (mFallPending) {
        if (mFallDelay > 0) {
            --mFallDelay;
        } else {
            mFallPending = false;
            mFallDelay = 0;
            mBoard.StartFall();
        }
    }
}

void BoardScreen::UpdateF(float fraction) {
    if (mPauseCount > 0)
        return;
    switch (mState) {
    case kAppear:
        if (mTileSpread != nullptr)
            mTileSpread->Update(fraction);
        mTiles.Update(fraction);
        break;
    case kPlaying:
    case kTimeUp:
        if (mTipArrow != nullptr)
            mTipArrow->Update(fraction);
        mBoard.MoveItems(fraction);
        UpdateFBonuses(fraction);
        break;
    default:
        break;
    }
    for (int list : {0, 2, 3, 4, 5})
        mEffects[static_cast<size_t>(list)].UpdateF(fraction);
    // The single effects move in their float step as the listed ones do:
    // the freeze's probes reach the timer, the x2 cork its label row.
    for (std::unique_ptr<EffectBase>* effect : SingleEffects())
        if (*effect != nullptr)
            (*effect)->Update(fraction);
    mRoomBar.UpdateF(fraction);
    mMenuBar.UpdateF(fraction);
}

std::array<std::unique_ptr<EffectBase>*, 5> BoardScreen::SingleEffects() {
    return {&mX2Label, &mTimeFreeze, &mHintArrows, &mRewardEffect, &mBlink};
}

void BoardScreen::OnTimerTick(float fraction) {
    if (mTimer.mReverse || mState != kPlaying)
        return;
    if (fraction >= 0.8f && mStateTicks % 100 == 0)
        PlayUiSound("tiktak1", true);
}

void BoardScreen::FadePanels(float from, float to, int updates) {
    for (NamedImage& panel : mPanels) {
        panel.mValue = from;
        panel.mTarget = to;
        panel.mStep = (to - from) / static_cast<float>(updates);
    }
    mPanelAlpha = from;
}

void BoardScreen::StepPanels() {
    for (NamedImage& panel : mPanels)
        panel.StepValue();
    mPanelAlpha = mPanels[0].mValue;
}

} // namespace Game
