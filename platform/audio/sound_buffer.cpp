#include "platform/audio/sound_buffer.h"

#include <algorithm>
#include <vector>

#include "platform/audio/mixer.h"
#include "platform/audio/pcm_format.h"
#include "platform/audio/sound_3d.h"
#include "platform/audio/sound_device_core.h"
#include "platform/audio/sound_gain.h"
#include "platform/audio/voice.h"

namespace platform {

SoundBuffer::SoundBuffer(std::shared_ptr<SoundDeviceCore> device, std::uint32_t flags, std::unique_ptr<Voice> voice)
    : mDevice(std::move(device)), mFlags(flags), mVoice(std::move(voice)) {
    if (mVoice) {
        mDevice->mixer->Attach(mVoice.get());
    }
}

SoundBuffer::~SoundBuffer() {
    if (mVoice) {
        mDevice->mixer->Detach(mVoice.get());
    }
}

HResult SoundBuffer::Check(std::uint32_t control) const {
    return (mFlags & control) != 0 ? DS_OK : DSERR_CONTROLUNAVAIL;
}

std::uint32_t SoundBuffer::BufferBytes() const {
    return mVoice ? mVoice->Bytes() : 0;
}

HResult SoundBuffer::Lock(std::uint32_t offset, std::uint32_t bytes, void** part1, std::uint32_t* bytes1, void** part2,
                          std::uint32_t* bytes2, std::uint32_t flags) {
    if (IsPrimary()) {
        return DSERR_INVALIDCALL;
    }
    if (!part1 || !bytes1) {
        return DSERR_INVALIDPARAM;
    }
    if (mVoice->IsLost()) {
        return DSERR_BUFFERLOST;
    }
    const std::uint32_t size = mVoice->Bytes();
    if ((flags & kSoundLockFromWriteCursor) != 0) {
        std::uint32_t play = 0;
        mVoice->Cursors(play, offset);
    }
    if ((flags & kSoundLockEntireBuffer) != 0) {
        bytes = size;
    }
    if (offset >= size || bytes == 0 || bytes > size) {
        return DSERR_INVALIDPARAM;
    }
    const std::uint32_t first = std::min(bytes, size - offset);
    *part1 = mVoice->Data() + offset;
    *bytes1 = first;
    if (part2 && bytes2) {
        *part2 = bytes > first ? mVoice->Data() : nullptr;
        *bytes2 = bytes - first;
    }
    return DS_OK;
}

HResult SoundBuffer::Unlock(void* part1, std::uint32_t bytes1, void* part2, std::uint32_t bytes2) {
    if (IsPrimary()) {
        return DSERR_INVALIDCALL;
    }
    const auto* start = mVoice->Data();
    const auto* end = start + mVoice->Bytes();
    const auto* first = static_cast<const std::uint8_t*>(part1);
    const bool firstInside = first >= start && first < end && bytes1 <= static_cast<std::uint32_t>(end - first);
    const bool secondInside = part2 ? part2 == start && bytes2 <= mVoice->Bytes() : bytes2 == 0;
    if (!firstInside || !secondInside) {
        return DSERR_INVALIDPARAM;
    }
    mVoice->Publish();
    return DS_OK;
}

HResult SoundBuffer::Play(std::uint32_t flags) {
    if (IsPrimary()) {
        return DS_OK;
    }
    return mVoice->Play((flags & kSoundPlayLooping) != 0);
}

HResult SoundBuffer::Stop() {
    if (!IsPrimary()) {
        mVoice->Stop();
    }
    return DS_OK;
}

HResult SoundBuffer::GetStatus(std::uint32_t& status) {
    // The primary plays for as long as the device exists.
    status = IsPrimary() ? kSoundStatusPlaying | kSoundStatusLooping : mVoice->Status();
    return DS_OK;
}

HResult SoundBuffer::Restore() {
    if (!IsPrimary()) {
        mVoice->Restore();
    }
    return DS_OK;
}

HResult SoundBuffer::SetVolume(int volume) {
    if (!IsPrimary()) {
        if (const HResult result = Check(kSoundBufferCtrlVolume); Failed(result)) {
            return result;
        }
    }
    if (volume < kSoundVolumeMin || volume > kSoundVolumeMax) {
        return DSERR_INVALIDPARAM;
    }
    if (IsPrimary()) {
        std::lock_guard lock(mDevice->mutex);
        mDevice->primaryVolume = volume;
        mDevice->primaryGain.store(GainOfVolume(volume));
    } else {
        mVoice->SetVolume(volume);
    }
    return DS_OK;
}

HResult SoundBuffer::GetVolume(int& volume) {
    if (IsPrimary()) {
        std::lock_guard lock(mDevice->mutex);
        volume = mDevice->primaryVolume;
        return DS_OK;
    }
    if (const HResult result = Check(kSoundBufferCtrlVolume); Failed(result)) {
        return result;
    }
    volume = mVoice->Volume();
    return DS_OK;
}

HResult SoundBuffer::SetPan(int pan) {
    if (IsPrimary()) {
        return DSERR_UNSUPPORTED;
    }
    if (const HResult result = Check(kSoundBufferCtrlPan); Failed(result)) {
        return result;
    }
    if (pan < kSoundPanLeft || pan > kSoundPanRight) {
        return DSERR_INVALIDPARAM;
    }
    mVoice->SetPan(pan);
    return DS_OK;
}

HResult SoundBuffer::GetPan(int& pan) {
    if (IsPrimary()) {
        return DSERR_UNSUPPORTED;
    }
    if (const HResult result = Check(kSoundBufferCtrlPan); Failed(result)) {
        return result;
    }
    pan = mVoice->Pan();
    return DS_OK;
}

HResult SoundBuffer::SetFrequency(std::uint32_t hz) {
    if (IsPrimary()) {
        return DSERR_UNSUPPORTED;
    }
    if (const HResult result = Check(kSoundBufferCtrlFrequency); Failed(result)) {
        return result;
    }
    if (hz != kSoundFrequencyOriginal && (hz < kSoundFrequencyMin || hz > kSoundFrequencyMax)) {
        return DSERR_INVALIDPARAM;
    }
    mVoice->SetFrequency(hz);
    return DS_OK;
}

HResult SoundBuffer::GetFrequency(std::uint32_t& hz) {
    if (IsPrimary()) {
        return DSERR_UNSUPPORTED;
    }
    if (const HResult result = Check(kSoundBufferCtrlFrequency); Failed(result)) {
        return result;
    }
    hz = mVoice->Frequency();
    return DS_OK;
}

HResult SoundBuffer::GetCurrentPosition(std::uint32_t* play, std::uint32_t* write) {
    std::uint32_t playAt = 0;
    std::uint32_t writeAt = 0;
    if (!IsPrimary()) {
        mVoice->Cursors(playAt, writeAt);
    }
    if (play) {
        *play = playAt;
    }
    if (write) {
        *write = writeAt;
    }
    return DS_OK;
}

HResult SoundBuffer::SetCurrentPosition(std::uint32_t offset) {
    if (IsPrimary()) {
        return DSERR_INVALIDCALL;
    }
    if (offset >= mVoice->Bytes()) {
        return DSERR_INVALIDPARAM;
    }
    mVoice->SetPlayCursor(offset);
    return DS_OK;
}

HResult SoundBuffer::SetFormat(const WaveFormat& format) {
    if (!IsPrimary()) {
        return DSERR_INVALIDCALL;
    }
    if (const HResult result = CheckPcmFormat(format); Failed(result)) {
        return result;
    }
    std::lock_guard lock(mDevice->mutex);
    mDevice->primaryFormat = format;
    return DS_OK;
}

HResult SoundBuffer::GetFormat(WaveFormat& format) {
    if (IsPrimary()) {
        std::lock_guard lock(mDevice->mutex);
        format = mDevice->primaryFormat;
    } else {
        format = mVoice->Format();
    }
    return DS_OK;
}

HResult SoundBuffer::SetNotificationPositions(int count, const PositionNotify* positions) {
    if (IsPrimary()) {
        return DSERR_CONTROLUNAVAIL;
    }
    if (const HResult result = Check(kSoundBufferCtrlPositionNotify); Failed(result)) {
        return result;
    }
    if (count < 0 || (count > 0 && !positions)) {
        return DSERR_INVALIDPARAM;
    }
    std::vector<PositionNotify> list(positions, positions + count);
    for (const PositionNotify& notify : list) {
        if (!notify.event || (notify.offset != kSoundNotifyOffsetStop && notify.offset >= mVoice->Bytes())) {
            return DSERR_INVALIDPARAM;
        }
    }
    return mVoice->SetNotifications(std::move(list));
}

HResult SoundBuffer::Get3DBuffer(SoundBuffer3D** out) {
    if (!out) {
        return DSERR_INVALIDPARAM;
    }
    *out = nullptr;
    if (IsPrimary() || (mFlags & kSoundBufferCtrl3D) == 0) {
        return DSERR_NOINTERFACE;
    }
    *out = new SoundBuffer3D(this);
    return DS_OK;
}

HResult SoundBuffer::GetListener(SoundListener3D** out) {
    if (!out) {
        return DSERR_INVALIDPARAM;
    }
    *out = nullptr;
    if (!IsPrimary() || (mFlags & kSoundBufferCtrl3D) == 0) {
        return DSERR_NOINTERFACE;
    }
    *out = new SoundListener3D(mDevice);
    return DS_OK;
}

} // namespace platform
