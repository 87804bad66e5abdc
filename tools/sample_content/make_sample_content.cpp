// Makes the sample content set that stands in for the game's own pictures
// and data: placeholder art in every picture format the loaders read, the
// resource manifest, a bitmap font rendered from the installed sans face
// (its glyph sheet, its descriptor and a legacy descriptor of the same
// sheet), and sounds and songs in every format the sound code reads, written
// to a folder and packed into "main.pak"; the engine's sound folders go to a
// folder of their own. The mp3 is made by the lame program when its path is
// given.
//
//   make-sample-content <content folder> <main.pak> [<engine sound folder> [lame]]

#include "framework/pak/pak_writer.h"
#include "framework/sound/wave_file.h"
#include "platform/file_system.h"
#include "tools/image_encoders/image_encoders.h"
#include "tools/sample_content/app_content.h"
#include "tools/sample_content/board_content.h"
#include "tools/sample_content/board_screen_content.h"
#include "tools/sample_content/bonus_content.h"
#include "tools/sample_content/bonus_dialogs_content.h"
#include "tools/sample_content/content_files.h"
#include "tools/sample_content/effect_family_content.h"
#include "tools/sample_content/effects_content.h"
#include "tools/sample_content/flying_effects_content.h"
#include "tools/sample_content/game_content.h"
#include "tools/sample_content/meta_content.h"
#include "tools/sample_content/penalty_content.h"
#include "tools/sample_content/sample_font.h"
#include "tools/sample_content/sample_sounds.h"
#include "tools/sample_content/scene_content.h"
#include "tools/sample_content/shop_content.h"
#include "tools/sample_content/sound_writers.h"
#include "tools/sample_content/stage_content.h"
#include "tools/sample_content/ui_content.h"
#include "tools/sample_content/users_content.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Kavo::ImageEncoders::Bytes;
using Pixels = std::vector<uint32_t>;

constexpr uint32_t Argb(int a, int r, int g, int b) {
    return (uint32_t(a) << 24) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b);
}

int Clamp255(double v) {
    return std::clamp(static_cast<int>(std::lround(v)), 0, 255);
}

// Interleaved 8-bit RGB samples of a 0xAARRGGBB picture.
Bytes RgbSamples(const Pixels& pixels) {
    Bytes out;
    out.reserve(pixels.size() * 3);
    for (uint32_t p : pixels) {
        out.push_back(uint8_t(p >> 16));
        out.push_back(uint8_t(p >> 8));
        out.push_back(uint8_t(p));
    }
    return out;
}

// A warm wooden backdrop with soft stripes, for the JPEG reader.
Pixels Background(int w, int h) {
    Pixels px(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double grain = 0.5 + 0.5 * std::sin(x * 0.05 + std::sin(y * 0.013) * 4.0);
            double shade = 1.0 - 0.35 * double(y) / h;
            px[size_t(y) * w + x] = Argb(255, Clamp255((120 + 40 * grain) * shade), Clamp255((72 + 25 * grain) * shade),
                                         Clamp255((40 + 10 * grain) * shade));
        }
    return px;
}

// Six round items in one row of cels with soft anti-aliased edges, for the
// PNG reader and the alpha blits.
Pixels ItemSheet(int cel, int count) {
    static const int kColors[6][3] = {{220, 40, 40},  {40, 180, 60},  {50, 90, 220},
                                      {240, 200, 30}, {170, 60, 200}, {240, 130, 30}};
    int w = cel * count;
    Pixels px(size_t(w) * cel, 0);
    for (int i = 0; i < count; ++i)
        for (int y = 0; y < cel; ++y)
            for (int x = 0; x < cel; ++x) {
                double dx = x + 0.5 - cel / 2.0, dy = y + 0.5 - cel / 2.0;
                double r = std::sqrt(dx * dx + dy * dy);
                double edge = std::clamp(cel * 0.42 - r, 0.0, 1.0);
                if (edge <= 0)
                    continue;
                double light = std::clamp(1.25 - (r / cel) - (dx + dy) / (cel * 2.5), 0.4, 1.6);
                const int* c = kColors[i];
                px[size_t(y) * w + i * cel + x] =
                    Argb(Clamp255(edge * 255), Clamp255(c[0] * light), Clamp255(c[1] * light), Clamp255(c[2] * light));
            }
    return px;
}

// A board cell, for the TGA reader: translucent with a lighter rim.
Pixels Tile(int size) {
    Pixels px(size_t(size) * size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            int rim = std::min(std::min(x, y), std::min(size - 1 - x, size - 1 - y));
            px[size_t(y) * size + x] = rim < 2 ? Argb(200, 250, 235, 200) : Argb(110, 255, 250, 235);
        }
    return px;
}

// The selection ring as a palettised GIF with a transparent index.
Bytes SelectionGif(int size) {
    Kavo::ImageEncoders::GifRecipe gif;
    gif.mWidth = size;
    gif.mHeight = size;
    gif.mGlobalTable = {0x000000, 0xFFFFFF, 0xFFE070, 0xC08020};
    gif.mMinCodeSize = 2;
    // Graphic control: transparent colour flag, delay 0, index 0.
    gif.mGraphicControl = {0x01, 0x00, 0x00, 0x00};
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            double dx = x + 0.5 - size / 2.0, dy = y + 0.5 - size / 2.0;
            double r = std::sqrt(dx * dx + dy * dy);
            double d = std::abs(r - size * 0.42);
            gif.mIndices.push_back(d < 1.0 ? 1 : d < 2.0 ? 2 : d < 3.0 ? 3 : 0);
        }
    return Kavo::ImageEncoders::MakeGif(gif);
}

// A title plate for the JPEG 2000 reader.
Pixels Logo(int w, int h) {
    Pixels px(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            bool band = ((x / 16) + (y / 16)) % 2 == 0;
            px[size_t(y) * w + x] = band ? Argb(255, 200, 40, 60) : Argb(255, 250, 220, 120);
        }
    return px;
}

// Brightness ramp whose blue channel becomes the alpha of "glow".
Pixels GlowAlpha(int size) {
    Pixels px(size_t(size) * size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            double dx = x + 0.5 - size / 2.0, dy = y + 0.5 - size / 2.0;
            int a = Clamp255(255 * std::max(0.0, 1.0 - std::sqrt(dx * dx + dy * dy) / (size / 2.0)));
            px[size_t(y) * size + x] = Argb(255, a, a, a);
        }
    return px;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
    return Kavo::SampleContent::WriteContentFile(path, bytes);
}

bool WriteFile(const std::string& path, const Bytes& bytes) {
    return Kavo::SampleContent::WriteContentFile(path, bytes);
}

// The sounds and songs: a WAVE click, a mu-law ".au" chime, a short Ogg
// song, a small module and, when lame is given, the Ogg song's tune as mp3.
bool WriteSounds(const std::string& root, const char* lame) {
    namespace snd = Kavo::SoundWriters;
    Kavo::PcmSound click;
    click.format = platform::MakePcmFormat(1, 22050, 16);
    std::vector<std::int16_t> clickSamples = snd::Tone(22050, 1, 2205, 1200, 0.6);
    for (std::size_t i = 0; i < clickSamples.size(); ++i)
        clickSamples[i] = static_cast<std::int16_t>(clickSamples[i] * (1.0 - double(i) / clickSamples.size()));
    click.data = snd::LittleEndian(clickSamples);

    const snd::Bytes chime = snd::EncodeMuLaw(snd::Tone(8000, 1, 4000, 660, 0.5));

    const std::vector<std::int16_t> song = snd::Tone(22050, 2, 22050 * 2, 440, 0.4);
    const std::string songWave = root + "-mp3-source.wav";
    Kavo::PcmSound songPcm;
    songPcm.format = platform::MakePcmFormat(2, 22050, 16);
    songPcm.data = snd::LittleEndian(song);

    bool ok = WriteFile(root + "/sounds/click.wav", Kavo::MakeWaveBytes(click, "", 0)) &&
              WriteFile(root + "/sounds/chime.au", snd::MakeAu(1, 8000, 1, chime)) &&
              WriteFile(root + "/music/theme.ogg", snd::EncodeOgg(22050, 2, song)) &&
              WriteFile(root + "/music/tune.mod", snd::MakeSampleModule());
    if (!ok)
        return false;
    if (lame == nullptr) {
        std::printf("make-sample-content: lame was not found; the sample content has no mp3\n");
        return true;
    }
    const std::string mp3 = root + "/music/theme.mp3";
    if (!WriteFile(songWave, Kavo::MakeWaveBytes(songPcm, "", 0)))
        return false;
    const std::string command = std::string("\"") + lame + "\" --silent \"" + songWave + "\" \"" + mp3 + "\"";
    const bool made = std::system(command.c_str()) == 0;
    platform::RemoveFile(songWave);
    if (!made)
        std::fprintf(stderr, "make-sample-content: lame could not make %s\n", mp3.c_str());
    return made;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 5) {
        std::fprintf(stderr, "usage: make-sample-content <content folder> <main.pak> [<engine sound folder> [lame]]\n");
        return 2;
    }
    namespace enc = Kavo::ImageEncoders;
    const std::string root = argv[1];
    platform::RemoveTree(root);

    const int itemCel = 64;
    bool ok = WriteFile(root + "/images/background.jpg",
                        enc::EncodeJpeg(1024, 768, 3, RgbSamples(Background(1024, 768)), 85)) &&
              WriteFile(root + "/images/items.png", enc::EncodePngArgb(itemCel * 6, itemCel, ItemSheet(itemCel, 6))) &&
              WriteFile(root + "/images/tile.tga", enc::MakeTga(72, 72, Tile(72))) &&
              WriteFile(root + "/images/selection.gif", SelectionGif(72)) &&
              WriteFile(root + "/images/logo.j2k", enc::EncodeJpeg2000(256, 64, 3, RgbSamples(Logo(256, 64)), false)) &&
              // Only the alpha companion exists: the picture takes its colour from "alphacolor".
              WriteFile(root + "/images/_glow.png", enc::EncodePngArgb(96, 96, GlowAlpha(96))) &&
              WriteSounds(root, argc == 5 ? argv[4] : nullptr);
    Kavo::SampleContent::GlyphSheet sheet;
    if (!Kavo::SampleContent::RenderGlyphSheet(Kavo::SampleContent::kSampleFontPixels, &sheet)) {
        std::fprintf(stderr, "make-sample-content: no installed font face opens (install fonts-dejavu-core)\n");
        return 1;
    }
    ok = ok && WriteFile(root + "/fonts/sample.png", enc::EncodePngArgb(sheet.mWidth, sheet.mHeight, sheet.mPixels)) &&
         WriteFile(root + "/fonts/sample.txt", Kavo::SampleContent::FontDescriptorText(sheet, "sample.png")) &&
         WriteFile(root + "/fonts/legacy.txt", Kavo::SampleContent::LegacyDescriptorText(sheet)) &&
         Kavo::SampleContent::WriteGameContent(root) && Kavo::SampleContent::WriteBonusContent(root) &&
         Kavo::SampleContent::WriteBonusDialogsContent(root) && Kavo::SampleContent::WriteEffectsContent(root) &&
         Kavo::SampleContent::WriteEffectFamilyContent(root) && Kavo::SampleContent::WriteBoardContent(root) &&
         Kavo::SampleContent::WriteUiContent(root, sheet) && Kavo::SampleContent::WriteShopContent(root, sheet);
    // The application's settings first: the stage and meta-game content add
    // their sections.
    ok = ok && Kavo::SampleContent::WriteAppContent(root) && Kavo::SampleContent::WriteSceneContent(root) &&
         Kavo::SampleContent::WriteStageContent(root) && Kavo::SampleContent::WriteFlyingEffectsContent(root) &&
         Kavo::SampleContent::WriteUsersContent(root) && Kavo::SampleContent::WriteMetaContent(root);
    // After the UI content: the board screen's music list replaces its own.
    ok = ok && Kavo::SampleContent::WriteBoardScreenContent(root);
    ok = ok && Kavo::SampleContent::WritePenaltyContent(root);
    if (!ok) {
        std::fprintf(stderr, "make-sample-content: cannot write the content into %s\n", root.c_str());
        return 1;
    }
    if (argc >= 4 &&
        !(Kavo::SampleContent::WriteSampleSounds(argv[3]) && Kavo::SampleContent::WriteBoardScreenSounds(argv[3]) &&
          Kavo::SampleContent::WriteBoardEventSounds(argv[3]))) {
        std::fprintf(stderr, "make-sample-content: cannot write the sounds into %s\n", argv[3]);
        return 1;
    }
    std::string error;
    if (!Kavo::WritePakArchive(root, argv[2], &error)) {
        std::fprintf(stderr, "make-sample-content: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
