#include "framework/graphics/graphics.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace Kavo {

namespace {

// A colour tag is '^', six hex digits or "oldclr", and a closing character.
constexpr int kColorTagLength = 8;

int PackColor(const Color& color) {
    uint32_t packed = (static_cast<uint32_t>(ClampChannel(color.mAlpha)) << 24) |
                      (static_cast<uint32_t>(ClampChannel(color.mRed)) << 16) |
                      (static_cast<uint32_t>(ClampChannel(color.mGreen)) << 8) |
                      static_cast<uint32_t>(ClampChannel(color.mBlue));
    return static_cast<int>(packed);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return 0;
}

// The colour of the tag whose '^' is at tag[-1]; the caller has checked that
// the whole tag is there.
int TagColor(const char* tag, int oldColor) {
    if (tag[0] == 'o')
        return std::string_view(tag, 6) == "oldclr" ? oldColor : 0;
    int rgb = 0;
    for (int i = 0; i < 6; ++i)
        rgb = (rgb << 4) | HexDigit(tag[i]);
    return rgb;
}

} // namespace

void Graphics::DrawString(const std::string& str, int x, int y) {
    if (mFont != nullptr)
        mFont->DrawString(this, x, y, str, mColor, mClipRect);
}

int Graphics::StringWidth(const std::string& str) {
    return mFont->StringWidth(str);
}

int Graphics::WriteString(const std::string& str, int x, int y, int width, int justification, bool draw, int offset,
                          int length, int oldColor) {
    if (oldColor == -1)
        oldColor = PackColor(mColor);

    if (draw && (justification == 0 || justification == 1)) {
        // The measuring walk meets the same tags; the colour they leave
        // behind must not colour the start of the drawn line.
        Color saved = mColor;
        int measured = WriteString(str, x, y, width, -1, false, offset, length, oldColor);
        mColor = saved;
        x += justification == 0 ? (width - measured) / 2 : width - measured;
    }

    const int size = static_cast<int>(str.size());
    const int end =
        length < 0 ? size : static_cast<int>(std::min<int64_t>(static_cast<int64_t>(offset) + length, size));

    std::string run;
    int runX = 0;
    for (int i = std::max(offset, 0); i < end;) {
        char c = str[i];
        if (c != '^' || !mWriteColoredString) {
            run += c;
            ++i;
            continue;
        }
        if (i + 1 < end && str[i + 1] == '^') {
            run += '^';
            i += 2;
            continue;
        }
        if (end - i < kColorTagLength)
            break; // a cut-off tag ends the text

        int rgb = TagColor(str.data() + i + 1, oldColor);
        if (draw && !run.empty())
            DrawString(run, x + runX, y);
        mColor.mRed = (rgb >> 16) & 0xFF;
        mColor.mGreen = (rgb >> 8) & 0xFF;
        mColor.mBlue = rgb & 0xFF;
        runX += mFont->StringWidth(run);
        run.clear();
        i += kColorTagLength;
    }

    if (draw && !run.empty())
        DrawString(run, x + runX, y);
    return runX + mFont->StringWidth(run);
}

int Graphics::WriteWordWrapped(const IntRect& rect, const std::string& str, int lineSpacing, int justification,
                               int* maxWidth, int maxChars, int* lastWidth) {
    const Color savedColor = mColor;
    int oldColor = PackColor(mColor);
    if (ClampChannel(mColor.mAlpha) == 255)
        oldColor &= 0x00FFFFFF;

    Font* font = mFont;
    const int size = static_cast<int>(str.size());
    if (maxChars < 0)
        maxChars = size;
    if (lineSpacing == -1)
        lineSpacing = font->GetLineSpacing();

    int yOffset = font->GetAscent() - font->GetAscentPadding();
    int lineX = rect.mX + (lastWidth != nullptr ? *lastWidth : 0);
    int curWidth = lastWidth != nullptr ? *lastWidth : 0;
    int widest = 0;
    int lineStart = 0;
    int breakPos = -1;    // last space or line feed of the current line
    int widthAtBreak = 0; // width of the line before it
    char prevChar = 0;

    auto writeLine = [&](int start, int count) {
        if (start >= maxChars)
            return;
        WriteString(str, lineX, rect.mY + yOffset, rect.mWidth, justification, true, start,
                    std::min(count, maxChars - start), oldColor);
    };
    auto nextLine = [&](int lineWidth) {
        widest = std::max(widest, lineWidth);
        yOffset += lineSpacing;
        lineX = rect.mX;
        curWidth = 0;
        prevChar = 0;
        breakPos = -1;
    };

    int i = 0;
    while (i < size) {
        char c = str[i];
        int charLength = 1;
        if (c == '^' && mWriteColoredString) {
            if (i + 1 < size && str[i + 1] == '^') {
                charLength = 2; // measured as one caret
            } else {
                if (size - i < kColorTagLength)
                    break; // a cut-off tag ends the text, as in WriteString
                i += kColorTagLength;
                continue;
            }
        }

        const int widthBefore = curWidth;
        if (c == '\n') {
            breakPos = i;
            widthAtBreak = curWidth;
            curWidth = rect.mWidth + 1; // forces the break here
        } else {
            if (c == ' ') {
                breakPos = i;
                widthAtBreak = curWidth;
            }
            curWidth += font->CharWidthKern(c, prevChar);
            prevChar = c;
        }

        if (curWidth <= rect.mWidth) {
            i += charLength;
            continue;
        }

        if (breakPos < 0) {
            // No space to break at: cut before this character, unless it is
            // the first of its line (every line holds one at least).
            if (i == lineStart) {
                i += charLength;
                continue;
            }
            writeLine(lineStart, i - lineStart);
            nextLine(widthBefore);
            lineStart = i;
        } else {
            float baseline = rect.mY + yOffset + mTransY;
            if (baseline >= mClipRect.mY && baseline < mClipRect.mY + mClipRect.mHeight + lineSpacing)
                writeLine(lineStart, breakPos - lineStart);
            const int resume = breakPos + 1;
            const bool lineFeed = str[breakPos] == '\n';
            nextLine(widthAtBreak);
            i = resume;
            if (!lineFeed)
                while (i < size && str[i] == ' ')
                    ++i;
            lineStart = i;
        }
    }

    // The rest is the last line; after a final line feed it is empty and
    // still takes its line.
    writeLine(lineStart, size - lineStart);
    if (lastWidth != nullptr)
        *lastWidth = curWidth;
    nextLine(curWidth);

    mColor = savedColor;
    if (maxWidth != nullptr)
        *maxWidth = widest;
    return font->GetDescent() + yOffset - lineSpacing;
}

int Graphics::GetWordWrappedHeight(int width, const std::string& str, int lineSpacing, int* maxWidth) {
    Graphics scratch;
    scratch.mFont = mFont;
    return scratch.WriteWordWrapped(IntRect(0, 0, width, 0), str, lineSpacing, -1, maxWidth, -1, nullptr);
}

} // namespace Kavo
