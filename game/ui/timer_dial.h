#pragma once
// The level timer: a dial whose arrow sweeps from the start angle to the end
// angle as the value runs from 0 to the duration (or back).

#include "game/ui/image_sprite.h"

namespace Kavo {
class Graphics;
class Image;
} // namespace Kavo

namespace Game {

class TimerDialListener;

class TimerDial {
public:
    enum State { kMoving = 0, kFinished = 1, kWaiting = 2 };

    static constexpr float kStartAngle = 5.4105206f; // 310 degrees
    static constexpr float kEndAngle = 3.9793506f;   // 228 degrees

    // Takes IMAGE_TIMER, IMAGE_TIMER_CIRCLE and IMAGE_TIMER_ARROW as they
    // are bound now.
    TimerDial();

    // The dial at (x, y); the ring and the arrow's point at (x - 3, y + 37).
    void SetPosition(float x, float y);
    // Moving again, counting down when `reverse`; `immediate` puts the value
    // at the start of the run (the duration when counting down, else 0).
    void Start(bool reverse, bool immediate);
    // Holds the dial for `updates` updates, then it moves again.
    void Wait(int updates);
    void Update();
    void Draw(Kavo::Graphics* g);
    void SetAlpha(int alpha);

    ImageSprite mDial;
    ImageSprite mRing;
    Kavo::Image* mArrow = nullptr;
    int mAlpha = 255;
    float mAngle = kStartAngle;
    float mDuration = 1.0f;
    float mValue = 0;
    float mSpeed = 1.0f;
    float mStartAngle = kStartAngle;
    float mEndAngle = kEndAngle;
    float mArrowX = -3.0f;
    float mArrowY = 37.0f;
    bool mReverse = false;
    int mState = kMoving;
    int mWaitCount = 0;
    TimerDialListener* mListener = nullptr;

private:
    void Move();
};

} // namespace Game
