#include "engine/sound/sound_manager.h"

#include "engine/base/sound_error.h"
#include "engine/sound/sound_descr.h"
#include "engine/sound/streaming_sound.h"
#include "engine/sound/wave_ogg_file.h"
#include "engine/sound/wave_wav_file.h"

using Sound::NotifyEvent;
using Sound::Sound_t;
using Sound::SoundDescr_t;

namespace {

constexpr std::uint32_t kStaticFlags = platform::kSoundBufferLocSoftware | platform::kSoundBufferCtrlFrequency |
                                       platform::kSoundBufferCtrlVolume | platform::kSoundBufferCtrlPositionNotify |
                                       platform::kSoundBufferGetCurrentPosition2;

} // namespace

SoundManager_t::SoundManager_t(WorkerMode mode) : mMode(mode) {
    mListenerParams.position = {0, -10000.0f, 0};
    mListenerParams.velocity = {0, 0, 0};
    mListenerParams.orientFront = {0, 0, -1.0f};
    mListenerParams.orientTop = {0, 1.0f, 0};
    mListenerParams.distanceFactor = 1.0f;
    mListenerParams.rolloffFactor = 1.0f;
    mListenerParams.dopplerFactor = 1.0f;
    AddWait(&mQuit, nullptr);
    AddWait(&mUpdate, nullptr);
    AddWait(&mTick.Signal(), nullptr);
}

SoundManager_t::~SoundManager_t() {
    Shutdown();
}

void SoundManager_t::Start(platform::WindowHandle window, std::uint32_t cooperativeLevel, int channels,
                           int samplesPerSecond, int bitsPerSample) {
    OpenDevice(window, cooperativeLevel, channels, samplesPerSecond, bitsPerSample);
    if (mMode != WorkerMode::Thread || mThread.IsStarted())
        return;
    try {
        mThread.Start([this] { ThreadProc(); }, platform::ThreadPriority::AboveNormal);
    } catch (...) {
        ReleaseDevice();
        throw;
    }
}

void SoundManager_t::OpenDevice(platform::WindowHandle window, std::uint32_t cooperativeLevel, int channels,
                                int samplesPerSecond, int bitsPerSample) {
    ReleaseDevice();
    platform::SoundDevice* device = nullptr;
    if (platform::Failed(platform::CreateSoundDevice(&device)))
        return; // no device: the manager runs silently
    mDevice.reset(device);
    try {
        if (platform::Failed(mDevice->SetCooperativeLevel(window, cooperativeLevel)))
            throw errSnd_e(2);
        platform::SoundBufferDesc desc;
        desc.flags = platform::kSoundBufferPrimary | platform::kSoundBufferCtrl3D;
        platform::SoundBuffer* primary = nullptr;
        if (platform::Failed(mDevice->CreateSoundBuffer(desc, &primary)))
            throw errSnd_e(3);
        mPrimary.reset(primary);
        const platform::WaveFormat format =
            platform::MakePcmFormat(channels, static_cast<std::uint32_t>(samplesPerSecond), bitsPerSample);
        if (platform::Failed(mPrimary->SetFormat(format)))
            throw errSnd_e(4);
        mPrimary->SetVolume(0);
        platform::SoundListener3D* listener = nullptr;
        if (platform::Failed(mPrimary->GetListener(&listener)))
            throw errSnd_e(5);
        mListener.reset(listener);
        mListener->SetAllParameters(mListenerParams, platform::kSound3DImmediate);
    } catch (...) {
        ReleaseDevice();
        throw;
    }
}

void SoundManager_t::ReleaseDevice() {
    mListener.reset();
    mPrimary.reset();
    mDevice.reset();
}

void SoundManager_t::Shutdown() {
    mQuit.Set();
    mThread.Join();
    mTick.Stop();
    mStopped.Reset();
    mQuit.Reset();
    {
        platform::AutoCrit lock(mLock);
        mSounds.clear();
        mWaitCount = 0;
        AddWait(&mQuit, nullptr);
        AddWait(&mUpdate, nullptr);
        AddWait(&mTick.Signal(), nullptr);
    }
    ReleaseDevice();
}

void SoundManager_t::ThreadProc() {
    mTick.Start(Sound_t::kTickMs);
    mTimer.Impl().Reset();
    for (;;) {
        const int index = platform::WaitForAnyEvent(mWaitEvents.data(), mWaitCount, platform::kWaitInfinite);
        if (!HandleWake(index))
            break;
    }
    mTick.Stop();
    mStopped.Set();
    mQuit.Reset();
}

int SoundManager_t::ServiceOnce(std::uint32_t timeoutMs) {
    const int index = platform::WaitForAnyEvent(mWaitEvents.data(), mWaitCount, timeoutMs);
    if (index != platform::kWaitTimeout)
        HandleWake(index);
    return index;
}

template <typename Step>
bool SoundManager_t::Serve(Sound_t* sound, Step step, bool* failed) {
    try {
        return step();
    } catch (...) {
        // One sound's failure (a file that went away, a buffer that cannot
        // be locked) stops that sound; the others play on.
        sound->Abort();
        *failed = true;
        return false;
    }
}

bool SoundManager_t::HandleWake(int index) {
    if (index == kWakeQuit)
        return false;
    bool rebuild = false;
    if (index == kWakeTimer) {
        platform::AutoCrit lock(mLock);
        const auto ms = static_cast<std::uint32_t>(mTimer.Impl().Elapsed() * 1000.0);
        bool failed = false;
        for (const auto& sound : mSounds) {
            if (Serve(
                    sound.get(), [&] { return sound->Tick(ms); }, &failed)) {
                rebuild = true;
                break;
            }
        }
        rebuild = rebuild || failed;
    } else if (index > kWakeTimer && index < mWaitCount) {
        platform::AutoCrit lock(mLock);
        Sound_t* sound = mWaitOwners[static_cast<std::size_t>(index)]->owner;
        bool failed = false;
        rebuild = Serve(
                      sound, [&] { return sound->OnNotify(); }, &failed) ||
                  failed;
    } else {
        rebuild = true; // the update event, or a wait that failed
    }
    if (rebuild)
        RebuildWaitList();
    return true;
}

void SoundManager_t::AddWait(platform::Event* event, NotifyEvent* owner) {
    if (mWaitCount >= kWaitEntries)
        return;
    mWaitEvents[static_cast<std::size_t>(mWaitCount)] = event;
    mWaitOwners[static_cast<std::size_t>(mWaitCount)] = owner;
    ++mWaitCount;
}

void SoundManager_t::RebuildWaitList() {
    platform::AutoCrit lock(mLock);
    mWaitCount = 0;
    AddWait(&mQuit, nullptr);
    mUpdate.Reset();
    AddWait(&mUpdate, nullptr);
    AddWait(&mTick.Signal(), nullptr);
    for (auto it = mSounds.begin(); it != mSounds.end();) {
        Sound_t* sound = it->get();
        if (sound->IsStopped() && sound->ReleaseWhenStopped()) {
            it = mSounds.erase(it);
            continue;
        }
        if (NotifyEvent* record = sound->GetNotifyEvent()) {
            AddWait(&record->event, record);
            if (sound->IsStopped())
                record->event.Reset();
        }
        ++it;
    }
}

Sound_t* SoundManager_t::Find(std::uint32_t handle) {
    for (const auto& sound : mSounds) {
        if (sound->Handle() == handle)
            return sound.get();
    }
    return nullptr;
}

Sound_t* SoundManager_t::Append(std::unique_ptr<Sound_t> sound) {
    platform::AutoCrit lock(mLock);
    mSounds.push_back(std::move(sound));
    return mSounds.back().get();
}

std::size_t SoundManager_t::SoundCount() {
    platform::AutoCrit lock(mLock);
    return mSounds.size();
}

int SoundManager_t::WaitCount() {
    platform::AutoCrit lock(mLock);
    return mWaitCount;
}

platform::SoundBuffer* SoundManager_t::MakeBuffer(std::uint32_t flags, std::uint32_t bytes,
                                                  const platform::WaveFormat& format) {
    platform::SoundBufferDesc desc;
    desc.flags = flags;
    desc.bufferBytes = bytes;
    desc.format = &format;
    platform::SoundBuffer* buffer = nullptr;
    if (platform::Failed(mDevice->CreateSoundBuffer(desc, &buffer)))
        throw errSnd_e(22);
    return buffer;
}

Sound_t* SoundManager_t::CreateSound(SoundDescr_t* descr, Sound::EndCallback endFunction, void* endArgument) {
    if (!mDevice)
        return nullptr;
    if (descr == nullptr)
        throw errSnd_e(7);
    std::uint32_t flags = kStaticFlags;
    if (descr->Has(SoundDescr_t::Is3D)) {
        flags |= platform::kSoundBufferCtrl3D;
        if (descr->Has(SoundDescr_t::MuteAfterMaxDistance))
            flags |= platform::kSoundBufferMute3DAtMaxDistance;
    } else {
        flags |= platform::kSoundBufferCtrlPan;
    }
    std::unique_ptr<Sound_t> sound = CreateStaticBuffer(
        descr->group, descr->waveData.data(), static_cast<std::uint32_t>(descr->waveData.size()), descr->waveKind,
        flags, descr->Has(SoundDescr_t::IsLoop), descr->Has(SoundDescr_t::DelAfterPlay), descr->decoded);
    sound->SetEndCallback(endFunction, endArgument);
    sound->SetVolume(descr->volume, false);
    sound->SetGroupVolume(descr->groupVolume, true);
    return Append(std::move(sound));
}

// The sound reads its own copy of the data: the description may free or
// replace its wave data while the sound plays.
std::unique_ptr<Sound_t> SoundManager_t::CreateStaticBuffer(int group, const void* data, std::uint32_t size, int kind,
                                                            std::uint32_t flags, bool loop, bool deleteAfterPlay,
                                                            bool decoded) {
    if (data == nullptr || size == 0)
        throw errSnd_e(7);
    std::unique_ptr<Sound::WaveFile_t> source;
    if (decoded) {
        source = std::make_unique<Sound::WaveWavFile_t>();
        source->OpenPcmImage(data, size);
    } else if (kind == SoundDescr_t::WaveWav) {
        source = std::make_unique<Sound::WaveWavFile_t>();
        source->OpenMemory(data, size);
    } else if (kind == SoundDescr_t::WaveOgg) {
        source = std::make_unique<Sound::WaveOggFile_t>();
        source->OpenMemory(data, size);
    } else {
        throw errSnd_e(7);
    }
    const std::uint32_t bytes = source->SizeBytes();
    if (bytes == 0)
        throw errSnd_e(9);
    platform::RefHeld<platform::SoundBuffer> buffer(MakeBuffer(flags, bytes, source->Format()));
    std::unique_ptr<NotifyEvent> record;
    if (!loop) {
        record = std::make_unique<NotifyEvent>();
        const platform::PositionNotify stop{platform::kSoundNotifyOffsetStop, &record->event};
        if (platform::Failed(buffer->SetNotificationPositions(1, &stop)))
            throw errSnd_e(24);
    }
    const std::uint32_t bufferBytes = buffer->BufferBytes();
    return std::make_unique<Sound_t>(group, this, buffer.release(), bufferBytes, std::move(source), std::move(record),
                                     loop, deleteAfterPlay, ++mLastHandle);
}

Sound_t* SoundManager_t::CreateStreamingSound(SoundDescr_t* descr, FileDescr_t* file) {
    if (descr == nullptr || file == nullptr || !mDevice) {
        Sound::WaveFile_t::ReleaseFile(file);
        return nullptr;
    }
    std::uint32_t flags = platform::kSoundBufferCtrlFrequency | platform::kSoundBufferCtrlVolume |
                          platform::kSoundBufferCtrlPositionNotify | platform::kSoundBufferGetCurrentPosition2 |
                          platform::kSoundBufferLocSoftware;
    if (descr->Has(SoundDescr_t::MuteAfterMaxDistance))
        flags |= platform::kSoundBufferMute3DAtMaxDistance;
    if (descr->Has(SoundDescr_t::Is3D))
        flags |= platform::kSoundBufferCtrl3D;
    std::unique_ptr<Sound_t> sound =
        CreateStreamBuffer(descr->group, file, descr->waveKind, flags, descr->Has(SoundDescr_t::IsLoop),
                           descr->Has(SoundDescr_t::DelAfterPlay));
    if (descr->Has(SoundDescr_t::Is3D))
        Apply3DParams(sound.get(), &descr->params3D);
    sound->SetVolume(descr->volume, false);
    sound->SetGroupVolume(descr->groupVolume, true);
    return Append(std::move(sound));
}

std::unique_ptr<Sound_t> SoundManager_t::CreateStreamBuffer(int group, FileDescr_t* file, int kind, std::uint32_t flags,
                                                            bool loop, bool deleteAfterPlay) {
    std::unique_ptr<Sound::WaveFile_t> source;
    if (kind == SoundDescr_t::WaveWav) {
        source = std::make_unique<Sound::WaveWavFile_t>();
    } else if (kind == SoundDescr_t::WaveOgg) {
        source = std::make_unique<Sound::WaveOggFile_t>();
    } else {
        Sound::WaveFile_t::ReleaseFile(file);
        throw errSnd_e(7);
    }
    source->Open(file);
    const std::uint32_t ringBytes = kStreamNotifications * kStreamBytesPerNotification;
    platform::RefHeld<platform::SoundBuffer> buffer(
        MakeBuffer(flags | platform::kSoundBufferCtrlPositionNotify | platform::kSoundBufferGetCurrentPosition2,
                   ringBytes, source->Format()));
    auto record = std::make_unique<NotifyEvent>();
    platform::PositionNotify positions[kStreamNotifications];
    for (std::uint32_t i = 0; i < kStreamNotifications; ++i)
        positions[i] = {i * kStreamBytesPerNotification + kStreamBytesPerNotification - 1, &record->event};
    if (platform::Failed(buffer->SetNotificationPositions(static_cast<int>(kStreamNotifications), positions)))
        throw errSnd_e(24);
    const std::uint32_t bufferBytes = buffer->BufferBytes();
    return std::make_unique<Sound::StreamingSound_t>(group, this, buffer.release(), bufferBytes, std::move(source),
                                                     kStreamBytesPerNotification, std::move(record), loop,
                                                     deleteAfterPlay, ++mLastHandle);
}

void SoundManager_t::PlaySound(std::uint32_t handle, std::uint32_t fadeInMs) {
    platform::AutoCrit lock(mLock);
    if (Sound_t* sound = Find(handle)) {
        sound->Play(fadeInMs);
        WakeUp();
    }
}

void SoundManager_t::StopSound(std::uint32_t handle, std::uint32_t fadeOutMs, bool release) {
    platform::AutoCrit lock(mLock);
    Sound_t* sound = Find(handle);
    if (sound == nullptr)
        return;
    if (release)
        sound->MarkReleaseWhenStopped();
    if (fadeOutMs != 0) {
        sound->FadeOut(fadeOutMs);
    } else {
        sound->Stop();
    }
}

bool SoundManager_t::IsPlaying(std::uint32_t handle) {
    platform::AutoCrit lock(mLock);
    Sound_t* sound = Find(handle);
    return sound != nullptr && sound->IsPlaying();
}

void SoundManager_t::SetEndCallback(std::uint32_t handle, Sound::EndCallback function, void* argument) {
    platform::AutoCrit lock(mLock);
    if (Sound_t* sound = Find(handle))
        sound->SetEndCallback(function, argument);
}

void SoundManager_t::SetGroupVolume(int group, int volume) {
    platform::AutoCrit lock(mLock);
    for (const auto& sound : mSounds) {
        if (sound->Group() == group)
            sound->SetGroupVolume(volume, true);
    }
}

void SoundManager_t::ApplySound3D(std::uint32_t handle, const platform::Buffer3DParams* params) {
    if (handle == 0 || params == nullptr)
        throw errSnd_e(7);
    // Held from lookup to apply: the worker may delete a released sound.
    platform::AutoCrit lock(mLock);
    if (Sound_t* sound = Find(handle))
        Apply3DParams(sound, params);
}

void SoundManager_t::Apply3DParams(Sound_t* sound, const platform::Buffer3DParams* params) {
    if (sound == nullptr || params == nullptr)
        throw errSnd_e(7);
    platform::AutoCrit lock(mLock);
    platform::SoundBuffer3D* view = nullptr;
    sound->Get3DBuffer(&view);
    platform::RefHeld<platform::SoundBuffer3D> held(view);
    constexpr std::uint32_t now = platform::kSound3DImmediate;
    if (platform::Succeeded(held->SetAllParameters(*params, now)))
        return;
    // Whatever can be set is set, each on its own.
    held->SetMaxDistance(params->maxDistance, now);
    held->SetMinDistance(params->minDistance, now);
    held->SetMode(params->mode, now);
    held->SetPosition(params->position.x, params->position.y, params->position.z, now);
    held->SetConeAngles(params->insideConeAngle, params->outsideConeAngle, now);
    held->SetConeOrientation(params->coneOrientation.x, params->coneOrientation.y, params->coneOrientation.z, now);
    held->SetConeOutsideVolume(params->coneOutsideVolume, now);
    held->SetVelocity(params->velocity.x, params->velocity.y, params->velocity.z, now);
}

void SoundManager_t::WakeUp() {
    platform::AutoCrit lock(mLock);
    mUpdate.Set();
}

bool SoundManager_t::OnSoundEnded(Sound_t* sound) {
    sound->FireEndCallback();
    sound->MarkStopped();
    WakeUp();
    return false;
}
