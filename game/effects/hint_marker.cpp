#include "game/effects/hint_marker.h"

#include "framework/graphics/graphics.h"
#include "game/effects/effect_fade.h"
#include "game/ui/resource_ids.h"

namespace Game {

HintMarker::HintMarker(int x1, int y1, int x2, int y2) : PulseMarker(x1, y1, x2, y2) {
    const bool vertical = x1 == x2;
    mImage = vertical ? IMAGE_HINT_VERT : IMAGE_HINT_HORZ;
    mAxis = vertical ? 1 : 0;
}

void HintMarker::Update() {
    if (mDone)
        return;
    if (++mUpdateCount >= 100)
        mDone = true;
    Pulse();
}

void HintMarker::Draw(Kavo::Graphics* g, int alpha) {
    if (mDone)
        return;
    const bool wasColorizing = g->GetColorizeImages();
    g->SetColorizeImages(alpha != 255);
    if (alpha != 255)
        g->SetColor(WhiteWithAlpha(static_cast<float>(alpha)));
    DrawImage(g);
    g->SetColorizeImages(wasColorizing);
}

TipArrow::TipArrow(int x1, int y1, int x2, int y2) : PulseMarker(x1, y1, x2, y2) {
    const bool horizontal = x1 != x2;
    mAxis = horizontal ? 0 : 1;
    mHeld.Load(horizontal ? "images/tips/horz" : "images/tips/vert");
    mImage = mHeld.Get();
}

} // namespace Game
