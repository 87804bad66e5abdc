#pragma once
// The display's 3D renderer. In 3D mode every drawing operation of the
// display image on the draw surface comes here and becomes textured or
// coloured primitives of pre-transformed vertices on the 3D device, which
// renders into the draw surface. Memory images drawn this way are kept as
// texture pieces until they change, are dropped or the renderer is cleaned
// up. Every device result is checked; a failure is kept as the error text
// (presenting then leaves 3D) and stored for the capability test.

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "framework/graphics/display_owner.h"
#include "framework/graphics/point.h"
#include "framework/graphics/poly_clipper.h"
#include "framework/graphics/tri_vertex.h"
#include "framework/util/color.h"
#include "framework/util/matrix.h"
#include "framework/util/rect.h"
#include "platform/device3d/device3d.h"
#include "platform/surface/display.h"
#include "platform/surface/surface.h"
#include "platform/threads.h"
#include "platform/window.h"

namespace Kavo {

class Image;
class MemoryImage;
class TextureData;
struct TexturePiece;

// The texture limits of the device, as the renderer applies them.
struct TextureLimits {
    int32_t mMinWidth = 64;
    int32_t mMinHeight = 64;
    int32_t mMaxWidth = 64;
    int32_t mMaxHeight = 64;
    int32_t mMaxAspectRatio = 1;
};

// Image storage flags the renderer reads (MemoryImage::mTextureHints).
inline constexpr uint32_t kTextureHintMinimizeSubdivisions = 1; // edge-style (power of two) pieces
inline constexpr uint32_t kTextureHintPieces64 = 2;             // 64 x 64 pieces
inline constexpr uint32_t kTextureHint4444 = 4;                 // 4444 rather than 8888
inline constexpr uint32_t kTextureHint8888 = 8;                 // never 565

// Piece size of one dimension: the smallest power of two that wastes at
// most 64 texels, else smaller powers of two (the image is then split).
int32_t PieceSizeTable(int32_t size);

// The texture size for width x height texels of an image with the given
// storage flags: regular pieces from the table, edge pieces the next power
// of two, all within the limits and their aspect ratio.
void GetTextureSize(const TextureLimits& limits, int32_t& width, int32_t& height, bool edgeX, bool edgeY,
                    uint32_t imageFlags);

class D3DInterface {
public:
    D3DInterface();
    virtual ~D3DInterface();
    D3DInterface(const D3DInterface&) = delete;
    D3DInterface& operator=(const D3DInterface&) = delete;

    // ---- Drawing onto the draw surface (virtual so that tests can record the choices) ----
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
    virtual bool TransformStackEmpty() const { return mTransformStack.empty(); }
    // The pushed matrix applies to every primitive until it is popped.
    void PushTransform(const Matrix3x3& matrix) { mTransformStack.push_back(matrix); }
    void PopTransform() {
        if (!mTransformStack.empty())
            mTransformStack.pop_back();
    }

    // Makes the device on the draw surface; false with the error text set.
    bool Init(platform::Display* display, platform::WindowHandle window, int width, int height,
              platform::Surface* drawSurface, bool windowed);
    // Ends a scene, deletes every image's texture data, drops the device.
    void Cleanup();
    // Before every primitive: false while minimised or when the draw
    // surface cannot be the render target; opens the scene.
    bool BeginDrawing();
    void EndScene();

    // Builds or refreshes the image's texture pieces; false when it has none.
    bool CreateImageTexture(MemoryImage* image);
    // Deletes the image's texture data and clears its pointer.
    void RemoveMemoryImage(MemoryImage* image);
    // Copies a current texture back into width x height ARGB words.
    bool ReadBackTexture(MemoryImage* image, uint32_t* dest);

    // Where the renderer reports; set by the display.
    DisplayOwner* mOwner = nullptr;
    // Guards the set of textured images (the display's lock); may be null.
    platform::CriticalSection* mLock = nullptr;

    // Set once a frame was drawn through the renderer.
    bool mWasUsed = false;
    // Set when a scene could not begin, cleared when one could (and by a
    // failed present): drawing may not have worked during the run.
    bool mPreDrawError = false;
    // The last failure; presenting gives up 3D while it is not empty.
    std::string mErrorString;
    // A scene was begun and not yet ended.
    bool mSceneBegun = false;
    // Setting the draw surface as render target failed the last time.
    bool mRenderTargetLost = false;

    std::shared_ptr<platform::Device3D> mDevice;
    platform::Surface* mDrawSurface = nullptr; // a reference is held
    platform::WindowHandle mHWnd = nullptr;
    int32_t mWidth = 640;
    int32_t mHeight = 480;
    TextureLimits mLimits;
    uint32_t mSupportedFormats = 0; // bits of platform::TextureFormat
    bool mLinearFilter = false;
    std::set<MemoryImage*> mImageSet;
    std::vector<Matrix3x3> mTransformStack;

private:
    // Holds the lock, when there is one, for its scope.
    class SetLock {
    public:
        explicit SetLock(platform::CriticalSection* lock) : mLock(lock) {
            if (mLock != nullptr)
                mLock->Enter();
        }
        ~SetLock() {
            if (mLock != nullptr)
                mLock->Leave();
        }
        SetLock(const SetLock&) = delete;
        SetLock& operator=(const SetLock&) = delete;

    private:
        platform::CriticalSection* mLock;
    };

    // False for a failure, which becomes the error text "context: NAME".
    bool Check(platform::HResult result, const char* context);
    void SetBlendMode(int drawMode);
    void SetLinearFilter(bool linear);
    bool SetTexture(const std::shared_ptr<platform::Texture>& texture, const char* context);
    void DrawVertices(platform::PrimitiveType type, const TLVertex* vertices, int count, const char* context);
    // Cuts the polygon to the rectangle and draws what is left as a fan.
    void DrawClipped(const VertexList& polygon, const IntRect& clip);
    void DrawTransformed(MemoryImage* image, const Matrix3x3& matrix, const IntRect* clip, const Color& color,
                         int drawMode, const IntRect& srcRect, bool blend, float x, float y, bool center);
    void WalkPieces(TextureData& data, const Matrix3x3& matrix, const IntRect& srcRect, uint32_t color,
                    const IntRect* clip, float x, float y, bool center);
    void DrawTrianglesSplit(TextureData& data, const TriVertex (*vertices)[3], int triangleCount, uint32_t color,
                            float transX, float transY);

    // Texture pieces (d3d_textures.cpp).
    platform::TextureFormat ChooseFormat(MemoryImage* image);
    bool BuildPieces(MemoryImage* image, TextureData& data, const uint32_t* bits);
    bool FillPiece(MemoryImage* image, TextureData& data, int column, int row, const uint32_t* bits);
    void DeleteTextureData(MemoryImage* image);
};

} // namespace Kavo
