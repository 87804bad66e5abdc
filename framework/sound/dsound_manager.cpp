#include "framework/sound/dsound_manager.h"

#include <algorithm>

namespace Kavo {

DSoundManager::DSoundManager(platform::WindowHandle window, bool useFMod) : mWindow(window), mUseFMod(useFMod) {}

DSoundManager::~DSoundManager() = default;

void DSoundManager::SetVolume(double volume) {
    mMasterVolume = std::clamp(volume, 0.0, 1.0);
}

double DSoundManager::ReadMixerVolume() const {
    return mMixerVolume;
}

void DSoundManager::WriteMixerVolume(double volume) {
    mMixerVolume = std::clamp(volume, 0.0, 1.0);
}

void DSoundManager::StopAllSounds() {}

void DSoundManager::SetCooperativeWindow(platform::WindowHandle window, bool windowed) {
    mWindow = window;
    mWindowed = windowed;
}

SoundInstance* DSoundManager::GetSoundInstance(int32_t) {
    return nullptr;
}

} // namespace Kavo
