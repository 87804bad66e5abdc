#pragma once
// The engine sound system's test bench: the mixer that the platform's
// sound layer plays into (pulled by hand), a virtual clock, memory storages
// for descriptions and waves installed as the sound storages, and a
// manager whose worker the test drives.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "engine/base/sound_error.h"
#include "engine/sound/sound_descr.h"
#include "engine/sound/sound_manager.h"
#include "engine/sound/sound_storages.h"
#include "engine/storage/file_descr.h"
#include "engine/storage/stg.h"
#include "platform/clock.h"
#include "tests/platform/sound_fixture.h"
#include "tools/sound_encoders/sound_encoders.h"

namespace engine_sound_test {

namespace enc = Kavo::SoundEncoders;
using enc::Bytes;
using sound_test::Held;
using sound_test::Pull;

// The code of the errSnd_e that `action` throws; -1 when it throws none.
template <typename F>
int SoundErrorOf(F&& action) {
    try {
        action();
    } catch (const errSnd_e& e) {
        return e.Code();
    }
    return -1;
}

struct StorageRelease {
    void operator()(Stg_t* storage) const { storage->Release(); }
};
using StoragePtr = std::unique_ptr<Stg_t, StorageRelease>;

inline void Put(Stg_t* storage, const std::string& name, const Bytes& bytes) {
    FileDescr_t* file = storage->OpenFile(name, 1);
    std::uint32_t written = 0;
    storage->WriteFile(file, bytes.data(), static_cast<std::uint32_t>(bytes.size()), &written);
    storage->CloseFile(file);
}
inline void PutText(Stg_t* storage, const std::string& name, const std::string& text) {
    Put(storage, name, Bytes(text.begin(), text.end()));
}

// A file without a storage over a copy of the bytes (the reader owns it).
inline FileDescr_t* MemoryFile(const Bytes& bytes) {
    return FileDescr_t::FromMemory(bytes.data(), static_cast<std::uint32_t>(bytes.size()), true).release();
}

// 16-bit mono PCM of a constant value.
inline Bytes Constant16(std::size_t frames, std::int16_t value) {
    return enc::PcmBytes(std::vector<std::int16_t>(frames, value));
}

class EngineSound : public sound_test::SoundLayer {
protected:
    platform::ScopedVirtualClock clock;
    StoragePtr descriptions{Stg_t::OpenStorage("", 0)};
    StoragePtr waves{Stg_t::OpenStorage("", 0)};
    platform::Installed<Sound::SoundStorages> storages{
        Sound::gSoundStorages,
        std::make_shared<Sound::SoundStorages>(Sound::SoundStorages{descriptions.get(), waves.get(), nullptr})};
    std::optional<SoundManager_t> manager;

    void SetUp() override {
        outputRate = 22050;
        outputChannels = 1;
        SoundLayer::SetUp();
    }
    void TearDown() override { manager.reset(); }

    // A manual manager started on the test's mixer.
    SoundManager_t& Started() {
        manager.emplace(SoundManager_t::WorkerMode::Manual);
        manager->Start(nullptr, platform::kSoundCoopPriority, 1, 22050, 16);
        return *manager;
    }

    // Handles every pending wake of the worker.
    void Drain() {
        while (manager->ServiceOnce(0) != platform::kWaitTimeout) {
        }
    }

    // A description over a WAV image held in memory.
    static std::unique_ptr<Sound::SoundDescr_t> WavDescr(const Bytes& pcm, std::uint32_t flags = 0, int bits = 16,
                                                         int group = Sound::SoundDescr_t::GroupEffect) {
        auto descr = std::make_unique<Sound::SoundDescr_t>();
        descr->waveData = enc::MakeWav(1, 22050, bits, pcm);
        descr->waveKind = Sound::SoundDescr_t::WaveWav;
        descr->flags = flags;
        descr->group = group;
        return descr;
    }
};

// An end callback that counts the ends into the int its argument points to.
inline void CountEnd(std::uint32_t, void* argument) {
    ++*static_cast<int*>(argument);
}

} // namespace engine_sound_test
