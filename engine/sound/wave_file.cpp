#include "engine/sound/wave_file.h"

#include <memory>

#include "engine/base/engine_error.h"
#include "engine/storage/file_descr.h"

namespace Sound {

void WaveFile_t::OpenMemory(const void* data, std::uint32_t size) {
    Open(FileDescr_t::FromMemory(data, size, true).release());
}

void WaveFile_t::ReleaseFile(FileDescr_t* file) {
    if (file == nullptr)
        return;
    if (file->owner != nullptr) {
        // Sources give files up from destructors too: a storage that
        // cannot close a file (it went away under the reader) must not end
        // the process.
        try {
            FileDescr_t::Close(file);
        } catch (const err_e&) {
        }
    } else {
        delete file;
    }
}

} // namespace Sound
