#pragma once
// The video driver on SDL2: each top-level window is an SDL window, frames
// are drawn through SDL's software renderer, full screen is a desktop-sized
// window with the client area scaled in between black bars, and the
// desktop's events come back through platform/desktop_events.h and the
// Inject calls.
//
// SDL's windows and renderers belong to the thread that started the driver
// (the one that pumps its events): a frame presented from another thread
// (the cursor thread's) is kept and drawn by that thread at its next pump.
//
// The desktop's resolution is never changed: a display mode is accepted
// when listed and shown by scaling. The renderer cannot wait for the
// vertical blank nor tell the scan line, and says so.

#include <SDL.h>

#include <array>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/sdl/letterbox.h"
#include "platform/sdl/sdl_session.h"
#include "platform/video_driver.h"

namespace platform {

class SdlVideoDriver final : public VideoDriver {
public:
    SdlVideoDriver();
    ~SdlVideoDriver() override;
    SdlVideoDriver(const SdlVideoDriver&) = delete;
    SdlVideoDriver& operator=(const SdlVideoDriver&) = delete;

    // False when SDL's video did not start (no display); Error says why.
    bool Started() const { return mVideo.Started(); }
    const std::string& Error() const { return mVideo.Error(); }

    const char* Name() const override { return "sdl"; }
    void PumpEvents() override;
    void CreateWindow(WindowHandle window, const WindowMirror& mirror) override;
    void DestroyWindow(WindowHandle window) override;
    void ShowWindow(WindowHandle window, WindowShowState show) override;
    void MoveWindow(WindowHandle window, Point clientOrigin) override;
    void ResizeWindow(WindowHandle window, int clientWidth, int clientHeight) override;
    void SetWindowTitle(WindowHandle window, std::string_view title) override;
    bool Present(WindowHandle window, const FrameView& frame, const Rect& destination) override;
    bool SetFullScreen(WindowHandle window, bool fullScreen) override;
    // The driver only starts where a display exists.
    bool HasDisplay() const override { return true; }
    DisplayMode GetDesktopMode() override { return CurrentMode(); }
    std::vector<DisplayMode> ListDisplayModes() override;
    bool SetDisplayMode(const DisplayMode& mode) override;
    void RestoreDesktopMode() override;
    bool WaitForVerticalBlank() override;
    std::optional<int> GetScanLine() override;
    bool SetSystemCursor(SystemCursor cursor) override;
    CursorId CreateCursor(const CursorImage& image) override;
    bool SetCustomCursor(CursorId cursor) override;
    void DestroyCursor(CursorId cursor) override;
    void ShowCursor(bool show) override;
    void SetCursorPosition(WindowHandle window, Point client) override;
    void SetTextInputRect(WindowHandle window, std::optional<Rect> caret) override;

    // The SDL window that mirrors `window`, or null (message-box owners, tests).
    SDL_Window* SdlWindowOf(WindowHandle window) const;
    // What the SDL window shows, bars included.
    bool ReadWindowPixels(WindowHandle window, int& width, int& height, std::vector<std::uint32_t>& argb) override;
    // The display mode set last (the desktop's after RestoreDesktopMode).
    DisplayMode CurrentMode() const;

private:
    struct Mirror {
        SDL_Window* window = nullptr;
        SDL_Renderer* renderer = nullptr;
        SDL_Texture* texture = nullptr;
        int textureWidth = 0;
        int textureHeight = 0;
        Rect client; // as the window layer has it, screen coordinates
        WindowShowState show = WindowShowState::Hidden;
        bool fullScreen = false;
        Rect destination; // of the last frame, client coordinates
        // The last frame went straight into the window's surface (one to
        // one, no renderer between); the surface still holds it.
        bool direct = false;
        // A frame presented from another thread, waiting for the owner's pump.
        bool hasPending = false;
        std::vector<std::uint32_t> pending;
        int pendingWidth = 0;
        int pendingHeight = 0;
        Rect pendingDestination;
    };
    // An event taken from SDL with what delivering it needs.
    struct Pending {
        SDL_Event event;
        WindowHandle window = nullptr;
        Letterbox view;
    };

    // The helpers below expect mMutex held.
    Mirror* Find(WindowHandle window);
    WindowHandle HandleOf(Uint32 windowId) const;
    Letterbox ViewOf(const Mirror& mirror) const;
    bool EnsureTexture(Mirror& mirror, int width, int height);
    // Shows a frame in `destination` (client coordinates) with black
    // around it; only on the owning thread.
    bool Show(Mirror& mirror, const FrameView& frame, const Rect& destination);
    // Writes an unscaled frame straight into the window's surface; false
    // (nothing done) where it would need scaling or the surface's layout is
    // not 32-bit RGB, and the renderer has to draw it.
    bool ShowDirect(Mirror& mirror, const FrameView& frame, const Rect& destination);
    // The size the window shows its picture in (the desktop's size of a
    // full-screen window).
    void OutputSize(const Mirror& mirror, int& width, int& height) const;
    void DrawPendingFrames();
    void Draw(Mirror& mirror);
    // Brings the mirror in line with a window event; false when the window
    // layer already knows (the desktop repeating what the program did).
    bool Note(Mirror& mirror, const SDL_WindowEvent& event);
    DisplayMode DesktopMode() const;

    void Deliver(const Pending& pending);
    // Lets go of the Shift, Control and Alt the window layer holds and SDL
    // does not.
    void ReleaseModifiersLetGo(WindowHandle window);
    void FollowPointer();

    SdlSubsystem mVideo;
    const std::thread::id mOwner = std::this_thread::get_id();
    mutable std::mutex mMutex;
    std::map<WindowHandle, Mirror> mWindows;
    std::map<CursorId, SDL_Cursor*> mCursors;
    CursorId mNextCursor = 1;
    std::array<SDL_Cursor*, 10> mSystemCursors{};
    DisplayMode mCurrentMode;
    bool mPointerKnown = false;
    Point mPointer; // the desktop pointer at the last pump
};

} // namespace platform
