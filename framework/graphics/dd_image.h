#pragma once
// An image that can keep its pixels in a surface of the display device.
// The surface and the memory copies (bits, palettised form, texture) may
// exist together; which one is current follows three rules:
//   - drawing into the bits ends in BitsChanged, which drops the surface
//     unread;
//   - drawing into the surface ends in DeleteAllNonSurfaceData, which frees
//     every memory copy but the texture;
//   - dropping the surface while no other copy exists reads it back first.
// Images with partial alpha never get a surface.

#include <cstdint>

#include "framework/graphics/memory_image.h"
#include "platform/surface/surface.h"
#include "platform/surface/surface_desc.h"

namespace Kavo {

class DDInterface;

class DDImage : public MemoryImage {
public:
    // Joins the device's set of live surface images (and, as every memory
    // image, the installed image registry).
    explicit DDImage(DDInterface* ddInterface);
    ~DDImage() override;
    DDImage(const DDImage&) = delete;
    DDImage& operator=(const DDImage&) = delete;

    // ---- Storage (the memory image's, kept in step with the surface) ----
    void SetPurgeBits() override;
    void DropDerivedBuffers() override;
    void ReapplyStorageFlags() override;
    // Drops the surface unread: the bits are now the current copy.
    void BitsChanged() override;
    // Nothing while a surface exists.
    void UpdateAlphaFlags() override;
    void DropSoftwareCachesB() override;
    // Leaves the alpha flags as they are.
    void Create(int width, int height) override;
    // Reads the surface back when only it holds the pixels: 32-bit opaque
    // pixels, except those equal to the surface's colour key, which read
    // back as 0. Null when the surface cannot be read.
    uint32_t* GetBits() override;
    bool Palettize() override;

    // ---- The surface ----
    virtual void SetVideoMemory(bool videoMemory);
    virtual void PrepareSurface();
    // Nested locks only count. False in 3D for the display's draw surface,
    // or when no surface can be made or locked.
    virtual bool LockSurface();
    virtual bool UnlockSurface();
    // Adopts a surface of the display (screen and cursor images): takes a
    // reference, takes its size, and never purges, drops or regenerates it.
    virtual void SetSurface(platform::Surface* surface);

    // Makes the surface from the bits; false for partial alpha, when the
    // surface cannot be made or locked, or when a colour key is needed and
    // every pixel value is taken by an opaque pixel.
    bool GenerateDDSurface();
    // Writes the memory copy over the surface, so that what was drawn into
    // the bits (the memory image's paths) shows; false when there are no
    // bits or the surface cannot be locked or written.
    bool CommitBitsToSurface();
    void DeleteDDSurface();
    void DeleteAllNonSurfaceData();
    // Generates the surface when there is none; null when that fails.
    platform::Surface* GetSurface();

    DDInterface* mDDInterface;
    platform::Surface* mSurface = nullptr; // one reference owned
    bool mSurfaceAdopted = false;
    bool mNoReadBack = false;
    bool mVideoMemory = false;
    bool mSurfaceWanted = false;
    int32_t mLockCount = 0;
    platform::SurfaceDesc mLockedDesc; // valid while mLockCount > 0

private:
    bool WriteBitsToSurface();
    void ReleaseSurface();
};

} // namespace Kavo
