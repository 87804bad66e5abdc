// The surface image's rotated, matrix and textured-triangle blits: the
// renderer on the 3D draw surface, the software kernels on the locked
// surface, or (rotation only) the memory image.
#include "framework/graphics/d3d_interface.h"
#include "framework/graphics/dd_image.h"
#include "framework/graphics/dd_interface.h"
#include "framework/graphics/surface_kernels.h"

namespace Kavo {

void DDImage::BltRotated(Image* image, float x, float y, const IntRect& srcRect, const IntRect& clipRect,
                         const Color& color, int drawMode, double angle, float centerX, float centerY) {
    if (image == nullptr)
        return;
    image->mDrawn = true;
    if (mNoReadBack)
        return;
    UpdateAlphaFlags();
    if (Is3DTarget()) {
        Renderer().BltRotated(image, x, y, clipRect, color, drawMode, angle, centerX, centerY, srcRect);
        return;
    }
    if (!IsSurfaceDrawable()) {
        MemoryImage::BltRotated(image, x, y, srcRect, clipRect, color, drawMode, angle, centerX, centerY);
        return;
    }
    auto* source = dynamic_cast<MemoryImage*>(image);
    if (source == nullptr)
        return;
    SurfaceTarget target;
    const DisplayTables* tables = nullptr;
    if (!BeginSoftwareDraw(target, tables))
        return;
    SurfaceKernels::BltRotated(target, *tables, *source, x, y, srcRect, clipRect, color, drawMode, angle, centerX,
                               centerY);
    EndSoftwareDraw();
}

void DDImage::BltMatrix(Image* image, float x, float y, const Matrix3x3& matrix, const IntRect& clipRect,
                        const Color& color, int drawMode, const IntRect& srcRect, bool blend) {
    if (image == nullptr)
        return;
    image->mDrawn = true;
    if (Is3DTarget()) {
        Renderer().BltTransformed(image, matrix, clipRect, color, drawMode, srcRect, blend, x, y, true);
        return;
    }
    auto* source = dynamic_cast<MemoryImage*>(image);
    SurfaceTarget target;
    const DisplayTables* tables = nullptr;
    if (source == nullptr || !BeginSoftwareDraw(target, tables))
        return;
    // The kernel cuts the clip to the surface before the rasteriser sees it.
    SurfaceKernels::BltMatrix(target, tables->Format(), *source, x, y, matrix, clipRect, color, srcRect, blend);
    EndSoftwareDraw();
}

void DDImage::BltTrianglesTex(Image* texture, const TriVertex (*vertices)[3], int triangleCount,
                              const IntRect& clipRect, const Color& color, int drawMode, float transX, float transY,
                              bool blend) {
    if (texture == nullptr)
        return;
    texture->mDrawn = true;
    if (Is3DTarget()) {
        Renderer().DrawTrianglesTex(vertices, triangleCount, color, drawMode, texture, transX, transY, blend);
        return;
    }
    auto* source = dynamic_cast<MemoryImage*>(texture);
    SurfaceTarget target;
    const DisplayTables* tables = nullptr;
    if (source == nullptr || !BeginSoftwareDraw(target, tables))
        return;
    SurfaceKernels::BltTrianglesTex(target, tables->Format(), *source, vertices, triangleCount, clipRect, color, transX,
                                    transY, blend);
    EndSoftwareDraw();
}

} // namespace Kavo
