#pragma once
// A picture revealed in proportion to a value that moves toward a target by
// a step per update: the goal, money, rating and stage-count bars.

#include "framework/util/rect.h"
#include "game/ui/image_sprite.h"

#include <memory>

namespace Kavo {
class Graphics;
class Image;
} // namespace Kavo

namespace Game {

class EffectBase;
class ProgressBarListener;

class ProgressBar {
public:
    ProgressBar();
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    // `rect` is the part of the picture a full bar shows; a width of 0
    // takes the whole picture.
    void SetImage(Kavo::Image* image, const Kavo::IntRect& rect);
    // Immediate: shown and target value both become `value`. Otherwise the
    // bar moves toward `value` by the size of its step, the sign turned
    // toward it; an equal value settles at once and keeps the step's size.
    void SetValue(float value, bool immediate);
    void Update();
    // Advances the glint and drops it once it is done.
    void UpdateF(float fraction);
    void Draw(Kavo::Graphics* g);
    // A glint over the filled part (none while nothing is filled).
    void StartFade();

    // Pixels shown for the current value, at most the bar's length: the
    // value itself, or with a maximum above 0 its share of the length.
    int ComputeFill();
    // Where the filled part is drawn (valid after ComputeFill).
    float FillX() const { return mX; }
    float FillY() const;

    bool mVertical = true; // fills upward; else rightward
    float mX = 0;
    float mY = 0;
    int mFillLength = 0;
    float mOffsetY = 0;
    float mStep = 0;
    float mCurrent = 0;
    float mTarget = 0;
    // Above 0: current / maximum is the filled share of the length; else
    // the current value counts pixels.
    float mMaximum = 0;
    ImageSprite mSprite;
    Kavo::IntRect mSourceRect;
    std::unique_ptr<EffectBase> mChild;
    Kavo::IntRect mDrawRect;
    ProgressBarListener* mListener = nullptr;
};

} // namespace Game
