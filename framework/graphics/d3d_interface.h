#pragma once

#include <cstdint>
#include <string>

#include "framework/graphics/point.h"
#include "framework/graphics/tri_vertex.h"
#include "framework/util/color.h"
#include "framework/util/matrix.h"
#include "framework/util/rect.h"
#include "platform/surface/display.h"
#include "platform/surface/surface.h"
#include "platform/window.h"

namespace Kavo {

class Image;
class MemoryImage;

// The display's 3D renderer. Drawing through it comes later; what exists now
// is what the display and the application ask of it: set-up (which always
// succeeds and draws nothing), the scene state and error text that
// presenting checks, whether it was ever used, whether it misbehaved, and
// dropping an image's texture. The drawing operations take what the display
// image hands the renderer when it draws onto the 3D draw surface; they are
// virtual so that a renderer can be put in their place, and draw nothing
// here.
class D3DInterface {
public:
    virtual ~D3DInterface() = default;

    // ---- Drawing onto the draw surface ----
    virtual void FillPoly(const Point* points, int count, const IntRect& clipRect, const Color& color, int drawMode,
                          int transX, int transY);
    virtual void FillRect(const IntRect& rect, const Color& color, int drawMode);
    virtual void DrawLine(double x1, double y1, double x2, double y2, const Color& color, int drawMode);
    virtual void Blt(Image* image, float x, float y, const IntRect& srcRect, const Color& color, int drawMode,
                     bool linearFilter);
    virtual void BltClipF(Image* image, float x, float y, const IntRect& srcRect, const IntRect& clipRect,
                          const Color& color, int drawMode);
    virtual void BltMirror(Image* image, float x, float y, const IntRect& srcRect, const Color& color, int drawMode);
    virtual void StretchBlt(Image* image, const IntRect& destRect, const IntRect& srcRect, const IntRect& clipRect,
                            const Color& color, int drawMode, bool fastStretch, bool mirror);
    virtual void BltRotated(Image* image, float x, float y, const IntRect& clipRect, const Color& color, int drawMode,
                            double angle, float centerX, float centerY, const IntRect& srcRect);
    // center: srcRect is moved by minus half its size first, so that the
    // matrix acts about its centre.
    virtual void BltTransformed(Image* image, const Matrix3x3& matrix, const IntRect& clipRect, const Color& color,
                                int drawMode, const IntRect& srcRect, bool blend, float x, float y, bool center);
    virtual void DrawTrianglesTex(const TriVertex (*vertices)[3], int triangleCount, const Color& color, int drawMode,
                                  Image* texture, float transX, float transY, bool blend);
    // Whether no transform is pushed: only then may a plain copy onto the
    // draw surface bypass the renderer.
    virtual bool TransformStackEmpty() const { return true; }

    // Takes the draw surface of the display for rendering. True.
    bool Init(platform::Display* display, platform::WindowHandle window, int width, int height,
              platform::Surface* drawSurface, bool windowed);
    void Cleanup();

    // Deletes the image's texture data and clears its pointer.
    void RemoveMemoryImage(MemoryImage* image);
    // Copies a current texture back into width x height ARGB words.
    bool ReadBackTexture(MemoryImage* image, uint32_t* dest);

    // Set once a frame was drawn through the renderer.
    bool mWasUsed = false;
    // Set when a scene could not begin, cleared when one could (and by a
    // failed present): drawing may not have worked during the run.
    bool mPreDrawError = false;
    // The last failure; presenting gives up 3D while it is not empty.
    std::string mErrorString;
    // A scene was begun and not yet ended.
    bool mSceneBegun = false;
};

} // namespace Kavo
