#pragma once
// The playing state of one secondary sound buffer as the mixer sees it: the
// PCM bytes (shared between a buffer and its duplicates), the cursor, the
// rate, the gains and the position notifications. Every member is guarded by
// the voice's own mutex, which the mixer holds only while it mixes this
// voice for one block and the buffer's callers hold only for a setter. The
// PCM bytes themselves are written through Lock without the mutex, as with
// any sound hardware: Unlock takes it, so that what was written before is
// visible to the next mix.

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/audio/sound_types.h"
#include "platform/result_codes.h"

namespace platform {

struct SoundDeviceCore;

using PcmBytes = std::vector<std::uint8_t>;

class Voice {
public:
    // `pcm` null makes a fresh block of `bytes` bytes of silence.
    Voice(std::shared_ptr<SoundDeviceCore> device, const WaveFormat& format, std::uint32_t bytes,
          std::shared_ptr<PcmBytes> pcm);
    Voice(const Voice&) = delete;
    Voice& operator=(const Voice&) = delete;

    const WaveFormat& Format() const { return mFormat; }
    std::uint32_t Bytes() const { return mBytes; }
    std::uint8_t* Data() { return mPcm->data(); }
    const std::shared_ptr<PcmBytes>& SharedPcm() const { return mPcm; }

    HResult Play(bool looping);
    // Fires the stop notifications when it was playing.
    void Stop();
    std::uint32_t Status();
    void Lose();
    void Restore();
    bool IsLost();
    // Makes bytes written through a lock visible to the mixer.
    void Publish();

    void SetVolume(int volume);
    int Volume();
    void SetPan(int pan);
    int Pan();
    void SetFrequency(std::uint32_t hz); // kSoundFrequencyOriginal: the format's rate
    std::uint32_t Frequency();

    // Byte offsets of the play and write cursors.
    void Cursors(std::uint32_t& play, std::uint32_t& write);
    void SetPlayCursor(std::uint32_t byteOffset);
    // DSERR_INVALIDCALL while playing.
    HResult SetNotifications(std::vector<PositionNotify> positions);

    // Adds `frames` output frames of this voice to `accumulator` (interleaved,
    // `channels` wide, at `rate`) and moves the cursor. Never allocates.
    void MixInto(float* accumulator, int frames, int rate, int channels);

private:
    void UpdateGains();
    void NotifyPassed(std::uint64_t firstFrame, std::uint64_t endFrame);
    void NotifyStop();
    std::uint32_t Rate() const { return mFrequency != 0 ? mFrequency : mFormat.samplesPerSec; }

    const std::shared_ptr<SoundDeviceCore> mDevice;
    const WaveFormat mFormat;
    const std::uint32_t mBytes;
    const std::uint64_t mFrames;
    const std::shared_ptr<PcmBytes> mPcm;

    std::mutex mMutex;
    bool mPlaying = false;
    bool mLooping = false;
    bool mLost = false;
    std::uint64_t mCursor = 0; // frames, 32 bits of fraction
    int mVolume = 0;
    int mPan = 0;
    std::uint32_t mFrequency = kSoundFrequencyOriginal;
    float mGainLeft = 1.0f;
    float mGainRight = 1.0f;
    float mGainMono = 1.0f; // a mono output has no pan
    std::vector<PositionNotify> mNotifications;
};

} // namespace platform
