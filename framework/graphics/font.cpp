#include "framework/graphics/font.h"

namespace Kavo {

Font::~Font() = default;

int Font::GetAscent() {
    return mAscent;
}

int Font::GetAscentPadding() {
    return mAscentPadding;
}

int Font::GetDescent() {
    return mHeight - mAscent;
}

int Font::GetHeight() {
    return mHeight;
}

int Font::GetLineSpacingOffset() {
    return mLineSpacingOffset;
}

int Font::GetLineSpacing() {
    return mHeight + mLineSpacingOffset;
}

int Font::StringWidth(const std::string&) {
    return 0;
}

int Font::CharWidth(char chr) {
    return StringWidth(std::string(1, chr));
}

int Font::CharWidthKern(char chr, char) {
    return CharWidth(chr);
}

void Font::DrawString(Graphics*, int, int, const std::string&, const Color&, const IntRect&) {}

} // namespace Kavo
