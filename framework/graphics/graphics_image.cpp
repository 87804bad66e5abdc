#include "framework/graphics/graphics.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace Kavo {

namespace {

IntRect WholeImage(const Image* image) {
    return IntRect(0, 0, image->mWidth, image->mHeight);
}

// A source rectangle that reaches outside its image draws nothing, on any
// side (sums in 64 bits so that huge rectangles cannot wrap around).
bool SourceInside(const Image* image, const IntRect& src) {
    if (src.mX < 0 || src.mY < 0 || src.mWidth < 0 || src.mHeight < 0)
        return false;
    return static_cast<int64_t>(src.mX) + src.mWidth <= image->mWidth &&
           static_cast<int64_t>(src.mY) + src.mHeight <= image->mHeight;
}

int CeilDiv(int value, int divisor) {
    return static_cast<int>(std::ceil(static_cast<double>(value) / divisor));
}

// A drawing position or size as whole pixels. Far past any screen (or not a
// number, from a damaged transform) it is held in the int range: converting
// such a float is undefined, and the clipping drops the drawing anyway.
int PixelOf(float value) {
    constexpr float kFar = 1 << 30;
    return std::isnan(value) ? 0 : static_cast<int>(std::clamp(value, -kFar, kFar));
}

} // namespace

void Graphics::DrawImage(Image* image, int x, int y) {
    DrawImage(image, x, y, WholeImage(image));
}

void Graphics::DrawImage(Image* image, int x, int y, const IntRect& srcRect) {
    if (!SourceInside(image, srcRect))
        return;
    const int destX = ToDestX(x);
    const int destY = ToDestY(y);

    if (mScaleX != 1.0f || mScaleY != 1.0f) {
        IntRect destRect(static_cast<int>(std::floor((destX - mScaleOrigX) * mScaleX) + mScaleOrigX),
                         static_cast<int>(std::floor((destY - mScaleOrigY) * mScaleY) + mScaleOrigY),
                         static_cast<int>(std::ceil(srcRect.mWidth * mScaleX)),
                         static_cast<int>(std::ceil(srcRect.mHeight * mScaleY)));
        mDestImage->StretchBlt(image, destRect, srcRect, mClipRect, Tint(), mDrawMode, mFastStretch);
        return;
    }

    IntRect dest = IntRect(destX, destY, srcRect.mWidth, srcRect.mHeight).Intersection(mClipRect);
    if (dest.mWidth < 1 || dest.mHeight < 1)
        return;
    IntRect src(srcRect.mX + dest.mX - destX, srcRect.mY + dest.mY - destY, dest.mWidth, dest.mHeight);
    mDestImage->Blt(image, dest.mX, dest.mY, src, Tint(), mDrawMode);
}

void Graphics::DrawImage(Image* image, const IntRect& destRect, const IntRect& srcRect) {
    IntRect dest(ToDestX(destRect.mX), ToDestY(destRect.mY), destRect.mWidth, destRect.mHeight);
    mDestImage->StretchBlt(image, dest, srcRect, mClipRect, Tint(), mDrawMode, mFastStretch);
}

void Graphics::DrawImageMirror(Image* image, int x, int y, const IntRect& srcRect, bool mirror) {
    if (!mirror) {
        DrawImage(image, x, y, srcRect);
        return;
    }
    if (!SourceInside(image, srcRect))
        return;
    const int destX = ToDestX(x);
    const int destY = ToDestY(y);
    IntRect dest = IntRect(destX, destY, srcRect.mWidth, srcRect.mHeight).Intersection(mClipRect);
    if (dest.mWidth < 1 || dest.mHeight < 1)
        return;
    // Cutting the left of the destination cuts the right of the source.
    IntRect src(srcRect.mX + srcRect.mWidth - (dest.mX - destX) - dest.mWidth, srcRect.mY + dest.mY - destY,
                dest.mWidth, dest.mHeight);
    mDestImage->BltMirror(image, dest.mX, dest.mY, src, Tint(), mDrawMode);
}

void Graphics::DrawImageMirror(Image* image, const IntRect& destRect, const IntRect& srcRect, bool mirror) {
    if (!mirror) {
        DrawImage(image, destRect, srcRect);
        return;
    }
    IntRect dest(ToDestX(destRect.mX), ToDestY(destRect.mY), destRect.mWidth, destRect.mHeight);
    mDestImage->StretchBltMirror(image, dest, srcRect, mClipRect, Tint(), mDrawMode, mFastStretch);
}

void Graphics::DrawImageF(Image* image, float x, float y) {
    DrawImageF(image, x, y, WholeImage(image));
}

void Graphics::DrawImageF(Image* image, float x, float y, const IntRect& srcRect) {
    mDestImage->BltF(image, x + mTransX, y + mTransY, srcRect, mClipRect, Tint(), mDrawMode);
}

void Graphics::DrawImageRotatedF(Image* image, float x, float y, double angle, float centerX, float centerY,
                                 const IntRect* srcRect) {
    IntRect src = srcRect != nullptr ? *srcRect : WholeImage(image);
    mDestImage->BltRotated(image, x + mTransX, y + mTransY, src, mClipRect, Tint(), mDrawMode, angle, centerX, centerY);
}

void Graphics::DrawImageRotatedF(Image* image, float x, float y, double angle, const IntRect* srcRect) {
    IntRect src = srcRect != nullptr ? *srcRect : WholeImage(image);
    DrawImageRotatedF(image, x, y, angle, src.mWidth * 0.5f, src.mHeight * 0.5f, srcRect);
}

void Graphics::DrawImageRotated(Image* image, int x, int y, double angle, int centerX, int centerY,
                                const IntRect* srcRect) {
    DrawImageRotatedF(image, static_cast<float>(x), static_cast<float>(y), angle, static_cast<float>(centerX),
                      static_cast<float>(centerY), srcRect);
}

void Graphics::DrawImageRotated(Image* image, int x, int y, double angle, const IntRect* srcRect) {
    IntRect src = srcRect != nullptr ? *srcRect : WholeImage(image);
    DrawImageRotated(image, x, y, angle, src.mWidth / 2, src.mHeight / 2, srcRect);
}

void Graphics::DrawImageMatrix(Image* image, const Matrix3x3& matrix, float x, float y) {
    DrawImageMatrix(image, matrix, x, y, WholeImage(image));
}

void Graphics::DrawImageMatrix(Image* image, const Matrix3x3& matrix, float x, float y, const IntRect& srcRect) {
    mDestImage->BltMatrix(image, x + mTransX, y + mTransY, matrix, mClipRect, Tint(), mDrawMode, srcRect, mLinearBlend);
}

void Graphics::DrawImageTransform(Image* image, LazyTransform& transform, float x, float y) {
    DrawImageTransformImpl(image, transform, WholeImage(image), x, y, false);
}

void Graphics::DrawImageTransform(Image* image, LazyTransform& transform, const IntRect& srcRect, float x, float y) {
    DrawImageTransformImpl(image, transform, srcRect, x, y, false);
}

void Graphics::DrawImageTransformF(Image* image, LazyTransform& transform, float x, float y) {
    DrawImageTransformImpl(image, transform, WholeImage(image), x, y, true);
}

void Graphics::DrawImageTransformF(Image* image, LazyTransform& transform, const IntRect& srcRect, float x, float y) {
    DrawImageTransformImpl(image, transform, srcRect, x, y, true);
}

void Graphics::DrawImageTransformImpl(Image* image, LazyTransform& transform, const IntRect& srcRect, float x, float y,
                                      bool floatForm) {
    const float halfWidth = srcRect.mWidth * 0.5f;
    const float halfHeight = srcRect.mHeight * 0.5f;

    // The 3D renderer draws every float transform as a matrix.
    if (transform.mComplex || (floatForm && IsDestination3D())) {
        DrawImageMatrix(image, transform.GetMatrix(), x, y, srcRect);
        return;
    }

    if (transform.mHaveRot) {
        float centerX = halfWidth - transform.mTransX1;
        float centerY = halfHeight - transform.mTransY1;
        float posX = x + transform.mTransX2 - centerX + 0.5f;
        float posY = y + transform.mTransY2 - centerY + 0.5f;
        if (floatForm)
            DrawImageRotatedF(image, posX, posY, transform.mRot, centerX, centerY, &srcRect);
        else
            DrawImageRotated(image, PixelOf(posX), PixelOf(posY), transform.mRot, PixelOf(centerX), PixelOf(centerY),
                             &srcRect);
        return;
    }

    float posX = x + transform.mTransX1 + transform.mTransX2 - halfWidth + 0.5f;
    float posY = y + transform.mTransY1 + transform.mTransY2 - halfHeight + 0.5f;
    if (!transform.mHaveScale) {
        if (floatForm)
            DrawImageF(image, posX, posY, srcRect);
        else
            DrawImage(image, PixelOf(posX), PixelOf(posY), srcRect);
        return;
    }

    if (transform.mScaleX == -1.0f && transform.mScaleY == 1.0f) {
        DrawImageMirror(image, PixelOf(posX), PixelOf(posY), srcRect, true);
        return;
    }

    float scaledHalfWidth = halfWidth * transform.mScaleX;
    float scaledHalfHeight = halfHeight * transform.mScaleY;
    IntRect destRect(PixelOf(x + transform.mTransX2 - scaledHalfWidth),
                     PixelOf(y + transform.mTransY2 - scaledHalfHeight), PixelOf(2 * scaledHalfWidth),
                     PixelOf(2 * scaledHalfHeight));
    DrawImageMirror(image, destRect, srcRect, transform.mScaleX == -1.0f);
}

void Graphics::DrawImageCel(Image* image, int x, int y, int col, int row) {
    if (col < 0 || col >= image->mNumCols || row < 0 || row >= image->mNumRows)
        return;
    DrawImage(image, x, y, image->GetCelRect(col, row));
}

void Graphics::DrawImageCel(const IntRect& destRect, Image* image, int col, int row) {
    if (col < 0 || col >= image->mNumCols || row < 0 || row >= image->mNumRows)
        return;
    DrawImage(image, destRect, image->GetCelRect(col, row));
}

void Graphics::DrawImageAnim(Image* image, int x, int y, int time) {
    int cel = image->mAnimInfo ? image->mAnimInfo->GetPerFrameCel(time) : 0;
    DrawImageCel(image, x, y, cel % image->mNumCols, cel / image->mNumCols);
}

void Graphics::DrawImageBox(const IntRect& destRect, Image* image) {
    DrawImageBox(WholeImage(image), destRect, image);
}

void Graphics::DrawImageBox(const IntRect& src, const IntRect& dest, Image* image) {
    if (src.mWidth <= 0 || src.mHeight <= 0)
        return;
    const int cw = src.mWidth / 3;
    const int ch = src.mHeight / 3;
    const int mw = src.mWidth - 2 * cw;
    const int mh = src.mHeight - 2 * ch;
    const int rightSrcX = src.mX + cw + mw;
    const int bottomSrcY = src.mY + ch + mh;
    const int rightX = dest.mX + dest.mWidth - cw;
    const int bottomY = dest.mY + dest.mHeight - ch;
    const int tilesAcross = CeilDiv(dest.mWidth - 2 * cw, mw);
    const int tilesDown = CeilDiv(dest.mHeight - 2 * ch, mh);

    DrawImage(image, dest.mX, dest.mY, IntRect(src.mX, src.mY, cw, ch));
    DrawImage(image, rightX, dest.mY, IntRect(rightSrcX, src.mY, cw, ch));
    DrawImage(image, dest.mX, bottomY, IntRect(src.mX, bottomSrcY, cw, ch));
    DrawImage(image, rightX, bottomY, IntRect(rightSrcX, bottomSrcY, cw, ch));

    // Edges and centre are tiled at their own size; the clip cuts the last tile.
    Graphics across(*this);
    across.ClipRect(dest.mX + cw, dest.mY, dest.mWidth - 2 * cw, dest.mHeight);
    for (int i = 0; i < tilesAcross; ++i) {
        int tileX = dest.mX + cw + i * mw;
        across.DrawImage(image, tileX, dest.mY, IntRect(src.mX + cw, src.mY, mw, ch));
        across.DrawImage(image, tileX, bottomY, IntRect(src.mX + cw, bottomSrcY, mw, ch));
    }

    Graphics down(*this);
    down.ClipRect(dest.mX, dest.mY + ch, dest.mWidth, dest.mHeight - 2 * ch);
    for (int j = 0; j < tilesDown; ++j) {
        int tileY = dest.mY + ch + j * mh;
        down.DrawImage(image, dest.mX, tileY, IntRect(src.mX, src.mY + ch, cw, mh));
        down.DrawImage(image, rightX, tileY, IntRect(rightSrcX, src.mY + ch, cw, mh));
    }

    Graphics centre(*this);
    centre.ClipRect(dest.mX + cw, dest.mY + ch, dest.mWidth - 2 * cw, dest.mHeight - 2 * ch);
    for (int i = 0; i < tilesAcross; ++i)
        for (int j = 0; j < tilesDown; ++j)
            centre.DrawImage(image, dest.mX + cw + i * mw, dest.mY + ch + j * mh,
                             IntRect(src.mX + cw, src.mY + ch, mw, mh));
}

} // namespace Kavo
