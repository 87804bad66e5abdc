#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/graphics/point.h"
#include "framework/graphics/shared_image.h"
#include "framework/util/color.h"
#include "framework/util/rect.h"

namespace Kavo {

class FontData;

// One character of a layer: its cell in the layer's image and how it sits
// and advances on the line.
struct FontCharData {
    IntRect mImageRect;
    Point mOffset;
    // Added to the advance when the character of that code follows.
    int8_t mKerningOffsets[256] = {};
    int32_t mWidth = 0;
    int32_t mOrder = 0;
};

// One layer of a bitmap font as its descriptor sets it up.
class FontLayer {
public:
    FontData* mFontData = nullptr;
    std::vector<std::string> mRequiredTags; // upper case
    std::vector<std::string> mExcludedTags; // upper case
    FontCharData mCharData[256];
    Color mColorMult = Color(255, 255, 255, 255);
    Color mColorAdd = Color(0, 0, 0, 0);
    SharedImageHandle mImage;
    int32_t mDrawMode = -1; // -1: the drawing context's own
    Point mOffset;
    int32_t mSpacing = 0;
    int32_t mMinPointSize = -1;
    int32_t mMaxPointSize = -1; // -1: no upper bound
    int32_t mPointSize = 0;
    int32_t mHeight = 0;
    int32_t mDefaultHeight = 0;
    int32_t mAscent = 0;
    int32_t mAscentPadding = 0;
    int32_t mLineSpacingOffset = 0;
    // Largest cell height plus vertical character offset; stands for the
    // height while that is 0.
    int32_t mImageMapHeight = 0;
    int32_t mBaseOrder = 0;

    explicit FontLayer(FontData* fontData) : mFontData(fontData) {}
    FontLayer(const FontLayer&) = default;
    FontLayer& operator=(const FontLayer&) = delete;

    void RecomputeImageMapHeight();
};

} // namespace Kavo
