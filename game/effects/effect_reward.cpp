#include "game/effects/effect_reward.h"

#include "framework/graphics/graphics.h"
#include "game/effects/effect_draw.h"
#include "game/effects/effect_fade.h"
#include "game/effects/effect_listener.h"
#include "game/effects/flyer.h"
#include "game/effects/tr_move_items.h"
#include "game/ui/trajectory_path.h"

#include <string>

namespace Game {

EffectReward::EffectReward(int index, Kavo::Image* image, int, int, EffectListener* listener)
    : mImage(image), mListener(listener) {
    mLayer = 0;
    const ScreenPoint centre = ScreenCentre();
    mCenterX = centre.x;
    mCenterY = centre.y;

    const TrajectoryPath* path = FindNamedPath("Reward" + std::to_string(index));
    mHasPath = path != nullptr && !path->mPoints.empty();
    const float length = path != nullptr ? path->mTotalLength : 0.0f;
    mFlyer = MakeFlyer(path, 0, 0, 0.5f * length, length, "data/reward.anim");
    ShowImageInAnimation(*mFlyer, image, WholeImageRect(image));

    mScene = std::make_unique<TrMoveItems>();
    mScene->Load("particles/rewardappear.ini");
    mScene->Start(static_cast<float>(mCenterX), static_cast<float>(mCenterY));
}

EffectReward::~EffectReward() = default;

void EffectReward::Update() {
    if (mDone)
        return;
    if (!mHasPath) {
        // Nowhere to fly: the dialog goes on at once.
        mDone = true;
        if (mListener != nullptr)
            mListener->OnEffectFinished(this);
        return;
    }
    if (mState == kShrinking) {
        mScale += mScaleStep;
        mAlpha = FadeAlpha(mAlpha, mAlphaStep);
        if (mScale <= 1.0f) {
            mScale = 1.0f;
            ++mCounter;
            mFlyer->Restart();
            if (mCounter > mHold)
                mState = kFlying;
        }
    } else if (mFlyer->IsFinished()) {
        mDone = true;
        if (mListener != nullptr)
            mListener->OnEffectFinished(this);
    }
    if (mScene != nullptr) {
        mScene->Update();
        if (mScene->IsDone())
            mScene.reset();
    }
}

void EffectReward::Update(float t) {
    if (mDone)
        return;
    if (mState == kFlying)
        mFlyer->Update(t);
    if (mScene != nullptr)
        mScene->Update(t);
}

void EffectReward::Draw(Kavo::Graphics* g) {
    if (mDone)
        return;
    if (mState == kShrinking) {
        DrawScaledAt(g, mImage, {}, mScale, mCenterX, mCenterY, mAlpha);
    } else if (HasSpriteImage(*mFlyer)) {
        mFlyer->Draw(g);
    }
    if (mScene != nullptr)
        mScene->Draw(g);
}

} // namespace Game
