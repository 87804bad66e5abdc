#pragma once
// The display object of the surface layer: cooperative level, display
// modes, the monitor, video memory and the device's identity, and the maker
// of surfaces, clippers and palettes. Created by CreateDisplay from the
// installed DisplayEnvironment.

#include <cstdint>
#include <memory>

#include "platform/result_codes.h"
#include "platform/surface/display_environment.h"
#include "platform/surface/palette.h"
#include "platform/surface/ref_counted.h"
#include "platform/surface/surface_desc.h"
#include "platform/window.h"

namespace platform {

class Clipper;
class DisplayCore;
class Surface;

class Display final : public RefCounted {
public:
    // kCoopNormal, or kCoopFullScreen | kCoopExclusive (which needs a live
    // window). Leaving exclusive mode restores the desktop's mode.
    HResult SetCooperativeLevel(WindowHandle window, std::uint32_t flags);
    // Exclusive mode only (DDERR_NOEXCLUSIVEMODE); DDERR_INVALIDMODE for a
    // mode the display does not have.
    HResult SetDisplayMode(int width, int height, int bitsPerPixel);
    HResult RestoreDisplayMode();
    // Size, pitch-free format and refresh rate of the current mode.
    HResult GetDisplayMode(SurfaceDesc& out);

    // Primary (kCapsPrimarySurface; with kCapsFlip | kCapsComplex and one
    // back buffer in exclusive mode) or off-screen (width and height
    // required; the mode's format unless kDescPixelFormat gives one; video
    // memory when asked, or when there is room and system memory was not
    // asked). Needs a cooperative level.
    HResult CreateSurface(const SurfaceDesc& desc, Surface** out);
    HResult CreateClipper(std::uint32_t flags, Clipper** out);
    // entries: 256 colours, or null for black.
    HResult CreatePalette(std::uint32_t flags, const PaletteEntry* entries, Palette** out);

    HResult GetMonitorFrequency(std::uint32_t& hz);
    // Returns at the start of the next vertical blank: the beam's, or
    // without one the next refresh boundary on the process clock.
    HResult WaitForVerticalBlank(std::uint32_t flags);
    // DDERR_UNSUPPORTED without a beam.
    HResult GetScanLine(std::uint32_t& line);
    // Video memory in bytes for surfaces of these caps; either pointer may
    // be null.
    HResult GetAvailableVidMem(std::uint32_t caps, std::uint32_t* total, std::uint32_t* free);
    HResult GetDeviceIdentifier(DeviceIdentifier& out, std::uint32_t flags);
    // Makes the desktop's own buffer the visible one again after flips.
    HResult FlipToGdiSurface();

    // Replaces the environment's presenter for this display's primary.
    void SetPrimaryPresenter(std::shared_ptr<PrimaryPresenter> presenter);
    FaultTable& Faults();
    bool IsExclusive() const;
    int VerticalBlankWaits() const;

private:
    friend HResult CreateDisplay(Display** out);
    explicit Display(std::shared_ptr<DisplayCore> core);
    ~Display() override;

    HResult CreatePrimary(const SurfaceDesc& desc, Surface** out);
    HResult CreateOffscreen(const SurfaceDesc& desc, Surface** out);
    // Gives a window that was exclusive full screen its own size back.
    static void LeaveFullScreen(WindowHandle window);

    std::shared_ptr<DisplayCore> mCore;
};

// A display from the installed environment: DDERR_NODIRECTDRAWHW when none
// is installed or it says the display is unavailable.
HResult CreateDisplay(Display** out);

} // namespace platform
