#pragma once
// The state one display object shares with the surfaces, clippers and
// palettes it made: the settings, the current mode and cooperative level,
// the video memory in use and the primary surface. Each of those objects
// holds the core, so it stays valid whatever order they are released in.

#include <cstdint>
#include <memory>
#include <mutex>

#include "platform/surface/display_environment.h"

namespace platform {

class Surface;

class DisplayCore {
public:
    explicit DisplayCore(const DisplayEnvironment& environment);

    const DisplaySettings& Settings() const { return mSettings; }
    HResult Check(DisplayOperation operation) { return mFaults->Check(operation); }
    FaultTable& Faults() { return *mFaults; }
    LiveObjectCounts& Live() { return *mLive; }
    ScanBeam* Beam() const { return mBeam.get(); }

    void SetPresenter(std::shared_ptr<PrimaryPresenter> presenter);

    // The cooperative level and the mode (desktop until set).
    void SetCooperation(WindowHandle window, bool exclusive);
    WindowHandle CooperativeWindow() const;
    bool HasCooperativeLevel() const;
    bool IsExclusive() const;
    void SetMode(int width, int height, const PixelFormat& format);
    void RestoreMode();
    DisplayMode Mode(PixelFormat* format = nullptr) const;

    bool ReserveVideoMemory(std::uint64_t bytes);
    void ReleaseVideoMemory(std::uint64_t bytes);
    std::uint64_t VideoMemoryUsed() const;

    // The one primary surface, or null; cleared by the primary's destructor.
    Surface* Primary() const;
    void SetPrimary(Surface* primary);

    // Hands the primary's pixels to the presenter (none set: nothing).
    void Present(const Surface& primary, const Rect& changed);

    int VerticalBlankWaits() const { return mVerticalBlankWaits.load(); }
    void CountVerticalBlankWait() { ++mVerticalBlankWaits; }

private:
    const DisplaySettings mSettings;
    const std::shared_ptr<FaultTable> mFaults;
    const std::shared_ptr<LiveObjectCounts> mLive;
    const std::shared_ptr<ScanBeam> mBeam;

    mutable std::mutex mMutex; // guards the fields below
    std::shared_ptr<PrimaryPresenter> mPresenter;
    WindowHandle mWindow = nullptr;
    bool mExclusive = false;
    bool mCooperationSet = false;
    int mModeWidth;
    int mModeHeight;
    PixelFormat mModeFormat;
    std::uint64_t mVideoMemoryUsed = 0;
    Surface* mPrimary = nullptr;
    std::atomic<int> mVerticalBlankWaits{0};
};

} // namespace platform
