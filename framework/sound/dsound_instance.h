#pragma once

#include <cstdint>

#include "framework/sound/sound_instance.h"
#include "framework/sound/sound_ref.h"
#include "platform/audio/sound_buffer.h"

namespace Kavo {

class DSoundManager;

// An instance that plays its own duplicate of a loaded sound's buffer. One
// made without a buffer (the manager has no device) accepts every call and
// plays nothing.
class DSoundInstance : public SoundInstance {
public:
    // Takes over `buffer` (the duplicate; may be null).
    DSoundInstance(DSoundManager* manager, SoundRef<platform::SoundBuffer> buffer);
    ~DSoundInstance() override;

    void Release() override;
    void SetBaseVolume(double volume) override;
    void SetBasePan(int32_t pan) override;
    void AdjustPitch(double semitones) override;
    void SetVolume(double volume) override;
    void SetPan(int32_t pan) override;
    bool Play(bool looping, bool autoRelease) override;
    void Stop() override;
    // Stop, with the auto-release flag left as it was (the manager's
    // StopAllSounds: a stopped auto-release instance is then swept).
    void StopKeepingAutoRelease();
    bool IsPlaying() override;
    bool IsReleased() override;
    double GetVolume() override { return mVolume; }

    // The volume and pan the buffer was last given (hundredths of a decibel).
    int AppliedVolume() const { return mAppliedVolume; }
    int AppliedPan() const { return ClampedPan(); }
    platform::SoundBuffer* Buffer() const { return mBuffer.get(); }

    // Recomputes the buffer's volume from the manager's master volume.
    void ApplyVolume();

private:
    int ClampedPan() const;

    DSoundManager* mManager;
    SoundRef<platform::SoundBuffer> mBuffer;
    bool mAutoRelease = false;
    bool mHasPlayed = false;
    bool mReleased = false;
    int32_t mBasePan = 0;
    double mBaseVolume = 1.0;
    int32_t mPan = 0;
    double mVolume = 1.0;
    std::uint32_t mBaseFrequency = 44100;
    int mAppliedVolume = 0;
};

} // namespace Kavo
