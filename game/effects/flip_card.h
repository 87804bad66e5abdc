#pragma once
// A card that turns over from its front picture to its back one: it narrows
// to nothing while lifting a little, shows the back and widens again, over a
// shadow. A plain object its panel or dialog updates and draws; it never
// ends by itself.

#include "framework/util/lazy_transform.h"

namespace Kavo {
class Graphics;
class Image;
} // namespace Kavo

namespace Game {

class EffectListener;

class FlipCard {
public:
    enum State { kClosing = 0, kOpening = 1, kAtRest = 2 };

    // Starts turning at once and tells the listener (null: nobody) that it
    // started. The pictures are not owned; no shadow picture draws a grey
    // rectangle instead.
    FlipCard(Kavo::Image* front, Kavo::Image* back, Kavo::Image* shadow, float x, float y, EffectListener* listener);

    // Once per update: narrows, swaps to the back at width 0, widens; the
    // listener's first operation once it is fully open again.
    void Update();
    // Turns again from the side now showing (front and back swap).
    void Restart();
    void Draw(Kavo::Graphics* g);
    // Over the picture's unscaled rectangle centred on the card, whatever
    // the turn.
    bool Contains(int x, int y) const;

    EffectListener* mListener;
    float mX;
    float mY;
    Kavo::Image* mShadow;
    Kavo::Image* mFront;
    Kavo::Image* mBack;
    Kavo::Image* mCurrent;
    Kavo::LazyTransform mTransform;
    float mScaleX = 1.0f;
    float mScaleY = 1.0f;
    float mStepX = 1.0f / 30.0f;
    float mStepY = 1.0f / 600.0f;
    int mState = kClosing;

private:
    void PlaceTransform();
};

} // namespace Game
