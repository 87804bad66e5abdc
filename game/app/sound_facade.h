#pragma once
// The game's sound system: every sound description, one engine sound
// manager, the volume percentages of the volume groups and the two music
// tracks of a cross-fade. Game code plays sounds by description name
// through the Snd* functions below, which act on the installed facade and do
// nothing (or give 0) while none is installed or before SndInit.

#include <cstdint>
#include <memory>

#include "engine/sound/sound.h"
#include "engine/sound/sound_manager.h"
#include "engine/sound/sound_storages.h"
#include "platform/process_slot.h"
#include "platform/window.h"

class Stg_t;

namespace Sound {
class SoundDescr_t;
class SoundDescrList_t;
class SoundModel_t;
} // namespace Sound

namespace Game {

using SoundHandle = std::uint32_t;

// A percentage as a volume in hundredths of a decibel: -10000 below 1, 0
// above 100, else trunc(2000 * log10(p / 100)).
int VolumeOfPercent(int percent);

class SoundFacade {
public:
    // Installs the facade's storages as the engine's sound storages for as
    // long as the facade lives.
    // A facade whose manager has no worker thread (Manual) leaves the
    // worker's turns to its owner.
    explicit SoundFacade(SoundManager_t::WorkerMode mode = SoundManager_t::WorkerMode::Thread);
    virtual ~SoundFacade();
    SoundFacade(const SoundFacade&) = delete;
    SoundFacade& operator=(const SoundFacade&) = delete;

    // Loads every description and starts the manager. A manager that fails
    // to start leaves the facade disabled with nothing held; false then.
    bool Init(platform::WindowHandle window, bool noStreamMusic);
    void Shutdown();
    bool IsEnabled() const { return mEnabled; }

    void SetVolume(int group, int percent);
    int GetVolume(Sound::SoundDescr_t* descr);

    SoundHandle PlayDescr(Sound::SoundDescr_t* descr, std::uint32_t fadeInMs, Sound::SoundModel_t* model);
    SoundHandle PlayByName(const char* name, std::uint32_t fadeInMs, Sound::SoundModel_t* model);
    SoundHandle PlayByNameWave(const char* name, const char* waveName, std::uint32_t fadeInMs,
                               Sound::SoundModel_t* model);
    void StopSound(SoundHandle handle, std::uint32_t fadeOutMs, bool release);
    bool IsPlaying(SoundHandle handle);

    void PlayMusic(const char* waveName, std::uint32_t fadeInMs, std::uint32_t fadeOutMs);
    void PlayMusicDescr(const char* descrName, const char* waveName, Sound::EndCallback callback, void* argument);
    void StopMusic(std::uint32_t fadeOutMs);

    Sound::SoundStorages& Storages() { return *mStorages; }
    SoundManager_t* Manager() const { return mManager.get(); }
    Sound::SoundDescrList_t* Descriptions() const { return mDescrList.get(); }
    SoundHandle OldMusic() const { return mOldMusic; }
    SoundHandle CurrentMusic() const { return mCurrentMusic; }
    int DialogGroupVolume() const { return mDialogVolume; }
    int EffectsGroupVolume() const { return mEffectsVolume; }
    int MusicGroupVolume() const { return mMusicVolume; }

protected:
    // Starts the manager on the primary format: 2 channels, 22050 Hz, 16 bits.
    virtual void StartManager(SoundManager_t& manager, platform::WindowHandle window);

private:
    // The stored percentage of a group code; -1 for a code without one.
    int PercentOfGroup(int group) const;
    // Stops the fading track at once and sends the playing one fading; the
    // description to play next, or null when there is none of that name.
    Sound::SoundDescr_t* HandOverMusic(const char* descrName, std::uint32_t fadeOutMs);
    void ReleaseMusic(SoundHandle handle, std::uint32_t fadeOutMs);
    SoundHandle PlayStreamed(Sound::SoundDescr_t* descr, std::uint32_t fadeInMs);
    SoundHandle PlayWhole(Sound::SoundDescr_t* descr, std::uint32_t fadeInMs, Sound::SoundModel_t* model);

    SoundManager_t::WorkerMode mWorkerMode;
    std::shared_ptr<Sound::SoundStorages> mStorages = std::make_shared<Sound::SoundStorages>();
    platform::Installed<Sound::SoundStorages> mStoragesInstalled{Sound::gSoundStorages, mStorages};
    std::unique_ptr<Sound::SoundDescrList_t> mDescrList;
    std::unique_ptr<SoundManager_t> mManager;
    int mDialogVolume = 0;
    int mEffectsVolume = 0;
    int mMusicVolume = 0;
    bool mEnabled = false;
    bool mNoStreamMusic = false;
    SoundHandle mOldMusic = 0;
    SoundHandle mCurrentMusic = 0;
};

platform::ProcessSlot<SoundFacade>& SoundFacadeSlot();

// The installed facade's operations.
bool SndInit(platform::WindowHandle window, bool noStreamMusic);
void SndShutdown();
bool SndIsEnabled();
void SndSetVolume(int group, int percent);
int SndGetVolume(Sound::SoundDescr_t* descr);
SoundHandle SndPlayDescr(Sound::SoundDescr_t* descr, std::uint32_t fadeInMs, Sound::SoundModel_t* model = nullptr);
SoundHandle SndPlayByName(const char* name, std::uint32_t fadeInMs = 0, Sound::SoundModel_t* model = nullptr);
SoundHandle SndPlayByNameWave(const char* name, const char* waveName, std::uint32_t fadeInMs = 0,
                              Sound::SoundModel_t* model = nullptr);
void SndStopSound(SoundHandle handle, std::uint32_t fadeOutMs, bool release);
bool SndIsPlaying(SoundHandle handle);
void SndPlayMusic(const char* waveName, std::uint32_t fadeInMs, std::uint32_t fadeOutMs);
void SndPlayMusicDescr(const char* descrName, const char* waveName, Sound::EndCallback callback, void* argument);
void SndStopMusic(std::uint32_t fadeOutMs);
void SndSetDescrStorage(Stg_t* storage);
Stg_t* SndGetDescrStorage();
void SndSetWaveStorage(Stg_t* storage);
Stg_t* SndGetWaveStorage();
Stg_t* SndGetDialogWaveStorage();

} // namespace Game
