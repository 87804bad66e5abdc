#include "framework/graphics/image.h"

namespace Kavo {

Image::Image() = default;

Image::Image(const Image& other)
    : mWidth(other.mWidth), mHeight(other.mHeight), mNumRows(other.mNumRows), mNumCols(other.mNumCols),
      mAnimInfo(other.mAnimInfo ? std::make_unique<AnimInfo>(*other.mAnimInfo) : nullptr) {}

Image::~Image() = default;

bool Image::PolyFill3D(const Point*, int, const IntRect&, const Color&, int, int, int, bool) {
    return false;
}

void Image::FillRect(const IntRect&, const Color&, int) {}

void Image::DrawRect(const IntRect& rect, const Color& color, int drawMode) {
    // With a height of 0 the side bars get height -1; the destination's fill
    // decides what that means.
    FillRect(IntRect(rect.mX, rect.mY, rect.mWidth + 1, 1), color, drawMode);
    FillRect(IntRect(rect.mX, rect.mY + rect.mHeight, rect.mWidth + 1, 1), color, drawMode);
    FillRect(IntRect(rect.mX, rect.mY + 1, 1, rect.mHeight - 1), color, drawMode);
    FillRect(IntRect(rect.mX + rect.mWidth, rect.mY + 1, 1, rect.mHeight - 1), color, drawMode);
}

void Image::ClearRect(const IntRect&) {}

void Image::DrawLine(double, double, double, double, const Color&, int) {}

void Image::DrawLineAA(double, double, double, double, const Color&, int) {}

void Image::FillScanLines(const Span* spans, int count, const Color& color, int drawMode) {
    for (int i = 0; i < count; ++i)
        FillRect(IntRect(spans[i].mX, spans[i].mY, spans[i].mWidth, 1), color, drawMode);
}

void Image::FillScanLinesWithCoverage(const Span*, int, const Color&, int, const uint8_t*, int, int, int, int) {}

void Image::Blt(Image*, int, int, const IntRect&, const Color&, int) {}

void Image::BltF(Image*, float, float, const IntRect&, const IntRect&, const Color&, int) {}

void Image::BltRotated(Image*, float, float, const IntRect&, const IntRect&, const Color&, int, double, float, float) {}

void Image::StretchBlt(Image*, const IntRect&, const IntRect&, const IntRect&, const Color&, int, bool) {}

void Image::BltMatrix(Image*, float, float, const Matrix3x3&, const IntRect&, const Color&, int, const IntRect&, bool) {
}

void Image::BltTrianglesTex(Image*, const TriVertex (*)[3], int, const IntRect&, const Color&, int, float, float,
                            bool) {}

void Image::BltMirror(Image*, int, int, const IntRect&, const Color&, int) {}

void Image::StretchBltMirror(Image*, const IntRect&, const IntRect&, const IntRect&, const Color&, int, bool) {}

void Image::CopyAttributes(const Image* other) {
    mNumRows = other->mNumRows;
    mNumCols = other->mNumCols;
    mAnimInfo = other->mAnimInfo ? std::make_unique<AnimInfo>(*other->mAnimInfo) : nullptr;
}

IntRect Image::GetCelRect(int cel) const {
    return GetCelRect(cel % mNumCols, cel / mNumCols);
}

IntRect Image::GetCelRect(int col, int row) const {
    int celWidth = GetCelWidth();
    int celHeight = GetCelHeight();
    return IntRect(col * celWidth, row * celHeight, celWidth, celHeight);
}

} // namespace Kavo
