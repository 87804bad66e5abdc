#include "game/bonus/bonus_timer.h"

#include "game/bonus/bonus_identity.h"

namespace Game {

BonusTimer::BonusTimer(IniDocument* settings) : Bonus(settings) {
    ApplyBonusIdentity(*this, kBonusTimer, settings);
}

void BonusTimer::OnCharged() {
    mSpin.Start(-ButtonSpin::kStep);
}

void BonusTimer::Update() {
    Bonus::Update();
    mSpin.Step(mState);
}

void BonusTimer::DrawReady(Kavo::Graphics* g) {
    if (!mSpin.mSpinning) {
        Bonus::DrawReady(g);
        return;
    }
    const int layer = mState >= 0 && mState < kLayerCount ? mState : 0;
    mSpin.Draw(g, mImage, mX, mY, &mCellRects[layer], mAlpha);
}

} // namespace Game
