// The surface image's blits and stretches: the renderer on the 3D draw
// surface, a surface blit for untinted plain copies, the software kernels on
// the locked surface, or the memory image.
#include "framework/graphics/d3d_interface.h"
#include "framework/graphics/dd_image.h"
#include "framework/graphics/dd_interface.h"
#include "framework/graphics/memory_image_blit.h"
#include "framework/graphics/surface_kernels.h"
#include "platform/surface/surface_flags.h"

namespace Kavo {

namespace {

platform::Rect Edges(int32_t x, int32_t y, int32_t width, int32_t height) {
    return {x, y, x + width, y + height};
}

} // namespace

bool DDImage::SurfaceBlt(DDImage& source, const platform::Rect& dest, const platform::Rect& src) {
    platform::Surface* from = source.GetSurface();
    platform::Surface* to = GetSurface();
    if (from == nullptr || to == nullptr)
        return false;
    std::uint32_t flags = platform::kBltWait;
    if (source.mHasTrans)
        flags |= platform::kBltKeySrc;
    const platform::BltEffects effects;
    // The surface cannot be blitted onto while locked; the caller's lock is
    // taken again afterwards so that its description stays valid.
    if (mLockCount > 0)
        mSurface->Unlock();
    to->Blt(&dest, from, &src, flags, &effects);
    if (mLockCount > 0 && platform::Failed(mSurface->Lock(mLockedDesc, platform::kLockWait)))
        return false;
    return true;
}

void DDImage::NormalBlt(MemoryImage& source, int x, int y, const IntRect& srcRect, const Color& color) {
    source.mDrawn = true;
    source.UpdateAlphaFlags();
    auto* surfaceSource = dynamic_cast<DDImage*>(&source);
    const bool sourceHasSurface = surfaceSource != nullptr && surfaceSource->mSurface != nullptr;
    const bool white = color == Color::White;
    // A plain copy from a surface is left to the surface layer, unless that
    // would read video memory into system memory.
    if (sourceHasSurface && white && !source.mHasAlpha && (mVideoMemory || !surfaceSource->mVideoMemory)) {
        SurfaceBlt(*surfaceSource, Edges(x, y, srcRect.mWidth, srcRect.mHeight),
                   Edges(srcRect.mX, srcRect.mY, srcRect.mWidth, srcRect.mHeight));
        return;
    }
    SurfaceTarget target;
    const DisplayTables* tables = nullptr;
    if (!BeginSoftwareDraw(target, tables))
        return;
    if (source.mVolatile && !sourceHasSurface && white)
        SurfaceKernels::StraightAlphaBlt(target, *tables, source, x, y, srcRect);
    else if (!source.mHasAlpha && white)
        SurfaceKernels::CopyBlt(target, *tables, source, x, y, srcRect);
    else
        SurfaceKernels::RunBlt(target, *tables, source, x, y, srcRect, color);
    UnlockSurface();
}

void DDImage::Blt(Image* image, int x, int y, const IntRect& srcRect, const Color& color, int drawMode) {
    if (image == nullptr)
        return;
    image->mDrawn = true;
    UpdateAlphaFlags();
    if (Is3DTarget()) {
        auto* source = dynamic_cast<DDImage*>(image);
        if (source != nullptr)
            source->UpdateAlphaFlags();
        if (source != nullptr && source->mSurface != nullptr && Renderer().TransformStackEmpty() && drawMode == 0 &&
            color == Color::White && !source->mHasAlpha) {
            SurfaceBlt(*source, Edges(x, y, srcRect.mWidth, srcRect.mHeight),
                       Edges(srcRect.mX, srcRect.mY, srcRect.mWidth, srcRect.mHeight));
        } else {
            Renderer().Blt(image, static_cast<float>(x), static_cast<float>(y), srcRect, color, drawMode, false);
        }
        return;
    }
    // The cursor's work images are drawn in software even in 3D.
    const bool cursorArea = mDDInterface != nullptr &&
                            (this == mDDInterface->mOldCursorAreaImage || this == mDDInterface->mNewCursorAreaImage);
    if (!mHasAlpha && !mHasTrans && mDDInterface != nullptr && (!mDDInterface->mIs3D || cursorArea)) {
        auto* source = dynamic_cast<MemoryImage*>(image);
        if (source == nullptr || mNoReadBack || (drawMode != 0 && drawMode != 1))
            return;
        if (drawMode == 0) {
            NormalBlt(*source, x, y, srcRect, color);
        } else {
            SurfaceTarget target;
            const DisplayTables* tables = nullptr;
            if (!BeginSoftwareDraw(target, tables))
                return;
            SurfaceKernels::AdditiveBlt(target, *tables, *source, x, y, srcRect, color);
            UnlockSurface();
        }
        if (mSurface != nullptr)
            DeleteAllNonSurfaceData();
        return;
    }
    MemoryImage::Blt(image, x, y, srcRect, color, drawMode);
}

void DDImage::BltMirror(Image* image, int x, int y, const IntRect& srcRect, const Color& color, int drawMode) {
    if (image == nullptr)
        return;
    UpdateAlphaFlags();
    if (Is3DTarget()) {
        Renderer().BltMirror(image, static_cast<float>(x), static_cast<float>(y), srcRect, color, drawMode);
        return;
    }
    auto* source = dynamic_cast<MemoryImage*>(image);
    if (source == nullptr || mNoReadBack || (drawMode != 0 && drawMode != 1))
        return;
    SurfaceTarget target;
    const DisplayTables* tables = nullptr;
    if (!BeginSoftwareDraw(target, tables))
        return;
    if (drawMode == 0)
        SurfaceKernels::NormalBltMirror(target, *tables, *source, x, y, srcRect, color);
    else
        SurfaceKernels::AdditiveBltMirror(target, *tables, *source, x, y, srcRect, color);
    EndSoftwareDraw();
}

void DDImage::BltF(Image* image, float x, float y, const IntRect& srcRect, const IntRect& clipRect, const Color& color,
                   int drawMode) {
    if (image == nullptr)
        return;
    image->mDrawn = true;
    if (!Is3DTarget()) {
        BltRotated(image, x, y, srcRect, clipRect, color, drawMode, 0.0, 0.0f, 0.0f);
        return;
    }
    const DoubleRect placed(x, y, srcRect.mWidth, srcRect.mHeight);
    const DoubleRect clip(clipRect.mX, clipRect.mY, clipRect.mWidth, clipRect.mHeight);
    const DoubleRect visible = clip.Intersection(placed);
    if (visible.mWidth == srcRect.mWidth && visible.mHeight == srcRect.mHeight)
        Renderer().Blt(image, x, y, srcRect, color, drawMode, true);
    else if (visible.mWidth != 0 && visible.mHeight != 0)
        Renderer().BltClipF(image, x, y, srcRect, clipRect, color, drawMode);
}

void DDImage::StretchBlt(Image* image, const IntRect& destRect, const IntRect& srcRect, const IntRect& clipRect,
                         const Color& color, int drawMode, bool fastStretch) {
    if (image == nullptr)
        return;
    image->mDrawn = true;
    UpdateAlphaFlags();
    if (Is3DTarget()) {
        Renderer().StretchBlt(image, destRect, srcRect, clipRect, color, drawMode, fastStretch, false);
        return;
    }
    // A clip reaching past the image would size the slow stretch's
    // temporary image beyond what can be drawn.
    const IntRect clip = clipRect.Intersection(IntRect(0, 0, mWidth, mHeight));
    IntRect visible;
    DoubleRect from;
    if (!ComputeStretchRects(destRect, srcRect, clip, visible, from) || visible.mWidth <= 0 || visible.mHeight <= 0)
        return;
    auto* source = dynamic_cast<MemoryImage*>(image);
    if (source == nullptr)
        return;

    if (!fastStretch) {
        if (!IsSurfaceDrawable()) {
            MemoryImage::StretchBlt(image, destRect, srcRect, clipRect, color, drawMode, false);
            return;
        }
        // Filtered into an image of the visible part, which is then blitted
        // with the colour and draw mode.
        MemoryImage stretched;
        stretched.Create(visible.mWidth, visible.mHeight);
        stretched.StretchBlt(
            source, IntRect(destRect.mX - visible.mX, destRect.mY - visible.mY, destRect.mWidth, destRect.mHeight),
            srcRect, IntRect(0, 0, visible.mWidth, visible.mHeight), Color::White, 0, false);
        Blt(&stretched, visible.mX, visible.mY, IntRect(0, 0, visible.mWidth, visible.mHeight), color, drawMode);
        if (mSurface != nullptr)
            DeleteAllNonSurfaceData();
        return;
    }

    auto* surfaceSource = dynamic_cast<DDImage*>(image);
    if (surfaceSource != nullptr) {
        surfaceSource->UpdateAlphaFlags();
        if (color == Color::White && drawMode == 0 && !surfaceSource->mHasAlpha &&
            surfaceSource->GetSurface() != nullptr) {
            const auto trunc = [](double v) { return static_cast<int32_t>(v); };
            const platform::Rect src{trunc(from.mX), trunc(from.mY), trunc(from.mX + from.mWidth),
                                     trunc(from.mY + from.mHeight)};
            if (SurfaceBlt(*surfaceSource, Edges(visible.mX, visible.mY, visible.mWidth, visible.mHeight), src))
                DeleteAllNonSurfaceData();
            return;
        }
    }
    SurfaceTarget target;
    const DisplayTables* tables = nullptr;
    if (!BeginSoftwareDraw(target, tables))
        return;
    SurfaceKernels::StretchBlt(target, *tables, *source, destRect, srcRect, clip, color, drawMode, false);
    EndSoftwareDraw();
}

void DDImage::StretchBltMirror(Image* image, const IntRect& destRect, const IntRect& srcRect, const IntRect& clipRect,
                               const Color& color, int drawMode, bool fastStretch) {
    if (image == nullptr)
        return;
    image->mDrawn = true;
    UpdateAlphaFlags();
    if (Is3DTarget()) {
        Renderer().StretchBlt(image, destRect, srcRect, clipRect, color, drawMode, fastStretch, true);
        return;
    }
    auto* source = dynamic_cast<MemoryImage*>(image);
    if (source == nullptr)
        return;
    SurfaceTarget target;
    const DisplayTables* tables = nullptr;
    if (!BeginSoftwareDraw(target, tables))
        return;
    SurfaceKernels::StretchBlt(target, *tables, *source, destRect, srcRect, clipRect, color, drawMode, true);
    EndSoftwareDraw();
}

} // namespace Kavo
