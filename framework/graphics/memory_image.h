#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "framework/graphics/image.h"
#include "framework/graphics/image_host.h"
#include "framework/graphics/image_registry.h"

namespace Kavo {

// The 3D renderer's record of an image's textures; created, owned and
// deleted by the renderer alone.
class TextureData;

// 32-bit ARGB pixels (straight colour, row pitch = width) in memory, drawn
// into by the software routines and read by every software blit.
//
// The pixels live in one or more forms: mBits; the palettised form
// (mColorTable + mColorIndices); the display-format buffer alone (purged
// without 3D); the 3D texture alone (purged with 3D). GetBits brings back
// mBits from whichever exists. The display-format buffer, the two
// run-length tables and the additive blit's added colour are caches, built
// on request and dropped whenever the pixels change.
//
// The fields are public because the display image, the 3D renderer and the
// diagnostic dumps work on them directly.
class MemoryImage : public Image {
public:
    // Written after the last pixel of mBits; nothing reads it.
    static constexpr uint32_t kGuardWord = 0x4BEEFADE;

    // width x height + 1 words (the last is the guard word), or null.
    std::unique_ptr<uint32_t[]> mBits;
    // +1 on every BitsChanged; the renderer's texture is current while its
    // copy of this count equals it.
    int32_t mBitsChangedCount = 0;
    TextureData* mTextureData = nullptr;
    // Texture storage hints, read only by the 3D renderer.
    uint32_t mTextureHints = 0;
    std::unique_ptr<uint32_t[]> mColorTable;  // 256 entries, palettised form only
    std::unique_ptr<uint8_t[]> mColorIndices; // width x height, palettised form only
    bool mForcedAlphaFlags = false;           // set by SetAlphaFlags, never recomputed
    bool mHasTrans = false;                   // some pixel has alpha 0
    bool mHasAlpha = false;                   // some pixel has alpha 1..254
    bool mVolatile = false;
    bool mPurgeBits = false;     // mBits may be freed once another form holds the pixels
    bool mWantPalettize = false; // stay palettised once converted
    // Display-format words, colour premultiplied by (alpha + 1) >> 8 and
    // alpha in the top byte: one per pixel, or 256 (the colour table
    // converted) exactly while mColorTable exists.
    std::unique_ptr<uint32_t[]> mNativeAlphaData;
    // The format mNativeAlphaData was built with, so that it reads back the
    // same way even after the display has changed.
    DisplayPixelFormat mNativeAlphaFormat;
    // Per pixel, how many pixels from it on in its row share its class,
    // counting down to 1 at the end of the run, capped at 255.
    std::unique_ptr<uint8_t[]> mRLAlphaData;    // classes: alpha 0, alpha 255, other
    std::unique_ptr<uint8_t[]> mRLAdditiveData; // classes: display colour 0, other
    // Per pixel, the colour the untinted additive blit adds: each channel
    // times the pixel's alpha, shifted down by 8, with the alpha byte 0.
    // The vector blits build it on the second such draw of a non-volatile
    // image whose pixels did not change in between (so an image that
    // changes between draws never pays for it) and then only add; it is
    // dropped with the other software caches. Packed: each row keeps only
    // the span of columns that add anything, after a table of the spans
    // (see BuildAddedColour), so that the blits read only what they add.
    std::unique_ptr<uint32_t[]> mAddedColorData;
    bool mAddedSinceChange = false; // an additive blit read the pixels since the last BitsChanged
    bool mAlphaFlagsDirty = false;
    // The registry installed when the image was made (null when there was
    // none); kept alive so that the destructor can always unregister.
    std::shared_ptr<ImageRegistry> mRegistry;

    // Registered with the installed registry (ImageRegistrySlot).
    MemoryImage();
    // A deep copy registered with the source's registry; the source keeps its form.
    MemoryImage(const MemoryImage& other);
    ~MemoryImage() override;

    // Fills, lines and coverage spans. Rectangles, spans and line pixels
    // outside the image are cut off.
    void FillRect(const IntRect& rect, const Color& color, int drawMode) override;
    void ClearRect(const IntRect& rect) override;
    void DrawLine(double startX, double startY, double endX, double endY, const Color& color, int drawMode) override;
    void DrawLineAA(double startX, double startY, double endX, double endY, const Color& color, int drawMode) override;
    void FillScanLinesWithCoverage(const Span* spans, int count, const Color& color, int drawMode,
                                   const uint8_t* coverage, int coverX, int coverY, int coverPitch,
                                   int coverHeight) override;

    // Blits, stretches and transformed blits (memory_image_blit.cpp,
    // memory_image_stretch.cpp, memory_image_transform.cpp). Only a
    // MemoryImage source is drawn. Rectangles reaching outside either image
    // are cut to it; clip rectangles are cut to this image.
    void Blt(Image* image, int x, int y, const IntRect& srcRect, const Color& color, int drawMode) override;
    // A rotation by 0 about the source rectangle's corner.
    void BltF(Image* image, float x, float y, const IntRect& srcRect, const IntRect& clipRect, const Color& color,
              int drawMode) override;
    // Bilinear, in 16.16 fixed point; draw mode 0 blends, any other adds.
    void BltRotated(Image* image, float x, float y, const IntRect& srcRect, const IntRect& clipRect, const Color& color,
                    int drawMode, double angle, float centerX, float centerY) override;
    void StretchBlt(Image* image, const IntRect& destRect, const IntRect& srcRect, const IntRect& clipRect,
                    const Color& color, int drawMode, bool fastStretch) override;
    // Through the triangle rasteriser; the draw mode has no effect.
    void BltMatrix(Image* image, float x, float y, const Matrix3x3& matrix, const IntRect& clipRect, const Color& color,
                   int drawMode, const IntRect& srcRect, bool blend) override;
    void BltTrianglesTex(Image* texture, const TriVertex (*vertices)[3], int triangleCount, const IntRect& clipRect,
                         const Color& color, int drawMode, float transX, float transY, bool blend) override;

    // The display-format buffer for that format, built when missing.
    virtual uint32_t* GetDisplayFormatBits(const DisplayPixelFormat& format);
    virtual uint8_t* GetAlphaRuns();
    virtual uint8_t* GetAdditiveRuns(const DisplayPixelFormat& format);
    // Sets the purge flag and frees mBits when another form can hold the
    // pixels. With no display device the 32-bit pixels stay.
    virtual void SetPurgeBits();
    // Frees the display-format buffer, both run tables and the added
    // colour (the pixels are brought back first when nothing else holds
    // them).
    virtual void DropSoftwareCaches();
    virtual void DropTextures();
    virtual void DropDerivedBuffers();
    virtual void ReapplyStorageFlags();
    virtual void BitsChanged();
    virtual void UpdateAlphaFlags();
    // Like DropSoftwareCaches, but keeps the alpha runs, which do not
    // depend on the display format.
    virtual void DropSoftwareCachesB();
    virtual void ClearBits();
    // Copies width x height pixels; commit brings the alpha flags up to date.
    virtual void SetBits(const uint32_t* bits, int width, int height, bool commit = true);
    // New size with no pixels yet (they read back as 0).
    virtual void Create(int width, int height);
    // Never null: width x height pixels followed by the guard word.
    virtual uint32_t* GetBits();
    virtual void SetAlphaFlags(bool hasTrans, bool hasAlpha);
    virtual void SetVolatile(bool isVolatile);
    // False, keeping the pixels plain, when there are more than 256 colours.
    virtual bool Palettize();

    // An exact palette of at most 256 colours, numbered in order of first
    // appearance; false as soon as a 257th colour turns up.
    static bool MakeExactPalette(const uint32_t* pixels, int width, int height, uint8_t* indices, uint32_t* table);

    // width x height, 0 for a negative size.
    size_t PixelCount() const;
    // The length of mAddedColorData: the row table and room for every pixel.
    size_t AddedColorWords() const;

private:
    // Frees the colour table and indices, and the display-format buffer
    // when it is the converted colour table.
    void FreePalette();
};

} // namespace Kavo
