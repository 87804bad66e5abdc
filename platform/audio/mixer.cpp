#include "platform/audio/mixer.h"

#include <algorithm>

#include "platform/audio/voice.h"

namespace platform {

namespace {

std::int16_t ToSample(float value) {
    const float rounded = value >= 0 ? value + 0.5f : value - 0.5f;
    return static_cast<std::int16_t>(std::clamp(rounded, -32768.0f, 32767.0f));
}

} // namespace

Mixer::Mixer(int sampleRate, int channels)
    : mSampleRate(std::max(sampleRate, 1)), mChannels(channels == 1 ? 1 : 2),
      mAccumulator(static_cast<std::size_t>(kBlockFrames) * mChannels) {
    mVoices.reserve(256);
}

void Mixer::Render(std::int16_t* interleaved, int frames) {
    std::lock_guard lock(mVoicesMutex);
    while (frames > 0) {
        const int block = std::min(frames, kBlockFrames);
        const int samples = block * mChannels;
        std::fill_n(mAccumulator.begin(), samples, 0.0f);
        for (Voice* voice : mVoices) {
            voice->MixInto(mAccumulator.data(), block, mSampleRate, mChannels);
        }
        for (int i = 0; i < samples; ++i) {
            interleaved[i] = ToSample(mAccumulator[i]);
        }
        interleaved += samples;
        frames -= block;
    }
}

void Mixer::Attach(Voice* voice) {
    std::lock_guard lock(mVoicesMutex);
    mVoices.push_back(voice);
}

void Mixer::Detach(Voice* voice) {
    std::lock_guard lock(mVoicesMutex);
    std::erase(mVoices, voice);
}

void Mixer::LoseAllBuffers() {
    std::lock_guard lock(mVoicesMutex);
    for (Voice* voice : mVoices) {
        voice->Lose();
    }
}

} // namespace platform
