#pragma once

#include <atomic>
#include <cstdint>

namespace Kavo {

class MemoryImage;

// One entry of the application's table of images loaded once per file name.
// The loading thread and the main thread both touch it: the image is stored
// by the call that loads it while other threads may already hold the record.
struct SharedImage {
    std::atomic<MemoryImage*> mImage{nullptr};
    std::atomic<int32_t> mRefCount{0};
};

// Raised when a shared image's count drops to zero; the application then
// drops every shared image nobody holds and takes the request back.
void RequestSharedImagePurge();
bool IsSharedImagePurgeRequested();
// Returns whether a purge was requested and clears the request.
bool TakeSharedImagePurgeRequest();

// A counted reference to a shared image, or a plain pointer to an image of
// its own (which it deletes only when told it owns it).
class SharedImageHandle {
public:
    SharedImage* mSharedImage = nullptr;
    MemoryImage* mUnsharedImage = nullptr;
    bool mOwnsUnshared = false;

    SharedImageHandle() = default;
    // Takes a reference to the record, which must not be null.
    explicit SharedImageHandle(SharedImage* shared);
    SharedImageHandle(const SharedImageHandle& other);
    SharedImageHandle(SharedImageHandle&& other) noexcept;
    ~SharedImageHandle();

    SharedImageHandle& operator=(const SharedImageHandle& other);
    SharedImageHandle& operator=(SharedImageHandle&& other) noexcept;
    // Holds the image without owning it; the caller keeps it alive.
    SharedImageHandle& operator=(MemoryImage* image);
    // Holds the image, deleting it on release when `owns` is set.
    void SetUnsharedImage(MemoryImage* image, bool owns);

    void Release();

    MemoryImage* GetImage() const;
    operator MemoryImage*() const { return GetImage(); }

private:
    void Hold(SharedImage* shared);
};

} // namespace Kavo
