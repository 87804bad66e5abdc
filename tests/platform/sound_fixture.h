#pragma once
// A sound environment for one test: a mixer at a chosen output format that
// the test pulls by hand (the sink), a device on it, and helpers to make,
// fill and release buffers.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "platform/audio/mixer.h"
#include "platform/audio/sound_buffer.h"
#include "platform/audio/sound_device.h"
#include "platform/audio/sound_environment.h"

namespace sound_test {

using namespace platform;

struct Releaser {
    void operator()(RefCounted* object) const { object->Release(); }
};
template <typename T>
using Held = std::unique_ptr<T, Releaser>;

inline constexpr std::uint32_t kAllControls = kSoundBufferCtrlFrequency | kSoundBufferCtrlPan | kSoundBufferCtrlVolume |
                                              kSoundBufferCtrlPositionNotify | kSoundBufferGetCurrentPosition2;

// Pulls `frames` frames from the mixer, as the audio output does.
inline std::vector<std::int16_t> Pull(Mixer& mixer, int frames) {
    std::vector<std::int16_t> out(static_cast<std::size_t>(frames) * mixer.Channels(), -1);
    mixer.Render(out.data(), frames);
    return out;
}

// Writes 16-bit samples from offset 0 through a lock of the whole buffer.
inline void Fill16(SoundBuffer* buffer, const std::vector<std::int16_t>& samples) {
    void* part = nullptr;
    std::uint32_t bytes = 0;
    ASSERT_EQ(buffer->Lock(0, 0, &part, &bytes, nullptr, nullptr, kSoundLockEntireBuffer), DS_OK);
    ASSERT_LE(samples.size() * 2, bytes);
    std::memcpy(part, samples.data(), samples.size() * 2);
    ASSERT_EQ(buffer->Unlock(part, bytes, nullptr, 0), DS_OK);
}

class SoundLayer : public ::testing::Test {
protected:
    // The output format; a test may change it before Open.
    int outputRate = 44100;
    int outputChannels = 2;
    std::shared_ptr<Mixer> mixer;
    std::optional<Installed<SoundEnvironment>> installed;
    Held<SoundDevice> device;

    void SetUp() override { Open(); }

    void Open() {
        device.reset();
        installed.reset();
        mixer = std::make_shared<Mixer>(outputRate, outputChannels);
        installed.emplace(SoundEnvironmentSlot(), std::make_shared<SoundEnvironment>(SoundEnvironment{mixer}));
        SoundDevice* made = nullptr;
        ASSERT_EQ(CreateSoundDevice(&made), DS_OK);
        device.reset(made);
        ASSERT_EQ(device->SetCooperativeLevel(nullptr, kSoundCoopPriority), DS_OK);
    }

    Held<SoundBuffer> Make(const WaveFormat& format, std::uint32_t bytes, std::uint32_t flags = kAllControls,
                           SoundDevice* on = nullptr) {
        SoundBufferDesc desc;
        desc.flags = flags;
        desc.bufferBytes = bytes;
        desc.format = &format;
        SoundBuffer* buffer = nullptr;
        EXPECT_EQ((on ? on : device.get())->CreateSoundBuffer(desc, &buffer), DS_OK);
        return Held<SoundBuffer>(buffer);
    }

    // A 16-bit mono buffer holding exactly `samples`.
    Held<SoundBuffer> Mono16(std::uint32_t rate, const std::vector<std::int16_t>& samples,
                             std::uint32_t flags = kAllControls, SoundDevice* on = nullptr) {
        Held<SoundBuffer> buffer =
            Make(MakePcmFormat(1, rate, 16), static_cast<std::uint32_t>(samples.size() * 2), flags, on);
        if (buffer) {
            Fill16(buffer.get(), samples);
        }
        return buffer;
    }

    std::uint32_t PlayCursor(SoundBuffer* buffer) {
        std::uint32_t play = 0;
        EXPECT_EQ(buffer->GetCurrentPosition(&play, nullptr), DS_OK);
        return play;
    }

    std::uint32_t Status(SoundBuffer* buffer) {
        std::uint32_t status = 0;
        EXPECT_EQ(buffer->GetStatus(status), DS_OK);
        return status;
    }
};

} // namespace sound_test
