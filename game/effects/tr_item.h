#pragma once
// One emitter of a trajectory scene. Over a cycle of the scene's duration it
// keeps as many particles alive as its curves ask, born in its birth area
// and flying along their start direction with weight, drift and a pull
// around the item; then it stops emitting, lets the last particles die and
// is done, or starts the next cycle when it never ends.

#include "game/effects/tr_emitter_desc.h"
#include "game/effects/tr_particle.h"

#include <vector>

namespace Kavo {
class Graphics;
} // namespace Kavo

namespace Game {

class TrLine;

class TrItem {
public:
    // The most particles one item keeps alive, whatever its curves say.
    static constexpr int kMaxParticles = 10000;

    virtual ~TrItem() = default;

    // Clock 0, not done, at (x, y), every particle gone.
    void Start(float x, float y);
    // Moves the item; with moveParticles its live particles move with it.
    void SetPosition(float x, float y, bool moveParticles);
    // f: the fraction of a game update that has passed.
    virtual void Move(float f);
    // Once per game update (10 ms): emission, then the particles age.
    virtual void Tick();
    virtual void Draw(Kavo::Graphics& g);

    // How far through its cycle the clock is; 0 for a cycle of no length.
    float CycleFraction() const;

    TrEmitterDesc mDesc;
    float mClock = 0;
    float mDuration = 2.0f;
    float mClockStep = 0.01f;
    float mX = 0;
    float mY = 0;
    std::vector<TrParticle> mParticles; // oldest first
    bool mDone = false;
    int mBirthCounter = 0;   // the edge or half of the next outline birth
    float mAngleStep = 0;    // of the fan of "UseDeltaAngle"
    TrLine* mLine = nullptr; // owned by the scene
    bool mMoveParticles = false;

private:
    void Emit(float f);
    void Bear(TrParticle& p, float f);
    void PlaceOnShape(TrParticle& p, int w, int h) const;
    void Age(TrParticle& p);
    void DrawParticle(Kavo::Graphics& g, const TrParticle& p, bool hardware3D) const;
};

} // namespace Game
