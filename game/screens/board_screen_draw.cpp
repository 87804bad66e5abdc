// The board screen's drawing, back to front; the overlay and the paused
// picture come in the overlay pass.
#include "framework/graphics/graphics.h"
#include "framework/widget/hyperlink_widget.h"
#include "game/board/stage.h"
#include "game/effects/effect_freeze_time.h"
#include "game/effects/effect_hint_arrows.h"
#include "game/effects/effect_x2.h"
#include "game/effects/item_fade_list.h"
#include "game/effects/particle.h"
#include "game/effects/reshuffle_effect.h"
#include "game/screens/board_screen.h"
#include "game/screens/fade_overlay.h"
#include "game/ui/resource_ids.h"
#include "game/ui/user_manager.h"

namespace Game {

namespace {

constexpr int kFullAlpha = 255;

void DrawOwned(const std::unique_ptr<EffectBase>& effect, Kavo::Graphics* g) {
    if (effect != nullptr)
        effect->Draw(g);
}

void DrawWidgetAt(Kavo::Widget& widget, Kavo::Graphics* g) {
    g->Translate(widget.mX, widget.mY);
    widget.Draw(g);
    g->Translate(-widget.mX, -widget.mY);
}

} // namespace

void BoardScreen::Draw(Kavo::Graphics* g) {
    mBackground.Draw(g, kFullAlpha);
    mLayout->DrawImages(g, 0);
    switch (mState) {
    case kAppear:
    case kNextBoard:
    case kToMap:
    case kToMapAfterLast:
        DrawBorders(g);
        DrawOwned(mTileSpread, g);
        mTiles.Draw(g);
        mPanels[0].Draw(g);
        DrawLabels(g);
        DrawPanels(g);
        break;
    case kPlaying:
    case kTimeUp:
    case kHidden:
    case kStageComplete:
        DrawPlay(g);
        break;
    default:
        break;
    }
    mPlate.SetAlpha(mPanelAlpha);
    mPlate.Draw(g, kFullAlpha);
    mTimer.SetAlpha(static_cast<int>(mPanelAlpha));
    mTimer.Draw(g);
    DrawBonuses(g);
    mEffects[3].Draw(g);
    DrawX2Label(g);
    DrawTimeFreeze(g);
    DrawOwned(mRewardEffect, g);
    mGoalBars.Draw(g);
    if (mFadeOverlay != nullptr)
        DeferOverlay(0);
}

void BoardScreen::DrawPlay(Kavo::Graphics* g) {
    const bool complete = mState == kStageComplete;
    DrawBorders(g);
    mTiles.Draw(g);
    mEffects[6].Draw(g);
    DrawHintArrows(g);
    mEffects[2].Draw(g);
    // The cleared board's items fly to the panels from under them.
    if (complete && mFlyList != nullptr)
        mFlyList->Draw(g);
    mBoard.DrawItems(g);
    if (!complete)
        DrawOwned(mBlink, g);
    mPanels[0].Draw(g, kFullAlpha);
    DrawLabels(g);
    DrawPanels(g);
    mSpecialIcon.Draw(g, mPanelAlpha);
    if (!complete) {
        DrawOwned(mHintMarker, g);
        mEffects[5].Draw(g);
        DrawOwned(mTipArrow, g);
        if (mReshuffle != nullptr)
            mReshuffle->Draw(g);
        mEffects[4].Draw(g);
        return;
    }
    mEffects[5].Draw(g);
    mEffects[4].Draw(g);
}

void BoardScreen::DrawHintArrows(Kavo::Graphics* g) {
    if (auto* arrows = dynamic_cast<EffectHintArrows*>(mHintArrows.get()))
        arrows->mHolders.Draw(g, static_cast<int>(mPanelAlpha));
}

void BoardScreen::DrawX2Label(Kavo::Graphics* g) {
    auto* x2 = dynamic_cast<EffectX2*>(mX2Label.get());
    if (x2 == nullptr)
        return;
    if (x2->mPhase == EffectX2::kFlying && x2->mCork != nullptr)
        x2->mCork->Draw(g);
    for (NamedImage& label : x2->mLabels)
        label.Draw(g);
    for (const std::unique_ptr<Particle>& spark : x2->mSparks)
        spark->Draw(g);
}

void BoardScreen::DrawTimeFreeze(Kavo::Graphics* g) {
    if (auto* freeze = dynamic_cast<EffectFreezeTime*>(mTimeFreeze.get()))
        freeze->DrawFaded(g, static_cast<int>(mPanelAlpha));
}

void BoardScreen::DrawOverlay(Kavo::Graphics* g) {
    if (mFadeOverlay != nullptr)
        mFadeOverlay->Draw(g);
    if (mPauseCount > 0)
        mPausedSprite.Draw(g, kFullAlpha);
}

void BoardScreen::DrawLabels(Kavo::Graphics* g) {
    UserManager* users = UserManager::GetInstance();
    if (mStage != nullptr) {
        Kavo::HyperlinkWidget* goals[3] = {mStuffLabel, mFoodLabel, mDrinkLabel};
        const int kinds[3] = {2, 1, 0};
        const int targets[3] = {mStage->mStuffCount, mStage->mEatCount, mStage->mDrinkCount};
        for (size_t i = 0; i < 3; ++i) {
            const int count = users != nullptr ? static_cast<int>(users->GetStatB(kinds[i])) : 0;
            const int reached = count >= targets[i] ? 1 : 0;
            if (goals[i] == nullptr)
                continue;
            goals[i]->mLabel = std::to_string(count);
            if (reached != mGoalReached[i]) {
                goals[i]->SetFont(reached ? FONT_SCORES_DONE : FONT_SCORES);
                mGoalReached[i] = reached;
            }
        }
    }
    const auto alpha = static_cast<uint8_t>(static_cast<int>(mPanelAlpha));
    for (Kavo::HyperlinkWidget* label : mLabels) {
        label->mColor.mAlpha = alpha;
        label->mShadowColor.mAlpha = alpha;
        // A label the layout adds to the screen is drawn by the screen's
        // widgets; the others here, over the panels.
        if (label->mParent == nullptr && label->mVisible)
            DrawWidgetAt(*label, g);
    }
}

void BoardScreen::DrawPanels(Kavo::Graphics* g) {
    const auto alpha = static_cast<uint8_t>(static_cast<int>(mPanelAlpha));
    for (Kavo::HyperlinkWidget* label : {mLevelLabel, mMoneyLabel})
        if (label != nullptr)
            label->mColor = Kavo::Color(255, 255, 255, alpha);
    mRatingBack.SetAlpha(mPanelAlpha);
    mRatingBack.Draw(g, kFullAlpha);
    mRoomBar.Draw(g);
    mMenuBar.Draw(g);
}

void BoardScreen::DrawBorders(Kavo::Graphics* g) {
    if (!mBordersVisible)
        return;
    const int alpha = static_cast<int>(mBorderAlpha.mValue);
    if (alpha <= 0)
        return;
    const bool wasColorizing = g->GetColorizeImages();
    const Kavo::Color oldColor = g->GetColor();
    g->SetColor(Kavo::Color(255, 255, 255, alpha));
    g->SetColorizeImages(alpha != kFullAlpha);
    for (const BorderCell& cell : mBorders.mCells)
        for (const BorderPicture& picture : cell.mPictures)
            if (picture.mImage != nullptr)
                g->DrawImage(picture.mImage, picture.mX, picture.mY, picture.mSource);
    g->SetColorizeImages(wasColorizing);
    g->SetColor(oldColor);
}

} // namespace Game
