#include "framework/sound/dsound_manager.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/sound/au_file.h"
#include "framework/sound/audio_decoders.h"
#include "framework/sound/dsound_instance.h"
#include "framework/sound/sound_file.h"
#include "framework/sound/wave_file.h"
#include "framework/util/path_util.h"
#include "framework/util/system_util.h"
#include "platform/audio/sound_environment.h"
#include "platform/clock.h"

namespace Kavo {

namespace {

constexpr std::uint32_t kSourceBufferFlags =
    platform::kSoundBufferStatic | platform::kSoundBufferLocSoftware | platform::kSoundBufferCtrlFrequency |
    platform::kSoundBufferCtrlPan | platform::kSoundBufferCtrlVolume | platform::kSoundBufferGetCurrentPosition2;

std::shared_ptr<platform::Mixer> InstalledMixer() {
    std::shared_ptr<platform::SoundEnvironment> environment = platform::SoundEnvironmentSlot().Get();
    return environment ? environment->mixer : nullptr;
}

} // namespace

DSoundManager::DSoundManager(platform::WindowHandle window, bool useFMod) : mWindow(window), mUseFMod(useFMod) {
    if (window == nullptr)
        return;
    platform::SoundDevice* device = nullptr;
    if (platform::CreateSoundDevice(&device) != platform::DS_OK)
        return;
    mDevice.reset(device);
    if (mDevice->SetCooperativeLevel(window, platform::kSoundCoopPriority) != platform::DS_OK) {
        mDevice->SetCooperativeLevel(window, platform::kSoundCoopNormal);
        return;
    }
    platform::SoundBufferDesc desc;
    desc.flags = platform::kSoundBufferPrimary;
    platform::SoundBuffer* primary = nullptr;
    if (mDevice->CreateSoundBuffer(desc, &primary) == platform::DS_OK) {
        mPrimary.reset(primary);
        mPrimary->SetFormat(platform::MakePcmFormat(2, 44100, 16));
    }
}

DSoundManager::~DSoundManager() {
    ReleaseChannels();
    ReleaseSounds();
    mPrimary.reset();
    mDevice.reset();
}

std::string DSoundManager::CachePath(const std::string& name) {
    const bool absolute = name.empty() || name[0] == '\\' || name[0] == '/' || (name.size() > 1 && name[1] == ':');
    if (name.size() < 3 || absolute)
        return "";
    return GetUserDataFolder() + "cached\\" + name + ".wav";
}

int32_t DSoundManager::FindSoundId(const std::string& name) {
    for (int id = 0; id < kMaxSounds; ++id)
        if (mSources[id].loaded && mSources[id].name == name)
            return id;
    for (int id = kMaxSounds - 1; id >= 0; --id)
        if (!mSources[id].loaded)
            return LoadByName(id, name) ? id : -1;
    return -1;
}

bool DSoundManager::Decode(const std::string& name, PcmSound& sound, std::string& sourceName) {
    std::string error;
    if (mUseFMod) {
        std::vector<std::uint8_t> bytes;
        sourceName = name + ".mp3";
        if (ReadSoundFile(sourceName, bytes) && DecodeMp3(bytes, sound, error))
            return true;
        sourceName = name + ".ogg";
        if (ReadSoundFile(sourceName, bytes) && DecodeOgg(bytes, sound, error))
            return true;
    }
    sourceName = name + ".au";
    return ReadAuFile(sourceName, sound, error);
}

bool DSoundManager::LoadByName(int32_t soundId, const std::string& name) {
    if (!ValidId(soundId))
        return false;
    ReleaseSound(soundId);

    PcmSound sound;
    std::string error;
    const std::string cachePath = CachePath(name);
    if (!cachePath.empty()) {
        if (ReadWaveFile(cachePath, sound, error) && SetSource(soundId, sound)) {
            mSources[soundId].name = name;
            return true;
        }
        MkDir(GetFileDir(cachePath));
    }

    error.clear();
    if (ReadWaveFile(name + ".wav", sound, error)) {
        if (!SetSource(soundId, sound))
            return false;
        mSources[soundId].name = name;
        return true;
    }

    std::string sourceName;
    if (!Decode(name, sound, sourceName) || !SetSource(soundId, sound))
        return false;
    mSources[soundId].name = name;
    if (!cachePath.empty())
        WriteWaveFile(cachePath, sound, sourceName, SourceFileTime(sourceName));
    return true;
}

bool DSoundManager::SetSource(int32_t soundId, const PcmSound& sound) {
    Source& source = mSources[soundId];
    if (mDevice) {
        platform::SoundBufferDesc desc;
        desc.flags = kSourceBufferFlags;
        desc.bufferBytes = static_cast<std::uint32_t>(sound.data.size());
        desc.format = &sound.format;
        platform::SoundBuffer* buffer = nullptr;
        if (sound.data.size() > platform::kSoundBufferBytesMax ||
            mDevice->CreateSoundBuffer(desc, &buffer) != platform::DS_OK)
            return false;
        SoundRef<platform::SoundBuffer> held(buffer);
        void* part = nullptr;
        std::uint32_t bytes = 0;
        if (held->Lock(0, 0, &part, &bytes, nullptr, nullptr, platform::kSoundLockEntireBuffer) != platform::DS_OK)
            return false;
        std::memcpy(part, sound.data.data(), std::min<std::size_t>(bytes, sound.data.size()));
        held->Unlock(part, bytes, nullptr, 0);
        source.buffer = std::move(held);
    }
    source.loaded = true;
    source.size = static_cast<std::uint32_t>(sound.data.size());
    return true;
}

void DSoundManager::ReleaseSound(int32_t soundId) {
    if (!ValidId(soundId))
        return;
    Source& source = mSources[soundId];
    source.buffer.reset();
    source.loaded = false;
    source.size = 0;
    source.name.clear();
}

void DSoundManager::SetVolume(double volume) {
    mMasterVolume = volume;
    for (std::unique_ptr<DSoundInstance>& channel : mChannels)
        if (channel && channel->Buffer() != nullptr)
            channel->ApplyVolume();
}

bool DSoundManager::SetBaseVolume(int32_t soundId, double volume) {
    if (!ValidId(soundId))
        return false;
    mSources[soundId].baseVolume = volume;
    return true;
}

bool DSoundManager::SetBasePan(int32_t soundId, int32_t pan) {
    if (!ValidId(soundId))
        return false;
    mSources[soundId].basePan = pan;
    return true;
}

int DSoundManager::FindChannel() {
    const std::uint32_t now = platform::GetTickMs();
    if (now - mLastSweep > kSweepIntervalMs) {
        for (std::unique_ptr<DSoundInstance>& channel : mChannels)
            if (channel && channel->IsReleased())
                channel.reset();
        mLastSweep = now;
    }
    for (int i = 0; i < kMaxChannels; ++i) {
        if (!mChannels[i])
            return i;
        if (mChannels[i]->IsReleased()) {
            mChannels[i].reset();
            return i;
        }
    }
    return -1;
}

SoundInstance* DSoundManager::GetSoundInstance(int32_t soundId) {
    if (!ValidId(soundId))
        return nullptr;
    const int channel = FindChannel();
    if (channel < 0)
        return nullptr;
    SoundRef<platform::SoundBuffer> duplicate;
    if (mDevice) {
        const Source& source = mSources[soundId];
        if (!source.buffer)
            return nullptr;
        platform::SoundBuffer* made = nullptr;
        // A sound that cannot be duplicated is not played this time.
        if (mDevice->DuplicateSoundBuffer(source.buffer.get(), &made) != platform::DS_OK)
            return nullptr;
        duplicate.reset(made);
    }
    mChannels[channel] = std::make_unique<DSoundInstance>(this, std::move(duplicate));
    DSoundInstance* instance = mChannels[channel].get();
    instance->SetBasePan(mSources[soundId].basePan);
    instance->SetBaseVolume(mSources[soundId].baseVolume);
    return instance;
}

void DSoundManager::ReleaseSounds() {
    for (int id = 0; id < kMaxSounds; ++id)
        ReleaseSound(id);
}

void DSoundManager::ReleaseChannels() {
    for (std::unique_ptr<DSoundInstance>& channel : mChannels)
        channel.reset();
}

double DSoundManager::ReadMixerVolume() {
    if (std::shared_ptr<platform::Mixer> mixer = InstalledMixer())
        return mixer->WaveOutVolume() / 65535.0;
    return mMixerVolume;
}

void DSoundManager::WriteMixerVolume(double volume) {
    volume = std::clamp(volume, 0.0, 1.0);
    if (std::shared_ptr<platform::Mixer> mixer = InstalledMixer())
        mixer->SetWaveOutVolume(static_cast<std::uint16_t>(volume * 65535));
    mMixerVolume = volume;
}

void DSoundManager::SetCooperativeWindow(platform::WindowHandle window, bool) {
    mWindow = window;
    if (mDevice)
        mDevice->SetCooperativeLevel(window, platform::kSoundCoopNormal);
}

void DSoundManager::StopAllSounds() {
    for (std::unique_ptr<DSoundInstance>& channel : mChannels)
        if (channel)
            channel->StopKeepingAutoRelease();
}

int32_t DSoundManager::GetFreeSoundId() {
    for (int id = 0; id < kMaxSounds; ++id)
        if (!mSources[id].loaded)
            return id;
    return -1;
}

int32_t DSoundManager::GetNumSounds() {
    return static_cast<int32_t>(
        std::count_if(mSources.begin(), mSources.end(), [](const Source& s) { return s.loaded; }));
}

std::uint32_t DSoundManager::SoundSize(int32_t soundId) const {
    return ValidId(soundId) ? mSources[soundId].size : 0;
}

const std::string& DSoundManager::SoundName(int32_t soundId) const {
    static const std::string none;
    return ValidId(soundId) ? mSources[soundId].name : none;
}

} // namespace Kavo
