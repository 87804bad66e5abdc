#include "game/ui/page_set.h"

#include "engine/base/string_tools.h"
#include "framework/util/string_util.h"
#include "game/ui/ini_document.h"
#include "game/ui/resource_ids.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace Game {

namespace {

constexpr size_t kMinTextPieces = 7;
constexpr size_t kMinImagePieces = 3;

int PieceInt(const std::string& piece) {
    int value = 0;
    return Kavo::StringToInt(piece, &value) ? value : std::atoi(piece.c_str());
}

std::string Format(const char* pattern, int n) {
    char text[32];
    std::snprintf(text, sizeof text, pattern, n);
    return text;
}

// A resource font named by its id; any other name gives the default font.
Kavo::Font* FontPiece(const std::string& name) {
    const int id = GetIdByStringId(name);
    return id < RESOURCE_ID_MAX ? GetFontResourceById(id) : nullptr;
}

bool ReadText(const std::string& value, PageFileKind kind, PageText& text) {
    std::vector<std::string> pieces;
    com_string::Split(value.c_str(), ',', pieces);
    if (pieces.size() < kMinTextPieces)
        return false;
    text.mRect = Kavo::IntRect(PieceInt(pieces[0]), PieceInt(pieces[1]), PieceInt(pieces[2]), PieceInt(pieces[3]));
    text.mKey = pieces[4];
    text.mColor = Kavo::Color(static_cast<int>(std::strtoul(pieces[5].c_str(), nullptr, 16)));
    text.mJustify = PieceInt(pieces[6]);
    size_t fontPiece = 7;
    if (kind == PageFileKind::Comics) {
        if (pieces.size() > 7)
            text.mTypingTime = PieceInt(pieces[7]);
        if (pieces.size() > 8)
            text.mHoldTime = PieceInt(pieces[8]);
        fontPiece = 9;
    }
    if (pieces.size() > fontPiece)
        text.mFont = FontPiece(pieces[fontPiece]);
    return true;
}

std::unique_ptr<ImageSprite> ReadImage(const std::string& value, PageFileKind kind) {
    std::vector<std::string> pieces;
    com_string::Split(value.c_str(), ',', pieces);
    if (pieces.size() < kMinImagePieces)
        return nullptr;
    auto sprite = std::make_unique<ImageSprite>();
    sprite->mX = static_cast<float>(PieceInt(pieces[0]));
    sprite->mY = static_cast<float>(PieceInt(pieces[1]));
    const int id = GetIdByStringId(pieces[2]);
    if (id < RESOURCE_ID_MAX && GetResourceKind(id) == ResourceKind::Image)
        sprite->SetImage(GetImageResourceById(id));
    else if (id >= RESOURCE_ID_MAX)
        sprite->LoadImage(pieces[2]);
    if (kind == PageFileKind::Help && pieces.size() > 3) {
        std::vector<std::string> rect;
        com_string::Split(pieces[3].c_str(), ';', rect);
        if (rect.size() >= 4)
            sprite->mSourceRect =
                Kavo::IntRect(PieceInt(rect[0]), PieceInt(rect[1]), PieceInt(rect[2]), PieceInt(rect[3]));
    }
    return sprite;
}

} // namespace

void PageSet::Load(const std::string& path, PageFileKind kind) {
    IniDocument document;
    document.Load(path, true);
    Read(document, kind);
}

void PageSet::Read(IniDocument& document, PageFileKind kind) {
    mPages.clear();
    if (!document.HasSection("Main"))
        return;
    // A page needs a section of its own besides "Main", so a count beyond
    // the sections present cannot make pages.
    const int sections = static_cast<int>(document.GetSectionCount()) - 1;
    const int count = std::clamp(document.GetSection("Main")->GetInt("PagesCount", 0), 0, sections);
    mPages.resize(static_cast<size_t>(count));
    for (int i = 1; i <= count; ++i) {
        const std::string name = Format("Page%d", i);
        if (!document.HasSection(name))
            continue;
        const IniSection& section = *document.GetSection(name);
        Page& page = mPages[static_cast<size_t>(i - 1)];
        for (int n = 1;; ++n) {
            const std::string value = section.GetString(Format("Text%d", n));
            if (value.empty())
                break;
            PageText text;
            if (ReadText(value, kind, text))
                page.mTexts.push_back(text);
        }
        for (int n = 1;; ++n) {
            const std::string value = section.GetString(Format("Image%d", n));
            if (value.empty())
                break;
            if (auto sprite = ReadImage(value, kind))
                page.mSprites.push_back(std::move(sprite));
        }
    }
}

std::string FormatTermWithName(const std::string& text, const std::string& name) {
    std::string out;
    out.reserve(text.size() + name.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == 's' || text[i + 1] == '%')) {
            out += text[i + 1] == 's' ? name : std::string("%");
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace Game
