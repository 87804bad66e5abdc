#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/widget/widget.h"

namespace Kavo {

class EditListener;
class Font;

// The one-line text entry field: a text with a cursor and a selection,
// scrolled sideways to keep the cursor in view, shown as password
// characters when asked, with a blinking cursor, the clipboard and a
// one-step undo. Its listener may refuse keys, characters and new texts.
class EditWidget : public Widget {
public:
    enum EditColor : int32_t {
        COLOR_BKG = 0,
        COLOR_OUTLINE = 1,
        COLOR_TEXT = 2,
        COLOR_HILITE = 3,
        COLOR_HILITE_TEXT = 4,
    };
    enum Key : int32_t {
        KEY_BACK = 0x08,
        KEY_TAB = 0x09,
        KEY_RETURN = 0x0D,
        KEY_SHIFT = 0x10,
        KEY_CONTROL = 0x11,
        KEY_END = 0x23,
        KEY_HOME = 0x24,
        KEY_LEFT = 0x25,
        KEY_RIGHT = 0x27,
        KEY_DELETE = 0x2E,
    };
    enum ControlChar : unsigned char {
        CHAR_COPY = 0x03,
        CHAR_PASTE = 0x16,
        CHAR_CUT = 0x18,
        CHAR_UNDO = 0x1A,
    };
    // A font with the widest text it may measure; below 1, the field's maximum.
    struct WidthCheck {
        std::unique_ptr<Font> mFont;
        int32_t mMaxPixels;
    };

    EditWidget(int32_t id, EditListener* listener);
    ~EditWidget() override;

    // The editing core: a key (0 for none) or a typed character (0 for none).
    virtual void ProcessKey(int32_t key, char character);
    virtual void SelectWord();
    // Keeps copies; the caller keeps its fonts.
    virtual void SetFont(Font* font, Font* widthCheckFont = nullptr);
    // Selects the whole new text, the cursor at its end.
    virtual void SetText(const std::string& text, bool leftPosToZero = true);
    virtual bool IsWordChar(char character);
    virtual int32_t GetCharAt(int32_t x, int32_t y);
    virtual void FocusCursor(bool bigJump);

    void AddWidthCheckFont(Font* font, int32_t maxPixels = -1);
    // The text as shown: password characters in place of a password.
    const std::string& GetDisplayString();

    void Draw(Graphics* g) override;
    void Update() override;
    void Resize(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void MarkDirty() override;
    void GotFocus() override;
    void LostFocus() override;
    void KeyDown(int32_t key) override;
    void KeyChar(char character) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDownButton(int32_t x, int32_t y, int32_t button, int32_t clickCount) override;
    void MouseUpButton(int32_t x, int32_t y, int32_t button, int32_t clickCount) override;
    void MouseDrag(int32_t x, int32_t y) override;

    using Widget::MarkDirty;

    int32_t mId;
    std::string mString;
    std::string mPasswordDisplayString;
    std::unique_ptr<Font> mFont;
    std::vector<WidthCheck> mWidthCheckList;
    EditListener* mEditListener;
    bool mShowingCursor = false;
    bool mDrawSelOverride = false; // the selection shows also without the focus
    bool mHadDoubleClick = false;  // a word select waits for the release
    int32_t mCursorPos = 0;
    int32_t mHilitePos = -1; // the selection's other end; -1 for none
    int32_t mBlinkAcc = 0;
    int32_t mBlinkDelay = 40;
    int32_t mLeftPos = 0; // the first visible character
    int32_t mMaxChars = -1;
    int32_t mMaxPixels = -1;
    char mPasswordChar = 0;
    std::string mUndoString;
    int32_t mUndoCursor = 0;
    int32_t mUndoHilitePos = 0;
    int32_t mLastModifyIdx = 0; // merges runs of typing or deleting into one undo step

private:
    struct Edit;

    // The default font on first need: what can be typed is what it can draw.
    Font* EnsureFont();
    bool HasSelection() const { return mHilitePos != -1 && mHilitePos != mCursorPos; }
    // Takes out the selection and puts the cursor at its start.
    void DeleteSelection();
    // Width of the display string from character `from` up to `to`.
    int32_t DisplayWidth(int32_t from, int32_t to);
    void Paste();
    // Shortens the text to the character and pixel limits.
    void ApplyLimits();
    void PlaceCaret();
    void MoveLeft(bool control, bool shift);
    void MoveRight(bool control, bool shift);
    void Delete(bool before, Edit& edit);
    void Type(char character, Edit& edit);
    void SetCursor(int32_t state);
    void DrawOutline(Graphics* g);
};

} // namespace Kavo
