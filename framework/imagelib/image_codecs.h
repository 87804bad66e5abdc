#pragma once

// The format decoders, each reading from a ByteSource so that the same code
// serves files from the pak archive, the disk and memory.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "framework/imagelib/image_lib.h"

namespace Kavo::ImageLib {

class ByteSource {
public:
    virtual ~ByteSource();
    // Copies up to `count` bytes; fewer at the end of the data.
    virtual size_t Read(void* dest, size_t count) = 0;
    virtual bool Seek(uint64_t position) = 0;
    virtual uint64_t Tell() = 0;
    virtual uint64_t Size() = 0;

    uint64_t Remaining();
    bool ReadExact(void* dest, size_t count) { return Read(dest, count) == count; }
    // -1 at the end of the data.
    int ReadByte();
    bool Skip(uint64_t count);
};

class MemoryByteSource : public ByteSource {
public:
    MemoryByteSource(const void* data, size_t size);
    size_t Read(void* dest, size_t count) override;
    bool Seek(uint64_t position) override;
    uint64_t Tell() override { return mPos; }
    uint64_t Size() override { return mSize; }

private:
    const uint8_t* mData;
    size_t mSize;
    size_t mPos = 0;
};

// A file opened for reading through the file API.
class PakByteSource : public ByteSource {
public:
    explicit PakByteSource(const std::string& fileName);
    ~PakByteSource() override;
    PakByteSource(const PakByteSource&) = delete;
    PakByteSource& operator=(const PakByteSource&) = delete;

    bool IsOpen() const { return mFile != nullptr; }
    size_t Read(void* dest, size_t count) override;
    bool Seek(uint64_t position) override;
    uint64_t Tell() override;
    uint64_t Size() override;

private:
    void* mFile = nullptr;
    int64_t mSize = -1;
};

// Largest picture any decoder accepts, so that a damaged header cannot make
// a decoder allocate gigabytes before it finds out.
constexpr int32_t kMaxImageSide = 16384;
constexpr int64_t kMaxImagePixels = int64_t(1) << 26;
bool IsAcceptableSize(int64_t width, int64_t height);

// A disk file created for writing (the pak archive is read-only).
class DiskFile {
public:
    explicit DiskFile(const std::string& fileName);
    ~DiskFile();
    DiskFile(const DiskFile&) = delete;
    DiskFile& operator=(const DiskFile&) = delete;

    bool IsOpen() const { return mFile != nullptr; }
    std::FILE* Get() const { return mFile; }
    // False when the data could not all be written.
    bool Close();

private:
    std::FILE* mFile = nullptr;
};

// Whether the image has pixels to write.
bool HasPixels(const Image& image);

std::unique_ptr<Image> DecodeTga(ByteSource& source);
std::unique_ptr<Image> DecodeGif(ByteSource& source);
std::unique_ptr<Image> DecodePng(ByteSource& source);
std::unique_ptr<Image> DecodeJpeg(ByteSource& source);
std::unique_ptr<Image> DecodeJpeg2000(ByteSource& source);

// Encoders into a file opened for writing; false on an encoder error.
bool WritePngFile(std::FILE* file, const Image& image);
bool WriteJpegFile(std::FILE* file, const Image& image);

} // namespace Kavo::ImageLib
