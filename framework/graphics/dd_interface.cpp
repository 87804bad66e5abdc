#include "framework/graphics/dd_interface.h"

#include <cstring>
#include <numeric>

#include "framework/graphics/dd_image.h"
#include "framework/util/debug_trace.h"
#include "framework/util/directx_error.h"
#include "platform/surface/clipper.h"
#include "platform/surface/display_settings.h"
#include "platform/surface/surface_flags.h"
#include "platform/surface/video_driver_presenter.h"

namespace Kavo {

namespace {

// Releases a reference held in `object` and clears the pointer.
template <typename T>
void ReleaseAndClear(T*& object) {
    if (object != nullptr) {
        object->Release();
        object = nullptr;
    }
}

} // namespace

AspectRatio AspectRatio::Reduced(int32_t width, int32_t height) {
    const int32_t divisor = std::gcd(width, height);
    if (divisor == 0)
        return {width, height};
    return {width / divisor, height / divisor};
}

bool AspectsDiffer(const AspectRatio& first, const AspectRatio& second) {
    if (first.mDenominator == 0 || second.mDenominator == 0)
        return first.mNumerator != second.mNumerator || first.mDenominator != second.mDenominator;
    return second.mNumerator * first.mDenominator / second.mDenominator < first.mNumerator ||
           second.mNumerator < first.mNumerator * second.mDenominator / first.mDenominator;
}

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

DDInterface::DDInterface(DisplayOwner* owner, platform::CriticalSection& lock)
    : mApp(owner), mD3DInterface(std::make_unique<D3DInterface>()), mCritSect(lock) {
    mD3DInterface->mOwner = owner;
    mD3DInterface->mLock = &mCritSect;
    // A program that installed no display of its own shows the desktop's
    // through the video driver.
    if (!platform::DisplayEnvironmentSlot().Get()) {
        auto environment = std::make_shared<platform::DisplayEnvironment>();
        environment->settings = platform::DesktopDisplaySettings();
        environment->presenter = std::make_shared<platform::VideoDriverPresenter>();
        mOwnEnvironment.emplace(platform::DisplayEnvironmentSlot(), std::move(environment));
    }
    m3DAnswer.emplace(Display3DSlot(), platform::Unowned<Display3D>(*this));
}

DDInterface::~DDInterface() {
    platform::AutoCrit guard(mCritSect);
    Cleanup();
    mD3DInterface.reset();
    mErrorString.clear();
    // Images that outlive the device keep their surfaces but no longer reach it.
    for (DDImage* image : mDDImageSet)
        image->mDDInterface = nullptr;
    mDDImageSet.clear();
}

DisplayRequest DDInterface::Request() const {
    return mApp != nullptr ? mApp->GetDisplayRequest() : DisplayRequest{};
}

PresentPolicy DDInterface::Policy() const {
    return mApp != nullptr ? mApp->GetPresentPolicy() : PresentPolicy{};
}

bool DDInterface::CheckDXError(platform::HResult result, const char* step) {
    if (platform::Succeeded(result))
        return false;
    mErrorString = std::string(step) + ": " + GetDirectXErrorString(result);
    return true;
}

bool DDInterface::IsDrawSurface3D(const Image* image) const {
    return mIs3D && image != nullptr && mScreenImage != nullptr && image == static_cast<const Image*>(mScreenImage) &&
           mDrawSurface != nullptr && mScreenImage->mSurface == mDrawSurface;
}

void DDInterface::AddDDImage(DDImage* image) {
    platform::AutoCrit guard(mCritSect);
    mDDImageSet.insert(image);
}

void DDInterface::RemoveDDImage(DDImage* image) {
    platform::AutoCrit guard(mCritSect);
    mDDImageSet.erase(image);
}

int32_t DDInterface::Init(platform::WindowHandle window, bool windowed) {
    platform::AutoCrit guard(mCritSect);
    ++mInitCount;
    if (!mScriptedResults.empty()) {
        const int32_t scripted = mScriptedResults.front();
        mScriptedResults.pop_front();
        if (scripted != RESULT_OK) {
            mInitialized = false;
            Cleanup();
            mHWnd = window;
            mIsWindowed = windowed;
            mErrorString = "Init: " + ResultToString(scripted);
            return scripted;
        }
    }
    return SetUp(window, windowed);
}

int32_t DDInterface::SetUp(platform::WindowHandle window, bool windowed) {
    mInitialized = false;
    Cleanup();

    if (CheckDXError(platform::CreateDisplay(&mDD), "DirectDrawCreate"))
        return RESULT_DD_CREATE_FAIL;
    RunD3DTest(window);

    const DisplayRequest request = Request();
    mHWnd = window;
    mWidth = request.mWidth;
    mHeight = request.mHeight;
    mAspect = AspectRatio::Reduced(mWidth, mHeight);
    // The display object is new, so its mode is the desktop's.
    platform::SurfaceDesc desktop;
    if (platform::Succeeded(mDD->GetDisplayMode(desktop))) {
        mDesktopWidth = desktop.width;
        mDesktopHeight = desktop.height;
    }
    mDesktopAspect = AspectRatio::Reduced(mDesktopWidth, mDesktopHeight);
    mDisplayWidth = mWidth;
    mDisplayHeight = mHeight;
    mDisplayAspect = mAspect;
    mPresentationRect = IntRect(0, 0, mWidth, mHeight);
    mFullscreenBits = request.mColorDepth;
    mIsWindowed = windowed;
    DebugTrace("Application requests %4lu x %4lu [%2d:%2d]\n", static_cast<unsigned long>(mWidth),
               static_cast<unsigned long>(mHeight), mAspect.mNumerator, mAspect.mDenominator);

    int32_t result = RESULT_OK;
    if (windowed) {
        DebugTrace("Hack aspect is                   [%2d:%2d]\n", request.mHackAspectNum, request.mHackAspectDen);
        DebugTrace("Window is            %4lu x %4lu [%2d:%2d]\n", static_cast<unsigned long>(mDisplayWidth),
                   static_cast<unsigned long>(mDisplayHeight), mDisplayAspect.mNumerator, mDisplayAspect.mDenominator);
        result = SetUpWindowed();
    } else {
        result = SetUpFullScreen();
    }
    if (result != RESULT_OK)
        return result;
    DebugTrace("Draw buffer is       %4lu x %4lu [%2d:%2d]\n", static_cast<unsigned long>(mWidth),
               static_cast<unsigned long>(mHeight), mAspect.mNumerator, mAspect.mDenominator);

    TakeRefreshRate();
    if ((result = CreateCursorAreas()) != RESULT_OK)
        return result;
    if ((result = TakePixelFormat()) != RESULT_OK)
        return result;
    SetVideoOnlyDraw(mVideoOnlyDraw);

    if (mIs3D) {
        mD3DInterface->mOwner = mApp;
        mD3DInterface->mLock = &mCritSect;
        mD3DInterface->mErrorString.clear();
        if (!mD3DInterface->Init(mDD, mHWnd, mWidth, mHeight, mDrawSurface, mIsWindowed)) {
            mErrorString = "3D init error: " + mD3DInterface->mErrorString;
            return RESULT_3D_FAIL;
        }
    }
    mInitialized = true;
    return RESULT_OK;
}

bool DDInterface::RunD3DTest(platform::WindowHandle window) {
    const Display3DSettings settings = mApp != nullptr ? mApp->Get3DSettings() : Display3DSettings{};
    if (mD3DTester != nullptr || (!settings.mAutoEnable3D && !settings.mTest3D))
        return false;
    mD3DTester = std::make_unique<D3DTester>();
    mD3DTester->mMinVidMemory = settings.mMinVidMemory;
    mD3DTester->mRecVidMemory = settings.mRecVidMemory;
    mD3DTester->Test(window, mDD, mApp);
    const bool failed = !mD3DTester->mFailureReason.empty();
    const bool warned = !mD3DTester->mWarning.empty();
    if (settings.mAutoEnable3D && !failed && !warned)
        mIs3D = true;
    if (failed || (mD3DTester->mFreshResult && warned))
        mIs3D = false;
    return true;
}

platform::HResult DDInterface::CreatePlainSurface(int width, int height, std::uint32_t caps, platform::Surface** out) {
    platform::SurfaceDesc desc;
    desc.flags = platform::kDescCaps | platform::kDescWidth | platform::kDescHeight;
    desc.width = width;
    desc.height = height;
    desc.caps = caps;
    return CreateSurface(desc, out);
}

int32_t DDInterface::SetUpWindowed() {
    mDD->SetCooperativeLevel(mHWnd, platform::kCoopNormal); // a refusal shows at the primary

    platform::SurfaceDesc primary;
    primary.flags = platform::kDescCaps;
    primary.caps = platform::kCapsPrimarySurface | (mIs3D ? platform::kCaps3DDevice : 0);
    const platform::HResult created = CreateSurface(primary, &mPrimarySurface);
    if (created == platform::DDERR_INVALIDPIXELFORMAT)
        return RESULT_INVALID_COLORDEPTH;
    if (CheckDXError(created, "CreateSurface Windowed Primary"))
        return RESULT_SURFACE_FAIL;

    const std::uint32_t drawCaps =
        mIs3D ? platform::kCapsOffscreenPlain | platform::kCaps3DDevice | platform::kCapsVideoMemory
              : platform::kCapsOffscreenPlain | platform::kCapsSystemMemory;
    if (CheckDXError(CreatePlainSurface(mWidth, mHeight, drawCaps, &mDrawSurface),
                     "CreateSurface Windowed DrawSurface"))
        return RESULT_SURFACE_FAIL;
    return CreateClipper("CreateClipper Windowed");
}

int32_t DDInterface::SetUpFullScreen() {
    DebugTrace("Desktop is           %4lu x %4lu [%2d:%2d]\n", static_cast<unsigned long>(mDesktopWidth),
               static_cast<unsigned long>(mDesktopHeight), mDesktopAspect.mNumerator, mDesktopAspect.mDenominator);
    // In 3D the desktop's resolution stays and the game area is shown at
    // full height, centred between black bars.
    if (mIs3D && mHeight > 0 && AspectsDiffer(mDesktopAspect, mAspect)) {
        mDisplayWidth = mDesktopWidth;
        mDisplayHeight = mDesktopHeight;
        mDisplayAspect = mDesktopAspect;
        mIsAspectCorrected = true;
        const int32_t width = mWidth * mDesktopHeight / mHeight;
        mPresentationRect = IntRect((mDesktopWidth - width) / 2, 0, width, mDesktopHeight);
    }
    DebugTrace("Display is           %4lu x %4lu [%2d:%2d]\n", static_cast<unsigned long>(mDisplayWidth),
               static_cast<unsigned long>(mDisplayHeight), mDisplayAspect.mNumerator, mDisplayAspect.mDenominator);

    if (CheckDXError(mDD->SetCooperativeLevel(mHWnd, platform::kCoopFullScreen | platform::kCoopExclusive),
                     "SetCooperativeLevel FullScreen"))
        return RESULT_EXCLUSIVE_FAIL;
    if (CheckDXError(mDD->SetDisplayMode(mDisplayWidth, mDisplayHeight, mFullscreenBits), "SetDisplayMode FullScreen"))
        return RESULT_DISPCHANGE_FAIL;

    platform::SurfaceDesc primary;
    primary.flags = platform::kDescCaps | platform::kDescBackBufferCount;
    primary.backBufferCount = 1;
    primary.caps = platform::kCapsPrimarySurface | platform::kCapsFlip | platform::kCapsComplex |
                   (mIs3D ? platform::kCaps3DDevice : 0);
    if (CheckDXError(CreateSurface(primary, &mPrimarySurface), "CreateSurface FullScreen Primary"))
        return RESULT_SURFACE_FAIL;
    if (CheckDXError(mPrimarySurface->GetAttachedSurface(platform::kCapsBackBuffer, &mSecondarySurface),
                     "GetAttachedSurface"))
        return RESULT_SURFACE_FAIL;
    if (mIsAspectCorrected) {
        ClearSurface(mPrimarySurface);
        ClearSurface(mSecondarySurface);
    }

    const std::uint32_t drawCaps =
        mIs3D ? platform::kCapsOffscreenPlain | platform::kCaps3DDevice | platform::kCapsVideoMemory
              : platform::kCapsOffscreenPlain | platform::kCapsSystemMemory;
    if (CheckDXError(CreatePlainSurface(mWidth, mHeight, drawCaps, &mDrawSurface),
                     "CreateSurface FullScreen DrawSurface"))
        return RESULT_SURFACE_FAIL;
    const int32_t clipped = CreateClipper("CreateClipper FullScreen");
    if (clipped != RESULT_OK)
        return clipped;
    // On a tablet frames are blitted, so the desktop's own buffer stays in front.
    if (!Policy().mPageFlipping)
        mDD->FlipToGdiSurface();
    return RESULT_OK;
}

int32_t DDInterface::CreateClipper(const char* step) {
    platform::Clipper* clipper = nullptr;
    if (CheckDXError(mDD->CreateClipper(0, &clipper), step))
        return RESULT_FAIL;
    if (platform::Succeeded(clipper->SetHWnd(0, mHWnd)))
        mPrimarySurface->SetClipper(clipper);
    clipper->Release();
    return RESULT_OK;
}

void DDInterface::TakeRefreshRate() {
    std::uint32_t hz = 0;
    const bool known = platform::Succeeded(mDD->GetMonitorFrequency(hz));
    mRefreshRate = static_cast<int32_t>(hz);
    // Outside 60..100 Hz the answer is not trusted for pacing frames.
    if (!known || hz < 60 || hz > 100) {
        mRefreshRate = !known || hz < 60 ? 60 : 100;
        if (mApp != nullptr)
            mApp->SetRefreshPacingOff();
    }
    mMillisecondsPerFrame = 1000 / mRefreshRate;
}

DDImage* DDInterface::AdoptSurface(platform::Surface* surface) {
    auto* image = new DDImage(this);
    image->SetSurface(surface);
    image->mHasAlpha = false;
    image->mHasTrans = false;
    return image;
}

int32_t DDInterface::CreateCursorAreas() {
    const std::uint32_t caps = platform::kCapsOffscreenPlain | platform::kCapsSystemMemory;
    if (CheckDXError(CreatePlainSurface(mCursorWidth, mCursorHeight, caps, &mOldCursorArea),
                     "CreateSurface OldCursorArea"))
        return RESULT_SURFACE_FAIL;
    mOldCursorAreaImage = AdoptSurface(mOldCursorArea);
    if (CheckDXError(CreatePlainSurface(mCursorWidth, mCursorHeight, caps, &mNewCursorArea),
                     "CreateSurface NewCursorArea"))
        return RESULT_SURFACE_FAIL;
    mNewCursorAreaImage = AdoptSurface(mNewCursorArea);
    return RESULT_OK;
}

int32_t DDInterface::TakePixelFormat() {
    platform::SurfaceDesc desc;
    if (CheckDXError(mPrimarySurface->GetSurfaceDesc(desc), "GetSurfaceDesc Primary"))
        return RESULT_SURFACE_FAIL;
    const platform::PixelFormat& format = desc.pixelFormat;
    if (format.bitCount != 16 && format.bitCount != 32)
        return RESULT_INVALID_COLORDEPTH;
    mBitsPerPixel = static_cast<int32_t>(format.bitCount);
    mPixelFormat = PixelFormatFromMasks(format.redMask, format.greenMask, format.blueMask);
    mColorTables.Build(mPixelFormat);
    mDisplayTables.emplace(mPixelFormat);
    return RESULT_OK;
}

platform::HResult DDInterface::CreateSurface(const platform::SurfaceDesc& desc, platform::Surface** out) {
    platform::AutoCrit guard(mCritSect);
    if (out == nullptr)
        return platform::DDERR_INVALIDPARAMS;
    *out = nullptr;
    if (mDD == nullptr)
        return platform::DDERR_NOTINITIALIZED;
    const platform::HResult created = mDD->CreateSurface(desc, out);
    if (platform::Failed(created))
        return created;
    platform::Surface* primary = mPrimarySurface != nullptr ? mPrimarySurface : *out;
    platform::SurfaceDesc primaryDesc;
    const platform::HResult described = primary->GetSurfaceDesc(primaryDesc);
    const platform::PixelFormat& format = primaryDesc.pixelFormat;
    if (platform::Succeeded(described))
        mRgbOrder = Kavo::IsRgbOrder(format.redMask, format.greenMask, format.blueMask);
    if (platform::Failed(described) || (format.bitCount != 16 && format.bitCount != 32)) {
        ReleaseAndClear(*out);
        return platform::Failed(described) ? described : platform::DDERR_INVALIDPIXELFORMAT;
    }
    return platform::DD_OK;
}

void DDInterface::SetVideoOnlyDraw(bool videoOnly) {
    platform::AutoCrit guard(mCritSect);
    mVideoOnlyDraw = videoOnly;
    if (mDD == nullptr || mDrawSurface == nullptr)
        return;
    if (mSecondarySurface == nullptr &&
        platform::Failed(CreatePlainSurface(mWidth, mHeight, platform::kCapsVideoMemory, &mSecondarySurface)))
        mVideoOnlyDraw = false;
    delete mScreenImage;
    mScreenImage = AdoptSurface(mVideoOnlyDraw ? mSecondarySurface : mDrawSurface);
    mScreenImage->mNoReadBack = mVideoOnlyDraw;
    mScreenImage->mVideoMemory = mVideoOnlyDraw;
}

void DDInterface::ClearSurface(platform::Surface* surface) {
    if (surface == nullptr)
        return;
    platform::SurfaceDesc desc;
    if (platform::Failed(surface->Lock(desc, platform::kLockWait | platform::kLockWriteOnly)))
        return;
    auto* row = static_cast<std::uint8_t*>(desc.surface);
    const std::size_t bytes = std::size_t(desc.width) * std::size_t(desc.pixelFormat.BytesPerPixel());
    for (int y = 0; y < desc.height; ++y, row += desc.pitch)
        std::memset(row, 0, bytes);
    surface->Unlock();
}

void DDInterface::Cleanup() {
    platform::AutoCrit guard(mCritSect);
    mInitialized = false;
    mCursorOnScreen = false;
    mD3DInterface->Cleanup();
    delete mOldCursorAreaImage;
    mOldCursorAreaImage = nullptr;
    delete mNewCursorAreaImage;
    mNewCursorAreaImage = nullptr;
    ReleaseAndClear(mOldCursorArea);
    ReleaseAndClear(mNewCursorArea);
    delete mScreenImage;
    mScreenImage = nullptr;
    ReleaseAndClear(mDrawSurface);
    ReleaseAndClear(mSecondarySurface);
    ReleaseAndClear(mPrimarySurface);
    if (mDD != nullptr) {
        mDD->SetCooperativeLevel(mHWnd, platform::kCoopNormal);
        ReleaseAndClear(mDD);
    }
    mIsAspectCorrected = false;
}

void DDInterface::RestoreDisplayMode() {
    platform::AutoCrit guard(mCritSect);
    ++mRestoreCount;
    if (mDD != nullptr)
        mDD->RestoreDisplayMode();
}

void DDInterface::FlipToGDISurface() {
    platform::AutoCrit guard(mCritSect);
    ++mFlipToGdiCount;
    if (mDD != nullptr)
        mDD->FlipToGdiSurface();
}

} // namespace Kavo
