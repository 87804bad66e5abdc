#include "framework/sound/fmod_music_interface.h"

#include <vector>

#include "framework/sound/audio_decoders.h"
#include "framework/sound/sound_file.h"
#include "framework/sound/wave_file.h"
#include "framework/util/path_util.h"
#include "framework/util/system_util.h"

namespace Kavo {

FModMusicInterface::FModMusicInterface() = default;

FModMusicInterface::~FModMusicInterface() = default;

bool FModMusicInterface::LoadMusic(int songId, const std::string& fileName) {
    std::vector<std::uint8_t> bytes;
    PcmSound sound;
    std::vector<std::uint32_t> orderFrames;
    std::string error;
    if (!ReadSoundFile(fileName, bytes) || !DecodeModule(bytes, sound, &orderFrames, error, mMaxFrames))
        return false;
    return AddSong(songId, sound, true, std::move(orderFrames));
}

bool FModMusicInterface::DecodeSample(const std::string& fileName, PcmSound& sound) {
    const std::string cachePath = GetUserDataFolder() + "cached\\" + GetFileName(fileName) + ".wav";
    MkDir(GetFileDir(cachePath));
    std::string error;
    if (ReadWaveFile(cachePath, sound, error))
        return true;
    std::vector<std::uint8_t> bytes;
    error.clear();
    if (!ReadSoundFile(fileName + ".ogg", bytes) || !DecodeOgg(bytes, sound, error, mMaxFrames))
        return false;
    WriteWaveFile(cachePath, sound, "", 0);
    return true;
}

bool FModMusicInterface::LoadSample(int songId, const std::string& fileName) {
    PcmSound sound;
    return DecodeSample(fileName, sound) && AddSong(songId, sound, false);
}

bool FModMusicInterface::LoadSampleLoop(int songId, const std::string& first, const std::string& second) {
    PcmSound joined;
    PcmSound tail;
    if (!DecodeSample(first, joined) || !DecodeSample(second, tail))
        return false;
    // The second part is taken as having the first part's format.
    const std::size_t frameBytes = joined.format.blockAlign;
    tail.data.erase(tail.data.end() - static_cast<std::ptrdiff_t>(tail.data.size() % frameBytes), tail.data.end());
    joined.data.insert(joined.data.end(), tail.data.begin(), tail.data.end());
    return AddSong(songId, joined, false);
}

int FModMusicInterface::PercentOf(const Record& record) const {
    const int scale = record.song->IsModule() ? mModuleScale : mSampleScale;
    return static_cast<int>(scale * mVolume * record.volume);
}

void FModMusicInterface::Start(Record& record, int offset, bool noLoop) {
    Apply(record);
    if (record.song->IsModule())
        record.song->PlayFrom(record.song->OrderOffset(offset), !noLoop);
    else
        record.song->PlayFrom(0, !noLoop);
}

void FModMusicInterface::PlayMusic(int songId, int offset, bool noLoop) {
    Record* record = Find(songId);
    if (record == nullptr)
        return;
    record->volume = record->maxVolume;
    record->step = 0.0;
    Start(*record, offset, noLoop);
}

void FModMusicInterface::StopMusic(int songId) {
    if (Record* record = Find(songId))
        record->song->Stop();
}

void FModMusicInterface::PauseMusic(int songId) {
    if (Record* record = Find(songId))
        record->song->Pause();
}

void FModMusicInterface::ResumeMusic(int songId) {
    if (Record* record = Find(songId))
        record->song->Resume();
}

void FModMusicInterface::StopAllMusic() {
    for (auto& [id, record] : mSongs) {
        record.song->Stop();
        record.volume = 0.0;
        Apply(record);
    }
}

void FModMusicInterface::FadeIn(int songId, int offset, double speed, bool noLoop) {
    Record* record = Find(songId);
    if (record == nullptr)
        return;
    record->step = speed;
    if (record->song->GetState() != Song::State::Playing)
        Start(*record, offset, noLoop);
}

} // namespace Kavo
