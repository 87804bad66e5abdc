#include "platform/sdl/sdl_key_map.h"

#include "platform/messages.h"

namespace platform {
namespace {

struct KeyPair {
    SDL_Keycode key;
    int virtualKey;
};

// The punctuation keys of a US layout.
constexpr int kVkOemSemicolon = 0xBA;
constexpr int kVkOemPlus = 0xBB;
constexpr int kVkOemComma = 0xBC;
constexpr int kVkOemMinus = 0xBD;
constexpr int kVkOemPeriod = 0xBE;
constexpr int kVkOemSlash = 0xBF;
constexpr int kVkOemOpenBracket = 0xDB;
constexpr int kVkOemBackslash = 0xDC;
constexpr int kVkOemCloseBracket = 0xDD;
constexpr int kVkOemQuote = 0xDE;
constexpr int kVkNumLock = 0x90;
constexpr int kVkScroll = 0x91;

constexpr KeyPair kKeys[] = {
    {SDLK_BACKSPACE, kVkBack},
    {SDLK_TAB, kVkTab},
    {SDLK_RETURN, kVkReturn},
    {SDLK_KP_ENTER, kVkReturn},
    {SDLK_LSHIFT, kVkShift},
    {SDLK_RSHIFT, kVkShift},
    {SDLK_LCTRL, kVkControl},
    {SDLK_RCTRL, kVkControl},
    {SDLK_LALT, kVkMenu},
    {SDLK_RALT, kVkMenu},
    {SDLK_PAUSE, kVkPause},
    {SDLK_CAPSLOCK, kVkCapital},
    {SDLK_ESCAPE, kVkEscape},
    {SDLK_SPACE, kVkSpace},
    {SDLK_PAGEUP, kVkPrior},
    {SDLK_PAGEDOWN, kVkNext},
    {SDLK_END, kVkEnd},
    {SDLK_HOME, kVkHome},
    {SDLK_LEFT, kVkLeft},
    {SDLK_UP, kVkUp},
    {SDLK_RIGHT, kVkRight},
    {SDLK_DOWN, kVkDown},
    {SDLK_PRINTSCREEN, kVkSnapshot},
    {SDLK_INSERT, kVkInsert},
    {SDLK_DELETE, kVkDelete},
    {SDLK_KP_MULTIPLY, kVkMultiply},
    {SDLK_KP_PLUS, kVkAdd},
    {SDLK_KP_MINUS, kVkSubtract},
    {SDLK_KP_PERIOD, kVkDecimal},
    {SDLK_KP_DIVIDE, kVkDivide},
    {SDLK_NUMLOCKCLEAR, kVkNumLock},
    {SDLK_SCROLLLOCK, kVkScroll},
    {SDLK_BACKQUOTE, kVkOem3},
    {SDLK_SEMICOLON, kVkOemSemicolon},
    {SDLK_EQUALS, kVkOemPlus},
    {SDLK_COMMA, kVkOemComma},
    {SDLK_MINUS, kVkOemMinus},
    {SDLK_PERIOD, kVkOemPeriod},
    {SDLK_SLASH, kVkOemSlash},
    {SDLK_LEFTBRACKET, kVkOemOpenBracket},
    {SDLK_BACKSLASH, kVkOemBackslash},
    {SDLK_RIGHTBRACKET, kVkOemCloseBracket},
    {SDLK_QUOTE, kVkOemQuote},
};

} // namespace

int VirtualKeyFromSdl(SDL_Keycode key, SDL_Scancode scancode) {
    if (key >= SDLK_a && key <= SDLK_z)
        return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9)
        return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return kVkF1 + (key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9)
        return kVkNumpad0 + 1 + (key - SDLK_KP_1);
    if (key == SDLK_KP_0)
        return kVkNumpad0;
    for (const KeyPair& pair : kKeys) {
        if (pair.key == key)
            return pair.virtualKey;
    }
    // A layout whose letters are not Latin (Cyrillic, Greek) still names
    // the letter and digit keys by their place on the keyboard.
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return 'A' + (scancode - SDL_SCANCODE_A);
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return '1' + (scancode - SDL_SCANCODE_1);
    if (scancode == SDL_SCANCODE_0)
        return '0';
    return 0;
}

unsigned char ControlCharacterFor(int virtualKey, Uint16 modifiers) {
    if (modifiers & KMOD_ALT)
        return 0;
    if (modifiers & KMOD_CTRL)
        return virtualKey >= 'A' && virtualKey <= 'Z' ? static_cast<unsigned char>(virtualKey - 'A' + 1) : 0;
    switch (virtualKey) {
    case kVkBack:
        return 0x08;
    case kVkTab:
        return 0x09;
    case kVkReturn:
        return 0x0D;
    case kVkEscape:
        return 0x1B;
    default:
        return 0;
    }
}

} // namespace platform
