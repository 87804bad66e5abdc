// Static sounds on the hand-pulled mixer: fades in 20 ms ticks, the end
// callback, looping, padding and the mix with another device's sound.
#include "engine/sound/sound.h"
#include "tests/engine/sound/engine_sound_fixture.h"

namespace engine_sound_test {
namespace {

using Sound::SoundDescr_t;

int Volume(Sound::Sound_t* sound) {
    int volume = 1;
    EXPECT_EQ(sound->Buffer()->GetVolume(volume), platform::DS_OK);
    return volume;
}

class StaticSound : public EngineSound {
protected:
    int ends = 0;

    Sound::Sound_t* Make(std::uint32_t flags, int volume = 0, std::size_t frames = 2205) {
        descr = WavDescr(Constant16(frames, 3000), flags);
        descr->volume = volume;
        return manager->CreateSound(descr.get(), CountEnd, &ends);
    }
    void Ticks(int count) {
        for (int i = 0; i < count; ++i)
            manager->HandleWake(SoundManager_t::kWakeTimer);
    }

    std::unique_ptr<SoundDescr_t> descr;
};

TEST_F(StaticSound, FadeOutMovesFiveStepsThenStops) {
    Started();
    Sound::Sound_t* sound = Make(SoundDescr_t::IsLoop);
    manager->PlaySound(sound->Handle(), 0);
    EXPECT_EQ(Volume(sound), 0);
    manager->StopSound(sound->Handle(), 100, false);
    std::vector<int> seen;
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(manager->IsPlaying(sound->Handle()));
        Ticks(1);
        seen.push_back(Volume(sound));
    }
    EXPECT_EQ(seen, (std::vector<int>{-1800, -3600, -5400, -7200, -9000}));
    EXPECT_FALSE(manager->IsPlaying(sound->Handle()));
    EXPECT_EQ(ends, 1);
    Ticks(3);
    EXPECT_EQ(ends, 1);
}

TEST_F(StaticSound, FadeInStepsUpToTheTarget) {
    Started();
    Sound::Sound_t* sound = Make(SoundDescr_t::IsLoop, -2000);
    manager->PlaySound(sound->Handle(), 400);
    EXPECT_EQ(Volume(sound), -9000);
    Ticks(1);
    EXPECT_EQ(Volume(sound), -8650);
    Ticks(18);
    EXPECT_EQ(Volume(sound), -2350);
    Ticks(1);
    EXPECT_EQ(Volume(sound), -2000);
    Ticks(5);
    EXPECT_EQ(Volume(sound), -2000);
    EXPECT_TRUE(manager->IsPlaying(sound->Handle()));
    EXPECT_EQ(ends, 0);

    // 10 ms is one step, 0 ms none.
    manager->StopSound(sound->Handle(), 0, false);
    manager->PlaySound(sound->Handle(), 10);
    EXPECT_EQ(Volume(sound), -9000);
    Ticks(1);
    EXPECT_EQ(Volume(sound), -2000);
    manager->PlaySound(sound->Handle(), 0);
    EXPECT_EQ(Volume(sound), -2000);
}

TEST_F(StaticSound, GroupVolumeDuringFades) {
    Started();
    Sound::Sound_t* sound = Make(SoundDescr_t::IsLoop, -1000);
    manager->PlaySound(sound->Handle(), 400);
    Ticks(2);
    manager->SetGroupVolume(SoundDescr_t::GroupEffect, -500); // cancels a fade-in
    EXPECT_EQ(Volume(sound), -1500);
    Ticks(3);
    EXPECT_EQ(Volume(sound), -1500);
    manager->StopSound(sound->Handle(), 40, false);
    manager->SetGroupVolume(SoundDescr_t::GroupEffect, 0); // a fade-out goes on
    Ticks(2);
    EXPECT_EQ(Volume(sound), -9000);
    EXPECT_EQ(ends, 1);
}

TEST_F(StaticSound, EndCallbackFiresOnceAtANaturalEndAndAtStop) {
    Started();
    Sound::Sound_t* once = Make(0, 0, 1000);
    manager->PlaySound(once->Handle(), 0);
    Drain();
    Pull(*mixer, 2000);
    EXPECT_FALSE(manager->IsPlaying(once->Handle()));
    EXPECT_EQ(ends, 0); // noticed only by the worker
    Drain();
    EXPECT_EQ(ends, 1);
    manager->StopSound(once->Handle(), 0, false);
    Drain();
    EXPECT_EQ(ends, 1);

    int stops = 0;
    Sound::Sound_t* stopped = Make(0, 0, 5000);
    manager->SetEndCallback(stopped->Handle(), CountEnd, &stops);
    manager->PlaySound(stopped->Handle(), 0);
    Pull(*mixer, 100);
    manager->StopSound(stopped->Handle(), 0, false);
    EXPECT_EQ(stops, 1);
    Drain();
    Pull(*mixer, 6000);
    Drain();
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(manager->SoundCount(), 2u);
}

TEST_F(StaticSound, LoopingSoundHasNoNotificationAndEndsOnlyByStop) {
    Started();
    Sound::Sound_t* sound = Make(SoundDescr_t::IsLoop, 0, 500);
    EXPECT_EQ(sound->GetNotifyEvent(), nullptr);
    manager->PlaySound(sound->Handle(), 0);
    for (int i = 0; i < 20; ++i) {
        Pull(*mixer, 1000);
        Drain();
    }
    EXPECT_TRUE(manager->IsPlaying(sound->Handle()));
    EXPECT_EQ(ends, 0);
    manager->StopSound(sound->Handle(), 0, false);
    EXPECT_FALSE(manager->IsPlaying(sound->Handle()));
    EXPECT_EQ(ends, 1);
}

TEST_F(StaticSound, KeepsItsOwnCopyOfTheWaveData) {
    Started();
    Sound::Sound_t* sound = Make(SoundDescr_t::IsLoop, 0, 500);
    descr->SetWaveName("another"); // frees the description's data
    descr.reset();
    manager->PlaySound(sound->Handle(), 0);
    const auto out = Pull(*mixer, 400);
    EXPECT_EQ(out[200], 3000);
    sound->Rewind();
}

TEST_F(StaticSound, PlaysTogetherWithAnotherDevicesSound) {
    Started();
    // The other device stands for the framework's sound manager.
    Held<platform::SoundBuffer> other = Mono16(22050, std::vector<std::int16_t>(4000, 1000));
    Sound::Sound_t* sound = Make(SoundDescr_t::IsLoop, 0, 4000);
    ASSERT_EQ(other->Play(0), platform::DS_OK);
    manager->PlaySound(sound->Handle(), 0);
    const auto out = Pull(*mixer, 1000);
    EXPECT_EQ(out[500], 4000);
}

TEST_F(StaticSound, BadDescriptionsAreRefused) {
    Started();
    auto empty = std::make_unique<SoundDescr_t>();
    EXPECT_EQ(SoundErrorOf([&] { manager->CreateSound(empty.get(), nullptr, nullptr); }), 7);
    EXPECT_EQ(SoundErrorOf([&] { manager->CreateSound(nullptr, nullptr, nullptr); }), 7);
    auto noData = WavDescr({});
    EXPECT_EQ(SoundErrorOf([&] { manager->CreateSound(noData.get(), nullptr, nullptr); }), 9);
    auto garbage = WavDescr(Constant16(10, 1));
    garbage->waveData.resize(20);
    EXPECT_EQ(SoundErrorOf([&] { manager->CreateSound(garbage.get(), nullptr, nullptr); }), 6);
    EXPECT_EQ(manager->SoundCount(), 0u);
}

} // namespace
} // namespace engine_sound_test
