#pragma once
// Real input at an SDL window, made by the X server itself through its XTest
// extension as a person at the display would make it: the pointer moved to
// a point of the window and clicked, keys pressed and released. Each call
// returns once the server has handled it, so the events wait in SDL's
// connection for its next pump. All fail the test off X11 or without XTest.

#include <gtest/gtest.h>

#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/sdl/sdl_x11_handle.h"

namespace sdl_test {

// The connection SDL has to the window's server, and the window there.
struct XTarget {
    Display* display = nullptr;
    Window window = 0;
};

inline XTarget XTestTarget(SDL_Window* window) {
    XTarget target;
    int event = 0, error = 0, major = 0, minor = 0;
    if (!platform::X11WindowOf(window, target.display, target.window)) {
        ADD_FAILURE() << "not an X11 window";
        return {};
    }
    if (!XTestQueryExtension(target.display, &event, &error, &major, &minor)) {
        ADD_FAILURE() << "the X server has no XTest extension";
        return {};
    }
    return target;
}

// Moves the pointer to (x, y) of the window as the server has it.
inline void XMovePointer(SDL_Window* window, int x, int y) {
    const XTarget target = XTestTarget(window);
    if (target.display == nullptr)
        return;
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates(target.display, target.window, DefaultRootWindow(target.display), x, y, &rootX, &rootY,
                          &child);
    XTestFakeMotionEvent(target.display, -1, rootX, rootY, CurrentTime);
    XSync(target.display, False);
}

// The pointer moved to (x, y) of the window and the left button pressed
// and released there.
inline void XClick(SDL_Window* window, int x, int y) {
    XMovePointer(window, x, y);
    const XTarget target = XTestTarget(window);
    if (target.display == nullptr)
        return;
    XTestFakeButtonEvent(target.display, 1, True, CurrentTime);
    XTestFakeButtonEvent(target.display, 1, False, CurrentTime);
    XSync(target.display, False);
}

// The keys pressed in order and released in the reverse order, as a chord
// (Alt_L, Return) or a single key.
inline void XPressKeys(SDL_Window* window, std::initializer_list<KeySym> keys) {
    const XTarget target = XTestTarget(window);
    if (target.display == nullptr)
        return;
    std::vector<KeyCode> codes;
    for (const KeySym key : keys) {
        const KeyCode code = XKeysymToKeycode(target.display, key);
        if (code == 0) {
            ADD_FAILURE() << "no key for keysym " << key;
            return;
        }
        codes.push_back(code);
    }
    for (const KeyCode code : codes)
        XTestFakeKeyEvent(target.display, code, True, CurrentTime);
    for (auto it = codes.rbegin(); it != codes.rend(); ++it)
        XTestFakeKeyEvent(target.display, *it, False, CurrentTime);
    XSync(target.display, False);
}

// Lower-case letters and digits typed one key at a time.
inline void XType(SDL_Window* window, const std::string& text) {
    for (const char c : text)
        XPressKeys(window, {static_cast<KeySym>(static_cast<unsigned char>(c))});
}

} // namespace sdl_test
