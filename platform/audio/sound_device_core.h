#pragma once
// What the objects of one sound device share: the mixer that plays every
// device's buffers, and the primary buffer's state. The primary's volume is
// read by the mixing thread as a gain; the rest is only stored.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "platform/audio/sound_types.h"

namespace platform {

class Mixer;

struct SoundDeviceCore {
    explicit SoundDeviceCore(std::shared_ptr<Mixer> output) : mixer(std::move(output)) {}

    const std::shared_ptr<Mixer> mixer;
    std::atomic<float> primaryGain{1.0f};

    std::mutex mutex; // guards the members below
    int primaryVolume = 0;
    WaveFormat primaryFormat = MakePcmFormat(2, 22050, 8);
    Listener3DParams listener;
};

} // namespace platform
