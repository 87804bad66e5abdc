// Parses the input as a sound description file.
#include "engine/base/engine_error.h"
#include "engine/sound/sound_descr.h"
#include "engine/storage/file_descr.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto file = FileDescr_t::FromMemory(data, static_cast<std::uint32_t>(size), false);
    Sound::SoundDescr_t descr;
    try {
        const bool known = descr.Parse(file.get());
        if (known != (descr.group != Sound::SoundDescr_t::GroupNone))
            __builtin_trap();
        descr.SetWaveName(descr.waveName.c_str());
        descr.LoadWaveData(); // no storages: nothing to read
    } catch (const err_e&) {
    }
    return 0;
}
