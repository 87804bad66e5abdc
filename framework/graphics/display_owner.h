#pragma once
// What the display device asks of the program that owns it: the size and
// depth of the game area, how frames are to be presented, and where to say
// that the monitor's refresh rate cannot be trusted for pacing. The
// application implements it; tests give a plain one.

#include <cstdint>
#include <string>

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

// What the program wants of 3D: whether the capability test runs, the
// video memory it asks for, where the test keeps its outcome, and whether
// a demo is being replayed (the test is then not run but replayed).
struct Display3DSettings {
    bool mAutoEnable3D = false; // use 3D when the card passes without a warning
    bool mTest3D = false;       // run the test even without automatic 3D
    uint32_t mMinVidMemory = 6; // MB
    uint32_t mRecVidMemory = 14;
    std::string mRegKey; // the program's key below "SOFTWARE\"; empty: nothing is stored
    bool mReplayingDemo = false;
};

class DisplayOwner {
public:
    virtual ~DisplayOwner() = default;
    virtual DisplayRequest GetDisplayRequest() const = 0;
    virtual PresentPolicy GetPresentPolicy() const = 0;
    // The monitor reported no usable refresh rate; the loop must not pace by it.
    virtual void SetRefreshPacingOff() = 0;

    // ---- 3D ----
    virtual Display3DSettings Get3DSettings() const { return {}; }
    // The renderer's last failure, kept as "Test3D\RuntimeError" under the program's key.
    virtual void Write3DRuntimeError(const std::string& /*text*/) {}
    // The capability test's outcome passes through here, so that a
    // recorded demo replays the same 3D decision.
    virtual std::string RecordOrReplay3DText(const std::string& text) { return text; }
    virtual bool RecordOrReplay3DFlag(bool flag) { return flag; }
    // The main window is minimised: nothing is drawn in 3D.
    virtual bool IsWindowMinimized() const { return false; }
};

} // namespace Kavo
