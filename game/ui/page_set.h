#pragma once
// A page file: "Main" with "PagesCount", then one section per page ("Page1",
// "Page2", ...) holding word-wrapped texts ("Text1", ...) and pictures
// ("Image1", ...) at fixed places. The help dialog and the comics both read
// this form; they differ in where a text's font and timings stand.

#include "framework/util/color.h"
#include "framework/util/rect.h"
#include "game/ui/image_sprite.h"

#include <memory>
#include <string>
#include <vector>

namespace Kavo {
class Font;
} // namespace Kavo

namespace Game {

class IniDocument;

enum class PageFileKind {
    Help,   // x,y,w,h,term,colour,justify[,font]; images x,y,image[,sx;sy;sw;sh]
    Comics, // x,y,w,h,term,colour,justify,typing[,hold][,font]; images x,y,image
};

struct PageText {
    Kavo::IntRect mRect;
    std::string mKey; // a key of the term table
    Kavo::Color mColor{0, 0, 0, 255};
    int32_t mJustify = -1;
    Kavo::Font* mFont = nullptr; // a resource font; null for the default one
    int32_t mTypingTime = 0;     // update steps (comics)
    int32_t mHoldTime = 0;       // update steps (comics)
};

struct Page {
    std::vector<PageText> mTexts;
    std::vector<std::unique_ptr<ImageSprite>> mSprites;
};

class PageSet {
public:
    // Replaces the pages with those of the file; a missing file gives none.
    void Load(const std::string& path, PageFileKind kind);
    void Read(IniDocument& document, PageFileKind kind);

    size_t GetPageCount() const { return mPages.size(); }
    const Page& GetPage(size_t index) const { return mPages[index]; }

private:
    std::vector<Page> mPages;
};

// The term's text with every "%s" replaced by `name` and "%%" by "%"; any
// other "%" sequence stays as it is.
std::string FormatTermWithName(const std::string& text, const std::string& name);

} // namespace Game
