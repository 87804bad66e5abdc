#pragma once
// An unseen point flying along a bowed path between two points of the room
// screen, shedding pairs of coloured sparkles; the listener hears (with the
// effect) when it arrives, the effect ends once the sparkles have faded.

#include "framework/util/color.h"
#include "game/ui/effect_base.h"
#include "game/ui/trajectory_path.h"

#include <memory>
#include <vector>

namespace Game {

class EffectListener;
class Particle;
class SplineAnimation;

class EffectSinus : public EffectBase {
public:
    // `a` has no effect. Between equal points the effect is done at once and
    // nobody is told.
    EffectSinus(int x1, int y1, int x2, int y2, int a, EffectListener* listener);
    ~EffectSinus() override;

    void Update() override;
    void Update(float t) override;
    // The sparkles only.
    void Draw(Kavo::Graphics* g) override;

    // Sparkles of IMAGE_SPARKLE in the effect's colour near (x, y).
    void AddSparks(float x, float y);

    std::unique_ptr<TrajectoryPath> mPath;
    std::unique_ptr<SplineAnimation> mFlyer;
    int mSparkOffsetX = 0;
    int mSparkOffsetY = 0;
    EffectListener* mListener;
    float mSpeed = 0;
    int mCounter = 0;
    Kavo::Color mColor;
    std::vector<std::unique_ptr<Particle>> mSparks;
    bool mArrived = false;
};

} // namespace Game
