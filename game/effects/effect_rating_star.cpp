#include "game/effects/effect_rating_star.h"

#include "framework/graphics/image.h"
#include "game/effects/effect_colors.h"
#include "game/effects/effect_draw.h"
#include "game/effects/effect_listener.h"
#include "game/effects/effect_random.h"
#include "game/effects/effect_tweakables.h"
#include "game/effects/flyer.h"
#include "game/effects/particle.h"
#include "game/effects/particle_list.h"
#include "game/effects/trajectories.h"
#include "game/ui/resource_ids.h"

namespace Game {

namespace {

constexpr int kTrailInterval = 5;

} // namespace

EffectRatingStar::EffectRatingStar(int x1, int y1, int x2, int y2, EffectListener* listener) : mListener(listener) {
    mLayer = 0;
    mDone = x1 == x2 && y1 == y2;
    mPath = Trajectories::MakeLine(x1, y1, x2, y2);
    const float length = mPath->mTotalLength;
    mFlyer = MakeFlyer(mPath.get(), 0, 0, length, length, "data/ratingstar.anim");
    ShowImageInAnimation(*mFlyer, IMAGE_PARTICLES, Kavo::IntRect(32, 32, 32, 32));
    mFlyer->SetColor(kFlyerColors[RandomIndex(kFlyerColorCount)]);
    mFlyer->Restart();
}

EffectRatingStar::~EffectRatingStar() = default;

void EffectRatingStar::Update() {
    if (mDone)
        return;
    if (mState == kFlying) {
        ++mCounter;
        if (mCounter % kTrailInterval == 0)
            AddTrail(mFlyer->mX, mFlyer->mY);
        mFlyer->Update();
        if (mFlyer->IsFinished()) {
            mState = kArrived;
            mCounter = 0;
            if (mListener != nullptr)
                mListener->OnEffectFinished(this);
        }
    }
    mDone = mFlyer->IsFinished() && mTrail.empty();
}

void EffectRatingStar::Update(float t) {
    if (mDone)
        return;
    if (mState == kFlying)
        mFlyer->Update(t);
    UpdateParticles(mTrail, t);
}

void EffectRatingStar::Draw(Kavo::Graphics* g) {
    if (mDone)
        return;
    DrawRectParticles(g, mTrail, ParticleDrawStride(4));
}

void EffectRatingStar::AddTrail(float x, float y) {
    Kavo::Image* image = IMAGE_PARTICLES;
    const Kavo::IntRect cel = image != nullptr ? image->GetCelRect(0, 3) : Kavo::IntRect();
    // The rating star's tweakable (1) is the number of sparkles per trail
    // point.
    for (int i = RatingStarSparkInterval(); i > 0; --i) {
        auto sparkle = std::make_unique<RectParticle>(0.0f, 0.0f, 0.0f, image, cel);
        sparkle->mColor = Kavo::Color(255, 255, 255, 255);
        sparkle->mAlpha = 127.0f;
        sparkle->mFade = 3.0f;
        sparkle->mX = x;
        sparkle->mY = y;
        mTrail.push_back(std::move(sparkle));
    }
}

} // namespace Game
