#pragma once
// A wave source: PCM data for a sound buffer, read in order from an engine
// storage file, with its format, size, length and a rewind. A source owns
// the file from Open on (also when Open fails): a file of a storage is
// closed through that storage, a file without one is deleted.

#include <cstdint>

#include "platform/audio/sound_types.h"

class FileDescr_t;

namespace Sound {

class WaveFile_t {
public:
    WaveFile_t() = default;
    virtual ~WaveFile_t() = default;
    WaveFile_t(const WaveFile_t&) = delete;
    WaveFile_t& operator=(const WaveFile_t&) = delete;

    // Parses the file and keeps it for reading; errSnd_e 6 when it is not a
    // readable stream of this kind.
    virtual void Open(FileDescr_t* file) = 0;
    // Open on a copy of the bytes, so the caller may free them at once.
    virtual void OpenMemory(const void* data, std::uint32_t size);
    // The decoded image of a description (18-byte format, 32-bit length,
    // PCM); only the WAV source reads it.
    virtual void OpenPcmImage(const void*, std::uint32_t) {}
    virtual void Close() = 0;
    // Reads up to `bytes` bytes of PCM into dst; *got (when given) is the
    // number of bytes written. The result is the WAV source's byte count and
    // the Ogg source's frame count.
    virtual std::uint32_t Read(void* dst, std::uint32_t bytes, std::uint32_t* got) = 0;
    virtual std::uint32_t SizeBytes() = 0;
    virtual std::uint32_t LengthMs() = 0;
    virtual void Rewind() = 0;

    const platform::WaveFormat& Format() const { return mFormat; }

    // Gives up a file that a source owns: closed through its storage, or
    // deleted when it has none.
    static void ReleaseFile(FileDescr_t* file);

protected:
    platform::WaveFormat mFormat;
};

} // namespace Sound
