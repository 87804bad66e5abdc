#include "game/effects/effect_freeze_time.h"

#include "framework/graphics/graphics.h"
#include "game/effects/effect_draw.h"
#include "game/effects/effect_listener.h"
#include "game/effects/effect_random.h"
#include "game/effects/effect_tweakables.h"
#include "game/effects/particle.h"
#include "game/effects/spark.h"
#include "game/effects/trajectories.h"
#include "game/ui/resource_ids.h"

#include <algorithm>
#include <cmath>

namespace Game {

EffectFreezeTime::EffectFreezeTime(int lockX, int lockY, int fromX, int fromY, int toX, int toY,
                                   EffectListener* listener, float)
    : mListener(listener), mTargetX(toX - 10), mTargetY(toY) {
    mLock.Load("images/bonuses/timerlock");
    mLock.mX = static_cast<float>(lockX - 73);
    mLock.mY = static_cast<float>(lockY - 56);
    mLock.mValue = 0;
    mLock.mTarget = 255.0f;
    mLock.mStep = 8.5f;
    if (fromX == toX && fromY == toY) {
        mDone = true;
        return;
    }
    AddProbe(fromX, fromY, toX, toY, 3.0f);
}

EffectFreezeTime::~EffectFreezeTime() = default;

void EffectFreezeTime::AddProbe(int x1, int y1, int x2, int y2, float divisor) {
    const float distance = std::hypot(static_cast<float>(x2 - x1), static_cast<float>(y2 - y1));
    Probe probe;
    probe.mPath = Trajectories::MakeArc(x1, y1, x2, y2, -(distance / divisor));
    const float length = probe.mPath->mTotalLength;
    probe.mFlyer = std::make_unique<SplineAnimation>(x1, y1, length, probe.mPath.get(), false, nullptr, false, false);
    probe.mFlyer->mLengthScale = 0.9f * length;
    probe.mFlyer->LoadFile("data/probka.anim");
    probe.mFlyer->Restart();
    mProbes.push_back(std::move(probe));
}

void EffectFreezeTime::SplitProbe() {
    static constexpr int kOffsets[4][2] = {{-56, -37}, {56, -37}, {-46, 27}, {46, 27}};
    const int x = static_cast<int>(mProbes.front().mFlyer->mX);
    const int y = static_cast<int>(mProbes.front().mFlyer->mY);
    for (const auto& offset : kOffsets)
        AddProbe(x, y, mTargetX + offset[0], mTargetY + offset[1], 6.0f);
}

void EffectFreezeTime::AddSpark(float x, float y) {
    SparkRecipe recipe = FreezeTimeSparkRecipe();
    recipe.fade = 3.0f;
    mSparks.push_back(
        MakeSpark(recipe, IMAGE_LIGHTNING, x, y, DegreesToRadians(static_cast<float>(RandomAngleDegrees()))));
}

void EffectFreezeTime::Update() {
    if (mDone)
        return;
    ++mUpdateCount;
    switch (mState) {
    case 0: {
        for (Probe& probe : mProbes)
            AddSpark(probe.mFlyer->mX, probe.mFlyer->mY);
        if (mProbes.size() == 1) {
            const SplineAnimation& flyer = *mProbes.front().mFlyer;
            if (flyer.mProgress * flyer.mLengthScale > mProbes.front().mPath->mTotalLength / 2.0f)
                SplitProbe();
        }
        if (std::all_of(mProbes.begin(), mProbes.end(), [](const Probe& p) { return p.mFlyer->mFinished; })) {
            mUpdateCount = 0;
            mState = 1;
            if (mListener != nullptr)
                mListener->OnEffectMiddle(this, static_cast<float>(mTargetX), static_cast<float>(mTargetY));
        }
        break;
    }
    case 1:
        mLock.StepValue();
        if (mUpdateCount == kLockHold) {
            mLock.mValue = 255.0f;
            mLock.mTarget = 0;
            mLock.mStep = -5.1f;
            mState = 2;
        }
        break;
    default:
        mLock.StepValue();
        break;
    }
    if (mState == 2 && mSparks.empty() && mLock.mValue == mLock.mTarget) {
        mDone = true;
        if (mListener != nullptr)
            mListener->OnEffectFinished(this);
    }
}

void EffectFreezeTime::Update(float t) {
    if (mDone)
        return;
    if (mState == 0)
        for (Probe& probe : mProbes)
            probe.mFlyer->Update(t);
    for (auto& spark : mSparks)
        spark->Update(t);
    std::erase_if(mSparks, [](const std::unique_ptr<Particle>& spark) { return spark->IsDone(); });
}

void EffectFreezeTime::DrawFaded(Kavo::Graphics* g, int alpha) {
    if (mDone)
        return;
    if (mState >= 1)
        mLock.Draw(g, alpha);
    const size_t stride = static_cast<size_t>(ParticleDrawStride(2));
    for (size_t i = 0; i < mSparks.size(); i += stride)
        mSparks[i]->Draw(g);
}

} // namespace Game
