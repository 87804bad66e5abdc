// The sound mixer's cost: 32 looping 22050 Hz mono buffers, each with its
// own volume and pan, mixed into 44100 Hz stereo, one second of output per
// iteration pulled in 1024-frame pieces as an audio output does. There is
// no peer library here; the "real_time_%" column is the share of real time
// the mixing takes (the goal is under 1 %). Build with optimisation:
//   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG"
//   cmake --build build-bench --target sound_mixer_bench && build-bench/bench/sound_mixer_bench

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/audio/mixer.h"
#include "platform/audio/sound_buffer.h"
#include "platform/audio/sound_device.h"
#include "platform/audio/sound_environment.h"

namespace {

using namespace platform;

constexpr int kBuffers = 32;
constexpr int kOutputRate = 44100;
constexpr int kPullFrames = 1024;
constexpr std::uint32_t kSourceRate = 22050;

void MixOneSecond(benchmark::State& state) {
    auto mixer = std::make_shared<Mixer>(kOutputRate, 2);
    Installed<SoundEnvironment> installed(SoundEnvironmentSlot(),
                                          std::make_shared<SoundEnvironment>(SoundEnvironment{mixer}));
    SoundDevice* device = nullptr;
    if (Failed(CreateSoundDevice(&device))) {
        state.SkipWithError("no sound device");
        return;
    }
    const WaveFormat format = MakePcmFormat(1, kSourceRate, 16);
    std::vector<SoundBuffer*> buffers;
    for (int i = 0; i < kBuffers; ++i) {
        const SoundBufferDesc desc{kSoundBufferCtrlVolume | kSoundBufferCtrlPan | kSoundBufferCtrlFrequency,
                                   kSourceRate * 2, &format};
        SoundBuffer* buffer = nullptr;
        device->CreateSoundBuffer(desc, &buffer);
        void* part = nullptr;
        std::uint32_t bytes = 0;
        buffer->Lock(0, 0, &part, &bytes, nullptr, nullptr, kSoundLockEntireBuffer);
        std::vector<std::int16_t> tone(bytes / 2);
        for (std::size_t k = 0; k < tone.size(); ++k) {
            tone[k] = static_cast<std::int16_t>(8000 * std::sin(k * (0.01 + i * 0.003)));
        }
        std::memcpy(part, tone.data(), bytes);
        buffer->Unlock(part, bytes, nullptr, 0);
        buffer->SetVolume(-100 * (i % 10));
        buffer->SetPan(-3000 + 200 * i);
        buffer->Play(kSoundPlayLooping);
        buffers.push_back(buffer);
    }
    std::vector<std::int16_t> out(2 * kPullFrames);
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (int done = 0; done < kOutputRate; done += kPullFrames) {
            mixer->Render(out.data(), std::min(kPullFrames, kOutputRate - done));
            benchmark::DoNotOptimize(out.data());
        }
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    // Each iteration is one second of sound: seconds per iteration, as a
    // percentage, is the share of real time.
    state.counters["real_time_%"] = 100.0 * seconds / static_cast<double>(state.iterations());
    for (SoundBuffer* buffer : buffers) {
        buffer->Release();
    }
    device->Release();
}

BENCHMARK(MixOneSecond)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
