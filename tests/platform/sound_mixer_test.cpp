#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

#include "platform/audio/mixer_output.h"
#include "platform/audio/sound_gain.h"
#include "platform/headless/headless_audio_driver.h"
#include "platform/threads.h"
#include "sound_fixture.h"

namespace sound_test {
namespace {

using Mixing = SoundLayer;

std::int16_t Scaled(double value, double gain) {
    return static_cast<std::int16_t>(std::lround(value * gain));
}

// 22050 Hz mono into 44100 Hz stereo: every source sample lands on an even
// output frame, the odd frames sit half way to the next sample, and the
// last sample is held rather than blended with what follows the buffer.
TEST_F(Mixing, HalfRateMonoLandsOnTheRightFramesWithVolumeAndPan) {
    const std::vector<std::int16_t> samples = {1000, -2000, 3000, -4000, 20000, -20000, 500, 7000};
    struct Case {
        int volume;
        int pan;
        double left;
        double right;
    };
    const double minus6dB = std::pow(10.0, -0.3);
    for (const Case& c : {Case{0, 0, 1.0, 1.0}, Case{-600, -10000, minus6dB, 0.0}, Case{0, 10000, 0.0, 1.0},
                          Case{-600, 600, minus6dB * minus6dB, minus6dB}}) {
        SCOPED_TRACE(testing::Message() << "volume " << c.volume << " pan " << c.pan);
        Held<SoundBuffer> buffer = Mono16(22050, samples);
        ASSERT_EQ(buffer->SetVolume(c.volume), DS_OK);
        ASSERT_EQ(buffer->SetPan(c.pan), DS_OK);

        for (std::int16_t value : Pull(*mixer, 5)) {
            EXPECT_EQ(value, 0); // nothing plays yet
        }
        ASSERT_EQ(buffer->Play(0), DS_OK);
        const std::vector<std::int16_t> out = Pull(*mixer, 20);
        for (std::size_t k = 0; k < samples.size(); ++k) {
            const double odd = k + 1 < samples.size() ? (samples[k] + samples[k + 1]) / 2.0 : samples[k];
            EXPECT_EQ(out[4 * k], Scaled(samples[k], c.left)) << "frame " << 2 * k;
            EXPECT_EQ(out[4 * k + 1], Scaled(samples[k], c.right)) << "frame " << 2 * k;
            EXPECT_EQ(out[4 * k + 2], Scaled(odd, c.left)) << "frame " << 2 * k + 1;
            EXPECT_EQ(out[4 * k + 3], Scaled(odd, c.right)) << "frame " << 2 * k + 1;
        }
        for (std::size_t i = samples.size() * 4; i < out.size(); ++i) {
            EXPECT_EQ(out[i], 0) << "after the end, sample " << i;
        }
        EXPECT_EQ(Status(buffer.get()), 0u);
    }
}

// The output pulls the mixer through the audio driver: what the driver
// delivers is what the mixer renders, frame for frame, at the mixer's format.
TEST_F(Mixing, OutputPullsTheMixerThroughTheAudioDriver) {
    auto driver = std::make_shared<HeadlessAudioDriver>();
    MixerOutput output;
    ASSERT_TRUE(output.Open(mixer, driver));
    EXPECT_EQ(driver->Format(), (AudioFormat{44100, 2, 16}));
    EXPECT_FALSE(MixerOutput().Open(mixer, driver)); // one output per driver

    const std::vector<std::int16_t> samples = {1000, -2000, 3000, -4000};
    Held<SoundBuffer> buffer = Mono16(44100, samples);
    ASSERT_EQ(buffer->Play(0), DS_OK);
    ASSERT_EQ(driver->Advance(Mixer::kBlockFrames + 3), Mixer::kBlockFrames + 3u);
    const std::vector<std::uint8_t> bytes = driver->Delivered();
    ASSERT_EQ(bytes.size(), (Mixer::kBlockFrames + 3u) * 4);
    std::vector<std::int16_t> out(bytes.size() / 2);
    std::memcpy(out.data(), bytes.data(), bytes.size());
    for (std::size_t k = 0; k < samples.size(); ++k) {
        EXPECT_EQ(out[2 * k], samples[k]);
        EXPECT_EQ(out[2 * k + 1], samples[k]);
    }
    EXPECT_EQ(out.back(), 0);

    output.Close();
    EXPECT_FALSE(driver->IsOpen());
    EXPECT_EQ(driver->Advance(10), 0u);
}

TEST_F(Mixing, EightBitStereoIntoMonoAveragesTheChannels) {
    outputChannels = 1;
    Open();
    Held<SoundBuffer> buffer = Make(MakePcmFormat(2, 44100, 8), 6);
    void* part = nullptr;
    std::uint32_t bytes = 0;
    ASSERT_EQ(buffer->Lock(0, 6, &part, &bytes, nullptr, nullptr, 0), DS_OK);
    const std::uint8_t pcm[6] = {0x80 + 10, 0x80 + 20, 0x00, 0x00, 0xFF, 0x80};
    std::memcpy(part, pcm, 6);
    ASSERT_EQ(buffer->Unlock(part, bytes, nullptr, 0), DS_OK);
    ASSERT_EQ(buffer->Play(0), DS_OK);
    EXPECT_EQ(Pull(*mixer, 4), (std::vector<std::int16_t>{15 * 256, -32768, 127 * 128, 0}));
}

TEST_F(Mixing, SumsClipAtTheSampleRange) {
    Held<SoundBuffer> a = Mono16(44100, {30000, -30000});
    Held<SoundBuffer> b = Mono16(44100, {30000, -30000});
    ASSERT_EQ(a->Play(0), DS_OK);
    ASSERT_EQ(b->Play(0), DS_OK);
    EXPECT_EQ(Pull(*mixer, 2), (std::vector<std::int16_t>{32767, 32767, -32768, -32768}));
}

// The cursor moves by frequency / output rate source frames per output frame.
TEST_F(Mixing, FrequencySetsTheRateOfTheCursor) {
    struct Case {
        std::uint32_t hz;
        std::uint32_t expectedCursorBytes; // after 100 output frames of a 44100 Hz buffer
    };
    for (const Case& c : {Case{kSoundFrequencyOriginal, 200}, Case{22050, 100}, Case{88200, 400}, Case{11025, 50}}) {
        SCOPED_TRACE(c.hz);
        Held<SoundBuffer> buffer = Mono16(44100, std::vector<std::int16_t>(1000, 1));
        ASSERT_EQ(buffer->SetFrequency(c.hz), DS_OK);
        std::uint32_t hz = 0;
        ASSERT_EQ(buffer->GetFrequency(hz), DS_OK);
        EXPECT_EQ(hz, c.hz == kSoundFrequencyOriginal ? 44100u : c.hz);
        ASSERT_EQ(buffer->Play(0), DS_OK);
        Pull(*mixer, 100);
        EXPECT_EQ(PlayCursor(buffer.get()), c.expectedCursorBytes);
    }
}

TEST_F(Mixing, SeveralDevicesPlayIntoOneOutputEachWithItsPrimaryVolume) {
    SoundDevice* second = nullptr;
    ASSERT_EQ(CreateSoundDevice(&second), DS_OK);
    Held<SoundDevice> other(second);
    ASSERT_EQ(other->SetCooperativeLevel(nullptr, kSoundCoopNormal), DS_OK);
    Held<SoundBuffer> a = Mono16(44100, std::vector<std::int16_t>(8, 1000));
    Held<SoundBuffer> b = Mono16(44100, std::vector<std::int16_t>(8, 2000), kAllControls, other.get());
    ASSERT_EQ(a->Play(kSoundPlayLooping), DS_OK);
    ASSERT_EQ(b->Play(kSoundPlayLooping), DS_OK);
    EXPECT_EQ(Pull(*mixer, 2), (std::vector<std::int16_t>{3000, 3000, 3000, 3000}));

    SoundBufferDesc primaryDesc;
    primaryDesc.flags = kSoundBufferPrimary;
    SoundBuffer* primary = nullptr;
    ASSERT_EQ(other->CreateSoundBuffer(primaryDesc, &primary), DS_OK);
    Held<SoundBuffer> held(primary);
    ASSERT_EQ(primary->SetVolume(kSoundVolumeMin), DS_OK);
    EXPECT_EQ(Pull(*mixer, 1), (std::vector<std::int16_t>{1000, 1000}));
}

TEST(SoundDeviceCreation, WithoutAnOutputThereIsNoDevice) {
    SoundDevice* device = reinterpret_cast<SoundDevice*>(1);
    EXPECT_EQ(CreateSoundDevice(&device), DSERR_NODRIVER);
    EXPECT_EQ(device, nullptr);
    Installed<SoundEnvironment> noMixer(SoundEnvironmentSlot(), std::make_shared<SoundEnvironment>());
    EXPECT_EQ(CreateSoundDevice(&device), DSERR_NODRIVER);
    EXPECT_EQ(CreateSoundDevice(nullptr), DSERR_INVALIDPARAM);
}

TEST(SoundMixerVolume, IsStoredOnly) {
    Mixer mixer(44100, 2);
    EXPECT_EQ(mixer.WaveOutVolume(), 65535);
    mixer.SetWaveOutVolume(1234);
    EXPECT_EQ(mixer.WaveOutVolume(), 1234);
}

// The mixer runs on its own thread while another makes, fills, plays and
// releases buffers and a third churns silent duplicates. Every sample heard
// must be one that was written, and every natural end must be notified.
TEST_F(Mixing, BuffersCanBeFilledAndPlayedFromAnotherThreadWhileTheMixerRuns) {
    constexpr int kRounds = 150;
    std::atomic<bool> done{false};
    std::atomic<int> badSamples{0};
    std::atomic<long> framesMixed{0};
    std::thread output([&] {
        std::vector<std::int16_t> block(2 * 256);
        while (!done.load()) {
            mixer->Render(block.data(), 256);
            for (std::size_t i = 0; i < block.size(); i += 2) {
                const std::int16_t v = block[i];
                if (v != block[i + 1] || (v != 0 && (v < 100 || v >= 100 + kRounds))) {
                    ++badSamples;
                }
            }
            framesMixed += 256;
            std::this_thread::yield();
        }
    });
    std::thread churn([&] {
        Held<SoundBuffer> source = Mono16(22050, std::vector<std::int16_t>(300, 5000));
        source->SetVolume(kSoundVolumeMin);
        Event ended(false, false);
        while (!done.load()) {
            SoundBuffer* copy = nullptr;
            ASSERT_EQ(device->DuplicateSoundBuffer(source.get(), &copy), DS_OK);
            Held<SoundBuffer> held(copy);
            PositionNotify notify{kSoundNotifyOffsetStop, &ended};
            ASSERT_EQ(copy->SetNotificationPositions(1, &notify), DS_OK);
            ASSERT_EQ(copy->Play(kSoundPlayLooping), DS_OK);
            copy->SetFrequency(44100);
            std::this_thread::yield();
            ASSERT_EQ(copy->Stop(), DS_OK);
        }
    });

    int missedEnds = 0;
    for (int round = 0; round < kRounds; ++round) {
        const std::uint32_t frames = 200 + 37 * static_cast<std::uint32_t>(round % 20);
        Held<SoundBuffer> buffer = Make(MakePcmFormat(1, 44100, 16), frames * 2);
        ASSERT_TRUE(buffer);
        Fill16(buffer.get(), std::vector<std::int16_t>(frames, static_cast<std::int16_t>(100 + round)));
        Event ended(true, false);
        PositionNotify notify{kSoundNotifyOffsetStop, &ended};
        ASSERT_EQ(buffer->SetNotificationPositions(1, &notify), DS_OK);
        ASSERT_EQ(buffer->Play(0), DS_OK);
        if (!ended.Wait(10000)) {
            ++missedEnds;
        }
        EXPECT_EQ(Status(buffer.get()), 0u);
    }
    done = true;
    output.join();
    churn.join();
    EXPECT_EQ(missedEnds, 0);
    EXPECT_EQ(badSamples.load(), 0);
    EXPECT_GT(framesMixed.load(), 0);
}

} // namespace
} // namespace sound_test
