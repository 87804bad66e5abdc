// Streamed sounds through the 8-segment ring on the hand-pulled mixer.
#include "engine/sound/streaming_sound.h"
#include "tests/engine/sound/engine_sound_fixture.h"

namespace engine_sound_test {
namespace {

using Sound::SoundDescr_t;

constexpr std::uint32_t kRing = SoundManager_t::kStreamNotifications * SoundManager_t::kStreamBytesPerNotification;
// At 22050 Hz mono 16-bit one segment is two seconds.
constexpr int kSegmentFrames = 44100;

class Stream : public EngineSound {
protected:
    int ends = 0;

    Sound::Sound_t* Make(const Bytes& wav, std::uint32_t flags, FileDescr_t** opened = nullptr) {
        descr = std::make_unique<SoundDescr_t>();
        descr->group = SoundDescr_t::GroupMusic;
        descr->flags = flags | SoundDescr_t::IsStreamed;
        descr->waveKind = SoundDescr_t::WaveWav;
        Put(waves.get(), "track.wav", wav);
        FileDescr_t* file = waves->OpenFile("track.wav", 0);
        if (opened != nullptr)
            *opened = file;
        Sound::Sound_t* sound = manager->CreateStreamingSound(descr.get(), file);
        manager->SetEndCallback(sound->Handle(), CountEnd, &ends);
        return sound;
    }
    // One segment's time of playing, then the worker's turn.
    void PlaySegment() {
        Pull(*mixer, kSegmentFrames);
        Drain();
    }
    // Ten segments of data, each segment's samples its own number times 100.
    static Bytes TenSegments() {
        std::vector<std::int16_t> samples;
        for (int segment = 0; segment < 10; ++segment)
            samples.insert(samples.end(), kSegmentFrames, static_cast<std::int16_t>(100 * (segment + 1)));
        return enc::MakeWav(1, 22050, 16, enc::PcmBytes(samples));
    }
    Bytes Ring(Sound::Sound_t* sound) {
        void* part = nullptr;
        std::uint32_t bytes = 0;
        EXPECT_EQ(sound->Buffer()->Lock(0, 0, &part, &bytes, nullptr, nullptr, platform::kSoundLockEntireBuffer),
                  platform::DS_OK);
        Bytes copy(static_cast<std::uint8_t*>(part), static_cast<std::uint8_t*>(part) + bytes);
        sound->Buffer()->Unlock(part, bytes, nullptr, 0);
        return copy;
    }

    std::unique_ptr<SoundDescr_t> descr;
};

TEST_F(Stream, ShortStreamPlaysPadsSilenceAndStopsOnce) {
    Started();
    Sound::Sound_t* sound = Make(enc::MakeWav(1, 22050, 16, Constant16(11025, 2500)), 0);
    ASSERT_TRUE(sound->IsStreamed());
    const Bytes ring = Ring(sound);
    ASSERT_EQ(ring.size(), kRing);
    EXPECT_EQ(ring[22049], 0x09); // 2500 = 0x09C4
    EXPECT_EQ(std::count(ring.begin() + 22050, ring.end(), 0), kRing - 22050);

    manager->PlaySound(sound->Handle(), 0);
    const auto out = Pull(*mixer, 12000);
    EXPECT_EQ(out[100], 2500);
    EXPECT_EQ(out[11500], 0);
    Drain();
    EXPECT_TRUE(manager->IsPlaying(sound->Handle()));
    PlaySegment();
    EXPECT_FALSE(manager->IsPlaying(sound->Handle()));
    EXPECT_EQ(ends, 1);
    PlaySegment();
    EXPECT_EQ(ends, 1);
}

TEST_F(Stream, EightBitStreamsPadWith0x80) {
    Started();
    Sound::Sound_t* sound = Make(enc::MakeWav(1, 22050, 8, Bytes(1000, 0x90)), 0);
    const Bytes ring = Ring(sound);
    EXPECT_EQ(ring[999], 0x90);
    EXPECT_EQ(std::count(ring.begin() + 1000, ring.end(), 0x80), kRing - 1000);
}

TEST_F(Stream, LongStreamRefillsTheRingInOrder) {
    Started();
    Sound::Sound_t* sound = Make(TenSegments(), 0);
    manager->PlaySound(sound->Handle(), 0);
    for (int segment = 0; segment < 10; ++segment) {
        const auto out = Pull(*mixer, kSegmentFrames);
        EXPECT_EQ(out[kSegmentFrames / 2], 100 * (segment + 1)) << segment;
        EXPECT_EQ(ends, 0);
        Drain();
    }
    // The played bytes reached the size with the last segment.
    EXPECT_FALSE(manager->IsPlaying(sound->Handle()));
    EXPECT_EQ(ends, 1);
}

TEST_F(Stream, PlayedAgainAfterItsEndOrAStopTheStreamStartsOver) {
    Started();
    Sound::Sound_t* sound = Make(TenSegments(), 0);
    const std::uint32_t handle = sound->Handle();
    // The whole sound from its first segment, then its end.
    auto expectWholeSound = [&] {
        // The end callback fires once: each play that wants it sets it again.
        manager->SetEndCallback(handle, CountEnd, &ends);
        const int endsBefore = ends;
        manager->PlaySound(handle, 0);
        for (int segment = 0; segment < 10; ++segment) {
            EXPECT_EQ(Pull(*mixer, kSegmentFrames)[kSegmentFrames / 2], 100 * (segment + 1)) << segment;
            Drain();
        }
        EXPECT_FALSE(manager->IsPlaying(handle));
        EXPECT_EQ(ends, endsBefore + 1);
    };

    // Stopped in its fourth segment, then played again.
    manager->PlaySound(handle, 0);
    for (int segment = 0; segment < 3; ++segment)
        PlaySegment();
    EXPECT_EQ(Pull(*mixer, 100)[50], 400);
    manager->StopSound(handle, 0, false);
    Drain();
    EXPECT_EQ(ends, 1);
    expectWholeSound();
    // Played to its end, then again.
    expectWholeSound();
}

TEST_F(Stream, LoopingStreamNeverEndsByItself) {
    Started();
    Sound::Sound_t* sound = Make(enc::MakeWav(1, 22050, 16, Constant16(3000, 700)), SoundDescr_t::IsLoop);
    manager->PlaySound(sound->Handle(), 0);
    for (int i = 0; i < 20; ++i)
        PlaySegment();
    EXPECT_TRUE(manager->IsPlaying(sound->Handle()));
    EXPECT_EQ(Pull(*mixer, 100)[50], 700);
    EXPECT_EQ(ends, 0);
}

TEST_F(Stream, FileFailingMidPlayStopsThatStreamOnly) {
    Started();
    std::vector<std::int16_t> long20(kSegmentFrames * 10, 400);
    FileDescr_t* file = nullptr;
    Sound::Sound_t* failing = Make(enc::MakeWav(1, 22050, 16, enc::PcmBytes(long20)), 0, &file);
    auto other = WavDescr(Constant16(500, 50), SoundDescr_t::IsLoop);
    Sound::Sound_t* survivor = manager->CreateSound(other.get(), nullptr, nullptr);
    manager->PlaySound(failing->Handle(), 0);
    manager->PlaySound(survivor->Handle(), 0);
    Drain();

    file->memFile.reset(); // the storage can no longer read it
    PlaySegment();
    EXPECT_FALSE(manager->IsPlaying(failing->Handle()));
    EXPECT_EQ(ends, 1);
    PlaySegment();
    EXPECT_EQ(ends, 1);
    EXPECT_TRUE(manager->IsPlaying(survivor->Handle()));
    EXPECT_EQ(Pull(*mixer, 100)[50], 50);
}

TEST_F(Stream, ManagerTakesTheFileInEveryCase) {
    Started();
    auto descr = std::make_unique<SoundDescr_t>();
    descr->waveKind = SoundDescr_t::WaveNothing;
    EXPECT_EQ(SoundErrorOf([&] { manager->CreateStreamingSound(descr.get(), MemoryFile(Bytes(4))); }), 7);
    descr->waveKind = SoundDescr_t::WaveOgg;
    EXPECT_EQ(SoundErrorOf([&] { manager->CreateStreamingSound(descr.get(), MemoryFile(Bytes(40, 1))); }), 6);
    EXPECT_EQ(manager->CreateStreamingSound(nullptr, MemoryFile(Bytes(4))), nullptr);
    EXPECT_EQ(manager->CreateStreamingSound(descr.get(), nullptr), nullptr);
    EXPECT_EQ(manager->SoundCount(), 0u);
}

TEST_F(Stream, OggStreamPlays) {
    Started();
    descr = std::make_unique<SoundDescr_t>();
    descr->group = SoundDescr_t::GroupMusic;
    descr->waveKind = SoundDescr_t::WaveOgg;
    descr->flags = SoundDescr_t::IsStreamed;
    Sound::Sound_t* sound =
        manager->CreateStreamingSound(descr.get(), MemoryFile(enc::EncodeOgg(1, 22050, enc::Tone(1, 22050, 1.0, 500))));
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->GetLengthMs(), 1000u);
    manager->PlaySound(sound->Handle(), 0);
    const auto out = Pull(*mixer, 22050);
    EXPECT_GT(*std::max_element(out.begin(), out.end()), 8000);
}

} // namespace
} // namespace engine_sound_test
