#include "game/bonus/bonus_line_break.h"

#include "game/board/board.h"
#include "game/bonus/bonus_identity.h"
#include "game/effects/effect_line_break.h"
#include "game/ui/resource_ids.h"

namespace Game {

BonusLineBreak::BonusLineBreak(IniDocument* settings) : TargetingBonus(settings) {
    ApplyBonusIdentity(*this, kBonusLineBreak, settings);
    mToast.mValue = 0;
    mToast.mTarget = 0;
}

BonusLineBreak::~BonusLineBreak() = default;

void BonusLineBreak::OnArmed(int x, int y) {
    Bonus::OnArmed(x, y);
    mVariant = 1;
    mCycle = 0;
    mCursors[0] = IMAGE_BONUS_BREAKLINECURV;
    mCursors[1] = IMAGE_BONUS_BREAKLINECURH;
}

void BonusLineBreak::Update() {
    Bonus::Update();
    if (mState == kArmed && ++mCycle % kTurnUpdates == 0) {
        if (ItemCellUnder(mTargetX, mTargetY) == nullptr) {
            ClearHighlights();
            if (mListener != nullptr)
                mListener->SetBonusCursor(mIndex, IMAGE_CUSTOM_POINTER, mVariant);
        } else {
            mVariant = (mVariant + 1) % 2;
            if (mListener != nullptr)
                mListener->SetBonusCursor(mIndex, mCursors[mVariant], mVariant);
            ClearHighlights();
            std::vector<CellPos> line;
            mBoard->CollectLine(mTargetX, mTargetY, IsHorizontal(), line);
            HighlightCells(line);
        }
    }
    if (mToaster != nullptr)
        mToaster->Update();
    if (mToastHold > 0 && --mToastHold == 0)
        mToast.mStep = -2.55f;
    if (mToast.mValue > 0)
        mToast.StepValue();
}

bool BonusLineBreak::HitTest(int x, int y) {
    const bool hit = Bonus::HitTest(x, y);
    if (mState == kArmed && ItemCellUnder(mTargetX, mTargetY) == nullptr) {
        if (mListener != nullptr)
            mListener->SetBonusCursor(mIndex, IMAGE_CUSTOM_POINTER, mVariant);
        ClearHighlights();
    }
    return hit;
}

void BonusLineBreak::OnCharged() {
    mToaster = std::make_unique<EffectLineBreak>();
    const int x = static_cast<int>(mX);
    const int y = static_cast<int>(mY);
    mToaster->Start(x + 42, y + 38, y - 60, y);
}

void BonusLineBreak::UpdateF(float fraction) {
    if (mToaster == nullptr)
        return;
    mToaster->Update(fraction);
    if (!mToaster->IsDone())
        return;
    mToaster.reset();
    // The toast stays on the button a while, then fades out.
    mToastHold = kToastHold;
    mToast.SetImage(IMAGE_BONUS_BREAKLINE2);
    mToast.mX = mX;
    mToast.mY = mY;
    mToast.mValue = 255.0f;
    mToast.mTarget = 0;
    mToast.mStep = 0;
}

void BonusLineBreak::Draw(Kavo::Graphics* g) {
    if (mToaster != nullptr)
        mToaster->Draw(g);
    Bonus::Draw(g);
    mToast.Draw(g, static_cast<int>(mAlpha));
}

void BonusLineBreak::Use(int x, int y) {
    mState = kUsed;
    Reset();
    mPercent = 0;
    mCharge = 0;
    if (mListener != nullptr) {
        mListener->OnBonusTaken(mIndex, &mListenerRecord, x, y, 0);
        mListener->OnBonusApply(mIndex);
    }
}

void BonusLineBreak::Reset() {
    Bonus::Reset();
    mToaster.reset();
    mToast.mValue = 0;
    mToast.mTarget = 0;
    mToastHold = 0;
}

} // namespace Game
