#include "framework/sound/bass_music_interface.h"

#include <algorithm>

namespace Kavo {

// The output is shared by every window: the window changes nothing.
BassMusicInterface::BassMusicInterface(platform::WindowHandle) {}

BassMusicInterface::~BassMusicInterface() = default;

bool BassMusicInterface::LoadMusic(int songId, const std::string& fileName) {
    PcmSound sound;
    bool module = false;
    std::vector<std::uint32_t> orderFrames;
    std::string error;
    if (!DecodeSongFile(fileName, sound, module, orderFrames, error, mMaxFrames))
        return false;
    return AddSong(songId, sound, module, std::move(orderFrames));
}

int BassMusicInterface::PercentOf(const Record& record) const {
    int percent = static_cast<int>(record.volume * 100) * mGlobalPercent / 100;
    if (record.song->IsModule())
        percent = static_cast<int>(percent * std::clamp(record.amplify / 0.5, 0.0, 1.0));
    return percent;
}

void BassMusicInterface::StartStream(Song& song, int offset, bool noLoop) {
    if (offset == -1)
        song.Play(!noLoop);
    else
        song.PlayFrom(offset > 0 ? static_cast<std::uint32_t>(offset) : 0, !noLoop);
}

void BassMusicInterface::PlayMusic(int songId, int offset, bool noLoop) {
    Record* record = Find(songId);
    if (record == nullptr)
        return;
    record->volume = record->maxVolume;
    record->step = 0.0;
    record->stopWhenFaded = noLoop;
    record->song->Stop();
    Apply(*record);
    if (record->song->IsModule())
        record->song->PlayFrom(record->song->OrderOffset(offset & 0xFFFF), !noLoop);
    else
        StartStream(*record->song, offset, noLoop);
}

void BassMusicInterface::StopMusic(int songId) {
    if (Record* record = Find(songId)) {
        record->volume = 0.0;
        Apply(*record);
        record->song->Stop();
    }
}

void BassMusicInterface::PauseMusic(int songId) {
    if (Record* record = Find(songId))
        record->song->Pause();
}

void BassMusicInterface::ResumeMusic(int songId) {
    if (Record* record = Find(songId))
        record->song->Resume();
}

void BassMusicInterface::StopAllMusic() {
    for (auto& [id, record] : mSongs) {
        record.volume = 0.0;
        Apply(record);
        record.song->Stop();
    }
}

void BassMusicInterface::UnloadMusic(int songId) {
    StopMusic(songId);
    mSongs.erase(songId);
}

void BassMusicInterface::UnloadAllMusic() {
    StopAllMusic();
    mSongs.clear();
}

void BassMusicInterface::PauseAllMusic() {
    for (auto& [id, record] : mSongs)
        if (record.song->GetState() == Song::State::Playing)
            record.song->Pause();
}

void BassMusicInterface::ResumeAllMusic() {
    for (auto& [id, record] : mSongs)
        if (record.song->GetState() == Song::State::Paused)
            record.song->Resume();
}

void BassMusicInterface::FadeIn(int songId, int offset, double speed, bool noLoop) {
    Record* record = Find(songId);
    if (record == nullptr)
        return;
    record->step = speed;
    record->stopWhenFaded = noLoop;
    record->song->Stop();
    Apply(*record);
    if (!record->song->IsModule())
        StartStream(*record->song, offset, noLoop);
    else if (offset == -1)
        record->song->PlayFrom(0, !noLoop);
    else
        record->song->PlayFrom(record->song->OrderOffset(offset & 0xFFFF), !noLoop);
}

void BassMusicInterface::SetSongMaxVolume(int songId, double maxVolume) {
    if (Record* record = Find(songId)) {
        record->maxVolume = maxVolume;
        record->volume = std::min(record->volume, maxVolume);
        Apply(*record);
    }
}

void BassMusicInterface::SetVolume(double volume) {
    mGlobalPercent = std::clamp(static_cast<int>(volume * 100), 0, 100);
    MixerMusicInterface::SetVolume(volume);
}

void BassMusicInterface::SetMusicAmplify(int songId, double amplify) {
    if (Record* record = Find(songId)) {
        record->amplify = static_cast<int>(amplify * 100) / 100.0;
        Apply(*record);
    }
}

} // namespace Kavo
