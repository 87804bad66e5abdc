#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/sound/pcm_sound.h"
#include "framework/sound/sound_ref.h"
#include "platform/audio/sound_buffer.h"
#include "platform/audio/sound_device.h"

namespace Kavo {

// One loaded song of a music player: its whole PCM in one sound buffer on
// the mixer, with where each order of a module starts.
class Song {
public:
    enum class State { Stopped = 0, Playing = 1, Paused = 3 };

    // Null when the device cannot make the buffer.
    static std::unique_ptr<Song> Make(platform::SoundDevice& device, const PcmSound& sound, bool module,
                                      std::vector<std::uint32_t> orderFrames = {});

    bool IsModule() const { return mModule; }
    // Plays from `byteOffset` (clamped to the song), once or looping.
    void PlayFrom(std::uint32_t byteOffset, bool looping);
    // Plays on from where it is.
    void Play(bool looping);
    // Stops and rewinds.
    void Stop();
    void Pause();
    void Resume();
    State GetState();
    // The first byte of a module's order; 0 for orders it does not have.
    std::uint32_t OrderOffset(int order) const;

    // Amplitude in whole percent, 0..100.
    void SetPercent(int percent);
    int Percent() const { return mPercent; }
    platform::SoundBuffer* Buffer() const { return mBuffer.get(); }

private:
    Song(SoundRef<platform::SoundBuffer> buffer, bool module, std::vector<std::uint32_t> orderFrames,
         std::uint32_t blockAlign)
        : mBuffer(std::move(buffer)), mModule(module), mOrderFrames(std::move(orderFrames)), mBlockAlign(blockAlign) {}

    SoundRef<platform::SoundBuffer> mBuffer;
    bool mModule;
    std::vector<std::uint32_t> mOrderFrames;
    std::uint32_t mBlockAlign;
    bool mLooping = false;
    bool mPaused = false;
    int mPercent = -1;
};

// Reads and decodes a song through the file API: ".wav" (the WAVE reader),
// ".ogg", ".mp3", and anything else as a tracker module. False with the
// first error in `error`; orderFrames is filled for modules.
bool DecodeSongFile(const std::string& fileName, PcmSound& out, bool& module, std::vector<std::uint32_t>& orderFrames,
                    std::string& error, std::size_t maxFrames);

} // namespace Kavo
