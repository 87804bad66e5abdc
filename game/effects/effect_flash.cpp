#include "game/effects/effect_flash.h"

#include "framework/graphics/graphics.h"
#include "game/effects/effect_fade.h"

namespace Game {

EffectFlash::EffectFlash(const EffectEvent& event) {
    mScene.Load(SceneFile(event.mFirst));
    mScene.Start(static_cast<float>(event.mX), static_cast<float>(event.mY));
}

std::string EffectFlash::SceneFile(int colour) {
    switch (colour) {
    case 2:
        return "particles/flashfxblue.ini";
    case 3:
        return "particles/flashfxred.ini";
    case 4:
        return "particles/flashfxgreen.ini";
    default:
        return "particles/flashfxyellow.ini";
    }
}

void EffectFlash::Update() {
    if (mDone)
        return;
    ++mUpdateCount;
    if (mUpdateCount == 30)
        mAlphaStep = 4.0f;
    mAlpha = FadeAlpha(mAlpha, -mAlphaStep);
    mScene.Update();
    mDone = mScene.IsDone();
}

void EffectFlash::Update(float t) {
    if (!mDone)
        mScene.Update(t);
}

void EffectFlash::Draw(Kavo::Graphics* g) {
    if (mDone)
        return;
    g->PushState();
    g->SetColor(WhiteWithAlpha(mAlpha));
    mScene.Draw(g);
    g->PopState();
}

} // namespace Game
