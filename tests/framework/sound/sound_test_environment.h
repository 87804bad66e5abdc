#pragma once
// The headless platform with a sound environment whose mixer the test pulls
// by hand, a work folder as the current folder (sounds load by relative
// name) and the temporary user-data folder for the sound cache.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "framework/sound/wave_file.h"
#include "framework/util/system_util.h"
#include "platform/audio/mixer.h"
#include "platform/audio/sound_environment.h"
#include "platform/file_system.h"
#include "tests/support/headless_environment.h"
#include "tools/sample_content/sound_writers.h"

namespace sound_test {

namespace snd = Kavo::SoundWriters;

class SoundTestEnvironment : public Kavo::HeadlessEnvironment {
protected:
    SoundTestEnvironment() : mPreviousFolder(platform::GetCurrentFolder()) {
        // A clock well past zero, as a running program has.
        Platform().Clock().Advance(5'000'000);
        std::filesystem::create_directories(WorkFolder());
        platform::SetCurrentFolder(WorkFolder());
        Kavo::SetUserDataFolder(Platform().UserDataFolder());
    }
    ~SoundTestEnvironment() override {
        Kavo::SetUserDataFolder("");
        platform::SetCurrentFolder(mPreviousFolder);
    }

    std::string WorkFolder() { return Platform().Folder() + "/work"; }
    std::string CacheFile(const std::string& name) { return Platform().UserDataFolder() + "/cached/" + name + ".wav"; }

    void Write(const std::string& name, const snd::Bytes& bytes) {
        std::filesystem::create_directories(std::filesystem::path(WorkFolder() + "/" + name).parent_path());
        ASSERT_TRUE(platform::WriteWholeFile(WorkFolder() + "/" + name, std::string(bytes.begin(), bytes.end())));
    }
    static snd::Bytes Wave(int channels, int rate, const std::vector<std::int16_t>& samples) {
        Kavo::PcmSound sound;
        sound.format = platform::MakePcmFormat(channels, rate, 16);
        sound.data = snd::LittleEndian(samples);
        const std::string bytes = Kavo::MakeWaveBytes(sound, "", 0);
        return snd::Bytes(bytes.begin(), bytes.end());
    }
    // Makes `name` (".mp3") from a tone with lame; false when lame is missing.
    bool WriteMp3(const std::string& name) {
#ifdef KAVO_LAME
        Write("mp3-source.wav", Wave(2, 22050, snd::Tone(22050, 2, 22050, 440, 0.5)));
        const std::string command = std::string("\"") + KAVO_LAME + "\" --silent \"" + WorkFolder() +
                                    "/mp3-source.wav\" \"" + WorkFolder() + "/" + name + "\"";
        return std::system(command.c_str()) == 0;
#else
        (void)name;
        return false;
#endif
    }

    // The loudest output sample of the next `frames` frames.
    int PullPeak(int frames) {
        std::vector<std::int16_t> out(static_cast<std::size_t>(frames) * 2);
        mMixer->Render(out.data(), frames);
        int peak = 0;
        for (std::int16_t sample : out)
            peak = std::max(peak, std::abs(int{sample}));
        return peak;
    }

    std::shared_ptr<platform::Mixer> mMixer = std::make_shared<platform::Mixer>(44100, 2);

private:
    std::string mPreviousFolder;
    platform::Installed<platform::SoundEnvironment> mSound{
        platform::SoundEnvironmentSlot(),
        std::make_shared<platform::SoundEnvironment>(platform::SoundEnvironment{mMixer})};
};

} // namespace sound_test
