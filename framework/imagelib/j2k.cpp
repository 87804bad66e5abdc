#include <atomic>
#include <cstring>

#include <openjpeg.h>

#include "framework/imagelib/image_codecs.h"

namespace Kavo::ImageLib {

namespace {

std::atomic<bool> gCodecAvailable{true};

constexpr size_t kStreamChunk = 4096;
constexpr uint8_t kJp2Signature[12] = {0x00, 0x00, 0x00, 0x0C, 0x6A, 0x50, 0x20, 0x20, 0x0D, 0x0A, 0x87, 0x0A};
constexpr uint8_t kCodestreamStart[4] = {0xFF, 0x4F, 0xFF, 0x51};

OPJ_SIZE_T StreamRead(void* buffer, OPJ_SIZE_T count, void* userData) {
    size_t n = static_cast<ByteSource*>(userData)->Read(buffer, count);
    return n == 0 ? OPJ_SIZE_T(-1) : n;
}

OPJ_OFF_T StreamSkip(OPJ_OFF_T count, void* userData) {
    auto* source = static_cast<ByteSource*>(userData);
    const uint64_t from = source->Tell();
    const int64_t to = int64_t(from) + count;
    if (to < 0 || uint64_t(to) > source->Size() || !source->Seek(uint64_t(to)))
        return -1;
    return count;
}

OPJ_BOOL StreamSeek(OPJ_OFF_T position, void* userData) {
    auto* source = static_cast<ByteSource*>(userData);
    return position >= 0 && uint64_t(position) <= source->Size() && source->Seek(uint64_t(position));
}

void IgnoreMessage(const char*, void*) {}

// Owns what the codec hands out, whatever path the decode takes.
struct Decoder {
    opj_stream_t* mStream = nullptr;
    opj_codec_t* mCodec = nullptr;
    opj_image_t* mImage = nullptr;

    ~Decoder() {
        if (mImage)
            opj_image_destroy(mImage);
        if (mCodec)
            opj_destroy_codec(mCodec);
        if (mStream)
            opj_stream_destroy(mStream);
    }
};

// A component sample scaled to 8 bits.
uint32_t Sample(const opj_image_comp_t& comp, int x, int y, int width, int height) {
    const size_t cx = size_t(x) * comp.w / size_t(width);
    const size_t cy = size_t(y) * comp.h / size_t(height);
    int64_t value = comp.data[cy * comp.w + cx];
    if (comp.sgnd)
        value += int64_t(1) << (comp.prec - 1);
    if (comp.prec > 8)
        value >>= comp.prec - 8;
    else if (comp.prec < 8)
        value = value * 255 / ((int64_t(1) << comp.prec) - 1);
    return uint32_t(value < 0 ? 0 : value > 255 ? 255 : value);
}

bool UsableComponent(const opj_image_comp_t& comp) {
    return comp.data != nullptr && comp.w > 0 && comp.h > 0 && comp.prec >= 1 && comp.prec <= 31;
}

} // namespace

bool LoadJpeg2000Library() {
    // The codec is linked in; only a release can take it away.
    gCodecAvailable = true;
    return true;
}

void ReleaseJpeg2000Library() {
    gCodecAvailable = false;
}

bool IsJpeg2000Available() {
    return gCodecAvailable;
}

// Raw codestreams and the boxed file format, told apart by their first bytes.
// Every pixel comes out opaque.
std::unique_ptr<Image> DecodeJpeg2000(ByteSource& source) {
    if (!gCodecAvailable)
        return nullptr;

    uint8_t head[12] = {};
    const size_t headLength = source.Read(head, sizeof(head));
    if (!source.Seek(0))
        return nullptr;
    OPJ_CODEC_FORMAT format;
    if (headLength == sizeof(kJp2Signature) && std::memcmp(head, kJp2Signature, sizeof(kJp2Signature)) == 0)
        format = OPJ_CODEC_JP2;
    else if (headLength >= sizeof(kCodestreamStart) &&
             std::memcmp(head, kCodestreamStart, sizeof(kCodestreamStart)) == 0)
        format = OPJ_CODEC_J2K;
    else
        return nullptr;

    Decoder decoder;
    decoder.mStream = opj_stream_create(kStreamChunk, OPJ_TRUE);
    decoder.mCodec = opj_create_decompress(format);
    if (!decoder.mStream || !decoder.mCodec)
        return nullptr;
    opj_stream_set_user_data(decoder.mStream, &source, nullptr);
    opj_stream_set_user_data_length(decoder.mStream, source.Size());
    opj_stream_set_read_function(decoder.mStream, StreamRead);
    opj_stream_set_skip_function(decoder.mStream, StreamSkip);
    opj_stream_set_seek_function(decoder.mStream, StreamSeek);
    opj_set_error_handler(decoder.mCodec, IgnoreMessage, nullptr);
    opj_set_warning_handler(decoder.mCodec, IgnoreMessage, nullptr);
    opj_set_info_handler(decoder.mCodec, IgnoreMessage, nullptr);

    opj_dparameters_t parameters;
    opj_set_default_decoder_parameters(&parameters);
    if (!opj_setup_decoder(decoder.mCodec, &parameters))
        return nullptr;
    if (!opj_read_header(decoder.mStream, decoder.mCodec, &decoder.mImage) || !decoder.mImage)
        return nullptr;
    const opj_image_t& header = *decoder.mImage;
    if (header.x1 <= header.x0 || header.y1 <= header.y0 ||
        !IsAcceptableSize(int64_t(header.x1) - header.x0, int64_t(header.y1) - header.y0))
        return nullptr;
    if (!opj_decode(decoder.mCodec, decoder.mStream, decoder.mImage) ||
        !opj_end_decompress(decoder.mCodec, decoder.mStream))
        return nullptr;

    const opj_image_t& decoded = *decoder.mImage;
    if (decoded.numcomps < 1 || !decoded.comps)
        return nullptr;
    const bool color = decoded.numcomps >= 3;
    const int usedComponents = color ? 3 : 1;
    for (int c = 0; c < usedComponents; ++c)
        if (!UsableComponent(decoded.comps[c]))
            return nullptr;

    const int width = int(decoded.comps[0].w);
    const int height = int(decoded.comps[0].h);
    if (!IsAcceptableSize(width, height))
        return nullptr;
    auto image = std::make_unique<Image>(width, height);
    uint32_t* out = image->GetBits();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint32_t r = Sample(decoded.comps[0], x, y, width, height);
            uint32_t g = color ? Sample(decoded.comps[1], x, y, width, height) : r;
            uint32_t b = color ? Sample(decoded.comps[2], x, y, width, height) : r;
            *out++ = 0xFF000000u | (r << 16) | (g << 8) | b;
        }
    }
    return image;
}

} // namespace Kavo::ImageLib
