#include "engine/storage/file_descr.h"

#include <unistd.h>

#include "engine/base/storage_error.h"
#include "engine/storage/pack_file.h"
#include "engine/storage/stg.h"

FileDescr_t::FileDescr_t() = default;

FileDescr_t::~FileDescr_t() {
    if (fileHandle >= 0)
        ::close(fileHandle);
}

void FileDescr_t::Read(FileDescr_t* handle, void* buffer, std::uint32_t count, std::uint32_t* read) {
    if (handle->owner != nullptr)
        handle->owner->ReadFile(handle, buffer, count, read);
    else if (handle->memFile)
        handle->memFile->Read(buffer, count, read);
}

void FileDescr_t::Seek(FileDescr_t* handle, std::int32_t origin, std::int32_t offset, std::uint32_t* position) {
    if (handle->owner != nullptr)
        handle->owner->Seek(handle, origin, offset, position);
    else if (handle->memFile)
        handle->memFile->Seek(origin, offset, position);
}

std::uint32_t FileDescr_t::Size(FileDescr_t* handle) {
    if (handle->owner != nullptr)
        return handle->owner->Size(handle);
    return handle->memFile ? handle->memFile->Size() : 0;
}

void FileDescr_t::Close(FileDescr_t* handle) {
    if (handle->owner != nullptr)
        handle->owner->CloseFile(handle);
    else
        handle->memFile.reset();
}

void FileDescr_t::ReadChecked(FileDescr_t* handle, void* buffer, std::uint32_t count, std::uint32_t* read) {
    if (handle == nullptr)
        throw errStg_e("", "", kStgInvalidArgument, kStgModeReadFile);
    Read(handle, buffer, count, read);
}

std::uint32_t FileDescr_t::SizeChecked(FileDescr_t* handle) {
    if (handle == nullptr)
        throw errStg_e("", "", kStgInvalidArgument, kStgModeSize);
    return Size(handle);
}

std::unique_ptr<FileDescr_t> FileDescr_t::FromMemory(const void* data, std::uint32_t size, bool copy) {
    auto descr = std::make_unique<FileDescr_t>();
    descr->memFile = std::make_unique<MemFile>(data, size, copy);
    return descr;
}
