// The game's sound facade over an engine manager whose worker the test
// drives: volume groups, playing by name, music cross-fades and a manager
// that fails to start.
#include "game/app/sound_facade.h"

#include "engine/base/sound_error.h"
#include "engine/sound/sound_descr_list.h"
#include "tests/engine/sound/engine_sound_fixture.h"

namespace Game {
namespace {

using engine_sound_test::Constant16;
using engine_sound_test::Pull;
using Sound::SoundDescr_t;
namespace enc = engine_sound_test::enc;

TEST(VolumeOfPercentTest, TurnsPercentagesIntoHundredthsOfADecibel) {
    const struct {
        int percent;
        int volume;
    } cases[] = {{-5, -10000}, {0, -10000}, {1, -4000}, {40, -795}, {50, -602}, {99, -8}, {100, 0}, {150, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(VolumeOfPercent(c.percent), c.volume) << c.percent;
}

class SoundFacadeTest : public engine_sound_test::EngineSound {
protected:
    void SetUp() override {
        EngineSound::SetUp();
        SndSetDescrStorage(descriptions.get());
        SndSetWaveStorage(waves.get());
        engine_sound_test::PutText(descriptions.get(), "Background", "Group=Music\nIsStreamed=1\nIsLoop=1\n");
        engine_sound_test::PutText(descriptions.get(), "click", "Group=Effect\nPlayIfPlay=1\nWaveName=click\n");
        engine_sound_test::PutText(descriptions.get(), "base", "Group=Interf\nWaveName=click\n");
        for (const char* name : {"click.wav", "t1.wav", "t2.wav", "t3.wav"})
            engine_sound_test::Put(waves.get(), name, enc::MakeWav(1, 22050, 16, Constant16(22050, 1000)));
    }
    void Drain() {
        while (facade->Manager()->ServiceOnce(0) != platform::kWaitTimeout) {
        }
    }

    std::shared_ptr<SoundFacade> facade = std::make_shared<SoundFacade>(SoundManager_t::WorkerMode::Manual);
    platform::Installed<SoundFacade> installed{SoundFacadeSlot(), facade};
};

TEST_F(SoundFacadeTest, NothingPlaysBeforeInitAndVolumesAreOnlyStored) {
    SndSetVolume(1, 70);
    SndSetVolume(3, 30);
    SndSetVolume(0, 20);
    SndSetVolume(6, 50);
    SndSetVolume(2, 40); // the "World" group keeps no percentage of its own
    EXPECT_EQ(facade->EffectsGroupVolume(), 70);
    EXPECT_EQ(facade->MusicGroupVolume(), 30);
    EXPECT_EQ(facade->DialogGroupVolume(), 20);
    EXPECT_FALSE(SndIsEnabled());
    EXPECT_EQ(SndPlayByName("click"), 0u);
    SndPlayMusic("t1", 2000, 1000);
    EXPECT_EQ(facade->CurrentMusic(), 0u);

    ASSERT_TRUE(SndInit(nullptr, false));
    EXPECT_TRUE(SndIsEnabled());
    SoundDescr_t world;
    world.group = SoundDescr_t::GroupWorld;
    EXPECT_EQ(SndGetVolume(&world), 70);
    EXPECT_EQ(world.groupVolume, -309);
    SoundDescr_t none;
    none.group = SoundDescr_t::GroupNone;
    EXPECT_EQ(SndGetVolume(&none), 0);
    EXPECT_EQ(none.groupVolume, -10000);
    SndSetVolume(3, 0);
    SoundDescr_t music;
    music.group = SoundDescr_t::GroupMusic;
    SndGetVolume(&music);
    EXPECT_EQ(music.groupVolume, -10000);
    SndSetVolume(3, 150);
    SndGetVolume(&music);
    EXPECT_EQ(music.groupVolume, 0);

    SndShutdown();
    EXPECT_FALSE(SndIsEnabled());
    EXPECT_EQ(SndPlayByName("click"), 0u);
}

TEST_F(SoundFacadeTest, GroupVolumeReachesLiveSoundsOfThatGroup) {
    ASSERT_TRUE(SndInit(nullptr, false));
    auto worldDescr = WavDescr(Constant16(2000, 100), 0, 16, SoundDescr_t::GroupWorld);
    auto effectDescr = WavDescr(Constant16(2000, 100), 0, 16, SoundDescr_t::GroupEffect);
    Sound::Sound_t* world = facade->Manager()->CreateSound(worldDescr.get(), nullptr, nullptr);
    Sound::Sound_t* effect = facade->Manager()->CreateSound(effectDescr.get(), nullptr, nullptr);
    ASSERT_NE(world, nullptr);
    ASSERT_NE(effect, nullptr);
    SndSetVolume(2, 40);
    int volume = 1;
    world->Buffer()->GetVolume(volume);
    EXPECT_EQ(volume, -795);
    effect->Buffer()->GetVolume(volume);
    EXPECT_EQ(volume, 0);
    SndSetVolume(6, 50); // nothing
    world->Buffer()->GetVolume(volume);
    EXPECT_EQ(volume, -795);
}

TEST_F(SoundFacadeTest, PlaysByNameAndReplacesOnlyAGivenWaveName) {
    ASSERT_TRUE(SndInit(nullptr, false));
    EXPECT_EQ(SndPlayByName("no such sound"), 0u);
    SoundDescr_t* base = facade->Descriptions()->Find("base");
    ASSERT_NE(base, nullptr);
    const SoundHandle first = SndPlayByNameWave("base", "");
    EXPECT_NE(first, 0u);
    EXPECT_EQ(base->waveName, "click");
    const SoundHandle second = SndPlayByNameWave("base", "t2");
    EXPECT_NE(second, 0u);
    EXPECT_EQ(base->waveName, "t2");
    EXPECT_TRUE(SndIsPlaying(second));
    SndStopSound(second, 0, true);
    EXPECT_FALSE(SndIsPlaying(second));
    // A wave that is in no storage gives no sound.
    EXPECT_EQ(SndPlayByNameWave("base", "missing"), 0u);
}

TEST_F(SoundFacadeTest, PlayIfPlayFreesTheDescriptionsDataWhileTheSoundPlaysOn) {
    SndSetVolume(1, 100);
    ASSERT_TRUE(SndInit(nullptr, false));
    SoundDescr_t* click = facade->Descriptions()->Find("click");
    const SoundHandle handle = SndPlayByName("click");
    ASSERT_NE(handle, 0u);
    EXPECT_TRUE(click->waveData.empty());
    Drain();
    const std::vector<std::int16_t> out = Pull(*mixer, 200);
    EXPECT_NE(out[100], 0);
    EXPECT_TRUE(SndIsPlaying(handle));
    // A second play loads the data again.
    EXPECT_NE(SndPlayByName("click"), 0u);
}

TEST_F(SoundFacadeTest, MusicCrossFadesThroughTheBackgroundDescription) {
    ASSERT_TRUE(SndInit(nullptr, false));
    SndPlayMusic("t1", 2000, 1000);
    const SoundHandle first = facade->CurrentMusic();
    ASSERT_NE(first, 0u);
    EXPECT_EQ(facade->Descriptions()->Find("background")->waveName, "t1");
    SndPlayMusic("t2", 2000, 1000);
    const SoundHandle second = facade->CurrentMusic();
    EXPECT_EQ(facade->OldMusic(), first);
    SndPlayMusic("t3", 2000, 1000);
    const SoundHandle third = facade->CurrentMusic();
    EXPECT_NE(third, 0u);
    EXPECT_EQ(facade->OldMusic(), second);
    EXPECT_FALSE(SndIsPlaying(first)); // stopped at once
    EXPECT_TRUE(SndIsPlaying(second)); // fading out
    EXPECT_TRUE(SndIsPlaying(third));  // fading in
    // The fade out ends after its second.
    int ticks = 0;
    for (; ticks < 100 && SndIsPlaying(second); ++ticks) {
        facade->Manager()->HandleWake(SoundManager_t::kWakeTimer);
    }
    EXPECT_GE(ticks, 45); // about 1000 ms in 20 ms steps
    EXPECT_LE(ticks, 55);
    EXPECT_FALSE(SndIsPlaying(second));
    EXPECT_TRUE(SndIsPlaying(third));

    SndStopMusic(0);
    EXPECT_EQ(facade->CurrentMusic(), 0u);
    EXPECT_EQ(facade->OldMusic(), 0u);
    EXPECT_FALSE(SndIsPlaying(third));
}

void CountEnd(std::uint32_t, void* argument) {
    ++*static_cast<int*>(argument);
}

TEST_F(SoundFacadeTest, MusicByDescriptionTellsItsEndAndStopMusicDropsTheCallback) {
    engine_sound_test::PutText(descriptions.get(), "backgroundnoloop", "Group=Music\n");
    ASSERT_TRUE(SndInit(nullptr, true));
    int ends = 0;
    SndPlayMusicDescr("backgroundnoloop", "t1", CountEnd, &ends);
    const SoundHandle track = facade->CurrentMusic();
    ASSERT_NE(track, 0u);
    SndStopSound(track, 0, false);
    EXPECT_EQ(ends, 1);
    SndPlayMusicDescr("backgroundnoloop", "t2", CountEnd, &ends);
    SndStopMusic(0);
    EXPECT_EQ(ends, 1);
    // Without streaming the background is decoded whole.
    SndPlayMusic("t3", 0, 0);
    EXPECT_FALSE(facade->Descriptions()->Find("background")->Has(SoundDescr_t::IsStreamed));
    EXPECT_NE(facade->CurrentMusic(), 0u);
}

TEST_F(SoundFacadeTest, MusicWithoutItsDescriptionStopsTheOldTracksOnly) {
    ASSERT_TRUE(SndInit(nullptr, false));
    SndPlayMusic("t1", 0, 0);
    const SoundHandle first = facade->CurrentMusic();
    SndPlayMusicDescr("nothing", "t2", nullptr, nullptr);
    EXPECT_EQ(facade->CurrentMusic(), first);
    EXPECT_EQ(facade->OldMusic(), first);
    EXPECT_FALSE(SndIsPlaying(first));
}

class FailingStart : public SoundFacade {
public:
    FailingStart() : SoundFacade(SoundManager_t::WorkerMode::Manual) {}

protected:
    void StartManager(SoundManager_t&, platform::WindowHandle) override { throw errSnd_e(4); }
};

TEST_F(SoundFacadeTest, AManagerThatFailsToStartLeavesTheFacadeDisabled) {
    platform::Installed<SoundFacade> failing{SoundFacadeSlot(), std::make_shared<FailingStart>()};
    EXPECT_FALSE(SndInit(nullptr, false));
    EXPECT_FALSE(SndIsEnabled());
    EXPECT_EQ(SoundFacadeSlot().Get()->Manager(), nullptr);
    EXPECT_EQ(SoundFacadeSlot().Get()->Descriptions(), nullptr);
    EXPECT_EQ(SndPlayByName("click"), 0u);
}

} // namespace
} // namespace Game
