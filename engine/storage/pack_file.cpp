#include "engine/storage/pack_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

namespace {

constexpr std::uint32_t kHeaderSize = 8;
constexpr std::uint64_t kMaxContent = std::numeric_limits<std::uint32_t>::max();

bool ReadAll(int fd, void* buffer, std::size_t count) {
    auto* out = static_cast<std::uint8_t*>(buffer);
    while (count > 0) {
        const ssize_t got = ::read(fd, out, count);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        out += got;
        count -= static_cast<std::size_t>(got);
    }
    return true;
}

bool WriteAll(int fd, const void* buffer, std::size_t count) {
    const auto* in = static_cast<const std::uint8_t*>(buffer);
    while (count > 0) {
        const ssize_t put = ::write(fd, in, count);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        in += put;
        count -= static_cast<std::size_t>(put);
    }
    return true;
}

std::uint32_t LoadU32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}

void StoreU32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Resizes without letting an allocation failure escape.
bool TryResize(std::vector<std::uint8_t>& buffer, std::size_t size) {
    try {
        buffer.resize(size);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
}

} // namespace

PackFile_t::PackFile_t(int fileHandle, bool writeMode) : mFile(fileHandle), mWriteMode(writeMode) {
    if (!writeMode) {
        OpenForReading();
        // A file that did not open has no content: its header's claims are
        // not a size anyone should allocate for.
        if (mError) {
            mUncompressedSize = 0;
            std::vector<std::uint8_t>().swap(mBuffer);
        }
        return;
    }
    if (!TryResize(mBuffer, kGrowStep) || deflateInit(&mStream, 1) != Z_OK) {
        mError = true;
        return;
    }
    mStreamOpen = true;
    mStream.next_out = mBuffer.data();
    mStream.avail_out = kGrowStep;
}

PackFile_t::~PackFile_t() {
    if (mStreamOpen)
        deflateEnd(&mStream);
    CloseHandle();
}

void PackFile_t::OpenForReading() {
    std::uint8_t header[kHeaderSize];
    struct stat st {};
    if (::fstat(mFile, &st) != 0 || !ReadAll(mFile, header, kHeaderSize)) {
        mError = true;
        return;
    }
    mUncompressedSize = LoadU32(header);
    mCompressedSize = LoadU32(header + 4);
    // Check the header against the file before trusting it with memory.
    const auto left = static_cast<std::uint64_t>(st.st_size) - std::min<std::uint64_t>(st.st_size, kHeaderSize);
    if (mCompressedSize > left || mUncompressedSize > std::uint64_t{mCompressedSize} * kMaxInflateRatio) {
        mError = true;
        return;
    }
    std::vector<std::uint8_t> packed;
    if (!TryResize(mBuffer, mUncompressedSize) || !TryResize(packed, mCompressedSize) ||
        !ReadAll(mFile, packed.data(), mCompressedSize)) {
        mError = true;
        return;
    }
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) {
        mError = true;
        return;
    }
    stream.next_in = packed.data();
    stream.avail_in = mCompressedSize;
    stream.next_out = mBuffer.data();
    stream.avail_out = mUncompressedSize;
    const int result = inflate(&stream, Z_FINISH);
    if (result != Z_STREAM_END || stream.total_out != mUncompressedSize)
        mError = true;
    inflateEnd(&stream);
}

std::int32_t PackFile_t::Read(void* buffer, std::uint32_t count, std::uint32_t* read) {
    if (mError)
        return -1;
    std::uint32_t n = 0;
    if (!mWriteMode) {
        n = std::min(count, mUncompressedSize - mReadPosition);
        if (n > 0)
            std::memcpy(buffer, mBuffer.data() + mReadPosition, n);
        mReadPosition += n;
    }
    if (read != nullptr)
        *read = n;
    return 0;
}

bool PackFile_t::Grow() {
    const std::size_t used = mBuffer.size() - mStream.avail_out;
    if (mBuffer.size() + kGrowStep > kMaxContent || !TryResize(mBuffer, mBuffer.size() + kGrowStep))
        return false;
    mStream.next_out = mBuffer.data() + used;
    mStream.avail_out = kGrowStep;
    return true;
}

bool PackFile_t::Deflate(int flush) {
    for (;;) {
        const int result = deflate(&mStream, flush);
        if (result == Z_STREAM_ERROR)
            return false;
        // Room left after a plain pass means all input was taken.
        if (flush == Z_FINISH ? result == Z_STREAM_END : mStream.avail_out != 0)
            return true;
        if (mStream.avail_out != 0 || !Grow())
            return false;
    }
}

std::int32_t PackFile_t::Write(const void* buffer, std::uint32_t count, std::uint32_t* written) {
    if (mError)
        return -1;
    if (!mWriteMode) {
        if (written != nullptr)
            *written = 0;
        return 0;
    }
    mWritten = true;
    if (std::uint64_t{mStream.total_in} + count > kMaxContent) {
        mError = true;
        return -1;
    }
    mStream.next_in = static_cast<Bytef*>(const_cast<void*>(buffer));
    mStream.avail_in = count;
    if (!Deflate(Z_NO_FLUSH)) {
        mError = true;
        return -1;
    }
    if (written != nullptr)
        *written = count;
    return 0;
}

std::int32_t PackFile_t::Seek(std::int32_t origin, std::int32_t offset, std::uint32_t* position) {
    if (mError)
        return -1;
    if (mWriteMode) {
        if (position != nullptr)
            *position = 0;
        return 0;
    }
    std::int64_t target = offset;
    if (origin == 1)
        target += mReadPosition;
    else if (origin == 2)
        target += mUncompressedSize;
    // Past the end stops at the end; before the start wraps as the 32-bit
    // position always has, and is then past the end too.
    const auto unsignedTarget = static_cast<std::uint32_t>(target);
    mReadPosition = std::min(unsignedTarget, mUncompressedSize);
    if (position != nullptr)
        *position = mReadPosition;
    return 0;
}

bool PackFile_t::Finish() {
    bool ok = true;
    if (mWriteMode && mWritten) {
        ok = !mError && Deflate(Z_FINISH) && mStream.total_out <= kMaxContent;
        if (ok) {
            std::uint8_t header[kHeaderSize];
            StoreU32(header, static_cast<std::uint32_t>(mStream.total_in));
            StoreU32(header + 4, static_cast<std::uint32_t>(mStream.total_out));
            ok = WriteAll(mFile, header, kHeaderSize) && WriteAll(mFile, mBuffer.data(), mStream.total_out);
        }
    }
    if (mStreamOpen) {
        deflateEnd(&mStream);
        mStreamOpen = false;
    }
    std::vector<std::uint8_t>().swap(mBuffer);
    if (mFile >= 0 && ::close(mFile) != 0)
        ok = false;
    mFile = -1;
    if (!ok)
        mError = true;
    return ok;
}

void PackFile_t::CloseHandle() {
    if (mFile >= 0)
        ::close(mFile);
    mFile = -1;
}
