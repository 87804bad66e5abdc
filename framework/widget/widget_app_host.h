#pragma once

#include <cstdint>
#include <string>

namespace Kavo {

class Font;

// What the widget tree asks of the application that runs it: a step of its
// loop, its cursor, the removal of a dialog by id, the system fonts that
// widgets make for their labels, the clipboard, the characters it lets users
// type and the caret that tells the desktop's input method where text goes.
class WidgetAppHost {
public:
    enum CursorState : int32_t {
        CURSOR_POINTER = 0,
        CURSOR_HAND = 1,
        CURSOR_DRAGGING = 2,
        CURSOR_TEXT = 3,
    };

    virtual ~WidgetAppHost() = default;

    // One step of the application's loop; false once the loop cannot go on.
    virtual bool LoopStep() = 0;
    // Stores the cursor state and has the application show it.
    virtual void SetCursorState(int32_t state) = 0;
    virtual void KillDialog(int32_t dialogId) = 0;
    // A new font owned by the caller, or null when none can be made.
    virtual Font* CreateSysFont(const std::string& face, int32_t pointSize) = 0;
    // Program text (Windows-1251) both ways.
    virtual void SetClipboardText(const std::string& text) = 0;
    virtual std::string GetClipboardText() = 0;
    // Whether characters 0x80..0xFF may be typed.
    virtual bool AllowsHighCharacters() = 0;
    // Puts the caret at a position in game coordinates; nothing when the
    // application does not use the system caret.
    virtual void PlaceCaret(int32_t x, int32_t y) = 0;
    virtual void HideCaret() = 0;
};

} // namespace Kavo
