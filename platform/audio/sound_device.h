#pragma once
// A sound device: the maker of sound buffers. Every device created while a
// SoundEnvironment is installed plays into that environment's one mixer, so
// several devices (the framework's and the engine's) are heard together.
// Buffers keep their device's shared state alive after the device itself is
// released.

#include <cstdint>
#include <memory>

#include "platform/audio/sound_buffer.h"
#include "platform/audio/sound_types.h"
#include "platform/result_codes.h"
#include "platform/surface/ref_counted.h"
#include "platform/window.h"

namespace platform {

struct SoundDeviceCore;

class SoundDevice final : public RefCounted {
public:
    // Checks the level (kSoundCoopNormal..kSoundCoopWritePrimary) and
    // otherwise changes nothing: every program shares the output.
    HResult SetCooperativeLevel(WindowHandle window, std::uint32_t level);
    // The primary buffer (kSoundBufferPrimary, no size, no format) or a
    // secondary buffer of desc.bufferBytes bytes (whole frames; the rest is
    // dropped) in *desc.format, filled with silence. A 3D buffer must be mono
    // and cannot have a pan control.
    HResult CreateSoundBuffer(const SoundBufferDesc& desc, SoundBuffer** out);
    // A secondary buffer on the same PCM bytes, with its own cursor, status
    // and notifications; it starts stopped at 0 with the original's volume,
    // pan, frequency and 3D parameters.
    HResult DuplicateSoundBuffer(SoundBuffer* original, SoundBuffer** out);

private:
    friend HResult CreateSoundDevice(SoundDevice** out);
    explicit SoundDevice(std::shared_ptr<SoundDeviceCore> core) : mCore(std::move(core)) {}
    ~SoundDevice() override = default;

    std::shared_ptr<SoundDeviceCore> mCore;
};

// A device on the installed environment's mixer: DSERR_NODRIVER when no
// environment or no mixer is installed.
HResult CreateSoundDevice(SoundDevice** out);

} // namespace platform
