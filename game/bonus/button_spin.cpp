#include "game/bonus/button_spin.h"

#include "framework/graphics/graphics.h"
#include "game/board/bonus.h"
#include "game/ui/hardware_3d.h"

#include <cmath>

namespace Game {

void ButtonSpin::Start(float step) {
    mStep = step;
    mAngle = step;
    mSpinning = true;
}

void ButtonSpin::Step(int state) {
    if (mSpinning) {
        mAngle += mStep;
        // Half a step of slack: 75 float steps may fall a hair short of a
        // whole turn, which would add a 76th update.
        if (std::fabs(mAngle) >= kTurn - std::fabs(mStep) * 0.5f) {
            mSpinning = false;
            mAngle = 0;
        }
    }
    if (state != Bonus::kReady && state != Bonus::kHover) {
        mSpinning = false;
        mAngle = 0;
    }
}

void ButtonSpin::Draw(Kavo::Graphics* g, Kavo::Image* image, float x, float y, const Kavo::IntRect* source,
                      float alpha) const {
    if (image == nullptr)
        return;
    g->PushState();
    g->SetColor(Kavo::Color(255, 255, 255, static_cast<int>(alpha)));
    g->SetColorizeImages(true);
    if (UsesHardware3D())
        g->DrawImageRotatedF(image, x, y, mAngle, source);
    else
        g->DrawImageRotated(image, static_cast<int>(x), static_cast<int>(y), mAngle, source);
    g->PopState();
}

} // namespace Game
