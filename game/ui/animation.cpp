#include "game/ui/animation.h"

#include "engine/base/string_tools.h"
#include "framework/graphics/color_space.h"
#include "framework/graphics/graphics.h"
#include "game/ui/image_desc.h"
#include "game/ui/image_desc_cache.h"
#include "game/ui/ini_document.h"
#include "platform/crt_random.h"

#include <cstdio>
#include <cstdlib>

namespace Game {

namespace {

// Every list is read by the current frame, which a "StartFrame" beyond the
// frames or lists shorter than the frame count can put outside a list.
template <typename T>
bool InList(const std::vector<T>& list, int index) {
    return index >= 0 && static_cast<size_t>(index) < list.size();
}

int ReadInt(const std::string& piece) {
    int value = 0;
    return std::sscanf(piece.c_str(), "%d", &value) == 1 ? value : 0;
}

bool IsUnset(const Kavo::Color& c) {
    return c.mRed == 0 && c.mGreen == 0 && c.mBlue == 0 && c.mAlpha == 0;
}

bool SameRgb(const Kavo::Color& a, const Kavo::Color& b) {
    return a.mRed == b.mRed && a.mGreen == b.mGreen && a.mBlue == b.mBlue;
}

} // namespace

Animation::~Animation() = default;

void Animation::LoadFile(const std::string& path) {
    IniDocument doc;
    doc.Load(path, true);
    if (doc.GetSectionCount() == 0)
        return;
    IniSection& main = *doc.GetSection("Main");
    const std::string spriteName = main.GetString("Sprite");
    IniSection empty;
    const IniSection& sprite = doc.HasSection(spriteName) ? *doc.GetSection(spriteName) : empty;
    Load(main, sprite, path);
}

void Animation::Load(const IniSection& main, const IniSection& sprite, const std::string& path) {
    mFrames.clear();
    mDelays.clear();
    mX = main.GetFloat("X", 0);
    mY = main.GetFloat("Y", 0);
    mNeverEnding = main.GetInt("NeverEnding", 1) == 1;
    mStayOnLast = main.GetInt("StayOnLast", 0) == 1;

    if (sprite.GetKeyCount() != 0) {
        SetImageDesc(GetImageDescBySection(path, sprite, true, true));
    } else {
        const std::string name = main.GetString("Sprite");
        if (!name.empty())
            SetImageDescByName(name);
        else
            SetImageDesc(nullptr);
    }

    std::vector<std::string> pieces;
    com_string::Split(main.GetString("Frames").c_str(), ',', pieces);
    for (const std::string& piece : pieces)
        mFrames.push_back(ReadInt(piece));
    mFrameCount = static_cast<int>(mFrames.size());

    main.GetIntList("FrameDelays", "FrameDelay", mDelays, 0, mFrameCount);
    main.GetFloatList("Scales", "Scale", mScales, 1.0f, mFrameCount);

    if (main.HasKey("RandomAngle"))
        mAngle = static_cast<float>(platform::CrtRand() % 32768) * 0.00019165624591230046f;

    if (!main.HasKey("UseDeltaAngle")) {
        mAngleStepDivisor = 0;
        main.GetFloatList("Angles", "Angle", mAngles, 0.0f, mFrameCount);
    } else {
        mAngleStepDivisor = main.GetInt("UseDeltaAngle", 1);
        const float sign = mAngleStepDivisor > 0 ? 1.0f : mAngleStepDivisor < 0 ? -1.0f : 0.0f;
        mAngles.assign(static_cast<size_t>(mFrameCount), 0.0f);
        for (int i = 0; i < mFrameCount; ++i) {
            if (i == 0) {
                mAngles[0] = main.GetFloat("Angle", 0);
                continue;
            }
            float angle = mAngles[i - 1] + (360.0f / static_cast<float>(mFrameCount)) * sign;
            if (angle > 360.0f)
                angle -= 360.0f;
            mAngles[i] = angle;
        }
    }
    for (float& angle : mAngles)
        angle *= 0.017453292f;

    mAdditive = main.GetInt("DrawAdditive", 0) == 1;

    mColors.clear();
    if (main.HasKey("StartColor")) {
        mStartColor = Kavo::Color(static_cast<int>(main.GetHex("StartColor", 0)));
        mEndColor = Kavo::Color(static_cast<int>(main.GetHex("EndColor", 0)));
        mColors = {mStartColor, mEndColor, mStartColor};
        mColorPeriod = main.GetInt("ColorDelay", 0);
    } else {
        com_string::Split(main.GetString("Colors").c_str(), ',', pieces);
        if (pieces.empty()) {
            const unsigned color = main.GetHex("Color", 0);
            if (color != 0)
                mColors.assign(static_cast<size_t>(mFrameCount), Kavo::Color(static_cast<int>(color)));
        } else {
            mColors.assign(static_cast<size_t>(mFrameCount), Kavo::Color());
            for (size_t i = 0; i < pieces.size() && i < mColors.size(); ++i)
                mColors[i] = Kavo::Color(static_cast<int>(std::atoi(pieces[i].c_str())));
        }
    }

    mStartFrame = main.GetInt("StartFrame", 0);
    Refresh();
}

void Animation::SetImageDescByName(const std::string& name) {
    SetImageDesc(GetImageDescByName(name, true, true));
}

void Animation::SetImageDesc(ImageDesc* desc) {
    mOwnedDesc.reset();
    mImageDesc = desc;
}

void Animation::SetOwnedImageDesc(std::unique_ptr<ImageDesc> desc) {
    mImageDesc = desc.get();
    mOwnedDesc = std::move(desc);
}

void Animation::SetPosition(int x, int y) {
    SetPosition(static_cast<float>(x), static_cast<float>(y));
}

void Animation::SetPosition(float x, float y) {
    mX = x;
    mY = y;
    Refresh();
}

void Animation::SetColor(const Kavo::Color& color) {
    for (Kavo::Color& entry : mColors)
        entry = color;
    mCurrentColor = color;
}

void Animation::Restart() {
    mTick = 0;
    mCurrentFrame = mStartFrame;
    mHeld = false;
    mDone = false;
    mFrameTick = 0;
    Refresh();
}

void Animation::Assign(const Animation& other) {
    mDone = other.mDone;
    mHeld = other.mHeld;
    if (other.mOwnedDesc != nullptr) {
        // Sharing another animation's own description would outlive it.
        auto copy = std::make_unique<ImageDesc>(*other.mOwnedDesc);
        SetOwnedImageDesc(std::move(copy));
    } else {
        SetImageDesc(other.mImageDesc);
    }
    mX = other.mX;
    mY = other.mY;
    Refresh();
    mLayer = other.mLayer;
    mAdditive = other.mAdditive;
    mAngleStepDivisor = other.mAngleStepDivisor;
    mStartColor = other.mStartColor;
    mEndColor = other.mEndColor;
    mCurrentColor = other.mCurrentColor;
    mAlpha = other.mAlpha;
    mColorPeriod = other.mColorPeriod;
    mStartFrame = other.mStartFrame;
    mStayOnLast = other.mStayOnLast;
    mFinishedOnLast = other.mFinishedOnLast;
    mTransform = other.mTransform;
    mFrameTick = other.mFrameTick;
    mTick = other.mTick;
    mAngle = other.mAngle;
    mScale = other.mScale;
    mCurrentFrame = other.mCurrentFrame;
    mColors = other.mColors;
    mFrames = other.mFrames;
    mDelays = other.mDelays;
    mScales = other.mScales;
    mAngles = other.mAngles;
    mFrameCount = other.mFrameCount;
    mNeverEnding = other.mNeverEnding;
    mCentered = other.mCentered;
    mLifeTime = other.mLifeTime;
}

int Animation::CurrentDelay() const {
    const int delay = InList(mDelays, mCurrentFrame) ? mDelays[static_cast<size_t>(mCurrentFrame)] : 1;
    return delay > 0 ? delay : 1;
}

void Animation::Update() {
    if (mHeld || mDone || mFrames.empty())
        return;
    ++mTick;
    ++mFrameTick;
    if (mLifeTime != 0 && static_cast<float>(mTick) >= mLifeTime) {
        mDone = true;
        return;
    }
    const int delay = InList(mDelays, mCurrentFrame) ? mDelays[static_cast<size_t>(mCurrentFrame)] : 0;
    if (mFrameTick >= delay) {
        mFrameTick = 0;
        ++mCurrentFrame;
        if (mCurrentFrame >= mFrameCount) {
            if (mStayOnLast) {
                mCurrentFrame = mFrameCount - 1;
                mFinishedOnLast = true;
            } else if (!mNeverEnding) {
                mDone = true;
                mCurrentFrame = mFrameCount - 1;
            } else {
                mCurrentFrame = 0;
            }
        }
    }
    if (!mDone)
        UpdateColor();
    Refresh();
}

void Animation::UpdateColor() {
    const bool cycles = mColorPeriod != 0 && !(mStartColor == Kavo::Color(0)) && !mFinishedOnLast;
    if (!cycles) {
        if (InList(mColors, mCurrentFrame))
            mCurrentColor = mColors[static_cast<size_t>(mCurrentFrame)];
        return;
    }
    // Two segments over the three colours; a period below 2 has no segment
    // to cycle through, and the last step of an odd one stays in segment 1.
    if (mColorPeriod < 2 || mColors.size() < 3)
        return;
    const int half = mColorPeriod / 2;
    const int phase = mTick % mColorPeriod;
    int segment = phase / half;
    if (segment > 1)
        segment = 1;
    const float t = static_cast<float>(mTick % half) / (static_cast<float>(mColorPeriod) * 0.5f);
    const Kavo::Color& from = mColors[static_cast<size_t>(segment)];
    const Kavo::Color& to = mColors[static_cast<size_t>(segment) + 1];
    Kavo::Color result = from;
    if (!SameRgb(from, to)) {
        const uint32_t a = Kavo::RgbToHsl(from.mRed, from.mGreen, from.mBlue);
        const uint32_t b = Kavo::RgbToHsl(to.mRed, to.mGreen, to.mBlue);
        auto mix = [t](uint32_t x, uint32_t y, int shift) {
            const int p = static_cast<int>((x >> shift) & 0xFF);
            const int q = static_cast<int>((y >> shift) & 0xFF);
            return static_cast<int>(static_cast<float>(p) + static_cast<float>(q - p) * t);
        };
        const uint32_t rgb = Kavo::HslToRgb(mix(a, b, 0), mix(a, b, 8), mix(a, b, 16));
        result = Kavo::Color(static_cast<int>(rgb & 0xFFFFFF), 255);
    }
    result.mAlpha = static_cast<int>(static_cast<float>(from.mAlpha) + static_cast<float>(to.mAlpha - from.mAlpha) * t);
    mCurrentColor = result;
}

void Animation::Refresh() {
    if (mDone)
        return;
    mTransform.Reset();
    const int delay = CurrentDelay();
    if (mScales.size() > 1 && InList(mScales, mCurrentFrame)) {
        const size_t cur = static_cast<size_t>(mCurrentFrame);
        const float next = mScales[(cur + 1) % mScales.size()];
        mScale = mScales[cur] + (next - mScales[cur]) / static_cast<float>(delay) * static_cast<float>(mFrameTick);
    }
    if (mScale != 1.0f)
        mTransform.Scale(mScale, mScale);
    if (mAngles.size() > 1 && mFrameCount > 0) {
        const int divisor = mAngleStepDivisor < 0 ? -mAngleStepDivisor : mAngleStepDivisor;
        const float step = divisor != 0 ? 360.0f / static_cast<float>(mFrameCount) / static_cast<float>(delay) /
                                              static_cast<float>(divisor)
                                        : 0.0f;
        if (mAngleStepDivisor >= 1) {
            mAngle += step;
        } else if (mAngleStepDivisor <= -1) {
            mAngle -= step;
        } else if (InList(mAngles, mCurrentFrame)) {
            const size_t cur = static_cast<size_t>(mCurrentFrame);
            const size_t nextIndex = (cur + 1) % static_cast<size_t>(mFrameCount);
            const float next = nextIndex < mAngles.size() ? mAngles[nextIndex] : mAngles[cur];
            mAngle = mAngles[cur] + (next - mAngles[cur]) / static_cast<float>(delay) * static_cast<float>(mFrameTick);
        }
    }
    if (mAngle != 0)
        mTransform.RotateRad(mAngle);
    mTransform.Translate(mX, mY);
}

void Animation::Draw(Kavo::Graphics* g) {
    DrawFrame(g, false);
}

void Animation::DrawOverlay(Kavo::Graphics* g) {
    DrawFrame(g, true);
}

void Animation::DrawFrame(Kavo::Graphics* g, bool transformed) {
    if (mImageDesc == nullptr || mDone)
        return;
    if (!mFrames.empty()) {
        if (!InList(mFrames, mCurrentFrame))
            return;
        mImageDesc->SetCurrentRect(mFrames[static_cast<size_t>(mCurrentFrame)]);
    }
    g->PushState();
    g->SetDrawMode(mAdditive ? Kavo::Graphics::DRAWMODE_ADDITIVE : Kavo::Graphics::DRAWMODE_NORMAL);
    if (!IsUnset(mCurrentColor) || mAlpha != 255.0f) {
        Kavo::Color tint = Kavo::Color(255, 255, 255, static_cast<int>(mAlpha));
        if (!IsUnset(mCurrentColor)) {
            tint = mCurrentColor;
            tint.mAlpha = static_cast<int>(static_cast<float>(mCurrentColor.mAlpha) * mAlpha * 0.003921569f);
        }
        g->SetColor(tint);
        g->SetColorizeImages(true);
    } else {
        g->SetColorizeImages(false);
    }
    if (transformed)
        mImageDesc->DrawTransformed(g, mTransform);
    else
        mImageDesc->Draw(g, mX, mY, mCentered);
    g->SetColorizeImages(false);
    g->PopState();
}

} // namespace Game
