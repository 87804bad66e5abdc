#pragma once

#include <cstdint>
#include <string>

#include "framework/util/rect.h"
#include "framework/widget/widget.h"

namespace Kavo {

class ButtonListener;
class Font;
class Image;

// The push button: drawn from colours (a bevelled frame with a label) or from
// images, fading a hover image in and out, and reporting presses, releases,
// hovering and moves to its listener under its id.
class ButtonWidget : public Widget {
public:
    enum ButtonColor : int32_t {
        COLOR_LABEL = 0,
        COLOR_LABEL_HILITE = 1,
        COLOR_DARK_OUTLINE = 2,
        COLOR_LIGHT_OUTLINE = 3,
        COLOR_MEDIUM_OUTLINE = 4,
        COLOR_BKG = 5,
    };

    ButtonWidget(int32_t id, ButtonListener* listener);
    ~ButtonWidget() override;

    using Widget::MarkDirty;

    void Update() override;
    void Draw(Graphics* g) override;
    void SetDisabled(bool disabled) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseMove(int32_t x, int32_t y) override;
    void MouseDownButton(int32_t x, int32_t y, int32_t button, int32_t clickCount) override;
    void MouseUpButton(int32_t x, int32_t y, int32_t button, int32_t clickCount) override;

    // Draws the image whole, or the source part of the button image when a
    // source rectangle is set.
    virtual void DrawButtonImage(Graphics* g, Image* image, const IntRect& source, int32_t x, int32_t y);
    // Keeps a copy of the font; the caller keeps its own.
    virtual void SetFont(Font* font);
    // Held with the mouse over it, and enabled.
    virtual bool IsButtonDown();

    int32_t mId;
    std::string mLabel;
    int32_t mLabelJustify = 0; // 0 centred, 1 right, anything else left
    Font* mFont = nullptr;     // owned
    Image* mButtonImage = nullptr;
    Image* mOverImage = nullptr;
    Image* mDownImage = nullptr;
    Image* mDisabledImage = nullptr;
    IntRect mNormalRect;
    IntRect mOverRect;
    IntRect mDownRect;
    IntRect mDisabledRect;
    bool mInverted = false;
    bool mBtnNoDraw = false;
    bool mFrameNoDraw = false;
    ButtonListener* mButtonListener;
    double mOverAlpha = 0.0;
    double mOverAlphaSpeed = 0.0;
    double mOverAlphaFadeInSpeed = 0.0;

protected:
    // Whether hovering changes what the button shows.
    bool HoverShows();
    // The label font, made on first need when there is a label.
    void EnsureFont(int32_t pointSize);
    void DrawColored(Graphics* g, bool drawnDown, int32_t labelX, int32_t labelY);
    void DrawImages(Graphics* g, bool drawnDown, int32_t labelX, int32_t labelY);
};

} // namespace Kavo
