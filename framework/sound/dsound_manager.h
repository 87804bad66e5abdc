#pragma once

#include <cstdint>

#include "platform/window.h"

namespace Kavo {

class SoundInstance;

// The framework's sound-effect manager. Loading and mixing sounds come with
// the sound issues; what exists now is its life, the master volume and the
// system's wave-out volume. Without a window it plays nothing.
class DSoundManager {
public:
    DSoundManager(platform::WindowHandle window, bool useFMod);
    virtual ~DSoundManager();
    DSoundManager(const DSoundManager&) = delete;
    DSoundManager& operator=(const DSoundManager&) = delete;

    // Master sound-effect volume, 0.0 to 1.0.
    void SetVolume(double volume);
    double GetVolume() const { return mMasterVolume; }
    // The system's wave-out volume.
    double ReadMixerVolume() const;
    void WriteMixerVolume(double volume);
    void StopAllSounds();
    void SetCooperativeWindow(platform::WindowHandle window, bool windowed);
    // Null when no sound of that id is loaded.
    SoundInstance* GetSoundInstance(int32_t soundId);
    int32_t GetNumSounds() const { return 0; }

    platform::WindowHandle mWindow;
    bool mUseFMod;
    bool mWindowed = true;
    double mMasterVolume = 1.0;
    // No system mixer is wired in yet: the level written is the level read.
    double mMixerVolume = 1.0;
};

} // namespace Kavo
