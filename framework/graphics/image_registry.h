#pragma once
// The set of live memory images. It belongs to the framework, not to the
// application: the start-up code installs one in ImageRegistrySlot(), every
// memory image registers with the registry installed when it is made and
// keeps that registry alive until it is destroyed, and the display attaches
// itself as the images' host for as long as it exists. Calls to the host go
// through the registry under its lock, so once DetachHost has returned no
// image calls the old host again, whenever the image dies.

#include "framework/graphics/image_host.h"
#include "platform/process_slot.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <set>

namespace Kavo {

class ImageRegistry {
public:
    ImageRegistry() = default;
    ImageRegistry(const ImageRegistry&) = delete;
    ImageRegistry& operator=(const ImageRegistry&) = delete;

    // Called by the memory image from its constructors and destructor.
    // Removal also lets the host drop the image's textures.
    void Register(MemoryImage* image);
    void Unregister(MemoryImage* image);

    // The host must stay alive until DetachHost returns. Attaching replaces
    // any host attached before.
    void AttachHost(ImageHost& host);
    void DetachHost();
    bool HasHost() const;

    // Forwarded to the attached host; without one: no format, nothing
    // removed, nothing read back.
    std::optional<DisplayPixelFormat> GetDisplayFormat() const;
    void RemoveTextures(MemoryImage* image);
    bool ReadBackTexture(MemoryImage* image, uint32_t* dest);

    bool Contains(const MemoryImage* image) const;
    size_t Count() const;
    // Calls fn for every live image under the lock (the loading thread
    // makes images while the main thread walks them). fn may call the
    // registry again but must not destroy images.
    void ForEachImage(const std::function<void(MemoryImage*)>& fn) const;

private:
    // Recursive: the host and ForEachImage's callers call back into the
    // registry while it is held.
    mutable std::recursive_mutex mLock;
    std::set<MemoryImage*> mImages;
    ImageHost* mHost = nullptr;
};

// The process's registry; empty until the start-up code (or a test
// fixture) installs one. Images made while it is empty belong to none.
platform::ProcessSlot<ImageRegistry>& ImageRegistrySlot();

} // namespace Kavo
