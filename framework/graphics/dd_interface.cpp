#include "framework/graphics/dd_interface.h"

namespace Kavo {

std::string DDInterface::ResultToString(int32_t result) {
    switch (result) {
    case RESULT_OK:
        return "RESULT_OK";
    case RESULT_FAIL:
        return "RESULT_FAIL";
    case RESULT_DD_CREATE_FAIL:
        return "RESULT_DD_CREATE_FAIL";
    case RESULT_SURFACE_FAIL:
        return "RESULT_SURFACE_FAIL";
    case RESULT_EXCLUSIVE_FAIL:
        return "RESULT_EXCLUSIVE_FAIL";
    case RESULT_DISPCHANGE_FAIL:
        return "RESULT_DISPCHANGE_FAIL";
    case RESULT_INVALID_COLORDEPTH:
        return "RESULT_INVALID_COLORDEPTH";
    default:
        return "RESULT_UNKNOWN";
    }
}

DDInterface::DDInterface(KavoAppBase* app, platform::CriticalSection& lock)
    : mApp(app), mD3DInterface(std::make_unique<D3DInterface>()), mCritSect(lock) {}

DDInterface::~DDInterface() = default;

int32_t DDInterface::Init(platform::WindowHandle window, bool windowed) {
    platform::AutoCrit guard(mCritSect);
    ++mInitCount;
    mInitialized = false;
    mHWnd = window;
    mIsWindowed = windowed;
    int32_t result = RESULT_OK;
    if (!mScriptedResults.empty()) {
        result = mScriptedResults.front();
        mScriptedResults.pop_front();
    }
    if (result != RESULT_OK) {
        mErrorString = "Init: " + ResultToString(result);
        return result;
    }
    mHasDirectDraw = true;
    mBitsPerPixel = 32;
    mPixelFormat = DisplayPixelFormat::Rgb888();
    if (window != nullptr) {
        const platform::Rect client = platform::GetClientRect(window);
        mDisplayWidth = client.Width();
        mDisplayHeight = client.Height();
    }
    mInitialized = true;
    return RESULT_OK;
}

bool DDInterface::Redraw(const IntRect*) {
    platform::AutoCrit guard(mCritSect);
    if (!mInitialized || mFailPresents)
        return false;
    ++mPresentCount;
    return true;
}

bool DDInterface::SetCursorImage(Image* image) {
    platform::AutoCrit guard(mCritSect);
    if (mCursorImage == image)
        return false;
    mCursorImage = image;
    return true;
}

void DDInterface::SetCursorPos(int32_t x, int32_t y) {
    mCursorX = x;
    mCursorY = y;
    platform::AutoCrit guard(mCritSect);
    ++mCursorMoveCount;
}

void DDInterface::RestoreDisplayMode() {
    ++mRestoreCount;
}

void DDInterface::FlipToGDISurface() {
    ++mFlipToGdiCount;
}

} // namespace Kavo
