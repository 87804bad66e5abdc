#include "game/effects/effect_sinus.h"

#include "game/effects/effect_colors.h"
#include "game/effects/effect_draw.h"
#include "game/effects/effect_listener.h"
#include "game/effects/effect_random.h"
#include "game/effects/effect_tweakables.h"
#include "game/effects/flyer.h"
#include "game/effects/particle_list.h"
#include "game/effects/spark_box.h"
#include "game/effects/trajectories.h"
#include "game/ui/resource_ids.h"

#include <cmath>

namespace Game {

EffectSinus::EffectSinus(int x1, int y1, int x2, int y2, int, EffectListener* listener) : mListener(listener) {
    mLayer = 0;
    mDone = x1 == x2 && y1 == y2;
    const float distance = std::hypot(static_cast<float>(x2 - x1), static_cast<float>(y2 - y1));
    mPath = Trajectories::MakeArc(x1, y1, x2, y2, distance / 3.0f);
    const float length = mPath->mTotalLength;
    mSpeed = 2.0f * length;
    mFlyer = MakeFlyer(mPath.get(), x1, y1, length, mSpeed, "");
    mColor = kFlyerColors[RandomIndex(kFlyerColorCount)];
}

EffectSinus::~EffectSinus() = default;

void EffectSinus::Update() {
    if (mDone)
        return;
    mFlyer->Update();
    const bool ended = mFlyer->IsFinished();
    if (ended && !mArrived) {
        mArrived = true;
        if (mListener != nullptr)
            mListener->OnEffectFinished(this);
    }
    ++mCounter;
    // The sinus's first tweakable (4) is the number of updates between two
    // handfuls of sparks.
    const int interval = SinusSparksPerUpdate();
    if (!ended && interval > 0 && mCounter % interval == 0)
        AddSparks(mFlyer->mX + static_cast<float>(mSparkOffsetX), mFlyer->mY + static_cast<float>(mSparkOffsetY));
    mDone = ended && mSparks.empty();
}

void EffectSinus::Update(float t) {
    if (mDone)
        return;
    mFlyer->Update(t);
    UpdateParticles(mSparks, t);
}

void EffectSinus::Draw(Kavo::Graphics* g) {
    if (mDone)
        return;
    DrawParticles(g, mSparks, 1);
}

void EffectSinus::AddSparks(float x, float y) {
    const size_t first = mSparks.size();
    // Its second tweakable (2) is the number of sparks in a handful.
    AddBoxSparks(mSparks, SinusSparkRecipe(), IMAGE_SPARKLE, SinusSparkOffsetRange(), x, y);
    for (size_t i = first; i < mSparks.size(); ++i)
        mSparks[i]->mColor = mColor;
}

} // namespace Game
