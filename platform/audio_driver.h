#pragma once
// Sound output: an opened output pulls mixed sound from a callback on the
// driver's own thread, as many sample frames at a time as the device wants.
// The callback must not wait on a lock that the game holds for long.

#include <cstddef>
#include <cstdint>
#include <functional>

namespace platform {

struct AudioFormat {
    int sampleRate = 44100;
    int channels = 2;
    int bitsPerSample = 16; // 8 (unsigned) or 16 (signed)
    std::size_t BytesPerFrame() const {
        return static_cast<std::size_t>(channels) * static_cast<std::size_t>(bitsPerSample / 8);
    }
    bool operator==(const AudioFormat&) const = default;
};
// A rate from 1 kHz to 192 kHz, one or two channels, 8 or 16 bits.
bool IsValidAudioFormat(const AudioFormat& format);

// Fills `frames` sample frames (frames * BytesPerFrame bytes) at `out`.
using AudioCallback = std::function<void(std::uint8_t* out, std::size_t frames)>;

class AudioDriver {
public:
    virtual ~AudioDriver() = default;
    virtual const char* Name() const = 0;
    // Whether an output device exists; a program that needs sound refuses to
    // start without one.
    virtual bool HasOutputDevice() const = 0;
    // False for an invalid format, an empty callback or an output already open.
    virtual bool Open(const AudioFormat& format, AudioCallback callback) = 0;
    // The callback is not called while paused; an output starts playing.
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    // Returns once the callback has run for the last time.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
};

} // namespace platform
