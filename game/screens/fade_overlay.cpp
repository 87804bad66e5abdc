#include "game/screens/fade_overlay.h"

#include "framework/graphics/graphics.h"

namespace Game {

void FadeOverlay::Draw(Kavo::Graphics* g) {
    const int alpha = static_cast<int>(mAlpha);
    if (alpha <= 0)
        return;
    g->SetColor(Kavo::Color(0, 0, 0, alpha));
    g->FillRect(0, 0, mWidth, mHeight);
}

void FadeOverlay::Update() {
    if (!mClosing) {
        if (mAlpha < mTarget)
            mAlpha += mStep;
        return;
    }
    mAlpha -= mStep;
    if (mAlpha <= 0) {
        mAlpha = 0;
        mDone = true;
    }
}

} // namespace Game
