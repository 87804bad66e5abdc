#include "engine/sound/wave_file.h"

#include <memory>

#include "engine/storage/file_descr.h"

namespace Sound {

void WaveFile_t::OpenMemory(const void* data, std::uint32_t size) {
    Open(FileDescr_t::FromMemory(data, size, true).release());
}

void WaveFile_t::ReleaseFile(FileDescr_t* file) {
    if (file == nullptr)
        return;
    if (file->owner != nullptr) {
        FileDescr_t::Close(file);
    } else {
        delete file;
    }
}

} // namespace Sound
