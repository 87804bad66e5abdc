#pragma once

#include <string>
#include <vector>

#include "framework/graphics/font.h"
#include "framework/graphics/image.h"
#include "framework/graphics/point.h"
#include "framework/util/color.h"
#include "framework/util/lazy_transform.h"
#include "framework/util/matrix.h"
#include "framework/util/rect.h"

namespace Kavo {

// Everything a drawing context carries; copied whole by PushState.
class GraphicsState {
public:
    Image* mDestImage = nullptr;
    float mTransX = 0;
    float mTransY = 0;
    // Scale of integer image draws about (mScaleOrigX, mScaleOrigY).
    float mScaleX = 1.0f;
    float mScaleY = 1.0f;
    float mScaleOrigX = 0;
    float mScaleOrigY = 0;
    IntRect mClipRect; // destination pixels
    Color mColor;
    Font* mFont = nullptr;
    int mDrawMode = 0; // 0 blend, 1 additive
    bool mColorizeImages = false;
    bool mFastStretch = false;
    bool mWriteColoredString = true;
    bool mLinearBlend = false;
    bool mIs3D = false;

    void CopyStateFrom(const GraphicsState* other) { *this = *other; }
};

// The drawing context. Positions are the caller's; the context translates
// them (integer positions truncate toward zero), clips them and hands one
// request to its destination image. It owns neither image nor font.
class Graphics : public GraphicsState {
public:
    enum DrawMode {
        DRAWMODE_NORMAL = 0,
        DRAWMODE_ADDITIVE = 1,
    };

    // Without an image the context draws into a shared image that draws
    // nothing, with an empty clip.
    explicit Graphics(Image* destImage = nullptr);
    // Copies the state, not the stack.
    Graphics(const Graphics& other);
    Graphics& operator=(const Graphics&) = delete;
    virtual ~Graphics();

    Graphics* Create() const;

    void PushState();
    void PopState();

    void SetFont(Font* font) { mFont = font; }
    Font* GetFont() const { return mFont; }
    void SetColor(const Color& color) { mColor = color; }
    const Color& GetColor() const { return mColor; }
    void SetDrawMode(int drawMode) { mDrawMode = drawMode; }
    int GetDrawMode() const { return mDrawMode; }
    void SetColorizeImages(bool colorize) { mColorizeImages = colorize; }
    bool GetColorizeImages() const { return mColorizeImages; }

    void Translate(int dx, int dy);
    // Replaces the clip by the translated rectangle, cut to the destination.
    void SetClipRect(int x, int y, int width, int height);
    void SetClipRect(const IntRect& rect) { SetClipRect(rect.mX, rect.mY, rect.mWidth, rect.mHeight); }
    // Narrows the current clip by the translated rectangle.
    void ClipRect(int x, int y, int width, int height);
    void ClipRect(const IntRect& rect) { ClipRect(rect.mX, rect.mY, rect.mWidth, rect.mHeight); }
    void ClearClipRect();

    void FillRect(int x, int y, int width, int height);
    void FillRect(const IntRect& rect) { FillRect(rect.mX, rect.mY, rect.mWidth, rect.mHeight); }
    // One-pixel outline covering (width + 1) x (height + 1) pixels.
    void DrawRect(int x, int y, int width, int height);
    void DrawRect(const IntRect& rect) { DrawRect(rect.mX, rect.mY, rect.mWidth, rect.mHeight); }
    // Fills the rows whose centre lies inside the polygon; a convex polygon
    // may be filled by the destination itself.
    void PolyFill(const Point* points, int count, bool convex = false);
    void DrawLine(int startX, int startY, int endX, int endY);
    void DrawLineAA(int startX, int startY, int endX, int endY);

    // Integer draws honour the state scale (except the stretched and the
    // mirrored forms).
    void DrawImage(Image* image, int x, int y);
    void DrawImage(Image* image, int x, int y, const IntRect& srcRect);
    void DrawImage(Image* image, const IntRect& destRect, const IntRect& srcRect);
    void DrawImageMirror(Image* image, int x, int y, const IntRect& srcRect, bool mirror = true);
    void DrawImageMirror(Image* image, const IntRect& destRect, const IntRect& srcRect, bool mirror = true);

    // Float draws: no scale; the image clips against the clip it is given.
    void DrawImageF(Image* image, float x, float y);
    void DrawImageF(Image* image, float x, float y, const IntRect& srcRect);
    // The centre is relative to the source rectangle's corner; a null
    // source means the whole image.
    void DrawImageRotatedF(Image* image, float x, float y, double angle, float centerX, float centerY,
                           const IntRect* srcRect = nullptr);
    void DrawImageRotatedF(Image* image, float x, float y, double angle, const IntRect* srcRect = nullptr);
    void DrawImageRotated(Image* image, int x, int y, double angle, int centerX, int centerY,
                          const IntRect* srcRect = nullptr);
    void DrawImageRotated(Image* image, int x, int y, double angle, const IntRect* srcRect = nullptr);
    void DrawImageMatrix(Image* image, const Matrix3x3& matrix, float x, float y);
    void DrawImageMatrix(Image* image, const Matrix3x3& matrix, float x, float y, const IntRect& srcRect);
    // The image centred on (x, y) under the transform.
    void DrawImageTransform(Image* image, LazyTransform& transform, float x, float y);
    void DrawImageTransform(Image* image, LazyTransform& transform, const IntRect& srcRect, float x, float y);
    void DrawImageTransformF(Image* image, LazyTransform& transform, float x, float y);
    void DrawImageTransformF(Image* image, LazyTransform& transform, const IntRect& srcRect, float x, float y);

    // Cells outside the image's grid draw nothing.
    void DrawImageCel(Image* image, int x, int y, int col, int row);
    void DrawImageCel(const IntRect& destRect, Image* image, int col, int row);
    void DrawImageAnim(Image* image, int x, int y, int time);
    // Nine-slice box: corners at their size, edges and centre tiled.
    void DrawImageBox(const IntRect& destRect, Image* image);
    void DrawImageBox(const IntRect& srcRect, const IntRect& destRect, Image* image);

    // Nothing without a font. The other text operations need one.
    void DrawString(const std::string& str, int x, int y);
    int StringWidth(const std::string& str);
    // One line; "^RRGGBB^" switches the colour (kept afterwards), "^oldclr^"
    // returns to oldColor, "^^" is a caret. Justification 0 centres, 1 aligns
    // right within width, anything else aligns left. Returns the width.
    int WriteString(const std::string& str, int x, int y, int width = -1, int justification = -1, bool draw = true,
                    int offset = 0, int length = -1, int oldColor = -1);
    // Returns the height of the wrapped text. lastWidth, when given, lets the
    // text continue a line that already holds that width, and receives the
    // width of the text's own last line.
    int WriteWordWrapped(const IntRect& rect, const std::string& str, int lineSpacing = -1, int justification = -1,
                         int* maxWidth = nullptr, int maxChars = -1, int* lastWidth = nullptr);
    int GetWordWrappedHeight(int width, const std::string& str, int lineSpacing = -1, int* maxWidth = nullptr);

private:
    // The colour a blit receives: the state colour when colorizing.
    const Color& Tint() const { return mColorizeImages ? mColor : Color::White; }
    int ToDestX(int x) const { return static_cast<int>(x + mTransX); }
    int ToDestY(int y) const { return static_cast<int>(y + mTransY); }
    // Translates the end points and clips them; false when nothing is left.
    // Asked afresh of the current destination, unlike mIs3D.
    bool IsDestination3D() const;
    bool ClipLine(int startX, int startY, int endX, int endY, double (&line)[4]) const;
    void DrawImageTransformImpl(Image* image, LazyTransform& transform, const IntRect& srcRect, float x, float y,
                                bool floatForm);

    std::vector<GraphicsState> mStateStack;
};

} // namespace Kavo
