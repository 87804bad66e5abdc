#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/sound/au_file.h"
#include "framework/sound/wave_file.h"
#include "tools/sample_content/sound_writers.h"

namespace {

using Kavo::PcmSound;
using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void Put16(Bytes& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Chunk(Bytes& out, const char* tag, const Bytes& body, std::uint32_t size) {
    out.insert(out.end(), tag, tag + 4);
    Put32(out, size);
    out.insert(out.end(), body.begin(), body.end());
}
void Chunk(Bytes& out, const char* tag, const Bytes& body) {
    Chunk(out, tag, body, static_cast<std::uint32_t>(body.size()));
}
Bytes Fmt(int tag, int channels, std::uint32_t rate, int bits) {
    Bytes body;
    Put16(body, tag);
    Put16(body, channels);
    Put32(body, rate);
    Put32(body, rate * channels * bits / 8);
    Put16(body, channels * bits / 8);
    Put16(body, bits);
    return body;
}
Bytes Riff(const Bytes& chunks, const char* riff = "RIFF", const char* wave = "WAVE") {
    Bytes out(riff, riff + 4);
    Put32(out, static_cast<std::uint32_t>(chunks.size() + 4));
    out.insert(out.end(), wave, wave + 4);
    out.insert(out.end(), chunks.begin(), chunks.end());
    return out;
}

struct WaveCase {
    const char* what;
    Bytes file;
    bool ok;
    int channels, rate, bits;
    Bytes data;
};

TEST(WaveReader, ParsesFormatsAndRefusesWhatCannotPlay) {
    const Bytes pcm = {1, 2, 3, 4};
    auto with = [&](const Bytes& first, const Bytes& second = {}) {
        Bytes chunks = first;
        chunks.insert(chunks.end(), second.begin(), second.end());
        return Riff(chunks);
    };
    auto chunk = [](const char* tag, const Bytes& body) {
        Bytes out;
        Chunk(out, tag, body);
        return out;
    };
    // An odd-sized chunk is followed at once by the next (no pad byte).
    Bytes odd = chunk("junk", {9, 9, 9});
    // A data chunk that claims more than the file holds.
    Bytes longData;
    Chunk(longData, "data", pcm, 1000);
    const std::vector<WaveCase> cases = {
        {"stereo 8-bit", with(chunk("fmt ", Fmt(1, 2, 11025, 8)), chunk("data", pcm)), true, 2, 11025, 8, pcm},
        {"defaults before fmt", with(chunk("data", pcm)), true, 1, 22050, 16, pcm},
        {"unpadded odd chunk", with(odd, chunk("data", pcm)), true, 1, 22050, 16, pcm},
        {"size clamped", with(chunk("fmt ", Fmt(1, 1, 8000, 16)), longData), true, 1, 8000, 16, pcm},
        {"xor chunk", with(chunk("xor ", {0xFF}), chunk("data", pcm)), true, 1, 22050, 16, {0xFE, 0xFD, 0xFC, 0xFB}},
        {"float format", with(chunk("fmt ", Fmt(3, 1, 8000, 32)), chunk("data", pcm)), false, 0, 0, 0, {}},
        {"three channels", with(chunk("fmt ", Fmt(1, 3, 8000, 16)), chunk("data", pcm)), false, 0, 0, 0, {}},
        {"24 bits", with(chunk("fmt ", Fmt(1, 1, 8000, 24)), chunk("data", pcm)), false, 0, 0, 0, {}},
        {"rate 0", with(chunk("fmt ", Fmt(1, 1, 0, 16)), chunk("data", pcm)), false, 0, 0, 0, {}},
        {"short fmt", with(chunk("fmt ", {1, 0, 1})), false, 0, 0, 0, {}},
        {"no data", with(chunk("fmt ", Fmt(1, 1, 8000, 16))), false, 0, 0, 0, {}},
        {"RIFX", Riff(chunk("data", pcm), "RIFX"), false, 0, 0, 0, {}},
        {"not WAVE", Riff(chunk("data", pcm), "RIFF", "AVI "), false, 0, 0, 0, {}},
        {"empty", {}, false, 0, 0, 0, {}},
    };
    for (const WaveCase& c : cases) {
        SCOPED_TRACE(c.what);
        PcmSound sound;
        std::string error;
        ASSERT_EQ(Kavo::ParseWave(c.file, sound, error), c.ok);
        if (!c.ok) {
            EXPECT_FALSE(error.empty());
            continue;
        }
        EXPECT_EQ(sound.format.channels, c.channels);
        EXPECT_EQ(sound.format.samplesPerSec, std::uint32_t(c.rate));
        EXPECT_EQ(sound.format.bitsPerSample, c.bits);
        EXPECT_EQ(sound.format.blockAlign, c.channels * c.bits / 8);
        EXPECT_EQ(sound.data, c.data);
    }
}

TEST(WaveReader, CacheFileCarriesSourceTimeAndXor) {
    PcmSound sound;
    sound.format = platform::MakePcmFormat(1, 8000, 16);
    sound.data = {0x10, 0x20, 0x30, 0x40};
    const std::string file = Kavo::MakeWaveBytes(sound, "a.au", 0x0102030405060708ULL);
    const Bytes bytes(file.begin(), file.end());
    EXPECT_EQ(file.substr(36, 4), "dep ");
    EXPECT_EQ(bytes[4], 36 + 4); // data + 36: the extra chunks are not counted
    const std::size_t xorAt = file.find("xor ");
    ASSERT_NE(xorAt, std::string::npos);
    EXPECT_EQ(bytes[xorAt + 8], Kavo::kCachedWaveXor);
    EXPECT_EQ(bytes[bytes.size() - 4], 0x10 ^ 0x6B);

    PcmSound read;
    std::string error;
    std::string askedFor;
    auto sameTime = [&](const std::string& name) {
        askedFor = name;
        return platform::FileTime{0x0102030405060708ULL};
    };
    ASSERT_TRUE(Kavo::ParseWave(bytes, read, error, sameTime));
    EXPECT_EQ(askedFor, "a.au");
    EXPECT_EQ(read.data, sound.data);
    EXPECT_FALSE(Kavo::ParseWave(bytes, read, error, [](const std::string&) { return platform::FileTime{1}; }));
    EXPECT_EQ(error, "source file changed");
}

TEST(AuReader, MuLawExpansionFollowsTheTable) {
    const std::vector<std::pair<std::uint8_t, int>> cases = {
        {0xFF, 0}, {0xF0, 120}, {0x70, -120}, {0x80, 1020}, {0x00, -1020}, {0xE0, 368}, {0x81, 30592}, {0xA0, 7808},
    };
    for (auto [byte, sample] : cases)
        EXPECT_EQ(Kavo::MuLawSample(byte), sample) << int(byte);
}

TEST(AuReader, DecodesBothEncodingsAndRefusesOthers) {
    namespace snd = Kavo::SoundWriters;
    PcmSound sound;
    std::string error;
    ASSERT_TRUE(Kavo::ParseAu(snd::MakeAu(1, 8000, 1, {0xF0, 0x70}, 8), sound, error));
    EXPECT_EQ(sound.format.bitsPerSample, 16);
    EXPECT_EQ(sound.data, (Bytes{120, 0, 0x88, 0xFF}));

    // 8-bit linear is signed in the file: 0x00 is the middle, 0x80 the bottom.
    ASSERT_TRUE(Kavo::ParseAu(snd::MakeAu(2, 8000, 2, {0x00, 0x80, 0x7F, 0xFF}), sound, error));
    EXPECT_EQ(sound.format.bitsPerSample, 8);
    EXPECT_EQ(sound.format.channels, 2);
    EXPECT_EQ(sound.data, (Bytes{0x80, 0x00, 0xFF, 0x7F}));

    // A data size past the end is clamped to the bytes there are.
    Bytes longer = snd::MakeAu(2, 8000, 1, {1, 2, 3});
    longer[8 + 3] = 0xF0;
    ASSERT_TRUE(Kavo::ParseAu(longer, sound, error));
    EXPECT_EQ(sound.data.size(), 3u);

    for (const Bytes& bad : {snd::MakeAu(3, 8000, 1, {0, 0}), snd::MakeAu(1, 8000, 3, {0}), snd::MakeAu(1, 0, 1, {0}),
                             Bytes{'.', 's', 'n', 'd', 0, 0}, Bytes{'R', 'I', 'F', 'F'}}) {
        error.clear();
        EXPECT_FALSE(Kavo::ParseAu(bad, sound, error));
        EXPECT_FALSE(error.empty());
    }
}

} // namespace
