#include "game/effects/effect_rank_star_appear.h"

#include "framework/graphics/graphics.h"
#include "framework/graphics/image.h"
#include "game/effects/effect_draw.h"
#include "game/effects/effect_fade.h"
#include "game/effects/effect_listener.h"
#include "game/effects/effect_random.h"
#include "game/effects/effect_tweakables.h"
#include "game/effects/flyer.h"
#include "game/effects/particle_list.h"
#include "game/effects/spark.h"
#include "game/effects/tr_move_items.h"
#include "game/ui/resource_ids.h"
#include "game/ui/trajectory_path.h"

#include <algorithm>
#include <string>

namespace Game {

namespace {

constexpr Kavo::Color kRankSparkColors[3] = {{160, 126, 19, 255}, {226, 230, 190, 255}, {255, 249, 51, 255}};

} // namespace

EffectRankStarAppear::EffectRankStarAppear(int rank, int index, EffectListener* listener, int, int, const int rect[4])
    : mRank(std::clamp(rank, 0, 2)), mListener(listener) {
    mLayer = 0;
    const Kavo::IntRect place(rect[0], rect[1], rect[2], rect[3]);
    Kavo::Image* star = IMAGE_RANK;
    if (star != nullptr)
        mCelRect = star->GetCelRect(mRank, 0);
    // No star picture (a cel of size 0) keeps the star's own size.
    const int celSize = std::max(mCelRect.mWidth, mCelRect.mHeight);
    if (celSize > 0)
        mTargetScale = static_cast<float>(std::max(place.mWidth, place.mHeight)) / static_cast<float>(celSize);
    mScaleStep = (1.0f - mTargetScale) * -0.01f;
    const ScreenPoint centre = ScreenCentre();
    mCenterX = centre.x;
    mCenterY = centre.y;

    const TrajectoryPath* path = FindNamedPath("Rank_" + std::to_string(mRank + 1) + "_" + std::to_string(index));
    mHasPath = path != nullptr && !path->mPoints.empty();
    const float length = path != nullptr ? path->mTotalLength : 0.0f;
    mFlyer = MakeFlyer(path, 0, 0, 0.5f * length, length, "data/starappear.anim");
    ShowImageInAnimation(*mFlyer, IMAGE_MAP_RANK_STARS, place);

    mScene = std::make_unique<TrMoveItems>();
    mScene->Load("particles/RankStarAppear.ini");
    mScene->Start(static_cast<float>(mCenterX), static_cast<float>(mCenterY));
}

EffectRankStarAppear::~EffectRankStarAppear() = default;

void EffectRankStarAppear::Update() {
    if (mDone)
        return;
    if (!mHasPath) {
        // Nowhere to fly: the map still gets its star at once.
        mDone = true;
        if (mListener != nullptr)
            mListener->OnEffectFinished(this);
        return;
    }
    if (mState == kGrowing) {
        if (!mTargetTaken)
            mScale += mScaleStep;
        mAlpha = FadeAlpha(mAlpha, mAlphaStep);
        // A star that grows passes its target on the first step; once taken,
        // the target holds while the hold counts.
        if (mTargetTaken || mScale <= mTargetScale) {
            mTargetTaken = true;
            mScale = mTargetScale;
            ++mCounter;
            mFlyer->Restart();
            if (mCounter > mHold) {
                mCounter = 0;
                mState = kFlying;
            }
        }
    } else {
        ++mCounter;
        if (mListener != nullptr)
            mListener->OnEffectMiddle(this, mFlyer->mX, mFlyer->mY);
        if (mFlyer->IsFinished()) {
            mDone = true;
            if (mListener != nullptr)
                mListener->OnEffectFinished(this);
        }
        AddSpark(mFlyer->mX, mFlyer->mY);
    }
    if (mScene != nullptr) {
        mScene->Update();
        if (mScene->IsDone())
            mScene.reset();
    }
}

void EffectRankStarAppear::Update(float t) {
    if (mDone)
        return;
    if (mState == kFlying)
        mFlyer->Update(t);
    UpdateParticles(mSparks, t);
    if (mScene != nullptr)
        mScene->Update(t);
}

void EffectRankStarAppear::Draw(Kavo::Graphics* g) {
    if (mDone)
        return;
    if (mState == kGrowing) {
        DrawScaledAt(g, IMAGE_RANK, mCelRect, mScale, mCenterX, mCenterY, mAlpha);
    } else if (HasSpriteImage(*mFlyer)) {
        mFlyer->Draw(g);
    }
    DrawRectParticles(g, mSparks, ParticleDrawStride(2));
    if (mScene != nullptr)
        mScene->Draw(g);
}

void EffectRankStarAppear::AddSpark(float x, float y) {
    Kavo::Image* image = IMAGE_PARTICLES;
    const Kavo::IntRect cel = image != nullptr ? image->GetCelRect(2, 2) : Kavo::IntRect();
    SparkRecipe recipe = RankStarSparkRecipe();
    recipe.fade = 4.0f;
    const float angle = DegreesToRadians(static_cast<float>(RandomAngleDegrees()));
    std::unique_ptr<RectParticle> spark = MakeRectSpark(recipe, image, cel, x, y, angle);
    spark->mColor = kRankSparkColors[mRank];
    mSparks.push_back(std::move(spark));
}

} // namespace Game
