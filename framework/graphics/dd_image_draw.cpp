// The surface image's fills, lines and coverage spans, each choosing the
// renderer, the software kernels on the locked surface or the memory image.
#include <algorithm>
#include <cmath>
#include <vector>

#include "framework/graphics/d3d_interface.h"
#include "framework/graphics/dd_image.h"
#include "framework/graphics/dd_interface.h"
#include "framework/graphics/surface_kernels.h"

namespace Kavo {

namespace {

int32_t Truncate(double value) {
    return static_cast<int32_t>(std::trunc(value));
}

// The rectangle an axis-parallel line covers, both ends included.
IntRect AxisLineRect(double x1, double y1, double x2, double y2) {
    const int32_t left = Truncate(std::min(x1, x2));
    const int32_t top = Truncate(std::min(y1, y2));
    return {left, top, Truncate(std::max(x1, x2)) - left + 1, Truncate(std::max(y1, y2)) - top + 1};
}

} // namespace

bool DDImage::Is3DTarget() const {
    return mDDInterface != nullptr && mDDInterface->mIs3D && mSurface != nullptr &&
           mSurface == mDDInterface->mDrawSurface;
}

bool DDImage::IsSurfaceDrawable() const {
    return mDDInterface != nullptr && !mHasAlpha && !mHasTrans && !mDDInterface->mIs3D;
}

D3DInterface& DDImage::Renderer() const {
    return *mDDInterface->mD3DInterface;
}

bool DDImage::BeginSoftwareDraw(SurfaceTarget& target, const DisplayTables*& tables) {
    if (mDDInterface == nullptr || (tables = mDDInterface->GetDisplayTables()) == nullptr)
        return false;
    if (!LockSurface())
        return false;
    const platform::PixelFormat& format = mLockedDesc.pixelFormat;
    target = {static_cast<uint8_t*>(mLockedDesc.surface), mLockedDesc.pitch, static_cast<int32_t>(format.bitCount),
              mLockedDesc.width, mLockedDesc.height};
    return true;
}

void DDImage::EndSoftwareDraw() {
    UnlockSurface();
    // Without a surface the memory copies are the pixels: they stay.
    if (mSurface != nullptr)
        DeleteAllNonSurfaceData();
}

bool DDImage::PolyFill3D(const Point* points, int count, const IntRect& clipRect, const Color& color, int drawMode,
                         int transX, int transY, bool) {
    if (!Is3DTarget())
        return false;
    Renderer().FillPoly(points, count, clipRect, color, drawMode, transX, transY);
    return true;
}

void DDImage::FillRect(const IntRect& rect, const Color& color, int drawMode) {
    if (Is3DTarget()) {
        Renderer().FillRect(rect, color, drawMode);
        return;
    }
    UpdateAlphaFlags();
    if (!IsSurfaceDrawable()) {
        MemoryImage::FillRect(rect, color, drawMode);
        return;
    }
    if ((drawMode != 0 && drawMode != 1) || mNoReadBack)
        return;
    SurfaceTarget target;
    const DisplayTables* tables = nullptr;
    if (!BeginSoftwareDraw(target, tables))
        return;
    if (drawMode == 0)
        SurfaceKernels::NormalFillRect(target, *tables, rect, color);
    else
        SurfaceKernels::AdditiveFillRect(target, *tables, rect, color);
    EndSoftwareDraw();
}

void DDImage::DrawLine(double startX, double startY, double endX, double endY, const Color& color, int drawMode) {
    if (Is3DTarget()) {
        Renderer().DrawLine(startX, startY, endX, endY, color, drawMode);
        return;
    }
    UpdateAlphaFlags();
    if (!IsSurfaceDrawable()) {
        MemoryImage::DrawLine(startX, startY, endX, endY, color, drawMode);
        return;
    }
    if (startY == endY || startX == endX) {
        FillRect(AxisLineRect(startX, startY, endX, endY), color, drawMode);
        return;
    }
    if ((drawMode != 0 && drawMode != 1) || mNoReadBack)
        return;
    SurfaceTarget target;
    const DisplayTables* tables = nullptr;
    if (!BeginSoftwareDraw(target, tables))
        return;
    if (drawMode == 0)
        SurfaceKernels::NormalDrawLine(target, *tables, startX, startY, endX, endY, color);
    else
        SurfaceKernels::AdditiveDrawLine(target, *tables, startX, startY, endX, endY, color);
    EndSoftwareDraw();
}

void DDImage::DrawLineAA(double startX, double startY, double endX, double endY, const Color& color, int drawMode) {
    if (Is3DTarget()) {
        Renderer().DrawLine(startX, startY, endX, endY, color, drawMode);
        return;
    }
    UpdateAlphaFlags();
    if (!IsSurfaceDrawable()) {
        MemoryImage::DrawLineAA(startX, startY, endX, endY, color, drawMode);
        return;
    }
    if (startY == endY || startX == endX) {
        FillRect(AxisLineRect(startX, startY, endX, endY), color, drawMode);
        return;
    }
    // There is no additive anti-aliased line on a surface: only mode 0 draws.
    if (drawMode != 0 || mNoReadBack)
        return;
    SurfaceTarget target;
    const DisplayTables* tables = nullptr;
    if (!BeginSoftwareDraw(target, tables))
        return;
    SurfaceKernels::NormalDrawLineAA(target, *tables, startX, startY, endX, endY, color);
    EndSoftwareDraw();
}

void DDImage::FillScanLinesWithCoverage(const Span* spans, int count, const Color& color, int drawMode,
                                        const uint8_t* coverage, int coverX, int coverY, int coverPitch,
                                        int coverHeight) {
    if (spans == nullptr || count <= 0)
        return;
    if (!Is3DTarget()) {
        SurfaceTarget target;
        const DisplayTables* tables = nullptr;
        if (!BeginSoftwareDraw(target, tables))
            return;
        SurfaceKernels::FillScanLinesWithCoverage(target, *tables, spans, count, color, coverage, coverX, coverY,
                                                  coverPitch, coverHeight);
        EndSoftwareDraw();
        return;
    }
    // The renderer takes images, not spans: the spans are drawn into an
    // image of their bounding box, which is then blitted. The caller's spans
    // stay as they were; the box's copy is shifted.
    int32_t left = spans[0].mX, top = spans[0].mY, right = spans[0].mX + spans[0].mWidth - 1, bottom = spans[0].mY;
    for (int i = 1; i < count; ++i) {
        left = std::min(left, spans[i].mX);
        right = std::max(right, spans[i].mX + spans[i].mWidth - 1);
        top = std::min(top, spans[i].mY);
        bottom = std::max(bottom, spans[i].mY);
    }
    const int32_t width = right - left + 1;
    const int32_t height = bottom - top + 1;
    if (width <= 0 || height <= 0)
        return;
    std::vector<Span> shifted(spans, spans + count);
    for (Span& span : shifted) {
        span.mX -= left;
        span.mY -= top;
    }
    MemoryImage box;
    box.mWidth = width;
    box.mHeight = height;
    box.BitsChanged();
    box.mHasTrans = true;
    box.mHasAlpha = true;
    box.MemoryImage::FillScanLinesWithCoverage(shifted.data(), count, color, drawMode, coverage, coverX - left,
                                               coverY - top, coverPitch, coverHeight);
    Blt(&box, left, top, IntRect(0, 0, width, height), Color::White, drawMode);
}

} // namespace Kavo
