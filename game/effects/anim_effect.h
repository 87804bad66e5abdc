#pragma once
// An image blinking in and out: after a delay it fades in and out over
// `duration` updates each way, for a number of cycles or without end.

#include "game/ui/effect_base.h"
#include "game/ui/named_image.h"

namespace Kavo {
class Image;
} // namespace Kavo

namespace Game {

class AnimEffect : public EffectBase {
public:
    // The fade steps by 255 / duration (integer division): a duration above
    // 255 never moves, one of 0 or less counts as 1. maxCycles 0: endless.
    AnimEffect(int x, int y, Kavo::Image* image, int delay, int duration, bool centred, int maxCycles);

    void Draw(Kavo::Graphics* g) override;
    void Update() override;

    NamedImage mImage;
    float mAlphaScale = 255.0f; // the holder of the effect may change it
    int mUpdateCount = 0;
    int mDelay;
    int mDuration;
    int mCycles = 0;
    int mMaxCycles;
};

} // namespace Game
