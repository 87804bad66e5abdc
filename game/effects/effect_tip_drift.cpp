#include "game/effects/effect_tip_drift.h"

#include "framework/graphics/graphics.h"
#include "game/board/item_catalog.h"
#include "game/effects/effect_draw.h"
#include "game/effects/effect_fade.h"
#include "game/effects/effect_random.h"

#include <cmath>

namespace Game {

EffectTipDrift::EffectTipDrift(const EffectEvent& event)
    : mX(static_cast<float>(event.mX)), mY(static_cast<float>(event.mY)), mStartY(mY) {
    mLayer = 1;
    const ItemRecord* record = FindItem(event.mFirst);
    mImage = record != nullptr ? record->mBoardImage : nullptr;
    mRiseSpeed = RandomInRange(2.0, 4.0);
    mSpin = RandomInRange(-0.01, 0.01);
    mRiseDistance = RandomInRange(50.0, 100.0);
}

void EffectTipDrift::Update(float t) {
    if (mDone)
        return;
    if (mState == 0) {
        mY -= t * mRiseSpeed + mAccel;
        mAccel = std::max(mAccel - 0.05f, 0.0f);
        if (std::fabs(mStartY - mY) >= mRiseDistance) {
            mState = 1;
            mRiseSpeed = 3.0f;
        }
    } else {
        mY += t * 3.0f;
    }
    mTransform.Reset();
    mTransform.RotateRad(mAngle);
    mTransform.Translate(mX, mY);
}

void EffectTipDrift::Update() {
    if (mDone || mState != 1)
        return;
    mAlpha -= mFade;
    mAngle += mSpin;
    mDone = mAlpha <= 0;
}

void EffectTipDrift::DrawOverlay(Kavo::Graphics* g) {
    if (mDone)
        return;
    g->PushState();
    g->SetColorizeImages(true);
    g->SetColor(WhiteWithAlpha(mAlpha));
    DrawEffectImageTransform(g, mImage, mTransform);
    g->PopState();
}

} // namespace Game
