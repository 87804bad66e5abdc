// Music and sound-effect volumes with a counted mute, and playing a sound.
#include "framework/app/kavo_app_base.h"
#include "framework/sound/dsound_manager.h"
#include "framework/sound/music_interface.h"
#include "framework/sound/sound_instance.h"

namespace Kavo {

double KavoAppBase::GetMusicVolume() {
    return mMusicVolume;
}

double KavoAppBase::GetSfxVolume() {
    return mSfxVolume;
}

bool KavoAppBase::IsMuted() {
    return mMuteCount > 0;
}

void KavoAppBase::SetMusicVolume(double volume) {
    mMusicVolume = volume;
    if (mMusicInterface != nullptr)
        mMusicInterface->SetVolume(IsMuted() ? 0.0 : volume);
}

void KavoAppBase::SetSfxVolume(double volume) {
    mSfxVolume = volume;
    if (mSoundManager != nullptr)
        mSoundManager->SetVolume(IsMuted() ? 0.0 : volume);
}

void KavoAppBase::SetSfxVolumeDirect(double volume) {
    mSfxVolume = volume;
    if (mSoundManager != nullptr)
        mSoundManager->WriteMixerVolume(volume);
}

double KavoAppBase::GetSoundManagerValue() {
    return mSoundManager != nullptr ? mSoundManager->ReadMixerVolume() : 0.0;
}

void KavoAppBase::ReapplyVolumes() {
    SetMusicVolume(mMusicVolume);
    SetSfxVolume(mSfxVolume);
}

void KavoAppBase::Mute(bool automatic) {
    ++mMuteCount;
    if (automatic)
        ++mAutoMuteCount;
    ReapplyVolumes();
}

void KavoAppBase::Unmute(bool automatic) {
    if (mMuteCount > 0) {
        --mMuteCount;
        if (automatic)
            --mAutoMuteCount;
    }
    ReapplyVolumes();
}

void KavoAppBase::PlaySample(int32_t soundId, int32_t pan) {
    if (mSoundManager == nullptr)
        return;
    if (SoundInstance* instance = mSoundManager->GetSoundInstance(soundId)) {
        instance->SetPan(pan);
        instance->Play(false, true);
    }
}

void KavoAppBase::PlaySample(int32_t soundId) {
    PlaySample(soundId, 0);
}

} // namespace Kavo
