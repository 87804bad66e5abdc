#include "game/effects/particle.h"

#include "framework/graphics/graphics.h"
#include "framework/util/lazy_transform.h"
#include "game/ui/hardware_3d.h"

#include <cmath>

// Last: the tweakable macros are single letters.
#include "framework/util/mod_val.h"

namespace Game {

namespace {

// Updates between two cels; 0 or less never advances the cel.
int CelDelay() {
    return M(6);
}

bool HasCels(const Kavo::Image* image) {
    return image != nullptr && image->mNumCols > 0 && image->mNumRows > 0;
}

// Far off every screen (or not a number): not drawn, and never truncated to
// an int it does not fit.
bool IsDrawable(float x, float y) {
    constexpr float kFar = 1.0e9f;
    return std::fabs(x) < kFar && std::fabs(y) < kFar;
}

} // namespace

Particle::Particle(float velocityX, float velocityY, float gravity, Kavo::Image* image)
    : mVelocityX(velocityX), mVelocityY(velocityY), mGravity(gravity), mImage(image) {}

bool Particle::Step(float f) {
    if (mAlpha <= 0)
        return false;
    mVelocityY += f * mGravity;
    ++mUpdateCount;
    mX += f * mVelocityX;
    mY += f * mVelocityY;
    mAlpha -= mFade;
    return true;
}

void Particle::Update(float f) {
    if (!Step(f))
        return;
    const int delay = CelDelay();
    if (delay > 0 && mUpdateCount % delay == 0 && HasCels(mImage))
        mCel = (mCel + 1) % mImage->mNumCols;
}

void Particle::Draw(Kavo::Graphics* g) {
    if (mAlpha <= 0 || !HasCels(mImage))
        return;
    DrawSprite(g, mImage->GetCelRect(mCel), static_cast<int>(mAlpha), 1);
}

void Particle::DrawSprite(Kavo::Graphics* g, const Kavo::IntRect& source, int alpha, int scaledDraws) {
    if (!IsDrawable(mX, mY))
        return;
    g->PushState();
    g->SetColorizeImages(true);
    Kavo::Color tint = mColor;
    tint.mAlpha = alpha;
    g->SetColor(tint);
    g->SetDrawMode(mAdditive != 0 ? Kavo::Graphics::DRAWMODE_ADDITIVE : Kavo::Graphics::DRAWMODE_NORMAL);
    const bool hardware3D = UsesHardware3D();
    if (mScale != 1.0f) {
        Kavo::LazyTransform transform;
        transform.Scale(mScale, mScale);
        transform.Translate(mX, mY);
        for (int i = 0; i < (hardware3D ? scaledDraws : 1); ++i) {
            if (hardware3D)
                g->DrawImageTransformF(mImage, transform, source, 0, 0);
            else
                g->DrawImageTransform(mImage, transform, source, 0, 0);
        }
    } else if (hardware3D) {
        // Twice, for a stronger glow than the single draw of the software path.
        g->DrawImageF(mImage, mX, mY, source);
        g->DrawImageF(mImage, mX, mY, source);
    } else {
        g->DrawImage(mImage, static_cast<int>(mX), static_cast<int>(mY), source);
    }
    g->PopState();
}

RectParticle::RectParticle(float velocityX, float velocityY, float gravity, Kavo::Image* image,
                           const Kavo::IntRect& source)
    : Particle(velocityX, velocityY, gravity, image), mSource(source) {}

void RectParticle::Draw(Kavo::Graphics* g, float factor) {
    if (mAlpha <= 0 || mImage == nullptr)
        return;
    const int alpha = static_cast<int>(static_cast<float>(static_cast<int>(mAlpha)) * factor * 0.003921569f);
    DrawSprite(g, mSource, alpha, 2);
}

} // namespace Game
