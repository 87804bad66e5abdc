#include "tools/sample_content/sound_writers.h"

#include <cmath>
#include <cstdlib>

#include <vorbis/vorbisenc.h>

#include "framework/sound/au_file.h"

namespace Kavo::SoundWriters {

namespace {

void PutBigEndian32(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutBigEndian16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

void AppendPage(Bytes& out, const ogg_page& page) {
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

} // namespace

std::vector<std::int16_t> Tone(int rate, int channels, int frames, double hz, double amplitude) {
    std::vector<std::int16_t> samples;
    samples.reserve(static_cast<std::size_t>(frames) * channels);
    for (int i = 0; i < frames; ++i) {
        const auto value = static_cast<std::int16_t>(amplitude * 32767 * std::sin(2 * M_PI * hz * i / rate));
        for (int c = 0; c < channels; ++c)
            samples.push_back(value);
    }
    return samples;
}

Bytes LittleEndian(const std::vector<std::int16_t>& samples) {
    Bytes out;
    out.reserve(samples.size() * 2);
    for (std::int16_t sample : samples) {
        out.push_back(static_cast<std::uint8_t>(sample & 0xFF));
        out.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(sample) >> 8));
    }
    return out;
}

Bytes EncodeMuLaw(const std::vector<std::int16_t>& samples) {
    Bytes out;
    out.reserve(samples.size());
    for (std::int16_t sample : samples) {
        int best = 0;
        for (int byte = 1; byte < 256; ++byte)
            if (std::abs(MuLawSample(static_cast<std::uint8_t>(byte)) - sample) <
                std::abs(MuLawSample(static_cast<std::uint8_t>(best)) - sample))
                best = byte;
        out.push_back(static_cast<std::uint8_t>(best));
    }
    return out;
}

Bytes MakeAu(std::uint32_t encoding, std::uint32_t rate, std::uint32_t channels, const Bytes& data, std::uint32_t gap) {
    Bytes out = {'.', 's', 'n', 'd'};
    PutBigEndian32(out, 24 + gap);
    PutBigEndian32(out, static_cast<std::uint32_t>(data.size()));
    PutBigEndian32(out, encoding);
    PutBigEndian32(out, rate);
    PutBigEndian32(out, channels);
    out.resize(out.size() + gap, 0);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

Bytes EncodeOgg(int rate, int channels, const std::vector<std::int16_t>& samples) {
    Bytes out;
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, rate, 0.3f) != 0) {
        vorbis_info_clear(&info);
        return out;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    // A fixed serial number: the same input gives the same bytes.
    ogg_stream_init(&stream, 0x4B41564F);

    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codeHeader);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page) != 0)
        AppendPage(out, page);

    const std::size_t frames = samples.size() / channels;
    const std::size_t chunk = 1024;
    std::size_t at = 0;
    bool ended = false;
    while (!ended) {
        const std::size_t count = frames - at < chunk ? frames - at : chunk;
        if (count == 0) {
            vorbis_analysis_wrote(&dsp, 0); // the end of the stream
            ended = true;
        } else {
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
            for (std::size_t i = 0; i < count; ++i)
                for (int c = 0; c < channels; ++c)
                    buffer[c][i] = samples[(at + i) * channels + c] / 32768.0f;
            vorbis_analysis_wrote(&dsp, static_cast<int>(count));
            at += count;
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0)
                    AppendPage(out, page);
            }
        }
    }
    while (ogg_stream_flush(&stream, &page) != 0)
        AppendPage(out, page);
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

Bytes MakeModule(const std::vector<std::vector<ModuleNote>>& patterns, const std::vector<int>& orders) {
    constexpr int kWaveBytes = 32;
    Bytes out(20, 0); // title
    for (int sample = 0; sample < 31; ++sample) {
        out.resize(out.size() + 22, 0); // name
        const bool used = sample == 0;
        PutBigEndian16(out, used ? kWaveBytes / 2 : 0); // length in words
        out.push_back(0);                               // finetune
        out.push_back(used ? 64 : 0);                   // volume
        PutBigEndian16(out, 0);                         // loop start
        PutBigEndian16(out, used ? kWaveBytes / 2 : 1); // loop length (1: none)
    }
    out.push_back(static_cast<std::uint8_t>(orders.size()));
    out.push_back(127);
    for (int i = 0; i < 128; ++i)
        out.push_back(i < static_cast<int>(orders.size()) ? static_cast<std::uint8_t>(orders[i]) : 0);
    out.insert(out.end(), {'M', '.', 'K', '.'});
    for (const std::vector<ModuleNote>& rows : patterns) {
        for (int row = 0; row < 64; ++row) {
            ModuleNote note;
            if (row < static_cast<int>(rows.size()))
                note = rows[row];
            if (row + 1 == static_cast<int>(rows.size()) && rows.size() < 64 && note.effect == 0) {
                note.effect = 0xD; // pattern break: the pattern ends here
                note.param = 0;
            }
            const int instrument = note.period != 0 ? 1 : 0;
            for (int channel = 0; channel < 4; ++channel) {
                if (channel == 0) {
                    out.push_back(static_cast<std::uint8_t>((instrument & 0xF0) | ((note.period >> 8) & 0x0F)));
                    out.push_back(static_cast<std::uint8_t>(note.period & 0xFF));
                    out.push_back(static_cast<std::uint8_t>(((instrument & 0x0F) << 4) | (note.effect & 0x0F)));
                    out.push_back(static_cast<std::uint8_t>(note.param));
                } else {
                    out.insert(out.end(), 4, 0);
                }
            }
        }
    }
    for (int i = 0; i < kWaveBytes; ++i)
        out.push_back(static_cast<std::uint8_t>(i < kWaveBytes / 2 ? 90 : -90));
    return out;
}

Bytes MakeSampleModule() {
    const int periods[] = {428, 381, 339, 320, 285, 254, 226, 214};
    std::vector<ModuleNote> up, down;
    for (int i = 0; i < 8; ++i) {
        up.push_back({periods[i], 0, 0});
        down.push_back({periods[7 - i], 0, 0});
    }
    return MakeModule({up, down}, {0, 1});
}

} // namespace Kavo::SoundWriters
