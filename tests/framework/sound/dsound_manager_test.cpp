#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "framework/sound/dsound_instance.h"
#include "framework/sound/dsound_manager.h"
#include "framework/sound/sound_volume.h"
#include "tests/framework/sound/sound_test_environment.h"

namespace {

using Kavo::DSoundInstance;
using Kavo::DSoundManager;
using Kavo::SoundInstance;
using namespace sound_test;

// Any non-null value serves as the window: the output is shared.
platform::WindowHandle FakeWindow() {
    static int window;
    return reinterpret_cast<platform::WindowHandle>(&window);
}

class DSoundManagerTest : public SoundTestEnvironment {
protected:
    std::string ReadAll(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void SetTime(const std::string& name, int seconds) {
        std::filesystem::last_write_time(WorkFolder() + "/" + name,
                                         std::filesystem::file_time_type(std::chrono::seconds(seconds)));
    }
};

TEST_F(DSoundManagerTest, VolumeCurveAndPanLimits) {
    const std::vector<std::pair<double, int>> cases = {{0.1, -1682},   {1.0, 0}, {0.0, -10000}, {0.5, -605},
                                                       {0.04, -10000}, {1.5, 0}, {-1.0, -10000}};
    for (auto [x, volume] : cases)
        EXPECT_EQ(Kavo::EffectVolume(x), volume) << x;

    DSoundManager manager(FakeWindow(), false);
    Write("beep.wav", Wave(1, 22050, snd::Tone(22050, 1, 2205, 440, 0.5)));
    ASSERT_TRUE(manager.LoadByName(0, "beep"));
    manager.SetVolume(0.5);
    ASSERT_TRUE(manager.SetBasePan(0, 8000));
    ASSERT_TRUE(manager.SetBaseVolume(0, 0.2));
    EXPECT_FALSE(manager.SetBaseVolume(256, 1.0));
    auto* instance = static_cast<DSoundInstance*>(manager.GetSoundInstance(0));
    ASSERT_NE(instance, nullptr);
    EXPECT_EQ(instance->AppliedVolume(), Kavo::EffectVolume(0.1));
    instance->SetPan(8000);
    int pan = 0;
    ASSERT_EQ(instance->Buffer()->GetPan(pan), platform::DS_OK);
    EXPECT_EQ(pan, 10000);
    // The master volume reaches live instances.
    manager.SetVolume(1.0);
    int volume = 1;
    ASSERT_EQ(instance->Buffer()->GetVolume(volume), platform::DS_OK);
    EXPECT_EQ(volume, Kavo::EffectVolume(0.2));
}

TEST_F(DSoundManagerTest, IdsAreFoundFromTheTopAndFreedFromTheBottom) {
    DSoundManager manager(FakeWindow(), false);
    Write("a.wav", Wave(1, 22050, snd::Tone(22050, 1, 100, 440, 0.5)));
    Write("b.wav", Wave(1, 22050, snd::Tone(22050, 1, 100, 440, 0.5)));
    EXPECT_EQ(manager.GetFreeSoundId(), 0);
    EXPECT_EQ(manager.FindSoundId("a"), 255);
    EXPECT_EQ(manager.FindSoundId("b"), 254);
    EXPECT_EQ(manager.FindSoundId("a"), 255);
    EXPECT_EQ(manager.FindSoundId("missing"), -1);
    ASSERT_TRUE(manager.LoadByName(0, "a"));
    EXPECT_EQ(manager.GetFreeSoundId(), 1);
    EXPECT_EQ(manager.GetNumSounds(), 3);
    EXPECT_EQ(manager.SoundSize(254), 200u);
    manager.ReleaseSound(255);
    EXPECT_EQ(manager.SoundName(255), "");
    EXPECT_EQ(manager.FindSoundId("b"), 254);
    EXPECT_FALSE(manager.LoadByName(256, "a"));
    EXPECT_FALSE(manager.LoadByName(-1, "a"));
}

TEST_F(DSoundManagerTest, WavIsNeverCachedAndAuIsCachedUntilItsSourceChanges) {
    DSoundManager manager(FakeWindow(), false);
    Write("sounds/plain.wav", Wave(1, 22050, snd::Tone(22050, 1, 100, 440, 0.5)));
    ASSERT_TRUE(manager.LoadByName(0, "sounds/plain"));
    EXPECT_FALSE(std::filesystem::exists(CacheFile("sounds/plain")));

    Write("sounds/chime.au", snd::MakeAu(1, 8000, 1, snd::Bytes(50, 0xF0)));
    SetTime("sounds/chime.au", 1'000'000);
    ASSERT_TRUE(manager.LoadByName(1, "sounds/chime"));
    EXPECT_EQ(manager.SoundSize(1), 100u);
    const std::string cached = ReadAll(CacheFile("sounds/chime"));
    ASSERT_GT(cached.size(), 60u);
    EXPECT_EQ(cached.substr(36, 4), "dep ");
    EXPECT_NE(cached.find("sounds/chime.au"), std::string::npos);
    const std::size_t xorAt = cached.find("xor ");
    ASSERT_NE(xorAt, std::string::npos);
    EXPECT_EQ(static_cast<std::uint8_t>(cached[xorAt + 8]), 0x6B);
    // 0xF0 expands to 120 (0x0078): stored XORed.
    EXPECT_EQ(static_cast<std::uint8_t>(cached[cached.size() - 2]), 0x78 ^ 0x6B);

    // Same time, new content: the cache is current and wins.
    Write("sounds/chime.au", snd::MakeAu(1, 8000, 1, snd::Bytes(80, 0xF0)));
    SetTime("sounds/chime.au", 1'000'000);
    ASSERT_TRUE(manager.LoadByName(1, "sounds/chime"));
    EXPECT_EQ(manager.SoundSize(1), 100u);

    // A new time: the cache is stale, the source is read and the cache rewritten.
    SetTime("sounds/chime.au", 2'000'000);
    ASSERT_TRUE(manager.LoadByName(1, "sounds/chime"));
    EXPECT_EQ(manager.SoundSize(1), 160u);
    EXPECT_NE(ReadAll(CacheFile("sounds/chime")), cached);
    DSoundManager again(FakeWindow(), false);
    ASSERT_TRUE(again.LoadByName(1, "sounds/chime"));
    EXPECT_EQ(again.SoundSize(1), 160u);
}

TEST_F(DSoundManagerTest, CompressedSoundsLoadOnlyWhenAskedFor) {
    Write("tune.ogg", snd::EncodeOgg(22050, 1, snd::Tone(22050, 1, 4410, 440, 0.5)));
    DSoundManager plain(FakeWindow(), false);
    EXPECT_FALSE(plain.LoadByName(0, "tune"));
    DSoundManager decoding(FakeWindow(), true);
    ASSERT_TRUE(decoding.LoadByName(0, "tune"));
    EXPECT_GE(decoding.SoundSize(0), 4410u * 2);
    EXPECT_TRUE(std::filesystem::exists(CacheFile("tune")));
    if (!WriteMp3("song.mp3"))
        GTEST_SKIP() << "lame is not installed";
    ASSERT_TRUE(decoding.LoadByName(1, "song"));
    EXPECT_GE(decoding.SoundSize(1), 22050u * 4);
}

TEST_F(DSoundManagerTest, ThirtyThreeChannelsWaitForTheSweep) {
    DSoundManager manager(FakeWindow(), false);
    ASSERT_TRUE(manager.Initialized());
    Write("tick.wav", Wave(1, 44100, snd::Tone(44100, 1, 441, 1000, 0.5)));
    ASSERT_TRUE(manager.LoadByName(3, "tick"));
    EXPECT_EQ(manager.GetSoundInstance(4), nullptr); // not loaded
    std::vector<SoundInstance*> playing;
    for (int i = 0; i < 32; ++i) {
        SoundInstance* instance = manager.GetSoundInstance(3);
        ASSERT_NE(instance, nullptr) << i;
        ASSERT_TRUE(instance->Play(false, true));
        playing.push_back(instance);
    }
    EXPECT_EQ(manager.GetSoundInstance(3), nullptr);
    EXPECT_GT(PullPeak(256), 1000);
    Platform().Clock().Advance(1001);
    EXPECT_EQ(manager.GetSoundInstance(3), nullptr); // still playing
    PullPeak(1024);
    EXPECT_FALSE(playing[0]->IsPlaying());
    Platform().Clock().Advance(1001);
    EXPECT_NE(manager.GetSoundInstance(3), nullptr);
    EXPECT_EQ(PullPeak(256), 0);
}

TEST_F(DSoundManagerTest, InstancePlaysStopsAndBendsPitch) {
    DSoundManager manager(FakeWindow(), false);
    Write("hum.wav", Wave(1, 22050, snd::Tone(22050, 1, 22050, 300, 0.5)));
    ASSERT_TRUE(manager.LoadByName(0, "hum"));
    auto* instance = static_cast<DSoundInstance*>(manager.GetSoundInstance(0));
    ASSERT_NE(instance, nullptr);
    EXPECT_FALSE(instance->IsPlaying());
    instance->AdjustPitch(12);
    std::uint32_t hz = 0;
    instance->Buffer()->GetFrequency(hz);
    EXPECT_EQ(hz, 44100u); // 22050 x 2^(12/12)
    instance->AdjustPitch(-200);
    instance->Buffer()->GetFrequency(hz);
    EXPECT_EQ(hz, 100u);
    ASSERT_TRUE(instance->Play(true, true));
    EXPECT_GT(PullPeak(512), 1000);
    manager.StopAllSounds();
    EXPECT_FALSE(instance->IsPlaying());
    EXPECT_EQ(PullPeak(512), 0);
    // StopAllSounds kept the auto-release flag: the stopped instance is free.
    EXPECT_TRUE(instance->IsReleased());
}

TEST_F(DSoundManagerTest, WithoutAWindowSoundsLoadAndInstancesAreSilent) {
    DSoundManager manager(nullptr, false);
    EXPECT_FALSE(manager.Initialized());
    Write("beep.wav", Wave(1, 22050, snd::Tone(22050, 1, 2205, 440, 0.5)));
    EXPECT_EQ(manager.FindSoundId("beep"), 255);
    EXPECT_EQ(manager.GetNumSounds(), 1);
    SoundInstance* instance = manager.GetSoundInstance(255);
    ASSERT_NE(instance, nullptr);
    instance->SetPan(100);
    instance->SetVolume(0.5);
    EXPECT_DOUBLE_EQ(instance->GetVolume(), 0.5);
    EXPECT_FALSE(instance->Play(false, true));
    EXPECT_FALSE(instance->IsPlaying());
    EXPECT_TRUE(instance->IsReleased());
    EXPECT_EQ(PullPeak(1024), 0);
    EXPECT_EQ(manager.GetSoundInstance(256), nullptr);
}

TEST_F(DSoundManagerTest, MixerVolumeIsTheMixersWaveOutVolume) {
    DSoundManager manager(nullptr, false);
    manager.WriteMixerVolume(0.5);
    EXPECT_EQ(mMixer->WaveOutVolume(), 32767);
    EXPECT_NEAR(manager.ReadMixerVolume(), 0.5, 1e-4);
    manager.WriteMixerVolume(2.0);
    EXPECT_EQ(mMixer->WaveOutVolume(), 65535);
}

} // namespace
