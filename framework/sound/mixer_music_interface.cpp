#include "framework/sound/mixer_music_interface.h"

#include "framework/sound/audio_decoders.h"

namespace Kavo {

MixerMusicInterface::MixerMusicInterface() : mMaxFrames(kMaxDecodedFrames) {
    platform::SoundDevice* device = nullptr;
    if (platform::CreateSoundDevice(&device) == platform::DS_OK) {
        mDevice.reset(device);
        mDevice->SetCooperativeLevel(nullptr, platform::kSoundCoopNormal);
    }
}

MixerMusicInterface::~MixerMusicInterface() {
    mSongs.clear();
}

MixerMusicInterface::Record* MixerMusicInterface::Find(int songId) {
    auto it = mSongs.find(songId);
    return it == mSongs.end() ? nullptr : &it->second;
}

const MixerMusicInterface::Record* MixerMusicInterface::Find(int songId) const {
    auto it = mSongs.find(songId);
    return it == mSongs.end() ? nullptr : &it->second;
}

bool MixerMusicInterface::AddSong(int songId, const PcmSound& sound, bool module,
                                  std::vector<std::uint32_t> orderFrames) {
    if (!mDevice)
        return false;
    std::unique_ptr<Song> song = Song::Make(*mDevice, sound, module, std::move(orderFrames));
    if (!song)
        return false;
    Record record;
    record.song = std::move(song);
    mSongs[songId] = std::move(record);
    return true;
}

void MixerMusicInterface::FadeOut(int songId, bool stopWhenFaded, double speed) {
    Record* record = Find(songId);
    if (record == nullptr || record->volume == 0.0)
        return;
    record->step = -speed;
    record->stopWhenFaded = stopWhenFaded;
}

void MixerMusicInterface::FadeOutAll(bool stopWhenFaded, double speed) {
    for (auto& [id, record] : mSongs) {
        record.step = -speed;
        record.stopWhenFaded = stopWhenFaded;
    }
}

void MixerMusicInterface::SetSongVolume(int songId, double volume) {
    if (Record* record = Find(songId)) {
        record->volume = volume;
        Apply(*record);
    }
}

bool MixerMusicInterface::IsPlaying(int songId) {
    Record* record = Find(songId);
    return record != nullptr && record->song->GetState() == Song::State::Playing;
}

void MixerMusicInterface::SetVolume(double volume) {
    MusicInterface::SetVolume(volume);
    for (auto& [id, record] : mSongs)
        Apply(record);
}

void MixerMusicInterface::Update() {
    for (auto& [id, record] : mSongs) {
        if (record.step == 0.0)
            continue;
        record.volume += record.step;
        if (record.volume > record.maxVolume) {
            record.volume = record.maxVolume;
            record.step = 0.0;
        } else if (record.volume < 0.0) {
            record.volume = 0.0;
            record.step = 0.0;
            if (record.stopWhenFaded)
                StopFaded(record);
        }
        Apply(record);
    }
}

double MixerMusicInterface::SongVolume(int songId) const {
    const Record* record = Find(songId);
    return record ? record->volume : 0.0;
}

double MixerMusicInterface::SongStep(int songId) const {
    const Record* record = Find(songId);
    return record ? record->step : 0.0;
}

const Song* MixerMusicInterface::GetSong(int songId) const {
    const Record* record = Find(songId);
    return record ? record->song.get() : nullptr;
}

} // namespace Kavo
