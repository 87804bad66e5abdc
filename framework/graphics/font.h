#pragma once

#include <cstdint>
#include <string>

#include "framework/util/color.h"
#include "framework/util/rect.h"

namespace Kavo {

class Graphics;

// The font every text is measured and drawn through. Derived fonts fill the
// four metrics when they are built; the defaults answer from them.
class Font {
public:
    int32_t mAscent = 0;
    // Top of the ascent that wrapped text does not reserve for its first line.
    int32_t mAscentPadding = 0;
    int32_t mHeight = 0;
    int32_t mLineSpacingOffset = 0; // may be negative

    Font() = default;
    Font(const Font&) = default;
    Font& operator=(const Font&) = default;
    virtual ~Font();

    virtual int GetAscent();
    virtual int GetAscentPadding();
    virtual int GetDescent();
    virtual int GetHeight();
    virtual int GetLineSpacingOffset();
    virtual int GetLineSpacing();

    virtual int StringWidth(const std::string& str);
    virtual int CharWidth(char chr);
    virtual int CharWidthKern(char chr, char prevChar);

    // (x, y) are the caller's: the font adds the context's translation and
    // draws into the context's destination within clipRect.
    virtual void DrawString(Graphics* g, int x, int y, const std::string& str, const Color& color,
                            const IntRect& clipRect);

    // A new copy owned by the caller.
    virtual Font* Duplicate() = 0;
};

} // namespace Kavo
