#include "engine/sound/wave_ogg_file.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <limits>

#include "engine/base/engine_error.h"
#include "engine/base/sound_error.h"
#include "engine/storage/file_descr.h"

namespace Sound {
namespace {

// vorbisfile is C: nothing may be thrown through it, so each callback
// turns a storage error into the C answer for a failure.
size_t ReadCallback(void* buffer, size_t size, size_t count, void* source) {
    if (size == 0 || count == 0)
        return 0;
    const size_t wanted = count > std::numeric_limits<std::uint32_t>::max() / size
                              ? std::numeric_limits<std::uint32_t>::max() / size * size
                              : size * count;
    std::uint32_t got = 0;
    try {
        FileDescr_t::Read(static_cast<FileDescr_t*>(source), buffer, static_cast<std::uint32_t>(wanted), &got);
    } catch (const err_e&) {
        return 0;
    }
    return got / size;
}

int SeekCallback(void* source, ogg_int64_t offset, int whence) {
    auto* file = static_cast<FileDescr_t*>(source);
    try {
        std::uint32_t position = 0;
        FileDescr_t::Seek(file, 1, 0, &position);
        const std::int64_t size = FileDescr_t::Size(file);
        std::int64_t target = 0;
        if (whence == SEEK_SET)
            target = offset;
        else if (whence == SEEK_CUR)
            target = position + offset;
        else if (whence == SEEK_END)
            target = size + offset;
        else
            return -1;
        // The storages put a position past the end back at 0; the decoder
        // must hear of a failure instead.
        if (target < 0 || target > size)
            return -1;
        FileDescr_t::Seek(file, 0, static_cast<std::int32_t>(target), &position);
        return 0;
    } catch (const err_e&) {
        return -1;
    }
}

long TellCallback(void* source) {
    try {
        std::uint32_t position = 0;
        FileDescr_t::Seek(static_cast<FileDescr_t*>(source), 1, 0, &position);
        return static_cast<long>(position);
    } catch (const err_e&) {
        return -1;
    }
}

} // namespace

struct WaveOggFile_t::Decoder {
    OggVorbis_File file{};
};

WaveOggFile_t::WaveOggFile_t() : mDecoder(std::make_unique<Decoder>()) {}

WaveOggFile_t::~WaveOggFile_t() {
    Close();
}

void WaveOggFile_t::Open(FileDescr_t* file) {
    Close();
    if (file == nullptr)
        throw errSnd_e(6);
    mFile = file;
    // No close callback: the source closes the file itself, whether or not
    // the decoder took it.
    const ov_callbacks callbacks{ReadCallback, SeekCallback, nullptr, TellCallback};
    if (ov_open_callbacks(file, &mDecoder->file, nullptr, 0, callbacks) < 0) {
        mDecoder->file = OggVorbis_File{};
        Close();
        throw errSnd_e(6);
    }
    mOpen = true;
    const vorbis_info* info = ov_info(&mDecoder->file, -1);
    if (info == nullptr || info->channels < 1 || info->channels > 255 || info->rate < 1) {
        Close();
        throw errSnd_e(6);
    }
    mChannels = info->channels;
    mSamplesPerSec = info->rate;
    mFormat = platform::WaveFormat{};
    mFormat.formatTag = platform::kWaveFormatPcm;
    mFormat.channels = static_cast<std::uint16_t>(mChannels);
    mFormat.samplesPerSec = static_cast<std::uint32_t>(mSamplesPerSec);
    mFormat.bitsPerSample = 16;
    mFormat.blockAlign = static_cast<std::uint16_t>(mChannels * 2);
    mFormat.avgBytesPerSec = static_cast<std::uint32_t>(mSamplesPerSec) * mFormat.blockAlign;
    mFormat.extraSize = 18;
}

void WaveOggFile_t::Close() {
    if (mOpen)
        ov_clear(&mDecoder->file);
    mOpen = false;
    mChannels = 0;
    FileDescr_t* file = mFile;
    mFile = nullptr;
    ReleaseFile(file);
}

std::uint32_t WaveOggFile_t::Read(void* dst, std::uint32_t bytes, std::uint32_t* got) {
    if (!mOpen)
        throw errSnd_e(8);
    const std::uint32_t frameBytes = static_cast<std::uint32_t>(mChannels) * 2;
    const std::uint32_t room = bytes / frameBytes * frameBytes;
    auto* out = static_cast<char*>(dst);
    std::uint32_t decoded = 0;
    int holes = 0;
    while (decoded < room && holes < kMaxHolesInARow) {
        const int ask = static_cast<int>(std::min<std::uint32_t>(room - decoded, 0x40000000u));
        int section = 0;
        const long result = ov_read(&mDecoder->file, out + decoded, ask, 0, 2, 1, &section);
        if (result == 0)
            break;
        if (result < 0) {
            ++holes; // a gap in the stream: go on after it
            continue;
        }
        holes = 0;
        decoded += static_cast<std::uint32_t>(result);
    }
    if (got != nullptr)
        *got = decoded / frameBytes * frameBytes;
    return decoded / frameBytes;
}

std::uint32_t WaveOggFile_t::SizeBytes() {
    if (!mOpen)
        return 0;
    const ogg_int64_t frames = ov_pcm_total(&mDecoder->file, -1);
    if (frames <= 0)
        return 0;
    const std::uint64_t size = static_cast<std::uint64_t>(frames) * static_cast<std::uint64_t>(mChannels) * 2;
    return size > std::numeric_limits<std::uint32_t>::max() ? std::numeric_limits<std::uint32_t>::max()
                                                            : static_cast<std::uint32_t>(size);
}

std::uint32_t WaveOggFile_t::LengthMs() {
    if (!mOpen)
        return 0;
    const double seconds = ov_time_total(&mDecoder->file, -1);
    if (!(seconds > 0) || seconds > std::numeric_limits<std::uint32_t>::max() / 1000)
        return 0;
    return static_cast<std::uint32_t>(seconds) * 1000;
}

void WaveOggFile_t::Rewind() {
    if (!mOpen)
        throw errSnd_e(8);
    ov_pcm_seek(&mDecoder->file, 0);
}

} // namespace Sound
