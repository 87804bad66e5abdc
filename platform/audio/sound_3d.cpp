#include "platform/audio/sound_3d.h"

#include <mutex>

#include "platform/audio/sound_buffer.h"
#include "platform/audio/sound_device_core.h"

namespace platform {

namespace {

constexpr float kMaxFactor = 10.0f;

bool IsValid(const Buffer3DParams& params) {
    return params.insideConeAngle <= 360 && params.outsideConeAngle <= 360 &&
           params.insideConeAngle <= params.outsideConeAngle && params.coneOutsideVolume >= kSoundVolumeMin &&
           params.coneOutsideVolume <= kSoundVolumeMax && params.minDistance > 0 && params.maxDistance > 0 &&
           params.mode <= kSound3DModeDisable;
}

bool IsValid(const Listener3DParams& params) {
    return params.distanceFactor > 0 && params.rolloffFactor >= 0 && params.rolloffFactor <= kMaxFactor &&
           params.dopplerFactor >= 0 && params.dopplerFactor <= kMaxFactor;
}

// Applies `change` to a copy of `stored` and keeps it when it is valid.
template <typename Params, typename Change>
HResult ChangeStored(std::mutex& mutex, Params& stored, std::uint32_t apply, Change change) {
    if (apply != kSound3DImmediate && apply != kSound3DDeferred) {
        return DSERR_INVALIDPARAM;
    }
    std::lock_guard lock(mutex);
    Params next = stored;
    change(next);
    if (!IsValid(next)) {
        return DSERR_INVALIDPARAM;
    }
    stored = next;
    return DS_OK;
}

} // namespace

SoundBuffer3D::SoundBuffer3D(SoundBuffer* buffer) : mBuffer(buffer) {
    mBuffer->AddRef();
}

SoundBuffer3D::~SoundBuffer3D() {
    mBuffer->Release();
}

template <typename Change>
HResult SoundBuffer3D::Update(std::uint32_t apply, Change change) {
    return ChangeStored(mBuffer->m3DMutex, mBuffer->m3D, apply, change);
}

HResult SoundBuffer3D::SetAllParameters(const Buffer3DParams& params, std::uint32_t apply) {
    return Update(apply, [&](Buffer3DParams& p) { p = params; });
}

HResult SoundBuffer3D::GetAllParameters(Buffer3DParams& params) {
    std::lock_guard lock(mBuffer->m3DMutex);
    params = mBuffer->m3D;
    return DS_OK;
}

HResult SoundBuffer3D::SetPosition(float x, float y, float z, std::uint32_t apply) {
    return Update(apply, [&](Buffer3DParams& p) { p.position = {x, y, z}; });
}

HResult SoundBuffer3D::SetVelocity(float x, float y, float z, std::uint32_t apply) {
    return Update(apply, [&](Buffer3DParams& p) { p.velocity = {x, y, z}; });
}

HResult SoundBuffer3D::SetConeAngles(std::uint32_t inside, std::uint32_t outside, std::uint32_t apply) {
    return Update(apply, [&](Buffer3DParams& p) {
        p.insideConeAngle = inside;
        p.outsideConeAngle = outside;
    });
}

HResult SoundBuffer3D::SetConeOrientation(float x, float y, float z, std::uint32_t apply) {
    return Update(apply, [&](Buffer3DParams& p) { p.coneOrientation = {x, y, z}; });
}

HResult SoundBuffer3D::SetConeOutsideVolume(int volume, std::uint32_t apply) {
    return Update(apply, [&](Buffer3DParams& p) { p.coneOutsideVolume = volume; });
}

HResult SoundBuffer3D::SetMinDistance(float distance, std::uint32_t apply) {
    return Update(apply, [&](Buffer3DParams& p) { p.minDistance = distance; });
}

HResult SoundBuffer3D::SetMaxDistance(float distance, std::uint32_t apply) {
    return Update(apply, [&](Buffer3DParams& p) { p.maxDistance = distance; });
}

HResult SoundBuffer3D::SetMode(std::uint32_t mode, std::uint32_t apply) {
    return Update(apply, [&](Buffer3DParams& p) { p.mode = mode; });
}

template <typename Change>
HResult SoundListener3D::Update(std::uint32_t apply, Change change) {
    return ChangeStored(mDevice->mutex, mDevice->listener, apply, change);
}

HResult SoundListener3D::SetAllParameters(const Listener3DParams& params, std::uint32_t apply) {
    return Update(apply, [&](Listener3DParams& p) { p = params; });
}

HResult SoundListener3D::GetAllParameters(Listener3DParams& params) {
    std::lock_guard lock(mDevice->mutex);
    params = mDevice->listener;
    return DS_OK;
}

HResult SoundListener3D::SetPosition(float x, float y, float z, std::uint32_t apply) {
    return Update(apply, [&](Listener3DParams& p) { p.position = {x, y, z}; });
}

HResult SoundListener3D::SetVelocity(float x, float y, float z, std::uint32_t apply) {
    return Update(apply, [&](Listener3DParams& p) { p.velocity = {x, y, z}; });
}

HResult SoundListener3D::SetOrientation(const Vector3& front, const Vector3& top, std::uint32_t apply) {
    return Update(apply, [&](Listener3DParams& p) {
        p.orientFront = front;
        p.orientTop = top;
    });
}

HResult SoundListener3D::SetDistanceFactor(float factor, std::uint32_t apply) {
    return Update(apply, [&](Listener3DParams& p) { p.distanceFactor = factor; });
}

HResult SoundListener3D::SetRolloffFactor(float factor, std::uint32_t apply) {
    return Update(apply, [&](Listener3DParams& p) { p.rolloffFactor = factor; });
}

HResult SoundListener3D::SetDopplerFactor(float factor, std::uint32_t apply) {
    return Update(apply, [&](Listener3DParams& p) { p.dopplerFactor = factor; });
}

HResult SoundListener3D::CommitDeferredSettings() {
    return DS_OK;
}

} // namespace platform
