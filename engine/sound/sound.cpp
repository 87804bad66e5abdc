#include "engine/sound/sound.h"

#include <algorithm>
#include <cstring>

#include "engine/base/sound_error.h"
#include "engine/base/vector_math.h"
#include "engine/sound/sound_manager.h"
#include "engine/sound/sound_model.h"
#include "platform/clock.h"

namespace Sound {
namespace {

int Clamp(int volume) {
    return std::clamp(volume, Sound_t::kVolumeFloor, 0);
}

std::uint32_t FadeSteps(std::uint32_t ms) {
    return std::max<std::uint32_t>(ms / Sound_t::kTickMs, 1);
}

} // namespace

Sound_t::Sound_t(int group, SoundManager_t* manager, platform::SoundBuffer* buffer, std::uint32_t bufferSize,
                 std::unique_ptr<WaveFile_t> source, std::unique_ptr<NotifyEvent> record, bool loop,
                 bool releaseWhenStopped, std::uint32_t handle)
    : mRecord(std::move(record)), mSource(std::move(source)), mBuffer(buffer), mBufferSize(bufferSize), mLoop(loop),
      mReleaseWhenStopped(releaseWhenStopped), mManager(manager), mGroup(group), mHandle(handle) {
    if (mRecord)
        mRecord->owner = this;
    if (mBuffer) {
        FillBuffer(loop);
        if (platform::Failed(mBuffer->SetCurrentPosition(0)))
            throw errSnd_e(30);
    }
}

Sound_t::~Sound_t() {
    // The buffer may still signal the record's event until it is gone.
    mBuffer.reset();
}

bool Sound_t::IsPlaying() {
    if (!mBuffer)
        return false;
    std::uint32_t status = 0;
    if (platform::Failed(mBuffer->GetStatus(status)))
        return false;
    return (status & platform::kSoundStatusPlaying) != 0;
}

void Sound_t::SetVolume(int volume, bool apply) {
    mVolume = volume;
    if (apply && mBuffer)
        mBuffer->SetVolume(Clamp(mVolume + mGroupVolume));
}

void Sound_t::SetGroupVolume(int volume, bool apply) {
    mGroupVolume = volume;
    if (!apply || !mBuffer)
        return;
    if (mFading && mStopAfterFade)
        return; // a fade-out runs to its end
    mFading = false;
    mBuffer->SetVolume(Clamp(mVolume + mGroupVolume));
}

void Sound_t::SetPositionMs(std::uint32_t ms) {
    if (!mBuffer || !mSource)
        throw errSnd_e(8);
    const std::uint64_t offset = std::uint64_t{mSource->Format().avgBytesPerSec} * ms / 1000;
    if (offset > 0xFFFFFFFFu || platform::Failed(mBuffer->SetCurrentPosition(static_cast<std::uint32_t>(offset))))
        throw errSnd_e(30);
}

void Sound_t::Rewind() {
    SetPositionMs(0);
}

void Sound_t::RestoreIfLost(bool* restored) {
    *restored = false;
    std::uint32_t status = 0;
    if (platform::Failed(mBuffer->GetStatus(status)))
        throw errSnd_e(16);
    if ((status & platform::kSoundStatusBufferLost) == 0)
        return;
    for (;;) {
        const platform::HResult result = mBuffer->Restore();
        if (platform::Succeeded(result))
            break;
        if (result != platform::DSERR_BUFFERLOST)
            throw errSnd_e(10);
        platform::SleepMs(10);
    }
    *restored = true;
}

void Sound_t::FillSilence(void* at, std::uint32_t bytes) const {
    const int silence = mSource && mSource->Format().bitsPerSample == 8 ? 0x80 : 0;
    std::memset(at, silence, bytes);
}

void Sound_t::FillBuffer(bool loop) {
    if (!mBuffer || !mSource)
        throw errSnd_e(8);
    bool restored = false;
    RestoreIfLost(&restored);
    void* part = nullptr;
    std::uint32_t bytes = 0;
    if (platform::Failed(mBuffer->Lock(0, 0, &part, &bytes, nullptr, nullptr, platform::kSoundLockEntireBuffer)))
        throw errSnd_e(11);
    auto* out = static_cast<std::uint8_t*>(part);
    std::uint32_t filled = 0;
    try {
        mSource->Rewind();
        mSource->Read(out, bytes, &filled);
        // A looping sound repeats its source through the whole buffer; a
        // source that gives nothing even from its start ends the repeat.
        while (loop && filled > 0 && filled < bytes) {
            mSource->Rewind();
            std::uint32_t got = 0;
            mSource->Read(out + filled, bytes - filled, &got);
            if (got == 0)
                break;
            filled += got;
        }
    } catch (...) {
        mBuffer->Unlock(part, bytes, nullptr, 0);
        throw;
    }
    FillSilence(out + filled, bytes - filled);
    mBuffer->Unlock(part, bytes, nullptr, 0);
}

void Sound_t::StartFade(std::uint32_t fadeInMs, std::uint32_t playFlags) {
    const int target = Clamp(mVolume + mGroupVolume);
    if (fadeInMs > 0) {
        mFadeSteps = static_cast<int>(FadeSteps(fadeInMs));
        mFadeDone = 0;
        mFadeVolume = kVolumeFloor;
        mFadeStep = (target - kVolumeFloor) / mFadeSteps;
        mFading = true;
        mStopAfterFade = false;
    } else {
        mFadeVolume = target;
    }
    mStopped = false;
    mPaused = false;
    mBuffer->SetVolume(mFadeVolume);
    if (platform::Failed(mBuffer->Play(playFlags)))
        throw errSnd_e(32);
}

void Sound_t::Play(std::uint32_t fadeInMs) {
    if (!mBuffer)
        throw errSnd_e(8);
    bool restored = false;
    RestoreIfLost(&restored);
    if (restored) {
        FillBuffer(false);
        Rewind();
    }
    StartFade(fadeInMs, mLoop ? platform::kSoundPlayLooping : 0);
}

void Sound_t::ResetNotifyEvent() {
    if (mRecord)
        mRecord->event.Reset();
}

void Sound_t::Stop() {
    if (!mBuffer)
        throw errSnd_e(8);
    const platform::HResult result = mBuffer->Stop();
    ResetNotifyEvent();
    FireEndCallback();
    mStopped = true;
    if (mManager != nullptr)
        mManager->WakeUp();
    if (platform::Failed(result))
        throw errSnd_e(31);
}

void Sound_t::Abort() noexcept {
    if (mBuffer)
        mBuffer->Stop();
    ResetNotifyEvent();
    mFading = false;
    FireEndCallback();
    mStopped = true;
}

void Sound_t::Pause() {
    if (!mBuffer)
        throw errSnd_e(8);
    if (!mPaused) {
        mPaused = true;
        mBuffer->Stop();
    }
}

void Sound_t::Resume() {
    if (!mBuffer)
        throw errSnd_e(8);
    if (mPaused) {
        mPaused = false;
        mBuffer->Play(mLoop || IsStreamed() ? platform::kSoundPlayLooping : 0);
    }
}

bool Sound_t::OnNotify() {
    ResetNotifyEvent();
    if (mLoop)
        return false;
    Stop();
    Rewind();
    return false;
}

void Sound_t::SetEndCallback(EndCallback function, void* argument) {
    mEndFunction = function;
    mEndArgument = argument;
}

void Sound_t::FireEndCallback() {
    EndCallback function = mEndFunction;
    if (function == nullptr)
        return;
    mEndFunction = nullptr;
    function(mHandle, mEndArgument);
}

void Sound_t::FadeOut(std::uint32_t ms) {
    mFadeSteps = static_cast<int>(FadeSteps(ms));
    mFadeDone = 0;
    int current = 0;
    if (mBuffer)
        mBuffer->GetVolume(current);
    mFadeVolume = current;
    mFading = true;
    mStopAfterFade = true;
    mFadeStep = (kVolumeFloor - current) / mFadeSteps;
}

bool Sound_t::Tick(std::uint32_t) {
    if (!mFading)
        return false;
    ++mFadeDone;
    if (mBuffer) {
        mFadeVolume += mFadeStep;
        mBuffer->SetVolume(mFadeVolume);
    }
    if (mFadeDone < mFadeSteps)
        return false;
    mFading = false;
    if (!mStopAfterFade)
        return false;
    Stop();
    return true;
}

void Sound_t::Get3DBuffer(platform::SoundBuffer3D** out) {
    if (out == nullptr)
        throw errSnd_e(7);
    *out = nullptr;
    if (!mBuffer)
        throw errSnd_e(8);
    if (platform::Failed(mBuffer->Get3DBuffer(out)))
        throw errSnd_e(23);
}

void Sound_t::Set3DParams(SoundModel_t* model, float x, float y, float z, float ox, float oy, float oz) {
    mModel = model;
    mPosition[0] = x;
    mPosition[1] = y;
    mPosition[2] = z;
    mOrientation[0] = ox;
    mOrientation[1] = oy;
    mOrientation[2] = oz;
    if (model == nullptr)
        throw errSnd_e(7);
    platform::SoundBuffer3D* view = nullptr;
    Get3DBuffer(&view);
    platform::RefHeld<platform::SoundBuffer3D> held(view);
    const float* matrix = model->Matrix();
    float where[3];
    float facing[3];
    Math_TransformPoint(mPosition, where, matrix);
    try {
        Math_TransformPointChecked(matrix, facing, mOrientation);
    } catch (...) {
        model->Finish();
        throw;
    }
    held->SetPosition(where[0], where[1], where[2], platform::kSound3DImmediate);
    held->SetConeOrientation(facing[0], facing[1], facing[2], platform::kSound3DImmediate);
    model->Finish();
}

} // namespace Sound
