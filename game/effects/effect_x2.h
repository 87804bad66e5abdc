#pragma once
// The double-score bonus: a cork flies straight to the score, shedding
// bubbles; on arrival the row of three "x2" labels fades in, stays for the
// bonus period (3,000 updates) and fades out. It draws nothing itself: the
// board screen draws its cork, labels and bubbles.

#include "game/ui/effect_base.h"
#include "game/ui/named_image.h"
#include "game/ui/trajectory_path.h"

#include <array>
#include <memory>
#include <vector>

namespace Game {

class EffectListener;
class Particle;
class SplineAnimation;

class EffectX2 : public EffectBase {
public:
    enum Phase { kFlying = 0, kShowing = 1, kFading = 2 };
    static constexpr int kShowUpdates = 3000;
    static constexpr int kFadeUpdates = 70;

    // Between equal points the effect is done at once and nobody is told;
    // otherwise the listener's first operation tells the cork's arrival.
    EffectX2(int startX, int startY, int endX, int endY, EffectListener* listener);
    ~EffectX2() override;

    void Update() override;
    void Update(float fraction) override;

    EffectListener* mListener;
    std::unique_ptr<TrajectoryPath> mPath;
    std::unique_ptr<SplineAnimation> mCork;
    int mPhase = kFlying;
    int mCounter = 0;
    // Drawn with their value as alpha.
    std::array<NamedImage, 3> mLabels;
    std::vector<std::unique_ptr<Particle>> mSparks;

private:
    void AddSparks(float x, float y);
};

} // namespace Game
