#include "engine/storage/mem_file.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

MemFile::MemFile(const void* data, std::uint32_t size, bool copy) : mSize(size), mOwnsData(copy) {
    if (copy) {
        mOwned.reserve(std::max<std::uint32_t>(size, 1));
        if (data != nullptr)
            mOwned.assign(static_cast<const std::uint8_t*>(data), static_cast<const std::uint8_t*>(data) + size);
        else
            mOwned.resize(size);
    } else {
        mData = static_cast<const std::uint8_t*>(data);
    }
}

void MemFile::Read(void* buffer, std::uint32_t count, std::uint32_t* read) {
    if (!mOpen)
        return;
    const std::uint32_t available = mPosition < mSize ? mSize - mPosition : 0;
    const std::uint32_t n = std::min(count, available);
    if (n > 0)
        std::memcpy(buffer, Data() + mPosition, n);
    mPosition += n;
    if (read != nullptr)
        *read = n;
}

void MemFile::Seek(std::int32_t origin, std::int32_t offset, std::uint32_t* position) {
    if (!mOpen)
        return;
    const auto delta = static_cast<std::uint32_t>(offset);
    std::uint32_t target = mPosition;
    if (origin == 0)
        target = delta;
    else if (origin == 1)
        target = mPosition + delta;
    else if (origin == 2)
        target = mSize + delta;
    mPosition = target > mSize ? 0 : target;
    if (position != nullptr)
        *position = mPosition;
}

bool MemFile::Write(const void* buffer, std::uint32_t count, std::uint32_t* written) {
    if (!mOpen || !mOwnsData)
        return true;
    const std::uint64_t end = std::uint64_t{mPosition} + count;
    if (end > std::numeric_limits<std::uint32_t>::max())
        return false;
    try {
        mOwned.resize(static_cast<std::size_t>(end));
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    if (count > 0)
        std::memcpy(mOwned.data() + mPosition, buffer, count);
    mPosition = static_cast<std::uint32_t>(end);
    mSize = mPosition;
    if (written != nullptr)
        *written = count;
    return true;
}
