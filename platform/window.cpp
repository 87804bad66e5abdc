#include "platform/window.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/clock.h"
#include "platform/drivers.h"
#include "platform/system_info.h"
#include "platform/text_encoding.h"
#include "platform/threads.h"
#include "platform/window_state.h"

namespace platform {

using namespace window_state;

namespace {

std::string Fold(std::string_view text) {
    return Cp1251FoldCase(text);
}

// Sends to every live top-level window of the process.
void SendToTopLevel(MessageId message, WParam wParam, LParam lParam) {
    std::vector<WindowHandle> targets;
    {
        std::lock_guard lock(S().mutex);
        for (const auto& w : S().windows) {
            if (!w->parent)
                targets.push_back(w.get());
        }
    }
    for (WindowHandle w : targets)
        SendMessage(w, message, wParam, lParam);
}

WParam HeldButtonsAndKeys() {
    const auto& keys = S().keys;
    WParam flags = 0;
    if (keys[kVkLButton])
        flags |= kMkLButton;
    if (keys[kVkRButton])
        flags |= kMkRButton;
    if (keys[kVkMButton])
        flags |= kMkMButton;
    if (keys[kVkShift])
        flags |= kMkShift;
    if (keys[kVkControl])
        flags |= kMkControl;
    return flags;
}

} // namespace

bool RegisterWindowClass(const WindowClass& windowClass) {
    if (windowClass.name.empty() || !windowClass.proc)
        return false;
    std::lock_guard lock(S().mutex);
    return S().classes.emplace(Fold(windowClass.name), windowClass).second;
}

bool UnregisterWindowClass(std::string_view name) {
    std::lock_guard lock(S().mutex);
    return S().classes.erase(Fold(name)) != 0;
}

WindowHandle CreateWindow(const WindowCreateInfo& info) {
    WindowHandle window = nullptr;
    {
        std::lock_guard lock(S().mutex);
        auto cls = S().classes.find(Fold(info.className));
        if (cls == S().classes.end())
            return nullptr;
        if (info.parent && !Alive(info.parent))
            return nullptr;
        auto object = std::make_unique<WindowObject>();
        object->className = cls->second.name;
        object->proc = cls->second.proc;
        object->title = info.title;
        object->style = info.style & ~kWsVisible;
        object->exStyle = info.exStyle;
        object->rect = {info.x, info.y, info.x + info.width, info.y + info.height};
        object->thread = GetCurrentThreadId();
        object->parent = info.parent;
        window = object.get();
        S().windows.push_back(std::move(object));
    }
    if (!info.parent) {
        const DisplayInfo display = GetDisplayInfo();
        WindowMirror mirror;
        {
            std::lock_guard lock(S().mutex);
            mirror = {window->title, ClientArea(*window, display), window->style, WindowShowState::Hidden};
        }
        GetVideoDriver()->CreateWindow(window, mirror);
    }
    // The procedure may destroy the window while it is being created.
    if (SendMessage(window, kWmCreate, 0, 0) == -1 || !IsWindow(window)) {
        DestroyWindow(window);
        return nullptr;
    }
    if (info.style & kWsVisible) {
        ShowWindow(window, info.parent ? kSwShowNoActivate : kSwShow);
        if (!IsWindow(window))
            return nullptr;
    }
    return window;
}

bool DestroyWindow(WindowHandle window) {
    bool topLevel = false;
    {
        std::lock_guard lock(S().mutex);
        // Once WM_DESTROY is on its way, destroying again (from the
        // procedure's reply) fails instead of sending it a second time.
        if (!Alive(window) || window->destroying)
            return false;
        window->destroying = true;
        topLevel = !window->parent;
    }
    SendMessage(window, kWmDestroy, 0, 0);
    if (topLevel)
        GetVideoDriver()->DestroyWindow(window);
    std::lock_guard lock(S().mutex);
    State& s = S();
    for (auto& [thread, queue] : s.queues) {
        std::erase_if(queue.messages, [window](const Message& m) { return m.window == window; });
    }
    if (s.active == window)
        s.active = nullptr;
    if (s.capture == window)
        s.capture = nullptr;
    std::erase_if(s.windows, [window](const auto& w) { return w.get() == window; });
    return true;
}

bool IsWindow(WindowHandle window) {
    std::lock_guard lock(S().mutex);
    return Alive(window);
}

LResult DefWindowProc(WindowHandle window, MessageId message, WParam wParam, LParam) {
    if (message == kWmClose)
        DestroyWindow(window);
    // Alt+F4 asks the window to close, as the system menu's Close would.
    if (message == kWmSysKeyDown && wParam == static_cast<WParam>(kVkF4))
        return SendMessage(window, kWmClose, 0, 0);
    return 0;
}

bool ShowWindow(WindowHandle window, int command) {
    const DisplayInfo display = GetDisplayInfo();
    bool wasVisible = false, wasMinimized = false, wasMaximized = false;
    bool minimized = false, maximized = false, topLevel = false;
    bool activate = false;
    WindowShowState show = WindowShowState::Hidden;
    Rect client;
    {
        std::lock_guard lock(S().mutex);
        if (!Alive(window))
            return false;
        WindowObject& w = *window;
        wasVisible = w.visible;
        wasMinimized = w.minimized;
        wasMaximized = w.maximized;
        switch (command) {
        case kSwHide:
            w.visible = false;
            break;
        case kSwShowNormal:
        case kSwRestore:
            w.visible = true;
            w.minimized = false;
            w.maximized = false;
            activate = true;
            break;
        case kSwShowNoActivate:
            w.visible = true;
            w.minimized = false;
            break;
        case kSwShowMinimized:
        case kSwMinimize:
            w.visible = true;
            w.minimized = true;
            break;
        case kSwMaximize:
            w.visible = true;
            w.minimized = false;
            w.maximized = true;
            activate = true;
            break;
        default:
            w.visible = true;
            activate = !w.parent;
            break; // kSwShow and the rest
        }
        minimized = w.minimized;
        maximized = w.maximized;
        topLevel = !w.parent;
        show = ShowStateOf(w);
        const Rect area = ClientArea(w, display);
        client = {0, 0, area.Width(), area.Height()};
    }
    if (topLevel)
        GetVideoDriver()->ShowWindow(window, show);
    // Every message below may destroy the window: check before going on.
    if (minimized && !wasMinimized) {
        if (GetActiveWindow() == window && !SetForegroundWindow(nullptr))
            return false;
        if (!IsWindow(window))
            return false;
        SendMessage(window, kWmSize, kSizeMinimized, 0);
    } else if (minimized != wasMinimized || maximized != wasMaximized) {
        SendMessage(window, kWmSize, maximized ? kSizeMaximized : kSizeRestored,
                    MakeLParam(client.right, client.bottom));
    }
    if (!IsWindow(window))
        return false;
    if (activate && topLevel && !SetForegroundWindow(window))
        return false;
    if (command == kSwHide && GetActiveWindow() == window && !SetForegroundWindow(nullptr))
        return false;
    return IsWindow(window) && wasVisible;
}

bool IsWindowVisible(WindowHandle window) {
    std::lock_guard lock(S().mutex);
    return Alive(window) && window->visible;
}

bool IsIconic(WindowHandle window) {
    std::lock_guard lock(S().mutex);
    return Alive(window) && window->minimized;
}

bool IsZoomed(WindowHandle window) {
    std::lock_guard lock(S().mutex);
    return Alive(window) && window->maximized;
}

bool MoveWindow(WindowHandle window, int x, int y, int width, int height) {
    const DisplayInfo display = GetDisplayInfo();
    Rect before, after;
    bool topLevel = false;
    {
        std::lock_guard lock(S().mutex);
        if (!Alive(window))
            return false;
        before = ClientArea(*window, display);
        window->rect = {x, y, x + width, y + height};
        after = ClientArea(*window, display);
        topLevel = !window->parent;
    }
    const bool moved = before.left != after.left || before.top != after.top;
    const bool resized = before.Width() != after.Width() || before.Height() != after.Height();
    if (topLevel) {
        const auto driver = GetVideoDriver();
        if (moved)
            driver->MoveWindow(window, {after.left, after.top});
        if (resized)
            driver->ResizeWindow(window, after.Width(), after.Height());
    }
    if (moved) {
        SendMessage(window, kWmMove, 0, MakeLParam(after.left, after.top));
        if (!IsWindow(window))
            return false;
    }
    if (resized) {
        SendMessage(window, kWmSize, kSizeRestored, MakeLParam(after.Width(), after.Height()));
        if (!IsWindow(window))
            return false;
    }
    return true;
}

Rect GetWindowRect(WindowHandle window) {
    const DisplayInfo display = GetDisplayInfo();
    std::lock_guard lock(S().mutex);
    return Alive(window) ? CurrentRect(*window, display) : Rect{};
}

Rect GetClientRect(WindowHandle window) {
    const DisplayInfo display = GetDisplayInfo();
    std::lock_guard lock(S().mutex);
    if (!Alive(window))
        return {};
    const Rect area = ClientArea(*window, display);
    return {0, 0, area.Width(), area.Height()};
}

Point ClientToScreen(WindowHandle window, Point p) {
    const DisplayInfo display = GetDisplayInfo();
    std::lock_guard lock(S().mutex);
    if (!Alive(window))
        return p;
    const Rect area = ClientArea(*window, display);
    return {p.x + area.left, p.y + area.top};
}

Point ScreenToClient(WindowHandle window, Point p) {
    const DisplayInfo display = GetDisplayInfo();
    std::lock_guard lock(S().mutex);
    if (!Alive(window))
        return p;
    const Rect area = ClientArea(*window, display);
    return {p.x - area.left, p.y - area.top};
}

Rect AdjustWindowRect(const Rect& client, std::uint32_t style, std::uint32_t) {
    const Rect in = ClientOuterInsets(style, GetDisplayInfo());
    return {client.left - in.left, client.top - in.top, client.right + in.right, client.bottom + in.bottom};
}

std::uint32_t GetWindowStyle(WindowHandle window) {
    std::lock_guard lock(S().mutex);
    if (!Alive(window))
        return 0;
    return window->style | (window->visible ? kWsVisible : 0) | (window->minimized ? kWsMinimize : 0) |
           (window->maximized ? kWsMaximize : 0);
}

std::uint32_t GetWindowExStyle(WindowHandle window) {
    std::lock_guard lock(S().mutex);
    return Alive(window) ? window->exStyle : 0;
}

WindowPlacement GetWindowPlacement(WindowHandle window) {
    std::lock_guard lock(S().mutex);
    if (!Alive(window))
        return {};
    WindowPlacement placement;
    placement.normalRect = window->rect;
    if (!window->visible)
        placement.showCommand = kSwHide;
    else if (window->minimized)
        placement.showCommand = kSwShowMinimized;
    else if (window->maximized)
        placement.showCommand = kSwMaximize;
    else
        placement.showCommand = kSwShowNormal;
    return placement;
}

void SetWindowUserData(WindowHandle window, void* data) {
    std::lock_guard lock(S().mutex);
    if (Alive(window))
        window->userData = data;
}

void* GetWindowUserData(WindowHandle window) {
    std::lock_guard lock(S().mutex);
    return Alive(window) ? window->userData : nullptr;
}

bool SetWindowTitle(WindowHandle window, std::string_view title) {
    {
        std::lock_guard lock(S().mutex);
        if (!Alive(window))
            return false;
        window->title = title;
        if (window->parent)
            return true;
    }
    GetVideoDriver()->SetWindowTitle(window, title);
    return true;
}

std::string GetWindowTitle(WindowHandle window) {
    std::lock_guard lock(S().mutex);
    return Alive(window) ? window->title : std::string();
}

std::string GetWindowClassName(WindowHandle window) {
    std::lock_guard lock(S().mutex);
    return Alive(window) ? window->className : std::string();
}

bool EnableWindow(WindowHandle window, bool enable) {
    bool changed = false;
    {
        std::lock_guard lock(S().mutex);
        if (!Alive(window))
            return false;
        changed = window->enabled != enable;
        window->enabled = enable;
    }
    if (changed)
        SendMessage(window, kWmEnable, enable ? 1 : 0, 0);
    return IsWindow(window); // the reply may have destroyed it
}

bool IsWindowEnabled(WindowHandle window) {
    std::lock_guard lock(S().mutex);
    return Alive(window) && window->enabled;
}

bool SetForegroundWindow(WindowHandle window) {
    WindowHandle old;
    {
        std::lock_guard lock(S().mutex);
        if (window && !Alive(window))
            return false;
        old = S().active;
        if (old == window)
            return true;
        S().active = window;
    }
    // Activation between windows of the process is not a change of application.
    if (!old)
        SendToTopLevel(kWmActivateApp, 1, 0);
    if (!window)
        SendToTopLevel(kWmActivateApp, 0, 0);
    return !window || IsWindow(window); // a reply may have destroyed it
}

WindowHandle GetForegroundWindow() {
    return GetActiveWindow();
}

WindowHandle GetActiveWindow() {
    std::lock_guard lock(S().mutex);
    return S().active;
}

bool PostMessage(WindowHandle window, MessageId message, WParam wParam, LParam lParam) {
    const std::uint32_t time = GetTickMs();
    {
        std::lock_guard lock(S().mutex);
        State& s = S();
        if (window == kBroadcastWindow) {
            for (const auto& w : s.windows) {
                if (!w->parent)
                    s.queues[w->thread].messages.push_back({w.get(), message, wParam, lParam, time});
            }
        } else {
            if (window && !Alive(window))
                return false;
            const ThreadId thread = window ? window->thread : GetCurrentThreadId();
            s.queues[thread].messages.push_back({window, message, wParam, lParam, time});
        }
    }
    WakeEventWaiters(); // a thread in WaitForMessageOrEvents may be waiting for it
    return true;
}

void PostQuitMessage(int exitCode) {
    std::lock_guard lock(S().mutex);
    ThreadQueue& queue = S().queues[GetCurrentThreadId()];
    queue.quit = true;
    queue.quitCode = exitCode;
}

bool PeekMessage(Message& out, WindowHandle filter, bool remove) {
    PumpDesktop();

    std::lock_guard lock(S().mutex);
    State& s = S();
    const ThreadId thread = GetCurrentThreadId();
    ThreadQueue& queue = s.queues[thread];
    for (auto it = queue.messages.begin(); it != queue.messages.end(); ++it) {
        if (filter && it->window != filter)
            continue;
        out = *it;
        if (remove)
            queue.messages.erase(it);
        return true;
    }
    if (queue.quit && !filter) {
        out = {nullptr, kWmQuit, static_cast<WParam>(queue.quitCode), 0, GetTickMs()};
        if (remove)
            queue.quit = false;
        return true;
    }
    const std::uint32_t now = GetTickMs();
    for (const auto& w : s.windows) {
        if (w->thread != thread || (filter && w.get() != filter))
            continue;
        for (auto& [id, timer] : w->timers) {
            if (now - timer.last < timer.period)
                continue;
            out = {w.get(), kWmTimer, id, 0, now};
            if (remove)
                timer.last = now;
            return true;
        }
    }
    return false;
}

LResult DispatchMessage(const Message& message) {
    return message.window ? SendMessage(message.window, message.message, message.wParam, message.lParam) : 0;
}

LResult SendMessage(WindowHandle window, MessageId message, WParam wParam, LParam lParam) {
    WindowProc proc = nullptr;
    {
        std::lock_guard lock(S().mutex);
        if (!Alive(window))
            return 0;
        proc = window->proc;
    }
    return proc(window, message, wParam, lParam);
}

std::size_t QueuedMessageCount() {
    std::lock_guard lock(S().mutex);
    return S().queues[GetCurrentThreadId()].messages.size();
}

MessageId RegisterWindowMessage(std::string_view name) {
    if (name.empty())
        return 0;
    std::lock_guard lock(S().mutex);
    auto [it, added] = S().registered.emplace(Fold(name), S().nextRegistered);
    if (added)
        ++S().nextRegistered;
    return it->second;
}

int AddMessagePoller(std::function<void()> poller) {
    std::lock_guard lock(S().mutex);
    const int id = S().nextPoller++;
    S().pollers[id] = std::move(poller);
    return id;
}

void RemoveMessagePoller(int id) {
    std::lock_guard lock(S().mutex);
    S().pollers.erase(id);
}

bool SetTimer(WindowHandle window, std::uintptr_t id, std::uint32_t periodMs) {
    const std::uint32_t now = GetTickMs();
    {
        std::lock_guard lock(S().mutex);
        if (!Alive(window))
            return false;
        // The system never fires faster than about 10 ms; a period of 0 would flood.
        window->timers[id] = {std::max<std::uint32_t>(periodMs, 1), now};
    }
    WakeEventWaiters(); // a waiting thread re-reads when its next timer falls due
    return true;
}

bool KillTimer(WindowHandle window, std::uintptr_t id) {
    std::lock_guard lock(S().mutex);
    return Alive(window) && window->timers.erase(id) != 0;
}

Point GetCursorPos() {
    std::lock_guard lock(S().mutex);
    return S().cursor;
}

void SetCursorPos(Point p) {
    std::lock_guard lock(S().mutex);
    S().cursor = p;
}

WindowHandle SetCapture(WindowHandle window) {
    std::lock_guard lock(S().mutex);
    WindowHandle old = S().capture;
    if (Alive(window))
        S().capture = window;
    return old;
}

void ReleaseCapture() {
    std::lock_guard lock(S().mutex);
    S().capture = nullptr;
}

WindowHandle GetCapture() {
    std::lock_guard lock(S().mutex);
    return S().capture;
}

WindowHandle WindowFromPoint(Point p) {
    const DisplayInfo display = GetDisplayInfo();
    std::lock_guard lock(S().mutex);
    const auto& windows = S().windows;
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        const WindowObject& w = **it;
        if (!w.parent && w.visible && !w.minimized && CurrentRect(w, display).Contains(p))
            return it->get();
    }
    return nullptr;
}

bool IsKeyDown(int virtualKey) {
    std::lock_guard lock(S().mutex);
    return virtualKey >= 0 && virtualKey < 256 && S().keys[static_cast<std::size_t>(virtualKey)];
}

void InjectMouse(WindowHandle window, MessageId message, int clientX, int clientY) {
    const DisplayInfo display = GetDisplayInfo();
    WindowHandle target = window;
    WParam flags;
    LParam position;
    {
        std::lock_guard lock(S().mutex);
        State& s = S();
        if (!Alive(window))
            return;
        const Rect area = ClientArea(*window, display);
        s.cursor = {area.left + clientX, area.top + clientY};
        auto& keys = s.keys;
        switch (message) {
        case kWmLButtonDown:
        case kWmLButtonDblClk:
            keys[kVkLButton] = true;
            break;
        case kWmLButtonUp:
            keys[kVkLButton] = false;
            break;
        case kWmRButtonDown:
        case kWmRButtonDblClk:
            keys[kVkRButton] = true;
            break;
        case kWmRButtonUp:
            keys[kVkRButton] = false;
            break;
        case kWmMButtonDown:
        case kWmMButtonDblClk:
            keys[kVkMButton] = true;
            break;
        case kWmMButtonUp:
            keys[kVkMButton] = false;
            break;
        default:
            break;
        }
        if (s.capture)
            target = s.capture;
        const Rect targetArea = ClientArea(*target, display);
        position = MakeLParam(s.cursor.x - targetArea.left, s.cursor.y - targetArea.top);
        flags = HeldButtonsAndKeys();
    }
    PostMessage(target, message, flags, position);
}

void InjectMouseWheel(WindowHandle window, int clientX, int clientY, int delta) {
    Point screen = ClientToScreen(window, {clientX, clientY});
    WParam flags;
    {
        std::lock_guard lock(S().mutex);
        S().cursor = screen;
        flags = HeldButtonsAndKeys();
    }
    // The wheel reports screen coordinates.
    PostMessage(window, kWmMouseWheel, MakeWheelWParam(delta, flags), MakeLParam(screen.x, screen.y));
}

void InjectKey(WindowHandle window, int virtualKey, bool down) {
    if (virtualKey <= 0 || virtualKey >= 256)
        return;
    MessageId message;
    LParam lParam = 1; // repeat count
    {
        std::lock_guard lock(S().mutex);
        auto& keys = S().keys;
        const auto index = static_cast<std::size_t>(virtualKey);
        const bool wasDown = keys[index];
        const bool system = keys[kVkMenu] || virtualKey == kVkMenu;
        keys[index] = down;
        if (wasDown)
            lParam |= LParam{1} << 30;
        if (!down)
            lParam |= static_cast<LParam>(static_cast<std::int32_t>(0x80000000u));
        message = down ? (system ? kWmSysKeyDown : kWmKeyDown) : (system ? kWmSysKeyUp : kWmKeyUp);
    }
    PostMessage(window, message, static_cast<WParam>(virtualKey), lParam);
}

void InjectChar(WindowHandle window, unsigned char character) {
    PostMessage(window, kWmChar, character, 1);
}

void ResetWindowSystem() {
    std::vector<WindowHandle> windows;
    {
        std::lock_guard lock(S().mutex);
        for (const auto& w : S().windows) {
            if (!w->parent)
                windows.push_back(w.get());
        }
    }
    const auto driver = GetVideoDriver();
    for (WindowHandle w : windows)
        driver->DestroyWindow(w);
    std::lock_guard lock(S().mutex);
    State& s = S();
    s.windows.clear();
    s.classes.clear();
    s.queues.clear();
    s.registered.clear();
    s.nextRegistered = kFirstRegisteredMessage;
    s.active = nullptr;
    s.capture = nullptr;
    s.cursor = {};
    s.keys = {};
    s.pollers.clear();
}

} // namespace platform
