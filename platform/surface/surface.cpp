#include "platform/surface/surface.h"

#include <algorithm>
#include <utility>

#include "platform/surface/clipper.h"
#include "platform/surface/display_core.h"
#include "platform/surface/palette.h"
#include "platform/surface/pixel_plane.h"

namespace platform {

namespace {

bool SameLayout(const PixelFormat& a, const PixelFormat& b) {
    return a.bitCount == b.bitCount && a.redMask == b.redMask && a.greenMask == b.greenMask && a.blueMask == b.blueMask;
}

// Swaps an attached object for another, moving one reference each way.
template <typename T>
void Attach(T*& slot, T* object) {
    if (object) {
        object->AddRef();
    }
    if (slot) {
        slot->Release();
    }
    slot = object;
}

template <typename T>
HResult Hand(T* object, T** out, HResult none) {
    if (!out) {
        return DDERR_INVALIDPARAMS;
    }
    *out = object;
    if (!object) {
        return none;
    }
    object->AddRef();
    return DD_OK;
}

} // namespace

int Surface::PitchFor(int width, const PixelFormat& format, int extraBytes) {
    const int row = width * format.BytesPerPixel();
    return (row + 3) / 4 * 4 + std::max(extraBytes, 0);
}

Surface::Surface(std::shared_ptr<DisplayCore> core, int width, int height, const PixelFormat& format,
                 std::uint32_t caps)
    : mCore(std::move(core)), mWidth(width), mHeight(height),
      mPitch(PitchFor(width, format, mCore->Settings().extraPitchBytes)), mFormat(format), mCaps(caps),
      mPixels(static_cast<std::size_t>(mPitch) * static_cast<std::size_t>(height)) {
    ++mCore->Live().surfaces;
}

Surface::~Surface() {
    Attach<Clipper>(mClipper, nullptr);
    Attach<Palette>(mPalette, nullptr);
    Attach<Surface>(mBackBuffer, nullptr);
    mCore->ReleaseVideoMemory(mVideoBytes);
    if (mCore->Primary() == this) {
        mCore->SetPrimary(nullptr);
    }
    --mCore->Live().surfaces;
}

PixelPlane Surface::Plane() {
    return {mPixels.data(), mPitch, mWidth, mHeight, mFormat.BytesPerPixel()};
}

void Surface::Changed(const Rect& area) {
    if (IsPrimary()) {
        mCore->Present(*this, area);
    }
}

void Surface::SwapWithBackBuffer() {
    std::swap(mPixels, mBackBuffer->mPixels);
    mFlipped = !mFlipped;
}

HResult Surface::Lock(SurfaceDesc& out, std::uint32_t flags) {
    if (const HResult injected = mCore->Check(DisplayOperation::Lock); Failed(injected)) {
        return injected;
    }
    if (mLocked) {
        return DDERR_SURFACEBUSY;
    }
    GetSurfaceDesc(out);
    out.flags |= kDescSurfacePointer;
    out.surface = mPixels.data();
    mLocked = true;
    mLockFlags = flags;
    return DD_OK;
}

HResult Surface::Unlock() {
    if (const HResult injected = mCore->Check(DisplayOperation::Unlock); Failed(injected)) {
        return injected;
    }
    if (!mLocked) {
        return DDERR_NOTLOCKED;
    }
    mLocked = false;
    if ((mLockFlags & kLockReadOnly) == 0) {
        Changed(Bounds());
    }
    return DD_OK;
}

HResult Surface::Blt(const Rect* destRect, Surface* src, const Rect* srcRect, std::uint32_t flags,
                     const BltEffects* effects) {
    if (const HResult injected = mCore->Check(DisplayOperation::Blt); Failed(injected)) {
        return injected;
    }
    const Rect dest = destRect ? *destRect : Bounds();
    if (IsEmpty(dest)) {
        return DDERR_INVALIDRECT;
    }
    Rect visible = Bounds();
    if (mClipper) {
        Rect region;
        if (const HResult result = mClipper->GetClipRect(region); Failed(result)) {
            return result;
        }
        visible = Intersect(visible, region);
    } else if (!Inside(dest, Bounds())) {
        return DDERR_INVALIDRECT;
    }
    const Rect clip = Intersect(visible, dest);

    if (flags & kBltColorFill) {
        if (!effects || src) {
            return DDERR_INVALIDPARAMS;
        }
        if (mLocked) {
            return DDERR_SURFACEBUSY;
        }
        if (!IsEmpty(clip)) {
            FillPixels(Plane(), clip, effects->fillColor);
            Changed(clip);
        }
        return DD_OK;
    }

    if (!src) {
        return DDERR_INVALIDPARAMS;
    }
    const Rect source = srcRect ? *srcRect : src->Bounds();
    if (IsEmpty(source) || !Inside(source, src->Bounds())) {
        return DDERR_INVALIDRECT;
    }
    if (mLocked || src->mLocked) {
        return DDERR_SURFACEBUSY;
    }
    if (!SameLayout(mFormat, src->mFormat)) {
        return DDERR_INVALIDPIXELFORMAT;
    }
    const ColorKey* key = nullptr;
    if (flags & kBltKeySrc) {
        if (!src->mHasSrcKey) {
            return DDERR_NOCOLORKEY;
        }
        key = &src->mSrcKey;
    }
    if (IsEmpty(clip)) {
        return DD_OK;
    }
    if (src == this) {
        // Overlapping rectangles of one surface: read from a copy.
        std::vector<std::uint8_t> copy = mPixels;
        PixelPlane from = Plane();
        from.bits = copy.data();
        BlitNearest(Plane(), dest, clip, from, source, key);
    } else {
        BlitNearest(Plane(), dest, clip, src->Plane(), source, key);
    }
    Changed(clip);
    return DD_OK;
}

HResult Surface::Flip(Surface* override, std::uint32_t) {
    if (const HResult injected = mCore->Check(DisplayOperation::Flip); Failed(injected)) {
        return injected;
    }
    if ((mCaps & kCapsFlip) == 0 || !mBackBuffer) {
        return DDERR_NOTFLIPPABLE;
    }
    if (override && override != mBackBuffer) {
        return DDERR_INVALIDPARAMS;
    }
    if (mLocked || mBackBuffer->mLocked) {
        return DDERR_SURFACEBUSY;
    }
    SwapWithBackBuffer();
    Changed(Bounds());
    return DD_OK;
}

HResult Surface::GetAttachedSurface(std::uint32_t caps, Surface** out) {
    if (const HResult injected = mCore->Check(DisplayOperation::GetAttachedSurface); Failed(injected)) {
        return injected;
    }
    if (!out) {
        return DDERR_INVALIDPARAMS;
    }
    *out = nullptr;
    if (!mBackBuffer || (caps & ~(kCapsBackBuffer | kCapsFlip | kCapsComplex)) != 0 || (caps & kCapsBackBuffer) == 0) {
        return DDERR_NOTFOUND;
    }
    return Hand(mBackBuffer, out, DDERR_NOTFOUND);
}

HResult Surface::GetSurfaceDesc(SurfaceDesc& out) const {
    if (const HResult injected = mCore->Check(DisplayOperation::GetSurfaceDesc); Failed(injected)) {
        return injected;
    }
    out = SurfaceDesc{};
    out.flags = kDescCaps | kDescWidth | kDescHeight | kDescPitch | kDescPixelFormat;
    out.width = mWidth;
    out.height = mHeight;
    out.pitch = mPitch;
    out.pixelFormat = mFormat;
    out.caps = mCaps;
    if (mBackBuffer) {
        out.flags |= kDescBackBufferCount;
        out.backBufferCount = 1;
    }
    if (mHasSrcKey) {
        out.flags |= kDescColorKeySrcBlt;
        out.srcBltKey = mSrcKey;
    }
    return DD_OK;
}

HResult Surface::SetColorKey(std::uint32_t flags, const ColorKey* key) {
    if (const HResult injected = mCore->Check(DisplayOperation::SetColorKey); Failed(injected)) {
        return injected;
    }
    if ((flags & kColorKeySrcBlt) == 0) {
        return DDERR_UNSUPPORTED;
    }
    if (key && key->high < key->low) {
        return DDERR_INVALIDPARAMS;
    }
    mHasSrcKey = key != nullptr;
    mSrcKey = key ? *key : ColorKey{};
    return DD_OK;
}

HResult Surface::GetColorKey(std::uint32_t flags, ColorKey& out) const {
    if ((flags & kColorKeySrcBlt) == 0) {
        return DDERR_UNSUPPORTED;
    }
    if (!mHasSrcKey) {
        return DDERR_NOCOLORKEY;
    }
    out = mSrcKey;
    return DD_OK;
}

HResult Surface::SetClipper(Clipper* clipper) {
    if (const HResult injected = mCore->Check(DisplayOperation::SetClipper); Failed(injected)) {
        return injected;
    }
    Attach(mClipper, clipper);
    return DD_OK;
}

HResult Surface::GetClipper(Clipper** out) const {
    return Hand(mClipper, out, DDERR_NOCLIPPERATTACHED);
}

HResult Surface::SetPalette(Palette* palette) {
    if (const HResult injected = mCore->Check(DisplayOperation::SetPalette); Failed(injected)) {
        return injected;
    }
    Attach(mPalette, palette);
    return DD_OK;
}

HResult Surface::GetPalette(Palette** out) const {
    return Hand(mPalette, out, DDERR_NOPALETTEATTACHED);
}

} // namespace platform
