#pragma once
// The storages' exception: where it happened (storage and file name), what
// went wrong (code) and which operation failed (mode).

#include <cstdint>
#include <string>

#include "engine/base/engine_error.h"

// Operations named by a storage error's mode.
enum StgMode : std::int32_t {
    kStgModeTestFilePresent = 0,
    kStgModeTestDirPresent = 1,
    kStgModeSeek = 2,
    kStgModeSize = 3,
    kStgModeOpenStg = 4,
    kStgModeOpenFileRead = 5,
    kStgModeOpenFileWrite = 6,
    kStgModeCloseFile = 7,
    kStgModeReadFile = 8,
    kStgModeWriteFile = 9,
    kStgModeCreateDir = 10,
    kStgModeDeleteDir = 11,
    kStgModeDeleteFile = 12,
    kStgModeNone = 13,
};

// Failure codes of the storages.
enum StgCode : std::int32_t {
    kStgGeneric = 1,
    kStgInvalidArgument = 2,
    kStgInvalidDirectory = 3,
    kStgInvalidFileHandle = 4,
    kStgInvalidStorageHandle = 5,
    kStgInvalidFileMode = 6,
    kStgOpenStream = 7,
    kStgOpenStorage = 8,
    kStgCreateStorage = 9,
    kStgOpenFile = 10,
    kStgFileUsed = 11,
    kStgInvalidStorageMode = 12,
    kStgFileSize = 13,
    kStgSeek = 14,
    kStgRead = 15,
    kStgWrite = 16,
    kStgStat = 17,
    kStgDelete = 18,
    kStgMemory = 19,
    kStgFileExists = 20,
    kStgStorageExists = 21,
    kStgNotRealized = 22,
};

class errStg_e : public err_e {
public:
    errStg_e(std::string storageName, std::string fileName, std::int32_t code, std::int32_t mode)
        : mStorageName(std::move(storageName)), mFileName(std::move(fileName)), mCode(code), mMode(mode) {}
    const char* Name() const override { return "Storage Error"; }
    // Composed for this object on each call: no buffer is shared between
    // exceptions, so threads may raise and read them at once.
    std::string Message() const override;

    const std::string& StorageName() const { return mStorageName; }
    const std::string& FileName() const { return mFileName; }
    std::int32_t Code() const { return mCode; }
    std::int32_t Mode() const { return mMode; }

    static const char* CodeText(std::int32_t code);

private:
    std::string mStorageName;
    std::string mFileName;
    std::int32_t mCode;
    std::int32_t mMode;
};
