#include "game/app/sound_facade.h"

#include <cmath>
#include <string>

#include "engine/base/engine_error.h"
#include "engine/sound/sound_descr.h"
#include "engine/sound/sound_descr_list.h"
#include "engine/sound/sound_manager.h"
#include "engine/storage/stg.h"
#include "platform/audio/sound_types.h"

namespace Game {

using Sound::SoundDescr_t;

int VolumeOfPercent(int percent) {
    if (percent < 1)
        return -10000;
    if (percent > 100)
        return 0;
    return static_cast<int>(2000.0 * std::log10(percent / 100.0));
}

SoundFacade::SoundFacade(SoundManager_t::WorkerMode mode) : mWorkerMode(mode) {}

void SoundFacade::StartManager(SoundManager_t& manager, platform::WindowHandle window) {
    manager.Start(window, platform::kSoundCoopPriority, 2, 22050, 16);
}

SoundFacade::~SoundFacade() {
    Shutdown();
}

bool SoundFacade::Init(platform::WindowHandle window, bool noStreamMusic) {
    Shutdown();
    auto descriptions = std::make_unique<Sound::SoundDescrList_t>();
    descriptions->Load();
    auto manager = std::make_unique<SoundManager_t>(mWorkerMode);
    try {
        StartManager(*manager, window);
    } catch (const err_e&) {
        // A game without sound still runs: the facade stays disabled.
        return false;
    }
    mDescrList = std::move(descriptions);
    mManager = std::move(manager);
    mEnabled = true;
    mNoStreamMusic = noStreamMusic;
    return true;
}

void SoundFacade::Shutdown() {
    if (mManager) {
        ReleaseMusic(mOldMusic, 0);
        ReleaseMusic(mCurrentMusic, 0);
    }
    mOldMusic = 0;
    mCurrentMusic = 0;
    // The manager goes first: its sounds may still point at descriptions.
    mManager.reset();
    mDescrList.reset();
    mEnabled = false;
}

int SoundFacade::PercentOfGroup(int group) const {
    switch (group) {
    case SoundDescr_t::GroupDialog:
        return mDialogVolume;
    case SoundDescr_t::GroupEffect:
    case SoundDescr_t::GroupWorld:
    case SoundDescr_t::GroupInterf:
        return mEffectsVolume;
    case SoundDescr_t::GroupMusic:
        return mMusicVolume;
    default:
        return -1;
    }
}

void SoundFacade::SetVolume(int group, int percent) {
    if (group == SoundDescr_t::GroupNone)
        return;
    if (group == SoundDescr_t::GroupDialog)
        mDialogVolume = percent;
    else if (group == SoundDescr_t::GroupEffect)
        mEffectsVolume = percent;
    else if (group == SoundDescr_t::GroupMusic)
        mMusicVolume = percent;
    if (mManager)
        mManager->SetGroupVolume(group, VolumeOfPercent(percent));
}

int SoundFacade::GetVolume(SoundDescr_t* descr) {
    const int percent = PercentOfGroup(descr->group);
    if (percent < 0) {
        descr->groupVolume = -10000;
        return 0;
    }
    descr->groupVolume = VolumeOfPercent(percent);
    return percent;
}

SoundHandle SoundFacade::PlayDescr(SoundDescr_t* descr, std::uint32_t fadeInMs, Sound::SoundModel_t* model) {
    if (!mManager || descr == nullptr)
        return 0;
    try {
        if (descr->Has(SoundDescr_t::IsStreamed))
            return PlayStreamed(descr, fadeInMs);
        return PlayWhole(descr, fadeInMs, model);
    } catch (const err_e&) {
        return 0;
    }
}

SoundHandle SoundFacade::PlayStreamed(SoundDescr_t* descr, std::uint32_t fadeInMs) {
    Stg_t* waves = mStorages->waves;
    if (waves == nullptr || descr->waveName.empty())
        return 0;
    GetVolume(descr);
    std::string name = descr->waveName + ".ogg";
    int kind = SoundDescr_t::WaveOgg;
    if (!waves->TestFilePresent(name)) {
        name = descr->waveName + ".wav";
        kind = SoundDescr_t::WaveWav;
    }
    FileDescr_t* file = waves->OpenFile(name, 0);
    descr->waveKind = kind;
    // The manager takes the file whether or not a sound is made.
    Sound::Sound_t* sound = mManager->CreateStreamingSound(descr, file);
    if (sound == nullptr)
        return 0;
    const SoundHandle handle = sound->Handle();
    if (descr->Has(SoundDescr_t::Is3D))
        mManager->ApplySound3D(handle, &descr->params3D);
    mManager->PlaySound(handle, fadeInMs);
    return handle;
}

SoundHandle SoundFacade::PlayWhole(SoundDescr_t* descr, std::uint32_t fadeInMs, Sound::SoundModel_t* model) {
    if (descr->waveData.empty())
        descr->LoadWaveData();
    GetVolume(descr);
    Sound::Sound_t* sound = mManager->CreateSound(descr, nullptr, nullptr);
    // The sound keeps its own copy of the wave, so the description's can go.
    if (sound != nullptr && descr->Has(SoundDescr_t::PlayIfPlay))
        descr->FreeWaveData();
    if (sound == nullptr)
        return 0;
    const SoundHandle handle = sound->Handle();
    if (model != nullptr) {
        mManager->ApplySound3D(handle, &descr->params3D);
        const platform::Buffer3DParams& p = descr->params3D;
        sound->Set3DParams(model, p.position.x, p.position.y, p.position.z, p.coneOrientation.x, p.coneOrientation.y,
                           p.coneOrientation.z);
    } else if (descr->Has(SoundDescr_t::Is3D)) {
        mManager->ApplySound3D(handle, &descr->params3D);
    }
    mManager->PlaySound(handle, fadeInMs);
    return handle;
}

SoundHandle SoundFacade::PlayByName(const char* name, std::uint32_t fadeInMs, Sound::SoundModel_t* model) {
    return PlayByNameWave(name, nullptr, fadeInMs, model);
}

SoundHandle SoundFacade::PlayByNameWave(const char* name, const char* waveName, std::uint32_t fadeInMs,
                                        Sound::SoundModel_t* model) {
    if (!mDescrList || name == nullptr)
        return 0;
    SoundDescr_t* descr = mDescrList->Find(name);
    if (descr == nullptr)
        return 0;
    if (waveName != nullptr && *waveName != '\0')
        descr->SetWaveName(waveName);
    return PlayDescr(descr, fadeInMs, model);
}

void SoundFacade::StopSound(SoundHandle handle, std::uint32_t fadeOutMs, bool release) {
    if (mManager)
        mManager->StopSound(handle, fadeOutMs, release);
}

bool SoundFacade::IsPlaying(SoundHandle handle) {
    return mManager && mManager->IsPlaying(handle);
}

// A piece of music that is replaced or shut down has not ended for whoever
// asked to hear of its end: that screen may be gone by now, and would only
// start its next track over the new music.
void SoundFacade::ReleaseMusic(SoundHandle handle, std::uint32_t fadeOutMs) {
    if (handle == 0)
        return;
    mManager->SetEndCallback(handle, nullptr, nullptr);
    mManager->StopSound(handle, fadeOutMs, true);
}

SoundDescr_t* SoundFacade::HandOverMusic(const char* descrName, std::uint32_t fadeOutMs) {
    ReleaseMusic(mOldMusic, 0);
    mOldMusic = mCurrentMusic;
    ReleaseMusic(mOldMusic, fadeOutMs);
    SoundDescr_t* descr = mDescrList->Find(descrName);
    if (descr != nullptr && mNoStreamMusic)
        descr->flags &= ~std::uint32_t(SoundDescr_t::IsStreamed);
    return descr;
}

void SoundFacade::PlayMusic(const char* waveName, std::uint32_t fadeInMs, std::uint32_t fadeOutMs) {
    if (!mEnabled)
        return;
    SoundDescr_t* descr = HandOverMusic("Background", fadeOutMs);
    if (descr == nullptr)
        return;
    descr->SetWaveName(waveName);
    mCurrentMusic = PlayDescr(descr, fadeInMs, nullptr);
}

void SoundFacade::PlayMusicDescr(const char* descrName, const char* waveName, Sound::EndCallback callback,
                                 void* argument) {
    if (!mEnabled)
        return;
    SoundDescr_t* descr = HandOverMusic(descrName, 0);
    if (descr == nullptr)
        return;
    descr->SetWaveName(waveName);
    mCurrentMusic = PlayDescr(descr, 0, nullptr);
    if (mCurrentMusic != 0 && callback != nullptr)
        mManager->SetEndCallback(mCurrentMusic, callback, argument);
}

void SoundFacade::StopMusic(std::uint32_t fadeOutMs) {
    if (!mEnabled)
        return;
    for (SoundHandle handle : {mCurrentMusic, mOldMusic})
        ReleaseMusic(handle, fadeOutMs);
    mCurrentMusic = 0;
    mOldMusic = 0;
}

platform::ProcessSlot<SoundFacade>& SoundFacadeSlot() {
    static platform::ProcessSlot<SoundFacade> slot;
    return slot;
}

bool SndInit(platform::WindowHandle window, bool noStreamMusic) {
    auto facade = SoundFacadeSlot().Get();
    return facade && facade->Init(window, noStreamMusic);
}

void SndShutdown() {
    if (auto facade = SoundFacadeSlot().Get())
        facade->Shutdown();
}

bool SndIsEnabled() {
    auto facade = SoundFacadeSlot().Get();
    return facade && facade->IsEnabled();
}

void SndSetVolume(int group, int percent) {
    if (auto facade = SoundFacadeSlot().Get())
        facade->SetVolume(group, percent);
}

int SndGetVolume(SoundDescr_t* descr) {
    auto facade = SoundFacadeSlot().Get();
    return facade ? facade->GetVolume(descr) : 0;
}

SoundHandle SndPlayDescr(SoundDescr_t* descr, std::uint32_t fadeInMs, Sound::SoundModel_t* model) {
    auto facade = SoundFacadeSlot().Get();
    return facade ? facade->PlayDescr(descr, fadeInMs, model) : 0;
}

SoundHandle SndPlayByName(const char* name, std::uint32_t fadeInMs, Sound::SoundModel_t* model) {
    auto facade = SoundFacadeSlot().Get();
    return facade ? facade->PlayByName(name, fadeInMs, model) : 0;
}

SoundHandle SndPlayByNameWave(const char* name, const char* waveName, std::uint32_t fadeInMs,
                              Sound::SoundModel_t* model) {
    auto facade = SoundFacadeSlot().Get();
    return facade ? facade->PlayByNameWave(name, waveName, fadeInMs, model) : 0;
}

void SndStopSound(SoundHandle handle, std::uint32_t fadeOutMs, bool release) {
    if (auto facade = SoundFacadeSlot().Get())
        facade->StopSound(handle, fadeOutMs, release);
}

bool SndIsPlaying(SoundHandle handle) {
    auto facade = SoundFacadeSlot().Get();
    return facade && facade->IsPlaying(handle);
}

void SndPlayMusic(const char* waveName, std::uint32_t fadeInMs, std::uint32_t fadeOutMs) {
    if (auto facade = SoundFacadeSlot().Get())
        facade->PlayMusic(waveName, fadeInMs, fadeOutMs);
}

void SndPlayMusicDescr(const char* descrName, const char* waveName, Sound::EndCallback callback, void* argument) {
    if (auto facade = SoundFacadeSlot().Get())
        facade->PlayMusicDescr(descrName, waveName, callback, argument);
}

void SndStopMusic(std::uint32_t fadeOutMs) {
    if (auto facade = SoundFacadeSlot().Get())
        facade->StopMusic(fadeOutMs);
}

void SndSetDescrStorage(Stg_t* storage) {
    if (auto facade = SoundFacadeSlot().Get())
        facade->Storages().descriptions = storage;
}

Stg_t* SndGetDescrStorage() {
    auto facade = SoundFacadeSlot().Get();
    return facade ? facade->Storages().descriptions : nullptr;
}

void SndSetWaveStorage(Stg_t* storage) {
    if (auto facade = SoundFacadeSlot().Get())
        facade->Storages().waves = storage;
}

Stg_t* SndGetWaveStorage() {
    auto facade = SoundFacadeSlot().Get();
    return facade ? facade->Storages().waves : nullptr;
}

Stg_t* SndGetDialogWaveStorage() {
    auto facade = SoundFacadeSlot().Get();
    return facade ? facade->Storages().dialogWaves : nullptr;
}

} // namespace Game
