#include "fuzz/fuzz_support.h"

#include "platform/file_system.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace Kavo::fuzz {

namespace {

const std::string& ScratchFolder() {
    // Never destroyed, so the exit handler that removes it can still read it.
    static const std::string* folder = [] {
        // Memory-backed where available: every input is written once.
        const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        auto* path = new std::string(std::string(base) + "/kavo-fuzz-" + std::to_string(getpid()));
        platform::MakeDirectories(*path);
        std::atexit([] { platform::RemoveTree(ScratchFolder()); });
        return path;
    }();
    return *folder;
}

} // namespace

std::string WriteInputFile(const uint8_t* data, size_t size, const std::string& extension) {
    std::string path = ScratchFolder() + "/input" + extension;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size)
        std::abort();
    std::fclose(file);
    return path;
}

} // namespace Kavo::fuzz
