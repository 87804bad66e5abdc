#include "platform/headless/headless_audio_driver.h"

namespace platform {

bool HeadlessAudioDriver::HasOutputDevice() const {
    std::lock_guard lock(mMutex);
    return mHasDevice;
}

void HeadlessAudioDriver::SetHasOutputDevice(bool hasDevice) {
    std::lock_guard lock(mMutex);
    mHasDevice = hasDevice;
}

bool HeadlessAudioDriver::Open(const AudioFormat& format, AudioCallback callback) {
    std::lock_guard lock(mMutex);
    if (mOpen || !callback || !IsValidAudioFormat(format))
        return false;
    mFormat = format;
    mCallback = std::move(callback);
    mOpen = true;
    mPaused = false;
    mTimeCarry = 0;
    mDelivered.clear();
    return true;
}

void HeadlessAudioDriver::Pause() {
    std::lock_guard lock(mMutex);
    mPaused = true;
}

void HeadlessAudioDriver::Resume() {
    std::lock_guard lock(mMutex);
    mPaused = false;
}

void HeadlessAudioDriver::Close() {
    std::lock_guard lock(mMutex);
    mOpen = false;
    mCallback = nullptr;
}

bool HeadlessAudioDriver::IsOpen() const {
    std::lock_guard lock(mMutex);
    return mOpen;
}

std::size_t HeadlessAudioDriver::Advance(std::size_t frames) {
    std::lock_guard lock(mMutex);
    if (!mOpen || mPaused || frames == 0)
        return 0;
    const std::size_t start = mDelivered.size();
    mDelivered.resize(start + frames * mFormat.BytesPerFrame());
    // A copy: the callback may close the output and drop the original.
    const AudioCallback callback = mCallback;
    callback(mDelivered.data() + start, frames);
    return frames;
}

std::size_t HeadlessAudioDriver::AdvanceTime(VirtualClock& clock, std::uint32_t milliseconds) {
    clock.Advance(milliseconds);
    std::lock_guard lock(mMutex);
    if (!mOpen || mPaused)
        return 0;
    mTimeCarry += std::uint64_t{milliseconds} * static_cast<std::uint64_t>(mFormat.sampleRate);
    const std::size_t frames = static_cast<std::size_t>(mTimeCarry / 1000);
    mTimeCarry %= 1000;
    return Advance(frames);
}

bool HeadlessAudioDriver::IsPaused() const {
    std::lock_guard lock(mMutex);
    return mPaused;
}

AudioFormat HeadlessAudioDriver::Format() const {
    std::lock_guard lock(mMutex);
    return mFormat;
}

std::vector<std::uint8_t> HeadlessAudioDriver::Delivered() const {
    std::lock_guard lock(mMutex);
    return mDelivered;
}

std::size_t HeadlessAudioDriver::DeliveredFrames() const {
    std::lock_guard lock(mMutex);
    return mDelivered.size() / mFormat.BytesPerFrame();
}

} // namespace platform
