#include "platform/sdl/sdl_video_driver.h"

#include <algorithm>

#include "platform/desktop_events.h"
#include "platform/sdl/sdl_cursor_image.h"
#include "platform/sdl/sdl_frame.h"
#include "platform/sdl/sdl_input_translator.h"
#include "platform/sdl/sdl_window_size.h"
#include "platform/text_encoding.h"
#include "platform/window.h"

namespace platform {
namespace {

SDL_Rect ToSdl(const Rect& r) {
    return {r.left, r.top, r.Width(), r.Height()};
}

// Sizes offered beside the desktop's own modes: full screen scales any of
// them onto the desktop.
constexpr std::array<std::array<int, 2>, 3> kCommonSizes = {{{640, 480}, {800, 600}, {1024, 768}}};

} // namespace

SdlVideoDriver::SdlVideoDriver() : mVideo(SDL_INIT_VIDEO) {
    mCurrentMode = DesktopMode();
}

SdlVideoDriver::~SdlVideoDriver() {
    std::lock_guard lock(mMutex);
    for (auto& [handle, mirror] : mWindows) {
        if (mirror.texture)
            SDL_DestroyTexture(mirror.texture);
        if (mirror.renderer)
            SDL_DestroyRenderer(mirror.renderer);
        SDL_DestroyWindow(mirror.window);
    }
    for (auto& [id, cursor] : mCursors)
        SDL_FreeCursor(cursor);
    for (SDL_Cursor* cursor : mSystemCursors) {
        if (cursor)
            SDL_FreeCursor(cursor);
    }
}

SdlVideoDriver::Mirror* SdlVideoDriver::Find(WindowHandle window) {
    auto it = mWindows.find(window);
    return it == mWindows.end() ? nullptr : &it->second;
}

WindowHandle SdlVideoDriver::HandleOf(Uint32 windowId) const {
    SDL_Window* window = SDL_GetWindowFromID(windowId);
    if (!window)
        return nullptr;
    for (const auto& [handle, mirror] : mWindows) {
        if (mirror.window == window)
            return handle;
    }
    return nullptr;
}

void SdlVideoDriver::OutputSize(const Mirror& mirror, int& width, int& height) const {
    width = mirror.client.Width();
    height = mirror.client.Height();
    if (!mirror.fullScreen)
        return;
    // The size the window has, not the one asked for: a desktop without a
    // window manager keeps a full-screen window at its windowed size.
    if (!RealWindowSize(mirror.window, mirror.renderer, width, height))
        SDL_GetWindowSize(mirror.window, &width, &height);
}

Letterbox SdlVideoDriver::ViewOf(const Mirror& mirror) const {
    int outWidth = 0, outHeight = 0;
    OutputSize(mirror, outWidth, outHeight);
    return Letterbox(mirror.client.Width(), mirror.client.Height(), outWidth, outHeight);
}

DisplayMode SdlVideoDriver::DesktopMode() const {
    SDL_DisplayMode mode{};
    if (!mVideo.Started() || SDL_GetDesktopDisplayMode(0, &mode) != 0)
        return {};
    return {mode.w, mode.h, static_cast<int>(SDL_BYTESPERPIXEL(mode.format)) * 8, mode.refresh_rate};
}

// ---- Events ----

void SdlVideoDriver::PumpEvents() {
    if (!mVideo.Started())
        return;
    std::vector<Pending> pending;
    {
        std::lock_guard lock(mMutex);
        DrawPendingFrames();
        SDL_PumpEvents();
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            Uint32 windowId = 0;
            switch (event.type) {
            case SDL_WINDOWEVENT:
                windowId = event.window.windowID;
                break;
            case SDL_KEYDOWN:
            case SDL_KEYUP:
                windowId = event.key.windowID;
                break;
            case SDL_TEXTINPUT:
                windowId = event.text.windowID;
                break;
            case SDL_MOUSEMOTION:
                windowId = event.motion.windowID;
                break;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP:
                windowId = event.button.windowID;
                break;
            case SDL_MOUSEWHEEL:
                windowId = event.wheel.windowID;
                break;
            default:
                continue; // SDL_QUIT too: each window's closing comes on its own
            }
            const WindowHandle handle = HandleOf(windowId);
            Mirror* mirror = Find(handle);
            // Events of a window that went are dropped: SDL releases the held
            // keys when their window goes, although they stay down, and the
            // desktop's repeats would then look like fresh presses.
            if (!mirror)
                continue;
            if (event.type == SDL_WINDOWEVENT && !Note(*mirror, event.window))
                continue;
            pending.push_back({event, handle, ViewOf(*mirror)});
        }
    }
    // The window layer and the program are called without the lock: they
    // call back into the driver.
    for (const Pending& p : pending)
        Deliver(p);
    FollowPointer();
}

bool SdlVideoDriver::Note(Mirror& mirror, const SDL_WindowEvent& event) {
    switch (event.event) {
    case SDL_WINDOWEVENT_MOVED: {
        if (mirror.fullScreen || (event.data1 == mirror.client.left && event.data2 == mirror.client.top))
            return false;
        const int width = mirror.client.Width(), height = mirror.client.Height();
        mirror.client = {event.data1, event.data2, event.data1 + width, event.data2 + height};
        return true;
    }
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        if (mirror.fullScreen || (event.data1 == mirror.client.Width() && event.data2 == mirror.client.Height()))
            return false;
        mirror.client.right = mirror.client.left + event.data1;
        mirror.client.bottom = mirror.client.top + event.data2;
        return true;
    case SDL_WINDOWEVENT_MINIMIZED:
        if (mirror.show == WindowShowState::Minimized)
            return false;
        mirror.show = WindowShowState::Minimized;
        return true;
    case SDL_WINDOWEVENT_MAXIMIZED:
        if (mirror.fullScreen || mirror.show == WindowShowState::Maximized)
            return false;
        mirror.show = WindowShowState::Maximized;
        return true;
    case SDL_WINDOWEVENT_RESTORED:
        if (mirror.show != WindowShowState::Minimized && mirror.show != WindowShowState::Maximized)
            return false;
        mirror.show = WindowShowState::Normal;
        return true;
    case SDL_WINDOWEVENT_EXPOSED:
        Draw(mirror); // the desktop lost what was shown
        return false;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST:
    case SDL_WINDOWEVENT_CLOSE:
        return true;
    default:
        return false;
    }
}

void SdlVideoDriver::Deliver(const Pending& p) {
    if (p.event.type != SDL_WINDOWEVENT) {
        TranslateSdlInput(p.event, p.window, p.view);
        return;
    }
    const SDL_WindowEvent& event = p.event.window;
    switch (event.event) {
    case SDL_WINDOWEVENT_MOVED:
        DesktopWindowMoved(p.window, event.data1, event.data2);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        DesktopWindowResized(p.window, event.data1, event.data2);
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        DesktopMinimized(p.window);
        break;
    case SDL_WINDOWEVENT_MAXIMIZED:
        DesktopMaximized(p.window);
        break;
    case SDL_WINDOWEVENT_RESTORED:
        DesktopRestored(p.window);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        if (DesktopActivated(p.window, true))
            ReleaseModifiersLetGo(p.window);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        DesktopActivated(p.window, false);
        break;
    case SDL_WINDOWEVENT_CLOSE:
        DesktopCloseRequested(p.window);
        break;
    default:
        break;
    }
}

void SdlVideoDriver::ReleaseModifiersLetGo(WindowHandle window) {
    // SDL knows on gaining the keyboard which modifiers are down; one let go
    // while no window of the program had the keyboard was never reported.
    const SDL_Keymod held = SDL_GetModState();
    const struct {
        int virtualKey;
        int mask;
    } modifiers[] = {{kVkShift, KMOD_SHIFT}, {kVkControl, KMOD_CTRL}, {kVkMenu, KMOD_ALT}};
    for (const auto& modifier : modifiers) {
        if (IsKeyDown(modifier.virtualKey) && (held & modifier.mask) == 0)
            InjectKey(window, modifier.virtualKey, false);
    }
}

void SdlVideoDriver::FollowPointer() {
    Point screen;
    {
        std::lock_guard lock(mMutex);
        int x = 0, y = 0;
        SDL_GetGlobalMouseState(&x, &y);
        if (mPointerKnown && mPointer == Point{x, y})
            return; // the program may have placed the cursor itself since
        mPointerKnown = true;
        mPointer = {x, y};
        screen = mPointer;
        // Over a full-screen window the desktop point stands for the
        // client point shown there.
        for (const auto& [handle, mirror] : mWindows) {
            if (!mirror.fullScreen)
                continue;
            int left = 0, top = 0, width = 0, height = 0;
            SDL_GetWindowPosition(mirror.window, &left, &top);
            if (!RealWindowSize(mirror.window, mirror.renderer, width, height))
                SDL_GetWindowSize(mirror.window, &width, &height);
            if (x < left || y < top || x >= left + width || y >= top + height)
                continue;
            const Point client = ViewOf(mirror).ToClient({x - left, y - top});
            screen = {mirror.client.left + client.x, mirror.client.top + client.y};
            break;
        }
    }
    SetCursorPos(screen);
}

// ---- Windows ----

void SdlVideoDriver::CreateWindow(WindowHandle window, const WindowMirror& mirror) {
    if (!mVideo.Started())
        return;
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if ((mirror.style & kWsCaption) != kWsCaption)
        flags |= SDL_WINDOW_BORDERLESS;
    SDL_Window* sdlWindow =
        SDL_CreateWindow(Cp1251ToUtf8(mirror.title).c_str(), mirror.client.left, mirror.client.top,
                         std::max(1, mirror.client.Width()), std::max(1, mirror.client.Height()), flags);
    if (!sdlWindow)
        return;
    {
        std::lock_guard lock(mMutex);
        Mirror& m = mWindows[window];
        m.window = sdlWindow;
        m.client = mirror.client;
    }
    if (mirror.show != WindowShowState::Hidden)
        ShowWindow(window, mirror.show);
}

void SdlVideoDriver::DestroyWindow(WindowHandle window) {
    std::lock_guard lock(mMutex);
    Mirror* m = Find(window);
    if (!m)
        return;
    if (m->texture)
        SDL_DestroyTexture(m->texture);
    if (m->renderer)
        SDL_DestroyRenderer(m->renderer);
    SDL_DestroyWindow(m->window);
    mWindows.erase(window);
}

void SdlVideoDriver::ShowWindow(WindowHandle window, WindowShowState show) {
    std::lock_guard lock(mMutex);
    Mirror* m = Find(window);
    if (!m)
        return;
    const WindowShowState before = m->show;
    m->show = show;
    switch (show) {
    case WindowShowState::Hidden:
        SDL_HideWindow(m->window);
        break;
    case WindowShowState::Normal:
        SDL_ShowWindow(m->window);
        if (before == WindowShowState::Minimized || before == WindowShowState::Maximized)
            SDL_RestoreWindow(m->window);
        break;
    case WindowShowState::Minimized:
        SDL_ShowWindow(m->window);
        SDL_MinimizeWindow(m->window);
        break;
    case WindowShowState::Maximized:
        SDL_ShowWindow(m->window);
        SDL_MaximizeWindow(m->window);
        break;
    }
}

void SdlVideoDriver::MoveWindow(WindowHandle window, Point clientOrigin) {
    std::lock_guard lock(mMutex);
    Mirror* m = Find(window);
    if (!m)
        return;
    const int width = m->client.Width(), height = m->client.Height();
    m->client = {clientOrigin.x, clientOrigin.y, clientOrigin.x + width, clientOrigin.y + height};
    if (!m->fullScreen)
        SDL_SetWindowPosition(m->window, clientOrigin.x, clientOrigin.y);
}

void SdlVideoDriver::ResizeWindow(WindowHandle window, int clientWidth, int clientHeight) {
    std::lock_guard lock(mMutex);
    Mirror* m = Find(window);
    if (!m)
        return;
    m->client.right = m->client.left + clientWidth;
    m->client.bottom = m->client.top + clientHeight;
    if (!m->fullScreen)
        SDL_SetWindowSize(m->window, std::max(1, clientWidth), std::max(1, clientHeight));
}

void SdlVideoDriver::SetWindowTitle(WindowHandle window, std::string_view title) {
    std::lock_guard lock(mMutex);
    if (Mirror* m = Find(window))
        SDL_SetWindowTitle(m->window, Cp1251ToUtf8(title).c_str());
}

SDL_Window* SdlVideoDriver::SdlWindowOf(WindowHandle window) const {
    std::lock_guard lock(mMutex);
    auto it = mWindows.find(window);
    return it == mWindows.end() ? nullptr : it->second.window;
}

// ---- Presentation ----

bool SdlVideoDriver::EnsureTexture(Mirror& m, int width, int height) {
    if (!m.renderer) {
        m.renderer = SDL_CreateRenderer(m.window, -1, SDL_RENDERER_SOFTWARE);
        if (!m.renderer)
            return false;
    }
    if (m.texture && m.textureWidth == width && m.textureHeight == height)
        return true;
    if (m.texture)
        SDL_DestroyTexture(m.texture);
    m.texture = SDL_CreateTexture(m.renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, width, height);
    m.textureWidth = m.texture ? width : 0;
    m.textureHeight = m.texture ? height : 0;
    if (m.texture)
        SDL_SetTextureBlendMode(m.texture, SDL_BLENDMODE_NONE);
    return m.texture != nullptr;
}

void SdlVideoDriver::Draw(Mirror& m) {
    if (m.direct) {
        // The window's surface still holds the picture and its bars.
        SDL_UpdateWindowSurface(m.window);
        return;
    }
    if (!m.renderer || !m.texture)
        return;
    const SDL_Rect target = ToSdl(ViewOf(m).ToOutput(m.destination));
    int outWidth = 0, outHeight = 0;
    SDL_GetRendererOutputSize(m.renderer, &outWidth, &outHeight);
    // Only the bars around the picture are cleared; the picture covers the rest.
    const SDL_Rect bars[] = {{0, 0, outWidth, target.y},
                             {0, target.y + target.h, outWidth, outHeight - target.y - target.h},
                             {0, target.y, target.x, target.h},
                             {target.x + target.w, target.y, outWidth - target.x - target.w, target.h}};
    SDL_SetRenderDrawColor(m.renderer, 0, 0, 0, 255);
    for (const SDL_Rect& bar : bars) {
        if (bar.w > 0 && bar.h > 0)
            SDL_RenderFillRect(m.renderer, &bar);
    }
    SDL_RenderCopy(m.renderer, m.texture, nullptr, &target);
    SDL_RenderPresent(m.renderer);
}

bool SdlVideoDriver::ShowDirect(Mirror& m, const FrameView& frame, const Rect& destination) {
    int outWidth = 0, outHeight = 0;
    OutputSize(m, outWidth, outHeight);
    const SDL_Rect target =
        ToSdl(Letterbox(m.client.Width(), m.client.Height(), outWidth, outHeight).ToOutput(destination));
    if (target.w != frame.width || target.h != frame.height || target.x < 0 || target.y < 0)
        return false;
    // SDL's software renderer draws into this same surface: writing the
    // frame here saves it a copy of every pixel through its texture.
    SDL_Surface* surface = SDL_GetWindowSurface(m.window);
    if (!surface ||
        (surface->format->format != SDL_PIXELFORMAT_RGB888 && surface->format->format != SDL_PIXELFORMAT_ARGB8888)) {
        return false;
    }
    outWidth = std::min(outWidth, surface->w);
    outHeight = std::min(outHeight, surface->h);
    if (target.x + target.w > outWidth || target.y + target.h > outHeight)
        return false;
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0)
        return false;
    auto* pixels = static_cast<std::uint8_t*>(surface->pixels) + static_cast<std::size_t>(target.y) * surface->pitch +
                   static_cast<std::size_t>(target.x) * 4;
    const bool converted = FrameToArgb(frame, reinterpret_cast<std::uint32_t*>(pixels), surface->pitch);
    if (SDL_MUSTLOCK(surface))
        SDL_UnlockSurface(surface);
    if (!converted)
        return false;
    const SDL_Rect bars[] = {{0, 0, outWidth, target.y},
                             {0, target.y + target.h, outWidth, outHeight - target.y - target.h},
                             {0, target.y, target.x, target.h},
                             {target.x + target.w, target.y, outWidth - target.x - target.w, target.h}};
    const Uint32 black = SDL_MapRGB(surface->format, 0, 0, 0);
    for (const SDL_Rect& bar : bars) {
        if (bar.w > 0 && bar.h > 0)
            SDL_FillRect(surface, &bar, black);
    }
    // Only what the window shows goes to the desktop.
    const SDL_Rect shown{0, 0, outWidth, outHeight};
    SDL_UpdateWindowSurfaceRects(m.window, &shown, 1);
    m.destination = destination;
    m.direct = true;
    return true;
}

bool SdlVideoDriver::Show(Mirror& m, const FrameView& frame, const Rect& destination) {
    if (ShowDirect(m, frame, destination))
        return true;
    if (!EnsureTexture(m, frame.width, frame.height))
        return false;
    // The frame is converted straight into the texture's own rows.
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(m.texture, nullptr, &pixels, &pitch) != 0)
        return false;
    const bool converted = FrameToArgb(frame, static_cast<std::uint32_t*>(pixels), pitch);
    SDL_UnlockTexture(m.texture);
    if (!converted)
        return false;
    m.destination = destination;
    m.direct = false;
    Draw(m);
    return true;
}

void SdlVideoDriver::DrawPendingFrames() {
    for (auto& [handle, mirror] : mWindows) {
        if (!mirror.hasPending)
            continue;
        mirror.hasPending = false;
        const FrameView frame{mirror.pending.data(), mirror.pendingWidth * 4, mirror.pendingWidth, mirror.pendingHeight,
                              PixelFormat::Xrgb8888()};
        Show(mirror, frame, mirror.pendingDestination);
    }
}

bool SdlVideoDriver::Present(WindowHandle window, const FrameView& frame, const Rect& destination) {
    std::lock_guard lock(mMutex);
    Mirror* m = Find(window);
    if (!m || !IsPresentableFrame(frame))
        return false;
    if (std::this_thread::get_id() != mOwner) {
        // The renderer is not this thread's to call: the owner draws the
        // frame at its next pump, unless it presents a newer one first.
        if (!FrameToArgb(frame, m->pending))
            return false;
        m->pendingWidth = frame.width;
        m->pendingHeight = frame.height;
        m->pendingDestination = destination;
        m->hasPending = true;
        return true;
    }
    m->hasPending = false;
    return Show(*m, frame, destination);
}

bool SdlVideoDriver::ReadWindowPixels(WindowHandle window, int& width, int& height, std::vector<std::uint32_t>& argb) {
    std::lock_guard lock(mMutex);
    Mirror* m = Find(window);
    if (!m)
        return false;
    if (m->direct) {
        SDL_Surface* surface = SDL_GetWindowSurface(m->window);
        if (!surface)
            return false;
        width = surface->w;
        height = surface->h;
        argb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        for (int y = 0; y < height; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(surface->pixels) +
                                                                     static_cast<std::size_t>(y) * surface->pitch);
            std::uint32_t* to = argb.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
            for (int x = 0; x < width; ++x)
                to[x] = row[x] | 0xFF000000u; // the window is opaque
        }
        return true;
    }
    if (!m->renderer || !m->texture || SDL_GetRendererOutputSize(m->renderer, &width, &height) != 0)
        return false;
    argb.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    if (SDL_RenderReadPixels(m->renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, argb.data(), width * 4) != 0)
        return false;
    for (std::uint32_t& pixel : argb)
        pixel |= 0xFF000000u; // the window is opaque whatever the surface keeps
    return true;
}

// ---- Screen ----

bool SdlVideoDriver::SetFullScreen(WindowHandle window, bool fullScreen) {
    std::lock_guard lock(mMutex);
    Mirror* m = Find(window);
    if (!m)
        return false;
    if (SDL_SetWindowFullscreen(m->window, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0)
        return false;
    m->fullScreen = fullScreen;
    if (!fullScreen) {
        SDL_SetWindowSize(m->window, std::max(1, m->client.Width()), std::max(1, m->client.Height()));
        SDL_SetWindowPosition(m->window, m->client.left, m->client.top);
    }
    return true;
}

std::vector<DisplayMode> SdlVideoDriver::ListDisplayModes() {
    std::lock_guard lock(mMutex);
    std::vector<DisplayMode> modes;
    if (!mVideo.Started())
        return modes;
    const DisplayMode desktop = DesktopMode();
    auto add = [&](int width, int height, int refresh) {
        if (width > desktop.width || height > desktop.height)
            return;
        for (const int depth : {16, 32}) {
            const DisplayMode mode{width, height, depth, refresh};
            if (std::find(modes.begin(), modes.end(), mode) == modes.end())
                modes.push_back(mode);
        }
    };
    for (const auto& size : kCommonSizes)
        add(size[0], size[1], desktop.refreshRate);
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode{};
        if (SDL_GetDisplayMode(0, i, &mode) == 0)
            add(mode.w, mode.h, mode.refresh_rate);
    }
    add(desktop.width, desktop.height, desktop.refreshRate);
    return modes;
}

bool SdlVideoDriver::SetDisplayMode(const DisplayMode& mode) {
    const std::vector<DisplayMode> modes = ListDisplayModes();
    const auto known = std::find_if(modes.begin(), modes.end(), [&](const DisplayMode& m) {
        return m.width == mode.width && m.height == mode.height && m.bitsPerPixel == mode.bitsPerPixel &&
               (mode.refreshRate == 0 || m.refreshRate == mode.refreshRate);
    });
    if (known == modes.end())
        return false;
    std::lock_guard lock(mMutex);
    mCurrentMode = *known;
    return true;
}

void SdlVideoDriver::RestoreDesktopMode() {
    std::lock_guard lock(mMutex);
    mCurrentMode = DesktopMode();
}

DisplayMode SdlVideoDriver::CurrentMode() const {
    std::lock_guard lock(mMutex);
    return mCurrentMode;
}

bool SdlVideoDriver::WaitForVerticalBlank() {
    return false; // the software renderer does not see the display's timing
}

std::optional<int> SdlVideoDriver::GetScanLine() {
    return std::nullopt;
}

// ---- Cursor ----

bool SdlVideoDriver::SetSystemCursor(SystemCursor cursor) {
    std::lock_guard lock(mMutex);
    if (!mVideo.Started())
        return false;
    SDL_Cursor*& made = mSystemCursors[static_cast<std::size_t>(cursor)];
    if (!made)
        made = SDL_CreateSystemCursor(SdlSystemCursorFor(cursor));
    if (!made)
        return false;
    SDL_SetCursor(made);
    return true;
}

CursorId SdlVideoDriver::CreateCursor(const CursorImage& image) {
    std::lock_guard lock(mMutex);
    if (!mVideo.Started())
        return 0;
    SDL_Cursor* cursor = MakeSdlCursor(image);
    if (!cursor)
        return 0;
    const CursorId id = mNextCursor++;
    mCursors[id] = cursor;
    return id;
}

bool SdlVideoDriver::SetCustomCursor(CursorId cursor) {
    std::lock_guard lock(mMutex);
    auto it = mCursors.find(cursor);
    if (it == mCursors.end())
        return false;
    SDL_SetCursor(it->second);
    return true;
}

void SdlVideoDriver::DestroyCursor(CursorId cursor) {
    std::lock_guard lock(mMutex);
    auto it = mCursors.find(cursor);
    if (it == mCursors.end())
        return;
    if (SDL_GetCursor() == it->second)
        SDL_SetCursor(SDL_GetDefaultCursor());
    SDL_FreeCursor(it->second);
    mCursors.erase(it);
}

void SdlVideoDriver::ShowCursor(bool show) {
    std::lock_guard lock(mMutex);
    if (mVideo.Started())
        SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void SdlVideoDriver::SetCursorPosition(WindowHandle window, Point client) {
    std::lock_guard lock(mMutex);
    Mirror* m = Find(window);
    if (!m)
        return;
    const Rect at = ViewOf(*m).ToOutput({client.x, client.y, client.x + 1, client.y + 1});
    SDL_WarpMouseInWindow(m->window, at.left, at.top);
}

void SdlVideoDriver::SetTextInputRect(WindowHandle window, std::optional<Rect> caret) {
    std::lock_guard lock(mMutex);
    Mirror* m = Find(window);
    if (!m || !caret)
        return;
    const Rect at = ViewOf(*m).ToOutput(*caret);
    SDL_Rect rect{at.left, at.top, at.Width(), at.Height()};
    SDL_SetTextInputRect(&rect);
}

} // namespace platform
