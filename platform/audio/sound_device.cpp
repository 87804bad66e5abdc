#include "platform/audio/sound_device.h"

#include "platform/audio/pcm_format.h"
#include "platform/audio/sound_device_core.h"
#include "platform/audio/sound_environment.h"
#include "platform/audio/voice.h"

namespace platform {

HResult CreateSoundDevice(SoundDevice** out) {
    if (!out) {
        return DSERR_INVALIDPARAM;
    }
    *out = nullptr;
    const std::shared_ptr<SoundEnvironment> environment = SoundEnvironmentSlot().Get();
    if (!environment || !environment->mixer) {
        return DSERR_NODRIVER;
    }
    *out = new SoundDevice(std::make_shared<SoundDeviceCore>(environment->mixer));
    return DS_OK;
}

HResult SoundDevice::SetCooperativeLevel(WindowHandle /*window*/, std::uint32_t level) {
    if (level < kSoundCoopNormal || level > kSoundCoopWritePrimary) {
        return DSERR_INVALIDPARAM;
    }
    return DS_OK;
}

HResult SoundDevice::CreateSoundBuffer(const SoundBufferDesc& desc, SoundBuffer** out) {
    if (!out) {
        return DSERR_INVALIDPARAM;
    }
    *out = nullptr;
    if ((desc.flags & kSoundBufferPrimary) != 0) {
        if (desc.bufferBytes != 0 || desc.format) {
            return DSERR_INVALIDPARAM;
        }
        *out = new SoundBuffer(mCore, desc.flags, nullptr);
        return DS_OK;
    }
    if (!desc.format) {
        return DSERR_INVALIDPARAM;
    }
    if (const HResult result = CheckPcmFormat(*desc.format); Failed(result)) {
        return result;
    }
    const bool is3D = (desc.flags & kSoundBufferCtrl3D) != 0;
    if (is3D && (desc.format->channels != 1 || (desc.flags & kSoundBufferCtrlPan) != 0)) {
        return DSERR_INVALIDPARAM;
    }
    const std::uint32_t bytes = desc.bufferBytes - desc.bufferBytes % desc.format->blockAlign;
    if (desc.bufferBytes < kSoundBufferBytesMin || desc.bufferBytes > kSoundBufferBytesMax || bytes == 0) {
        return DSERR_INVALIDPARAM;
    }
    *out = new SoundBuffer(mCore, desc.flags, std::make_unique<Voice>(mCore, *desc.format, bytes, nullptr));
    return DS_OK;
}

HResult SoundDevice::DuplicateSoundBuffer(SoundBuffer* original, SoundBuffer** out) {
    if (!original || !out) {
        return DSERR_INVALIDPARAM;
    }
    *out = nullptr;
    if (original->IsPrimary()) {
        return DSERR_INVALIDCALL;
    }
    Voice& source = *original->mVoice;
    auto voice = std::make_unique<Voice>(original->mDevice, source.Format(), source.Bytes(), source.SharedPcm());
    voice->SetVolume(source.Volume());
    voice->SetPan(source.Pan());
    voice->SetFrequency(source.Frequency());
    auto* duplicate = new SoundBuffer(original->mDevice, original->mFlags, std::move(voice));
    {
        std::lock_guard lock(original->m3DMutex);
        duplicate->m3D = original->m3D;
    }
    *out = duplicate;
    return DS_OK;
}

} // namespace platform
