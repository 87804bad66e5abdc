// Real SDL events, pushed into SDL's queue, reach the window procedure as
// the messages the system would send.

#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/desktop_events.h"
#include "platform/messages.h"
#include "tests/platform/sdl/sdl_window_fixture.h"

namespace {

using namespace platform;

SDL_Event Key(Uint32 window, bool down, SDL_Keycode key, Uint16 mod = KMOD_NONE) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = window;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = key;
    e.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    e.key.keysym.mod = mod;
    return e;
}

SDL_Event Text(Uint32 window, const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    e.text.windowID = window;
    SDL_strlcpy(e.text.text, utf8, sizeof e.text.text);
    return e;
}

SDL_Event Motion(Uint32 window, int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = window;
    e.motion.x = x;
    e.motion.y = y;
    return e;
}

SDL_Event Button(Uint32 window, bool down, Uint8 button, Uint8 clicks, int x, int y) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = window;
    e.button.button = button;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = clicks;
    e.button.x = x;
    e.button.y = y;
    return e;
}

SDL_Event Wheel(Uint32 window, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.windowID = window;
    e.wheel.y = y;
    e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    return e;
}

SDL_Event WindowEvent(Uint32 window, SDL_WindowEventID id, int data1 = 0, int data2 = 0) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = window;
    e.window.event = static_cast<Uint8>(id);
    e.window.data1 = data1;
    e.window.data2 = data2;
    return e;
}

constexpr LParam kDown = 1;
constexpr LParam kRepeatOrUp = static_cast<LParam>(static_cast<std::int32_t>(0xC0000001u)); // previous state, up

SeenMessage KeyDown(int vk) {
    return {kWmKeyDown, static_cast<WParam>(vk), kDown};
}
SeenMessage KeyUp(int vk) {
    return {kWmKeyUp, static_cast<WParam>(vk), kRepeatOrUp};
}
SeenMessage Char(unsigned char c) {
    return {kWmChar, c, 1};
}

// Only input messages: the window also hears about focus and painting.
std::vector<SeenMessage> InputSeen() {
    std::vector<SeenMessage> input;
    for (const SeenMessage& m : SeenMessages()) {
        if (IsKeyMessage(m.message) || IsMouseMessage(m.message))
            input.push_back(m);
    }
    return input;
}

class SdlInputTest : public SdlWindowTest {
protected:
    std::vector<SeenMessage> Deliver(const std::vector<SDL_Event>& events) {
        SeenMessages().clear();
        for (SDL_Event e : events)
            EXPECT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
        Drain();
        return InputSeen();
    }
};

TEST_F(SdlInputTest, KeysAndTextBecomeKeyAndCharacterMessages) {
    const Uint32 w = SdlId(mWindow);
    struct Case {
        const char* name;
        std::vector<SDL_Event> events;
        std::vector<SeenMessage> expected;
    };
    const std::vector<Case> cases = {
        {"Cyrillic text in Windows-1251", {Text(w, "Ж")}, {Char(0xC6)}},
        {"Latin text", {Text(w, "a!")}, {Char('a'), Char('!')}},
        {"text outside Windows-1251", {Text(w, "\xE2\x82\xAC\xE4\xB8\xAD")}, {Char(0x88), Char('?')}},
        {"Ctrl+C",
         {Key(w, true, SDLK_LCTRL, KMOD_LCTRL), Key(w, true, SDLK_c, KMOD_LCTRL), Key(w, false, SDLK_c, KMOD_LCTRL),
          Key(w, false, SDLK_LCTRL)},
         {KeyDown(kVkControl), KeyDown('C'), Char(0x03), KeyUp('C'), KeyUp(kVkControl)}},
        {"Ctrl+V, Ctrl+X, Ctrl+Z",
         {Key(w, true, SDLK_v, KMOD_RCTRL), Key(w, true, SDLK_x, KMOD_RCTRL), Key(w, true, SDLK_z, KMOD_RCTRL)},
         {KeyDown('V'), Char(0x16), KeyDown('X'), Char(0x18), KeyDown('Z'), Char(0x1A)}},
        {"F1", {Key(w, true, SDLK_F1), Key(w, false, SDLK_F1)}, {KeyDown(0x70), KeyUp(0x70)}},
        {"F12 and a digit", {Key(w, true, SDLK_F12), Key(w, true, SDLK_7)}, {KeyDown(0x7B), KeyDown('7')}},
        {"Shift either side",
         {Key(w, true, SDLK_RSHIFT), Key(w, false, SDLK_RSHIFT)},
         {KeyDown(kVkShift), KeyUp(kVkShift)}},
        {"arrows, Home, End, Delete",
         {Key(w, true, SDLK_LEFT), Key(w, true, SDLK_DOWN), Key(w, true, SDLK_HOME), Key(w, true, SDLK_END),
          Key(w, true, SDLK_DELETE)},
         {KeyDown(kVkLeft), KeyDown(kVkDown), KeyDown(kVkHome), KeyDown(kVkEnd), KeyDown(kVkDelete)}},
        {"Backspace, Tab, Enter and Escape type their characters too",
         {Key(w, true, SDLK_BACKSPACE), Key(w, true, SDLK_TAB), Key(w, true, SDLK_KP_ENTER), Key(w, true, SDLK_ESCAPE)},
         {KeyDown(kVkBack), Char(0x08), KeyDown(kVkTab), Char(0x09), KeyDown(kVkReturn), Char(0x0D), KeyDown(kVkEscape),
          Char(0x1B)}},
        {"Alt+Enter is a system key and types nothing",
         {Key(w, true, SDLK_LALT, KMOD_LALT), Key(w, true, SDLK_RETURN, KMOD_LALT),
          Key(w, false, SDLK_RETURN, KMOD_LALT), Key(w, false, SDLK_LALT)},
         {{kWmSysKeyDown, kVkMenu, kDown},
          {kWmSysKeyDown, kVkReturn, kDown},
          {kWmSysKeyUp, kVkReturn, kRepeatOrUp},
          {kWmSysKeyUp, kVkMenu, kRepeatOrUp}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Deliver(c.events), c.expected) << c.name;
        for (int vk = 1; vk < 256; ++vk) // no key left held for the next case
            if (IsKeyDown(vk))
                InjectKey(mWindow, vk, false);
        Drain();
    }
}

// The full-screen switch replaces the main window while Alt+Enter is held.
// SDL then reports the held keys released for the window that went, yet the
// keys stay down and the desktop's repeats of Enter go on: they must stay
// repeats, or each would switch the mode again. An Alt let go meanwhile must
// not stay held either, or every later Enter would be Alt+Enter.
TEST_F(SdlInputTest, KeysHeldAcrossAReplacedWindowStayHeldAndAModifierLetGoIsReleased) {
    const Uint32 old = SdlId(mWindow);
    Deliver({Key(old, true, SDLK_LALT, KMOD_LALT), Key(old, true, SDLK_RETURN, KMOD_LALT)});
    ASSERT_TRUE(IsKeyDown(kVkMenu));
    platform::WindowHandle replacement = MakeWindow("MainWindow", kCsDblClks, 100, 80);
    ASSERT_NE(replacement, nullptr);
    DestroyWindow(mWindow);
    mWindow = replacement;
    const Uint32 now = SdlId(replacement);

    Deliver({Key(old, false, SDLK_RETURN), Key(old, false, SDLK_LALT)});
    // The new window gains the keyboard (the display may say so itself); SDL
    // holds no modifier, since nothing here pressed one for real: Alt was let go.
    Deliver({WindowEvent(now, SDL_WINDOWEVENT_FOCUS_GAINED)});
    EXPECT_FALSE(IsKeyDown(kVkMenu));
    EXPECT_TRUE(IsKeyDown(kVkReturn));
    const LParam repeat = 1 | (LParam{1} << 30);
    EXPECT_EQ(Deliver({Key(now, true, SDLK_RETURN)}),
              (std::vector<SeenMessage>{{kWmKeyDown, kVkReturn, repeat}, Char(0x0D)}));
}

TEST_F(SdlInputTest, MouseMovesButtonsDoubleClicksAndWheel) {
    const Uint32 w = SdlId(mWindow);
    EXPECT_EQ(Deliver({Motion(w, 10, 20)}), (std::vector<SeenMessage>{{kWmMouseMove, 0, MakeLParam(10, 20)}}));

    // The second click of a run is the double click, the third a press again.
    EXPECT_EQ(Deliver({Button(w, true, SDL_BUTTON_LEFT, 1, 5, 6), Button(w, false, SDL_BUTTON_LEFT, 1, 5, 6),
                       Button(w, true, SDL_BUTTON_LEFT, 2, 5, 6), Button(w, false, SDL_BUTTON_LEFT, 2, 5, 6),
                       Button(w, true, SDL_BUTTON_LEFT, 3, 5, 6), Button(w, false, SDL_BUTTON_LEFT, 3, 5, 6)}),
              (std::vector<SeenMessage>{{kWmLButtonDown, kMkLButton, MakeLParam(5, 6)},
                                        {kWmLButtonUp, 0, MakeLParam(5, 6)},
                                        {kWmLButtonDblClk, kMkLButton, MakeLParam(5, 6)},
                                        {kWmLButtonUp, 0, MakeLParam(5, 6)},
                                        {kWmLButtonDown, kMkLButton, MakeLParam(5, 6)},
                                        {kWmLButtonUp, 0, MakeLParam(5, 6)}}));
    EXPECT_EQ(Deliver({Button(w, true, SDL_BUTTON_RIGHT, 2, 1, 2), Button(w, false, SDL_BUTTON_RIGHT, 2, 1, 2),
                       Button(w, true, SDL_BUTTON_MIDDLE, 1, 3, 4), Button(w, false, SDL_BUTTON_MIDDLE, 1, 3, 4)}),
              (std::vector<SeenMessage>{{kWmRButtonDblClk, kMkRButton, MakeLParam(1, 2)},
                                        {kWmRButtonUp, 0, MakeLParam(1, 2)},
                                        {kWmMButtonDown, kMkMButton, MakeLParam(3, 4)},
                                        {kWmMButtonUp, 0, MakeLParam(3, 4)}}));

    // Wheel notches in units of 120, up positive, with the screen position.
    const auto wheel = Deliver({Wheel(w, 1), Wheel(w, -2)});
    ASSERT_EQ(wheel.size(), 2u);
    EXPECT_EQ(wheel[0].message, kWmMouseWheel);
    EXPECT_EQ(HighSigned16(static_cast<std::intptr_t>(wheel[0].wParam)), 120);
    EXPECT_EQ(HighSigned16(static_cast<std::intptr_t>(wheel[1].wParam)), -240);

    // A class that does not ask for double clicks gets two presses.
    WindowHandle plain = MakeWindow("PlainWindow", 0, 300, 80);
    ASSERT_NE(plain, nullptr);
    Drain();
    const Uint32 p = SdlId(plain);
    EXPECT_EQ(Deliver({Button(p, true, SDL_BUTTON_LEFT, 2, 7, 8)}),
              (std::vector<SeenMessage>{{kWmLButtonDown, kMkLButton, MakeLParam(7, 8)}}));
}

TEST_F(SdlInputTest, DesktopWindowEventsReachTheProgramOnce) {
    const Uint32 w = SdlId(mWindow);
    auto seen = [&](std::vector<SDL_Event> events, MessageId only) {
        SeenMessages().clear();
        for (SDL_Event& e : events)
            SDL_PushEvent(&e);
        Drain();
        std::vector<SeenMessage> picked;
        for (const SeenMessage& m : SeenMessages())
            if (m.message == only)
                picked.push_back(m);
        return picked;
    };
    // Minimised, then restored; a repeated minimise changes nothing.
    EXPECT_EQ(seen({WindowEvent(w, SDL_WINDOWEVENT_MINIMIZED), WindowEvent(w, SDL_WINDOWEVENT_MINIMIZED)}, kWmSize),
              (std::vector<SeenMessage>{{kWmSize, kSizeMinimized, 0}}));
    EXPECT_TRUE(IsIconic(mWindow));
    EXPECT_EQ(seen({WindowEvent(w, SDL_WINDOWEVENT_RESTORED)}, kWmSize),
              (std::vector<SeenMessage>{{kWmSize, kSizeRestored, MakeLParam(kClientWidth, kClientHeight)}}));
    EXPECT_FALSE(IsIconic(mWindow));

    // Moved by the desktop: WM_MOVE with the new client origin, and the
    // window layer's rectangle follows.
    EXPECT_EQ(seen({WindowEvent(w, SDL_WINDOWEVENT_MOVED, 140, 90)}, kWmMove),
              (std::vector<SeenMessage>{{kWmMove, 0, MakeLParam(140, 90)}}));
    EXPECT_EQ(ClientToScreen(mWindow, {0, 0}), (Point{140, 90}));

    // Focus: WM_ACTIVATE both ways.
    EXPECT_EQ(
        seen({WindowEvent(w, SDL_WINDOWEVENT_FOCUS_GAINED), WindowEvent(w, SDL_WINDOWEVENT_FOCUS_LOST)}, kWmActivate),
        (std::vector<SeenMessage>{{kWmActivate, kWaActive, 0}, {kWmActivate, kWaInactive, 0}}));

    // The close button: WM_CLOSE, whose default handling destroys the window.
    EXPECT_EQ(seen({WindowEvent(w, SDL_WINDOWEVENT_CLOSE)}, kWmClose), (std::vector<SeenMessage>{{kWmClose, 0, 0}}));
    EXPECT_FALSE(IsWindow(mWindow));
    EXPECT_EQ(mVideo->SdlWindowOf(mWindow), nullptr);
}

} // namespace
