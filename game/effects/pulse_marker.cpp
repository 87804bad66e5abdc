#include "game/effects/pulse_marker.h"

#include "game/effects/effect_draw.h"

namespace Game {

PulseMarker::PulseMarker(int x1, int y1, int x2, int y2)
    : mCenterX(static_cast<float>((x1 + x2) / 2)), mCenterY(static_cast<float>((y1 + y2) / 2)) {}

void PulseMarker::Pulse() {
    float& scale = mScale[mAxis];
    scale += mStep;
    if ((mStep <= 0 && scale <= 0.9f) || (mStep > 0 && scale >= 1.1f))
        mStep = -mStep;
    mTransform.Reset();
    mTransform.Scale(mScale[0], mScale[1]);
    mTransform.Translate(mCenterX, mCenterY);
}

void PulseMarker::DrawImage(Kavo::Graphics* g) const {
    DrawEffectImageTransform(g, mImage, mTransform);
}

} // namespace Game
