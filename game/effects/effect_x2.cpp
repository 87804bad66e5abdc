#include "game/effects/effect_x2.h"

#include "game/effects/effect_listener.h"
#include "game/effects/flyer.h"
#include "game/effects/particle_list.h"
#include "game/effects/spark_box.h"
#include "game/effects/trajectories.h"
#include "game/ui/resource_ids.h"
#include "game/ui/spline_animation.h"

// Last: the tweakable macros are single letters.
#include "framework/util/mod_val.h"

namespace Game {

namespace {

constexpr float kLabelFadeStep = 255.0f / EffectX2::kFadeUpdates;
constexpr int kLabelOffsets[3] = {0, 117, 235};

} // namespace

EffectX2::EffectX2(int startX, int startY, int endX, int endY, EffectListener* listener) : mListener(listener) {
    mLayer = 0;
    mDone = startX == endX && startY == endY;
    mPath = Trajectories::MakeLine(startX, startY, endX, endY);
    const float length = mPath->mTotalLength;
    mCork = MakeFlyer(mPath.get(), startX, startY, 0.9f * length, 0.9f * length, "data/probka.anim");
    mCork->Restart();
    for (size_t i = 0; i < mLabels.size(); ++i) {
        NamedImage& label = mLabels[i];
        label.Load("images/bonuses/x2label");
        label.mCentered = true;
        label.mX = static_cast<float>(endX + kLabelOffsets[i]);
        label.mY = static_cast<float>(endY);
        label.mValue = 0;
        label.mTarget = 255.0f;
        label.mStep = 0;
    }
}

EffectX2::~EffectX2() = default;

void EffectX2::Update() {
    if (mDone)
        return;
    if (mPhase == kFlying) {
        ++mCounter;
        AddSparks(mCork->mX, mCork->mY);
        mCork->Update();
        if (mCork->IsFinished()) {
            mPhase = kShowing;
            mCounter = 0;
            // The labels fade in once the cork has arrived.
            for (NamedImage& label : mLabels)
                label.mStep = kLabelFadeStep;
            if (mListener != nullptr)
                mListener->OnEffectFinished(this);
        }
    } else if (mPhase == kShowing) {
        for (NamedImage& label : mLabels)
            label.StepValue();
        if (++mCounter == kShowUpdates) {
            mCounter = 0;
            for (NamedImage& label : mLabels) {
                label.mTarget = 0;
                label.mStep = -kLabelFadeStep;
            }
            mPhase = kFading;
        }
    } else {
        for (NamedImage& label : mLabels)
            label.StepValue();
        mDone = mLabels.front().mValue == mLabels.front().mTarget;
    }
}

void EffectX2::Update(float fraction) {
    if (mDone)
        return;
    if (mPhase == kFlying)
        mCork->Update(fraction);
    UpdateParticles(mSparks, fraction);
}

void EffectX2::AddSparks(float x, float y) {
    SparkRecipe recipe;
    recipe.speedX = M(0.25f);
    recipe.speedY = M(0.25f);
    recipe.spinDivisor = M(5000.0f);
    AddBoxSparks(mSparks, recipe, IMAGE_BUBBLE, M(2), x, y);
}

} // namespace Game
