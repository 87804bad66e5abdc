#pragma once
// The audio driver without a device. It has no thread: sound is pulled
// only when a test calls Advance, exactly as many sample frames as asked,
// and everything pulled is kept for the test to read.

#include <mutex>
#include <vector>

#include "platform/audio_driver.h"
#include "platform/clock.h"

namespace platform {

class HeadlessAudioDriver final : public AudioDriver {
public:
    const char* Name() const override { return "headless"; }
    bool HasOutputDevice() const override;
    bool Open(const AudioFormat& format, AudioCallback callback) override;
    void Pause() override;
    void Resume() override;
    void Close() override;
    bool IsOpen() const override;

    // Pulls `frames` sample frames from the callback; 0 when closed or paused.
    std::size_t Advance(std::size_t frames);
    // Advances the clock by `milliseconds` and pulls the frames that this
    // time holds at the output's rate (the fraction carries to the next call).
    std::size_t AdvanceTime(VirtualClock& clock, std::uint32_t milliseconds);

    bool IsPaused() const;
    AudioFormat Format() const;
    // Everything pulled so far, in order.
    std::vector<std::uint8_t> Delivered() const;
    std::size_t DeliveredFrames() const;
    // Whether HasOutputDevice answers yes (it does unless told otherwise).
    void SetHasOutputDevice(bool hasDevice);

private:
    // Recursive: the callback may pause or close the output it is called by.
    mutable std::recursive_mutex mMutex;
    AudioFormat mFormat;
    AudioCallback mCallback;
    bool mOpen = false;
    bool mPaused = false;
    bool mHasDevice = true;
    std::uint64_t mTimeCarry = 0; // milliseconds x rate not yet pulled, below 1000
    std::vector<std::uint8_t> mDelivered;
};

} // namespace platform
