#include "framework/graphics/dd_image.h"

#include <algorithm>
#include <cstring>

#include "framework/graphics/dd_interface.h"
#include "framework/graphics/surface_color_key.h"
#include "framework/graphics/surface_readback.h"
#include "platform/surface/surface_flags.h"

namespace Kavo {

namespace {

inline bool IsOpaque(uint32_t pixel) {
    return (pixel >> 24) == 0xFF;
}

template <typename Word>
void WriteRows(const platform::SurfaceDesc& locked, const uint32_t* bits, int width, int height,
               const SurfacePixelConverter& converter, const std::optional<uint32_t>& key) {
    auto* row = static_cast<uint8_t*>(locked.surface);
    for (int y = 0; y < height; ++y, row += locked.pitch, bits += width) {
        for (int x = 0; x < width; ++x) {
            const uint32_t pixel = bits[x];
            const Word value = static_cast<Word>(key && !IsOpaque(pixel) ? *key : converter.Convert(pixel));
            std::memcpy(row + size_t(x) * sizeof(Word), &value, sizeof(Word));
        }
    }
}

// Pixels whose surface value is the key were transparent when written.
template <typename Word>
void ClearKeyedPixels(const platform::SurfaceDesc& locked, uint32_t* bits, int destWidth, int width, int height,
                      uint32_t key) {
    const auto* row = static_cast<const uint8_t*>(locked.surface);
    for (int y = 0; y < height; ++y, row += locked.pitch, bits += destWidth) {
        for (int x = 0; x < width; ++x) {
            Word value;
            std::memcpy(&value, row + size_t(x) * sizeof(Word), sizeof(Word));
            if (value == static_cast<Word>(key))
                bits[x] = 0;
        }
    }
}

} // namespace

DDImage::DDImage(DDInterface* ddInterface) : mDDInterface(ddInterface) {
    if (mDDInterface != nullptr)
        mDDInterface->AddDDImage(this);
}

DDImage::~DDImage() {
    ReleaseSurface();
    if (mDDInterface != nullptr)
        mDDInterface->RemoveDDImage(this);
}

void DDImage::ReleaseSurface() {
    if (mSurface == nullptr)
        return;
    if (mLockCount > 0)
        mSurface->Unlock();
    mLockCount = 0;
    mSurface->Release();
    mSurface = nullptr;
}

bool DDImage::LockSurface() {
    if (mDDInterface != nullptr && mDDInterface->mIs3D && mSurface != nullptr && mSurface == mDDInterface->mDrawSurface)
        return false;
    if (mLockCount == 0) {
        mLockedDesc = platform::SurfaceDesc();
        if (mSurface == nullptr && !GenerateDDSurface())
            return false;
        if (mSurface == nullptr || platform::Failed(mSurface->Lock(mLockedDesc, platform::kLockWait)))
            return false;
    }
    ++mLockCount;
    return true;
}

bool DDImage::UnlockSurface() {
    if (mDDInterface != nullptr && mDDInterface->mIs3D && mSurface != nullptr && mSurface == mDDInterface->mDrawSurface)
        return false;
    if (mLockCount <= 0 || mSurface == nullptr)
        return false;
    if (--mLockCount == 0)
        mSurface->Unlock();
    return true;
}

void DDImage::SetSurface(platform::Surface* surface) {
    mSurfaceAdopted = true;
    if (surface != mSurface) {
        // The surface replaced is released, not leaked.
        ReleaseSurface();
        mSurface = surface;
        if (mSurface != nullptr)
            mSurface->AddRef();
    }
    if (mSurface != nullptr) {
        platform::SurfaceDesc desc;
        if (platform::Succeeded(mSurface->GetSurfaceDesc(desc))) {
            mWidth = desc.width;
            mHeight = desc.height;
        }
    }
    mNoReadBack = false;
}

platform::Surface* DDImage::GetSurface() {
    if (mSurface == nullptr)
        GenerateDDSurface();
    return mSurface;
}

bool DDImage::GenerateDDSurface() {
    if (mSurface != nullptr)
        return true;
    if (mDDInterface == nullptr)
        return false;
    UpdateAlphaFlags();
    if (mHasAlpha)
        return false;
    mSurfaceWanted = true;
    if (mColorTable && !mBits)
        GetBits();

    platform::SurfaceDesc desc;
    desc.flags = platform::kDescCaps | platform::kDescWidth | platform::kDescHeight;
    desc.width = mWidth;
    desc.height = mHeight;
    desc.caps = mVideoMemory ? platform::kCapsVideoMemory : platform::kCapsSystemMemory;

    platform::AutoCrit guard(mDDInterface->mCritSect);
    if (platform::Failed(mDDInterface->CreateSurface(desc, &mSurface))) {
        mSurface = nullptr;
        return false;
    }
    // A surface that could not be filled is not kept: it would pass for the pixels.
    if (!LockSurface()) {
        ReleaseSurface();
        return false;
    }
    if (!WriteBitsToSurface()) {
        ReleaseSurface();
        return false;
    }
    UnlockSurface();
    return true;
}

bool DDImage::WriteBitsToSurface() {
    const uint32_t bitCount = mLockedDesc.pixelFormat.bitCount;
    if (bitCount != 16 && bitCount != 32)
        return false;
    const uint32_t* bits = mBits.get();
    if (bits == nullptr)
        return true; // no pixels to write yet
    const SurfacePixelConverter converter{mDDInterface->GetPixelFormat(), mLockedDesc.pixelFormat.redMask,
                                          mLockedDesc.pixelFormat.greenMask, mLockedDesc.pixelFormat.blueMask};
    const size_t count = PixelCount();
    std::optional<uint32_t> key;
    if (mHasTrans && std::any_of(bits, bits + count, [](uint32_t p) { return !IsOpaque(p); })) {
        key = ChooseColorKey(bits, count, static_cast<int>(bitCount), converter);
        if (!key)
            return false; // every value is an opaque pixel's: no key can stand for the clear ones
    }
    const int width = std::min(mWidth, mLockedDesc.width);
    const int height = std::min(mHeight, mLockedDesc.height);
    if (width != mWidth)
        return false; // rows of the bits and of the surface would not line up
    if (bitCount == 16)
        WriteRows<uint16_t>(mLockedDesc, bits, width, height, converter, key);
    else
        WriteRows<uint32_t>(mLockedDesc, bits, width, height, converter, key);
    if (key) {
        const platform::ColorKey surfaceKey{*key, *key};
        mSurface->SetColorKey(platform::kColorKeySrcBlt, &surfaceKey);
    }
    return true;
}

uint32_t* DDImage::GetBits() {
    if (mBits)
        return mBits.get();
    if (mSurface == nullptr)
        return MemoryImage::GetBits();
    if (mNoReadBack || !LockSurface())
        return nullptr;
    const size_t count = PixelCount();
    auto bits = std::make_unique<uint32_t[]>(count + 1);
    bits[count] = kGuardWord;
    const platform::PixelFormat& format = mLockedDesc.pixelFormat;
    const LockedSurface view{mLockedDesc.surface, mLockedDesc.pitch, mLockedDesc.width, mLockedDesc.height,
                             format.redMask,      format.greenMask,  format.blueMask};
    ReadSurfacePixels(bits.get(), mWidth, mHeight, view, format.BytesPerPixel());
    // Keyed pixels stand for the transparent ones: they read back
    // transparent, not as opaque pixels of the key's colour.
    platform::ColorKey key;
    if (platform::Succeeded(mSurface->GetColorKey(platform::kColorKeySrcBlt, key))) {
        const int width = std::min(mWidth, mLockedDesc.width);
        const int height = std::min(mHeight, mLockedDesc.height);
        if (format.bitCount == 16)
            ClearKeyedPixels<uint16_t>(mLockedDesc, bits.get(), mWidth, width, height, key.low);
        else if (format.bitCount == 32)
            ClearKeyedPixels<uint32_t>(mLockedDesc, bits.get(), mWidth, width, height, key.low);
    }
    UnlockSurface();
    mBits = std::move(bits);
    return mBits.get();
}

void DDImage::DeleteDDSurface() {
    if (mSurface == nullptr)
        return;
    if (!mColorTable && !mBits && mTextureData == nullptr)
        GetBits();
    ReleaseSurface();
}

void DDImage::DeleteAllNonSurfaceData() {
    mBits.reset();
    mNativeAlphaData.reset();
    mRLAlphaData.reset();
    mRLAdditiveData.reset();
    mAddedColorData.reset();
    mColorTable.reset();
    mColorIndices.reset();
}

void DDImage::SetVideoMemory(bool videoMemory) {
    if (videoMemory == mVideoMemory)
        return;
    mVideoMemory = videoMemory;
    GetBits();
    DeleteDDSurface();
}

void DDImage::PrepareSurface() {
    GenerateDDSurface();
}

bool DDImage::Palettize() {
    if (!MemoryImage::Palettize())
        return false;
    DeleteDDSurface();
    return true;
}

void DDImage::BitsChanged() {
    MemoryImage::BitsChanged();
    if (!mSurfaceAdopted)
        ReleaseSurface();
}

void DDImage::UpdateAlphaFlags() {
    if (mSurface != nullptr)
        return;
    MemoryImage::UpdateAlphaFlags();
}

void DDImage::Create(int width, int height) {
    mBits.reset();
    // A palettised form of the old size would be read with the new one.
    mColorTable.reset();
    mColorIndices.reset();
    mWidth = width;
    mHeight = height;
    BitsChanged();
}

void DDImage::SetPurgeBits() {
    if (mSurfaceAdopted)
        return;
    mPurgeBits = true;
    UpdateAlphaFlags();
    const bool is3D = mDDInterface != nullptr && mDDInterface->mIs3D;
    if (!is3D) {
        if (mSurfaceWanted && GenerateDDSurface()) {
            if (mColorTable)
                mNativeAlphaData.reset(); // the colour table converted
            mBits.reset();
            mColorIndices.reset();
            mColorTable.reset();
            return;
        }
    } else if (mSurface != nullptr) {
        // Textures are made from the bits in 3D.
        GetBits();
        DeleteDDSurface();
    }
    MemoryImage::SetPurgeBits();
}

void DDImage::ReapplyStorageFlags() {
    if (mWantPalettize)
        Palettize();
    if (mPurgeBits)
        SetPurgeBits();
    if (mSurfaceWanted)
        GenerateDDSurface();
}

void DDImage::DropDerivedBuffers() {
    if (mSurfaceAdopted)
        return;
    DropSoftwareCaches();
    DropTextures();
    DeleteDDSurface();
}

void DDImage::DropSoftwareCachesB() {
    if (mSurfaceAdopted)
        return;
    if (!mBits && !mColorIndices)
        GetBits();
    mNativeAlphaData.reset();
    mRLAdditiveData.reset();
    mAddedColorData.reset();
    DeleteDDSurface();
}

} // namespace Kavo
