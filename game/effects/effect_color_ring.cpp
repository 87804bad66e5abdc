#include "game/effects/effect_color_ring.h"

#include "framework/graphics/graphics.h"
#include "framework/util/lazy_transform.h"
#include "game/effects/effect_draw.h"
#include "game/effects/effect_fade.h"
#include "game/effects/effect_listener.h"
#include "game/effects/effect_random.h"

namespace Game {

EffectColorRing::EffectColorRing(const std::vector<std::pair<int, int>>& points, EffectListener* listener)
    : mListener(listener) {
    static const char* const kNames[] = {"images/change/ringblue", "images/change/ringgreen", "images/change/ringred",
                                         "images/change/ringpurple", "images/change/ringyellow"};
    for (size_t i = 0; i < mImages.size(); ++i)
        mImages[i].Load(kNames[i]);
    for (const auto& [x, y] : points) {
        Ring ring;
        ring.mX = static_cast<float>(x);
        ring.mY = static_cast<float>(y);
        ring.mScale = RandomInRange(0.15, 0.20);
        ring.mScaleStep = RandomInRange(0.02, 0.03);
        ring.mImage = mImages[static_cast<size_t>(RandomIndex(5))].Get();
        mRings.push_back(ring);
    }
}

void EffectColorRing::Update() {
    if (mDone)
        return;
    ++mUpdateCount;
    bool allFaded = true;
    for (Ring& ring : mRings) {
        if (mUpdateCount == 40)
            ring.mAlphaStep = 3.0f;
        ring.mScale += ring.mScaleStep;
        ring.mAlpha = FadeAlpha(ring.mAlpha, -ring.mAlphaStep);
        allFaded = allFaded && ring.mAlpha == 0;
    }
    if (!allFaded)
        return;
    mDone = true;
    if (mListener != nullptr)
        mListener->OnEffectFinished(this);
}

void EffectColorRing::Draw(Kavo::Graphics* g) {
    if (mDone)
        return;
    g->PushState();
    g->SetColorizeImages(true);
    for (const Ring& ring : mRings) {
        Kavo::LazyTransform transform;
        transform.Scale(ring.mScale, ring.mScale);
        transform.Translate(ring.mX, ring.mY);
        g->SetColor(WhiteWithAlpha(ring.mAlpha));
        DrawEffectImageTransform(g, ring.mImage, transform);
    }
    g->PopState();
}

} // namespace Game
