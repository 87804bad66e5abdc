#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Kavo::ImageLib {

// A decoded picture: width x height pixels 0xAARRGGBB, rows top to bottom.
class Image {
public:
    int32_t mWidth = 0;
    int32_t mHeight = 0;
    std::vector<uint32_t> mBits;

    Image() = default;
    Image(int32_t width, int32_t height);
    virtual ~Image();

    int32_t GetWidth() const { return mWidth; }
    int32_t GetHeight() const { return mHeight; }
    uint32_t* GetBits() { return mBits.data(); }
    const uint32_t* GetBits() const { return mBits.data(); }
};

// The RGB given to a picture made from an alpha companion alone. Each thread
// has its own, so that the loading thread and the main thread can each set it
// around their own loads; 0xFFFFFF (white) until set.
extern constinit thread_local uint32_t gAlphaColor;

// Loads a picture through the file API (pak archive first, then the disk).
// A name without extension tries .tga, .jpg, .png, .gif, .j2k and .jp2 in
// that order. With lookForAlpha, "dir/_file" or else "file_" supplies the
// alpha channel (its blue byte). Null when nothing could be read.
std::unique_ptr<Image> LoadImageFile(const std::string& fileName, bool lookForAlpha);

// Single-format readers over the file API; null on any failure.
std::unique_ptr<Image> LoadTga(const std::string& fileName);
std::unique_ptr<Image> LoadGif(const std::string& fileName);
std::unique_ptr<Image> LoadPng(const std::string& fileName);
std::unique_ptr<Image> LoadJpeg(const std::string& fileName);
std::unique_ptr<Image> LoadJpeg2000(const std::string& fileName);

// Writers to a disk file (never the pak); false when the file cannot be
// written or the encoder fails.
bool SaveAsPng(const std::string& fileName, const Image& image);
bool SaveAsJpeg(const std::string& fileName, const Image& image);

// The JPEG 2000 codec is linked in and available from the start; releasing it
// makes every JPEG 2000 load fail until it is loaded again.
bool LoadJpeg2000Library();
void ReleaseJpeg2000Library();
bool IsJpeg2000Available();

} // namespace Kavo::ImageLib
