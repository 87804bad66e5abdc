#include "game/effects/particle_system.h"

#include "engine/base/string_tools.h"
#include "framework/app/kavo_app_base.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "framework/util/lazy_transform.h"
#include "game/ui/hardware_3d.h"
#include "game/ui/ini_document.h"
#include "game/ui/normalize_2d.h"
#include "game/ui/resource_ids.h"
#include "platform/crt_random.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace Game {

namespace {

constexpr double kOneOverRandMax = 3.051850947599719e-05;
constexpr double kFourOverRandMax = 0.00012207403790398877;
constexpr float kHalfPi = 1.5707964f;
// Image resources below this id are bound at start-up and shared; a name of
// any later id is loaded from "images/" like a plain file name.
constexpr int kSharedImageIdLimit = 69;
// An ellipse birth point is drawn again while it falls outside; a bound, so
// that no rounding can keep the draw going.
constexpr int kMaxEllipseDraws = 1000;

float Rand01() {
    return static_cast<float>(platform::CrtRand() * kOneOverRandMax);
}

// a + (b - a) * rand() / 32767, in the order the description's values were
// tuned with.
float RandomIn(float a, float b) {
    const float span = (b - a) * static_cast<float>(platform::CrtRand());
    return static_cast<float>(a + span * kOneOverRandMax);
}

// An index below count from one draw.
size_t RandomIndex(size_t count) {
    const size_t index = static_cast<size_t>(platform::CrtRand() * static_cast<double>(count) * kOneOverRandMax);
    return index >= count ? 0 : index;
}

// A birth offset on one half-axis; 0 when the axis has no size.
float HalfExtent(float size) {
    const float half = size / 2;
    return std::isfinite(half) && half > 0 ? half : 0.0f;
}

// "x,y,w,h" as the description writes it: three commas, each right after a
// digit and neither first nor last, and four ints in range.
bool ParseRectText(const std::string& text, Kavo::IntRect& rect) {
    if (text.size() < 3)
        return false;
    int commas = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != ',')
            continue;
        ++commas;
        if (i < 1 || i > text.size() - 2 || !std::isdigit(static_cast<unsigned char>(text[i - 1])))
            return false;
    }
    if (commas != 3)
        return false;
    long values[4];
    const char* cursor = text.c_str();
    for (int i = 0; i < 4; ++i) {
        char* end = nullptr;
        errno = 0;
        values[i] = std::strtol(cursor, &end, 10);
        if (end == cursor || errno == ERANGE || values[i] < INT_MIN || values[i] > INT_MAX)
            return false;
        if (i < 3 && *end != ',')
            return false;
        cursor = end + 1;
    }
    rect = Kavo::IntRect(static_cast<int>(values[0]), static_cast<int>(values[1]), static_cast<int>(values[2]),
                         static_cast<int>(values[3]));
    return true;
}

// A colour channel of 0..1 as a byte; what lies outside is held at the ends.
int ChannelByte(float value) {
    const float scaled = value * 255.0f;
    if (!(scaled > 0))
        return 0;
    return scaled >= 255.0f ? 255 : static_cast<int>(scaled);
}

bool Finite(const ParticleState& p) {
    constexpr float kFar = 1.0e9f;
    return std::fabs(p.x) < kFar && std::fabs(p.y) < kFar && std::isfinite(p.size) && std::isfinite(p.spin * p.age);
}

} // namespace

ParticleSystem::ParticleSystem(const std::string& path, float updateRate) {
    // A rate of 0 or less (or none at all) simulates by the elapsed time.
    mFixedStep = updateRate > 0 && std::isfinite(1.0f / updateRate) ? 1.0f / updateRate : 0.0f;
    Load(path, "Default");
}

ParticleSystem::~ParticleSystem() {
    ReleaseImage();
}

void ParticleSystem::ReleaseImage() {
    if (mOwnsImage)
        delete mImage;
    mImage = nullptr;
    mOwnsImage = false;
}

bool ParticleSystem::Load(const std::string& path, const std::string& sectionName) {
    IniDocument document;
    document.Load(path, true);
    if (document.GetSectionCount() == 0 || !document.HasSection(sectionName))
        return false;
    const IniSection& s = *document.GetSection(sectionName);
    mEmission = s.GetInt("nEmission", mEmission);
    mLifetime = s.GetFloat("fLifetime", mLifetime);
    mParticleLifeMin = s.GetFloat("fParticleLifeMin", mParticleLifeMin);
    mParticleLifeMax = s.GetFloat("fParticleLifeMax", mParticleLifeMax);
    mDirection = s.GetFloat("fDirection", mDirection);
    mSpread = s.GetFloat("fSpread", mSpread);
    mRelative = s.GetInt("bRelative", mRelative ? 1 : 0) == 1;
    mSpeedMin = s.GetFloat("fSpeedMin", mSpeedMin);
    mSpeedMax = s.GetFloat("fSpeedMax", mSpeedMax);
    mGravityMin = s.GetFloat("fGravityMin", mGravityMin);
    mGravityMax = s.GetFloat("fGravityMax", mGravityMax);
    mRadialAccelMin = s.GetFloat("fRadialAccelMin", mRadialAccelMin);
    mRadialAccelMax = s.GetFloat("fRadialAccelMax", mRadialAccelMax);
    mTangentialAccelMin = s.GetFloat("fTangentialAccelMin", mTangentialAccelMin);
    mTangentialAccelMax = s.GetFloat("fTangentialAccelMax", mTangentialAccelMax);
    mSizeStart = s.GetFloat("fSizeStart", mSizeStart);
    mSizeEnd = s.GetFloat("fSizeEnd", mSizeEnd);
    mSizeVar = s.GetFloat("fSizeVar", mSizeVar);
    mSpinStart = s.GetFloat("fSpinStart", mSpinStart);
    mSpinEnd = s.GetFloat("fSpinEnd", mSpinEnd);
    mSpinVar = s.GetFloat("fSpinVar", mSpinVar);
    ReadColors(s);
    mColorVar = s.GetFloat("fColorVar", mColorVar);
    mAlphaVar = s.GetFloat("fAlphaVar", mAlphaVar);
    mDrawMode = s.GetInt("iDrawMode", mDrawMode) != 0 ? 1 : 0;
    mImageName = s.GetString("ImageFile", "particles.png");
    LoadImage(mImageName);
    mUseRandomRect = s.GetInt("bUseRandomRect", mUseRandomRect ? 1 : 0) == 1;
    ReadTextureRects(s);
    mSizeX = s.GetFloat("SizeX", mSizeX);
    mSizeY = s.GetFloat("SizeY", mSizeY);
    mAppearMode = s.GetInt("AppearMode", mAppearMode);
    return true;
}

void ParticleSystem::ReadColors(const IniSection& s) {
    mStartColors.clear();
    mEndColors.clear();
    if (s.HasKey("colColorStartR")) {
        mStartColors.push_back({s.GetFloat("colColorStartR", 1.0f), s.GetFloat("colColorStartG", 1.0f),
                                s.GetFloat("colColorStartB", 1.0f), s.GetFloat("colColorStartA", 1.0f)});
        mEndColors.push_back({s.GetFloat("colColorEndR", 1.0f), s.GetFloat("colColorEndG", 1.0f),
                              s.GetFloat("colColorEndB", 1.0f), s.GetFloat("colColorEndA", 1.0f)});
        return;
    }
    const auto readList = [&s](const char* key, std::vector<ColorF>& list) {
        std::vector<std::string> pieces;
        com_string::Split(s.GetString(key, "").c_str(), ';', pieces);
        for (const std::string& piece : pieces) {
            ColorF color;
            std::sscanf(piece.c_str(), "%f,%f,%f,%f", &color.r, &color.g, &color.b, &color.a);
            list.push_back(color);
        }
        // Nothing to pick from: the particles stay white and opaque.
        if (list.empty())
            list.push_back({1.0f, 1.0f, 1.0f, 1.0f});
    };
    readList("colColorStart", mStartColors);
    readList("colColorEnd", mEndColors);
}

void ParticleSystem::LoadImage(const std::string& name) {
    ReleaseImage();
    const int id = GetIdByStringId(name);
    if (id < kSharedImageIdLimit && GetResourceKind(id) == ResourceKind::Image) {
        mImage = GetImageResourceById(id);
        return;
    }
    if (Kavo::KavoAppBase* app = Kavo::gAppBase) {
        mImage = app->GetImage("images/" + name, true);
        mOwnsImage = mImage != nullptr;
    }
}

void ParticleSystem::ReadTextureRects(const IniSection& s) {
    mTextureRects.clear();
    char key[32];
    for (int i = 0;; ++i) {
        std::snprintf(key, sizeof(key), "TextureRect%d", i);
        const std::string text = s.GetString(key, "");
        if (text.empty())
            break;
        Kavo::IntRect r;
        if (mImage == nullptr || !ParseRectText(text, r))
            continue;
        const bool inside = r.mX >= 0 && r.mY >= 0 && r.mWidth > 0 && r.mHeight > 0 &&
                            static_cast<long long>(r.mX) + r.mWidth <= mImage->GetWidth() &&
                            static_cast<long long>(r.mY) + r.mHeight <= mImage->GetHeight();
        if (inside)
            mTextureRects.push_back(r);
    }
}

void ParticleSystem::MoveTo(float x, float y) {
    mPreviousX = mX = x;
    mPreviousY = mY = y;
    mStepAccumulator = 0;
    mAge = mLifetime == kEndless ? kEndless : 0.0f;
}

void ParticleSystem::Update(float elapsed) {
    const float dt = elapsed * 0.01f;
    if (mFixedStep == 0) {
        Simulate(dt);
        return;
    }
    mStepAccumulator += dt;
    if (!std::isfinite(mStepAccumulator))
        mStepAccumulator = 0;
    if (mStepAccumulator >= mFixedStep) {
        Simulate(mFixedStep);
        // The whole steps left over are dropped, only the fraction stays.
        mStepAccumulator = std::fmod(mStepAccumulator - mFixedStep, mFixedStep);
    }
}

void ParticleSystem::Simulate(float dt) {
    if (mAge >= 0) {
        mAge += dt;
        if (mAge >= mLifetime)
            mAge = kStopped;
    }
    for (int i = 0; i < mLiveCount;) {
        ParticleState& p = mParticles[static_cast<size_t>(i)];
        p.age += dt;
        if (!(p.age < p.terminalAge)) {
            --mLiveCount;
            p = mParticles[static_cast<size_t>(mLiveCount)];
            continue;
        }
        const Vector2F d = Normalize2D(p.x - mX, p.y - mY);
        const float radialX = d.x * p.radialAccel;
        const float radialY = d.y * p.radialAccel;
        const float tangentialX = -d.y * p.tangentialAccel;
        const float tangentialY = d.x * p.tangentialAccel;
        p.velocityX += (radialX + tangentialX) * dt;
        p.velocityY += (radialY + tangentialY) * dt;
        p.velocityY += p.gravity * dt;
        p.x += p.velocityX;
        p.y += p.velocityY;
        p.spin += p.spinDelta * dt;
        p.size += p.sizeDelta * dt;
        p.color.r += p.colorDelta.r * dt;
        p.color.g += p.colorDelta.g * dt;
        p.color.b += p.colorDelta.b * dt;
        p.color.a += p.colorDelta.a * dt;
        if (p.color.a < 0)
            p.color.a = 0;
        ++i;
    }
    if (mAge != kStopped) {
        // In float, as the descriptions were tuned: 50 x 0.02 is one whole particle.
        const float needed = static_cast<float>(mEmission) * dt + mEmissionResidue;
        const float whole = std::trunc(needed);
        mEmissionResidue = std::isfinite(needed) ? needed - whole : 0.0f;
        const float count = whole > 0 ? std::fmin(whole, static_cast<float>(kMaxParticles)) : 0.0f;
        for (int n = 0; n < static_cast<int>(count) && mLiveCount < kMaxParticles; ++n) {
            Emit(mParticles[static_cast<size_t>(mLiveCount)]);
            ++mLiveCount;
        }
    }
    mPreviousX = mX;
    mPreviousY = mY;
}

void ParticleSystem::PlaceNewParticle(ParticleState& p) {
    const float r = Rand01();
    const float px = mPreviousX + (mX - mPreviousX) * r;
    const float py = mPreviousY + (mY - mPreviousY) * r;
    float dx = 0;
    float dy = 0;
    switch (mAppearMode) {
    case 1:
        dx = RandomIn(-mSizeX / 2, mSizeX / 2);
        dy = RandomIn(-mSizeY / 2, mSizeY / 2);
        break;
    case 2: {
        const float a = HalfExtent(mSizeX);
        const float b = HalfExtent(mSizeY);
        for (int draw = 0; draw < kMaxEllipseDraws; ++draw) {
            dx = RandomIn(-a, a);
            dy = RandomIn(-b, b);
            const float u = a > 0 ? dx / a : 0.0f;
            const float v = b > 0 ? dy / b : 0.0f;
            if (u * u + v * v <= 1)
                break;
            dx = dy = 0;
        }
        break;
    }
    default: // 0, and any mode the description should not have used
        dx = static_cast<float>(platform::CrtRand() * kFourOverRandMax - 2);
        dy = static_cast<float>(platform::CrtRand() * kFourOverRandMax - 2);
        break;
    }
    p.x = px + dx;
    p.y = py + dy;
}

void ParticleSystem::Emit(ParticleState& p) {
    p.age = 0;
    p.terminalAge = RandomIn(mParticleLifeMin, mParticleLifeMax);
    // A particle without a lifetime dies at its first step and changes
    // nothing before: no division by a zero or meaningless age.
    const bool lives = std::isfinite(p.terminalAge) && p.terminalAge > 0;
    if (!lives)
        p.terminalAge = 0;
    const auto delta = [&p, lives](float change) { return lives ? change / p.terminalAge : 0.0f; };

    PlaceNewParticle(p);

    float angle = static_cast<float>(
        mDirection - kHalfPi + mSpread * static_cast<float>(platform::CrtRand()) * kOneOverRandMax - mSpread * 0.5f);
    if (mRelative)
        angle += std::atan2(mPreviousY - mY, mPreviousX - mX) + kHalfPi;
    const float speed = RandomIn(mSpeedMin, mSpeedMax);
    p.velocityX = std::cos(angle) * speed;
    p.velocityY = std::sin(angle) * speed;
    p.gravity = RandomIn(mGravityMin, mGravityMax);
    p.radialAccel = RandomIn(mRadialAccelMin, mRadialAccelMax);
    p.tangentialAccel = RandomIn(mTangentialAccelMin, mTangentialAccelMax);

    p.size = RandomIn(mSizeStart, mSizeStart + (mSizeEnd - mSizeStart) * mSizeVar);
    p.sizeDelta = delta(mSizeEnd - p.size);
    p.spin = RandomIn(mSpinStart, mSpinStart + (mSpinEnd - mSpinStart) * mSpinVar);
    p.spinDelta = delta(mSpinEnd - p.spin);

    const size_t s = RandomIndex(mStartColors.size());
    const size_t e = mEndColors.size() != mStartColors.size() ? RandomIndex(mEndColors.size()) : s;
    ColorF& start = mStartColors[s];
    ColorF& end = mEndColors[e];
    p.color.r = RandomIn(start.r, start.r + (end.r - start.r) * mColorVar);
    p.color.g = RandomIn(start.g, start.g + (end.g - start.g) * mColorVar);
    p.color.b = RandomIn(start.b, start.b + (end.b - start.b) * mColorVar);
    // A colour fading from or to nothing still shows a trace.
    if (start.a < 0.005f)
        start.a = 0.005f;
    if (end.a < 0.005f)
        end.a = 0.005f;
    p.color.a = RandomIn(start.a, start.a + (end.a - start.a) * mAlphaVar);
    p.colorDelta = {delta(end.r - p.color.r), delta(end.g - p.color.g), delta(end.b - p.color.b),
                    delta(end.a - p.color.a)};

    p.source = PickSource();
}

Kavo::IntRect ParticleSystem::PickSource() {
    if (mTextureRects.empty())
        return mImage != nullptr ? Kavo::IntRect(0, 0, mImage->GetWidth(), mImage->GetHeight()) : Kavo::IntRect();
    const int count = static_cast<int>(mTextureRects.size());
    if (mUseRandomRect)
        return mTextureRects[static_cast<size_t>(platform::CrtRand() % count)];
    std::shared_ptr<ParticleRectCounter> shared = ParticleRectCounterSlot().Get();
    ParticleRectCounter& counter = shared != nullptr ? *shared : mOwnRectCounter;
    return mTextureRects[static_cast<size_t>(counter.Next(count))];
}

void ParticleSystem::Draw(Kavo::Graphics* g) {
    if (mImage == nullptr)
        return;
    const bool colorize = g->GetColorizeImages();
    const int drawMode = g->GetDrawMode();
    g->SetColorizeImages(true);
    g->SetDrawMode(mDrawMode);
    const bool hardware3D = UsesHardware3D();
    for (int i = 0; i < mLiveCount; ++i) {
        const ParticleState& p = mParticles[static_cast<size_t>(i)];
        const Kavo::IntRect& r = p.source;
        const bool inside = r.mWidth > 0 && r.mHeight > 0 &&
                            static_cast<long long>(r.mX) + r.mWidth <= mImage->GetWidth() &&
                            static_cast<long long>(r.mY) + r.mHeight <= mImage->GetHeight();
        if (!inside || !Finite(p))
            continue;
        Kavo::LazyTransform transform;
        transform.Scale(p.size, p.size);
        const float rotation = p.spin * p.age;
        if (rotation != 0)
            transform.RotateRad(rotation);
        transform.Translate(p.x, p.y);
        g->SetColor(Kavo::Color(ChannelByte(p.color.r), ChannelByte(p.color.g), ChannelByte(p.color.b),
                                ChannelByte(p.color.a)));
        g->SetDrawMode(mDrawMode);
        if (hardware3D)
            g->DrawImageTransformF(mImage, transform, r, 0, 0);
        else
            g->DrawImageTransform(mImage, transform, r, 0, 0);
    }
    g->SetColorizeImages(colorize);
    g->SetDrawMode(drawMode);
}

} // namespace Game
