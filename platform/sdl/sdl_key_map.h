#pragma once
// SDL's keys as the system's virtual-key codes, and the control characters
// a key press types that SDL's text input leaves out.

#include <SDL.h>

namespace platform {

// 0 for a key without a virtual-key code. Left and right modifiers give the
// plain VK_SHIFT, VK_CONTROL and VK_MENU, as key messages carry them.
int VirtualKeyFromSdl(SDL_Keycode key, SDL_Scancode scancode);

// The character a key press types besides SDL's text input, or 0: Ctrl with
// a letter gives 0x01..0x1A (Ctrl+C 0x03, Ctrl+V 0x16, Ctrl+X 0x18, Ctrl+Z
// 0x1A); Backspace, Tab, Enter and Escape give 0x08, 0x09, 0x0D and 0x1B.
// Nothing while Alt is held (the system keeps those for itself).
unsigned char ControlCharacterFor(int virtualKey, Uint16 modifiers);

} // namespace platform
