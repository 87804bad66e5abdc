#pragma once

#include <cstdint>
#include <string>

#include "framework/widget/button_listener.h"
#include "framework/widget/widget.h"

namespace Kavo {

class DialogButton;
class DialogListener;
class Font;
class Image;

// The framework's dialog box and the base of the game's screens: a framed
// box with a centred header, word-wrapped lines and a footer, and up to two
// buttons whose releases it reports as 1000 and 1001. The buttons are its
// siblings in the manager, kept just above it.
class Dialog : public Widget, public ButtonListener {
public:
    static constexpr int32_t kNoResult = 0x7fffffff;
    static constexpr int32_t kFirstButtonId = 1000;
    static constexpr int32_t kSecondButtonId = 1001;

    enum ButtonMode : int32_t {
        BUTTONS_NONE = 0,
        BUTTONS_YES_NO = 1,
        BUTTONS_OK_CANCEL = 2,
        BUTTONS_FOOTER = 3, // one button labelled with the footer
    };
    enum DialogColor : int32_t {
        COLOR_HEADER = 0,
        COLOR_LINES = 1,
        COLOR_FOOTER = 2,
        COLOR_BUTTON_TEXT = 3,
        COLOR_BUTTON_TEXT_HILITE = 4,
        COLOR_BKG = 5,
        COLOR_OUTLINE = 6,
    };

    Dialog(Image* componentImage, Image* buttonComponentImage, int32_t id, bool isModal, const std::string& header,
           const std::string& lines, const std::string& footer, int32_t buttonMode);
    ~Dialog() override;

    using ButtonListener::ButtonPress;
    using Widget::MarkDirty;

    void AddedToManager(WidgetManager* manager) override;
    void RemovedFromManager(WidgetManager* manager) override;
    void Draw(Graphics* g) override;
    void OrderInManagerChanged() override;
    // Colours 3 and 4 are also the buttons' label colours.
    void SetColor(int32_t index, const Color& color) override;
    void Resize(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void MouseDownButton(int32_t x, int32_t y, int32_t button, int32_t clickCount) override;
    void MouseUpButton(int32_t x, int32_t y, int32_t button, int32_t clickCount) override;
    void MouseDrag(int32_t x, int32_t y) override;

    virtual void SetButtonFont(Font* font);
    // Keep copies; the caller keeps its own font.
    virtual void SetHeaderFont(Font* font);
    virtual void SetLinesFont(Font* font);
    virtual int32_t GetPreferredHeight(int32_t width);
    virtual bool IsModal() const { return mIsModal; }
    // Runs the application's loop until a button is released, the dialog
    // leaves the manager or the loop ends; the result, kNoResult without a
    // button. With kill the application removes the dialog afterwards.
    virtual int32_t WaitForResult(bool kill = false);

    void ButtonPress(int32_t id) override;
    void ButtonDepress(int32_t id) override;

    DialogListener* mDialogListener = nullptr;
    Image* mComponentImage;
    DialogButton* mYesButton = nullptr; // owned
    DialogButton* mNoButton = nullptr;  // owned
    std::string mDialogHeader;
    std::string mDialogFooter;
    std::string mDialogLines;
    int32_t mButtonMode;
    Font* mHeaderFont = nullptr; // owned
    Font* mLinesFont = nullptr;  // owned
    int32_t mTextAlign = 0;
    int32_t mLineSpacingOffset = 0;
    int32_t mButtonHeight;
    Insets mBackgroundInsets;
    Insets mContentInsets{24, 24, 24, 24};
    int32_t mSpaceAfterHeader = 10;
    bool mDragging = false;
    int32_t mDragMouseX = 0;
    int32_t mDragMouseY = 0;
    int32_t mId;
    bool mIsModal;
    int32_t mResult = kNoResult;
    int32_t mButtonHorzSpacing = 8;
    int32_t mButtonSidePadding = 0;
    bool mDraggable = false;

protected:
    // The header and lines fonts, made on first need.
    void EnsureFonts();
};

} // namespace Kavo
