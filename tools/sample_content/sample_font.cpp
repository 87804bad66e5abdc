#include "tools/sample_content/sample_font.h"

#include <memory>

#include "platform/font_rasterizer.h"

namespace Kavo::SampleContent {

namespace {

constexpr char kFirstChar = '!';
constexpr char kLastChar = '~';
// The Cyrillic letters of code page 1251 (0xC0 to 0xFF), so that player
// names can be typed in Russian: U+0410 to U+044F in the same order.
constexpr unsigned kFirstCyrillic = 0xC0;
constexpr unsigned kLastCyrillic = 0xFF;

// The characters of the sheet, in code page 1251.
std::string SheetChars() {
    std::string chars;
    for (char chr = kFirstChar; chr <= kLastChar; ++chr)
        chars += chr;
    for (unsigned c = kFirstCyrillic; c <= kLastCyrillic; ++c)
        chars += static_cast<char>(c);
    return chars;
}

char32_t CodePoint(char chr) {
    const auto c = static_cast<unsigned char>(chr);
    return c >= kFirstCyrillic ? static_cast<char32_t>(0x410 + (c - kFirstCyrillic)) : static_cast<char32_t>(c);
}

// One character as a quoted descriptor string.
std::string Quoted(char chr) {
    if (chr == '"')
        return "'\"'";
    if (chr == '\\')
        return "\"\\\\\"";
    return std::string("\"") + chr + "\"";
}

std::string Join(const std::vector<std::string>& items) {
    std::string text = "(";
    for (size_t i = 0; i < items.size(); ++i)
        text += (i ? " " : "") + items[i];
    return text + ")";
}

} // namespace

bool RenderGlyphSheet(int pixelHeight, GlyphSheet* sheet) {
    platform::FontFaceRequest request;
    request.mFamily = "DejaVu Sans";
    request.mPixelHeight = pixelHeight;
    std::unique_ptr<platform::FontRasterizer> face = platform::FontRasterizer::Open(request);
    if (!face)
        return false;
    *sheet = GlyphSheet();
    sheet->mAscent = face->GetAscent();
    sheet->mHeight = face->GetHeight();
    sheet->mSpaceWidth = face->MeasureLine(U" ");
    for (const char chr : SheetChars()) {
        sheet->mChars += chr;
        sheet->mWidths.push_back(face->MeasureLine(std::u32string(1, CodePoint(chr))));
        sheet->mWidth += sheet->mWidths.back();
    }
    platform::CoverageBitmap coverage(sheet->mWidth, sheet->mHeight);
    int x = 0;
    for (size_t i = 0; i < sheet->mChars.size(); ++i) {
        face->RenderLine(std::u32string(1, CodePoint(sheet->mChars[i])), x, 0, coverage);
        x += sheet->mWidths[i];
    }
    sheet->mPixels.resize(coverage.mAlpha.size());
    for (size_t i = 0; i < coverage.mAlpha.size(); ++i)
        sheet->mPixels[i] = (uint32_t{coverage.mAlpha[i]} << 24) | 0xFFFFFF;
    return true;
}

GlyphSheet PlaceholderSheet() {
    GlyphSheet sheet;
    sheet.mHeight = 24;
    sheet.mAscent = 19;
    sheet.mSpaceWidth = 6;
    for (const char chr : SheetChars()) {
        sheet.mChars += chr;
        sheet.mWidths.push_back(6 + static_cast<unsigned char>(chr) % 7);
        sheet.mWidth += sheet.mWidths.back();
    }
    return sheet;
}

std::string FontDescriptorText(const GlyphSheet& sheet, const std::string& imageName) {
    std::vector<std::string> chars, widths;
    for (size_t i = 0; i < sheet.mChars.size(); ++i) {
        chars.push_back(Quoted(sheet.mChars[i]));
        widths.push_back(std::to_string(sheet.mWidths[i]));
    }
    const std::string size = std::to_string(kSampleFontPointSize);
    return "# Sample bitmap font: a face layer over a soft shadow, cut from one row of cells.\n"
           "SetDefaultPointSize " +
           size +
           ";\n"
           "Define Chars " +
           Join(chars) +
           ";\n"
           "Define Widths " +
           Join(widths) +
           ";\n"
           "CreateHorzSpanRectList Cells (0 0 0 " +
           std::to_string(sheet.mHeight) +
           ") Widths;\n"
           "CreateLayer Main;\n"
           "LayerSetImage Main \"" +
           imageName +
           "\";\n"
           "LayerSetPointSize Main " +
           size +
           ";\n"
           "LayerSetImageMap Main Chars Cells;\n"
           "LayerSetCharWidths Main Chars Widths;\n"
           "LayerSetCharWidths Main (\" \") (" +
           std::to_string(sheet.mSpaceWidth) +
           ");\n"
           "LayerSetAscent Main " +
           std::to_string(sheet.mAscent) +
           ";\n"
           "LayerSetKerningPairs Main (\"AV\" \"VA\" \"To\") (-1 -1 -1);\n"
           "\n"
           "# The shadow is made second but drawn first: its order is lower.\n"
           "CreateLayerFrom Shadow Main;\n"
           "LayerSetColorMult Shadow (0 0 0 160);\n"
           "LayerSetOffset Shadow (2 2);\n"
           "LayerSetBaseOrder Shadow -1;\n"
           "LayerExcludeTags Shadow (\"flat\");\n";
}

std::string LegacyDescriptorText(const GlyphSheet& sheet) {
    std::string text = std::to_string(sheet.mSpaceWidth) + " " + std::to_string(sheet.mAscent) + "\n";
    for (size_t i = 0; i < sheet.mChars.size(); ++i)
        text += std::string(1, sheet.mChars[i]) + " " + std::to_string(sheet.mWidths[i]) + "\n";
    return text;
}

} // namespace Kavo::SampleContent
