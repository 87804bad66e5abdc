#pragma once
// Coins flying along arcs between two points of the shop screen, each on a
// path of its own with its own bow and speed; the listener hears once the
// last coin has landed.

#include "game/ui/effect_base.h"
#include "game/ui/trajectory_path.h"

#include <memory>
#include <vector>

namespace Game {

class EffectListener;
class SplineAnimation;

class CoinEffect : public EffectBase {
public:
    // Between equal points the effect is done at once (the coins are still
    // made) and nobody is told; a count below 1 makes no coins, and the
    // effect ends with its listener on the first update.
    CoinEffect(int x1, int y1, int x2, int y2, int count, EffectListener* listener);
    ~CoinEffect() override;

    void Update() override;
    void Update(float t) override;
    void Draw(Kavo::Graphics* g) override;

    struct Coin {
        std::unique_ptr<TrajectoryPath> path;
        std::unique_ptr<SplineAnimation> flyer;
    };
    std::vector<Coin> mCoins;
    EffectListener* mListener;
};

} // namespace Game
