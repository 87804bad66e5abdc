#include "game/effects/effect_twirl.h"

#include "framework/util/lazy_transform.h"
#include "game/effects/effect_draw.h"
#include "game/ui/resource_ids.h"

#include <numbers>

namespace Game {

namespace {

// Which picture the next twirl takes: 1 the "_1", 0 the "_2" one.
int gTwirlToggle = 0;

constexpr float kTurn = 2.0f * std::numbers::pi_v<float>;

} // namespace

EffectTwirl::EffectTwirl(int x, int y, int kind)
    : mX(static_cast<float>(x)), mY(static_cast<float>(y)), mAngle(0.0f, kTurn, kTurn / 100.0f),
      mScale(0.5f, 1.0f, 0.005f) {
    if (kind == 1)
        mImage = gTwirlToggle == 1 ? IMAGE_COMBO1_1 : IMAGE_COMBO1_2;
    else
        mImage = gTwirlToggle == 1 ? IMAGE_COMBO2_1 : IMAGE_COMBO2_2;
    gTwirlToggle ^= 1;
    mFade.SetImage(mImage);
    mFade.mCentered = true;
    mFade.mX = mX;
    mFade.mY = mY;
    mFade.mValue = 255.0f;
    mFade.mTarget = 200.0f;
    mFade.mStep = -0.55f;
}

void EffectTwirl::ResetToggle() {
    gTwirlToggle = 0;
}

void EffectTwirl::Update() {
    if (mDone)
        return;
    switch (mState) {
    case 0: {
        const bool turned = mAngle.Step() || mAngle.Step();
        const bool grown = !turned && mScale.Step();
        if (turned || grown)
            mState = 1;
        break;
    }
    case 1:
        if (mFade.StepValue()) {
            mFade.mValue = 200.0f;
            mFade.mTarget = 0;
            mFade.mStep = -6.6666665f;
            mState = 2;
        }
        break;
    default:
        mDone = mFade.StepValue();
        break;
    }
}

void EffectTwirl::Draw(Kavo::Graphics* g) {
    if (mDone || mImage == nullptr)
        return;
    if (mState == 0) {
        Kavo::LazyTransform transform;
        transform.RotateRad(mAngle.mValue);
        transform.Scale(mScale.mValue, mScale.mValue);
        transform.Translate(mX, mY);
        DrawEffectImageTransform(g, mImage, transform);
    } else {
        mFade.Draw(g, 255);
    }
}

} // namespace Game
