// The software cursor: drawn over each presented frame, and moved straight
// on the screen by the cursor thread between frames. The background under
// the cursor is kept in the old cursor area; the new cursor area composes
// background and cursor off screen so that the screen never shows a frame
// without the cursor.
#include "framework/graphics/dd_image.h"
#include "framework/graphics/dd_interface.h"
#include "framework/graphics/graphics.h"
#include "platform/surface/surface_flags.h"

namespace Kavo {

namespace {

platform::Rect ToEdges(const IntRect& rect) {
    return {rect.mX, rect.mY, rect.mX + rect.mWidth, rect.mY + rect.mHeight};
}

IntRect Moved(const IntRect& rect, int dx, int dy) {
    return {rect.mX + dx, rect.mY + dy, rect.mWidth, rect.mHeight};
}

bool IsEmpty(const IntRect& rect) {
    return rect.mWidth <= 0 || rect.mHeight <= 0;
}

} // namespace

bool DDInterface::SetCursorImage(Image* image) {
    platform::AutoCrit guard(mCritSect);
    if (image == mCursorImage)
        return false;
    mCursorImage = image;
    return true;
}

void DDInterface::SetCursorPos(int x, int y) {
    mCursorPos.store({x, y});
    ++mCursorMoveCount;
    // The frame being presented draws the cursor at the new position.
    if (mIsPresenting)
        return;
    platform::AutoCrit guard(mCritSect);
    if (!mInitialized)
        return;
    if (!mCursorOnScreen) {
        mDrawnCursorPos = {x, y};
        DrawCursor(mPrimarySurface, true);
    } else {
        MoveCursor(mPrimarySurface, true, x, y);
    }
}

bool DDInterface::HasCursorToShow() {
    if (mCursorImage == nullptr || mPrimarySurface == nullptr || mOldCursorAreaImage == nullptr ||
        mNewCursorAreaImage == nullptr) {
        mCursorOnScreen = false;
        return false;
    }
    return true;
}

IntRect DDInterface::CursorRect(CursorPoint position) const {
    return {position.mX - mCursorWidth / 2, position.mY - mCursorHeight / 2, mCursorWidth, mCursorHeight};
}

platform::Point DDInterface::SurfaceOrigin(bool onScreen) const {
    if (!onScreen || mHWnd == nullptr || !platform::IsWindow(mHWnd))
        return {};
    return platform::ClientToScreen(mHWnd, {0, 0});
}

bool DDInterface::CursorBlt(platform::Surface* to, IntRect& toRect, platform::Surface* from, IntRect& fromRect,
                            bool surfaceIsTarget) {
    const platform::BltEffects effects;
    auto blit = [&] {
        if (IsEmpty(toRect))
            return false;
        const platform::Rect dest = ToEdges(toRect);
        const platform::Rect src = ToEdges(fromRect);
        return platform::Succeeded(to->Blt(&dest, from, &src, platform::kBltWait, &effects));
    };
    if (blit())
        return true;
    // A window partly off the screen: only its visible part can be read or
    // written.
    IntRect& onSurface = surfaceIsTarget ? toRect : fromRect;
    IntRect& inArea = surfaceIsTarget ? fromRect : toRect;
    const IntRect screen(0, 0, mPrimarySurface->Width(), mPrimarySurface->Height());
    const IntRect cut = onSurface.Intersection(screen);
    inArea = {inArea.mX + cut.mX - onSurface.mX, inArea.mY + cut.mY - onSurface.mY, cut.mWidth, cut.mHeight};
    onSurface = cut;
    return blit();
}

void DDInterface::DrawCursorImage(DDImage* target, int x, int y) {
    Graphics graphics(target);
    graphics.DrawImage(mCursorImage, x, y);
}

void DDInterface::DrawCursor(platform::Surface* surface, bool onScreen) {
    if (!HasCursorToShow() || surface == nullptr)
        return;
    const IntRect cursor = CursorRect(mDrawnCursorPos);
    IntRect visible = cursor.Intersection(mPresentationRect);
    IntRect saved(visible.mX - cursor.mX, visible.mY - cursor.mY, visible.mWidth, visible.mHeight);
    const platform::Point origin = SurfaceOrigin(onScreen);
    visible = Moved(visible, origin.x, origin.y);
    mCursorOnScreen = CursorBlt(mOldCursorArea, saved, surface, visible, false);
    // A cursor whose background could not be kept could never be taken off.
    if (!mCursorOnScreen)
        return;

    const int offsetX = (mCursorWidth - mCursorImage->GetWidth()) / 2;
    const int offsetY = (mCursorHeight - mCursorImage->GetHeight()) / 2;
    if (surface == mDrawSurface && !mIs3D && mScreenImage != nullptr && mScreenImage->mSurface == mDrawSurface) {
        DrawCursorImage(mScreenImage, mDrawnCursorPos.mX + offsetX - mCursorWidth / 2,
                        mDrawnCursorPos.mY + offsetY - mCursorHeight / 2);
        return;
    }
    const platform::BltEffects effects;
    const platform::Rect area = ToEdges(saved);
    mNewCursorArea->Blt(&area, mOldCursorArea, &area, platform::kBltWait, &effects);
    DrawCursorImage(mNewCursorAreaImage, offsetX, offsetY);
    const platform::Rect dest = ToEdges(visible);
    surface->Blt(&dest, mNewCursorArea, &area, platform::kBltWait, &effects);
}

void DDInterface::MoveCursor(platform::Surface* surface, bool onScreen, int x, int y) {
    if (!HasCursorToShow() || surface == nullptr)
        return;
    const platform::Point origin = SurfaceOrigin(onScreen);
    const platform::BltEffects effects;
    const IntRect oldCursor = CursorRect(mDrawnCursorPos);
    IntRect oldVisible = oldCursor.Intersection(mPresentationRect);
    const IntRect oldSaved(oldVisible.mX - oldCursor.mX, oldVisible.mY - oldCursor.mY, oldVisible.mWidth,
                           oldVisible.mHeight);
    oldVisible = Moved(oldVisible, origin.x, origin.y);
    const IntRect newCursor = CursorRect({x, y});
    IntRect newVisible = newCursor.Intersection(mPresentationRect);
    IntRect newSaved(newVisible.mX - newCursor.mX, newVisible.mY - newCursor.mY, newVisible.mWidth, newVisible.mHeight);
    newVisible = Moved(newVisible, origin.x, origin.y);

    // The background at the new place; where the old cursor covers it, the
    // screen shows the cursor, so that part comes from the old area.
    const bool saved = CursorBlt(mNewCursorArea, newSaved, surface, newVisible, false);
    const int dx = x - mDrawnCursorPos.mX;
    const int dy = y - mDrawnCursorPos.mY;
    const IntRect overlap =
        IntRect(dx, dy, mCursorWidth, mCursorHeight).Intersection(IntRect(0, 0, mCursorWidth, mCursorHeight));
    const int offsetX = (mCursorWidth - mCursorImage->GetWidth()) / 2;
    const int offsetY = (mCursorHeight - mCursorImage->GetHeight()) / 2;
    if (!IsEmpty(overlap)) {
        const platform::Rect from = ToEdges(overlap);
        const platform::Rect into = ToEdges(Moved(overlap, -dx, -dy));
        mNewCursorArea->Blt(&into, mOldCursorArea, &from, platform::kBltWait, &effects);
        // The old area now shows the cursor at its new place, so putting it
        // back never uncovers the cursor.
        DrawCursorImage(mOldCursorAreaImage, offsetX + dx, offsetY + dy);
    }
    if (!IsEmpty(oldVisible)) {
        const platform::Rect dest = ToEdges(oldVisible);
        const platform::Rect src = ToEdges(oldSaved);
        surface->Blt(&dest, mOldCursorArea, &src, platform::kBltWait, &effects);
    }
    mDrawnCursorPos = {x, y};
    mCursorOnScreen = saved;
    if (!saved)
        return;

    const platform::Rect whole{0, 0, mCursorWidth, mCursorHeight};
    mOldCursorArea->Blt(&whole, mNewCursorArea, &whole, platform::kBltWait, &effects);
    DrawCursorImage(mNewCursorAreaImage, offsetX, offsetY);
    const platform::Rect dest = ToEdges(newVisible);
    const platform::Rect src = ToEdges(newSaved);
    surface->Blt(&dest, mNewCursorArea, &src, platform::kBltWait, &effects);
}

void DDInterface::RestoreCursorArea(platform::Surface* surface, bool onScreen) {
    if (!mCursorOnScreen || mPrimarySurface == nullptr || surface == nullptr || mOldCursorArea == nullptr)
        return;
    const IntRect cursor = CursorRect(mDrawnCursorPos);
    IntRect visible = cursor.Intersection(IntRect(0, 0, mWidth, mHeight));
    IntRect saved(visible.mX - cursor.mX, visible.mY - cursor.mY, visible.mWidth, visible.mHeight);
    const platform::Point origin = SurfaceOrigin(onScreen);
    visible = Moved(visible, origin.x, origin.y);
    CursorBlt(surface, visible, mOldCursorArea, saved, true);
    mCursorOnScreen = false;
}

} // namespace Kavo
