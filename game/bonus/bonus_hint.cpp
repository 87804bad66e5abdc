#include "game/bonus/bonus_hint.h"

#include "game/bonus/bonus_identity.h"
#include "game/ui/resource_ids.h"

namespace Game {

BonusHint::BonusHint(IniDocument* settings) : Bonus(settings) {
    ApplyBonusIdentity(*this, kBonusHint, settings);
}

void BonusHint::OnCharged() {
    mOverlay.SetImage(IMAGE_MENUTEXT);
    mOverlay.mX = mX;
    mOverlay.mY = mY;
    mOverlay.mValue = 0;
    mOverlay.mTarget = 255.0f;
    mOverlay.mStep = 2.55f;
    mOverlayShown = true;
}

void BonusHint::Update() {
    if (mState == kReady || mState == kArmed)
        mOverlay.StepValue();
    Bonus::Update();
    // A hint that comes into a board already full (kept from the board
    // before, restored from a saved game) turns ready without crossing the
    // full mark, so its caption is raised here as a fresh charge raises it.
    if (mState == kReady && !mOverlayShown)
        OnCharged();
}

void BonusHint::Draw(Kavo::Graphics* g) {
    Bonus::Draw(g);
    if (mOverlayShown)
        mOverlay.Draw(g, static_cast<int>(mAlpha));
}

void BonusHint::Reset() {
    Bonus::Reset();
    mOverlayShown = false;
}

} // namespace Game
