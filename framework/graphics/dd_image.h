#pragma once
// An image that can keep its pixels in a surface of the display device.
// The surface and the memory copies (bits, palettised form, texture) may
// exist together; which one is current follows three rules:
//   - drawing into the bits ends in BitsChanged, which drops the surface
//     unread;
//   - drawing into the surface ends in DeleteAllNonSurfaceData, which frees
//     every memory copy but the texture;
//   - dropping the surface while no other copy exists reads it back first.
// Images with partial alpha never get a surface.
//
// Every drawing operation chooses its engine per call: the 3D renderer when
// the image is the display's draw surface in 3D; a surface blit for
// untinted plain copies between surface images; the software kernels on
// the locked surface when the image has neither partial alpha nor
// transparent pixels (and the display is not in 3D); otherwise the memory
// image's drawing into the 32-bit bits.

#include <cstdint>

#include "framework/graphics/display_tables.h"
#include "framework/graphics/memory_image.h"
#include "framework/graphics/surface_target.h"
#include "platform/surface/surface.h"
#include "platform/surface/surface_desc.h"

namespace Kavo {

class D3DInterface;
class DDInterface;

class DDImage : public MemoryImage {
public:
    // Joins the device's set of live surface images (and, as every memory
    // image, the installed image registry).
    explicit DDImage(DDInterface* ddInterface);
    ~DDImage() override;
    DDImage(const DDImage&) = delete;
    DDImage& operator=(const DDImage&) = delete;

    // ---- Storage (the memory image's, kept in step with the surface) ----
    void SetPurgeBits() override;
    void DropDerivedBuffers() override;
    void ReapplyStorageFlags() override;
    // Drops the surface unread: the bits are now the current copy.
    void BitsChanged() override;
    // Nothing while a surface exists.
    void UpdateAlphaFlags() override;
    void DropSoftwareCachesB() override;
    // Leaves the alpha flags as they are.
    void Create(int width, int height) override;
    // Reads the surface back when only it holds the pixels: 32-bit opaque
    // pixels, except those equal to the surface's colour key, which read
    // back as 0. Null when the surface cannot be read.
    uint32_t* GetBits() override;
    bool Palettize() override;

    // ---- Drawing (dd_image_draw.cpp, dd_image_blit.cpp, dd_image_transform.cpp) ----
    // True only when the renderer filled the polygon (the 3D draw surface).
    bool PolyFill3D(const Point* points, int count, const IntRect& clipRect, const Color& color, int drawMode,
                    int transX, int transY, bool convex) override;
    void FillRect(const IntRect& rect, const Color& color, int drawMode) override;
    void DrawLine(double startX, double startY, double endX, double endY, const Color& color, int drawMode) override;
    void DrawLineAA(double startX, double startY, double endX, double endY, const Color& color, int drawMode) override;
    void FillScanLinesWithCoverage(const Span* spans, int count, const Color& color, int drawMode,
                                   const uint8_t* coverage, int coverX, int coverY, int coverPitch,
                                   int coverHeight) override;
    void Blt(Image* image, int x, int y, const IntRect& srcRect, const Color& color, int drawMode) override;
    void BltMirror(Image* image, int x, int y, const IntRect& srcRect, const Color& color, int drawMode) override;
    void BltF(Image* image, float x, float y, const IntRect& srcRect, const IntRect& clipRect, const Color& color,
              int drawMode) override;
    void StretchBlt(Image* image, const IntRect& destRect, const IntRect& srcRect, const IntRect& clipRect,
                    const Color& color, int drawMode, bool fastStretch) override;
    // The fast-stretch flag is ignored: mirrored stretches are nearest-pixel.
    void StretchBltMirror(Image* image, const IntRect& destRect, const IntRect& srcRect, const IntRect& clipRect,
                          const Color& color, int drawMode, bool fastStretch) override;
    void BltRotated(Image* image, float x, float y, const IntRect& srcRect, const IntRect& clipRect, const Color& color,
                    int drawMode, double angle, float centerX, float centerY) override;
    void BltMatrix(Image* image, float x, float y, const Matrix3x3& matrix, const IntRect& clipRect, const Color& color,
                   int drawMode, const IntRect& srcRect, bool blend) override;
    void BltTrianglesTex(Image* texture, const TriVertex (*vertices)[3], int triangleCount, const IntRect& clipRect,
                         const Color& color, int drawMode, float transX, float transY, bool blend) override;

    // The display is in 3D and this image's surface is its draw surface.
    bool Is3DTarget() const;
    // No partial alpha, no transparent pixels, and the display not in 3D.
    bool IsSurfaceDrawable() const;

    // ---- The surface ----
    virtual void SetVideoMemory(bool videoMemory);
    virtual void PrepareSurface();
    // Nested locks only count. False in 3D for the display's draw surface,
    // or when no surface can be made or locked.
    virtual bool LockSurface();
    virtual bool UnlockSurface();
    // Adopts a surface of the display (screen and cursor images): takes a
    // reference, takes its size, and never purges, drops or regenerates it.
    virtual void SetSurface(platform::Surface* surface);

    // Makes the surface from the bits; false for partial alpha, when the
    // surface cannot be made or locked, or when a colour key is needed and
    // every pixel value is taken by an opaque pixel.
    bool GenerateDDSurface();
    void DeleteDDSurface();
    void DeleteAllNonSurfaceData();
    // Generates the surface when there is none; null when that fails.
    platform::Surface* GetSurface();

    DDInterface* mDDInterface;
    platform::Surface* mSurface = nullptr; // one reference owned
    bool mSurfaceAdopted = false;
    bool mNoReadBack = false;
    bool mVideoMemory = false;
    bool mSurfaceWanted = false;
    int32_t mLockCount = 0;
    platform::SurfaceDesc mLockedDesc; // valid while mLockCount > 0

private:
    // Locks the surface (made from the bits when missing) for the software
    // kernels; false when nothing can be drawn: no surface, no lock, or a
    // display without its tables.
    bool BeginSoftwareDraw(SurfaceTarget& target, const DisplayTables*& tables);
    // Unlocks; the surface now holds the only current copy of the pixels.
    void EndSoftwareDraw();
    // Draw mode 0 blends, 1 adds; the plain white copy may be a surface blit.
    void NormalBlt(MemoryImage& source, int x, int y, const IntRect& srcRect, const Color& color);
    // A blit of the source's surface onto this image's surface, unlocked for
    // the blit when locked. False when a surface is missing or the re-lock
    // failed.
    bool SurfaceBlt(DDImage& source, const platform::Rect& dest, const platform::Rect& src);
    D3DInterface& Renderer() const;
    bool WriteBitsToSurface();
    void ReleaseSurface();
};

} // namespace Kavo
