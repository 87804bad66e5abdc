#pragma once
// The knife bonus slicing an item: the item's picture stands cut into five
// upright slices, a knife strokes down and up between them four times, after
// each down-stroke the slice left of the cut tips over and falls away
// fading, the last two together. Drawn in the overlay pass.

#include "framework/util/lazy_transform.h"
#include "framework/util/rect.h"
#include "game/ui/effect_base.h"
#include "game/ui/trajectory_path.h"

#include <memory>
#include <vector>

namespace Kavo {
class Image;
} // namespace Kavo

namespace Game {

class SplineAnimation;

class EffectKnife : public EffectBase {
public:
    struct Slice {
        Kavo::Image* picture = nullptr;
        Kavo::LazyTransform transform;
        float fade = 255.0f;
        float fadeStep = 0;
        float x = 0;
        float y = 0;
        float angle = 0;
        float spin = 0;
        float fallSpeed = 0;
        Kavo::IntRect source;
    };
    struct CutLine {
        int x1, y1, x2, y2;
    };

    static constexpr int kSliceCount = 5;

    // The item of `itemId` centred on (cx, cy). An item without a catalogue
    // record or picture is done at once.
    EffectKnife(int itemId, float cx, float cy);
    ~EffectKnife() override;

    void Update() override;
    void Update(float fraction) override;
    void DrawOverlay(Kavo::Graphics* g) override;

    std::vector<Slice> mSlices;
    std::unique_ptr<SplineAnimation> mKnife;
    std::unique_ptr<TrajectoryPath> mKnifePath;
    std::vector<CutLine> mCutLines;
    int mMoveX1 = 0;
    int mMoveY1 = 0;
    int mMoveX2 = 0;
    int mMoveY2 = 0;
    int mPassCount = 0;
    int mCutIndex = 0;
    int mPhase = 0; // 0: a down-stroke runs, 1: an up-stroke runs

private:
    void Move(int x1, int y1, int x2, int y2);
    static void Drop(Slice& slice, float spin);
};

} // namespace Game
