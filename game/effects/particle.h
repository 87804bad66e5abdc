#pragma once
// The smallest effect: one sprite that flies ballistically, fades out at a
// fixed rate and is done once faded. It shows the cels of its image's first
// row in turn.

#include "framework/util/color.h"
#include "framework/util/rect.h"
#include "game/ui/effect_base.h"

namespace Kavo {
class Image;
} // namespace Kavo

namespace Game {

class Particle : public EffectBase {
public:
    // Velocities and gravity are in pixels per game update; the image is
    // not owned.
    Particle(float velocityX, float velocityY, float gravity, Kavo::Image* image);

    using EffectBase::Update;
    void Draw(Kavo::Graphics* g) override;
    // f: the fraction of a game update that has passed.
    void Update(float f) override;
    bool IsDone() override { return mAlpha <= 0; }

    float mVelocityX;
    float mVelocityY;
    float mGravity;
    float mX = 0; // top-left corner when unscaled, the translation when scaled
    float mY = 0;
    float mFade = 3.0f; // alpha lost per update
    int mCel = 0;
    float mAlpha = 255.0f;
    int mUpdateCount = 0;
    Kavo::Image* mImage;
    Kavo::Color mColor{0, 0, 0, 255}; // the tint; its alpha is rewritten on every draw
    float mScale = 1.0f;
    int mAdditive = 1;

protected:
    // Moves and fades; false (and nothing changes) once faded.
    bool Step(float f);
    // Draws `source` of the image tinted at `alpha`; a scaled sprite is
    // drawn `scaledDraws` times with 3D hardware.
    void DrawSprite(Kavo::Graphics* g, const Kavo::IntRect& source, int alpha, int scaledDraws);
};

// A particle that shows one fixed rectangle of its image and is drawn by its
// owner with an extra alpha factor.
class RectParticle : public Particle {
public:
    RectParticle(float velocityX, float velocityY, float gravity, Kavo::Image* image, const Kavo::IntRect& source);

    // Drawn only through the form with the owner's factor.
    void Draw(Kavo::Graphics*) override {}
    void Update(float f) override { Step(f); }
    // factor: 0..255, scales the particle's alpha.
    void Draw(Kavo::Graphics* g, float factor);

    Kavo::IntRect mSource;
};

} // namespace Game
