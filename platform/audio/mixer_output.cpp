#include "platform/audio/mixer_output.h"

#include <cstdint>
#include <cstring>

namespace platform {

bool MixerOutput::Open(std::shared_ptr<Mixer> mixer, std::shared_ptr<AudioDriver> driver) {
    Close();
    if (mixer == nullptr || driver == nullptr)
        return false;
    AudioFormat format;
    format.sampleRate = mixer->SampleRate();
    format.channels = mixer->Channels();
    format.bitsPerSample = 16;
    Mixer* raw = mixer.get();
    const int channels = mixer->Channels();
    auto render = [raw, channels](std::uint8_t* out, std::size_t frames) {
        // Rendered in blocks through an aligned buffer: the driver's bytes
        // carry no alignment promise.
        std::int16_t block[Mixer::kBlockFrames * 2];
        while (frames > 0) {
            const int count = static_cast<int>(frames < Mixer::kBlockFrames ? frames : Mixer::kBlockFrames);
            raw->Render(block, count);
            const std::size_t bytes = static_cast<std::size_t>(count) * channels * sizeof(std::int16_t);
            std::memcpy(out, block, bytes);
            out += bytes;
            frames -= static_cast<std::size_t>(count);
        }
    };
    if (!driver->Open(format, render))
        return false;
    mMixer = std::move(mixer);
    mDriver = std::move(driver);
    return true;
}

void MixerOutput::Close() {
    if (mDriver != nullptr)
        mDriver->Close();
    mDriver.reset();
    mMixer.reset();
}

} // namespace platform
