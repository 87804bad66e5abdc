#include "framework/util/lazy_transform.h"

namespace Kavo {

void LazyTransform::MakeComplex() {
    GetMatrix();
    mComplex = true;
}

void LazyTransform::Translate(float tx, float ty) {
    if (mComplex) {
        mMatrix.Translate(tx, ty);
        return;
    }
    mNeedCalcMatrix = true;
    if (!mHaveRot && !mHaveScale) {
        mTransX1 += tx;
        mTransY1 += ty;
    } else {
        mTransX2 += tx;
        mTransY2 += ty;
    }
}

void LazyTransform::RotateRad(float angle) {
    if (mComplex) {
        mMatrix.RotateRad(angle);
        return;
    }
    if (mHaveScale) {
        MakeComplex();
        mMatrix.RotateRad(angle);
        return;
    }
    mNeedCalcMatrix = true;
    mHaveRot = true;
    mRot += angle;
}

void LazyTransform::Scale(float sx, float sy) {
    if (mComplex) {
        mMatrix.Scale(sx, sy);
        return;
    }
    // A pure horizontal mirror keeps the simple form as scale x = -1.
    if (!mHaveRot && mTransX1 == 0 && mTransY1 == 0 && (sx >= 0 || sx * mScaleX == -1.0f) && sy >= 0) {
        mNeedCalcMatrix = true;
        mHaveScale = true;
        mScaleX *= sx;
        mScaleY *= sy;
        return;
    }
    MakeComplex();
    mMatrix.Scale(sx, sy);
}

const Matrix3x3& LazyTransform::GetMatrix() {
    if (mComplex || !mNeedCalcMatrix)
        return mMatrix;
    mNeedCalcMatrix = false;
    mMatrix.LoadIdentity();
    mMatrix.m[0][2] = mTransX1;
    mMatrix.m[1][2] = mTransY1;
    if (mHaveScale) {
        mMatrix.m[0][0] = mScaleX;
        mMatrix.m[1][1] = mScaleY;
    } else if (mHaveRot) {
        mMatrix.RotateRad(mRot);
    }
    if (mTransX2 != 0 || mTransY2 != 0)
        mMatrix.Translate(mTransX2, mTransY2);
    return mMatrix;
}

} // namespace Kavo
