#pragma once
// What the resource manager needs of the application: its shared images,
// plain image loads for legacy font pictures, the 3D question the manifest's
// "nobits3d" and "nobits2d" ask, and the framework sound manager. The
// application hands its own to the manager at construction; tests hand a
// recording one.

#include <cstdint>
#include <string>

#include "framework/graphics/shared_image.h"

namespace Kavo {

class MemoryImage;

class ResourceAppServices {
public:
    virtual ~ResourceAppServices() = default;

    // The shared image of that file and variant; isNew tells whether this
    // call loaded it. The handle holds no image when the file does not load.
    virtual SharedImageHandle GetSharedImage(const std::string& path, const std::string& variant, bool* isNew) = 0;
    // A new image owned by the caller, with the alpha companion looked for;
    // null when the file does not load.
    virtual MemoryImage* LoadImage(const std::string& path) = 0;
    virtual bool UsesHardware3D() = 0;

    // The framework sound manager; without one no id is free.
    virtual int32_t GetFreeSoundId() = 0;
    virtual bool LoadSound(int32_t soundId, const std::string& path) = 0;
    virtual void ReleaseSound(int32_t soundId) = 0;
    virtual void SetSoundBaseVolume(int32_t soundId, double volume) = 0;
    virtual void SetSoundBasePan(int32_t soundId, int32_t pan) = 0;
};

} // namespace Kavo
