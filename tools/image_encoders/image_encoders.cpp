#include "tools/image_encoders/image_encoders.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <map>

#include <jpeglib.h>
#include <openjpeg.h>
#include <png.h>

namespace Kavo::ImageEncoders {

// ---- PNG -------------------------------------------------------------------

namespace {

struct PngOut {
    png_structp mPng = nullptr;
    png_infop mInfo = nullptr;
    Bytes mBytes;
    ~PngOut() { png_destroy_write_struct(&mPng, &mInfo); }
};

void AppendPng(png_structp png, png_bytep data, size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void FlushNothing(png_structp) {}

bool RunPngWrite(PngOut& out, const PngRecipe& recipe) {
    if (setjmp(png_jmpbuf(out.mPng)))
        return false;
    png_set_write_fn(out.mPng, &out.mBytes, AppendPng, FlushNothing);
    png_set_IHDR(out.mPng, out.mInfo, png_uint_32(recipe.mWidth), png_uint_32(recipe.mHeight), recipe.mBitDepth,
                 recipe.mColorType, recipe.mInterlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    for (uint32_t c : recipe.mPalette)
        palette.push_back({png_byte(c >> 16), png_byte(c >> 8), png_byte(c)});
    if (!palette.empty())
        png_set_PLTE(out.mPng, out.mInfo, palette.data(), int(palette.size()));
    if (!recipe.mPaletteAlpha.empty())
        png_set_tRNS(out.mPng, out.mInfo, recipe.mPaletteAlpha.data(), int(recipe.mPaletteAlpha.size()), nullptr);
    png_write_info(out.mPng, out.mInfo);
    const size_t rowBytes = recipe.mSamples.size() / size_t(recipe.mHeight);
    std::vector<png_bytep> rows;
    for (int y = 0; y < recipe.mHeight; ++y)
        rows.push_back(const_cast<png_bytep>(recipe.mSamples.data() + size_t(y) * rowBytes));
    png_write_image(out.mPng, rows.data());
    png_write_end(out.mPng, nullptr);
    return true;
}

} // namespace

Bytes EncodePng(const PngRecipe& recipe) {
    PngOut out;
    out.mPng = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    out.mInfo = png_create_info_struct(out.mPng);
    if (!RunPngWrite(out, recipe))
        return {};
    return out.mBytes;
}

Bytes EncodePngArgb(int width, int height, const std::vector<uint32_t>& pixels) {
    PngRecipe recipe;
    recipe.mWidth = width;
    recipe.mHeight = height;
    for (uint32_t p : pixels)
        recipe.mSamples.insert(recipe.mSamples.end(),
                               {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), uint8_t(p >> 24)});
    return EncodePng(recipe);
}

// ---- JPEG ------------------------------------------------------------------

Bytes EncodeJpeg(int width, int height, int components, const Bytes& samples, int quality) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = components;
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 3 ? JCS_RGB : JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(samples.data() + size_t(info.next_scanline) * size_t(width) * size_t(components));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

// ---- JPEG 2000 ---------------------------------------------------------------

namespace {

struct GrowingBuffer {
    Bytes mBytes;
    size_t mPos = 0;
};

OPJ_SIZE_T WriteJ2k(void* data, OPJ_SIZE_T count, void* user) {
    auto* buffer = static_cast<GrowingBuffer*>(user);
    if (buffer->mPos + count > buffer->mBytes.size())
        buffer->mBytes.resize(buffer->mPos + count);
    std::copy_n(static_cast<uint8_t*>(data), count, buffer->mBytes.begin() + std::ptrdiff_t(buffer->mPos));
    buffer->mPos += count;
    return count;
}

OPJ_OFF_T SkipJ2k(OPJ_OFF_T count, void* user) {
    auto* buffer = static_cast<GrowingBuffer*>(user);
    buffer->mPos = size_t(OPJ_OFF_T(buffer->mPos) + count);
    if (buffer->mPos > buffer->mBytes.size())
        buffer->mBytes.resize(buffer->mPos);
    return count;
}

OPJ_BOOL SeekJ2k(OPJ_OFF_T position, void* user) {
    auto* buffer = static_cast<GrowingBuffer*>(user);
    buffer->mPos = size_t(position);
    if (buffer->mPos > buffer->mBytes.size())
        buffer->mBytes.resize(buffer->mPos);
    return OPJ_TRUE;
}

} // namespace

Bytes EncodeJpeg2000(int width, int height, int components, const Bytes& samples, bool boxed) {
    std::vector<opj_image_cmptparm_t> parms(static_cast<size_t>(components));
    for (auto& p : parms) {
        p = {};
        p.dx = p.dy = 1;
        p.w = OPJ_UINT32(width);
        p.h = OPJ_UINT32(height);
        p.prec = 8;
        p.sgnd = 0;
    }
    opj_image_t* image =
        opj_image_create(OPJ_UINT32(components), parms.data(), components == 1 ? OPJ_CLRSPC_GRAY : OPJ_CLRSPC_SRGB);
    image->x0 = image->y0 = 0;
    image->x1 = OPJ_UINT32(width);
    image->y1 = OPJ_UINT32(height);
    for (int c = 0; c < components; ++c)
        for (int i = 0; i < width * height; ++i)
            image->comps[c].data[i] = samples[size_t(i) * size_t(components) + size_t(c)];

    opj_cparameters_t parameters;
    opj_set_default_encoder_parameters(&parameters);
    parameters.tcp_numlayers = 1;
    parameters.tcp_rates[0] = 0;
    parameters.cp_disto_alloc = 1;
    parameters.numresolution = 2;
    opj_codec_t* codec = opj_create_compress(boxed ? OPJ_CODEC_JP2 : OPJ_CODEC_J2K);
    GrowingBuffer buffer;
    opj_stream_t* stream = opj_stream_create(4096, OPJ_FALSE);
    opj_stream_set_user_data(stream, &buffer, nullptr);
    opj_stream_set_write_function(stream, WriteJ2k);
    opj_stream_set_skip_function(stream, SkipJ2k);
    opj_stream_set_seek_function(stream, SeekJ2k);
    bool ok = opj_setup_encoder(codec, &parameters, image) && opj_start_compress(codec, image, stream) &&
              opj_encode(codec, stream) && opj_end_compress(codec, stream);
    opj_stream_destroy(stream);
    opj_destroy_codec(codec);
    opj_image_destroy(image);
    if (!ok)
        return {};
    return buffer.mBytes;
}

// ---- TGA -------------------------------------------------------------------

Bytes MakeTga(int width, int height, const std::vector<uint32_t>& pixels, int bitsPerPixel, int descriptor,
              int imageType, int idLength) {
    Bytes out = {uint8_t(idLength),
                 0,
                 uint8_t(imageType),
                 0,
                 0,
                 0,
                 0,
                 0,
                 0,
                 0,
                 0,
                 0,
                 uint8_t(width),
                 uint8_t(width >> 8),
                 uint8_t(height),
                 uint8_t(height >> 8),
                 uint8_t(bitsPerPixel),
                 uint8_t(descriptor)};
    for (int i = 0; i < idLength; ++i)
        out.push_back(uint8_t(0xEE));
    for (uint32_t p : pixels)
        out.insert(out.end(), {uint8_t(p), uint8_t(p >> 8), uint8_t(p >> 16), uint8_t(p >> 24)});
    return out;
}

// ---- GIF -------------------------------------------------------------------

namespace {

class BitWriter {
public:
    void Put(int code, int size) {
        mBits |= uint64_t(code) << mCount;
        mCount += size;
        while (mCount >= 8) {
            mBytes.push_back(uint8_t(mBits));
            mBits >>= 8;
            mCount -= 8;
        }
    }
    Bytes Finish() {
        if (mCount > 0)
            mBytes.push_back(uint8_t(mBits));
        Bytes blocks;
        for (size_t i = 0; i < mBytes.size(); i += 255) {
            size_t n = std::min<size_t>(255, mBytes.size() - i);
            blocks.push_back(uint8_t(n));
            blocks.insert(blocks.end(), mBytes.begin() + std::ptrdiff_t(i), mBytes.begin() + std::ptrdiff_t(i + n));
        }
        blocks.push_back(0);
        return blocks;
    }

private:
    Bytes mBytes;
    uint64_t mBits = 0;
    int mCount = 0;
};

int TableSizeBits(size_t entries) {
    int bits = 0;
    while ((size_t(2) << bits) < entries)
        ++bits;
    return bits;
}

void AppendTable(Bytes& out, const std::vector<uint32_t>& table) {
    for (uint32_t c : table)
        out.insert(out.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
}

} // namespace

Bytes LzwEncode(int minCodeSize, const std::vector<int>& indices) {
    const int clear = 1 << minCodeSize;
    const int end = clear + 1;
    int size = minCodeSize + 1;
    int next = clear + 2;
    std::map<std::pair<int, int>, int> table;
    BitWriter writer;
    writer.Put(clear, size);
    if (!indices.empty()) {
        int current = indices[0];
        for (size_t i = 1; i < indices.size(); ++i) {
            auto found = table.find({current, indices[i]});
            if (found != table.end()) {
                current = found->second;
                continue;
            }
            writer.Put(current, size);
            table[{current, indices[i]}] = next++;
            if (next > (1 << size) && size < 12)
                ++size;
            if (next == 4096) {
                writer.Put(clear, size);
                table.clear();
                size = minCodeSize + 1;
                next = clear + 2;
            }
            current = indices[i];
        }
        writer.Put(current, size);
        if (++next > (1 << size) && size < 12)
            ++size;
    }
    writer.Put(end, size);
    return writer.Finish();
}

Bytes MakeGif(const GifRecipe& recipe) {
    Bytes out = {'G', 'I', 'F', '8', '9', 'a'};
    uint8_t screenFlags = recipe.mGlobalTable.empty() ? 0 : uint8_t(0x80 | TableSizeBits(recipe.mGlobalTable.size()));
    out.insert(out.end(), {uint8_t(recipe.mWidth), uint8_t(recipe.mWidth >> 8), uint8_t(recipe.mHeight),
                           uint8_t(recipe.mHeight >> 8), screenFlags, 0, 0});
    AppendTable(out, recipe.mGlobalTable);
    // A comment and an application block before the picture must be skipped.
    out.insert(out.end(), {0x21, 0xFE, 3, 'h', 'e', 'y', 0});
    if (!recipe.mGraphicControl.empty()) {
        out.insert(out.end(), {0x21, 0xF9, uint8_t(recipe.mGraphicControl.size())});
        out.insert(out.end(), recipe.mGraphicControl.begin(), recipe.mGraphicControl.end());
        out.push_back(0);
    }
    uint8_t imageFlags = recipe.mLocalTable.empty() ? 0 : uint8_t(0x80 | TableSizeBits(recipe.mLocalTable.size()));
    if (recipe.mInterlaced)
        imageFlags |= 0x40;
    out.insert(out.end(), {0x2C, 0, 0, 0, 0, uint8_t(recipe.mWidth), uint8_t(recipe.mWidth >> 8),
                           uint8_t(recipe.mHeight), uint8_t(recipe.mHeight >> 8), imageFlags});
    AppendTable(out, recipe.mLocalTable);
    out.push_back(uint8_t(recipe.mMinCodeSize));
    Bytes data = LzwEncode(recipe.mMinCodeSize, recipe.mIndices);
    out.insert(out.end(), data.begin(), data.end());
    out.push_back(0x3B);
    return out;
}

} // namespace Kavo::ImageEncoders
