// Presenting a frame: the draw surface is copied to the window, copied to
// the full screen, or flipped, and in a window the copy may be timed against
// the monitor's beam so that no frame tears.
#include "framework/graphics/dd_interface.h"

#include "platform/clock.h"
#include "platform/surface/surface_flags.h"

namespace Kavo {

namespace {

// The beam is given this long to reach the line it is waited for.
constexpr std::uint32_t kBeamWaitLimitMs = 200;
// After this many frames without a usable beam, frames wait for the blank.
constexpr int32_t kScanLineFailuresBeforeBlankWait = 3;

platform::Rect ToEdges(const IntRect& rect) {
    return {rect.mX, rect.mY, rect.mX + rect.mWidth, rect.mY + rect.mHeight};
}

// Clears the presenting flag however Redraw returns.
class PresentingScope {
public:
    explicit PresentingScope(std::atomic<bool>& flag) : mFlag(flag) { mFlag = true; }
    ~PresentingScope() { mFlag = false; }
    PresentingScope(const PresentingScope&) = delete;
    PresentingScope& operator=(const PresentingScope&) = delete;

private:
    std::atomic<bool>& mFlag;
};

} // namespace

void DDInterface::WaitForVerticalBlank() {
    mDD->WaitForVerticalBlank(platform::kWaitVbBlockBegin);
}

bool DDInterface::Redraw(const IntRect* rect) {
    platform::AutoCrit guard(mCritSect);
    if (!mInitialized || mFailPresents)
        return false;
    ++mPresentCount;
    PresentingScope presenting(mIsPresenting);
    platform::BltEffects effects;

    if (mIs3D) {
        if (!mD3DInterface->mErrorString.empty()) {
            mIs3D = false;
            return false;
        }
        if (mD3DInterface->mSceneBegun) {
            mD3DInterface->EndScene();
            mD3DInterface->mErrorString.clear();
        }
    }

    platform::Rect dest;
    platform::Rect src;
    if (rect != nullptr && !mIsAspectCorrected) {
        dest = src = ToEdges(*rect);
    } else {
        dest = ToEdges(mPresentationRect);
        src = {0, 0, mWidth, mHeight};
    }
    std::uint32_t flags = platform::kBltWait;
    if (mIsAspectCorrected) {
        effects.fx = platform::kBltFxArithStretchY;
        flags |= platform::kBltDdFx;
    }
    const platform::Point origin =
        mHWnd != nullptr && platform::IsWindow(mHWnd) ? platform::ClientToScreen(mHWnd, {0, 0}) : platform::Point{};
    dest = {dest.left + origin.x, dest.top + origin.y, dest.right + origin.x, dest.bottom + origin.y};

    // Waits until any drawing into the frame has finished.
    platform::SurfaceDesc locked;
    if (platform::Succeeded(mDrawSurface->Lock(locked, platform::kLockWait | platform::kLockReadOnly)))
        mDrawSurface->Unlock();

    const PresentPolicy policy = Policy();
    const bool timed = policy.mWaitForVSync && !policy.mEmulateVSyncWhenWindowed;
    platform::HResult result = platform::DD_OK;
    const char* step = nullptr;
    if (mIsWindowed && !mVideoOnlyDraw) {
        mDrawnCursorPos = mCursorPos.load();
        DrawCursor(mDrawSurface, false);
        result = timed ? TimedBlit(dest, src, flags, effects)
                       : mPrimarySurface->Blt(&dest, mDrawSurface, &src, flags, &effects);
        // The frame is drawn again from scratch without the cursor, while
        // the window keeps showing it over the saved background.
        if (mCursorOnScreen) {
            RestoreCursorArea(mDrawSurface, false);
            mCursorOnScreen = true;
        }
        step = "Redraw Windowed";
    } else if (mIsWindowed) {
        if (timed)
            WaitForVerticalBlank();
        mDrawnCursorPos = mCursorPos.load();
        DrawCursor(mSecondarySurface, false);
        result = mPrimarySurface->Blt(&dest, mSecondarySurface, &src, flags, &effects);
        step = "Redraw Windowed";
    } else if (policy.mPageFlipping && !policy.mPopupActive) {
        if (!mVideoOnlyDraw)
            mSecondarySurface->Blt(&dest, mDrawSurface, &src, flags, &effects);
        mDrawnCursorPos = mCursorPos.load();
        DrawCursor(mSecondarySurface, true);
        result = mPrimarySurface->Flip(nullptr, platform::kFlipWait);
        step = "Redraw FullScreen Flip";
    } else {
        // No cursor on this road: a popup or the tablet's own pointer is shown.
        result = mPrimarySurface->Blt(&dest, mDrawSurface, &src, flags, &effects);
        step = "Redraw FullScreen Blt";
    }
    return !CheckDXError(result, step);
}

platform::HResult DDInterface::TimedBlit(const platform::Rect& dest, const platform::Rect& src, std::uint32_t flags,
                                         const platform::BltEffects& effects) {
    auto plainAfterBlank = [&] {
        WaitForVerticalBlank();
        return mPrimarySurface->Blt(&dest, mDrawSurface, &src, flags, &effects);
    };
    if (mScanLineFailCount >= kScanLineFailuresBeforeBlankWait)
        return plainAfterBlank();

    const int screenHeight = mPrimarySurface->Height();
    const int targetLine = dest.top + Request().mHeight / 2;
    bool before = false;
    const std::uint32_t start = platform::GetTickMs();
    for (;;) {
        std::uint32_t line = 0;
        const platform::HResult read = mDD->GetScanLine(line);
        if (platform::Succeeded(read)) {
            if (targetLine - static_cast<int>(line) > 0 && static_cast<int>(line) < screenHeight)
                before = true;
            else if (before)
                return SplitBlit(dest, src, flags, effects, targetLine, line);
        } else if (read == platform::DDERR_VERTICALBLANKINPROGRESS) {
            // In the blank the beam is below every visible line.
            if (before)
                return SplitBlit(dest, src, flags, effects, targetLine, static_cast<std::uint32_t>(screenHeight));
        } else {
            ++mScanLineFailCount;
            return plainAfterBlank();
        }
        if (platform::GetTickMs() - start >= kBeamWaitLimitMs) {
            ++mScanLineFailCount;
            return plainAfterBlank();
        }
    }
}

platform::HResult DDInterface::SplitBlit(const platform::Rect& dest, const platform::Rect& src, std::uint32_t flags,
                                         const platform::BltEffects& effects, int targetLine, std::uint32_t lastLine) {
    mScanLineFailCount = 0;
    const int sourceMiddle = Request().mHeight / 2;
    const platform::Rect upperDest{dest.left, dest.top, dest.right, targetLine};
    const platform::Rect upperSrc{src.left, src.top, src.right, sourceMiddle};
    mPrimarySurface->Blt(&upperDest, mDrawSurface, &upperSrc, flags, &effects);

    // The lower half waits until the beam has wrapped or passed the frame,
    // but never longer than the limit: a beam that stops answering must not
    // hold the frame up.
    const int frameEnd = dest.top + mHeight;
    const std::uint32_t start = platform::GetTickMs();
    while (platform::GetTickMs() - start < kBeamWaitLimitMs) {
        std::uint32_t line = 0;
        if (platform::Failed(mDD->GetScanLine(line))) {
            platform::SleepMs(1);
            continue;
        }
        if (line < lastLine || static_cast<int>(line) >= frameEnd)
            break;
    }
    const platform::Rect lowerDest{dest.left, targetLine, dest.right, dest.bottom};
    const platform::Rect lowerSrc{src.left, sourceMiddle, src.right, src.bottom};
    return mPrimarySurface->Blt(&lowerDest, mDrawSurface, &lowerSrc, flags, &effects);
}

} // namespace Kavo
