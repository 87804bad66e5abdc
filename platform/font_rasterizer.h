#pragma once
// Installed scalable fonts: a face found by family name through fontconfig
// (falling back to DejaVu Sans), opened with FreeType at a pixel height, and
// lines of text rendered into 8-bit coverage. Every FreeType and fontconfig
// call runs under one lock, since fonts are made on the loading thread too.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Antialiased coverage, 0 (none) to 255 (full), one byte per pixel, rows
// top to bottom.
struct CoverageBitmap {
    int mWidth = 0;
    int mHeight = 0;
    std::vector<uint8_t> mAlpha;

    CoverageBitmap() = default;
    CoverageBitmap(int width, int height);
    uint8_t At(int x, int y) const { return mAlpha[static_cast<size_t>(y) * mWidth + x]; }
    // Lays coverage over what is there: a + b - a * b / 255. Pixels outside are dropped.
    void Cover(int x, int y, uint8_t coverage);
};

struct FontFaceRequest {
    std::string mFamily; // UTF-8
    int mPixelHeight = 12;
    bool mBold = false;
    bool mItalic = false;
    bool mUnderline = false;
};

class FontRasterizer {
public:
    // The installed face that best matches; bold and italic are synthesised
    // when the face found lacks them. Null when no face opens at all.
    static std::unique_ptr<FontRasterizer> Open(const FontFaceRequest& request);
    ~FontRasterizer();
    FontRasterizer(const FontRasterizer&) = delete;
    FontRasterizer& operator=(const FontRasterizer&) = delete;

    const FontFaceRequest& GetRequest() const { return mRequest; }
    const std::string& GetFilePath() const { return mFilePath; }
    int GetAscent() const { return mAscent; }
    int GetDescent() const { return mDescent; }
    int GetHeight() const { return mAscent + mDescent; }

    // Whether the face has a glyph of its own for the code point.
    bool HasGlyph(char32_t codePoint) const;
    // Sum of the advances of one line; code points below 0x20 take no room.
    int MeasureLine(std::u32string_view text) const;
    // Renders one line with the top of its box at (x, y) into the bitmap,
    // laying each glyph over what is already there.
    void RenderLine(std::u32string_view text, int x, int y, CoverageBitmap& bitmap) const;

private:
    struct Face;
    explicit FontRasterizer(std::unique_ptr<Face> face, const FontFaceRequest& request);

    std::unique_ptr<Face> mFace;
    FontFaceRequest mRequest;
    std::string mFilePath;
    int mAscent = 0;
    int mDescent = 0;
};

} // namespace platform
