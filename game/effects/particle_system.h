#pragma once
// A free-standing emitter of textured particles described by an ini file
// (section "Default"). Each particle is born between the system's previous
// and current location (or in a rectangle or ellipse around it), flies off
// inside a cone, is pulled by gravity and by radial and tangential
// accelerations about the centre, and moves its size, spin and colour
// linearly from a randomised start to a fixed end over its own lifetime.
//
// The owner fires it with MoveTo, calls Update(elapsed) every game update
// and Draw every frame. It is done once a finite emission has ended, while
// its last particles may still be in flight.

#include "framework/util/rect.h"
#include "game/effects/particle_rect_counter.h"
#include "game/ui/effect_base.h"

#include <array>
#include <string>
#include <vector>

namespace Kavo {
class Image;
} // namespace Kavo

namespace Game {

class IniSection;

struct ColorF {
    float r = 0;
    float g = 0;
    float b = 0;
    float a = 0;
};

struct ParticleState {
    float x = 0;
    float y = 0;
    float velocityX = 0;
    float velocityY = 0;
    float gravity = 0;
    float radialAccel = 0;
    float tangentialAccel = 0;
    float spin = 0;
    float spinDelta = 0;
    float size = 0;
    float sizeDelta = 0;
    ColorF color;
    ColorF colorDelta;
    float age = 0;
    float terminalAge = 0;
    Kavo::IntRect source;
};

class ParticleSystem : public EffectBase {
public:
    static constexpr int kMaxParticles = 500;
    static constexpr float kStopped = -2.0f;
    static constexpr float kEndless = -1.0f;

    // Defaults, then Load(path, "Default"); a failed load keeps the
    // defaults without an image. updateRate: simulation steps per second;
    // 0 or less simulates by the elapsed time.
    ParticleSystem(const std::string& path, float updateRate);
    ~ParticleSystem() override;
    ParticleSystem(const ParticleSystem&) = delete;
    ParticleSystem& operator=(const ParticleSystem&) = delete;

    // False when the file yields no sections or lacks the section; the
    // values read so far stay.
    bool Load(const std::string& path, const std::string& sectionName);
    // Puts the system at (x, y) and fires it; live particles fly on.
    void MoveTo(float x, float y);
    using EffectBase::Update;
    // elapsed: hundredths of a second. At most one step runs per call;
    // surplus whole steps are dropped.
    void Update(float elapsed) override;
    // One step of dt seconds.
    void Simulate(float dt);
    void Draw(Kavo::Graphics* g) override;
    bool IsDone() override { return mAge == kStopped; }

    int GetLiveCount() const { return mLiveCount; }
    const ParticleState& GetParticle(int index) const { return mParticles[static_cast<size_t>(index)]; }

    Kavo::Image* mImage = nullptr;
    std::string mImageName;
    int mEmission = 50; // particles per second
    float mLifetime = kEndless;
    float mParticleLifeMin = 1.0f;
    float mParticleLifeMax = 3.0f;
    float mDirection = 3.1415927f; // radians; 0 points up, clockwise on screen
    float mSpread = 3.1415927f;    // full width of the cone
    bool mRelative = false;        // the cone turns with the last move
    float mSpeedMin = 1.0f;        // pixels per step
    float mSpeedMax = 1.0f;
    float mGravityMin = 0;
    float mGravityMax = 0;
    float mRadialAccelMin = 0;
    float mRadialAccelMax = 0;
    float mTangentialAccelMin = 0;
    float mTangentialAccelMax = 0;
    float mSizeStart = 1.0f;
    float mSizeEnd = 1.0f;
    float mSizeVar = 0.5f;
    float mSpinStart = 0;
    float mSpinEnd = 0;
    float mSpinVar = 0;
    // White and opaque until a description names colours.
    std::vector<ColorF> mStartColors{{1.0f, 1.0f, 1.0f, 1.0f}};
    std::vector<ColorF> mEndColors{{1.0f, 1.0f, 1.0f, 1.0f}};
    float mColorVar = 0.5f;
    float mAlphaVar = 0.5f;
    int mDrawMode = 0; // 1 additive
    std::vector<Kavo::IntRect> mTextureRects;
    bool mUseRandomRect = true;
    bool mOwnsImage = false;
    float mSizeX = 0;
    float mSizeY = 0;
    int mAppearMode = 0; // 0 along the move, 1 rectangle, 2 ellipse
    float mFixedStep = 0;
    float mStepAccumulator = 0;
    float mAge = kStopped;
    float mEmissionResidue = 0;
    float mPreviousX = 0;
    float mPreviousY = 0;
    float mX = 0;
    float mY = 0;

private:
    void ReleaseImage();
    void LoadImage(const std::string& name);
    void ReadColors(const IniSection& section);
    void ReadTextureRects(const IniSection& section);
    void Emit(ParticleState& p);
    void PlaceNewParticle(ParticleState& p);
    Kavo::IntRect PickSource();

    int mLiveCount = 0;
    std::array<ParticleState, kMaxParticles> mParticles{};
    ParticleRectCounter mOwnRectCounter; // when the run installed none
};

} // namespace Game
