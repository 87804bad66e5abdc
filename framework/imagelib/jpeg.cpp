#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

#include "framework/imagelib/image_codecs.h"

namespace Kavo::ImageLib {

namespace {

constexpr size_t kInputBufferSize = 4096;
constexpr int kSaveQuality = 80;

struct ErrorManager {
    jpeg_error_mgr mPublic;
    std::jmp_buf mJump;
};

void ErrorExit(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    std::longjmp(errors->mJump, 1);
}

void IgnoreMessage(j_common_ptr) {}

void UseErrorManager(ErrorManager& errors, jpeg_common_struct& info) {
    info.err = jpeg_std_error(&errors.mPublic);
    errors.mPublic.error_exit = ErrorExit;
    errors.mPublic.output_message = IgnoreMessage;
}

struct SourceManager {
    jpeg_source_mgr mPublic;
    ByteSource* mSource;
    bool mStartOfFile;
    JOCTET mBuffer[kInputBufferSize];
};

void InitSource(j_decompress_ptr info) {
    reinterpret_cast<SourceManager*>(info->src)->mStartOfFile = true;
}

boolean FillInputBuffer(j_decompress_ptr info) {
    auto* src = reinterpret_cast<SourceManager*>(info->src);
    size_t count = src->mSource->Read(src->mBuffer, kInputBufferSize);
    if (count == 0) {
        if (src->mStartOfFile)
            ERREXIT(info, JERR_INPUT_EMPTY);
        // Let the decoder finish what it has as if the picture ended here.
        WARNMS(info, JWRN_JPEG_EOF);
        src->mBuffer[0] = 0xFF;
        src->mBuffer[1] = JPEG_EOI;
        count = 2;
    }
    src->mPublic.next_input_byte = src->mBuffer;
    src->mPublic.bytes_in_buffer = count;
    src->mStartOfFile = false;
    return TRUE;
}

void SkipInputData(j_decompress_ptr info, long count) {
    auto* src = &reinterpret_cast<SourceManager*>(info->src)->mPublic;
    if (count <= 0)
        return;
    while (count > long(src->bytes_in_buffer)) {
        count -= long(src->bytes_in_buffer);
        FillInputBuffer(info);
    }
    src->next_input_byte += count;
    src->bytes_in_buffer -= size_t(count);
}

void TermSource(j_decompress_ptr) {}

uint8_t ClampByte(int value) {
    return uint8_t(value < 0 ? 0 : value > 255 ? 255 : value);
}

// One scanline of 1, 3 or 4 components to 0xFFRRGGBB pixels. Four-component
// files are CMYK; those with an Adobe marker store the inks inverted.
void ConvertRow(const JSAMPLE* in, int components, bool invertedInks, uint32_t* out, int width) {
    for (int x = 0; x < width; ++x) {
        uint32_t r, g, b;
        if (components == 1) {
            r = g = b = in[x];
        } else if (components == 3) {
            r = in[x * 3];
            g = in[x * 3 + 1];
            b = in[x * 3 + 2];
        } else {
            int c = in[x * 4], m = in[x * 4 + 1], y = in[x * 4 + 2], k = in[x * 4 + 3];
            if (!invertedInks) {
                c = 255 - c;
                m = 255 - m;
                y = 255 - y;
                k = 255 - k;
            }
            r = ClampByte(c * k / 255);
            g = ClampByte(m * k / 255);
            b = ClampByte(y * k / 255);
        }
        out[x] = 0xFF000000u | (r << 16) | (g << 8) | b;
    }
}

struct JpegReadJob {
    ByteSource* mSource = nullptr;
    jpeg_decompress_struct mInfo{};
    ErrorManager mErrors{};
    SourceManager mSourceManager{};
    bool mCreated = false;
    std::unique_ptr<Image> mImage;
    std::vector<JSAMPLE> mRow;

    ~JpegReadJob() {
        if (mCreated)
            jpeg_destroy_decompress(&mInfo);
    }
};

bool RunRead(JpegReadJob& job) {
    jpeg_decompress_struct& info = job.mInfo;
    UseErrorManager(job.mErrors, *reinterpret_cast<jpeg_common_struct*>(&info));
    if (setjmp(job.mErrors.mJump))
        return false;

    jpeg_create_decompress(&info);
    job.mCreated = true;
    SourceManager& src = job.mSourceManager;
    src.mSource = job.mSource;
    src.mPublic.init_source = InitSource;
    src.mPublic.fill_input_buffer = FillInputBuffer;
    src.mPublic.skip_input_data = SkipInputData;
    src.mPublic.resync_to_restart = jpeg_resync_to_restart;
    src.mPublic.term_source = TermSource;
    src.mPublic.bytes_in_buffer = 0;
    src.mPublic.next_input_byte = nullptr;
    info.src = &src.mPublic;

    jpeg_read_header(&info, TRUE);
    if (!IsAcceptableSize(info.image_width, info.image_height))
        return false;
    switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_YCbCr:
    case JCS_RGB:
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        info.out_color_space = JCS_CMYK;
        break;
    default:
        return false;
    }
    jpeg_start_decompress(&info);
    const int components = info.output_components;
    if (components != 1 && components != 3 && components != 4)
        return false;

    const int width = int(info.output_width);
    job.mImage = std::make_unique<Image>(width, int(info.output_height));
    job.mRow.resize(size_t(width) * size_t(components));
    while (info.output_scanline < info.output_height) {
        const int y = int(info.output_scanline);
        JSAMPROW row = job.mRow.data();
        if (jpeg_read_scanlines(&info, &row, 1) != 1)
            return false;
        ConvertRow(job.mRow.data(), components, info.saw_Adobe_marker != 0,
                   job.mImage->GetBits() + size_t(y) * size_t(width), width);
    }
    jpeg_finish_decompress(&info);
    return true;
}

struct JpegWriteJob {
    std::FILE* mFile = nullptr;
    const Image* mImage = nullptr;
    jpeg_compress_struct mInfo{};
    ErrorManager mErrors{};
    bool mCreated = false;
    std::vector<JSAMPLE> mRow;

    ~JpegWriteJob() {
        if (mCreated)
            jpeg_destroy_compress(&mInfo);
    }
};

bool RunWrite(JpegWriteJob& job) {
    jpeg_compress_struct& info = job.mInfo;
    UseErrorManager(job.mErrors, *reinterpret_cast<jpeg_common_struct*>(&info));
    if (setjmp(job.mErrors.mJump))
        return false;

    jpeg_create_compress(&info);
    job.mCreated = true;
    jpeg_stdio_dest(&info, job.mFile);
    const Image& image = *job.mImage;
    info.image_width = JDIMENSION(image.mWidth);
    info.image_height = JDIMENSION(image.mHeight);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, kSaveQuality, TRUE);
    jpeg_start_compress(&info, TRUE);

    job.mRow.resize(size_t(image.mWidth) * 3);
    while (info.next_scanline < info.image_height) {
        const uint32_t* in = image.GetBits() + size_t(info.next_scanline) * size_t(image.mWidth);
        for (int32_t x = 0; x < image.mWidth; ++x) {
            job.mRow[size_t(x) * 3] = JSAMPLE(in[x] >> 16);
            job.mRow[size_t(x) * 3 + 1] = JSAMPLE(in[x] >> 8);
            job.mRow[size_t(x) * 3 + 2] = JSAMPLE(in[x]);
        }
        JSAMPROW row = job.mRow.data();
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

} // namespace

std::unique_ptr<Image> DecodeJpeg(ByteSource& source) {
    JpegReadJob job;
    job.mSource = &source;
    if (!RunRead(job))
        return nullptr;
    return std::move(job.mImage);
}

bool WriteJpegFile(std::FILE* file, const Image& image) {
    JpegWriteJob job;
    job.mFile = file;
    job.mImage = &image;
    return RunWrite(job);
}

} // namespace Kavo::ImageLib
