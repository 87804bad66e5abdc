#include <gtest/gtest.h>

#include <filesystem>

#include "framework/sound/bass_music_interface.h"
#include "framework/sound/fmod_music_interface.h"
#include "framework/sound/music_player.h"
#include "tests/framework/sound/sound_test_environment.h"

namespace {

using Kavo::BassMusicInterface;
using Kavo::FModMusicInterface;
using Kavo::MixerMusicInterface;
using Kavo::Song;
using namespace sound_test;

class MusicTest : public SoundTestEnvironment {
protected:
    void SetUp() override {
        Write("song.wav", Wave(2, 22050, snd::Tone(22050, 2, 11025, 440, 0.5)));
        Write("song.ogg", snd::EncodeOgg(22050, 2, snd::Tone(22050, 2, 11025, 440, 0.5)));
        Write("tune.mod", snd::MakeSampleModule());
        Write("other.ogg", snd::EncodeOgg(22050, 2, snd::Tone(22050, 2, 2205, 660, 0.5)));
        Write("noise.xm", snd::Bytes(300, 0x5A));
    }
    std::uint32_t Cursor(const MixerMusicInterface& player, int id) {
        std::uint32_t play = 0;
        player.GetSong(id)->Buffer()->GetCurrentPosition(&play, nullptr);
        return play;
    }
};

TEST_F(MusicTest, EveryFormatLoadsAndPlaysThroughTheMixer) {
    BassMusicInterface player(nullptr);
    ASSERT_TRUE(player.LoadMusic(1, "song.wav"));
    ASSERT_TRUE(player.LoadMusic(2, "song.ogg"));
    ASSERT_TRUE(player.LoadMusic(3, "tune.mod"));
    EXPECT_FALSE(player.LoadMusic(4, "noise.xm"));
    EXPECT_FALSE(player.LoadMusic(4, "missing.ogg"));
    const bool haveMp3 = WriteMp3("song.mp3");
    if (haveMp3) {
        ASSERT_TRUE(player.LoadMusic(5, "song.mp3"));
    }
    EXPECT_TRUE(player.GetSong(3)->IsModule());
    EXPECT_FALSE(player.GetSong(2)->IsModule());

    for (int id : {1, 2, 3, 5}) {
        if (id == 5 && !haveMp3)
            continue;
        SCOPED_TRACE(id);
        EXPECT_EQ(PullPeak(256), 0);
        player.PlayMusic(id, 0, false);
        EXPECT_TRUE(player.IsPlaying(id));
        PullPeak(2048); // past a module's silent start
        EXPECT_GT(PullPeak(2048), 500);
        player.StopMusic(id);
        EXPECT_FALSE(player.IsPlaying(id));
        EXPECT_DOUBLE_EQ(player.SongVolume(id), 0.0);
    }
    player.UnloadMusic(2);
    EXPECT_EQ(player.GetSong(2), nullptr);
    player.PlayMusic(2, 0, false); // unloaded: nothing happens
    EXPECT_FALSE(player.IsPlaying(2));
}

TEST_F(MusicTest, ModulesStartAtAnOrderAndPlayOnceWhenAsked) {
    BassMusicInterface player(nullptr);
    ASSERT_TRUE(player.LoadMusic(1, "tune.mod"));
    const Song* song = player.GetSong(1);
    EXPECT_EQ(song->OrderOffset(0), 0u);
    EXPECT_GT(song->OrderOffset(1), 0u);
    player.PlayMusic(1, 1, true);
    EXPECT_EQ(Cursor(player, 1), song->OrderOffset(1));
    // Played once, it ends after the last order.
    const int bytesLeft = static_cast<int>(song->Buffer()->BufferBytes() - song->OrderOffset(1));
    PullPeak(bytesLeft / 4 + 4096);
    EXPECT_FALSE(player.IsPlaying(1));
    // Looping, it goes on.
    player.PlayMusic(1, 1, false);
    PullPeak(bytesLeft / 4 + 4096);
    EXPECT_TRUE(player.IsPlaying(1));
}

TEST_F(MusicTest, FadesStepOncePerUpdate) {
    BassMusicInterface player(nullptr);
    ASSERT_TRUE(player.LoadMusic(1, "song.ogg"));
    ASSERT_TRUE(player.LoadMusic(2, "song.wav"));
    player.FadeIn(1, -1, 0.01, false);
    EXPECT_TRUE(player.IsPlaying(1));
    for (int i = 0; i < 99; ++i)
        player.Update();
    EXPECT_LT(player.SongVolume(1), 1.0);
    player.Update();
    EXPECT_DOUBLE_EQ(player.SongVolume(1), 1.0);
    EXPECT_DOUBLE_EQ(player.SongStep(1), 0.0);
    EXPECT_EQ(player.GetSong(1)->Percent(), 100);
    player.Update();
    EXPECT_DOUBLE_EQ(player.SongVolume(1), 1.0);

    // Song 2 is silent: a fade-out of it changes nothing.
    player.FadeOut(2, true, 0.1);
    EXPECT_DOUBLE_EQ(player.SongStep(2), 0.0);
    player.FadeOutAll(true, 0.25);
    EXPECT_DOUBLE_EQ(player.SongStep(1), -0.25);
    EXPECT_DOUBLE_EQ(player.SongStep(2), -0.25);
    for (int i = 0; i < 4; ++i)
        player.Update();
    EXPECT_TRUE(player.IsPlaying(1));
    player.Update();
    EXPECT_DOUBLE_EQ(player.SongVolume(1), 0.0);
    EXPECT_FALSE(player.IsPlaying(1)); // stopped when faded
}

TEST_F(MusicTest, VolumesAreWholePercentages) {
    BassMusicInterface bass(nullptr);
    FModMusicInterface fmod;
    ASSERT_TRUE(bass.LoadMusic(1, "song.ogg"));
    ASSERT_TRUE(fmod.LoadMusic(1, "tune.mod"));
    for (MixerMusicInterface* player :
         {static_cast<MixerMusicInterface*>(&bass), static_cast<MixerMusicInterface*>(&fmod)}) {
        player->SetSongVolume(1, 0.29);
        EXPECT_EQ(player->GetSong(1)->Percent(), 28); // 0.29 x 100 is 28.999...
        player->SetVolume(0.5);
        player->SetSongVolume(1, 0.8);
        EXPECT_EQ(player->GetSong(1)->Percent(), 40);
        player->SetVolume(1.0);
    }
    int volume = 0;
    bass.GetSong(1)->Buffer()->GetVolume(volume);
    EXPECT_EQ(volume, -193); // 20 log10(0.8) dB

    // The maximum lowers a louder song at once in one player, not in the other.
    bass.SetSongMaxVolume(1, 0.5);
    EXPECT_DOUBLE_EQ(bass.SongVolume(1), 0.5);
    EXPECT_EQ(bass.GetSong(1)->Percent(), 50);
    fmod.SetSongMaxVolume(1, 0.5);
    EXPECT_DOUBLE_EQ(fmod.SongVolume(1), 0.8);
}

TEST_F(MusicTest, PauseAndResume) {
    BassMusicInterface player(nullptr);
    ASSERT_TRUE(player.LoadMusic(1, "song.ogg"));
    ASSERT_TRUE(player.LoadMusic(2, "song.wav"));
    player.PlayMusic(1, 0, false);
    player.PlayMusic(2, 0, false);
    player.PauseMusic(2);
    EXPECT_EQ(player.GetSong(2)->Buffer() != nullptr, true);
    PullPeak(1000);
    player.PauseAllMusic();
    const std::uint32_t at = Cursor(player, 1);
    EXPECT_GT(at, 0u);
    EXPECT_EQ(PullPeak(1000), 0);
    player.ResumeAllMusic();
    EXPECT_TRUE(player.IsPlaying(1));
    EXPECT_TRUE(player.IsPlaying(2)); // paused by PauseMusic: resumed as well
    PullPeak(100);
    EXPECT_GT(Cursor(player, 1), at);
    player.StopAllMusic();
    EXPECT_FALSE(player.IsPlaying(1));
    player.ResumeAllMusic(); // stopped songs are not paused ones
    EXPECT_FALSE(player.IsPlaying(1));
}

TEST_F(MusicTest, SampledSongsAreCachedAndJoined) {
    FModMusicInterface player;
    ASSERT_TRUE(player.LoadSample(1, "song"));
    const std::string cache = CacheFile("song");
    ASSERT_TRUE(std::filesystem::exists(cache));
    // A plain WAVE file, without the dependency chunk.
    Kavo::PcmSound cached;
    std::string error;
    ASSERT_TRUE(Kavo::ReadWaveFile(cache, cached, error));
    EXPECT_EQ(cached.data.size(), player.GetSong(1)->Buffer()->BufferBytes());
    std::filesystem::remove(WorkFolder() + "/song.ogg");
    ASSERT_TRUE(player.LoadSample(2, "song")); // from the cache
    EXPECT_FALSE(player.LoadSample(3, "missing"));

    ASSERT_TRUE(player.LoadSampleLoop(4, "song", "other"));
    EXPECT_GE(player.GetSong(4)->Buffer()->BufferBytes(), (11025u + 2205u) * 4);
    player.PlayMusic(4, 0, false);
    EXPECT_TRUE(player.IsPlaying(4));
    EXPECT_DOUBLE_EQ(player.SongVolume(4), 1.0);
    player.StopMusic(4);
    EXPECT_FALSE(player.IsPlaying(4));
    EXPECT_DOUBLE_EQ(player.SongVolume(4), 1.0); // this player keeps the volume
    player.UnloadMusic(4);                       // and unloads nothing
    EXPECT_NE(player.GetSong(4), nullptr);
    // A fade-in of a song that plays already only sets the step.
    player.PlayMusic(4, 0, false);
    player.FadeIn(4, 0, 0.1, false);
    EXPECT_DOUBLE_EQ(player.SongStep(4), 0.1);
    EXPECT_DOUBLE_EQ(player.SongVolume(4), 1.0);
}

TEST_F(MusicTest, WithoutSoundOutputThePlayerIsSilent) {
    {
        std::unique_ptr<Kavo::MusicInterface> player = Kavo::MakeMusicPlayer(false, nullptr);
        EXPECT_NE(dynamic_cast<BassMusicInterface*>(player.get()), nullptr);
        EXPECT_NE(dynamic_cast<FModMusicInterface*>(Kavo::MakeMusicPlayer(true, nullptr).get()), nullptr);
    }
    platform::Installed<platform::SoundEnvironment> none(platform::SoundEnvironmentSlot(),
                                                         std::shared_ptr<platform::SoundEnvironment>());
    for (bool fmod : {false, true}) {
        std::unique_ptr<Kavo::MusicInterface> player = Kavo::MakeMusicPlayer(fmod, nullptr);
        EXPECT_EQ(dynamic_cast<MixerMusicInterface*>(player.get()), nullptr);
        EXPECT_FALSE(player->LoadMusic(1, "tune.mod"));
        player->PlayMusic(1, 0, false);
        EXPECT_FALSE(player->IsPlaying(1));
    }
    BassMusicInterface direct(nullptr);
    EXPECT_FALSE(direct.HasDevice());
    EXPECT_FALSE(direct.LoadMusic(1, "song.ogg"));
}

} // namespace
