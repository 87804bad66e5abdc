#pragma once
// The pepper bonus burning an item: a burn animation over the item's
// picture, then the item's broken picture scattered as eight pieces that fly
// off and fade. Drawn in the overlay pass.

#include "game/ui/effect_base.h"

#include <memory>
#include <vector>

namespace Kavo {
class Image;
} // namespace Kavo

namespace Game {

class Animation;
class RectParticle;

class EffectPepper : public EffectBase {
public:
    enum Phase { kBurning = 0, kPieces = 1 };
    static constexpr int kPieceCount = 8;

    // The item of `itemId` at the cell's position (x, y). An item without a
    // catalogue record or picture is done at once.
    EffectPepper(int itemId, float x, float y);
    ~EffectPepper() override;

    void Update() override;
    void Update(float fraction) override;
    void DrawOverlay(Kavo::Graphics* g) override;

    int mPhase = kBurning;
    std::unique_ptr<Animation> mBurn;
    float mX;
    float mY;
    Kavo::Image* mPicture = nullptr;
    // The item's broken picture, eight pieces side by side.
    Kavo::Image* mPiecesPicture = nullptr;
    std::vector<std::unique_ptr<RectParticle>> mPieces;

private:
    void Scatter();
};

} // namespace Game
