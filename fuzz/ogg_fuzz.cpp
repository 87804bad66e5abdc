// Decodes the input as Ogg Vorbis the ways the engine does: streamed in
// pieces with a rewind, and (for a stream that promises a modest size)
// whole into a description's PCM image.
#include "engine/base/engine_error.h"
#include "engine/sound/sound_descr.h"
#include "engine/sound/sound_storages.h"
#include "engine/sound/wave_ogg_file.h"
#include "engine/storage/file_descr.h"
#include "engine/storage/stg.h"

#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto bytes = static_cast<std::uint32_t>(size);
    std::uint32_t promised = 0;
    try {
        Sound::WaveOggFile_t source;
        source.Open(FileDescr_t::FromMemory(data, bytes, true).release());
        promised = source.SizeBytes();
        source.LengthMs();
        std::vector<unsigned char> piece(8191);
        std::uint32_t total = 0;
        std::uint32_t got = 0;
        do {
            source.Read(piece.data(), static_cast<std::uint32_t>(piece.size()), &got);
            total += got;
        } while (got > 0 && total < (4u << 20));
        source.Rewind();
        source.Read(piece.data(), 4, &got);
    } catch (const err_e&) {
        return 0;
    }
    if (promised > (8u << 20))
        return 0;

    Stg_t* waves = Stg_t::OpenStorage("", 0);
    FileDescr_t* file = waves->OpenFile("w.ogg", 1);
    waves->WriteFile(file, data, bytes, nullptr);
    waves->CloseFile(file);
    {
        platform::Installed<Sound::SoundStorages> storages(
            Sound::gSoundStorages,
            std::make_shared<Sound::SoundStorages>(Sound::SoundStorages{nullptr, waves, nullptr}));
        Sound::SoundDescr_t descr;
        descr.group = Sound::SoundDescr_t::GroupEffect;
        descr.waveName = "w";
        try {
            descr.LoadWaveData();
            if (descr.decoded && descr.waveData.size() != promised + Sound::SoundDescr_t::kPcmImageHeader)
                __builtin_trap();
        } catch (const err_e&) {
        }
    }
    waves->Release();
    return 0;
}
