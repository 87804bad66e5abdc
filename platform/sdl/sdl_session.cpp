#include "platform/sdl/sdl_session.h"

#include <SDL.h>

#include <cstdlib>
#include <string>

namespace platform {
namespace {

void SetHintsOnce() {
    // The program handles Ctrl+C and termination itself; SDL must not turn
    // them into quit events. Each window's closing arrives on its own.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // A click that activates the window is also a click in it.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // Full screen stays up when another program takes the focus, as a
    // desktop-sized window does.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // The window's picture is a plain shared-memory image the display copies
    // from. SDL would otherwise keep it in an OpenGL texture and draw that
    // each present: without a graphics card that is a software OpenGL that
    // costs more CPU than the whole frame, and the texture keeps the size SDL
    // asked for, so where the desktop leaves a full-screen window smaller it
    // shows a far corner of the picture.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
}

bool DisplayNamed() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

// SDL's windowless outputs, taken only when asked for by name: measurements
// of the present path run on them without a display server.
bool WindowlessOutputAsked() {
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    const std::string name = asked != nullptr ? asked : "";
    return name == "offscreen" || name == "dummy";
}

} // namespace

SdlSubsystem::SdlSubsystem(std::uint32_t flags) : mFlags(flags) {
    // Without a desktop SDL would fall back to an off-screen video output
    // that shows nothing: windows need a display named.
    const bool windowless = (flags & SDL_INIT_VIDEO) && WindowlessOutputAsked();
    if ((flags & SDL_INIT_VIDEO) && !DisplayNamed() && !windowless) {
        mError = "no display (neither DISPLAY nor WAYLAND_DISPLAY is set)";
        return;
    }
    SetHintsOnce();
    mStarted = SDL_InitSubSystem(flags) == 0;
    if (!mStarted) {
        mError = SDL_GetError();
        return;
    }
    // When the named display cannot be reached SDL may still start on an
    // output without windows on a desktop (off-screen, KMS, evdev): that is
    // no display for us.
    if ((flags & SDL_INIT_VIDEO) && !windowless) {
        const char* driver = SDL_GetCurrentVideoDriver();
        const std::string name = driver != nullptr ? driver : "";
        if (name != "x11" && name != "wayland") {
            SDL_QuitSubSystem(flags);
            mStarted = false;
            mError = "the display cannot be reached (SDL chose \"" + name + "\")";
        }
    }
}

SdlSubsystem::~SdlSubsystem() {
    if (mStarted)
        SDL_QuitSubSystem(mFlags);
}

bool SdlDisplayAvailable() {
    const SdlSubsystem video(SDL_INIT_VIDEO);
    return video.Started();
}

} // namespace platform
