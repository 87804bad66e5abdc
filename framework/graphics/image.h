#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/graphics/anim_info.h"
#include "framework/graphics/point.h"
#include "framework/util/color.h"
#include "framework/util/matrix.h"
#include "framework/util/rect.h"

namespace Kavo {

// Defined with the rasteriser (framework/graphics/tri_vertex.h).
struct TriVertex;

// One horizontal run of pixels for Image::FillScanLines.
struct Span {
    int32_t mY = 0;
    int32_t mX = 0;
    int32_t mWidth = 0;
};

// The drawing interface of every picture. A plain Image draws nothing: it is
// the destination of a drawing context made without one. Positions reaching
// these operations are destination pixels; the colour given to a blit is the
// tint (Color::White means none); draw mode 0 blends, 1 adds.
class Image {
public:
    bool mDrawn = false;
    std::string mFilePath;
    int32_t mWidth = 0;
    int32_t mHeight = 0;
    int32_t mNumRows = 1;
    int32_t mNumCols = 1;
    std::unique_ptr<AnimInfo> mAnimInfo;

    Image();
    // Copies size, grid and animation; the copy has no path and is not drawn.
    Image(const Image& other);
    Image& operator=(const Image&) = delete;
    virtual ~Image();

    // Returns true when the image filled the polygon itself.
    virtual bool PolyFill3D(const Point* points, int count, const IntRect& clipRect, const Color& color, int drawMode,
                            int transX, int transY, bool convex);
    virtual void FillRect(const IntRect& rect, const Color& color, int drawMode);
    // Outline covering (width + 1) x (height + 1) pixels, made of four fills.
    virtual void DrawRect(const IntRect& rect, const Color& color, int drawMode);
    virtual void ClearRect(const IntRect& rect);
    virtual void DrawLine(double startX, double startY, double endX, double endY, const Color& color, int drawMode);
    virtual void DrawLineAA(double startX, double startY, double endX, double endY, const Color& color, int drawMode);
    // One FillRect per span, in order.
    virtual void FillScanLines(const Span* spans, int count, const Color& color, int drawMode);
    // The coverage byte of pixel (x, y) is coverage[(y - coverY) * coverPitch + (x - coverX)].
    virtual void FillScanLinesWithCoverage(const Span* spans, int count, const Color& color, int drawMode,
                                           const uint8_t* coverage, int coverX, int coverY, int coverPitch,
                                           int coverHeight);
    // Position and source are already clipped by the caller.
    virtual void Blt(Image* image, int x, int y, const IntRect& srcRect, const Color& color, int drawMode);
    virtual void BltF(Image* image, float x, float y, const IntRect& srcRect, const IntRect& clipRect,
                      const Color& color, int drawMode);
    // The centre is relative to the source rectangle's corner; angle in radians.
    virtual void BltRotated(Image* image, float x, float y, const IntRect& srcRect, const IntRect& clipRect,
                            const Color& color, int drawMode, double angle, float centerX, float centerY);
    virtual void StretchBlt(Image* image, const IntRect& destRect, const IntRect& srcRect, const IntRect& clipRect,
                            const Color& color, int drawMode, bool fastStretch);
    virtual void BltMatrix(Image* image, float x, float y, const Matrix3x3& matrix, const IntRect& clipRect,
                           const Color& color, int drawMode, const IntRect& srcRect, bool blend);
    // triangleCount triangles of three vertices each, moved by (transX, transY).
    virtual void BltTrianglesTex(Image* texture, const TriVertex (*vertices)[3], int triangleCount,
                                 const IntRect& clipRect, const Color& color, int drawMode, float transX, float transY,
                                 bool blend);
    // Position and source are already clipped by the caller.
    virtual void BltMirror(Image* image, int x, int y, const IntRect& srcRect, const Color& color, int drawMode);
    virtual void StretchBltMirror(Image* image, const IntRect& destRect, const IntRect& srcRect,
                                  const IntRect& clipRect, const Color& color, int drawMode, bool fastStretch);

    // Takes over the grid and a copy of the animation (or none).
    void CopyAttributes(const Image* other);

    int GetWidth() const { return mWidth; }
    int GetHeight() const { return mHeight; }
    int GetCelWidth() const { return mWidth / mNumCols; }
    int GetCelHeight() const { return mHeight / mNumRows; }
    // Cels are numbered row by row; neither form checks its indices.
    IntRect GetCelRect(int cel) const;
    IntRect GetCelRect(int col, int row) const;
};

} // namespace Kavo
