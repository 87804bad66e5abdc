#include "platform/surface/display.h"

#include <algorithm>

#include "platform/clock.h"
#include "platform/drivers.h"
#include "platform/surface/clipper.h"
#include "platform/surface/display_core.h"
#include "platform/surface/surface.h"

namespace platform {

namespace {

constexpr int kLargestSide = 16384;
constexpr std::uint32_t kChainCaps = kCapsBackBuffer | kCapsFlip | kCapsComplex | kCapsFrontBuffer;

} // namespace

HResult CreateDisplay(Display** out) {
    if (!out) {
        return DDERR_INVALIDPARAMS;
    }
    *out = nullptr;
    const std::shared_ptr<DisplayEnvironment> environment = DisplayEnvironmentSlot().Get();
    if (!environment) {
        return DDERR_NODIRECTDRAWHW;
    }
    auto core = std::make_shared<DisplayCore>(*environment);
    if (const HResult injected = core->Check(DisplayOperation::CreateDisplay); Failed(injected)) {
        return injected;
    }
    if (!core->Settings().available) {
        return DDERR_NODIRECTDRAWHW;
    }
    *out = new Display(std::move(core));
    return DD_OK;
}

Display::Display(std::shared_ptr<DisplayCore> core) : mCore(std::move(core)) {
    ++mCore->Live().displays;
}

Display::~Display() {
    if (mCore->IsExclusive()) {
        LeaveFullScreen(mCore->CooperativeWindow());
        mCore->RestoreMode();
        mCore->SetCooperation(nullptr, false);
    }
    --mCore->Live().displays;
}

HResult Display::SetCooperativeLevel(WindowHandle window, std::uint32_t flags) {
    if (const HResult injected = mCore->Check(DisplayOperation::SetCooperativeLevel); Failed(injected)) {
        return injected;
    }
    const bool normal = (flags & kCoopNormal) != 0;
    const bool exclusive = (flags & kCoopExclusive) != 0;
    const bool fullScreen = (flags & kCoopFullScreen) != 0;
    if (exclusive != fullScreen || normal == exclusive) {
        return DDERR_INVALIDPARAMS;
    }
    if ((window && !IsWindow(window)) || (exclusive && !window)) {
        return DDERR_INVALIDPARAMS;
    }
    const WindowHandle before = mCore->CooperativeWindow();
    const bool wasExclusive = mCore->IsExclusive();
    if (!exclusive && wasExclusive) {
        mCore->RestoreMode();
    }
    mCore->SetCooperation(window, exclusive);
    // Exclusive full screen is the window covering the desktop: the video
    // driver scales the game area onto it between black bars.
    if (wasExclusive && (!exclusive || before != window)) {
        LeaveFullScreen(before);
    }
    if (exclusive) {
        GetVideoDriver()->SetFullScreen(window, true);
    }
    return DD_OK;
}

void Display::LeaveFullScreen(WindowHandle window) {
    if (window && IsWindow(window)) {
        GetVideoDriver()->SetFullScreen(window, false);
    }
}

HResult Display::SetDisplayMode(int width, int height, int bitsPerPixel) {
    if (const HResult injected = mCore->Check(DisplayOperation::SetDisplayMode); Failed(injected)) {
        return injected;
    }
    if (!mCore->IsExclusive()) {
        return DDERR_NOEXCLUSIVEMODE;
    }
    const DisplaySettings& settings = mCore->Settings();
    const bool knownDepth = bitsPerPixel == 16 || bitsPerPixel == 24 || bitsPerPixel == 32;
    const DisplayMode wanted{width, height, bitsPerPixel};
    if (width <= 0 || height <= 0 || !knownDepth ||
        (!settings.modes.empty() &&
         std::find(settings.modes.begin(), settings.modes.end(), wanted) == settings.modes.end())) {
        return DDERR_INVALIDMODE;
    }
    const bool desktopDepth = settings.desktopFormat.bitCount == static_cast<std::uint32_t>(bitsPerPixel);
    mCore->SetMode(width, height, desktopDepth ? settings.desktopFormat : FormatForDepth(bitsPerPixel));
    return DD_OK;
}

HResult Display::RestoreDisplayMode() {
    if (const HResult injected = mCore->Check(DisplayOperation::RestoreDisplayMode); Failed(injected)) {
        return injected;
    }
    mCore->RestoreMode();
    return DD_OK;
}

HResult Display::GetDisplayMode(SurfaceDesc& out) {
    if (const HResult injected = mCore->Check(DisplayOperation::GetDisplayMode); Failed(injected)) {
        return injected;
    }
    out = SurfaceDesc{};
    const DisplayMode mode = mCore->Mode(&out.pixelFormat);
    out.flags = kDescWidth | kDescHeight | kDescPitch | kDescPixelFormat | kDescRefreshRate;
    out.width = mode.width;
    out.height = mode.height;
    out.pitch = Surface::PitchFor(mode.width, out.pixelFormat, mCore->Settings().extraPitchBytes);
    out.refreshRate = mCore->Settings().monitorFrequencyHz;
    return DD_OK;
}

HResult Display::CreateSurface(const SurfaceDesc& desc, Surface** out) {
    if (const HResult injected = mCore->Check(DisplayOperation::CreateSurface); Failed(injected)) {
        return injected;
    }
    if (!out) {
        return DDERR_INVALIDPARAMS;
    }
    *out = nullptr;
    if (!mCore->HasCooperativeLevel()) {
        return DDERR_NOCOOPERATIVELEVELSET;
    }
    const std::uint32_t caps = (desc.flags & kDescCaps) ? desc.caps : 0;
    if ((caps & kCapsSystemMemory) && (caps & kCapsVideoMemory)) {
        return DDERR_INVALIDCAPS;
    }
    return (caps & kCapsPrimarySurface) ? CreatePrimary(desc, out) : CreateOffscreen(desc, out);
}

HResult Display::CreatePrimary(const SurfaceDesc& desc, Surface** out) {
    const std::uint32_t caps = (desc.flags & kDescCaps) ? desc.caps : 0;
    if (desc.flags & (kDescWidth | kDescHeight | kDescPixelFormat)) {
        return DDERR_INVALIDPARAMS;
    }
    if (caps & kCapsSystemMemory) {
        return DDERR_INVALIDCAPS;
    }
    if (mCore->Primary()) {
        return DDERR_PRIMARYSURFACEALREADYEXISTS;
    }
    const bool chain = (caps & kCapsFlip) != 0;
    const bool counted = (desc.flags & kDescBackBufferCount) != 0;
    if (chain) {
        if (!mCore->IsExclusive()) {
            return DDERR_NOEXCLUSIVEMODE;
        }
        if ((caps & kCapsComplex) == 0 || !counted || desc.backBufferCount == 0) {
            return DDERR_INVALIDCAPS;
        }
        if (desc.backBufferCount != 1) {
            return DDERR_UNSUPPORTED; // one back buffer is all this layer builds
        }
    } else if (counted || (caps & kCapsComplex)) {
        return DDERR_INVALIDCAPS;
    }

    PixelFormat format;
    const DisplayMode mode = mCore->Mode(&format);
    const std::uint64_t bytes =
        std::uint64_t(Surface::PitchFor(mode.width, format, mCore->Settings().extraPitchBytes)) *
        std::uint64_t(mode.height);
    const int buffers = chain ? 2 : 1;
    if (!mCore->ReserveVideoMemory(bytes * buffers)) {
        return DDERR_OUTOFVIDEOMEMORY;
    }
    const std::uint32_t shared = kCapsVideoMemory | (caps & kCaps3DDevice) | (chain ? kCapsFlip | kCapsComplex : 0);
    auto* front = new Surface(mCore, mode.width, mode.height, format,
                              shared | kCapsPrimarySurface | (chain ? kCapsFrontBuffer : 0));
    front->mVideoBytes = bytes;
    if (chain) {
        front->mBackBuffer = new Surface(mCore, mode.width, mode.height, format, shared | kCapsBackBuffer);
        front->mBackBuffer->mVideoBytes = bytes;
    }
    mCore->SetPrimary(front);
    *out = front;
    return DD_OK;
}

HResult Display::CreateOffscreen(const SurfaceDesc& desc, Surface** out) {
    const std::uint32_t caps = (desc.flags & kDescCaps) ? desc.caps : 0;
    if ((desc.flags & kDescWidth) == 0 || (desc.flags & kDescHeight) == 0 || desc.width <= 0 || desc.height <= 0) {
        return DDERR_INVALIDPARAMS;
    }
    if (desc.width > kLargestSide) {
        return DDERR_TOOBIGWIDTH;
    }
    if (desc.height > kLargestSide) {
        return DDERR_TOOBIGHEIGHT;
    }
    if (caps & kChainCaps) {
        return DDERR_INVALIDCAPS;
    }
    PixelFormat format;
    mCore->Mode(&format);
    if (desc.flags & kDescPixelFormat) {
        if (const HResult result = ValidatePixelFormat(desc.pixelFormat); Failed(result)) {
            return result;
        }
        format = desc.pixelFormat;
    }
    const std::uint64_t bytes =
        std::uint64_t(Surface::PitchFor(desc.width, format, mCore->Settings().extraPitchBytes)) *
        std::uint64_t(desc.height);
    // Video memory when asked; without a preference, video memory while it lasts.
    bool video = false;
    if (caps & kCapsVideoMemory) {
        if (!mCore->ReserveVideoMemory(bytes)) {
            return DDERR_OUTOFVIDEOMEMORY;
        }
        video = true;
    } else if ((caps & kCapsSystemMemory) == 0) {
        video = mCore->ReserveVideoMemory(bytes);
    }
    const std::uint32_t memory = video ? kCapsVideoMemory : kCapsSystemMemory;
    auto* surface =
        new Surface(mCore, desc.width, desc.height, format, (caps & ~(kCapsVideoMemory | kCapsSystemMemory)) | memory);
    surface->mVideoBytes = video ? bytes : 0;
    if (desc.flags & kDescColorKeySrcBlt) {
        surface->mHasSrcKey = true;
        surface->mSrcKey = desc.srcBltKey;
    }
    *out = surface;
    return DD_OK;
}

HResult Display::CreateClipper(std::uint32_t flags, Clipper** out) {
    if (const HResult injected = mCore->Check(DisplayOperation::CreateClipper); Failed(injected)) {
        return injected;
    }
    if (!out || flags != 0) {
        return DDERR_INVALIDPARAMS;
    }
    *out = new Clipper(mCore);
    return DD_OK;
}

HResult Display::CreatePalette(std::uint32_t, const PaletteEntry* entries, Palette** out) {
    if (const HResult injected = mCore->Check(DisplayOperation::CreatePalette); Failed(injected)) {
        return injected;
    }
    if (!out) {
        return DDERR_INVALIDPARAMS;
    }
    *out = new Palette(mCore, entries);
    return DD_OK;
}

HResult Display::GetMonitorFrequency(std::uint32_t& hz) {
    if (const HResult injected = mCore->Check(DisplayOperation::GetMonitorFrequency); Failed(injected)) {
        return injected;
    }
    if (!mCore->Settings().monitorFrequencyKnown) {
        return DDERR_UNSUPPORTED;
    }
    hz = mCore->Settings().monitorFrequencyHz;
    return DD_OK;
}

HResult Display::WaitForVerticalBlank(std::uint32_t flags) {
    if (const HResult injected = mCore->Check(DisplayOperation::WaitForVerticalBlank); Failed(injected)) {
        return injected;
    }
    if (flags != kWaitVbBlockBegin) {
        return DDERR_UNSUPPORTED;
    }
    mCore->CountVerticalBlankWait();
    if (ScanBeam* beam = mCore->Beam()) {
        beam->WaitForVerticalBlank();
        return DD_OK;
    }
    // No beam: the blanks fall on whole refresh periods of the process clock.
    const DisplaySettings& settings = mCore->Settings();
    const std::uint64_t hz =
        settings.monitorFrequencyKnown && settings.monitorFrequencyHz > 0 ? settings.monitorFrequencyHz : 60;
    const std::uint64_t period = 1000000 / hz;
    const std::uint64_t now = GetClock()->Microseconds();
    const std::uint64_t next = (now / period + 1) * period;
    SleepMs(static_cast<std::uint32_t>((next - now + 999) / 1000));
    return DD_OK;
}

HResult Display::GetScanLine(std::uint32_t& line) {
    if (const HResult injected = mCore->Check(DisplayOperation::GetScanLine); Failed(injected)) {
        return injected;
    }
    ScanBeam* beam = mCore->Beam();
    return beam ? beam->GetScanLine(line) : DDERR_UNSUPPORTED;
}

HResult Display::GetAvailableVidMem(std::uint32_t caps, std::uint32_t* total, std::uint32_t* free) {
    if (const HResult injected = mCore->Check(DisplayOperation::GetAvailableVidMem); Failed(injected)) {
        return injected;
    }
    if (caps & kCapsSystemMemory) {
        return DDERR_INVALIDCAPS;
    }
    const std::uint64_t all = mCore->Settings().videoMemoryBytes;
    if (total) {
        *total = static_cast<std::uint32_t>(all);
    }
    if (free) {
        *free = static_cast<std::uint32_t>(all - std::min(all, mCore->VideoMemoryUsed()));
    }
    return DD_OK;
}

HResult Display::GetDeviceIdentifier(DeviceIdentifier& out, std::uint32_t) {
    if (const HResult injected = mCore->Check(DisplayOperation::GetDeviceIdentifier); Failed(injected)) {
        return injected;
    }
    out = mCore->Settings().identifier;
    return DD_OK;
}

HResult Display::FlipToGdiSurface() {
    if (const HResult injected = mCore->Check(DisplayOperation::FlipToGdiSurface); Failed(injected)) {
        return injected;
    }
    Surface* primary = mCore->Primary();
    if (!primary || !primary->mFlipped) {
        return DD_OK;
    }
    if (primary->mLocked || primary->mBackBuffer->mLocked) {
        return DDERR_SURFACEBUSY;
    }
    primary->SwapWithBackBuffer();
    primary->Changed(primary->Bounds());
    return DD_OK;
}

void Display::SetPrimaryPresenter(std::shared_ptr<PrimaryPresenter> presenter) {
    mCore->SetPresenter(std::move(presenter));
}

FaultTable& Display::Faults() {
    return mCore->Faults();
}

bool Display::IsExclusive() const {
    return mCore->IsExclusive();
}

int Display::VerticalBlankWaits() const {
    return mCore->VerticalBlankWaits();
}

} // namespace platform
