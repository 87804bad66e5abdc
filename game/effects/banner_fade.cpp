#include "game/effects/banner_fade.h"

#include "framework/graphics/graphics.h"
#include "framework/util/lazy_transform.h"
#include "game/effects/effect_draw.h"
#include "game/effects/effect_fade.h"
#include "game/effects/effect_listener.h"

#include <algorithm>

namespace Game {

EffectFade::EffectFade(Kavo::Image* image, int x, int y, int hold, EffectListener* listener, float outSteps)
    : mScale(1.0f, 1.0f, 0.0f), mAlpha(0.0f, 255.0f, 6.375f), mImage(image), mX(static_cast<float>(x)),
      mY(static_cast<float>(y)), mHold(hold), mOutSteps(std::max(outSteps, 1.0f)), mListener(listener) {}

void EffectFade::Update() {
    if (mDone)
        return;
    if (mState == 0) {
        ++mUpdateCount;
        if (mAlpha.Step() && mUpdateCount >= mHold) {
            mAlpha.Set(255.0f, 0.0f, -255.0f / mOutSteps);
            mScale.Set(1.0f, 4.0f, 0.04f);
            mState = 1;
        }
        return;
    }
    mScale.Step();
    if (!mAlpha.Step())
        return;
    mDone = true;
    if (mListener != nullptr)
        mListener->OnEffectFinished(this);
}

void EffectFade::Draw(Kavo::Graphics* g) {
    if (mDone)
        return;
    Kavo::LazyTransform transform;
    transform.Scale(mScale.mValue, mScale.mValue);
    transform.Translate(mX, mY);
    g->PushState();
    g->SetColorizeImages(true);
    g->SetColor(WhiteWithAlpha(mAlpha.mValue));
    DrawEffectImageTransform(g, mImage, transform);
    g->PopState();
}

} // namespace Game
