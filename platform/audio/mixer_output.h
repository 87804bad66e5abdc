#pragma once
// Connects the mixer to the sound output: opens the installed audio driver
// at the mixer's rate and channel count (16-bit signed) and renders the
// mixer from the driver's callback, on the driver's thread. Closing the
// output (or destroying this object) returns only after the last callback,
// so the mixer may be released afterwards.

#include <memory>

#include "platform/audio/mixer.h"
#include "platform/audio_driver.h"

namespace platform {

class MixerOutput {
public:
    MixerOutput() = default;
    ~MixerOutput() { Close(); }
    MixerOutput(const MixerOutput&) = delete;
    MixerOutput& operator=(const MixerOutput&) = delete;

    // False when the driver refuses the format or is already open; nothing
    // is kept then.
    bool Open(std::shared_ptr<Mixer> mixer, std::shared_ptr<AudioDriver> driver);
    void Close();
    bool IsOpen() const { return mDriver != nullptr; }

private:
    std::shared_ptr<Mixer> mMixer;
    std::shared_ptr<AudioDriver> mDriver;
};

} // namespace platform
