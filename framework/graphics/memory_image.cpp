#include "framework/graphics/memory_image.h"

#include "framework/graphics/display_3d.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace Kavo {

namespace {

std::unique_ptr<uint32_t[]> AllocPixels(size_t count) {
    auto bits = std::make_unique_for_overwrite<uint32_t[]>(count + 1);
    bits[count] = MemoryImage::kGuardWord;
    return bits;
}

template <typename T>
std::unique_ptr<T[]> CopyArray(const std::unique_ptr<T[]>& from, size_t count) {
    if (!from)
        return nullptr;
    auto to = std::make_unique_for_overwrite<T[]>(count);
    std::copy_n(from.get(), count, to.get());
    return to;
}

// One display-format word: each channel premultiplied by (a + 1) >> 8,
// narrowed to the display's width and moved into place; alpha on top.
inline uint32_t ToDisplayFormat(uint32_t p, const DisplayPixelFormat& f) {
    uint32_t a = p >> 24;
    uint32_t mul = a + 1;
    uint32_t r = (((p & 0x00FF0000) * mul) >> 8) >> (24 - f.mRedBits) << f.mRedShift & f.mRedMask;
    uint32_t g = (((p & 0x0000FF00) * mul) >> 8) >> (16 - f.mGreenBits) << f.mGreenShift & f.mGreenMask;
    uint32_t b = (((p & 0x000000FF) * mul) >> 8) >> (8 - f.mBlueBits) << f.mBlueShift & f.mBlueMask;
    return r | g | b | a << 24;
}

// The inverse of ToDisplayFormat as far as the display's widths allow.
inline uint32_t FromDisplayFormat(uint32_t word, const DisplayPixelFormat& f) {
    uint32_t a = word >> 24;
    uint32_t div = a + 1;
    auto channel = [&](uint32_t mask, int bits, int shift) {
        uint32_t c = ((word & mask) << 8) / div & mask;
        return c << 8 >> (shift + bits);
    };
    return a << 24 | channel(f.mRedMask, f.mRedBits, f.mRedShift) << 16 |
           channel(f.mGreenMask, f.mGreenBits, f.mGreenShift) << 8 | channel(f.mBlueMask, f.mBlueBits, f.mBlueShift);
}

// Run lengths of equal classes per row, written n, n - 1, ..., 1 and
// capped at 255. classOf(i) gives the class of pixel i.
template <typename ClassOf>
std::unique_ptr<uint8_t[]> BuildRuns(int width, int height, ClassOf classOf) {
    size_t total = static_cast<size_t>(std::max(width, 0)) * std::max(height, 0);
    auto runs = std::make_unique_for_overwrite<uint8_t[]>(total);
    if (total == 0)
        return runs; // no pixels, no runs (a width of 0 or less has no last pixel)
    for (int y = 0; y < height; ++y) {
        size_t rowStart = static_cast<size_t>(y) * width;
        size_t i = rowStart + width - 1;
        uint32_t runClass = classOf(i);
        uint32_t run = 0;
        for (int x = width - 1; x >= 0; --x, --i) {
            uint32_t c = classOf(i);
            run = (c == runClass) ? run + 1 : 1;
            runClass = c;
            runs[i] = static_cast<uint8_t>(std::min<uint32_t>(run, 255));
        }
    }
    return runs;
}

inline uint32_t AlphaClass(uint32_t alpha) {
    return alpha == 0 ? 0 : (alpha == 255 ? 1 : 2);
}

} // namespace

MemoryImage::MemoryImage() : mRegistry(ImageRegistrySlot().Get()) {
    if (mRegistry)
        mRegistry->Register(this);
}

MemoryImage::MemoryImage(const MemoryImage& other)
    : Image(other), mBitsChangedCount(other.mBitsChangedCount), mTextureHints(other.mTextureHints),
      mForcedAlphaFlags(other.mForcedAlphaFlags), mHasTrans(other.mHasTrans), mHasAlpha(other.mHasAlpha),
      mVolatile(other.mVolatile), mPurgeBits(other.mPurgeBits), mWantPalettize(other.mWantPalettize),
      mNativeAlphaFormat(other.mNativeAlphaFormat), mAlphaFlagsDirty(other.mAlphaFlagsDirty),
      mRegistry(other.mRegistry) {
    // A purged source is brought back only for the copy and purged again.
    MemoryImage& source = const_cast<MemoryImage&>(other);
    bool restoreForm = !source.mBits && !source.mColorTable;
    if (restoreForm)
        source.GetBits();

    size_t count = PixelCount();
    mBits = CopyArray(source.mBits, count + 1);
    mColorTable = CopyArray(source.mColorTable, 256);
    mColorIndices = CopyArray(source.mColorIndices, count);
    mNativeAlphaData = CopyArray(source.mNativeAlphaData, source.mColorTable ? 256 : count);
    mRLAlphaData = CopyArray(source.mRLAlphaData, count);
    mRLAdditiveData = CopyArray(source.mRLAdditiveData, count);
    mAddedColorData = CopyArray(source.mAddedColorData, AddedColorWords());

    if (restoreForm)
        source.mBits.reset();
    if (mRegistry)
        mRegistry->Register(this);
}

MemoryImage::~MemoryImage() {
    if (mRegistry)
        mRegistry->Unregister(this);
}

size_t MemoryImage::PixelCount() const {
    return static_cast<size_t>(std::max(mWidth, 0)) * static_cast<size_t>(std::max(mHeight, 0));
}

size_t MemoryImage::AddedColorWords() const {
    return PixelCount() + 3 * static_cast<size_t>(std::max(mHeight, 0));
}

void MemoryImage::FreePalette() {
    if (mColorTable)
        mNativeAlphaData.reset();
    mColorTable.reset();
    mColorIndices.reset();
}

void MemoryImage::BitsChanged() {
    ++mBitsChangedCount;
    mAlphaFlagsDirty = true;
    mNativeAlphaData.reset();
    mRLAlphaData.reset();
    mRLAdditiveData.reset();
    mAddedColorData.reset();
    mAddedSinceChange = false;
}

void MemoryImage::UpdateAlphaFlags() {
    if (!mAlphaFlagsDirty || mForcedAlphaFlags)
        return;
    mHasAlpha = false;
    auto scan = [this](const uint32_t* pixels, size_t count) {
        mHasTrans = false;
        for (size_t i = 0; i < count && !(mHasTrans && mHasAlpha); ++i) {
            uint32_t a = pixels[i] >> 24;
            if (a == 0)
                mHasTrans = true;
            else if (a != 255)
                mHasAlpha = true;
        }
    };
    if (mBits)
        scan(mBits.get(), PixelCount());
    else if (mColorTable)
        scan(mColorTable.get(), 256);
    else
        mHasTrans = true;
    mAlphaFlagsDirty = false;
}

void MemoryImage::SetAlphaFlags(bool hasTrans, bool hasAlpha) {
    mForcedAlphaFlags = true;
    mHasTrans = hasTrans;
    mHasAlpha = hasAlpha;
}

void MemoryImage::SetVolatile(bool isVolatile) {
    mVolatile = isVolatile;
}

uint32_t* MemoryImage::GetBits() {
    if (mBits)
        return mBits.get();

    size_t count = PixelCount();
    auto bits = AllocPixels(count);
    if (mColorTable) {
        const uint32_t* table = mColorTable.get();
        const uint8_t* indices = mColorIndices.get();
        for (size_t i = 0; i < count; ++i)
            bits[i] = table[indices[i]];
        FreePalette();
    } else if (mNativeAlphaData) {
        const uint32_t* native = mNativeAlphaData.get();
        for (size_t i = 0; i < count; ++i)
            bits[i] = FromDisplayFormat(native[i], mNativeAlphaFormat);
    } else if (!(mTextureData && mRegistry && mRegistry->ReadBackTexture(this, bits.get()))) {
        std::fill_n(bits.get(), count, 0u);
    }
    bits[count] = kGuardWord;
    mBits = std::move(bits);
    return mBits.get();
}

uint32_t* MemoryImage::GetDisplayFormatBits(const DisplayPixelFormat& format) {
    if (mNativeAlphaData)
        return mNativeAlphaData.get();
    UpdateAlphaFlags();
    const uint32_t* from;
    size_t count;
    if (mColorTable) {
        from = mColorTable.get();
        count = 256;
    } else {
        from = GetBits();
        count = PixelCount();
    }
    auto native = std::make_unique_for_overwrite<uint32_t[]>(count);
    for (size_t i = 0; i < count; ++i)
        native[i] = ToDisplayFormat(from[i], format);
    mNativeAlphaData = std::move(native);
    mNativeAlphaFormat = format;
    return mNativeAlphaData.get();
}

uint8_t* MemoryImage::GetAlphaRuns() {
    UpdateAlphaFlags();
    if (mRLAlphaData)
        return mRLAlphaData.get();
    if (mColorTable) {
        const uint32_t* table = mNativeAlphaData ? mNativeAlphaData.get() : mColorTable.get();
        const uint8_t* indices = mColorIndices.get();
        mRLAlphaData = BuildRuns(mWidth, mHeight, [&](size_t i) { return AlphaClass(table[indices[i]] >> 24); });
    } else {
        const uint32_t* pixels = mNativeAlphaData ? mNativeAlphaData.get() : GetBits();
        mRLAlphaData = BuildRuns(mWidth, mHeight, [&](size_t i) { return AlphaClass(pixels[i] >> 24); });
    }
    return mRLAlphaData.get();
}

uint8_t* MemoryImage::GetAdditiveRuns(const DisplayPixelFormat& format) {
    if (mRLAdditiveData)
        return mRLAdditiveData.get();
    const uint32_t* native = GetDisplayFormatBits(format);
    auto isBlack = [](uint32_t word) { return static_cast<uint32_t>((word & 0x00FFFFFF) == 0); };
    if (mColorTable) {
        const uint8_t* indices = mColorIndices.get();
        mRLAdditiveData = BuildRuns(mWidth, mHeight, [&](size_t i) { return isBlack(native[indices[i]]); });
    } else {
        mRLAdditiveData = BuildRuns(mWidth, mHeight, [&](size_t i) { return isBlack(native[i]); });
    }
    return mRLAdditiveData.get();
}

void MemoryImage::SetPurgeBits() {
    mPurgeBits = true;
    if (IsDisplay3D()) {
        if (!mTextureData)
            return;
        mBits.reset();
    } else {
        const std::optional<DisplayPixelFormat> format =
            mRegistry ? mRegistry->GetDisplayFormat() : std::optional<DisplayPixelFormat>();
        if (!format || (!mBits && !mColorIndices))
            return;
        // The palettised form goes below; the display copy must then hold
        // every pixel, not the converted colour table.
        if (mTextureData && mColorTable)
            GetBits();
        GetDisplayFormatBits(*format);
        mBits.reset();
    }
    if (mTextureData)
        FreePalette();
}

void MemoryImage::ReapplyStorageFlags() {
    if (mWantPalettize)
        Palettize();
    if (mPurgeBits)
        SetPurgeBits();
}

void MemoryImage::DropSoftwareCaches() {
    if (!mBits && !mColorIndices)
        GetBits();
    mNativeAlphaData.reset();
    mRLAdditiveData.reset();
    mRLAlphaData.reset();
    mAddedColorData.reset();
}

void MemoryImage::DropSoftwareCachesB() {
    if (!mBits && !mColorIndices)
        GetBits();
    mNativeAlphaData.reset();
    mRLAdditiveData.reset();
    mAddedColorData.reset();
}

void MemoryImage::DropTextures() {
    if (mRegistry)
        mRegistry->RemoveTextures(this);
}

void MemoryImage::DropDerivedBuffers() {
    DropSoftwareCaches();
    DropTextures();
}

void MemoryImage::ClearBits() {
    uint32_t* bits = GetBits();
    if (!bits)
        return;
    std::fill_n(bits, PixelCount(), 0u);
    BitsChanged();
}

void MemoryImage::SetBits(const uint32_t* bits, int width, int height, bool commit) {
    if (bits == mBits.get())
        return;
    FreePalette();
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width != mWidth || height != mHeight || !mBits) {
        mWidth = width;
        mHeight = height;
        mBits = AllocPixels(PixelCount());
    }
    size_t count = PixelCount();
    if (bits)
        std::copy_n(bits, count, mBits.get());
    else
        std::fill_n(mBits.get(), count, 0u);
    mBits[count] = kGuardWord;
    BitsChanged();
    if (commit)
        UpdateAlphaFlags();
}

void MemoryImage::Create(int width, int height) {
    mBits.reset();
    FreePalette();
    mWidth = width;
    mHeight = height;
    mHasTrans = true;
    mHasAlpha = true;
    BitsChanged();
}

bool MemoryImage::Palettize() {
    UpdateAlphaFlags();
    if (mColorTable)
        return true;
    uint32_t* bits = GetBits();
    if (!bits)
        return false;
    mColorIndices = std::make_unique_for_overwrite<uint8_t[]>(PixelCount());
    mColorTable = std::make_unique<uint32_t[]>(256);
    if (MakeExactPalette(bits, mWidth, mHeight, mColorIndices.get(), mColorTable.get())) {
        mBits.reset();
        mNativeAlphaData.reset();
        mWantPalettize = true;
        return true;
    }
    mColorIndices.reset();
    mColorTable.reset();
    mWantPalettize = false;
    return false;
}

bool MemoryImage::MakeExactPalette(const uint32_t* pixels, int width, int height, uint8_t* indices, uint32_t* table) {
    size_t count = static_cast<size_t>(std::max(width, 0)) * std::max(height, 0);
    if (count == 0)
        return true;
    // Distinct colours in ascending order, with each one's palette index.
    uint32_t sorted[256];
    uint8_t sortedIndex[256];
    int known = 1;
    sorted[0] = pixels[0];
    sortedIndex[0] = 0;
    table[0] = pixels[0];
    indices[0] = 0;

    uint32_t lastColor = pixels[0];
    uint8_t lastIndex = 0;
    for (size_t i = 1; i < count; ++i) {
        uint32_t color = pixels[i];
        if (color == lastColor) { // neighbours usually match; skip the search
            indices[i] = lastIndex;
            continue;
        }
        int pos = static_cast<int>(std::lower_bound(sorted, sorted + known, color) - sorted);
        if (pos < known && sorted[pos] == color) {
            lastIndex = sortedIndex[pos];
        } else {
            if (known == 256)
                return false;
            std::memmove(sorted + pos + 1, sorted + pos, (known - pos) * sizeof(uint32_t));
            std::memmove(sortedIndex + pos + 1, sortedIndex + pos, (known - pos) * sizeof(uint8_t));
            sorted[pos] = color;
            lastIndex = static_cast<uint8_t>(known);
            sortedIndex[pos] = lastIndex;
            table[known] = color;
            ++known;
        }
        lastColor = color;
        indices[i] = lastIndex;
    }
    return true;
}

} // namespace Kavo
