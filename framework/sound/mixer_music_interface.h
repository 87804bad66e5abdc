#pragma once

#include <map>
#include <memory>

#include "framework/sound/music_interface.h"
#include "framework/sound/song.h"
#include "framework/sound/sound_ref.h"
#include "platform/audio/sound_device.h"

namespace Kavo {

// What the two music players share: songs on a sound device of the
// installed mixer, each with a volume, a fade step per Update and a maximum
// volume. Without a sound device no song loads, so the player is silent.
class MixerMusicInterface : public MusicInterface {
public:
    ~MixerMusicInterface() override;

    void FadeOut(int songId, bool stopWhenFaded, double speed) override;
    void FadeOutAll(bool stopWhenFaded, double speed) override;
    void SetSongVolume(int songId, double volume) override;
    bool IsPlaying(int songId) override;
    void SetVolume(double volume) override;
    void Update() override;

    bool HasDevice() const { return mDevice != nullptr; }
    // A loaded song's volume, fade step and song (0, 0 and null for an id
    // that is not loaded).
    double SongVolume(int songId) const;
    double SongStep(int songId) const;
    const Song* GetSong(int songId) const;

    // Songs longer than this are cut (sample frames).
    std::size_t mMaxFrames;

protected:
    struct Record {
        std::unique_ptr<Song> song;
        double volume = 0.0;
        double step = 0.0;
        double maxVolume = 1.0;
        bool stopWhenFaded = false;
        double amplify = 0.5;
    };

    MixerMusicInterface();

    Record* Find(int songId);
    const Record* Find(int songId) const;
    // Decodes and stores the song; false (nothing stored) when it cannot be.
    bool AddSong(int songId, const PcmSound& sound, bool module, std::vector<std::uint32_t> orderFrames = {});
    void Apply(Record& record) { record.song->SetPercent(PercentOf(record)); }
    // The song's amplitude in whole percent.
    virtual int PercentOf(const Record& record) const = 0;
    // What a fade-out that reached 0 does with stop-when-faded set.
    virtual void StopFaded(Record& record) { record.song->Stop(); }

    SoundRef<platform::SoundDevice> mDevice;
    std::map<int, Record> mSongs;
};

} // namespace Kavo
