// Matrix and textured-triangle blits onto a locked display surface, through
// the memory image's triangle rasteriser in the surface's own format.

#include "framework/graphics/memory_image_blit.h"
#include "framework/graphics/surface_kernels.h"
#include "framework/raster/tri_raster.h"

namespace Kavo::SurfaceKernels {

int32_t SurfaceFormatCode(const SurfaceTarget& surface, const DisplayPixelFormat& format) {
    if (surface.mBitCount == 32)
        return kTriFormatRGB888;
    if (surface.mBitCount != 16)
        return 0;
    if (format.mRedMask == 0xF800 && format.mGreenMask == 0x7E0 && format.mBlueMask == 0x1F)
        return kTriFormatRGB565;
    if (format.mRedMask == 0x7C00 && format.mGreenMask == 0x3E0 && format.mBlueMask == 0x1F)
        return kTriFormatRGB555;
    return 0;
}

void BltMatrix(const SurfaceTarget& surface, const DisplayPixelFormat& format, MemoryImage& texture, float x, float y,
               const Matrix3x3& matrix, const IntRect& clipRect, const Color& color, const IntRect& srcRect,
               bool blend) {
    texture.mDrawn = true;
    const int32_t code = SurfaceFormatCode(surface, format);
    if (code == 0 || surface.mBits == nullptr)
        return;
    // The rasteriser trusts its clip: a clip larger than the surface would
    // let it write past the pixels.
    RenderMatrixQuad(&texture, x, y, matrix, clipRect.Intersection(surface.Bounds()), color, srcRect, blend,
                     surface.mBits, surface.mPitch, code);
}

void BltTrianglesTex(const SurfaceTarget& surface, const DisplayPixelFormat& format, MemoryImage& texture,
                     const TriVertex (*triangles)[3], int count, const IntRect& clipRect, const Color& color,
                     float transX, float transY, bool blend) {
    texture.mDrawn = true;
    const int32_t code = SurfaceFormatCode(surface, format);
    if (code == 0 || surface.mBits == nullptr || triangles == nullptr)
        return;
    RenderTexTriangles(&texture, triangles, count, clipRect.Intersection(surface.Bounds()), color, transX, transY,
                       blend, surface.mBits, surface.mPitch, code);
}

} // namespace Kavo::SurfaceKernels
