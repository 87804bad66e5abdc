#include "tools/sample_content/sample_sounds.h"

#include <cstdio>
#include <vector>

#include "platform/file_system.h"
#include "tools/sound_encoders/sound_encoders.h"

namespace Kavo::SampleContent {
namespace {

namespace snd = Kavo::SoundEncoders;

bool Write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    platform::MakeDirectories(path.substr(0, path.find_last_of('/')));
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

bool WriteText(const std::string& path, const std::string& text) {
    return Write(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

// A tone that fades out, so a short effect does not click at its end.
std::vector<std::int16_t> Blip(int channels, double seconds, double hz) {
    std::vector<std::int16_t> samples = snd::Tone(channels, 22050, seconds, hz, 0.4);
    const std::size_t frames = samples.size() / static_cast<std::size_t>(channels);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double left =
            1.0 - static_cast<double>(i / static_cast<std::size_t>(channels)) / static_cast<double>(frames);
        samples[i] = static_cast<std::int16_t>(samples[i] * left);
    }
    return samples;
}

// A few seconds of two alternating notes.
std::vector<std::int16_t> Tune(double seconds, double low, double high) {
    std::vector<std::int16_t> samples;
    for (double done = 0; done < seconds; done += 0.5) {
        const auto note = snd::Tone(2, 22050, 0.5, static_cast<int>(done * 2) % 2 == 0 ? low : high, 0.3);
        samples.insert(samples.end(), note.begin(), note.end());
    }
    return samples;
}

} // namespace

bool WriteSampleSounds(const std::string& folder) {
    const std::string descr = folder + "/sounddescr/";
    const std::string sounds = folder + "/sounds/";
    bool ok = WriteText(descr + "base", "; one-shot effects: the wave name is given when played\r\n"
                                        "Group=Interf\r\nDelAfterPlay=1\r\n") &&
              WriteText(descr + "noisesound", "Group=Effect\r\nDelAfterPlay=1\r\n") &&
              WriteText(descr + "background", "Group=Music\r\nIsStreamed=1\r\nIsLoop=1\r\n") &&
              WriteText(descr + "backgroundnoloop", "Group=Music\r\nIsStreamed=1\r\n");
    ok = ok && Write(sounds + "MouseDown.wav", snd::MakeWav(1, 22050, 16, snd::PcmBytes(Blip(1, 0.08, 880)))) &&
         Write(sounds + "MouseEnter.wav", snd::MakeWav(1, 22050, 16, snd::PcmBytes(Blip(1, 0.05, 1320)))) &&
         Write(sounds + "flywindow.ogg", snd::EncodeOgg(1, 22050, Blip(1, 0.3, 440))) &&
         Write(sounds + "tipwindow.ogg", snd::EncodeOgg(1, 22050, Blip(1, 0.2, 660)));
    // The meta-game's effects and the comics' noises, each a blip of its own pitch.
    static const char* const kMetaSounds[] = {"newstar",
                                              "turnrecipe",
                                              "postcardpartfound",
                                              "postcartcomplete",
                                              "puppy",
                                              "puppy2",
                                              "buystuff",
                                              "deletestuff",
                                              "roomaddstuff",
                                              "openmenu",
                                              "menucellchange",
                                              "selectmenucell",
                                              "levelcompletestuffrating",
                                              "levelcompletetimebonus",
                                              "puzzlewrong",
                                              "puzzlemove",
                                              "puzzleselect",
                                              "puzzlecomplete",
                                              "cellphone",
                                              "getreward",
                                              "noise/auntnoise1",
                                              "noise/auntnoise2",
                                              "noise/auntnoise3",
                                              "noise/girlnoise1",
                                              "noise/girlnoise2",
                                              "noise/girlnoise3"};
    double hz = 330;
    for (const char* name : kMetaSounds) {
        ok = ok && Write(sounds + name + ".wav", snd::MakeWav(1, 22050, 16, snd::PcmBytes(Blip(1, 0.1, hz))));
        hz += 37;
    }
    ok = ok && Write(sounds + "music/mainmenu.ogg", snd::EncodeOgg(2, 22050, Tune(4.0, 262, 330))) &&
         Write(sounds + "music/puzzle.ogg", snd::EncodeOgg(2, 22050, Tune(4.0, 294, 392))) &&
         Write(sounds + "music/shop.ogg", snd::EncodeOgg(2, 22050, Tune(3.0, 349, 440)));
    return ok;
}

} // namespace Kavo::SampleContent
