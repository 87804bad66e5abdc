#pragma once
// An image button that becomes checked when the mouse is released over it
// and unchecked when it is released elsewhere after a press; every release
// is reported to its check-box listener. Drawn from up to five images, from
// parts of the unchecked image, or as a framed grey box.

#include <cstdint>
#include <string>

#include "framework/util/color.h"
#include "framework/util/rect.h"
#include "framework/widget/widget.h"

namespace Kavo {
class CheckboxListener;
class Font;
class Image;
} // namespace Kavo

namespace Game {

class GameButton : public Kavo::Widget {
public:
    GameButton(Kavo::Image* uncheckedImage, Kavo::Image* checkedImage, int32_t id, Kavo::CheckboxListener* listener,
               Kavo::Image* overImage = nullptr, Kavo::Image* downImage = nullptr,
               Kavo::Image* disabledImage = nullptr);
    ~GameButton() override;

    void Draw(Kavo::Graphics* g) override;
    void MouseUpButton(int32_t x, int32_t y, int32_t button, int32_t clickCount) override;
    void MouseUpAt(int32_t, int32_t) override {}
    virtual void SetChecked(bool checked, bool notify);
    virtual bool IsChecked() const { return mChecked; }
    // Keeps a copy; the caller keeps its own font.
    void SetFont(Kavo::Font* font);

    Kavo::CheckboxListener* mListener;
    int32_t mId;
    std::string mCaption;
    int32_t mCaptionJustify = 0; // 0 centred, 1 right, other values left
    Kavo::Font* mFont = nullptr; // owned
    bool mChecked = false;
    Kavo::Image* mUncheckedImage; // none of the images is owned
    Kavo::Image* mCheckedImage;
    Kavo::Image* mOverImage;
    Kavo::Image* mDownImage;
    Kavo::Image* mDisabledImage;
    // Parts of the unchecked image; a zero width means not used.
    Kavo::IntRect mCheckedRect;
    Kavo::IntRect mUncheckedRect;
    Kavo::IntRect mOverRect;
    Kavo::IntRect mDownRect;
    Kavo::IntRect mDisabledRect;
    Kavo::Color mFrameColor{255, 255, 255, 255};
    Kavo::Color mFillColor{80, 80, 80, 255};
    Kavo::Color mMarkColor{255, 255, 0, 255};

private:
    // Draws the state's own image or part of the unchecked image; false
    // when the state has neither.
    bool DrawState(Kavo::Graphics* g, Kavo::Image* image, const Kavo::IntRect& rect);
    void DrawResting(Kavo::Graphics* g);
    void DrawCaption(Kavo::Graphics* g, bool pressed);
};

} // namespace Game
