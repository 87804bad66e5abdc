// Opens the input as a ".cdf" file of a folder storage and reads it the ways
// the engine does: whole, in pieces, and after seeks.
#include "engine/base/storage_error.h"
#include "engine/storage/file_descr.h"
#include "engine/storage/stg.h"
#include "engine/storage/storage_registry.h"
#include "fuzz/fuzz_support.h"

#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = Kavo::fuzz::WriteInputFile(data, size, ".cdf");
    const std::string folder = path.substr(0, path.find_last_of('/'));
    platform::Installed<StorageRegistry> registry(gStorageRegistry, std::make_shared<StorageRegistry>());
    Stg_t* storage = Stg_t::OpenStorage(folder.c_str(), 0);
    if (storage == nullptr)
        __builtin_trap();
    FileDescr_t* file = storage->OpenFile("input.cdf", 0);
    try {
        const std::uint32_t fileSize = storage->Size(file);
        std::vector<char> bytes(fileSize + 1);
        std::uint32_t read = 0;
        storage->ReadFile(file, bytes.data(), static_cast<std::uint32_t>(bytes.size()), &read);
        if (read != fileSize)
            __builtin_trap();
        std::uint32_t position = 0;
        storage->Seek(file, 0, static_cast<std::int32_t>(size), &position);
        storage->Seek(file, 2, -3, &position);
        storage->Seek(file, 1, -1000, &position);
        storage->ReadFile(file, bytes.data(), 7, &read);
    } catch (const errStg_e&) {
    }
    storage->CloseFile(file);
    storage->Release();
    return 0;
}
