#include <algorithm>
#include <cstring>

#include "framework/imagelib/image_codecs.h"

namespace Kavo::ImageLib {

ByteSource::~ByteSource() = default;

uint64_t ByteSource::Remaining() {
    uint64_t size = Size();
    uint64_t pos = Tell();
    return pos < size ? size - pos : 0;
}

int ByteSource::ReadByte() {
    uint8_t byte = 0;
    return Read(&byte, 1) == 1 ? byte : -1;
}

bool ByteSource::Skip(uint64_t count) {
    if (count > Remaining())
        return false;
    return Seek(Tell() + count);
}

MemoryByteSource::MemoryByteSource(const void* data, size_t size)
    : mData(static_cast<const uint8_t*>(data)), mSize(size) {}

size_t MemoryByteSource::Read(void* dest, size_t count) {
    size_t n = std::min(count, mSize - mPos);
    if (n > 0)
        std::memcpy(dest, mData + mPos, n);
    mPos += n;
    return n;
}

bool MemoryByteSource::Seek(uint64_t position) {
    if (position > mSize)
        return false;
    mPos = size_t(position);
    return true;
}

bool IsAcceptableSize(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
           width * height <= kMaxImagePixels;
}

} // namespace Kavo::ImageLib
