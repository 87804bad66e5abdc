#pragma once
// What an effect list updates and draws once per step: visual effects,
// particles, trajectory scenes and frame animations.

namespace Kavo {
class Graphics;
} // namespace Kavo

namespace Game {

class EffectBase {
public:
    EffectBase() = default;
    virtual ~EffectBase() = default;

    virtual void Draw(Kavo::Graphics*) {}
    virtual void DrawOverlay(Kavo::Graphics*) {}
    virtual void Update() {}
    virtual void Update(float) {}
    virtual bool IsDone() { return mDone; }

    bool mDone = false;
    int mLayer = 0; // 0: drawn by Draw, 1: by DrawOverlay, others not at all
};

} // namespace Game
