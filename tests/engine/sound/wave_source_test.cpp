// The WAV and Ogg sources: chunk walking, reads at the end, lengths, and
// damaged input staying inside its bytes.
#include <cstring>

#include "engine/sound/wave_ogg_file.h"
#include "engine/sound/wave_wav_file.h"
#include "tests/engine/sound/engine_sound_fixture.h"

namespace engine_sound_test {
namespace {

using Sound::WaveOggFile_t;
using Sound::WaveWavFile_t;

Bytes Counting(std::size_t bytes) {
    Bytes out(bytes);
    for (std::size_t i = 0; i < bytes; ++i)
        out[i] = static_cast<std::uint8_t>(i * 7 + 1);
    return out;
}

Bytes ReadAll(Sound::WaveFile_t& source, std::uint32_t step) {
    Bytes all;
    for (;;) {
        Bytes part(step);
        std::uint32_t got = 99;
        source.Read(part.data(), step, &got);
        if (got == 0)
            return all;
        all.insert(all.end(), part.begin(), part.begin() + got);
    }
}

TEST(WaveWavFile, ChunkOrderAndPaddingDoNotMatter) {
    const Bytes pcm = Counting(100);
    struct Case {
        const char* name;
        Bytes file;
    } cases[] = {
        {"plain", enc::MakeWav(1, 22050, 16, pcm)},
        {"data first", enc::Riff({enc::Chunk("data", pcm), enc::Chunk("fmt ", enc::FormatBody(1, 22050, 16))})},
        {"odd chunks padded",
         enc::Riff({enc::Chunk("LIST", Bytes(7, 'x')), enc::Chunk("fmt ", enc::FormatBody(1, 22050, 16)),
                    enc::Chunk("junk", Bytes(3, 'y')), enc::Chunk("data", pcm)})},
        {"long fmt keeps its fields", enc::Riff({enc::Chunk("fmt ",
                                                            [] {
                                                                Bytes body = enc::FormatBody(1, 22050, 16);
                                                                body.resize(60, 0xEE);
                                                                return body;
                                                            }()),
                                                 enc::Chunk("data", pcm)})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WaveWavFile_t source;
        source.Open(MemoryFile(c.file));
        EXPECT_EQ(source.Format().channels, 1);
        EXPECT_EQ(source.Format().samplesPerSec, 22050u);
        EXPECT_EQ(source.Format().bitsPerSample, 16);
        EXPECT_EQ(source.Format().extraSize, 18);
        EXPECT_EQ(source.SizeBytes(), 100u);
        EXPECT_EQ(ReadAll(source, 33), pcm);
    }
}

TEST(WaveWavFile, ReadingPastTheEndGivesWhatIsLeftThenNothing) {
    WaveWavFile_t source;
    source.Open(MemoryFile(enc::MakeWav(1, 22050, 16, Counting(10))));
    Bytes out(64, 0);
    std::uint32_t got = 0;
    EXPECT_EQ(source.Read(out.data(), 8, &got), 8u);
    EXPECT_EQ(source.Read(out.data(), 64, &got), 2u);
    EXPECT_EQ(got, 2u);
    EXPECT_EQ(source.Read(out.data(), 64, &got), 0u);
    EXPECT_EQ(got, 0u);
    source.Rewind();
    EXPECT_EQ(source.Read(out.data(), 64, &got), 10u);
}

TEST(WaveWavFile, MalformedFilesRaiseBadFormat) {
    const Bytes pcm = Counting(10);
    const Bytes good = enc::MakeWav(1, 22050, 16, pcm);
    Bytes truncated(good.begin(), good.begin() + 30);
    Bytes notWave = good;
    std::memcpy(notWave.data() + 8, "AVIX", 4);
    Bytes huge = enc::Riff({enc::Chunk("fmt ", enc::FormatBody(1, 22050, 16)), enc::Chunk("junk", Bytes(4))});
    huge[huge.size() - 8] = 0xF0; // the junk chunk's size claims most of 4 GB
    huge[huge.size() - 5] = 0xFF;
    const Bytes cases[] = {
        enc::Riff({enc::Chunk("fmt ", enc::FormatBody(1, 22050, 16))}), // no "data"
        enc::Riff({enc::Chunk("data", pcm)}),                           // no "fmt "
        enc::Riff({enc::Chunk("fmt ", Bytes(12, 1)), enc::Chunk("data", pcm)}),
        truncated,
        notWave,
        huge,
        Bytes{},
    };
    for (const Bytes& file : cases) {
        WaveWavFile_t source;
        EXPECT_EQ(SoundErrorOf([&] { source.Open(MemoryFile(file)); }), 6);
        EXPECT_EQ(SoundErrorOf([&] { source.Read(nullptr, 0, nullptr); }), 8);
    }
}

TEST(WaveWavFile, DataLongerThanTheFileIsCutToTheBytesPresent) {
    Bytes file = enc::MakeWav(1, 22050, 16, Counting(10));
    file[file.size() - 14] = 0x00; // "data" size 10 becomes 0x10000A
    file[file.size() - 12] = 0x10;
    WaveWavFile_t source;
    source.Open(MemoryFile(file));
    EXPECT_EQ(source.SizeBytes(), 10u);
    EXPECT_EQ(ReadAll(source, 64), Counting(10));
}

TEST(WaveWavFile, PcmImageAndLengths) {
    Bytes image(22 + 8, 0);
    platform::WaveFormat format = platform::MakePcmFormat(2, 1000, 8); // 2000 bytes a second
    image[0] = 1;
    image[2] = 2;
    image[4] = 0xE8;
    image[5] = 0x03;
    image[8] = 0xD0;
    image[9] = 0x07;
    image[12] = 2;
    image[14] = 8;
    image[18] = 200; // claims 200 PCM bytes; only 8 follow
    WaveWavFile_t source;
    source.OpenPcmImage(image.data(), static_cast<std::uint32_t>(image.size()));
    EXPECT_EQ(source.Format().avgBytesPerSec, format.avgBytesPerSec);
    EXPECT_EQ(source.SizeBytes(), 8u);
    EXPECT_EQ(source.LengthMs(), 4u);
    EXPECT_EQ(SoundErrorOf([&] { source.OpenPcmImage(image.data(), 21); }), 6);

    // A long sound's length does not wrap in 32 bits.
    WaveWavFile_t longSound;
    longSound.Open(MemoryFile(enc::MakeWav(1, 8000, 8, Bytes(5'000'000, 0x80))));
    EXPECT_EQ(longSound.LengthMs(), 625'000u);
}

TEST(WaveOggFile, DecodesAndMeasuresAStream) {
    const auto tone = enc::Tone(2, 22050, 2.9, 440);
    const Bytes ogg = enc::EncodeOgg(2, 22050, tone);
    ASSERT_FALSE(ogg.empty());
    WaveOggFile_t source;
    source.Open(MemoryFile(ogg));
    EXPECT_EQ(source.Format().channels, 2);
    EXPECT_EQ(source.Format().samplesPerSec, 22050u);
    EXPECT_EQ(source.Format().bitsPerSample, 16);
    EXPECT_EQ(source.Format().blockAlign, 4);
    EXPECT_EQ(source.Format().avgBytesPerSec, 88200u);
    EXPECT_EQ(source.Format().extraSize, 18);
    EXPECT_EQ(source.LengthMs(), 2000u); // 2.9 s counts whole seconds
    EXPECT_EQ(source.SizeBytes(), tone.size() * 2);

    // A read of an odd size decodes whole frames only, and no more.
    Bytes out(1003 + 16, 0xAB);
    std::uint32_t got = 0;
    EXPECT_EQ(source.Read(out.data(), 1003, &got), 250u);
    EXPECT_EQ(got, 1000u);
    EXPECT_EQ(out[1003], 0xAB);
    source.Rewind();
    EXPECT_EQ(ReadAll(source, 4096).size(), tone.size() * 2);
}

TEST(WaveOggFile, DamagedStreamsStayInBounds) {
    // Five seconds, so that most of the stream is audio, not headers.
    const Bytes ogg = enc::EncodeOgg(1, 22050, enc::Tone(1, 22050, 5.0, 300));
    {
        WaveOggFile_t source;
        EXPECT_EQ(SoundErrorOf([&] { source.Open(MemoryFile(Bytes(ogg.begin(), ogg.begin() + 40))); }), 6);
        EXPECT_EQ(SoundErrorOf([&] { source.Open(MemoryFile(enc::MakeWav(1, 22050, 16, Bytes(8)))); }), 6);
        EXPECT_EQ(SoundErrorOf([&] { source.Rewind(); }), 8);
    }
    // Cut in the middle, and with the middle scrambled: either the stream
    // is refused, or its reads come to an end within what it holds.
    Bytes cut(ogg.begin(), ogg.begin() + static_cast<long>(ogg.size() * 3 / 4));
    Bytes scrambled = ogg;
    for (std::size_t i = ogg.size() * 3 / 4; i < ogg.size() * 3 / 4 + 10; ++i)
        scrambled[i] = static_cast<std::uint8_t>(scrambled[i] * 31 + 7);
    int opened = 0;
    for (const Bytes& file : {cut, scrambled}) {
        WaveOggFile_t source;
        if (SoundErrorOf([&] { source.Open(MemoryFile(file)); }) == 6)
            continue;
        ++opened;
        const Bytes all = ReadAll(source, 4096);
        EXPECT_LE(all.size(), 5 * 22050u * 2 + 4096);
    }
    EXPECT_EQ(opened, 2);
}

} // namespace
} // namespace engine_sound_test
