#include "game/bonus/bonus_unlock_dialog.h"

#include "framework/graphics/graphics.h"
#include "framework/graphics/image.h"
#include "framework/widget/button_widget.h"
#include "game/board/bonus.h"
#include "game/ui/termins.h"

namespace Game {

namespace {

constexpr int32_t kEscape = 27;
constexpr int32_t kEnter = 13;

} // namespace

BonusUnlockDialog::BonusUnlockDialog(const std::string& layoutFile) : LayoutDialog(layoutFile, kDialogId, true) {
    if (Layout* layout = GetLayout())
        mMessage = layout->GetControlAs<Kavo::ButtonWidget>("Message");
}

BonusUnlockDialog::~BonusUnlockDialog() = default;

void BonusUnlockDialog::SetBonus(std::unique_ptr<Bonus> bonus) {
    mBonus = std::move(bonus);
    if (mBonus == nullptr)
        return;
    if (Layout* layout = GetLayout()) {
        if (const auto point = layout->GetDesc("BonusXY")) {
            mBonus->mX = static_cast<float>(point->x);
            mBonus->mY = static_cast<float>(point->y);
        }
    }
    if (Kavo::Image* picture = mBonus->mImage) {
        mBonus->mWidth = static_cast<float>(picture->GetWidth());
        mBonus->mHeight = static_cast<float>(picture->GetHeight());
    }
    for (Kavo::IntRect& rect : mBonus->mCellRects)
        rect = Kavo::IntRect(0, 0, static_cast<int>(mBonus->mWidth), static_cast<int>(mBonus->mHeight));
    mBonus->mListener = nullptr;
    mBonus->mBlinkLoaded = false;
    Recharge();
    if (mMessage != nullptr)
        mMessage->mLabel = Termins::Lookup(mBonus->mName + "Hint");
}

// Full, with the last percentage seen below 100: the next update finds it
// charged and plays its show.
void BonusUnlockDialog::Recharge() {
    mBonus->mPercent = 99;
    mBonus->mCharge = mBonus->mChargeMax;
    mBonus->mEnabled = true;
    mBonus->mState = Bonus::kCharging;
}

void BonusUnlockDialog::Update() {
    LayoutDialog::Update();
    if (mState != FlyingIn && mPhase == 0 && ++mTicks >= kFirstShow)
        mPhase = 1;
    if (mPhase != 1 || mBonus == nullptr)
        return;
    if (++mTicks >= kShowInterval) {
        mTicks = 0;
        Recharge();
    }
    mBonus->Update();
}

void BonusUnlockDialog::UpdateF(float step) {
    LayoutDialog::UpdateF(step);
    if (mPhase == 1 && mBonus != nullptr)
        mBonus->UpdateF(step);
}

void BonusUnlockDialog::Draw(Kavo::Graphics* g) {
    g->PushState();
    LayoutDialog::Draw(g);
    g->ClearClipRect();
    if (mBonus != nullptr)
        mBonus->Draw(g);
    g->PopState();
}

void BonusUnlockDialog::KeyUp(int32_t key) {
    if (key == kEscape || key == kEnter)
        ButtonDepress(1);
    else
        LayoutDialog::KeyUp(key);
}

} // namespace Game
