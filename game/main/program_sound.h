#pragma once
// The program's sound output: one mixer that every sound device plays
// into, pulled by the audio driver the program runs on (SDL's output on a
// desktop, the headless one otherwise), and the sound environment that
// hands that mixer to the devices. It must be in place before the
// application starts and outlive it: the framework's sound manager and the
// game's sound system both open their devices on it. Without an output the
// game runs silently and says why on stderr.

#include <memory>
#include <optional>

#include "platform/audio/mixer.h"
#include "platform/audio/mixer_output.h"
#include "platform/audio/sound_environment.h"

namespace Game {

class ProgramSound {
public:
    // The output's format: what a sound device's buffers are mixed to.
    static constexpr int kOutputRate = 44100;
    static constexpr int kOutputChannels = 2;

    // Opens the output on the installed audio driver.
    ProgramSound();
    ~ProgramSound();
    ProgramSound(const ProgramSound&) = delete;
    ProgramSound& operator=(const ProgramSound&) = delete;

    bool IsOpen() const { return mOutput.IsOpen(); }

private:
    std::shared_ptr<platform::Mixer> mMixer;
    platform::MixerOutput mOutput;
    // Installed only once the output is open, and removed before it closes.
    std::optional<platform::Installed<platform::SoundEnvironment>> mEnvironment;
};

} // namespace Game
