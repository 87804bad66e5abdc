#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "framework/sound/pcm_sound.h"
#include "framework/sound/sound_manager.h"
#include "framework/sound/sound_ref.h"
#include "platform/audio/sound_buffer.h"
#include "platform/audio/sound_device.h"

namespace Kavo {

class DSoundInstance;

// The sound manager over the platform's sound devices. Sounds load from
// ".wav" files, Sun ".au" files and, when asked at construction, ".mp3" and
// ".ogg" files; decodes (everything but ".wav") are cached as WAVE files in
// the user-data folder's "cached" folder, with the source's name and time so
// that a changed source is decoded again.
//
// Without a window, or when no device can be opened, the manager runs on
// the null device: sounds still load and take their ids, and every
// instance is silent.
class DSoundManager : public SoundManager {
public:
    static constexpr int kMaxSounds = 256;
    static constexpr int kMaxChannels = 32;
    // Finished auto-release channels are swept at most this often.
    static constexpr std::uint32_t kSweepIntervalMs = 1000;

    DSoundManager(platform::WindowHandle window, bool useFMod);
    ~DSoundManager() override;
    DSoundManager(const DSoundManager&) = delete;
    DSoundManager& operator=(const DSoundManager&) = delete;

    bool Initialized() override { return mDevice != nullptr; }
    int32_t FindSoundId(const std::string& name) override;
    bool LoadByName(int32_t soundId, const std::string& name) override;
    void ReleaseSound(int32_t soundId) override;
    void SetVolume(double volume) override;
    bool SetBaseVolume(int32_t soundId, double volume) override;
    bool SetBasePan(int32_t soundId, int32_t pan) override;
    SoundInstance* GetSoundInstance(int32_t soundId) override;
    void ReleaseSounds() override;
    void ReleaseChannels() override;
    double ReadMixerVolume() override;
    void WriteMixerVolume(double volume) override;
    void Flush() override {}
    void SetCooperativeWindow(platform::WindowHandle window, bool windowed) override;
    void StopAllSounds() override;
    int32_t GetFreeSoundId() override;
    int32_t GetNumSounds() override;

    double GetVolume() const { return mMasterVolume; }
    // The path a decode of `name` is cached at; "" for names that are not
    // cached (shorter than 3 characters or absolute).
    static std::string CachePath(const std::string& name);
    // The loaded sound's PCM size in bytes; 0 for a free id.
    std::uint32_t SoundSize(int32_t soundId) const;
    const std::string& SoundName(int32_t soundId) const;

    platform::WindowHandle mWindow;

private:
    struct Source {
        bool loaded = false;
        SoundRef<platform::SoundBuffer> buffer; // null on the null device
        std::string name;
        std::uint32_t size = 0;
        double baseVolume = 1.0;
        int32_t basePan = 0;
    };

    static bool ValidId(int32_t soundId) { return soundId >= 0 && soundId < kMaxSounds; }
    // Makes `sound` the id's source; false when its buffer cannot be made.
    bool SetSource(int32_t soundId, const PcmSound& sound);
    bool Decode(const std::string& name, PcmSound& sound, std::string& sourceName);
    int FindChannel();

    bool mUseFMod;
    SoundRef<platform::SoundDevice> mDevice;
    SoundRef<platform::SoundBuffer> mPrimary;
    std::array<Source, kMaxSounds> mSources;
    std::array<std::unique_ptr<DSoundInstance>, kMaxChannels> mChannels;
    double mMasterVolume = 1.0;
    std::uint32_t mLastSweep = 0;
    // The wave-out volume when no mixer keeps it.
    double mMixerVolume = 1.0;
};

} // namespace Kavo
