#include "framework/sound/audio_decoders.h"

#include <cstring>
#include <memory>
#include <mutex>

#include <libopenmpt/libopenmpt.h>
#include <mpg123.h>
#include <vorbis/vorbisfile.h>

namespace Kavo {

namespace {

bool Fail(std::string& error, const char* text) {
    if (error.empty())
        error = text;
    return false;
}

// Appends 16-bit samples, stopping at maxFrames; false once it is reached.
bool Append(PcmSound& out, const void* samples, std::size_t bytes, std::size_t maxFrames) {
    const std::size_t frameBytes = out.format.blockAlign;
    const std::size_t room = maxFrames * frameBytes - out.data.size();
    const std::size_t take = bytes < room ? bytes : room;
    const auto* begin = static_cast<const std::uint8_t*>(samples);
    out.data.insert(out.data.end(), begin, begin + take);
    return take == bytes;
}

// Whole frames only.
bool Finish(PcmSound& out, std::string& error) {
    const std::size_t partial = out.format.blockAlign == 0 ? 0 : out.data.size() % out.format.blockAlign;
    out.data.erase(out.data.end() - static_cast<std::ptrdiff_t>(partial), out.data.end());
    if (out.data.empty())
        return Fail(error, "no samples");
    return true;
}

struct Mpg123Deleter {
    void operator()(mpg123_handle* handle) const {
        mpg123_close(handle);
        mpg123_delete(handle);
    }
};

struct MemorySource {
    std::span<const std::uint8_t> bytes;
    std::size_t pos = 0;
};

size_t OggRead(void* dest, size_t size, size_t count, void* source) {
    auto* memory = static_cast<MemorySource*>(source);
    if (size == 0)
        return 0;
    const std::size_t left = (memory->bytes.size() - memory->pos) / size;
    const std::size_t items = count < left ? count : left;
    if (items > 0)
        std::memcpy(dest, memory->bytes.data() + memory->pos, items * size);
    memory->pos += items * size;
    return items;
}

int OggSeek(void* source, ogg_int64_t offset, int whence) {
    auto* memory = static_cast<MemorySource*>(source);
    const auto size = static_cast<ogg_int64_t>(memory->bytes.size());
    ogg_int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? static_cast<ogg_int64_t>(memory->pos) : size;
    const ogg_int64_t target = base + offset;
    if (target < 0 || target > size)
        return -1;
    memory->pos = static_cast<std::size_t>(target);
    return 0;
}

long OggTell(void* source) {
    return static_cast<long>(static_cast<MemorySource*>(source)->pos);
}

} // namespace

bool DecodeMp3(std::span<const std::uint8_t> bytes, PcmSound& out, std::string& error, std::size_t maxFrames) {
    static std::once_flag initialized;
    std::call_once(initialized, [] { mpg123_init(); });
    out = PcmSound();
    int result = MPG123_OK;
    std::unique_ptr<mpg123_handle, Mpg123Deleter> handle(mpg123_new(nullptr, &result));
    if (!handle)
        return Fail(error, "mp3 decoder unavailable");
    mpg123_param(handle.get(), MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    // 16-bit signed output at whatever rate and channel count the file has.
    mpg123_format_none(handle.get());
    const long* rates = nullptr;
    std::size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    for (std::size_t i = 0; i < rateCount; ++i)
        mpg123_format(handle.get(), rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    if (mpg123_open_feed(handle.get()) != MPG123_OK ||
        mpg123_feed(handle.get(), bytes.data(), bytes.size()) != MPG123_OK)
        return Fail(error, "mp3 decoder refused the data");

    bool haveFormat = false;
    std::vector<unsigned char> chunk(16384);
    for (;;) {
        std::size_t done = 0;
        result = mpg123_read(handle.get(), chunk.data(), chunk.size(), &done);
        if (result == MPG123_NEW_FORMAT) {
            long rate = 0;
            int channels = 0, encoding = 0;
            mpg123_getformat(handle.get(), &rate, &channels, &encoding);
            // A format change part-way through ends the sound there.
            if (haveFormat)
                break;
            if (encoding != MPG123_ENC_SIGNED_16 || rate <= 0 || !IsPlayablePcm(channels, 16, std::uint32_t(rate)))
                return Fail(error, "unsupported mp3 format");
            out.format = platform::MakePcmFormat(channels, static_cast<std::uint32_t>(rate), 16);
            haveFormat = true;
            continue;
        }
        if (done > 0 && haveFormat && !Append(out, chunk.data(), done, maxFrames))
            break;
        if (result != MPG123_OK)
            break; // the end of the data, or an error after what was decoded
    }
    if (!haveFormat)
        return Fail(error, "not an mp3 file");
    return Finish(out, error);
}

bool DecodeOgg(std::span<const std::uint8_t> bytes, PcmSound& out, std::string& error, std::size_t maxFrames) {
    out = PcmSound();
    MemorySource source{bytes, 0};
    OggVorbis_File file;
    const ov_callbacks callbacks{&OggRead, &OggSeek, nullptr, &OggTell};
    if (ov_open_callbacks(&source, &file, nullptr, 0, callbacks) != 0)
        return Fail(error, "not an Ogg Vorbis file");
    const vorbis_info* info = ov_info(&file, -1);
    const bool playable = info != nullptr && info->rate > 0 && IsPlayablePcm(info->channels, 16, info->rate);
    if (playable) {
        out.format = platform::MakePcmFormat(info->channels, static_cast<std::uint32_t>(info->rate), 16);
        std::vector<char> chunk(16384);
        int section = 0;
        for (;;) {
            const long got = ov_read(&file, chunk.data(), static_cast<int>(chunk.size()), 0, 2, 1, &section);
            if (got <= 0)
                break; // the end, or damaged data after what was decoded
            // A chained stream of another format ends the sound there.
            const vorbis_info* now = ov_info(&file, section);
            if (now == nullptr || now->channels != info->channels || now->rate != info->rate)
                break;
            if (!Append(out, chunk.data(), static_cast<std::size_t>(got), maxFrames))
                break;
        }
    }
    ov_clear(&file);
    if (!playable)
        return Fail(error, "unsupported Ogg format");
    return Finish(out, error);
}

bool DecodeModule(std::span<const std::uint8_t> bytes, PcmSound& out, std::vector<std::uint32_t>* orderFrames,
                  std::string& error, std::size_t maxFrames) {
    out = PcmSound();
    if (orderFrames)
        orderFrames->clear();
    int code = 0;
    openmpt_module* module =
        openmpt_module_create_from_memory2(bytes.data(), bytes.size(), &openmpt_log_func_silent, nullptr,
                                           &openmpt_error_func_ignore, nullptr, &code, nullptr, nullptr);
    if (module == nullptr)
        return Fail(error, "not a tracker module");
    openmpt_module_set_repeat_count(module, 0);
    out.format = platform::MakePcmFormat(2, kModuleRate, 16);
    const int orders = openmpt_module_get_num_orders(module);
    std::vector<std::uint32_t> firstFrame(orders > 0 ? static_cast<std::size_t>(orders) : 0, UINT32_MAX);
    std::vector<std::int16_t> chunk(2 * 1024);
    std::size_t frames = 0;
    for (;;) {
        const int order = openmpt_module_get_current_order(module);
        if (order >= 0 && static_cast<std::size_t>(order) < firstFrame.size() && firstFrame[order] == UINT32_MAX)
            firstFrame[order] = static_cast<std::uint32_t>(frames);
        const std::size_t got = openmpt_module_read_interleaved_stereo(module, kModuleRate, 1024, chunk.data());
        if (got == 0 || !Append(out, chunk.data(), got * 4, maxFrames))
            break;
        frames += got;
    }
    openmpt_module_destroy(module);
    if (orderFrames) {
        for (std::uint32_t& frame : firstFrame)
            if (frame == UINT32_MAX)
                frame = 0;
        *orderFrames = std::move(firstFrame);
    }
    return Finish(out, error);
}

} // namespace Kavo
