// The game heard through the program's own sound output: the main menu's
// music and the options' sample reach the audio driver once loading is
// done, and the options' sliders change what is heard.
#include "framework/widget/slider.h"
#include "game/app/options_dialog.h"
#include "game/app/sound_facade.h"
#include "tests/game/main/scripted_game_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

namespace Game {
namespace {

class GameSoundTest : public ScriptedGameRunTest {
protected:
    // Runs `updates` updates of the loop, the audio driver pulling 10 ms of
    // output after each, and gives the loudest sample it was handed.
    int Listen(int updates) {
        platform::HeadlessAudioDriver& audio = Platform().Audio();
        const std::size_t start = audio.DeliveredFrames() * audio.Format().BytesPerFrame();
        for (int i = 0; i < updates; ++i) {
            Step();
            audio.Advance(static_cast<std::size_t>(audio.Format().sampleRate / 100));
            // The sound worker refills and steps fades on its own thread.
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        const std::vector<std::uint8_t> bytes = audio.Delivered();
        int peak = 0;
        for (std::size_t at = start; at + 1 < bytes.size(); at += 2) {
            std::int16_t sample = 0;
            std::memcpy(&sample, bytes.data() + at, 2);
            peak = std::max(peak, std::abs(int{sample}));
        }
        return peak;
    }

    OptionsDialog* Options() {
        for (Kavo::Dialog* dialog : App().mDialogList)
            if (auto* options = dynamic_cast<OptionsDialog*>(dialog))
                return options;
        return nullptr;
    }

    // A click on the slider's track at `fraction` of its length.
    void ClickSlider(Kavo::Slider* slider, double fraction) {
        ASSERT_NE(slider, nullptr);
        const Kavo::Point at = slider->GetAbsPos();
        ClickAt(at.mX + static_cast<int>(fraction * (slider->mWidth - 1)), at.mY + slider->mHeight / 2);
    }
};

TEST_F(GameSoundTest, MenuMusicAndEffectsReachTheOutputAtTheOptionsVolumes) {
    Start();
    const platform::HeadlessAudioDriver& audio = Platform().Audio();
    ASSERT_TRUE(audio.IsOpen());
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    // Loading has started the game's sound system on the output.
    ASSERT_TRUE(SndIsEnabled());
    ASSERT_NE(SoundFacadeSlot().Get()->Manager(), nullptr);
    EXPECT_TRUE(SoundFacadeSlot().Get()->Manager()->HasDevice());
    ASSERT_NO_FATAL_FAILURE(EnterNewPlayer("Listener"));

    // The main menu's music, fading in.
    EXPECT_GT(Listen(150), 1000);

    Click(Menu()->GetButton(MainMenuScreen::Options));
    ASSERT_TRUE(StepUntil([&] { return Options() != nullptr && Options()->mState == LayoutDialog::Resting; }, 500));
    OptionsDialog* options = Options();
    // Music to nothing: once the button's click has faded, silence.
    ASSERT_NO_FATAL_FAILURE(ClickSlider(options->mMusicVolume, 0.0));
    EXPECT_EQ(SoundFacadeSlot().Get()->MusicGroupVolume(), 0);
    Listen(100);
    EXPECT_LE(Listen(100), 2);

    // Effects at full: letting go of the thumb plays a sample at the new volume.
    ASSERT_NO_FATAL_FAILURE(ClickSlider(options->mEffectVolume, 1.0));
    EXPECT_GE(SoundFacadeSlot().Get()->EffectsGroupVolume(), 99);
    EXPECT_GT(Listen(50), 1000);
    Listen(100);
    // And at nothing: the same sample is not heard (-100 dB leaves at most
    // a rounding step).
    ASSERT_NO_FATAL_FAILURE(ClickSlider(options->mEffectVolume, 0.0));
    EXPECT_EQ(SoundFacadeSlot().Get()->EffectsGroupVolume(), 0);
    EXPECT_LE(Listen(50), 2);

    // The music back at half is heard again.
    ASSERT_NO_FATAL_FAILURE(ClickSlider(options->mMusicVolume, 0.5));
    EXPECT_GT(Listen(50), 300);
}

} // namespace
} // namespace Game
