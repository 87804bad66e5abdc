#pragma once
// The 3D views of sound buffers. Their parameters are checked and stored
// (and read back) but do not change what is heard: positional rendering is
// left to the mixer of a later day. Each view holds a reference on what it
// looks at. The apply argument is kSound3DImmediate or kSound3DDeferred;
// deferred settings are stored at once as well, so CommitDeferredSettings
// has nothing left to do.

#include <cstdint>
#include <memory>

#include "platform/audio/sound_types.h"
#include "platform/result_codes.h"
#include "platform/surface/ref_counted.h"

namespace platform {

class SoundBuffer;
struct SoundDeviceCore;

class SoundBuffer3D final : public RefCounted {
public:
    HResult SetAllParameters(const Buffer3DParams& params, std::uint32_t apply);
    HResult GetAllParameters(Buffer3DParams& params);
    HResult SetPosition(float x, float y, float z, std::uint32_t apply);
    HResult SetVelocity(float x, float y, float z, std::uint32_t apply);
    HResult SetConeAngles(std::uint32_t inside, std::uint32_t outside, std::uint32_t apply);
    HResult SetConeOrientation(float x, float y, float z, std::uint32_t apply);
    HResult SetConeOutsideVolume(int volume, std::uint32_t apply);
    HResult SetMinDistance(float distance, std::uint32_t apply);
    HResult SetMaxDistance(float distance, std::uint32_t apply);
    HResult SetMode(std::uint32_t mode, std::uint32_t apply);

private:
    friend class SoundBuffer;
    explicit SoundBuffer3D(SoundBuffer* buffer);
    ~SoundBuffer3D() override;

    template <typename Change>
    HResult Update(std::uint32_t apply, Change change);

    SoundBuffer* const mBuffer;
};

class SoundListener3D final : public RefCounted {
public:
    HResult SetAllParameters(const Listener3DParams& params, std::uint32_t apply);
    HResult GetAllParameters(Listener3DParams& params);
    HResult SetPosition(float x, float y, float z, std::uint32_t apply);
    HResult SetVelocity(float x, float y, float z, std::uint32_t apply);
    HResult SetOrientation(const Vector3& front, const Vector3& top, std::uint32_t apply);
    HResult SetDistanceFactor(float factor, std::uint32_t apply);
    HResult SetRolloffFactor(float factor, std::uint32_t apply);
    HResult SetDopplerFactor(float factor, std::uint32_t apply);
    HResult CommitDeferredSettings();

private:
    friend class SoundBuffer;
    explicit SoundListener3D(std::shared_ptr<SoundDeviceCore> device) : mDevice(std::move(device)) {}

    template <typename Change>
    HResult Update(std::uint32_t apply, Change change);

    const std::shared_ptr<SoundDeviceCore> mDevice;
};

} // namespace platform
