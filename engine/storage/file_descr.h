#pragma once
// An open file of a storage, or a plain memory buffer seen as a file. The
// storage that opened it (the owner) serves its operations; a descriptor
// without an owner acts on its memory file directly.

#include <cstdint>
#include <memory>
#include <string>

#include "engine/storage/mem_file.h"

class Stg_t;
class PackFile_t;

class FileDescr_t {
public:
    FileDescr_t();
    virtual ~FileDescr_t();
    FileDescr_t(const FileDescr_t&) = delete;
    FileDescr_t& operator=(const FileDescr_t&) = delete;

    Stg_t* owner = nullptr;
    std::string name;      // the file's own name, normalised
    std::int32_t mode = 0; // 0 read, 1 write
    std::int32_t kind = 0; // 0 plain, 1 compressed
    // The body: one of these, by storage and kind.
    int fileHandle = -1;                  // folder storage, plain
    std::unique_ptr<PackFile_t> packFile; // folder storage, compressed
    std::unique_ptr<MemFile> memFile;     // memory storage and FromMemory

    // Through the owner when there is one, else on the memory file.
    static void Read(FileDescr_t* handle, void* buffer, std::uint32_t count, std::uint32_t* read);
    static void Seek(FileDescr_t* handle, std::int32_t origin, std::int32_t offset, std::uint32_t* position);
    static std::uint32_t Size(FileDescr_t* handle);
    // Without an owner: frees the memory file; the descriptor stays with
    // the caller.
    static void Close(FileDescr_t* handle);
    // As Read and Size, but a null handle raises a storage error.
    static void ReadChecked(FileDescr_t* handle, void* buffer, std::uint32_t count, std::uint32_t* read);
    static std::uint32_t SizeChecked(FileDescr_t* handle);

    static std::unique_ptr<FileDescr_t> FromMemory(const void* data, std::uint32_t size, bool copy);
};
