#include "game/main/program_sound.h"

#include <cstdio>

#include "platform/drivers.h"

namespace Game {

ProgramSound::ProgramSound() : mMixer(std::make_shared<platform::Mixer>(kOutputRate, kOutputChannels)) {
    const std::shared_ptr<platform::AudioDriver> driver = platform::GetAudioDriver();
    if (!mOutput.Open(mMixer, driver)) {
        std::fprintf(stderr, "kavo-game: the %s audio driver has no sound output; the game runs silently.\n",
                     driver->Name());
        return;
    }
    mEnvironment.emplace(platform::SoundEnvironmentSlot(),
                         std::make_shared<platform::SoundEnvironment>(platform::SoundEnvironment{mMixer}));
}

ProgramSound::~ProgramSound() {
    // No device may be made on the mixer once the output stops pulling it.
    mEnvironment.reset();
    mOutput.Close();
}

} // namespace Game
