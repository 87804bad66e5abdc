#include "platform/surface/display_core.h"

#include <algorithm>

#include "platform/surface/surface.h"

namespace platform {

DisplayCore::DisplayCore(const DisplayEnvironment& environment)
    : mSettings(environment.settings),
      mFaults(environment.faults ? environment.faults : std::make_shared<FaultTable>()),
      mLive(environment.live ? environment.live : std::make_shared<LiveObjectCounts>()), mBeam(environment.beam),
      mPresenter(environment.presenter), mModeWidth(mSettings.desktopWidth), mModeHeight(mSettings.desktopHeight),
      mModeFormat(mSettings.desktopFormat) {}

void DisplayCore::SetPresenter(std::shared_ptr<PrimaryPresenter> presenter) {
    std::lock_guard lock(mMutex);
    mPresenter = std::move(presenter);
}

void DisplayCore::SetCooperation(WindowHandle window, bool exclusive) {
    std::lock_guard lock(mMutex);
    mWindow = window;
    mExclusive = exclusive;
    mCooperationSet = true;
}

WindowHandle DisplayCore::CooperativeWindow() const {
    std::lock_guard lock(mMutex);
    return mWindow;
}

bool DisplayCore::HasCooperativeLevel() const {
    std::lock_guard lock(mMutex);
    return mCooperationSet;
}

bool DisplayCore::IsExclusive() const {
    std::lock_guard lock(mMutex);
    return mExclusive;
}

void DisplayCore::SetMode(int width, int height, const PixelFormat& format) {
    std::lock_guard lock(mMutex);
    mModeWidth = width;
    mModeHeight = height;
    mModeFormat = format;
}

void DisplayCore::RestoreMode() {
    SetMode(mSettings.desktopWidth, mSettings.desktopHeight, mSettings.desktopFormat);
}

DisplayMode DisplayCore::Mode(PixelFormat* format) const {
    std::lock_guard lock(mMutex);
    if (format) {
        *format = mModeFormat;
    }
    return {mModeWidth, mModeHeight, static_cast<int>(mModeFormat.bitCount)};
}

bool DisplayCore::ReserveVideoMemory(std::uint64_t bytes) {
    std::lock_guard lock(mMutex);
    if (mVideoMemoryUsed + bytes > mSettings.videoMemoryBytes) {
        return false;
    }
    mVideoMemoryUsed += bytes;
    return true;
}

void DisplayCore::ReleaseVideoMemory(std::uint64_t bytes) {
    std::lock_guard lock(mMutex);
    mVideoMemoryUsed -= std::min(bytes, mVideoMemoryUsed);
}

std::uint64_t DisplayCore::VideoMemoryUsed() const {
    std::lock_guard lock(mMutex);
    return mVideoMemoryUsed;
}

Surface* DisplayCore::Primary() const {
    std::lock_guard lock(mMutex);
    return mPrimary;
}

void DisplayCore::SetPrimary(Surface* primary) {
    std::lock_guard lock(mMutex);
    mPrimary = primary;
}

void DisplayCore::Present(const Surface& primary, const Rect& changed) {
    std::shared_ptr<PrimaryPresenter> presenter;
    PrimaryFrame frame;
    {
        std::lock_guard lock(mMutex);
        presenter = mPresenter;
        frame.window = mWindow;
        if (!mExclusive && mWindow && IsWindow(mWindow)) {
            const Rect client = GetClientRect(mWindow);
            const Point origin = ClientToScreen(mWindow, {0, 0});
            frame.windowArea = {origin.x, origin.y, origin.x + client.Width(), origin.y + client.Height()};
        } else {
            frame.windowArea = {0, 0, primary.Width(), primary.Height()};
        }
    }
    if (!presenter) {
        return;
    }
    const Rect whole{0, 0, primary.Width(), primary.Height()};
    frame.windowArea = {std::max(frame.windowArea.left, 0), std::max(frame.windowArea.top, 0),
                        std::min(frame.windowArea.right, whole.right), std::min(frame.windowArea.bottom, whole.bottom)};
    frame.pixels = primary.Pixels();
    frame.pitch = primary.Pitch();
    frame.format = primary.Format();
    frame.width = primary.Width();
    frame.height = primary.Height();
    frame.changed = changed;
    presenter->PresentPrimary(frame);
}

} // namespace platform
