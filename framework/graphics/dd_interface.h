#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include "framework/graphics/d3d_interface.h"
#include "framework/graphics/image_host.h"
#include "framework/util/rect.h"
#include "platform/threads.h"
#include "platform/window.h"

namespace Kavo {

class Image;
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

    // Presents the frame; false when not initialised or when a present
    // was scripted to fail (tests).
    bool Redraw(const IntRect* region);
    // Stores the software cursor's image; true when it changed.
    bool SetCursorImage(Image* image);
    // Stores the software cursor's position and draws it there at once
    // (cursor thread).
    void SetCursorPos(int32_t x, int32_t y);

    KavoAppBase* mApp;
    std::unique_ptr<D3DInterface> mD3DInterface;
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
    int32_t mRefreshPeriod = 16; // ms, 1000 / refresh rate
    // The software cursor: its image and position (the position is written
    // by the cursor thread).
    Image* mCursorImage = nullptr;
    std::atomic<int32_t> mCursorX{0};
    std::atomic<int32_t> mCursorY{0};
    int32_t mPresentCount = 0;
    int32_t mCursorMoveCount = 0;
    bool mFailPresents = false;
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
