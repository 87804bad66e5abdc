#pragma once

#include <cstdint>

#include "framework/util/color.h"
#include "framework/widget/button_widget.h"

namespace Kavo {

// A button drawn as underlined text: its label in one colour, another while
// hovered, with an optional drop shadow, word wrapping and one or more
// underline strokes. It reports to its listener exactly as a button does.
class HyperlinkWidget : public ButtonWidget {
public:
    HyperlinkWidget(int32_t id, ButtonListener* listener);

    void Draw(Graphics* g) override;
    // The link has no background: what lies beneath is drawn again.
    void MouseEnter() override;
    void MouseLeave() override;

    Color mColor{255, 255, 255, 255};
    Color mOverColor{255, 255, 255, 255};
    Color mShadowColor{0, 0, 0, 255};
    int32_t mShadowX = 0; // a shadow is drawn only when both are above 0
    int32_t mShadowY = 0;
    int32_t mUnderlineSize = 1; // one-pixel strokes
    int32_t mUnderlineOffset = 3;
    int32_t mJustify = 1; // 0 left, 1 centred, 2 right
    bool mWordWrap = false;

private:
    void DrawLabel(Graphics* g, int32_t x, int32_t y);
    void DrawUnderline(Graphics* g, int32_t x, int32_t y, const Color& color);
};

} // namespace Kavo
