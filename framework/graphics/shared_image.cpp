#include "framework/graphics/shared_image.h"

#include <utility>

#include "framework/graphics/memory_image.h"

namespace Kavo {

namespace {
std::atomic<bool> gPurgeRequested{false};
} // namespace

void RequestSharedImagePurge() {
    gPurgeRequested = true;
}
bool IsSharedImagePurgeRequested() {
    return gPurgeRequested;
}
bool TakeSharedImagePurgeRequest() {
    return gPurgeRequested.exchange(false);
}

SharedImageHandle::SharedImageHandle(SharedImage* shared) {
    Hold(shared);
}

// A copy shares the record only; an unshared image stays with its handle.
SharedImageHandle::SharedImageHandle(const SharedImageHandle& other) {
    Hold(other.mSharedImage);
}

SharedImageHandle::SharedImageHandle(SharedImageHandle&& other) noexcept
    : mSharedImage(std::exchange(other.mSharedImage, nullptr)),
      mUnsharedImage(std::exchange(other.mUnsharedImage, nullptr)),
      mOwnsUnshared(std::exchange(other.mOwnsUnshared, false)) {}

SharedImageHandle::~SharedImageHandle() {
    Release();
}

void SharedImageHandle::Hold(SharedImage* shared) {
    mSharedImage = shared;
    if (shared)
        ++shared->mRefCount;
}

SharedImageHandle& SharedImageHandle::operator=(const SharedImageHandle& other) {
    // Take the new reference before dropping the old one, so that handing a
    // record to a handle that already holds it never touches zero.
    SharedImage* shared = other.mSharedImage;
    if (shared)
        ++shared->mRefCount;
    Release();
    mSharedImage = shared;
    return *this;
}

SharedImageHandle& SharedImageHandle::operator=(SharedImageHandle&& other) noexcept {
    if (this != &other) {
        Release();
        mSharedImage = std::exchange(other.mSharedImage, nullptr);
        mUnsharedImage = std::exchange(other.mUnsharedImage, nullptr);
        mOwnsUnshared = std::exchange(other.mOwnsUnshared, false);
    }
    return *this;
}

SharedImageHandle& SharedImageHandle::operator=(MemoryImage* image) {
    SetUnsharedImage(image, false);
    return *this;
}

void SharedImageHandle::SetUnsharedImage(MemoryImage* image, bool owns) {
    if (image != nullptr && image == mUnsharedImage) {
        // Already held: only the ownership changes.
        mOwnsUnshared = owns;
        return;
    }
    Release();
    mUnsharedImage = image;
    mOwnsUnshared = owns;
}

void SharedImageHandle::Release() {
    if (mOwnsUnshared)
        delete mUnsharedImage;
    mUnsharedImage = nullptr;
    mOwnsUnshared = false;
    if (mSharedImage) {
        if (--mSharedImage->mRefCount == 0)
            RequestSharedImagePurge();
        mSharedImage = nullptr;
    }
}

MemoryImage* SharedImageHandle::GetImage() const {
    if (mUnsharedImage)
        return mUnsharedImage;
    return mSharedImage ? mSharedImage->mImage.load() : nullptr;
}

} // namespace Kavo
