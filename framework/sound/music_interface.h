#pragma once

#include <string>

namespace Kavo {

// The music player: songs by integer id, with fades. This base plays
// nothing (every operation does nothing and answers false) and serves when
// there is no music or no sound output; the players that make sound derive
// from it.
class MusicInterface {
public:
    virtual ~MusicInterface() = default;

    virtual bool LoadMusic(int /*songId*/, const std::string& /*fileName*/) { return false; }
    // offset: where to start (an order for a module, a byte offset for a
    // stream); noLoop plays the song once.
    virtual void PlayMusic(int /*songId*/, int /*offset*/ = 0, bool /*noLoop*/ = false) {}
    virtual void StopMusic(int /*songId*/) {}
    virtual void PauseMusic(int /*songId*/) {}
    virtual void ResumeMusic(int /*songId*/) {}
    virtual void StopAllMusic() {}
    virtual void UnloadMusic(int /*songId*/) {}
    virtual void UnloadAllMusic() {}
    virtual void PauseAllMusic() {}
    virtual void ResumeAllMusic() {}
    // speed: the volume added per Update.
    virtual void FadeIn(int /*songId*/, int /*offset*/ = -1, double /*speed*/ = 0.002, bool /*noLoop*/ = false) {}
    virtual void FadeOut(int /*songId*/, bool /*stopWhenFaded*/ = true, double /*speed*/ = 0.004) {}
    virtual void FadeOutAll(bool /*stopWhenFaded*/ = true, double /*speed*/ = 0.004) {}
    virtual void SetSongVolume(int /*songId*/, double /*volume*/) {}
    virtual void SetSongMaxVolume(int /*songId*/, double /*maxVolume*/) {}
    virtual bool IsPlaying(int /*songId*/) { return false; }
    // The music volume of the whole player, 0.0 to 1.0. The base keeps it
    // for GetVolume and nothing else.
    virtual void SetVolume(double volume) { mVolume = volume; }
    virtual void SetMusicAmplify(int /*songId*/, double /*amplify*/) {}
    // One fade step for every song; called once per fixed update.
    virtual void Update() {}

    double GetVolume() const { return mVolume; }

protected:
    double mVolume = 1.0;
};

} // namespace Kavo
