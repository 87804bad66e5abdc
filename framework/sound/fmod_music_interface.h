#pragma once

#include <string>

#include "framework/sound/mixer_music_interface.h"

namespace Kavo {

// The second music player: tracker modules (LoadMusic) and sampled songs
// decoded from ".ogg" files (LoadSample, LoadSampleLoop), which are cached as
// plain WAVE files in the user-data folder's "cached" folder. It keeps the
// narrower set of operations it was made with: unloading, pausing all,
// maximum volumes and amplification do nothing here, and stopping keeps a
// song's volume.
class FModMusicInterface : public MixerMusicInterface {
public:
    FModMusicInterface();
    ~FModMusicInterface() override;

    bool LoadMusic(int songId, const std::string& fileName) override;
    void PlayMusic(int songId, int offset, bool noLoop) override;
    void StopMusic(int songId) override;
    void PauseMusic(int songId) override;
    void ResumeMusic(int songId) override;
    void StopAllMusic() override;
    void FadeIn(int songId, int offset, double speed, bool noLoop) override;

    // One looping song made of the two sounds, one after the other.
    virtual bool LoadSampleLoop(int songId, const std::string& first, const std::string& second);
    // `fileName` without its ".ogg"; the decode is cached.
    virtual bool LoadSample(int songId, const std::string& fileName);

private:
    int PercentOf(const Record& record) const override;
    bool DecodeSample(const std::string& fileName, PcmSound& sound);
    void Start(Record& record, int offset, bool noLoop);

    // Module and sample volumes are percentages of these.
    int mModuleScale = 100;
    int mSampleScale = 100;
};

} // namespace Kavo
