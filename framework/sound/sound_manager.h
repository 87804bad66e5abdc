#pragma once

#include <cstdint>
#include <string>

#include "platform/window.h"

namespace Kavo {

class SoundInstance;

// The framework's sound-effect manager: sounds loaded into numbered ids
// (0..255) and played through instances taken from a fixed set of channels.
class SoundManager {
public:
    virtual ~SoundManager() = default;

    // Whether a sound device is open (sounds are heard).
    virtual bool Initialized() = 0;
    // The id already loaded under `name`, else a newly loaded one; -1 when
    // no id is free or the sound cannot be loaded.
    virtual int32_t FindSoundId(const std::string& name) = 0;
    virtual bool LoadByName(int32_t soundId, const std::string& name) = 0;
    virtual void ReleaseSound(int32_t soundId) = 0;
    // Master volume of every effect, 0.0 to 1.0.
    virtual void SetVolume(double volume) = 0;
    virtual bool SetBaseVolume(int32_t soundId, double volume) = 0;
    virtual bool SetBasePan(int32_t soundId, int32_t pan) = 0;
    // Null when no channel is free or the sound is not loaded.
    virtual SoundInstance* GetSoundInstance(int32_t soundId) = 0;
    virtual void ReleaseSounds() = 0;
    virtual void ReleaseChannels() = 0;
    // The system's wave-out volume, 0.0 to 1.0.
    virtual double ReadMixerVolume() = 0;
    virtual void WriteMixerVolume(double volume) = 0;
    // Nothing is buffered between plays: there is nothing to flush.
    virtual void Flush() = 0;
    virtual void SetCooperativeWindow(platform::WindowHandle window, bool windowed) = 0;
    virtual void StopAllSounds() = 0;
    virtual int32_t GetFreeSoundId() = 0;
    virtual int32_t GetNumSounds() = 0;
};

} // namespace Kavo
