#include "framework/imagelib/image_lib.h"

#include <bit>
#include <cstdio>
#include <string_view>

#include "framework/imagelib/image_codecs.h"
#include "platform/file_system.h"

namespace Kavo::ImageLib {

static_assert(std::endian::native == std::endian::little, "pixels are stored as blue, green, red, alpha bytes");

constinit thread_local uint32_t gAlphaColor = 0xFFFFFF;

Image::Image(int32_t width, int32_t height)
    : mWidth(width), mHeight(height), mBits(size_t(width) * size_t(height), 0) {}

Image::~Image() = default;

bool HasPixels(const Image& image) {
    return image.mWidth > 0 && image.mHeight > 0 && image.mBits.size() >= size_t(image.mWidth) * size_t(image.mHeight);
}

DiskFile::DiskFile(const std::string& fileName) : mFile(platform::OpenFile(fileName, "wb")) {}

DiskFile::~DiskFile() {
    Close();
}

bool DiskFile::Close() {
    if (!mFile)
        return false;
    bool ok = std::ferror(mFile) == 0;
    ok = std::fclose(mFile) == 0 && ok;
    mFile = nullptr;
    return ok;
}

namespace {

std::unique_ptr<Image> LoadThrough(const std::string& fileName, std::unique_ptr<Image> (*decode)(ByteSource&)) {
    PakByteSource source(fileName);
    return source.IsOpen() ? decode(source) : nullptr;
}

bool SaveThrough(const std::string& fileName, const Image& image, bool (*encode)(std::FILE*, const Image&)) {
    if (!HasPixels(image))
        return false;
    DiskFile file(fileName);
    return file.IsOpen() && encode(file.Get(), image) && file.Close();
}

} // namespace

std::unique_ptr<Image> LoadTga(const std::string& fileName) {
    return LoadThrough(fileName, DecodeTga);
}
std::unique_ptr<Image> LoadGif(const std::string& fileName) {
    return LoadThrough(fileName, DecodeGif);
}
std::unique_ptr<Image> LoadPng(const std::string& fileName) {
    return LoadThrough(fileName, DecodePng);
}
std::unique_ptr<Image> LoadJpeg(const std::string& fileName) {
    return LoadThrough(fileName, DecodeJpeg);
}

std::unique_ptr<Image> LoadJpeg2000(const std::string& fileName) {
    return IsJpeg2000Available() ? LoadThrough(fileName, DecodeJpeg2000) : nullptr;
}

bool SaveAsPng(const std::string& fileName, const Image& image) {
    return SaveThrough(fileName, image, WritePngFile);
}

bool SaveAsJpeg(const std::string& fileName, const Image& image) {
    return SaveThrough(fileName, image, WriteJpegFile);
}

namespace {

using Reader = std::unique_ptr<Image> (*)(const std::string&);

struct FormatEntry {
    std::string_view mExtension;
    Reader mReader;
};

// The order in which a name without extension is tried.
constexpr FormatEntry kFormats[] = {
    {".tga", LoadTga}, {".jpg", LoadJpeg},     {".png", LoadPng},
    {".gif", LoadGif}, {".j2k", LoadJpeg2000}, {".jp2", LoadJpeg2000},
};

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char ca = a[i], cb = b[i];
        if (ca >= 'A' && ca <= 'Z')
            ca = char(ca - 'A' + 'a');
        if (cb >= 'A' && cb <= 'Z')
            cb = char(cb - 'A' + 'a');
        if (ca != cb)
            return false;
    }
    return true;
}

std::unique_ptr<Image> LoadAnyFormat(const std::string& base, std::string_view extension) {
    for (const FormatEntry& format : kFormats) {
        if (!extension.empty() && !EqualsIgnoreCase(extension, format.mExtension))
            continue;
        if (auto image = format.mReader(base + std::string(format.mExtension)))
            return image;
    }
    return nullptr;
}

} // namespace

std::unique_ptr<Image> LoadImageFile(const std::string& fileName, bool lookForAlpha) {
    const size_t slash = fileName.find_last_of("/\\");
    const size_t fileStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = fileName.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot >= fileStart;
    const std::string base = hasExtension ? fileName.substr(0, dot) : fileName;
    const std::string extension = hasExtension ? fileName.substr(dot) : std::string();

    std::unique_ptr<Image> image = LoadAnyFormat(base, extension);
    if (!lookForAlpha)
        return image;

    std::unique_ptr<Image> alpha =
        LoadImageFile(fileName.substr(0, fileStart) + "_" + fileName.substr(fileStart), false);
    if (!alpha)
        alpha = LoadImageFile(fileName + "_", false);
    if (!alpha)
        return image;

    if (!image) {
        for (uint32_t& pixel : alpha->mBits)
            pixel = (pixel << 24) | gAlphaColor;
        return alpha;
    }
    if (image->mWidth == alpha->mWidth && image->mHeight == alpha->mHeight) {
        for (size_t i = 0; i < image->mBits.size(); ++i)
            image->mBits[i] = (image->mBits[i] & 0x00FFFFFFu) | (alpha->mBits[i] << 24);
    }
    return image;
}

} // namespace Kavo::ImageLib
