#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include "framework/graphics/d3d_interface.h"
#include "framework/graphics/d3d_tester.h"
#include "framework/graphics/image_host.h"
#include "platform/threads.h"
#include "platform/window.h"

namespace Kavo {

class KavoAppBase;

// The application's display device. Surfaces, presenting and the software
// cursor come with the display; what exists now is set-up with its result
// codes, the pixel format, the 3D flag, the renderer and the lock. The lock
// belongs to the application, which creates it before any image exists.
class DDInterface {
public:
    enum InitResult : int32_t {
        RESULT_OK = 0,
        RESULT_FAIL = 1,
        RESULT_DD_CREATE_FAIL = 2,
        RESULT_SURFACE_FAIL = 3,
        RESULT_EXCLUSIVE_FAIL = 4,
        RESULT_DISPCHANGE_FAIL = 5,
        RESULT_INVALID_COLORDEPTH = 6,
        RESULT_3D_FAIL = 7, // named RESULT_UNKNOWN by ResultToString
    };
    static std::string ResultToString(int32_t result);

    DDInterface(KavoAppBase* app, platform::CriticalSection& lock);
    virtual ~DDInterface();
    DDInterface(const DDInterface&) = delete;
    DDInterface& operator=(const DDInterface&) = delete;

    // Sets the display up for the window. Without a script: RESULT_OK. With
    // one (tests): the next scripted result; a failure leaves the device
    // uninitialised with an error text.
    int32_t Init(platform::WindowHandle window, bool windowed);
    void ScriptInitResults(std::deque<int32_t> results) { mScriptedResults = std::move(results); }
    int32_t GetInitCount() const { return mInitCount; }

    // Leaves exclusive mode and puts the desktop's mode back.
    void RestoreDisplayMode();
    // Shows the system's drawing surface so that a popup is visible.
    void FlipToGDISurface();
    bool HasDirectDraw() const { return mHasDirectDraw; }
    const DisplayPixelFormat& GetPixelFormat() const { return mPixelFormat; }

    KavoAppBase* mApp;
    std::unique_ptr<D3DInterface> mD3DInterface;
    std::unique_ptr<D3DTester> mD3DTester; // made by the first 3D capability test
    bool mIs3D = false;
    platform::CriticalSection& mCritSect;
    bool mInitialized = false;
    platform::WindowHandle mHWnd = nullptr;
    bool mIsWindowed = true;
    int32_t mWidth = 0; // the game area
    int32_t mHeight = 0;
    int32_t mDisplayWidth = 0;
    int32_t mDisplayHeight = 0;
    int32_t mBitsPerPixel = 0;
    int32_t mRefreshRate = 60;
    std::string mErrorString;
    int32_t mRestoreCount = 0;
    int32_t mFlipToGdiCount = 0;

private:
    DisplayPixelFormat mPixelFormat;
    bool mHasDirectDraw = false;
    std::deque<int32_t> mScriptedResults;
    int32_t mInitCount = 0;
};

} // namespace Kavo
