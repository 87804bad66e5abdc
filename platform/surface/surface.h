#pragma once
// A rectangle of pixels made by a Display: the primary (what the desktop
// shows), its back buffer, or an off-screen surface in system or video
// memory. Locking hands out the pixels; blits copy between surfaces of one
// format; the primary hands every change to the display's presenter.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/geometry.h"
#include "platform/result_codes.h"
#include "platform/surface/ref_counted.h"
#include "platform/surface/surface_desc.h"

namespace platform {

class Clipper;
class DisplayCore;
class Palette;
struct PixelPlane;

class Surface final : public RefCounted {
public:
    // Locks the whole surface: fills out's pointer, pitch, size, caps and
    // format. DDERR_SURFACEBUSY while it is locked already.
    HResult Lock(SurfaceDesc& out, std::uint32_t flags);
    // DDERR_NOTLOCKED when it is not locked.
    HResult Unlock();

    // Copies srcRect of src (null: all of it) onto destRect (null: all of
    // this surface), stretching when the sizes differ. kBltKeySrc skips the
    // source's colour key; kBltColorFill fills destRect with
    // effects->fillColor and takes no source. A clipper on this surface
    // clips the destination; without one, a destination outside the surface
    // is DDERR_INVALIDRECT. A source rectangle outside the source is always
    // DDERR_INVALIDRECT.
    HResult Blt(const Rect* destRect, Surface* src, const Rect* srcRect, std::uint32_t flags,
                const BltEffects* effects);

    // Swaps the front and back buffer of a flip chain (the primary in
    // exclusive full screen). `override` may be null or the back buffer.
    HResult Flip(Surface* override, std::uint32_t flags);
    // The back buffer of a flip chain (kCapsBackBuffer), with a reference.
    HResult GetAttachedSurface(std::uint32_t caps, Surface** out);
    HResult GetSurfaceDesc(SurfaceDesc& out) const;

    // kColorKeySrcBlt only; a null key removes it.
    HResult SetColorKey(std::uint32_t flags, const ColorKey* key);
    HResult GetColorKey(std::uint32_t flags, ColorKey& out) const;

    // Attaching takes a reference and drops the one on the previous object;
    // null detaches. The getters add a reference to what they hand out.
    HResult SetClipper(Clipper* clipper);
    HResult GetClipper(Clipper** out) const;
    HResult SetPalette(Palette* palette);
    HResult GetPalette(Palette** out) const;

    int Width() const { return mWidth; }
    int Height() const { return mHeight; }
    int Pitch() const { return mPitch; }
    const PixelFormat& Format() const { return mFormat; }
    std::uint32_t Caps() const { return mCaps; }
    bool IsLocked() const { return mLocked; }
    bool IsPrimary() const { return (mCaps & kCapsPrimarySurface) != 0; }
    const std::uint8_t* Pixels() const { return mPixels.data(); }

    // Rows are 4-byte aligned, plus the display's extra pitch.
    static int PitchFor(int width, const PixelFormat& format, int extraBytes);

private:
    friend class Display;
    Surface(std::shared_ptr<DisplayCore> core, int width, int height, const PixelFormat& format, std::uint32_t caps);
    ~Surface() override;

    PixelPlane Plane();
    Rect Bounds() const { return {0, 0, mWidth, mHeight}; }
    HResult ColorFill(const Rect& dest, const BltEffects* effects);
    void Changed(const Rect& area);
    void SwapWithBackBuffer();

    std::shared_ptr<DisplayCore> mCore;
    int mWidth;
    int mHeight;
    int mPitch;
    PixelFormat mFormat;
    std::uint32_t mCaps;
    std::vector<std::uint8_t> mPixels;
    bool mLocked = false;
    std::uint32_t mLockFlags = 0;
    bool mHasSrcKey = false;
    ColorKey mSrcKey;
    Clipper* mClipper = nullptr;
    Palette* mPalette = nullptr;
    Surface* mBackBuffer = nullptr; // owned reference; the primary of a flip chain only
    bool mFlipped = false;          // odd number of flips: the desktop's buffer is at the back
    std::uint64_t mVideoBytes = 0;  // charged to the display's video memory
};

} // namespace platform
