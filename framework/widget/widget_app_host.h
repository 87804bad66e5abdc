#pragma once

#include <cstdint>
#include <string>

namespace Kavo {

class Font;

// What the widget tree asks of the application that runs it: a step of its
// loop, its cursor, the removal of a dialog by id and the system fonts that
// widgets make for their labels.
class WidgetAppHost {
public:
    enum CursorState : int32_t {
        CURSOR_POINTER = 0,
        CURSOR_HAND = 1,
        CURSOR_DRAGGING = 2,
    };

    virtual ~WidgetAppHost() = default;

    // One step of the application's loop; false once the loop cannot go on.
    virtual bool LoopStep() = 0;
    // Stores the cursor state and has the application show it.
    virtual void SetCursorState(int32_t state) = 0;
    virtual void KillDialog(int32_t dialogId) = 0;
    // A new font owned by the caller, or null when none can be made.
    virtual Font* CreateSysFont(const std::string& face, int32_t pointSize) = 0;
};

} // namespace Kavo
