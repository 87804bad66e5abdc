#include "tools/sound_encoders/sound_encoders.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>

namespace Kavo::SoundEncoders {
namespace {

void Put16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(Bytes& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void Append(Bytes& out, const unsigned char* data, long size) {
    out.insert(out.end(), data, data + size);
}

} // namespace

std::vector<std::int16_t> Tone(int channels, int rate, double seconds, double hz, double amplitude) {
    const auto frames = static_cast<std::size_t>(seconds * rate);
    std::vector<std::int16_t> samples;
    samples.reserve(frames * static_cast<std::size_t>(channels));
    for (std::size_t i = 0; i < frames; ++i) {
        const double value = std::sin(2.0 * M_PI * hz * static_cast<double>(i) / rate) * amplitude * 32767.0;
        for (int c = 0; c < channels; ++c)
            samples.push_back(static_cast<std::int16_t>(value));
    }
    return samples;
}

Bytes PcmBytes(const std::vector<std::int16_t>& samples) {
    Bytes out;
    out.reserve(samples.size() * 2);
    for (std::int16_t sample : samples)
        Put16(out, static_cast<std::uint16_t>(sample));
    return out;
}

Bytes Chunk(const std::string& tag, const Bytes& body) {
    Bytes out(tag.begin(), tag.end());
    Put32(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2 != 0)
        out.push_back(0);
    return out;
}

Bytes Riff(const std::vector<Bytes>& chunks) {
    Bytes body{'W', 'A', 'V', 'E'};
    for (const Bytes& chunk : chunks)
        body.insert(body.end(), chunk.begin(), chunk.end());
    Bytes out{'R', 'I', 'F', 'F'};
    Put32(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes FormatBody(int channels, int rate, int bits) {
    Bytes body;
    const int block = channels * bits / 8;
    Put16(body, 1);
    Put16(body, static_cast<std::uint32_t>(channels));
    Put32(body, static_cast<std::uint32_t>(rate));
    Put32(body, static_cast<std::uint32_t>(rate * block));
    Put16(body, static_cast<std::uint32_t>(block));
    Put16(body, static_cast<std::uint32_t>(bits));
    return body;
}

Bytes MakeWav(int channels, int rate, int bits, const Bytes& pcm) {
    return Riff({Chunk("fmt ", FormatBody(channels, rate, bits)), Chunk("data", pcm)});
}

Bytes EncodeOgg(int channels, int rate, const std::vector<std::int16_t>& samples, float quality) {
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, rate, quality) != 0) {
        vorbis_info_clear(&info);
        return {};
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1); // a fixed serial keeps the output repeatable

    Bytes out;
    ogg_page page;
    ogg_packet header;
    ogg_packet headerComment;
    ogg_packet headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    while (ogg_stream_flush(&stream, &page) != 0) {
        Append(out, page.header, page.header_len);
        Append(out, page.body, page.body_len);
    }

    const std::size_t frames = samples.size() / static_cast<std::size_t>(channels);
    constexpr std::size_t kChunk = 1024;
    bool ended = false;
    for (std::size_t done = 0; !ended;) {
        const std::size_t count = std::min(kChunk, frames - done);
        if (count == 0) {
            vorbis_analysis_wrote(&dsp, 0);
        } else {
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
            for (std::size_t i = 0; i < count; ++i)
                for (int c = 0; c < channels; ++c)
                    buffer[c][i] =
                        samples[(done + i) * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)] /
                        32768.0f;
            vorbis_analysis_wrote(&dsp, static_cast<int>(count));
            done += count;
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0) {
                    Append(out, page.header, page.header_len);
                    Append(out, page.body, page.body_len);
                    if (ogg_page_eos(&page))
                        ended = true;
                }
            }
        }
        if (count == 0)
            ended = true;
    }
    while (ogg_stream_flush(&stream, &page) != 0) {
        Append(out, page.header, page.header_len);
        Append(out, page.body, page.body_len);
    }

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

} // namespace Kavo::SoundEncoders
