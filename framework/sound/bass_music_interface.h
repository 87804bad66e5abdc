#pragma once

#include <string>

#include "framework/sound/mixer_music_interface.h"
#include "platform/window.h"

namespace Kavo {

// The music player for the main window: modules and streams (".wav",
// ".ogg", ".mp3"), with per-song fades and a maximum volume. Volumes reach
// the songs as whole percentages (volume x 100, truncated) of the player's
// own whole-percent volume.
class BassMusicInterface : public MixerMusicInterface {
public:
    explicit BassMusicInterface(platform::WindowHandle window);
    ~BassMusicInterface() override;

    bool LoadMusic(int songId, const std::string& fileName) override;
    void PlayMusic(int songId, int offset, bool noLoop) override;
    void StopMusic(int songId) override;
    void PauseMusic(int songId) override;
    void ResumeMusic(int songId) override;
    void StopAllMusic() override;
    void UnloadMusic(int songId) override;
    void UnloadAllMusic() override;
    void PauseAllMusic() override;
    void ResumeAllMusic() override;
    void FadeIn(int songId, int offset, double speed, bool noLoop) override;
    void SetSongMaxVolume(int songId, double maxVolume) override;
    void SetVolume(double volume) override;
    // A module's amplification, 0.0 to 1.0 (0.5 is the module's own level,
    // more is kept at it: songs are never louder than they were made).
    void SetMusicAmplify(int songId, double amplify) override;

private:
    int PercentOf(const Record& record) const override;
    // Starts a stream as PlayMusic does: from the start unless offset is -1,
    // then at byte `offset` when positive.
    static void StartStream(Song& song, int offset, bool noLoop);

    int mGlobalPercent = 100;
};

} // namespace Kavo
