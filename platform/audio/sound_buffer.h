#pragma once
// A sound buffer made by a SoundDevice. The primary buffer stands for the
// device's output: its format is the preferred mix format (stored), its
// volume scales everything the device plays, and it carries the 3D
// listener. A secondary buffer holds PCM (8-bit unsigned or 16-bit signed,
// one or two channels) that the mixer plays from its cursor, once or in a
// loop. Controls (volume, pan, frequency, notifications, 3D) work only when
// the buffer was made with their capability flag; otherwise
// DSERR_CONTROLUNAVAIL. Every operation may be called from any thread.

#include <cstdint>
#include <memory>
#include <mutex>

#include "platform/audio/sound_types.h"
#include "platform/result_codes.h"
#include "platform/surface/ref_counted.h"

namespace platform {

struct SoundDeviceCore;
class SoundBuffer3D;
class SoundListener3D;
class Voice;

class SoundBuffer final : public RefCounted {
public:
    // Hands out the bytes from `offset` (or the write cursor with
    // kSoundLockFromWriteCursor) on: `bytes` of them (the whole buffer with
    // kSoundLockEntireBuffer), in one part up to the end of the buffer and
    // the rest from its start in the second (null and 0 when nothing wraps).
    // part2/bytes2 may be null when the caller wants no wrap.
    HResult Lock(std::uint32_t offset, std::uint32_t bytes, void** part1, std::uint32_t* bytes1, void** part2,
                 std::uint32_t* bytes2, std::uint32_t flags);
    // Gives back what Lock handed out; the mixer sees the bytes from now on.
    HResult Unlock(void* part1, std::uint32_t bytes1, void* part2, std::uint32_t bytes2);

    // kSoundPlayLooping loops; playing again only changes the looping.
    HResult Play(std::uint32_t flags);
    // Keeps the cursor where it is.
    HResult Stop();
    HResult GetStatus(std::uint32_t& status);
    // Gives a lost buffer back (its bytes kept); DS_OK when nothing was lost.
    HResult Restore();

    // Hundredths of a decibel, kSoundVolumeMin..kSoundVolumeMax.
    HResult SetVolume(int volume);
    HResult GetVolume(int& volume);
    HResult SetPan(int pan);
    HResult GetPan(int& pan);
    // kSoundFrequencyOriginal, or kSoundFrequencyMin..kSoundFrequencyMax.
    HResult SetFrequency(std::uint32_t hz);
    HResult GetFrequency(std::uint32_t& hz);

    // Byte offsets; either pointer may be null.
    HResult GetCurrentPosition(std::uint32_t* play, std::uint32_t* write);
    HResult SetCurrentPosition(std::uint32_t offset);

    // The primary's format is set (PCM only) and read; a secondary's is read.
    HResult SetFormat(const WaveFormat& format);
    HResult GetFormat(WaveFormat& format);
    std::uint32_t Flags() const { return mFlags; }
    std::uint32_t BufferBytes() const;

    // Only while stopped (else DSERR_INVALIDCALL); offsets below the size or
    // kSoundNotifyOffsetStop, each with an event. Replaces earlier positions.
    HResult SetNotificationPositions(int count, const PositionNotify* positions);

    // A secondary buffer made with kSoundBufferCtrl3D: its 3D parameters.
    HResult Get3DBuffer(SoundBuffer3D** out);
    // A primary buffer made with kSoundBufferCtrl3D: the device's listener.
    HResult GetListener(SoundListener3D** out);

private:
    friend class SoundDevice;
    friend class SoundBuffer3D;
    SoundBuffer(std::shared_ptr<SoundDeviceCore> device, std::uint32_t flags, std::unique_ptr<Voice> voice);
    ~SoundBuffer() override;

    bool IsPrimary() const { return !mVoice; }
    HResult Check(std::uint32_t control) const;

    const std::shared_ptr<SoundDeviceCore> mDevice;
    const std::uint32_t mFlags;
    const std::unique_ptr<Voice> mVoice; // null for the primary

    std::mutex m3DMutex; // guards m3D
    Buffer3DParams m3D;
};

} // namespace platform
