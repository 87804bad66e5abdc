// Drawing a string: one glyph record per character and active layer, sorted
// into order buckets, then drawn bucket by bucket, so that a shadow or
// outline layer of the whole string lies under its face.

#include <algorithm>
#include <climits>
#include <cstdint>
#include <mutex>

#include "framework/font/font_data.h"
#include "framework/font/image_font.h"
#include "framework/graphics/graphics.h"

namespace Kavo {

namespace {

struct GlyphRecord {
    Image* mImage = nullptr;
    int mX = 0;
    int mY = 0;
    IntRect mSrcRect;
    int mDrawMode = -1;
    Color mColor;
    GlyphRecord* mNext = nullptr;
};

// One pool and one set of buckets serve every font and every thread, under
// one lock, so that drawing text allocates nothing.
struct GlyphPool {
    std::mutex mLock;
    GlyphRecord mRecords[ImageFont::kMaxGlyphs];
    GlyphRecord* mHeads[256];
    GlyphRecord* mTails[256];
};

GlyphPool& SharedGlyphPool() {
    static GlyphPool pool;
    return pool;
}

int ClampToInt(int64_t value) {
    return static_cast<int>(std::clamp<int64_t>(value, INT_MIN / 2, INT_MAX / 2));
}

int ChannelOf(int mult, int text, int add) {
    return static_cast<int>(std::clamp<int64_t>(int64_t{mult} * text / 255 + add, INT_MIN, 255));
}

} // namespace

void ImageFont::DrawStringEx(Graphics* g, int x, int y, const std::string& str, const Color& color,
                             const IntRect& /*clipRect*/, std::vector<IntRect>* drawnAreas, int* width) {
    GlyphPool& pool = SharedGlyphPool();
    std::lock_guard<std::mutex> hold(pool.mLock);
    std::fill(std::begin(pool.mHeads), std::end(pool.mHeads), nullptr);
    std::fill(std::begin(pool.mTails), std::end(pool.mTails), nullptr);
    if (drawnAreas)
        drawnAreas->clear();
    if (!mFontData->mInitialized) {
        if (width)
            *width = 0;
        return;
    }

    Prepare();
    const bool colorizeImages = g->GetColorizeImages();
    g->SetColorizeImages(true);

    int used = 0;
    int currentX = x;
    const uint8_t* charMap = mFontData->mCharMap;
    for (size_t j = 0; j < str.size() && used < kMaxGlyphs; ++j) {
        const uint8_t c = charMap[static_cast<uint8_t>(str[j])];
        const uint8_t next = j + 1 < str.size() ? charMap[static_cast<uint8_t>(str[j + 1])] : 0;
        int nextX = currentX;
        for (const ActiveFontLayer& active : mActiveLayerList) {
            if (used >= kMaxGlyphs)
                break;
            const FontLayer& layer = *active.mBaseFontLayer;
            const FontCharData& data = layer.mCharData[c];
            // Descriptor values are summed wide, so that no value a file
            // holds can overflow.
            const int64_t kerning = next == 0 ? 0 : int64_t{data.mKerningOffsets[next]} + layer.mSpacing;
            int64_t glyphX, glyphY, advance, kern;
            if (LayerFactor(layer) == 1.0) {
                glyphX = int64_t{currentX} + data.mOffset.mX + layer.mOffset.mX;
                glyphY = int64_t{y} + data.mOffset.mY - layer.mAscent + layer.mOffset.mY;
                advance = data.mWidth;
                kern = kerning;
            } else {
                glyphX = int64_t{currentX} + ScaleForLayer(layer, int64_t{data.mOffset.mX} + layer.mOffset.mX);
                glyphY = int64_t{y} - ScaleForLayer(layer, int64_t{layer.mAscent} - data.mOffset.mY - layer.mOffset.mY);
                advance = ScaleForLayer(layer, data.mWidth);
                kern = next == 0 ? 0 : ScaleForLayer(layer, kerning);
            }

            GlyphRecord& record = pool.mRecords[used++];
            record.mImage = active.mScaledImage;
            record.mX = ClampToInt(glyphX);
            record.mY = ClampToInt(glyphY);
            record.mSrcRect = active.mScaledCharImageRects[c];
            record.mDrawMode = layer.mDrawMode;
            record.mColor = Color(ChannelOf(layer.mColorMult.mRed, color.mRed, layer.mColorAdd.mRed),
                                  ChannelOf(layer.mColorMult.mGreen, color.mGreen, layer.mColorAdd.mGreen),
                                  ChannelOf(layer.mColorMult.mBlue, color.mBlue, layer.mColorAdd.mBlue),
                                  ChannelOf(layer.mColorMult.mAlpha, color.mAlpha, layer.mColorAdd.mAlpha));
            record.mNext = nullptr;

            const int bucket =
                static_cast<int>(std::clamp<int64_t>(int64_t{data.mOrder} + layer.mBaseOrder + 128, 0, 255));
            if (pool.mTails[bucket])
                pool.mTails[bucket]->mNext = &record;
            else
                pool.mHeads[bucket] = &record;
            pool.mTails[bucket] = &record;

            if (drawnAreas)
                drawnAreas->push_back(IntRect(record.mX, record.mY, record.mSrcRect.mWidth, record.mSrcRect.mHeight));
            nextX = std::max(nextX, ClampToInt(int64_t{currentX} + advance + kern));
        }
        currentX = nextX;
    }
    if (width)
        *width = currentX - x;

    const Color savedColor = g->GetColor();
    for (GlyphRecord* head : pool.mHeads) {
        for (GlyphRecord* record = head; record; record = record->mNext) {
            const int savedDrawMode = g->GetDrawMode();
            if (record->mDrawMode != -1)
                g->SetDrawMode(record->mDrawMode);
            g->SetColor(record->mColor);
            if (record->mImage)
                g->DrawImage(record->mImage, record->mX, record->mY, record->mSrcRect);
            g->SetDrawMode(savedDrawMode);
        }
    }
    g->SetColor(savedColor);
    g->SetColorizeImages(colorizeImages);
}

} // namespace Kavo
