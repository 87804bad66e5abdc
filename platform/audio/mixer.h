#pragma once
// The one mixer under every sound device: it resamples each playing buffer
// to the output rate (linear interpolation), applies its volume, pan and
// its device's primary volume, adds them up and moves their cursors. The
// output pulls it with Render on its own thread, at the format the mixer
// was made with (16-bit signed, interleaved).
//
// Render allocates nothing. It holds the voice list's lock for its whole
// run; the game thread takes that lock only to add or remove a buffer, and
// each buffer's own lock only for a setter, so neither side waits long.

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

namespace platform {

class Voice;

class Mixer {
public:
    // Frames mixed in one pass; also how far a buffer's write cursor runs
    // ahead of its play cursor.
    static constexpr int kBlockFrames = 512;

    // channels is 1 or 2 (others are taken as 2); sampleRate at least 1.
    Mixer(int sampleRate, int channels);
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    int SampleRate() const { return mSampleRate; }
    int Channels() const { return mChannels; }

    // Fills `frames` frames of output.
    void Render(std::int16_t* interleaved, int frames);

    void Attach(Voice* voice);
    void Detach(Voice* voice);

    // Marks every buffer lost, as when another program takes the device.
    void LoseAllBuffers();

    // The wave-out volume, 0 to 65535: kept for whoever asks, never applied
    // to the system's volume.
    std::uint16_t WaveOutVolume() const { return mWaveOutVolume.load(); }
    void SetWaveOutVolume(std::uint16_t volume) { mWaveOutVolume.store(volume); }

private:
    const int mSampleRate;
    const int mChannels;
    std::atomic<std::uint16_t> mWaveOutVolume{65535};

    std::mutex mVoicesMutex; // guards mVoices and mAccumulator
    std::vector<Voice*> mVoices;
    std::vector<float> mAccumulator;
};

} // namespace platform
