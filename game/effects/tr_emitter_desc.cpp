#include "game/effects/tr_emitter_desc.h"

#include "game/ui/ini_section.h"

#include <cstdio>

namespace Game {

void TrEmitterDesc::Load(const IniSection& s) {
    const auto flag = [&s](const char* key, int defaultValue) { return s.GetInt(key, defaultValue) == 1; };
    mIntense = flag("Intense", 1);
    mShape = s.GetInt("Shape", 0);
    mFlipX = flag("FlipX", 0);
    mFlipY = flag("FlipY", 0);
    mAngle = s.GetFloat("Angle", 0.0f);
    mAngleType = s.GetInt("AngleType", 0);
    mStartAll = flag("StartAll", 0);
    mRandomFrame = flag("RandomFrame", 0);
    mStartFrame = s.GetInt("StartFrame", 0);
    mFrameDelay = s.GetInt("FrameDelay", 0);
    mFramesCount = s.GetInt("FramesCount", 1);
    mUseDeltaAngle = flag("UseDeltaAngle", 0);
    mDrawReverse = flag("DrawReverse", 0);
    mPivotX = s.GetInt("PivotX", 0);
    mPivotY = s.GetInt("PivotY", 0);
    mDrawAdditive = flag("DrawAdditive", 0);
    mFixSize = flag("FixSize", 1);
    mNeverEnding = flag("NeverEnding", 0);
    mImageName = s.GetString("Image", "");
    mShapeName = s.GetString("ShapeName", "");

    mTextureX = mTextureY = mTextureWidth = mTextureHeight = 0;
    const std::string rect = s.GetString("TextRect", "");
    std::sscanf(rect.c_str(), "%d,%d,%d,%d", &mTextureX, &mTextureY, &mTextureWidth, &mTextureHeight);

    const struct {
        const char* key;
        TrCurve& curve;
    } curves[] = {
        {"LIFE", mLife},
        {"NUMBER", mNumber},
        {"SIZE", mSize},
        {"VELOCITY", mVelocity},
        {"WEIGHT", mWeight},
        {"SPIN", mSpin},
        {"MOTION_RAND", mMotionRand},
        {"TANGENT_ACCEL", mTangentAccel},
        {"LIFE_VAR", mLifeVar},
        {"NUMBER_VAR", mNumberVar},
        {"SIZE_VAR", mSizeVar},
        {"VELOCITY_VAR", mVelocityVar},
        {"WEIGHT_VAR", mWeightVar},
        {"SPIN_VAR", mSpinVar},
        {"MOTION_RAND_VAR", mMotionRandVar},
        {"START_SPREAD", mStartSpread},
        {"START_DIRECTION", mStartDirection},
        {"WIDTH", mWidth},
        {"HEIGHT", mHeight},
        {"ALPHA", mAlpha},
        {"TRAJECTORY_SPEED", mTrajectorySpeed},
        {"EMISSION_RANGE", mEmissionRange},
    };
    for (const auto& c : curves)
        c.curve.Parse(s.GetString(c.key, ""));
    mColor.Parse(s.GetString("COLOR", ""));
}

} // namespace Game
