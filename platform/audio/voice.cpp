#include "platform/audio/voice.h"

#include <algorithm>
#include <cstring>

#include "platform/audio/mixer.h"
#include "platform/audio/sound_device_core.h"
#include "platform/audio/sound_gain.h"
#include "platform/threads.h"

namespace platform {

namespace {

constexpr float kFractionScale = 1.0f / 4294967296.0f;

template <int kBits>
float ReadSample(const std::uint8_t* pcm, std::uint64_t index) {
    if constexpr (kBits == 8) {
        return (static_cast<float>(pcm[index]) - 128.0f) * 256.0f;
    } else {
        std::int16_t value;
        std::memcpy(&value, pcm + index * 2, 2);
        return value;
    }
}

struct MixRun {
    const std::uint8_t* pcm;
    std::uint64_t frames;
    bool looping;
    std::uint64_t step;
    float left;
    float right;
};

// Mixes `count` output frames from `cursor` on, none of them at or past the
// end of the buffer, and returns the cursor after them.
template <int kBits, int kIn, int kOut>
std::uint64_t MixFrames(float* out, int count, std::uint64_t cursor, const MixRun& run) {
    for (int i = 0; i < count; ++i) {
        const std::uint64_t frame = cursor >> 32;
        const std::uint64_t next = frame + 1 < run.frames ? frame + 1 : (run.looping ? 0 : frame);
        const float t = static_cast<float>(static_cast<std::uint32_t>(cursor)) * kFractionScale;
        float left;
        float right;
        if constexpr (kIn == 1) {
            const float a = ReadSample<kBits>(run.pcm, frame);
            const float b = ReadSample<kBits>(run.pcm, next);
            left = right = a + (b - a) * t;
        } else {
            const float a0 = ReadSample<kBits>(run.pcm, frame * 2);
            const float b0 = ReadSample<kBits>(run.pcm, next * 2);
            const float a1 = ReadSample<kBits>(run.pcm, frame * 2 + 1);
            const float b1 = ReadSample<kBits>(run.pcm, next * 2 + 1);
            left = a0 + (b0 - a0) * t;
            right = a1 + (b1 - a1) * t;
        }
        if constexpr (kOut == 2) {
            out[2 * i] += left * run.left;
            out[2 * i + 1] += right * run.right;
        } else {
            out[i] += (left + right) * 0.5f * run.left;
        }
        cursor += run.step;
    }
    return cursor;
}

using MixFunction = std::uint64_t (*)(float*, int, std::uint64_t, const MixRun&);

// Indexed by [16-bit][source channels - 1][output channels - 1].
constexpr MixFunction kMixFunctions[2][2][2] = {
    {{MixFrames<8, 1, 1>, MixFrames<8, 1, 2>}, {MixFrames<8, 2, 1>, MixFrames<8, 2, 2>}},
    {{MixFrames<16, 1, 1>, MixFrames<16, 1, 2>}, {MixFrames<16, 2, 1>, MixFrames<16, 2, 2>}},
};

} // namespace

Voice::Voice(std::shared_ptr<SoundDeviceCore> device, const WaveFormat& format, std::uint32_t bytes,
             std::shared_ptr<PcmBytes> pcm)
    : mDevice(std::move(device)), mFormat(format), mBytes(bytes), mFrames(bytes / format.blockAlign),
      mPcm(pcm ? std::move(pcm) : std::make_shared<PcmBytes>(bytes, format.bitsPerSample == 8 ? 0x80 : 0)) {}

HResult Voice::Play(bool looping) {
    std::lock_guard lock(mMutex);
    if (mLost) {
        return DSERR_BUFFERLOST;
    }
    mPlaying = true;
    mLooping = looping;
    return DS_OK;
}

void Voice::Stop() {
    std::lock_guard lock(mMutex);
    if (mPlaying) {
        mPlaying = false;
        NotifyStop();
    }
}

std::uint32_t Voice::Status() {
    std::lock_guard lock(mMutex);
    std::uint32_t status = 0;
    if (mPlaying) {
        status |= kSoundStatusPlaying | (mLooping ? kSoundStatusLooping : 0);
    }
    if (mLost) {
        status |= kSoundStatusBufferLost;
    }
    return status;
}

void Voice::Lose() {
    std::lock_guard lock(mMutex);
    mLost = true;
    mPlaying = false;
}

void Voice::Restore() {
    std::lock_guard lock(mMutex);
    mLost = false;
}

bool Voice::IsLost() {
    std::lock_guard lock(mMutex);
    return mLost;
}

void Voice::Publish() {
    std::lock_guard lock(mMutex);
}

void Voice::SetVolume(int volume) {
    std::lock_guard lock(mMutex);
    mVolume = volume;
    UpdateGains();
}

int Voice::Volume() {
    std::lock_guard lock(mMutex);
    return mVolume;
}

void Voice::SetPan(int pan) {
    std::lock_guard lock(mMutex);
    mPan = pan;
    UpdateGains();
}

int Voice::Pan() {
    std::lock_guard lock(mMutex);
    return mPan;
}

void Voice::SetFrequency(std::uint32_t hz) {
    std::lock_guard lock(mMutex);
    mFrequency = hz;
}

std::uint32_t Voice::Frequency() {
    std::lock_guard lock(mMutex);
    return Rate();
}

void Voice::Cursors(std::uint32_t& play, std::uint32_t& write) {
    std::lock_guard lock(mMutex);
    const std::uint64_t frame = mCursor >> 32;
    play = static_cast<std::uint32_t>(frame * mFormat.blockAlign);
    if (!mPlaying || mFrames == 0) {
        write = play;
        return;
    }
    // The mixer may read up to one block (and one frame to interpolate
    // towards) past the play cursor before it moves again.
    const std::uint64_t outputRate = static_cast<std::uint64_t>(mDevice->mixer->SampleRate());
    const std::uint64_t lead = (std::uint64_t{Mixer::kBlockFrames} * Rate() + outputRate - 1) / outputRate + 1;
    write = static_cast<std::uint32_t>((frame + lead) % mFrames * mFormat.blockAlign);
}

void Voice::SetPlayCursor(std::uint32_t byteOffset) {
    std::lock_guard lock(mMutex);
    mCursor = std::uint64_t{byteOffset / mFormat.blockAlign} << 32;
}

HResult Voice::SetNotifications(std::vector<PositionNotify> positions) {
    std::lock_guard lock(mMutex);
    if (mPlaying) {
        return DSERR_INVALIDCALL;
    }
    mNotifications = std::move(positions);
    return DS_OK;
}

void Voice::UpdateGains() {
    const float volume = GainOfVolume(mVolume);
    mGainLeft = volume * LeftGainOfPan(mPan);
    mGainRight = volume * RightGainOfPan(mPan);
    mGainMono = volume;
}

void Voice::NotifyPassed(std::uint64_t firstFrame, std::uint64_t endFrame) {
    for (const PositionNotify& notify : mNotifications) {
        if (notify.offset == kSoundNotifyOffsetStop) {
            continue;
        }
        const std::uint64_t frame = notify.offset / mFormat.blockAlign;
        if (frame >= firstFrame && frame < endFrame) {
            notify.event->Set();
        }
    }
}

void Voice::NotifyStop() {
    for (const PositionNotify& notify : mNotifications) {
        if (notify.offset == kSoundNotifyOffsetStop) {
            notify.event->Set();
        }
    }
}

void Voice::MixInto(float* accumulator, int frames, int rate, int channels) {
    std::lock_guard lock(mMutex);
    if (!mPlaying || mFrames == 0) {
        return;
    }
    const float device = mDevice->primaryGain.load(std::memory_order_relaxed);
    MixRun run{mPcm->data(),       mFrames,
               mLooping,           (std::uint64_t{Rate()} << 32) / static_cast<std::uint64_t>(rate),
               mGainLeft * device, mGainRight * device};
    if (channels == 1) {
        run.left = mGainMono * device;
    }
    if (run.step == 0) {
        run.step = 1;
    }
    const MixFunction mix = kMixFunctions[mFormat.bitsPerSample == 16][mFormat.channels - 1][channels - 1];
    const std::uint64_t end = mFrames << 32;
    int done = 0;
    while (done < frames && mPlaying) {
        const std::uint64_t untilEnd = (end - mCursor + run.step - 1) / run.step;
        const int count = static_cast<int>(std::min<std::uint64_t>(frames - done, untilEnd));
        const std::uint64_t firstFrame = mCursor >> 32;
        mCursor = mix(accumulator + static_cast<std::ptrdiff_t>(done) * channels, count, mCursor, run);
        done += count;
        NotifyPassed(firstFrame, std::min(mCursor >> 32, mFrames));
        if (mCursor >= end) {
            if (mLooping) {
                mCursor %= end;
            } else {
                mCursor = 0;
                mPlaying = false;
                NotifyStop();
            }
        }
    }
}

} // namespace platform
