#include "game/effects/floating_number.h"

#include "framework/graphics/graphics.h"
#include "game/effects/effect_fade.h"
#include "game/ui/resource_ids.h"

namespace Game {

FloatingNumber::FloatingNumber(const EffectEvent& event)
    : mText(std::to_string(event.mSecond)), mX(static_cast<float>(event.mX)), mY(static_cast<float>(event.mY)) {}

void FloatingNumber::Update() {
    if (mDone)
        return;
    ++mUpdateCount;
    if (mUpdateCount >= 40)
        mAlphaStep = 4.0f;
    mAlpha = FadeAlpha(mAlpha, -mAlphaStep);
    mDone = mAlpha == 0;
}

void FloatingNumber::Update(float t) {
    if (!mDone)
        mY -= t * 0.5f;
}

void FloatingNumber::Draw(Kavo::Graphics* g) {
    if (mDone || FONT_NUMBERS == nullptr)
        return;
    g->PushState();
    g->SetFont(FONT_NUMBERS);
    g->SetColorizeImages(true);
    g->SetColor(WhiteWithAlpha(mAlpha));
    g->DrawString(mText, static_cast<int>(mX), static_cast<int>(mY));
    g->PopState();
}

} // namespace Game
