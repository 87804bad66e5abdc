#include "framework/sound/dsound_instance.h"

#include <algorithm>
#include <cmath>

#include "framework/sound/dsound_manager.h"
#include "framework/sound/sound_volume.h"

namespace Kavo {

DSoundInstance::DSoundInstance(DSoundManager* manager, SoundRef<platform::SoundBuffer> buffer)
    : mManager(manager), mBuffer(std::move(buffer)) {
    if (mBuffer)
        mBuffer->GetFrequency(mBaseFrequency);
    ApplyVolume();
}

DSoundInstance::~DSoundInstance() = default;

void DSoundInstance::Release() {
    Stop();
    mReleased = true;
}

void DSoundInstance::ApplyVolume() {
    mAppliedVolume = EffectVolume(mManager->GetVolume() * mBaseVolume * mVolume);
    if (mBuffer)
        mBuffer->SetVolume(mAppliedVolume);
}

void DSoundInstance::SetBaseVolume(double volume) {
    mBaseVolume = volume;
    ApplyVolume();
}

void DSoundInstance::SetVolume(double volume) {
    mVolume = volume;
    ApplyVolume();
}

int DSoundInstance::ClampedPan() const {
    const std::int64_t pan = std::int64_t{mBasePan} + mPan;
    return static_cast<int>(std::clamp<std::int64_t>(pan, platform::kSoundPanLeft, platform::kSoundPanRight));
}

void DSoundInstance::SetBasePan(int32_t pan) {
    mBasePan = pan;
    if (mBuffer)
        mBuffer->SetPan(ClampedPan());
}

void DSoundInstance::SetPan(int32_t pan) {
    mPan = pan;
    if (mBuffer)
        mBuffer->SetPan(ClampedPan());
}

void DSoundInstance::AdjustPitch(double semitones) {
    if (!mBuffer)
        return;
    // One equal-tempered semitone per unit.
    const double frequency = mBaseFrequency * std::pow(1.0594630943592953, semitones);
    mBuffer->SetFrequency(static_cast<std::uint32_t>(std::clamp(frequency, 100.0, 100000.0)));
}

bool DSoundInstance::Play(bool looping, bool autoRelease) {
    Stop();
    mHasPlayed = true;
    mAutoRelease = autoRelease;
    if (!mBuffer)
        return false;
    return mBuffer->Play(looping ? platform::kSoundPlayLooping : 0) == platform::DS_OK;
}

void DSoundInstance::Stop() {
    if (!mBuffer)
        return;
    mBuffer->Stop();
    mBuffer->SetCurrentPosition(0);
    mAutoRelease = false;
}

void DSoundInstance::StopKeepingAutoRelease() {
    const bool autoRelease = mAutoRelease;
    Stop();
    mAutoRelease = autoRelease;
}

bool DSoundInstance::IsPlaying() {
    if (!mHasPlayed || !mBuffer)
        return false;
    std::uint32_t status = 0;
    if (mBuffer->GetStatus(status) != platform::DS_OK)
        return false;
    return (status & platform::kSoundStatusPlaying) != 0;
}

bool DSoundInstance::IsReleased() {
    if (!mReleased && mAutoRelease && mHasPlayed && !IsPlaying())
        Release();
    return mReleased;
}

} // namespace Kavo
