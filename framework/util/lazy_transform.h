#pragma once

#include "framework/util/matrix.h"

namespace Kavo {

// A 2D transform that stays a translate/rotate/scale description for as
// long as it can, so that drawing can pick a cheaper path than a matrix.
class LazyTransform {
public:
    Matrix3x3 mMatrix;
    bool mNeedCalcMatrix = true;
    bool mComplex = false; // the transform lives in the matrix only
    bool mHaveRot = false;
    bool mHaveScale = false;
    float mTransX1 = 0, mTransY1 = 0;
    float mTransX2 = 0, mTransY2 = 0;
    float mScaleX = 1.0f, mScaleY = 1.0f;
    float mRot = 0;

    LazyTransform() = default;
    void Reset() { *this = LazyTransform(); }

    void Translate(float tx, float ty);
    void RotateRad(float angle);
    void Scale(float sx, float sy);
    const Matrix3x3& GetMatrix();

private:
    void MakeComplex();
};

} // namespace Kavo
