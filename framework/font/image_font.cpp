#include "framework/font/image_font.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "framework/font/font_data.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "framework/util/string_util.h"

namespace Kavo {

namespace {

// Truncation toward zero, kept inside the int range (and 0 for NaN) so that
// absurd scales from a descriptor cannot overflow a conversion.
int TruncToInt(double value) {
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::clamp(std::trunc(value), double{INT_MIN / 2}, double{INT_MAX / 2}));
}

// A scaled glyph sheet larger than this is not made: its layer keeps its
// metrics but draws nothing.
constexpr int64_t kMaxScaledPixels = int64_t{1} << 24;

} // namespace

ImageFont::ImageFont() {
    mFontData = new FontData();
    mFontData->mRefCount = 1;
}

ImageFont::ImageFont(const std::string& fontDescFileName) : ImageFont() {
    mFontData->Load(fontDescFileName);
    mPointSize = mFontData->mDefaultPointSize;
    GenerateActiveFontLayers();
    mActiveListValid = true;
}

ImageFont::ImageFont(Image* fontImage, const std::string& fontDescFileName) : ImageFont() {
    mFontData->LoadLegacy(fontImage, fontDescFileName);
    mPointSize = mFontData->mDefaultPointSize;
    GenerateActiveFontLayers();
    mActiveListValid = true;
}

ImageFont::ImageFont(const ImageFont& other)
    : Font(other), mFontData(other.mFontData), mPointSize(other.mPointSize), mTagVector(other.mTagVector),
      mActiveListValid(other.mActiveListValid), mScale(other.mScale),
      mForceScaledImagesWhite(other.mForceScaledImagesWhite) {
    ++mFontData->mRefCount;
    if (mActiveListValid)
        for (const ActiveFontLayer& active : other.mActiveLayerList)
            mActiveLayerList.emplace_back(active);
}

ImageFont::~ImageFont() {
    if (--mFontData->mRefCount == 0)
        delete mFontData;
}

bool ImageFont::IsLoaded() const {
    return mFontData->mInitialized;
}

double ImageFont::LayerFactor(const FontLayer& layer) const {
    return layer.mPointSize == 0 ? mScale : mScale * mPointSize / layer.mPointSize;
}

int ImageFont::ScaleForLayer(const FontLayer& layer, int64_t value) const {
    const double v = static_cast<double>(value);
    if (layer.mPointSize == 0)
        return TruncToInt(v * mScale);
    return TruncToInt(v * (mPointSize * mScale) / layer.mPointSize);
}

void ImageFont::GenerateActiveFontLayers() {
    if (!mFontData->mInitialized)
        return;
    mActiveLayerList.clear();
    mAscent = 0;
    mAscentPadding = 0;
    mHeight = 0;
    mLineSpacingOffset = 0;
    bool firstLayer = true;

    for (FontLayer& layer : mFontData->mFontLayerList) {
        if (mPointSize < layer.mMinPointSize || (mPointSize > layer.mMaxPointSize && layer.mMaxPointSize != -1))
            continue;
        auto present = [this](const std::string& tag) {
            return std::find(mTagVector.begin(), mTagVector.end(), tag) != mTagVector.end();
        };
        if (!std::all_of(layer.mRequiredTags.begin(), layer.mRequiredTags.end(), present) ||
            std::any_of(layer.mExcludedTags.begin(), layer.mExcludedTags.end(), present))
            continue;

        ActiveFontLayer& active = mActiveLayerList.emplace_back();
        active.mBaseFontLayer = &layer;
        double numerator = 1.0;
        double denominator = 1.0;
        if (mScale == 1.0 && (layer.mPointSize == 0 || layer.mPointSize == mPointSize)) {
            active.mScaledImage = layer.mImage.GetImage();
            active.mOwnsImage = false;
            for (int i = 0; i < 256; ++i)
                active.mScaledCharImageRects[i] = layer.mCharData[i].mImageRect;
        } else {
            if (layer.mPointSize == 0) {
                numerator = mScale;
            } else {
                numerator = mPointSize * mScale;
                denominator = layer.mPointSize;
            }
            BuildScaledImage(active, layer, numerator, denominator);
        }

        auto scaled = [&](int value) {
            return TruncToInt(static_cast<double>(value) * numerator * (1.0 / denominator));
        };
        mAscent = std::max(mAscent, scaled(layer.mAscent));
        mHeight = std::max(mHeight, scaled(layer.mHeight != 0 ? layer.mHeight : layer.mImageMapHeight));
        const int padding = scaled(layer.mAscentPadding);
        const int lineSpacingOffset = scaled(layer.mLineSpacingOffset);
        mAscentPadding = firstLayer ? padding : std::min(mAscentPadding, padding);
        mLineSpacingOffset = firstLayer ? lineSpacingOffset : std::max(mLineSpacingOffset, lineSpacingOffset);
        firstLayer = false;
    }
}

void ImageFont::BuildScaledImage(ActiveFontLayer& active, const FontLayer& layer, double numerator,
                                 double denominator) {
    auto scaled = [&](int value) { return TruncToInt(static_cast<double>(value) * numerator * (1.0 / denominator)); };
    int64_t x = 0;
    int height = 0;
    for (int i = 0; i < 256; ++i) {
        const IntRect& source = layer.mCharData[i].mImageRect;
        // A negative point size or scale would give cells of negative size.
        const int w = std::max(0, scaled(source.mWidth));
        const int h = std::max(0, scaled(source.mHeight));
        active.mScaledCharImageRects[i] = IntRect(static_cast<int>(std::clamp<int64_t>(x, 0, INT_MAX / 2)), 0, w, h);
        x += w;
        height = std::max(height, h);
    }
    auto* image = new MemoryImage();
    active.mScaledImage = image;
    active.mOwnsImage = true;
    if (x <= 0 || height <= 0 || x * height > kMaxScaledPixels)
        return;
    const int width = static_cast<int>(x);
    image->Create(width, height);
    if (MemoryImage* sheet = layer.mImage.GetImage()) {
        Graphics g(image);
        for (int i = 0; i < 256; ++i)
            g.DrawImage(sheet, active.mScaledCharImageRects[i], layer.mCharData[i].mImageRect);
    }
    if (mForceScaledImagesWhite) {
        uint32_t* bits = image->GetBits();
        for (size_t i = 0; i < image->PixelCount(); ++i)
            bits[i] |= 0x00FFFFFF;
        image->BitsChanged();
    }
    image->Palettize();
}

int ImageFont::CharWidthKern(char chr, char prevChar) {
    Prepare();
    const uint8_t c = mFontData->mCharMap[static_cast<uint8_t>(chr)];
    const uint8_t p = prevChar == 0 ? 0 : mFontData->mCharMap[static_cast<uint8_t>(prevChar)];
    int width = 0;
    for (const ActiveFontLayer& active : mActiveLayerList) {
        const FontLayer& layer = *active.mBaseFontLayer;
        const int advance = ScaleForLayer(layer, layer.mCharData[c].mWidth);
        const int kern =
            p == 0 ? 0 : ScaleForLayer(layer, int64_t{layer.mCharData[p].mKerningOffsets[c]} + layer.mSpacing);
        width = std::max(width, advance + kern);
    }
    return width;
}

int ImageFont::CharWidth(char chr) {
    return CharWidthKern(chr, 0);
}

int ImageFont::StringWidth(const std::string& str) {
    int64_t width = 0;
    char prev = 0;
    for (char chr : str) {
        width += CharWidthKern(chr, prev);
        prev = chr;
    }
    return static_cast<int>(std::min<int64_t>(width, INT_MAX));
}

void ImageFont::DrawString(Graphics* g, int x, int y, const std::string& str, const Color& color,
                           const IntRect& clipRect) {
    DrawStringEx(g, x, y, str, color, clipRect, nullptr, nullptr);
}

Font* ImageFont::Duplicate() {
    return new ImageFont(*this);
}

void ImageFont::SetPointSize(int pointSize) {
    mPointSize = pointSize;
    mActiveListValid = false;
}

int ImageFont::GetPointSize() {
    return mPointSize;
}

void ImageFont::SetScale(double scale) {
    mScale = scale;
    mActiveListValid = false;
}

int ImageFont::GetDefaultPointSize() {
    return mFontData->mDefaultPointSize;
}

bool ImageFont::AddTag(const std::string& tagName) {
    if (HasTag(tagName))
        return false;
    mTagVector.push_back(StringToUpper(tagName));
    mActiveListValid = false;
    return true;
}

bool ImageFont::RemoveTag(const std::string& tagName) {
    auto found = std::find(mTagVector.begin(), mTagVector.end(), StringToUpper(tagName));
    if (found == mTagVector.end())
        return false;
    mTagVector.erase(found);
    mActiveListValid = false;
    return true;
}

bool ImageFont::HasTag(const std::string& tagName) {
    return std::find(mTagVector.begin(), mTagVector.end(), StringToUpper(tagName)) != mTagVector.end();
}

std::string ImageFont::GetDefine(const std::string& name) {
    const DataElement* definition = mFontData->GetDefine(name);
    return definition ? mFontData->ElementToText(definition) : std::string();
}

void ImageFont::Prepare() {
    if (!mActiveListValid) {
        GenerateActiveFontLayers();
        mActiveListValid = true;
    }
}

} // namespace Kavo
