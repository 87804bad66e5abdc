#include "framework/widget/edit_widget.h"

#include <algorithm>
#include <cstdlib>

#include "framework/graphics/font.h"
#include "framework/graphics/graphics.h"
#include "framework/widget/edit_listener.h"
#include "framework/widget/widget_manager.h"

namespace Kavo {

namespace {

const int32_t kEditColors[][3] = {{255, 255, 255}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {255, 255, 255}};
// Room between the field's edge and its text.
constexpr int32_t kTextInset = 4;

} // namespace

// What one key did to the text.
struct EditWidget::Edit {
    bool mUndoable = false;
    bool mClearSelection = true;
};

EditWidget::EditWidget(int32_t id, EditListener* listener) : mId(id), mEditListener(listener) {
    SetColorsRGB(kEditColors, 5);
    mWantsFocus = true;
}

EditWidget::~EditWidget() = default;

Font* EditWidget::EnsureFont() {
    if (mFont == nullptr && mWidgetManager != nullptr)
        mFont.reset(mWidgetManager->CreateSysFont("Arial Unicode MS", 10));
    return mFont.get();
}

void EditWidget::SetFont(Font* font, Font* widthCheckFont) {
    // Copy first: the font given may be the field's own.
    std::unique_ptr<Font> copy(font != nullptr ? font->Duplicate() : nullptr);
    mFont = std::move(copy);
    mWidthCheckList.clear();
    if (widthCheckFont != nullptr)
        AddWidthCheckFont(widthCheckFont, -1);
    MarkDirty();
}

void EditWidget::AddWidthCheckFont(Font* font, int32_t maxPixels) {
    if (font != nullptr)
        mWidthCheckList.push_back({std::unique_ptr<Font>(font->Duplicate()), maxPixels});
}

void EditWidget::SetText(const std::string& text, bool leftPosToZero) {
    mString = text;
    mCursorPos = static_cast<int32_t>(mString.size());
    mHilitePos = 0;
    if (leftPosToZero)
        mLeftPos = 0;
    else
        FocusCursor(true);
    MarkDirty();
}

const std::string& EditWidget::GetDisplayString() {
    if (mPasswordChar == 0)
        return mString;
    if (mPasswordDisplayString.size() != mString.size())
        mPasswordDisplayString.assign(mString.size(), mPasswordChar);
    return mPasswordDisplayString;
}

bool EditWidget::IsWordChar(char character) {
    // Unsigned: the Cyrillic letters of the program's text are 0xC0..0xFF.
    const auto c = static_cast<unsigned char>(character);
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c >= 0xC0;
}

int32_t EditWidget::DisplayWidth(int32_t from, int32_t to) {
    Font* font = EnsureFont();
    const std::string& display = GetDisplayString();
    from = std::clamp(from, 0, static_cast<int32_t>(display.size()));
    to = std::clamp(to, from, static_cast<int32_t>(display.size()));
    if (font == nullptr)
        return 0;
    return font->StringWidth(display.substr(static_cast<size_t>(from), static_cast<size_t>(to - from)));
}

int32_t EditWidget::GetCharAt(int32_t x, int32_t) {
    const int32_t length = static_cast<int32_t>(GetDisplayString().size());
    int32_t position = 0;
    for (int32_t i = mLeftPos; i < length; ++i) {
        const int32_t middle = (DisplayWidth(mLeftPos, i) + DisplayWidth(mLeftPos, i + 1)) / 2 + 5;
        if (middle <= x)
            position = i + 1;
    }
    return position;
}

void EditWidget::FocusCursor(bool bigJump) {
    const int32_t step = bigJump ? 10 : 1;
    while (mCursorPos < mLeftPos)
        mLeftPos = std::max(mLeftPos - step, 0);
    if (EnsureFont() == nullptr || mWidth <= 8)
        return;
    const int32_t last = std::max(static_cast<int32_t>(GetDisplayString().size()) - 1, 0);
    while (DisplayWidth(0, mCursorPos) - DisplayWidth(0, mLeftPos) >= mWidth - 8) {
        const int32_t next = std::min(mLeftPos + step, last);
        // A single character wider than the field cannot be brought in further.
        if (next == mLeftPos)
            break;
        mLeftPos = next;
        MarkDirty();
    }
}

void EditWidget::SelectWord() {
    const std::string& display = GetDisplayString();
    const int32_t length = static_cast<int32_t>(display.size());
    if (mCursorPos < 0 || mCursorPos >= length)
        return;
    mHilitePos = mCursorPos;
    while (mHilitePos > 0 && IsWordChar(display[static_cast<size_t>(mHilitePos - 1)]))
        --mHilitePos;
    while (mCursorPos < length - 1 && IsWordChar(display[static_cast<size_t>(mCursorPos + 1)]))
        ++mCursorPos;
    ++mCursorPos;
}

void EditWidget::DeleteSelection() {
    const int32_t start = std::min(mCursorPos, mHilitePos);
    const int32_t end = std::max(mCursorPos, mHilitePos);
    mString.erase(static_cast<size_t>(start), static_cast<size_t>(end - start));
    mCursorPos = start;
    mHilitePos = -1;
}

void EditWidget::Paste() {
    const std::string clipboard = mWidgetManager != nullptr && mWidgetManager->GetAppHost() != nullptr
                                      ? mWidgetManager->GetAppHost()->GetClipboardText()
                                      : std::string();
    Font* font = EnsureFont();
    std::string pasted;
    for (const char c : clipboard) {
        if (c == '\r' || c == '\n')
            break;
        if (font == nullptr || font->CharWidth(c) == 0)
            continue;
        if (mEditListener == nullptr || mEditListener->AllowChar(mId, c))
            pasted += c;
    }
    if (HasSelection())
        DeleteSelection();
    mString.insert(static_cast<size_t>(mCursorPos), pasted);
    mCursorPos += static_cast<int32_t>(pasted.size());
    mHilitePos = -1;
}

void EditWidget::ApplyLimits() {
    if (mMaxChars >= 0 && static_cast<int32_t>(mString.size()) > mMaxChars)
        mString.resize(static_cast<size_t>(mMaxChars));
    // A limit below 1 is none; otherwise every text would be cut to nothing.
    auto cut = [this](Font* font, int32_t maxPixels) {
        if (font == nullptr || maxPixels < 1)
            return;
        while (!mString.empty() && font->StringWidth(mString) > maxPixels)
            mString.pop_back();
    };
    if (mWidthCheckList.empty()) {
        cut(EnsureFont(), mMaxPixels);
        return;
    }
    for (const WidthCheck& check : mWidthCheckList)
        cut(check.mFont.get(), check.mMaxPixels < 1 ? mMaxPixels : check.mMaxPixels);
}

void EditWidget::MoveLeft(bool control, bool shift) {
    if (control) {
        const std::string& display = GetDisplayString();
        while (mCursorPos > 0 && !IsWordChar(display[static_cast<size_t>(mCursorPos - 1)]))
            --mCursorPos;
        while (mCursorPos > 0 && IsWordChar(display[static_cast<size_t>(mCursorPos - 1)]))
            --mCursorPos;
    } else if (!shift && mHilitePos != -1) {
        mCursorPos = std::min(mCursorPos, mHilitePos);
    } else {
        --mCursorPos;
    }
}

void EditWidget::MoveRight(bool control, bool shift) {
    if (control) {
        const std::string& display = GetDisplayString();
        const int32_t last = static_cast<int32_t>(display.size()) - 1;
        while (mCursorPos < last && IsWordChar(display[static_cast<size_t>(mCursorPos + 1)]))
            ++mCursorPos;
        while (mCursorPos < last && !IsWordChar(display[static_cast<size_t>(mCursorPos + 1)]))
            ++mCursorPos;
    }
    if (!shift && mHilitePos != -1)
        mCursorPos = std::max(mCursorPos, mHilitePos);
    else
        ++mCursorPos;
}

void EditWidget::Delete(bool before, Edit& edit) {
    if (mString.empty())
        return;
    if (HasSelection()) {
        DeleteSelection();
        edit.mUndoable = true;
        return;
    }
    if (before) {
        if (mCursorPos <= 0 || mCursorPos > static_cast<int32_t>(mString.size()))
            return;
        mString.erase(static_cast<size_t>(mCursorPos - 1), 1);
        --mCursorPos;
        // A run of Backspaces is one undo step.
        edit.mUndoable = mCursorPos != mLastModifyIdx;
        mLastModifyIdx = mCursorPos - 1;
        return;
    }
    if (mCursorPos < 0 || mCursorPos >= static_cast<int32_t>(mString.size()))
        return;
    mString.erase(static_cast<size_t>(mCursorPos), 1);
    edit.mUndoable = mCursorPos != mLastModifyIdx;
    mLastModifyIdx = mCursorPos;
}

void EditWidget::Type(char character, Edit& edit) {
    const auto c = static_cast<unsigned char>(character);
    const bool highAllowed = mWidgetManager != nullptr && mWidgetManager->GetAppHost() != nullptr &&
                             mWidgetManager->GetAppHost()->AllowsHighCharacters();
    Font* font = EnsureFont();
    const bool typable = c >= 0x20 && (c <= 0x7F || highAllowed) && font != nullptr &&
                         font->CharWidth(character) >= 1 &&
                         (mEditListener == nullptr || mEditListener->AllowChar(mId, character));
    if (!typable) {
        edit.mClearSelection = false;
        return;
    }
    if (HasSelection()) {
        DeleteSelection();
        edit.mUndoable = true;
    } else {
        // A run of typing is one undo step.
        edit.mUndoable = mCursorPos != mLastModifyIdx + 1;
        mLastModifyIdx = mCursorPos;
    }
    mCursorPos = std::clamp(mCursorPos, 0, static_cast<int32_t>(mString.size()));
    mString.insert(static_cast<size_t>(mCursorPos), 1, character);
    ++mCursorPos;
    mHilitePos = -1;
    FocusCursor(false);
}

void EditWidget::ProcessKey(int32_t key, char character) {
    if (key == KEY_SHIFT || key == KEY_CONTROL)
        return;
    const bool shift = mWidgetManager != nullptr && mWidgetManager->mKeyDown[WidgetManager::KEYCODE_SHIFT];
    const bool control = mWidgetManager != nullptr && mWidgetManager->mKeyDown[WidgetManager::KEYCODE_CONTROL];
    const std::string oldString = mString;
    const int32_t oldCursor = mCursorPos;
    const int32_t oldHilite = mHilitePos;
    Edit edit;
    edit.mClearSelection = !shift;
    if (shift && mHilitePos == -1)
        mHilitePos = mCursorPos;

    const auto c = static_cast<unsigned char>(character);
    if ((c == CHAR_COPY || c == CHAR_CUT) && HasSelection()) {
        const int32_t start = std::min(mCursorPos, mHilitePos);
        const int32_t end = std::max(mCursorPos, mHilitePos);
        // From the display string: a password field copies its password characters.
        if (mWidgetManager != nullptr && mWidgetManager->GetAppHost() != nullptr)
            mWidgetManager->GetAppHost()->SetClipboardText(
                GetDisplayString().substr(static_cast<size_t>(start), static_cast<size_t>(end - start)));
        if (c == CHAR_CUT) {
            DeleteSelection();
            edit.mUndoable = true;
        } else {
            edit.mClearSelection = false;
        }
    } else if (c == CHAR_PASTE) {
        Paste();
        edit.mUndoable = true;
    } else if (c == CHAR_UNDO) {
        std::swap(mString, mUndoString);
        std::swap(mCursorPos, mUndoCursor);
        std::swap(mHilitePos, mUndoHilitePos);
        mLastModifyIdx = -1;
        edit.mClearSelection = false;
    } else if (key == KEY_LEFT) {
        MoveLeft(control, shift);
    } else if (key == KEY_RIGHT) {
        MoveRight(control, shift);
    } else if (key == KEY_BACK || key == KEY_DELETE) {
        Delete(key == KEY_BACK, edit);
    } else if (key == KEY_HOME) {
        mCursorPos = 0;
    } else if (key == KEY_END) {
        mCursorPos = static_cast<int32_t>(mString.size());
    } else if (key == KEY_RETURN) {
        if (mEditListener != nullptr)
            mEditListener->EditWidgetText(mId, mString);
    } else {
        Type(character, edit);
    }

    ApplyLimits();
    mCursorPos = std::clamp(mCursorPos, 0, static_cast<int32_t>(mString.size()));
    if (mCursorPos != oldCursor) {
        mBlinkAcc = 0;
        mShowingCursor = true;
    }
    FocusCursor(true);
    if (edit.mClearSelection || mHilitePos == mCursorPos)
        mHilitePos = -1;

    if (mEditListener != nullptr && !mEditListener->AllowText(mId, mString)) {
        mString = oldString;
        mCursorPos = oldCursor;
        mHilitePos = oldHilite;
    } else if (edit.mUndoable) {
        mUndoString = oldString;
        mUndoCursor = oldCursor;
        mUndoHilitePos = oldHilite;
    }
    MarkDirty();
}

void EditWidget::KeyDown(int32_t key) {
    // Letters arrive again as characters; typing them is left to that path.
    if (key >= 'A' && key <= 'Z')
        return;
    if (mEditListener == nullptr || mEditListener->AllowKey(mId, key))
        ProcessKey(key, 0);
    Widget::KeyDown(key);
}

void EditWidget::KeyChar(char character) {
    ProcessKey(0, character);
}

void EditWidget::SetCursor(int32_t state) {
    if (mWidgetManager != nullptr)
        mWidgetManager->SetCursorState(state);
}

void EditWidget::MouseEnter() {
    SetCursor(WidgetAppHost::CURSOR_TEXT);
}

void EditWidget::MouseLeave() {
    SetCursor(WidgetAppHost::CURSOR_POINTER);
}

void EditWidget::MouseDownButton(int32_t x, int32_t y, int32_t button, int32_t clickCount) {
    Widget::MouseDownButton(x, y, button, clickCount);
    mHilitePos = -1;
    mCursorPos = GetCharAt(x, y);
    if (clickCount > 1) {
        mHadDoubleClick = true;
        SelectWord();
    }
    MarkDirty();
    FocusCursor(false);
}

void EditWidget::MouseDrag(int32_t x, int32_t y) {
    if (mHilitePos == -1)
        mHilitePos = mCursorPos;
    mCursorPos = GetCharAt(x, y);
    MarkDirty();
    FocusCursor(false);
}

void EditWidget::MouseUpButton(int32_t x, int32_t y, int32_t, int32_t) {
    if (mHilitePos == mCursorPos)
        mHilitePos = -1;
    if (mHadDoubleClick) {
        mHilitePos = -1;
        mCursorPos = GetCharAt(x, y);
        mHadDoubleClick = false;
        SelectWord();
    }
    MarkDirty();
}

void EditWidget::PlaceCaret() {
    if (mWidgetManager == nullptr || mWidgetManager->GetAppHost() == nullptr)
        return;
    const Point at = GetAbsPos();
    mWidgetManager->GetAppHost()->PlaceCaret(at.mX, at.mY);
}

void EditWidget::GotFocus() {
    Widget::GotFocus();
    mShowingCursor = true;
    mBlinkAcc = 0;
    PlaceCaret();
    MarkDirty();
}

void EditWidget::LostFocus() {
    Widget::LostFocus();
    mShowingCursor = false;
    if (mWidgetManager != nullptr && mWidgetManager->GetAppHost() != nullptr)
        mWidgetManager->GetAppHost()->HideCaret();
    MarkDirty();
}

void EditWidget::Update() {
    Widget::Update();
    if (!mHasFocus)
        return;
    PlaceCaret();
    if (++mBlinkAcc > mBlinkDelay) {
        MarkDirty();
        mBlinkAcc = 0;
        mShowingCursor = !mShowingCursor;
    }
}

void EditWidget::Resize(int32_t x, int32_t y, int32_t width, int32_t height) {
    Widget::Resize(x, y, width, height);
    FocusCursor(false);
}

void EditWidget::MarkDirty() {
    if (mParent == nullptr) {
        mDirty = true;
        return;
    }
    // A see-through background needs what lies beneath drawn again.
    if (GetColor(COLOR_BKG).mAlpha == 255)
        mParent->MarkDirty(this);
    else
        mParent->MarkDirtyFull(this);
}

void EditWidget::Draw(Graphics* g) {
    Font* font = EnsureFont();
    g->SetColor(GetColor(COLOR_BKG));
    g->FillRect(0, 0, mWidth, mHeight);
    if (font != nullptr) {
        const std::string& display = GetDisplayString();
        const std::string visible = display.substr(
            static_cast<size_t>(std::min<int32_t>(std::max(mLeftPos, 0), static_cast<int32_t>(display.size()))));
        const int32_t top = (mHeight - font->GetHeight()) / 2;
        const int32_t baseline = top + font->GetAscent();

        std::unique_ptr<Graphics> text(g->Create());
        text->ClipRect(kTextInset, 0, mWidth - 2 * kTextInset, mHeight);
        font->DrawString(text.get(), kTextInset, baseline, visible, GetColor(COLOR_TEXT), text->mClipRect);

        // The cursor is a 2-pixel inverted bar, the selection an inverted
        // band; in the hidden blink phase the bar has no width.
        const int32_t cursorX = DisplayWidth(0, mCursorPos) - DisplayWidth(0, mLeftPos);
        const int32_t edge = mHilitePos == -1 ? cursorX + 2 : DisplayWidth(0, mHilitePos) - DisplayWidth(0, mLeftPos);
        const int32_t limit = std::max(mWidth - 8, 0);
        const int32_t c = std::clamp(cursorX + (mShowingCursor ? 0 : 2), 0, limit);
        const int32_t e = std::clamp(edge, 0, limit);
        if (c == e)
            return DrawOutline(g);
        std::unique_ptr<Graphics> band(g->Create());
        band->ClipRect(kTextInset + std::min(c, e), top, std::abs(e - c), font->GetHeight());
        Color bandText = GetColor(COLOR_TEXT);
        if (mHasFocus || mDrawSelOverride) {
            band->SetColor(GetColor(COLOR_HILITE));
            band->FillRect(kTextInset + std::min(c, e), top, std::abs(e - c), font->GetHeight());
            bandText = GetColor(COLOR_HILITE_TEXT);
        }
        font->DrawString(band.get(), kTextInset, baseline, visible, bandText, band->mClipRect);
    }
    DrawOutline(g);
}

void EditWidget::DrawOutline(Graphics* g) {
    g->SetColor(GetColor(COLOR_OUTLINE));
    g->DrawRect(0, 0, mWidth - 1, mHeight - 1);
}

} // namespace Kavo
