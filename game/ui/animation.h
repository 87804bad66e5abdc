#pragma once
// A frame animation read from an ".anim" file: frames (rectangles of one
// image description) with per-frame delays in update steps, and optional
// scaling, turning, tinting and a colour cycle while it runs. It does
// nothing until Restart.

#include "framework/util/color.h"
#include "framework/util/lazy_transform.h"
#include "game/ui/effect_base.h"
#include "game/ui/image_desc.h"

#include <memory>
#include <string>
#include <vector>

namespace Game {

class IniSection;

class Animation : public EffectBase {
public:
    Animation() = default;
    ~Animation() override;
    Animation(const Animation&) = delete;
    Animation& operator=(const Animation&) = delete;

    using EffectBase::Update;
    void Draw(Kavo::Graphics* g) override;
    void DrawOverlay(Kavo::Graphics* g) override;
    void Update() override;

    // A file without sections leaves the animation unchanged.
    virtual void LoadFile(const std::string& path);
    virtual void Load(const IniSection& main, const IniSection& sprite, const std::string& path);
    virtual bool IsHeld() { return mHeld; }
    virtual bool IsRunning() { return !mDone && !mHeld; }
    virtual void SetImageDescByName(const std::string& name);
    // Shares `desc` (the cache owns it); drops an owned description.
    virtual void SetImageDesc(ImageDesc* desc);
    virtual void SetPosition(int x, int y);
    virtual void SetPosition(float x, float y);
    virtual void Refresh();
    virtual void Restart();
    virtual void Stop() { mDone = true; }
    virtual void Assign(const Animation& other);

    // Takes a description of its own (an effect that changes one
    // animation's image works on a copy).
    void SetOwnedImageDesc(std::unique_ptr<ImageDesc> desc);
    // `color` for every frame that has a colour, and as the current colour.
    void SetColor(const Kavo::Color& color);
    ImageDesc* GetImageDesc() const { return mImageDesc; }
    bool OwnsImageDesc() const { return mOwnedDesc != nullptr; }

    bool mAdditive = false;
    int mAngleStepDivisor = 0;
    Kavo::Color mStartColor{0, 0, 0, 0};
    Kavo::Color mEndColor{0, 0, 0, 0};
    Kavo::Color mCurrentColor{0, 0, 0, 0};
    float mAlpha = 255.0f;
    int mColorPeriod = 0;
    int mStartFrame = 0;
    bool mStayOnLast = false;
    bool mFinishedOnLast = false;
    bool mHeld = true;
    Kavo::LazyTransform mTransform;
    float mX = 0;
    float mY = 0;
    int mFrameTick = 0;
    int mTick = 0;
    float mAngle = 0;
    float mScale = 1.0f;
    int mCurrentFrame = 0;
    std::vector<Kavo::Color> mColors;
    std::vector<int> mFrames;
    std::vector<int> mDelays;
    std::vector<float> mScales;
    std::vector<float> mAngles;
    int mFrameCount = 0;
    bool mNeverEnding = true;
    bool mCentered = true;
    float mLifeTime = 0;

protected:
    // The current frame's delay, at least 1 (a divisor).
    int CurrentDelay() const;
    void DrawFrame(Kavo::Graphics* g, bool transformed);
    void UpdateColor();

private:
    ImageDesc* mImageDesc = nullptr;
    std::unique_ptr<ImageDesc> mOwnedDesc;
};

} // namespace Game
