#include <csetjmp>
#include <vector>

#include <png.h>

#include "framework/imagelib/image_codecs.h"

namespace Kavo::ImageLib {

namespace {

void ReadFromSource(png_structp png, png_bytep data, size_t length) {
    auto* source = static_cast<ByteSource*>(png_get_io_ptr(png));
    if (source->Read(data, length) != length)
        png_error(png, "Read Error");
}

// libpng reports through these; failure reaches the caller as a null image
// or false.
void IgnoreMessage(png_structp, png_const_charp) {}
void Fail(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

// Everything that outlives a libpng error lives here, outside the function
// that holds the jump point, so a jump back leaves it in a known state.
struct PngReadJob {
    ByteSource* mSource = nullptr;
    png_structp mPng = nullptr;
    png_infop mInfo = nullptr;
    std::unique_ptr<Image> mImage;
    std::vector<png_bytep> mRows;

    ~PngReadJob() { png_destroy_read_struct(&mPng, mInfo ? &mInfo : nullptr, nullptr); }
};

bool RunRead(PngReadJob& job) {
    if (setjmp(png_jmpbuf(job.mPng)))
        return false;

    png_set_read_fn(job.mPng, job.mSource, ReadFromSource);
    png_set_user_limits(job.mPng, kMaxImageSide, kMaxImageSide);
    png_read_info(job.mPng, job.mInfo);

    const png_uint_32 width = png_get_image_width(job.mPng, job.mInfo);
    const png_uint_32 height = png_get_image_height(job.mPng, job.mInfo);
    if (!IsAcceptableSize(width, height))
        return false;

    png_set_expand(job.mPng);
    png_set_strip_16(job.mPng);
    png_set_gray_to_rgb(job.mPng);
    png_set_filler(job.mPng, 0xFF, PNG_FILLER_AFTER);
    png_set_bgr(job.mPng);
    png_set_interlace_handling(job.mPng);
    png_read_update_info(job.mPng, job.mInfo);
    if (png_get_rowbytes(job.mPng, job.mInfo) != size_t(width) * 4)
        return false;

    job.mImage = std::make_unique<Image>(int32_t(width), int32_t(height));
    job.mRows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        job.mRows[y] = reinterpret_cast<png_bytep>(job.mImage->GetBits() + size_t(y) * width);
    png_read_image(job.mPng, job.mRows.data());
    png_read_end(job.mPng, nullptr);
    return true;
}

struct PngWriteJob {
    std::FILE* mFile = nullptr;
    const Image* mImage = nullptr;
    png_structp mPng = nullptr;
    png_infop mInfo = nullptr;

    ~PngWriteJob() { png_destroy_write_struct(&mPng, mInfo ? &mInfo : nullptr); }
};

bool RunWrite(PngWriteJob& job) {
    if (setjmp(png_jmpbuf(job.mPng)))
        return false;

    const Image& image = *job.mImage;
    png_init_io(job.mPng, job.mFile);
    png_color_8 significant{};
    significant.red = significant.green = significant.blue = significant.alpha = 8;
    png_set_sBIT(job.mPng, job.mInfo, &significant);
    png_set_IHDR(job.mPng, job.mInfo, png_uint_32(image.mWidth), png_uint_32(image.mHeight), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(job.mPng, job.mInfo);
    png_set_bgr(job.mPng);
    for (int32_t y = 0; y < image.mHeight; ++y) {
        const uint32_t* row = image.GetBits() + size_t(y) * size_t(image.mWidth);
        png_write_row(job.mPng, reinterpret_cast<png_const_bytep>(row));
    }
    png_write_end(job.mPng, nullptr);
    return true;
}

} // namespace

std::unique_ptr<Image> DecodePng(ByteSource& source) {
    PngReadJob job;
    job.mSource = &source;
    job.mPng = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, IgnoreMessage);
    if (!job.mPng)
        return nullptr;
    job.mInfo = png_create_info_struct(job.mPng);
    if (!job.mInfo || !RunRead(job))
        return nullptr;
    return std::move(job.mImage);
}

bool WritePngFile(std::FILE* file, const Image& image) {
    PngWriteJob job;
    job.mFile = file;
    job.mImage = &image;
    job.mPng = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, IgnoreMessage);
    if (!job.mPng)
        return false;
    job.mInfo = png_create_info_struct(job.mPng);
    return job.mInfo && RunWrite(job);
}

} // namespace Kavo::ImageLib
