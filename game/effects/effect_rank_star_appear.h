#pragma once
// A new rank star on the map: it appears at the screen's centre, grows (or
// shrinks) to the size of its place, holds there, then flies along its named
// path "Rank_<rank + 1>_<index>" to its place, shedding sparks in the
// rank's colour, over a particle scene.

#include "framework/util/rect.h"
#include "game/ui/effect_base.h"

#include <memory>
#include <vector>

namespace Game {

class EffectListener;
class RectParticle;
class SplineAnimation;
class TrMoveItems;

class EffectRankStarAppear : public EffectBase {
public:
    enum State { kGrowing = 0, kFlying = 1 };

    // `rank` (the restaurant, held in 0 .. 2) picks the star's cel of
    // IMAGE_RANK and its spark colour; `rect` (x, y, width, height) is the
    // star's place in IMAGE_MAP_RANK_STARS, shown by the flyer. `a` and `b`
    // have no effect. The listener's second operation gets the flyer's
    // position on every flying update, its first the arrival. Without the
    // named path (or with a path without points) the effect ends on its first
    // update, telling the listener it finished.
    EffectRankStarAppear(int rank, int index, EffectListener* listener, int a, int b, const int rect[4]);
    ~EffectRankStarAppear() override;

    void Update() override;
    void Update(float t) override;
    void Draw(Kavo::Graphics* g) override;

    // A spark of the rank's colour at (x, y).
    void AddSpark(float x, float y);

    int mState = kGrowing;
    int mCounter = 0;
    int mHold = 100;
    int mCenterX = 0;
    int mCenterY = 0;
    int mRank = 0;
    Kavo::IntRect mCelRect;
    float mScale = 1.0f;
    float mTargetScale = 1.0f;
    float mScaleStep = 0;
    bool mTargetTaken = false;
    float mAlpha = 100.0f;
    float mAlphaStep = 1.55f;
    bool mHasPath = false;
    std::unique_ptr<SplineAnimation> mFlyer;
    EffectListener* mListener;
    std::unique_ptr<TrMoveItems> mScene;
    std::vector<std::unique_ptr<RectParticle>> mSparks;
};

} // namespace Game
