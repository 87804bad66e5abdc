#pragma once
// What the display device asks of the program that owns it: the size and
// depth of the game area, how frames are to be presented, and where to say
// that the monitor's refresh rate cannot be trusted for pacing. The
// application implements it; tests give a plain one.

#include <cstdint>

namespace Kavo {

struct DisplayRequest {
    int32_t mWidth = 640; // the game area
    int32_t mHeight = 480;
    int32_t mColorDepth = 16; // of a full-screen mode
    int32_t mHackAspectNum = 4;
    int32_t mHackAspectDen = 3;
};

struct PresentPolicy {
    bool mWaitForVSync = false;
    // Pace by sleeping instead of timing blits to the beam in a window.
    bool mEmulateVSyncWhenWindowed = true;
    // Clear on a tablet, where full-screen frames are blitted, not flipped.
    bool mPageFlipping = true;
    // A system popup is showing over the full screen.
    bool mPopupActive = false;
};

class DisplayOwner {
public:
    virtual ~DisplayOwner() = default;
    virtual DisplayRequest GetDisplayRequest() const = 0;
    virtual PresentPolicy GetPresentPolicy() const = 0;
    // The monitor reported no usable refresh rate; the loop must not pace by it.
    virtual void SetRefreshPacingOff() = 0;
};

} // namespace Kavo
