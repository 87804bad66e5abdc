#pragma once

#include <cstdint>

namespace Kavo {

// One playing (or ready to play) copy of a loaded sound. Pans run from
// -10000 (left) to 10000 (right), volumes from 0.0 to 1.0.
class SoundInstance {
public:
    virtual ~SoundInstance() = default;

    // Stops the sound and marks the instance free for its manager to reuse.
    virtual void Release() = 0;
    virtual void SetBaseVolume(double volume) = 0;
    virtual void SetBasePan(int32_t pan) = 0;
    // Up or down by equal-tempered semitones from the sound's own rate.
    virtual void AdjustPitch(double semitones) = 0;
    virtual void SetVolume(double volume) = 0;
    // Added to the base pan.
    virtual void SetPan(int32_t pan) = 0;
    // An auto-release instance releases itself once it has stopped.
    virtual bool Play(bool looping, bool autoRelease) = 0;
    virtual void Stop() = 0;
    virtual bool IsPlaying() = 0;
    virtual bool IsReleased() = 0;
    virtual double GetVolume() = 0;
};

} // namespace Kavo
