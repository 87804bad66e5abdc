#pragma once
// What one emitter of a trajectory scene does over its cycle, read from its
// "Item" section: flags, a source rectangle, curves over the cycle or a
// particle's life, and the colour keys.

#include "game/effects/tr_color_keys.h"
#include "game/effects/tr_curve.h"

#include <string>

namespace Kavo {
class Image;
} // namespace Kavo

namespace Game {

class IniSection;

class TrEmitterDesc {
public:
    // Every field from the section; missing keys take their defaults.
    void Load(const IniSection& section);

    Kavo::Image* mImage = nullptr;      // not owned (the scene holds it)
    Kavo::Image* mShapeImage = nullptr; // not owned
    int mTextureX = 0;
    int mTextureY = 0;
    int mTextureWidth = 0; // 0: the whole image
    int mTextureHeight = 0;
    int mShape = 0; // birth area: 0 box, 1 shape image, 2 box outline, 3 ellipse outline
    TrColorKeys mColor;
    bool mStartAll = false;
    bool mIntense = true;
    bool mNeverEnding = false;
    bool mUseDeltaAngle = false;
    bool mRandomFrame = false;
    int mStartFrame = 0;
    int mFrameDelay = 0;
    int mFramesCount = 1;
    int mPivotX = 0;
    int mPivotY = 0;
    bool mDrawAdditive = false;
    bool mFixSize = true;
    std::string mImageName;
    std::string mShapeName;
    TrCurve mLife;
    TrCurve mNumber;
    TrCurve mSize;
    TrCurve mVelocity;
    TrCurve mWeight;
    TrCurve mSpin;
    TrCurve mMotionRand;
    TrCurve mTangentAccel;
    TrCurve mLifeVar;
    TrCurve mNumberVar;
    TrCurve mSizeVar;
    TrCurve mVelocityVar;
    TrCurve mWeightVar;
    TrCurve mSpinVar;
    TrCurve mMotionRandVar;
    TrCurve mUnused; // a slot of the format that no key fills
    TrCurve mStartSpread;
    TrCurve mStartDirection;
    TrCurve mWidth;
    TrCurve mHeight;
    TrCurve mAlpha;
    TrCurve mTrajectorySpeed;
    TrCurve mEmissionRange;
    bool mFlipX = false;
    bool mFlipY = false;
    float mAngle = 0;
    int mAngleType = 0; // 0: mAngle, else a random start angle
    bool mDrawReverse = false;
};

} // namespace Game
