#include "platform/audio/sound_environment.h"

namespace platform {

ProcessSlot<SoundEnvironment>& SoundEnvironmentSlot() {
    static ProcessSlot<SoundEnvironment> slot;
    return slot;
}

} // namespace platform
