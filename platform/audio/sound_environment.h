#pragma once
// Where sound devices play: the process-wide mixer that the audio output
// pulls. The application installs one with Installed<SoundEnvironment> once
// the output is open (a test installs its own and pulls the mixer by hand);
// without one, or without a mixer in it, no sound device can be created.

#include <memory>

#include "platform/audio/mixer.h"
#include "platform/process_slot.h"

namespace platform {

struct SoundEnvironment {
    std::shared_ptr<Mixer> mixer;
};

ProcessSlot<SoundEnvironment>& SoundEnvironmentSlot();

} // namespace platform
