#include "platform/font_rasterizer.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <mutex>

namespace platform {

namespace {

// FreeType objects are not safe to share between threads, and fontconfig's
// default configuration is built on its first use: one lock serves both.
std::mutex& FreeTypeLock() {
    static std::mutex lock;
    return lock;
}

// The file of the installed face that best matches, or "" when fontconfig
// finds none.
std::string MatchFontFile(const FontFaceRequest& request) {
    // A configuration of its own, freed after the match: fontconfig's
    // process default is never freed.
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr)
        return {};
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) {
        FcConfigDestroy(config);
        return {};
    }
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(request.mFamily.c_str()));
    // Faces the Windows data names (Tahoma, Arial...) are sans faces.
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("DejaVu Sans"));
    FcPatternAddInteger(pattern, FC_WEIGHT, request.mBold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, request.mItalic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    std::string path;
    FcChar8* file = nullptr;
    if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file != nullptr)
        path = reinterpret_cast<const char*>(file);
    if (match != nullptr)
        FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    return path;
}

constexpr const char* kFallbackFiles[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
};

int CeilPixels(FT_Pos value) {
    return static_cast<int>((value + 63) >> 6);
}

} // namespace

struct FontRasterizer::Face {
    FT_Library mLibrary = nullptr;
    FT_Face mFace = nullptr;
    bool mSynthBold = false;
    bool mSynthItalic = false;

    ~Face() {
        if (mFace != nullptr)
            FT_Done_Face(mFace);
        if (mLibrary != nullptr)
            FT_Done_FreeType(mLibrary);
    }

    // Loads and renders the glyph of a code point into the slot.
    bool Load(char32_t codePoint, bool render) const {
        if (FT_Load_Char(mFace, codePoint, FT_LOAD_DEFAULT) != 0)
            return false;
        if (mSynthItalic)
            FT_GlyphSlot_Oblique(mFace->glyph);
        if (mSynthBold)
            FT_GlyphSlot_Embolden(mFace->glyph);
        return !render || FT_Render_Glyph(mFace->glyph, FT_RENDER_MODE_NORMAL) == 0;
    }
};

CoverageBitmap::CoverageBitmap(int width, int height)
    : mWidth(std::max(0, width)), mHeight(std::max(0, height)),
      mAlpha(static_cast<size_t>(mWidth) * static_cast<size_t>(mHeight), 0) {}

void CoverageBitmap::Cover(int x, int y, uint8_t coverage) {
    if (x < 0 || y < 0 || x >= mWidth || y >= mHeight || coverage == 0)
        return;
    uint8_t& pixel = mAlpha[static_cast<size_t>(y) * mWidth + x];
    pixel = static_cast<uint8_t>(pixel + coverage - pixel * coverage / 255);
}

std::unique_ptr<FontRasterizer> FontRasterizer::Open(const FontFaceRequest& request) {
    std::lock_guard<std::mutex> hold(FreeTypeLock());
    auto face = std::make_unique<Face>();
    if (FT_Init_FreeType(&face->mLibrary) != 0)
        return nullptr;
    std::vector<std::string> candidates;
    if (std::string matched = MatchFontFile(request); !matched.empty())
        candidates.push_back(matched);
    candidates.insert(candidates.end(), std::begin(kFallbackFiles), std::end(kFallbackFiles));
    std::string path;
    for (const std::string& candidate : candidates) {
        if (FT_New_Face(face->mLibrary, candidate.c_str(), 0, &face->mFace) == 0) {
            path = candidate;
            break;
        }
        face->mFace = nullptr;
    }
    if (face->mFace == nullptr)
        return nullptr;
    if (FT_Set_Pixel_Sizes(face->mFace, 0, static_cast<FT_UInt>(std::clamp(request.mPixelHeight, 1, 1000))) != 0)
        return nullptr;
    face->mSynthBold = request.mBold && (face->mFace->style_flags & FT_STYLE_FLAG_BOLD) == 0;
    face->mSynthItalic = request.mItalic && (face->mFace->style_flags & FT_STYLE_FLAG_ITALIC) == 0;
    auto rasterizer = std::unique_ptr<FontRasterizer>(new FontRasterizer(std::move(face), request));
    rasterizer->mFilePath = path;
    return rasterizer;
}

FontRasterizer::FontRasterizer(std::unique_ptr<Face> face, const FontFaceRequest& request)
    : mFace(std::move(face)), mRequest(request) {
    const FT_Size_Metrics& metrics = mFace->mFace->size->metrics;
    mAscent = CeilPixels(metrics.ascender);
    mDescent = CeilPixels(-metrics.descender);
}

FontRasterizer::~FontRasterizer() {
    std::lock_guard<std::mutex> hold(FreeTypeLock());
    mFace.reset();
}

bool FontRasterizer::HasGlyph(char32_t codePoint) const {
    std::lock_guard<std::mutex> hold(FreeTypeLock());
    return FT_Get_Char_Index(mFace->mFace, codePoint) != 0;
}

int FontRasterizer::MeasureLine(std::u32string_view text) const {
    std::lock_guard<std::mutex> hold(FreeTypeLock());
    FT_Pos width = 0;
    for (char32_t codePoint : text) {
        if (codePoint < 0x20 || !mFace->Load(codePoint, false))
            continue;
        width += mFace->mFace->glyph->advance.x;
    }
    return static_cast<int>((width + 32) >> 6);
}

void FontRasterizer::RenderLine(std::u32string_view text, int x, int y, CoverageBitmap& bitmap) const {
    std::lock_guard<std::mutex> hold(FreeTypeLock());
    const int baseline = y + mAscent;
    FT_Pos pen = static_cast<FT_Pos>(x) * 64;
    for (char32_t codePoint : text) {
        if (codePoint < 0x20 || !mFace->Load(codePoint, true))
            continue;
        const FT_GlyphSlot slot = mFace->mFace->glyph;
        const FT_Bitmap& glyph = slot->bitmap;
        const int left = static_cast<int>((pen + 32) >> 6) + slot->bitmap_left;
        const int top = baseline - slot->bitmap_top;
        if (glyph.pixel_mode == FT_PIXEL_MODE_GRAY) {
            for (unsigned row = 0; row < glyph.rows; ++row) {
                const unsigned char* source = glyph.buffer + static_cast<ptrdiff_t>(row) * glyph.pitch;
                for (unsigned column = 0; column < glyph.width; ++column)
                    bitmap.Cover(left + static_cast<int>(column), top + static_cast<int>(row), source[column]);
            }
        }
        pen += slot->advance.x;
    }
    if (mRequest.mUnderline) {
        const FT_Face face = mFace->mFace;
        const int below =
            std::max(1, static_cast<int>(FT_MulFix(-face->underline_position, face->size->metrics.y_scale) >> 6));
        const int thickness =
            std::max(1, static_cast<int>(FT_MulFix(face->underline_thickness, face->size->metrics.y_scale) >> 6));
        const int right = static_cast<int>((pen + 32) >> 6);
        for (int row = 0; row < thickness; ++row)
            for (int column = x; column < right; ++column)
                bitmap.Cover(column, baseline + below + row, 255);
    }
}

} // namespace platform
