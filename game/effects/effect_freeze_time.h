#pragma once
// The time freeze of the timer bonus: a lightning probe flies to the timer
// and splits in five halfway, then the lock picture fades in over the timer,
// holds for 500 updates and fades out.

#include "game/ui/effect_base.h"
#include "game/ui/named_image.h"
#include "game/ui/spline_animation.h"
#include "game/ui/trajectory_path.h"

#include <memory>
#include <vector>

namespace Game {

class EffectListener;
class Particle;

class EffectFreezeTime : public EffectBase {
public:
    static constexpr int kLockHold = 500;

    // From a point to itself it is done at once and tells nobody. Else the
    // listener's second operation when every probe has arrived, its first at
    // the end. `angle` does not change it.
    EffectFreezeTime(int lockX, int lockY, int fromX, int fromY, int toX, int toY, EffectListener* listener,
                     float angle);
    ~EffectFreezeTime() override;

    // The board screen draws it with its own alpha; the list draws nothing.
    void DrawFaded(Kavo::Graphics* g, int alpha);
    void Update() override;
    void Update(float t) override;

    void AddProbe(int x1, int y1, int x2, int y2, float divisor);
    void SplitProbe();
    void AddSpark(float x, float y);

    struct Probe {
        std::unique_ptr<TrajectoryPath> mPath;
        std::unique_ptr<SplineAnimation> mFlyer;
    };

    EffectListener* mListener;
    int mState = 0; // 0 probes, 1 lock shown, 2 lock fading
    int mUpdateCount = 0;
    std::vector<std::unique_ptr<Particle>> mSparks;
    NamedImage mLock;
    std::vector<Probe> mProbes;
    int mTargetX;
    int mTargetY;
};

} // namespace Game
