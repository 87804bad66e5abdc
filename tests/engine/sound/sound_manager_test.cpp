// The manager: running without a device, releasing, 3D parameters, the
// wait table's limit, group volumes, and the real worker thread.
#include "engine/sound/sound.h"
#include "tests/engine/sound/engine_sound_fixture.h"

namespace engine_sound_test {
namespace {

using Sound::SoundDescr_t;

TEST(SoundManagerWithoutDevice, StartsAndMakesNothing) {
    platform::Installed<platform::SoundEnvironment> none(platform::SoundEnvironmentSlot(), nullptr);
    SoundManager_t manager;
    manager.Start(nullptr, platform::kSoundCoopPriority, 2, 22050, 16);
    EXPECT_FALSE(manager.HasDevice());
    EXPECT_TRUE(manager.IsWorkerRunning());
    SoundDescr_t descr;
    descr.waveData = enc::MakeWav(1, 22050, 16, Constant16(10, 1));
    descr.waveKind = SoundDescr_t::WaveWav;
    EXPECT_EQ(manager.CreateSound(&descr, nullptr, nullptr), nullptr);
    EXPECT_EQ(manager.CreateStreamingSound(&descr, MemoryFile(descr.waveData)), nullptr);
    manager.PlaySound(1, 0);
    EXPECT_FALSE(manager.IsPlaying(1));
    manager.Shutdown();
    EXPECT_FALSE(manager.IsWorkerRunning());
}

TEST_F(EngineSound, StartRefusesABadPrimaryFormatAndLeavesNoThread) {
    SoundManager_t threaded;
    EXPECT_EQ(SoundErrorOf([&] { threaded.Start(nullptr, 99, 2, 22050, 16); }), 2);
    EXPECT_EQ(SoundErrorOf([&] { threaded.Start(nullptr, platform::kSoundCoopPriority, 2, 22050, 12); }), 4);
    EXPECT_FALSE(threaded.HasDevice());
    EXPECT_FALSE(threaded.IsWorkerRunning());
    threaded.Shutdown(); // returns: nothing to wait for
}

TEST_F(EngineSound, StopWithReleaseDeletesAtTheNextWake) {
    Started();
    int ends = 0;
    auto descr = WavDescr(Constant16(4000, 10), SoundDescr_t::IsLoop);
    Sound::Sound_t* sound = manager->CreateSound(descr.get(), CountEnd, &ends);
    const std::uint32_t handle = sound->Handle();
    manager->PlaySound(handle, 0);
    Drain();
    manager->StopSound(handle, 0, true);
    EXPECT_FALSE(manager->IsPlaying(handle));
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(manager->SoundCount(), 1u);
    Drain();
    EXPECT_EQ(manager->SoundCount(), 0u);
    manager->PlaySound(handle, 0);
    manager->StopSound(handle, 50, true);
    EXPECT_FALSE(manager->IsPlaying(handle));
    EXPECT_EQ(Pull(*mixer, 100)[50], 0);

    // One-shot descriptions go by themselves once they end.
    auto oneShot = WavDescr(Constant16(100, 10), SoundDescr_t::DelAfterPlay);
    manager->PlaySound(manager->CreateSound(oneShot.get(), nullptr, nullptr)->Handle(), 0);
    Drain();
    Pull(*mixer, 200);
    Drain();
    EXPECT_EQ(manager->SoundCount(), 0u);
}

TEST_F(EngineSound, Apply3DChecksItsArgumentsAndSetsTheBlock) {
    Started();
    platform::Buffer3DParams params;
    params.position = {1, 2, 3};
    params.maxDistance = 40;
    EXPECT_EQ(SoundErrorOf([&] { manager->ApplySound3D(0, &params); }), 7);
    EXPECT_EQ(SoundErrorOf([&] { manager->ApplySound3D(5, nullptr); }), 7);
    EXPECT_EQ(SoundErrorOf([&] { manager->Apply3DParams(nullptr, &params); }), 7);
    manager->ApplySound3D(12345, &params); // not listed: nothing

    auto flat = WavDescr(Constant16(100, 1));
    Sound::Sound_t* plain = manager->CreateSound(flat.get(), nullptr, nullptr);
    EXPECT_EQ(SoundErrorOf([&] { manager->ApplySound3D(plain->Handle(), &params); }), 23);

    auto spatial = WavDescr(Constant16(100, 1), SoundDescr_t::Is3D);
    Sound::Sound_t* sound = manager->CreateSound(spatial.get(), nullptr, nullptr);
    manager->ApplySound3D(sound->Handle(), &params);
    platform::SoundBuffer3D* view = nullptr;
    sound->Get3DBuffer(&view);
    Held<platform::SoundBuffer3D> held(view);
    platform::Buffer3DParams seen;
    ASSERT_EQ(held->GetAllParameters(seen), platform::DS_OK);
    EXPECT_EQ(seen, params);
}

TEST_F(EngineSound, WaitTableHoldsSixtySoundsAndTheRestStillFade) {
    Started();
    int ends = 0;
    std::vector<std::unique_ptr<SoundDescr_t>> descrs;
    std::vector<Sound::Sound_t*> sounds;
    for (int i = 0; i < 61; ++i) {
        descrs.push_back(WavDescr(Constant16(20000, 10)));
        sounds.push_back(manager->CreateSound(descrs.back().get(), CountEnd, &ends));
    }
    manager->WakeUp();
    Drain();
    EXPECT_EQ(manager->WaitCount(), SoundManager_t::kWaitEntries);
    Sound::Sound_t* last = sounds.back();
    manager->PlaySound(last->Handle(), 0);
    manager->StopSound(last->Handle(), 40, false);
    manager->HandleWake(SoundManager_t::kWakeTimer);
    EXPECT_TRUE(manager->IsPlaying(last->Handle()));
    manager->HandleWake(SoundManager_t::kWakeTimer);
    EXPECT_FALSE(manager->IsPlaying(last->Handle()));
    EXPECT_EQ(ends, 1);
    // A wake index outside the table reads as an update.
    EXPECT_TRUE(manager->HandleWake(200));
    EXPECT_FALSE(manager->HandleWake(SoundManager_t::kWakeQuit));
}

TEST_F(EngineSound, GroupVolumeReachesThatGroupOnly) {
    Started();
    auto music = WavDescr(Constant16(100, 1), 0, 16, SoundDescr_t::GroupMusic);
    music->volume = -100;
    music->groupVolume = -200;
    auto effect = WavDescr(Constant16(100, 1), 0, 16, SoundDescr_t::GroupEffect);
    Sound::Sound_t* m = manager->CreateSound(music.get(), nullptr, nullptr);
    Sound::Sound_t* e = manager->CreateSound(effect.get(), nullptr, nullptr);
    int volume = 1;
    m->Buffer()->GetVolume(volume);
    EXPECT_EQ(volume, -300);
    manager->SetGroupVolume(SoundDescr_t::GroupMusic, -8950); // held at -9000
    m->Buffer()->GetVolume(volume);
    EXPECT_EQ(volume, -9000);
    e->Buffer()->GetVolume(volume);
    EXPECT_EQ(volume, 0);
}

TEST_F(EngineSound, RealWorkerFadesAndShutsDownWhilePlaying) {
    manager.emplace(); // with its thread
    manager->Start(nullptr, platform::kSoundCoopPriority, 1, 22050, 16);
    ASSERT_TRUE(manager->IsWorkerRunning());
    auto descr = WavDescr(Constant16(4000, 10), SoundDescr_t::IsLoop);
    platform::Event ended(true, false);
    Sound::Sound_t* fading = manager->CreateSound(
        descr.get(), [](std::uint32_t, void* event) { static_cast<platform::Event*>(event)->Set(); }, &ended);
    Sound::Sound_t* playing = manager->CreateSound(descr.get(), nullptr, nullptr);
    manager->PlaySound(fading->Handle(), 0);
    manager->PlaySound(playing->Handle(), 0);
    manager->StopSound(fading->Handle(), 100, false);
    // The worker's tick follows the virtual clock.
    int steps = 0;
    while (!ended.Wait(1) && steps < 5000) {
        clock.Get().Advance(20);
        ++steps;
    }
    EXPECT_TRUE(ended.Wait(0));
    EXPECT_FALSE(manager->IsPlaying(fading->Handle()));
    EXPECT_TRUE(manager->IsPlaying(playing->Handle()));
    manager->Shutdown();
    EXPECT_FALSE(manager->IsWorkerRunning());
    EXPECT_EQ(manager->SoundCount(), 0u);
}

} // namespace
} // namespace engine_sound_test
