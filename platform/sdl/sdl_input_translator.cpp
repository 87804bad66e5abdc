#include "platform/sdl/sdl_input_translator.h"

#include <mutex>
#include <string>

#include "platform/sdl/sdl_key_map.h"
#include "platform/text_encoding.h"
#include "platform/window_state.h"

namespace platform {
namespace {

// Whether the window's class asks for double clicks (CS_DBLCLKS).
bool WantsDoubleClicks(WindowHandle window) {
    const std::string className = Cp1251FoldCase(GetWindowClassName(window));
    auto& state = window_state::S();
    std::lock_guard lock(state.mutex);
    auto it = state.classes.find(className);
    return it != state.classes.end() && (it->second.style & kCsDblClks) != 0;
}

MessageId ButtonMessage(Uint8 button, bool down, bool doubleClick) {
    switch (button) {
    case SDL_BUTTON_LEFT:
        return !down ? kWmLButtonUp : doubleClick ? kWmLButtonDblClk : kWmLButtonDown;
    case SDL_BUTTON_RIGHT:
        return !down ? kWmRButtonUp : doubleClick ? kWmRButtonDblClk : kWmRButtonDown;
    case SDL_BUTTON_MIDDLE:
        return !down ? kWmMButtonUp : doubleClick ? kWmMButtonDblClk : kWmMButtonDown;
    default:
        return kWmNull;
    }
}

void TranslateKey(const SDL_KeyboardEvent& key, WindowHandle window) {
    const int virtualKey = VirtualKeyFromSdl(key.keysym.sym, key.keysym.scancode);
    if (virtualKey == 0)
        return;
    const bool down = key.type == SDL_KEYDOWN;
    InjectKey(window, virtualKey, down);
    if (down) {
        if (const unsigned char character = ControlCharacterFor(virtualKey, key.keysym.mod))
            InjectChar(window, character);
    }
}

void TranslateText(const SDL_TextInputEvent& text, WindowHandle window) {
    // With the left Alt held the system would send WM_SYSCHAR, which the
    // program does not type; the right Alt (AltGr) types as usual.
    if (SDL_GetModState() & KMOD_LALT)
        return;
    for (const char byte : Utf8ToCp1251(text.text))
        InjectChar(window, static_cast<unsigned char>(byte));
}

} // namespace

void TranslateSdlInput(const SDL_Event& event, WindowHandle window, const Letterbox& view) {
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        TranslateKey(event.key, window);
        break;
    case SDL_TEXTINPUT:
        TranslateText(event.text, window);
        break;
    case SDL_MOUSEMOTION: {
        const Point client = view.ToClient({event.motion.x, event.motion.y});
        InjectMouse(window, kWmMouseMove, client.x, client.y);
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const bool down = event.type == SDL_MOUSEBUTTONDOWN;
        // Every second click of a run is the double click; the third
        // starts again with a plain press, as on the system.
        const bool doubleClick =
            down && event.button.clicks >= 2 && event.button.clicks % 2 == 0 && WantsDoubleClicks(window);
        const MessageId message = ButtonMessage(event.button.button, down, doubleClick);
        if (message == kWmNull)
            break;
        const Point client = view.ToClient({event.button.x, event.button.y});
        InjectMouse(window, message, client.x, client.y);
        break;
    }
    case SDL_MOUSEWHEEL: {
        int delta = event.wheel.y * kWheelDelta;
        if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED)
            delta = -delta;
        if (delta == 0)
            break;
        int x = 0, y = 0;
        SDL_GetMouseState(&x, &y);
        const Point client = view.ToClient({x, y});
        InjectMouseWheel(window, client.x, client.y, delta);
        break;
    }
    default:
        break;
    }
}

} // namespace platform
