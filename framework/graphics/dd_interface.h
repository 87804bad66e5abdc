#pragma once
// The application's one display device: the display object of the surface
// layer, the primary, back or secondary and draw surfaces, the pixel format
// with its tables, the live surface images, the 3D renderer and presenting
// a frame. Every frame is drawn into the draw surface and copied or flipped
// to the screen by Redraw.

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "framework/graphics/d3d_interface.h"
#include "framework/graphics/d3d_tester.h"
#include "framework/graphics/display_3d.h"
#include "framework/graphics/display_color_tables.h"
#include "framework/graphics/display_owner.h"
#include "framework/graphics/display_tables.h"
#include "framework/graphics/image_host.h"
#include "framework/util/rect.h"
#include "platform/result_codes.h"
#include "platform/surface/display.h"
#include "platform/surface/display_environment.h"
#include "platform/surface/surface.h"
#include "platform/threads.h"
#include "platform/window.h"

namespace Kavo {

class DDImage;
class Image;

// Where the mouse is, in the draw area's coordinates.
struct CursorPoint {
    int32_t mX = 0;
    int32_t mY = 0;
};

// The display's pixel format: all zero until a set-up succeeds.
class NativeDisplay {
public:
    virtual ~NativeDisplay() = default;

    int32_t mBitsPerPixel = 0;
    DisplayPixelFormat mPixelFormat{0, 0, 0, 0, 0, 0, 0, 0, 0};
};

// A width:height ratio reduced by the greatest common divisor.
struct AspectRatio {
    int32_t mNumerator = 1;
    int32_t mDenominator = 1;
    static AspectRatio Reduced(int32_t width, int32_t height);
};

// Whether two reduced ratios differ, tested the way the display chooses to
// correct the aspect (the check is not symmetric in its arguments).
bool AspectsDiffer(const AspectRatio& first, const AspectRatio& second);

class DDInterface : public NativeDisplay, public Display3D {
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

    // The lock is the owner's and must outlive the device. With no display
    // environment installed the device installs the desktop's, shown through
    // the video driver, for its own lifetime. It answers the process's 3D
    // question while it exists.
    DDInterface(DisplayOwner* owner, platform::CriticalSection& lock);
    ~DDInterface() override;
    DDInterface(const DDInterface&) = delete;
    DDInterface& operator=(const DDInterface&) = delete;

    // Builds the display for the window; starts by releasing everything of
    // the last set-up. A failure leaves what was built until the next Init.
    int32_t Init(platform::WindowHandle window, bool windowed);
    // Tests: the next Init calls answer these results in turn; a failure is
    // answered without touching the display (error text "Init: <name>").
    void ScriptInitResults(std::deque<int32_t> results) { mScriptedResults = std::move(results); }
    int32_t GetInitCount() const { return mInitCount; }
    void Cleanup();

    // Creates one surface; after a success refuses it with
    // DDERR_INVALIDPIXELFORMAT when the primary is neither 16 nor 32 bits.
    platform::HResult CreateSurface(const platform::SurfaceDesc& desc, platform::Surface** out);
    // Where the screen image draws: into the video-memory secondary (true)
    // or into the draw surface.
    void SetVideoOnlyDraw(bool videoOnly);
    void AddDDImage(DDImage* image);
    void RemoveDDImage(DDImage* image);
    void ClearSurface(platform::Surface* surface);
    // Runs the 3D capability test once, when the owner asks for automatic
    // 3D or for the test, and sets is-3D from its outcome. True when it ran.
    bool RunD3DTest(platform::WindowHandle window);
    // For a failure: error text "<step>: <result name>" and true.
    bool CheckDXError(platform::HResult result, const char* step);

    // Presents the frame (or a rectangle of it). False when not initialised,
    // when 3D failed, or when the final blit or flip failed.
    bool Redraw(const IntRect* rect);

    // ---- The software cursor (dd_interface_cursor.cpp) ----
    // Under the lock: true when the image differs from the current one.
    // Null shows no cursor.
    bool SetCursorImage(Image* image);
    // The cursor thread's call: stores the position and, unless a frame is
    // being presented, moves (or draws) the cursor on the screen.
    void SetCursorPos(int x, int y);
    // Saves the background under the cursor at the drawn position and draws
    // the cursor on the surface. onScreen: the surface is the primary of a
    // window, offset by the window's client origin.
    void DrawCursor(platform::Surface* surface, bool onScreen);
    // Moves a drawn cursor to (x, y) without a moment in which neither the
    // old nor the new cursor is shown.
    void MoveCursor(platform::Surface* surface, bool onScreen, int x, int y);
    // Puts the saved background back; the cursor is then off the surface.
    void RestoreCursorArea(platform::Surface* surface, bool onScreen);
    CursorPoint GetCursorPos() const { return mCursorPos.load(); }

    // Leaves exclusive mode and puts the desktop's mode back.
    void RestoreDisplayMode();
    // Shows the system's drawing surface so that a popup is visible.
    void FlipToGDISurface();
    bool HasDirectDraw() const { return mDD != nullptr; }
    const DisplayPixelFormat& GetPixelFormat() const { return mPixelFormat; }
    bool IsRgbOrder() const { return mRgbOrder.load(); }
    const DisplayColorTables& GetColorTables() const { return mColorTables; }
    // The software kernels' tables for the display's format; null before a
    // set-up has taken the pixel format.
    const DisplayTables* GetDisplayTables() const { return mDisplayTables ? &*mDisplayTables : nullptr; }

    // The process's 3D answers: true only in 3D, and for the draw surface's image.
    bool IsDisplay3D() const override { return mIs3D; }
    bool IsDrawSurface3D(const Image* image) const override;

    DisplayOwner* mApp;
    std::unique_ptr<D3DInterface> mD3DInterface;
    std::unique_ptr<D3DTester> mD3DTester; // made by the first 3D capability test
    bool mIs3D = false;
    platform::CriticalSection& mCritSect;
    // Read by the cursor thread while the main thread presents.
    std::atomic<bool> mIsPresenting{false};
    platform::Display* mDD = nullptr;
    platform::Surface* mPrimarySurface = nullptr;
    platform::Surface* mSecondarySurface = nullptr;
    platform::Surface* mDrawSurface = nullptr;
    int32_t mWidth = 0; // the draw surface: the game area
    int32_t mHeight = 0;
    AspectRatio mAspect;
    int32_t mDesktopWidth = 0;
    int32_t mDesktopHeight = 0;
    AspectRatio mDesktopAspect;
    bool mIsAspectCorrected = false;
    int32_t mDisplayWidth = 0;
    int32_t mDisplayHeight = 0;
    AspectRatio mDisplayAspect;
    IntRect mPresentationRect;
    int32_t mFullscreenBits = 16;
    int32_t mRefreshRate = 60;
    int32_t mMillisecondsPerFrame = 16;
    int32_t mScanLineFailCount = 0;
    DisplayColorTables mColorTables;
    std::optional<DisplayTables> mDisplayTables;
    bool mInitialized = false;
    platform::WindowHandle mHWnd = nullptr;
    bool mIsWindowed = true;
    DDImage* mScreenImage = nullptr;
    std::set<DDImage*> mDDImageSet;
    bool mVideoOnlyDraw = false;
    // Presents counted, and presents made to fail, for the application's tests.
    int32_t mPresentCount = 0;
    bool mFailPresents = false;
    int32_t mCursorWidth = 64;
    int32_t mCursorHeight = 64;
    platform::Surface* mOldCursorArea = nullptr;
    platform::Surface* mNewCursorArea = nullptr;
    DDImage* mOldCursorAreaImage = nullptr;
    DDImage* mNewCursorAreaImage = nullptr;
    Image* mCursorImage = nullptr;
    // Written by the cursor thread without the lock.
    std::atomic<CursorPoint> mCursorPos{};
    // SetCursorPos calls, counted for the application's tests.
    std::atomic<int32_t> mCursorMoveCount{0};
    CursorPoint mDrawnCursorPos;
    // The old cursor area holds the background under the cursor on screen.
    bool mCursorOnScreen = false;
    std::string mErrorString;
    int32_t mRestoreCount = 0;
    int32_t mFlipToGdiCount = 0;

private:
    int32_t SetUp(platform::WindowHandle window, bool windowed);
    int32_t SetUpWindowed();
    int32_t SetUpFullScreen();
    int32_t CreateClipper(const char* step);
    int32_t CreateCursorAreas();
    int32_t TakePixelFormat();
    void TakeRefreshRate();
    platform::HResult CreatePlainSurface(int width, int height, std::uint32_t caps, platform::Surface** out);
    DDImage* AdoptSurface(platform::Surface* surface);

    // The cursor (dd_interface_cursor.cpp).
    bool HasCursorToShow();
    IntRect CursorRect(CursorPoint position) const;
    platform::Point SurfaceOrigin(bool onScreen) const;
    // Blits area rectangles between a surface and a cursor area; when the
    // blit fails, once more with the surface's side cut to the screen.
    bool CursorBlt(platform::Surface* to, IntRect& toRect, platform::Surface* from, IntRect& fromRect,
                   bool surfaceIsTarget);
    void DrawCursorImage(DDImage* target, int x, int y);

    // Presenting (dd_interface_present.cpp).
    platform::HResult TimedBlit(const platform::Rect& dest, const platform::Rect& src, std::uint32_t flags,
                                const platform::BltEffects& effects);
    platform::HResult SplitBlit(const platform::Rect& dest, const platform::Rect& src, std::uint32_t flags,
                                const platform::BltEffects& effects, int targetLine, std::uint32_t lastLine);
    void WaitForVerticalBlank();

    DisplayRequest Request() const;
    PresentPolicy Policy() const;

    std::atomic<bool> mRgbOrder{false};
    std::deque<int32_t> mScriptedResults;
    int32_t mInitCount = 0;
    std::optional<platform::Installed<platform::DisplayEnvironment>> mOwnEnvironment;
    std::optional<platform::Installed<Display3D>> m3DAnswer;
};

} // namespace Kavo
