#include "game/effects/tr_item.h"

#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "framework/util/lazy_transform.h"
#include "framework/util/rect.h"
#include "game/board/board_random.h"
#include "game/effects/tr_motion_noise.h"
#include "game/ui/hardware_3d.h"
#include "game/ui/normalize_2d.h"
#include "platform/crt_random.h"

#include <algorithm>
#include <cmath>

namespace Game {

namespace {

constexpr double kOneOverRandMax = 1.0 / 32767.0;
constexpr float kHalfPi = 1.5707964f;
constexpr double kRandomAngleScale = 0.00019165624591230046; // 0 .. 6.28 from a draw
constexpr float kIntenseScale = 0.4f;
// A shape whose pixels are all skipped stops drawing after this many tries.
constexpr int kMaxShapeDraws = 1000;
// Birth boxes wider than this are held at it; the box arithmetic stays in int.
constexpr float kMaxBirthBox = 1.0e6f;

float RandomIn(float a, float b) {
    return static_cast<float>(a + (b - a) * platform::CrtRand() * kOneOverRandMax);
}

// Truncated towards zero and held within +-limit; 0 for no number.
long long TruncHeld(float value, float limit) {
    if (!(value == value))
        return 0;
    return static_cast<long long>(std::clamp(value, -limit, limit));
}

bool Finite(const TrParticle& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.size) && std::isfinite(p.angle);
}

} // namespace

void TrItem::Start(float x, float y) {
    mClock = 0;
    mDone = false;
    mBirthCounter = 0;
    mX = x;
    mY = y;
    mParticles.clear();
}

void TrItem::SetPosition(float x, float y, bool moveParticles) {
    if (moveParticles) {
        const float dx = x - mX;
        const float dy = y - mY;
        for (TrParticle& p : mParticles) {
            p.x += dx;
            p.y += dy;
        }
    }
    mX = x;
    mY = y;
}

float TrItem::CycleFraction() const {
    const float f = mClock / mDuration;
    return mDuration > 0 && std::isfinite(f) ? f : 0.0f;
}

void TrItem::Tick() {
    if (mDone)
        return;
    // A duration that is no number ends the cycle at once.
    bool overdue = !(mClock <= mDuration);
    if (!mDesc.mNeverEnding) {
        if (overdue && mParticles.empty()) {
            mClock = 0;
            mDone = true;
            return;
        }
    } else if (overdue) {
        mClock = 0;
        overdue = false;
    }
    if (!overdue)
        Emit(CycleFraction());
    for (TrParticle& p : mParticles)
        Age(p);
    mParticles.erase(
        std::remove_if(mParticles.begin(), mParticles.end(), [](const TrParticle& p) { return !(p.age < p.life); }),
        mParticles.end());
    mClock += mClockStep;
}

void TrItem::Emit(float f) {
    const long long most = std::max(0LL, TruncHeld(mDesc.mNumber.Evaluate(f), kMaxParticles));
    const float spread = mDesc.mNumberVar.Evaluate(f);
    long long target = TruncHeld(mDesc.mEmissionRange.Evaluate(f) * static_cast<float>(most), kMaxParticles) +
                       TruncHeld(RandomIn(-spread / 2, spread / 2), kMaxParticles);
    target = std::clamp(target, 0LL, most);
    const long long alive = static_cast<long long>(mParticles.size());
    if (alive > most) {
        mParticles.erase(mParticles.begin(), mParticles.begin() + (alive - most));
        return;
    }
    for (long long n = alive; n < target; ++n) {
        TrParticle p;
        Bear(p, f);
        mParticles.push_back(p);
    }
}

void TrItem::Bear(TrParticle& p, float f) {
    const float lifeSpread = mDesc.mLifeVar.Evaluate(f);
    p.life = mDesc.mLife.Evaluate(f) + RandomIn(-lifeSpread / 2, lifeSpread / 2);

    const int w = static_cast<int>(TruncHeld(mDesc.mWidth.Evaluate(f), kMaxBirthBox));
    const int h = static_cast<int>(TruncHeld(mDesc.mHeight.Evaluate(f), kMaxBirthBox));
    switch (mDesc.mShape) {
    case 0:
        p.x = mX + static_cast<float>(RandomInt(-w / 2, w / 2));
        p.y = mY + static_cast<float>(RandomInt(-h / 2, h / 2));
        PlaceOnShape(p, w, h);
        break;
    case 1:
        PlaceOnShape(p, w, h);
        break;
    case 2: {
        int dx = 0;
        int dy = 0;
        switch (mBirthCounter % 4) {
        case 0:
            dx = RandomInt(-w / 2, w / 2);
            dy = -h / 2;
            break;
        case 1:
            dx = w / 2;
            dy = RandomInt(-h / 2, h / 2);
            break;
        case 2:
            dx = RandomInt(-w / 2, w / 2);
            dy = h / 2;
            break;
        default:
            dx = -w / 2;
            dy = RandomInt(-h / 2, h / 2);
            break;
        }
        mBirthCounter = (mBirthCounter + 1) % 4;
        p.x = mX + static_cast<float>(dx);
        p.y = mY + static_cast<float>(dy);
        break;
    }
    case 3: {
        const int a = w / 2;
        const int b = h / 2;
        p.x = mX;
        p.y = mY;
        if (a == 0 || b == 0)
            break;
        const int dx = RandomInt(-a, a);
        const double ratio = static_cast<double>(dx) * dx / (static_cast<double>(a) * a);
        const double squared = std::trunc((1.0 - ratio) * static_cast<double>(b) * b);
        int dy = static_cast<int>(std::sqrt(std::max(0.0, squared)));
        if (mBirthCounter % 2 == 1)
            dy = -dy;
        mBirthCounter = (mBirthCounter + 1) % 2;
        p.x = mX + static_cast<float>(dx);
        p.y = mY + static_cast<float>(dy);
        break;
    }
    default: // a birth area the format does not know: the item itself
        p.x = mX;
        p.y = mY;
        break;
    }

    const float direction = mDesc.mStartDirection.Evaluate(f);
    float angle = 0;
    if (!mDesc.mUseDeltaAngle) {
        const float spread = mDesc.mStartSpread.Evaluate(f);
        angle =
            static_cast<float>(direction - kHalfPi + platform::CrtRand() * spread * kOneOverRandMax - spread * 0.5f);
    } else {
        if (mAngleStep == 0)
            mAngleStep = direction / mDesc.mNumber.Evaluate(f);
        angle = static_cast<float>(mParticles.size()) * mAngleStep;
    }
    const Vector2F d = Normalize2D(std::cos(angle), std::sin(angle));
    p.directionX = d.x;
    p.directionY = d.y;

    p.angle = mDesc.mAngleType == 0 ? mDesc.mAngle : static_cast<float>(platform::CrtRand() * kRandomAngleScale);
    p.frame = mDesc.mRandomFrame ? RandomIndex(std::max(1, mDesc.mFramesCount)) : 0;
    p.randomBit = RandomIndex(2);
    p.age = 0;
}

void TrItem::PlaceOnShape(TrParticle& p, int w, int h) const {
    auto* shape = dynamic_cast<Kavo::MemoryImage*>(mDesc.mShapeImage);
    // A shape of no size is no shape.
    if (shape == nullptr || shape->GetWidth() <= 0 || shape->GetHeight() <= 0)
        return;
    const int width = shape->GetWidth();
    const int height = shape->GetHeight();
    const std::uint32_t* bits = shape->GetBits();
    if (bits == nullptr)
        return;
    for (int draw = 0; draw < kMaxShapeDraws; ++draw) {
        const int px = RandomIndex(width);
        const int py = RandomIndex(height);
        const std::uint32_t pixel = bits[static_cast<size_t>(py) * static_cast<size_t>(width) + px];
        if ((pixel >> 24) != 0 || (pixel & 0xFF) == 0) {
            p.x = mX + std::trunc(static_cast<float>(px) / static_cast<float>(width) * static_cast<float>(w)) -
                  static_cast<float>(w / 2);
            p.y = mY + std::trunc(static_cast<float>(py) / static_cast<float>(height) * static_cast<float>(h)) -
                  static_cast<float>(h / 2);
            return;
        }
    }
    // Only skipped pixels: the particle starts on the item.
    p.x = mX;
    p.y = mY;
}

void TrItem::Age(TrParticle& p) {
    if (!(p.age < p.life))
        return;
    const float g = p.age / p.life;
    const int frames = std::max(1, mDesc.mFramesCount);
    if (p.frameCounter > mDesc.mFrameDelay) {
        p.frame = (p.frame + 1) % frames;
        p.frameCounter = 0;
    } else {
        ++p.frameCounter;
    }
    const float sizeSpread = mDesc.mSizeVar.Evaluate(g);
    p.size = mDesc.mSize.Evaluate(g) + RandomIn(-sizeSpread, sizeSpread);
    if (!(p.size >= 0))
        p.size = 0;
    p.angle += mDesc.mSpin.Evaluate(g);
    p.angle += std::sin(mDesc.mSpinVar.Evaluate(g));
    p.color = mDesc.mColor.Evaluate(g);
    p.color.mAlpha = static_cast<int>(TruncHeld(mDesc.mAlpha.Evaluate(g), 255.0f));
    if (p.color.mAlpha < 0)
        p.color.mAlpha = 0;
    p.age += mClockStep;
}

void TrItem::Move(float f) {
    for (TrParticle& p : mParticles) {
        const float g = p.age / p.life;
        const float weightSpread = mDesc.mWeightVar.Evaluate(g);
        const float weight = mDesc.mWeight.Evaluate(g) + RandomIn(-weightSpread / 2, weightSpread / 2);
        const float speed = mDesc.mVelocity.Evaluate(g);
        float noiseX = 0;
        float noiseY = 0;
        if (const float m = mDesc.mMotionRand.Evaluate(g); m != 0) {
            const float a = g * 6.28f;
            const float from = m * p.age;
            const float to = m * (p.age + mClockStep);
            noiseX = TrMotionNoise(from, to, 0) * std::cos(a) * 100.0f;
            noiseY = TrMotionNoise(from, to, 1) * std::sin(a) * 100.0f;
        }
        float tangentX = 0;
        float tangentY = 0;
        if (const float k = mDesc.mTangentAccel.Evaluate(g); k != 0) {
            const Vector2F d = Normalize2D(p.x - mX, p.y - mY);
            tangentX = -d.y * k;
            tangentY = d.x * k;
        }
        p.x += (speed * p.directionX + noiseX + tangentX) * f;
        p.y += (speed * p.directionY + weight + noiseY + tangentY) * f;
    }
}

void TrItem::Draw(Kavo::Graphics& g) {
    Kavo::Image* image = mDesc.mImage;
    if (image == nullptr)
        return;
    const Kavo::IntRect source(mDesc.mTextureX, mDesc.mTextureY, mDesc.mTextureWidth, mDesc.mTextureHeight);
    const bool inside = source.mX >= 0 && source.mY >= 0 && source.mWidth > 0 && source.mHeight > 0 &&
                        static_cast<long long>(source.mX) + source.mWidth <= image->GetWidth() &&
                        static_cast<long long>(source.mY) + source.mHeight <= image->GetHeight();
    if (!inside)
        return;
    const bool hardware3D = UsesHardware3D();
    g.PushState();
    g.SetColorizeImages(true);
    if (mDesc.mDrawReverse) {
        for (auto it = mParticles.rbegin(); it != mParticles.rend(); ++it)
            DrawParticle(g, *it, hardware3D);
    } else {
        for (const TrParticle& p : mParticles)
            DrawParticle(g, p, hardware3D);
    }
    g.PopState();
}

void TrItem::DrawParticle(Kavo::Graphics& g, const TrParticle& p, bool hardware3D) const {
    if (!Finite(p))
        return;
    Kavo::Image* image = mDesc.mImage;
    const Kavo::IntRect source(mDesc.mTextureX, mDesc.mTextureY, mDesc.mTextureWidth, mDesc.mTextureHeight);
    const auto draw = [&](Kavo::LazyTransform& transform) {
        if (hardware3D)
            g.DrawImageTransformF(image, transform, source, 0, 0);
        else
            g.DrawImageTransform(image, transform, source, 0, 0);
    };

    Kavo::LazyTransform transform;
    transform.Scale(p.size, p.size);
    transform.RotateRad(p.angle);
    transform.Translate(p.x, p.y);
    if (mDesc.mPivotX != 0 || mDesc.mPivotY != 0) {
        const float sin = std::sin(p.angle);
        const float cos = std::cos(p.angle);
        const float scale = mDesc.mFixSize ? p.size : 1.0f;
        transform.Translate((static_cast<float>(mDesc.mPivotY) * sin + static_cast<float>(mDesc.mPivotX) * cos) * scale,
                            (static_cast<float>(mDesc.mPivotY) * cos - static_cast<float>(mDesc.mPivotX) * sin) *
                                scale);
    }
    g.SetColor(p.color);
    g.SetDrawMode(mDesc.mDrawAdditive ? 1 : 0);
    draw(transform);

    if (mDesc.mIntense) {
        Kavo::LazyTransform core;
        core.Scale(kIntenseScale * p.size, kIntenseScale * p.size);
        core.RotateRad(p.angle);
        core.Translate(p.x, p.y);
        g.SetColor(Kavo::Color(255, 255, 255, p.color.mAlpha));
        g.SetDrawMode(1);
        draw(core);
    }
}

} // namespace Game
