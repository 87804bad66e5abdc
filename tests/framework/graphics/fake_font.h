#pragma once

#include <string>
#include <vector>

#include "framework/graphics/font.h"
#include "framework/graphics/graphics.h"

namespace Kavo {

// Every character is the same width. Drawn strings are logged with the
// untranslated position, the colour and the clip the context passed.
class FakeFont : public Font {
public:
    struct Drawn {
        int mX;
        int mY;
        std::string mText;
        Color mColor;
        IntRect mClip;
    };

    int mCharWidth;
    std::vector<Drawn> mDrawn;

    explicit FakeFont(int charWidth = 10, int height = 20, int ascent = 16) : mCharWidth(charWidth) {
        mHeight = height;
        mAscent = ascent;
    }

    int StringWidth(const std::string& str) override { return static_cast<int>(str.size()) * mCharWidth; }

    void DrawString(Graphics*, int x, int y, const std::string& str, const Color& color,
                    const IntRect& clipRect) override {
        mDrawn.push_back({x, y, str, color, clipRect});
    }

    Font* Duplicate() override { return new FakeFont(*this); }
};

} // namespace Kavo
