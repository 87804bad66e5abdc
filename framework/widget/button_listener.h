#pragma once

#include <cstdint>

namespace Kavo {

// What a button reports to whoever listens to it. Every notification does
// nothing here; a listener overrides the ones it cares about.
class ButtonListener {
public:
    virtual ~ButtonListener() = default;

    // A press with its click count (2 for a double click); passes the id on
    // to the one-argument form.
    virtual void ButtonPress(int32_t id, int32_t /*clickCount*/) { ButtonPress(id); }
    virtual void ButtonPress(int32_t) {}
    virtual void ButtonDepress(int32_t) {}
    // Repeats while the button stays held.
    virtual void ButtonDownTick(int32_t) {}
    virtual void ButtonMouseEnter(int32_t) {}
    virtual void ButtonMouseLeave(int32_t) {}
    virtual void ButtonMouseMove(int32_t, int32_t, int32_t) {}
};

} // namespace Kavo
