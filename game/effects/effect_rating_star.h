#pragma once
// An unseen star flying straight between two points of the room screen,
// leaving a trail of fading sparkles behind it; the listener hears when it
// arrives, the effect ends once the trail has faded.

#include "game/ui/effect_base.h"
#include "game/ui/trajectory_path.h"

#include <memory>
#include <vector>

namespace Game {

class EffectListener;
class RectParticle;
class SplineAnimation;

class EffectRatingStar : public EffectBase {
public:
    enum State { kFlying = 0, kArrived = 1 };

    // Between equal points the effect is done at once and nobody is told.
    EffectRatingStar(int x1, int y1, int x2, int y2, EffectListener* listener);
    ~EffectRatingStar() override;

    void Update() override;
    void Update(float t) override;
    // The trail only: every sparkle with 3D hardware, every fourth without.
    void Draw(Kavo::Graphics* g) override;

    // Trail sparkles at (x, y): a still cel of IMAGE_PARTICLES at half alpha.
    void AddTrail(float x, float y);

    EffectListener* mListener;
    std::unique_ptr<TrajectoryPath> mPath;
    std::unique_ptr<SplineAnimation> mFlyer;
    int mState = kFlying;
    int mCounter = 0;
    std::vector<std::unique_ptr<RectParticle>> mTrail;
};

} // namespace Game
