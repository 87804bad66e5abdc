#include "platform/window.h"

#include <algorithm>
#include <array>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/text_encoding.h"
#include "platform/threads.h"

namespace platform {

struct WindowObject {
    std::string className;
    WindowProc proc = nullptr;
    std::string title;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    Rect rect; // outer rectangle in the normal state
    bool visible = false;
    bool minimized = false;
    bool maximized = false;
    bool enabled = true;
    void* userData = nullptr;
    ThreadId thread = 0;
    WindowHandle parent = nullptr;
    struct Timer {
        std::uint32_t period = 0;
        std::uint32_t last = 0;
    };
    std::map<std::uintptr_t, Timer> timers;
};

namespace {

struct ThreadQueue {
    std::deque<Message> messages;
    bool quit = false;
    int quitCode = 0;
};

struct State {
    std::recursive_mutex mutex;
    std::map<std::string, WindowClass> classes;         // by folded name
    std::vector<std::unique_ptr<WindowObject>> windows; // creation order
    std::map<ThreadId, ThreadQueue> queues;
    std::map<std::string, MessageId> registered;
    MessageId nextRegistered = kFirstRegisteredMessage;
    WindowHandle active = nullptr;
    WindowHandle capture = nullptr;
    Point cursor;
    std::array<bool, 256> keys{};
    std::map<int, std::function<void()>> pollers;
    int nextPoller = 1;
};

State& S() {
    static State* state = new State; // outlives every static user
    return *state;
}

std::string Fold(std::string_view text) {
    return Cp1251FoldCase(text);
}

// Caller holds the lock.
bool Alive(WindowHandle window) {
    if (!window)
        return false;
    for (const auto& w : S().windows) {
        if (w.get() == window)
            return true;
    }
    return false;
}

Rect ClientOuterInsets(std::uint32_t style) {
    const DisplayInfo info = GetBackend().GetDisplayInfo();
    if ((style & kWsCaption) == kWsCaption)
        return {info.frameWidth, info.frameWidth + info.captionHeight, info.frameWidth, info.frameWidth};
    if (style & (kWsBorder | kWsThickFrame))
        return {info.frameWidth, info.frameWidth, info.frameWidth, info.frameWidth};
    return {};
}

// Outer rectangle as it is now (a maximised window fills the work area).
Rect CurrentRect(const WindowObject& w) {
    if (w.maximized)
        return AdjustWindowRect(GetBackend().GetDisplayInfo().workArea, w.style, w.exStyle);
    return w.rect;
}

Rect ClientArea(const WindowObject& w) {
    if (w.minimized)
        return {};
    const Rect outer = CurrentRect(w);
    const Rect in = ClientOuterInsets(w.style);
    return {outer.left + in.left, outer.top + in.top, outer.right - in.right, outer.bottom - in.bottom};
}

WindowObject* Get(WindowHandle window) {
    std::lock_guard lock(S().mutex);
    return Alive(window) ? window : nullptr;
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

void NotifyChanged(WindowHandle window) {
    GetBackend().OnWindowChanged(window);
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
    GetBackend().OnWindowCreated(window);
    if (SendMessage(window, kWmCreate, 0, 0) == -1) {
        DestroyWindow(window);
        return nullptr;
    }
    if (info.style & kWsVisible)
        ShowWindow(window, info.parent ? kSwShowNoActivate : kSwShow);
    return window;
}

bool DestroyWindow(WindowHandle window) {
    if (!Get(window))
        return false;
    SendMessage(window, kWmDestroy, 0, 0);
    GetBackend().OnWindowDestroyed(window);
    std::lock_guard lock(S().mutex);
    State& s = S();
    if (!Alive(window))
        return true; // destroyed again from its own WM_DESTROY
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
    return Get(window) != nullptr;
}

LResult DefWindowProc(WindowHandle window, MessageId message, WParam, LParam) {
    if (message == kWmClose)
        DestroyWindow(window);
    return 0;
}

bool ShowWindow(WindowHandle window, int command) {
    WindowObject* w = Get(window);
    if (!w)
        return false;
    bool wasVisible, wasMinimized, wasMaximized;
    bool activate = false;
    {
        std::lock_guard lock(S().mutex);
        wasVisible = w->visible;
        wasMinimized = w->minimized;
        wasMaximized = w->maximized;
        switch (command) {
        case kSwHide:
            w->visible = false;
            break;
        case kSwShowNormal:
        case kSwRestore:
            w->visible = true;
            w->minimized = false;
            w->maximized = false;
            activate = true;
            break;
        case kSwShowNoActivate:
            w->visible = true;
            w->minimized = false;
            break;
        case kSwShowMinimized:
        case kSwMinimize:
            w->visible = true;
            w->minimized = true;
            break;
        case kSwMaximize:
            w->visible = true;
            w->minimized = false;
            w->maximized = true;
            activate = true;
            break;
        default:
            w->visible = true;
            activate = !w->parent;
            break; // kSwShow and the rest
        }
    }
    NotifyChanged(window);
    if (w->minimized && !wasMinimized) {
        if (GetActiveWindow() == window)
            SetForegroundWindow(nullptr);
        SendMessage(window, kWmSize, kSizeMinimized, 0);
    } else if (w->minimized != wasMinimized || w->maximized != wasMaximized) {
        const Rect client = GetClientRect(window);
        SendMessage(window, kWmSize, w->maximized ? kSizeMaximized : kSizeRestored,
                    MakeLParam(client.right, client.bottom));
    }
    if (activate && !w->parent)
        SetForegroundWindow(window);
    if (command == kSwHide && GetActiveWindow() == window)
        SetForegroundWindow(nullptr);
    return wasVisible;
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
    WindowObject* w = Get(window);
    if (!w)
        return false;
    Rect before, after;
    {
        std::lock_guard lock(S().mutex);
        before = ClientArea(*w);
        w->rect = {x, y, x + width, y + height};
        after = ClientArea(*w);
    }
    NotifyChanged(window);
    if (before.left != after.left || before.top != after.top)
        SendMessage(window, kWmMove, 0, MakeLParam(after.left, after.top));
    if (before.Width() != after.Width() || before.Height() != after.Height())
        SendMessage(window, kWmSize, kSizeRestored, MakeLParam(after.Width(), after.Height()));
    return true;
}

Rect GetWindowRect(WindowHandle window) {
    std::lock_guard lock(S().mutex);
    return Alive(window) ? CurrentRect(*window) : Rect{};
}

Rect GetClientRect(WindowHandle window) {
    std::lock_guard lock(S().mutex);
    if (!Alive(window))
        return {};
    const Rect area = ClientArea(*window);
    return {0, 0, area.Width(), area.Height()};
}

Point ClientToScreen(WindowHandle window, Point p) {
    std::lock_guard lock(S().mutex);
    if (!Alive(window))
        return p;
    const Rect area = ClientArea(*window);
    return {p.x + area.left, p.y + area.top};
}

Point ScreenToClient(WindowHandle window, Point p) {
    std::lock_guard lock(S().mutex);
    if (!Alive(window))
        return p;
    const Rect area = ClientArea(*window);
    return {p.x - area.left, p.y - area.top};
}

Rect AdjustWindowRect(const Rect& client, std::uint32_t style, std::uint32_t) {
    const Rect in = ClientOuterInsets(style);
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
    }
    NotifyChanged(window);
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
    return true;
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
    return true;
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
    std::lock_guard lock(S().mutex);
    State& s = S();
    if (window == kBroadcastWindow) {
        for (const auto& w : s.windows) {
            if (!w->parent)
                s.queues[w->thread].messages.push_back({w.get(), message, wParam, lParam, time});
        }
        return true;
    }
    if (window && !Alive(window))
        return false;
    const ThreadId thread = window ? window->thread : GetCurrentThreadId();
    s.queues[thread].messages.push_back({window, message, wParam, lParam, time});
    return true;
}

void PostQuitMessage(int exitCode) {
    std::lock_guard lock(S().mutex);
    ThreadQueue& queue = S().queues[GetCurrentThreadId()];
    queue.quit = true;
    queue.quitCode = exitCode;
}

bool PeekMessage(Message& out, WindowHandle filter, bool remove) {
    GetBackend().PumpEvents();
    std::vector<std::function<void()>> pollers;
    {
        std::lock_guard lock(S().mutex);
        for (const auto& [id, poller] : S().pollers)
            pollers.push_back(poller);
    }
    for (const auto& poller : pollers)
        poller();

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
    std::lock_guard lock(S().mutex);
    if (!Alive(window))
        return false;
    // The system never fires faster than about 10 ms; a period of 0 would flood.
    window->timers[id] = {std::max<std::uint32_t>(periodMs, 1), GetTickMs()};
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
    std::lock_guard lock(S().mutex);
    const auto& windows = S().windows;
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        const WindowObject& w = **it;
        if (!w.parent && w.visible && !w.minimized && CurrentRect(w).Contains(p))
            return it->get();
    }
    return nullptr;
}

bool IsKeyDown(int virtualKey) {
    std::lock_guard lock(S().mutex);
    return virtualKey >= 0 && virtualKey < 256 && S().keys[static_cast<std::size_t>(virtualKey)];
}

void InjectMouse(WindowHandle window, MessageId message, int clientX, int clientY) {
    WindowHandle target = window;
    WParam flags;
    LParam position;
    {
        std::lock_guard lock(S().mutex);
        State& s = S();
        if (!Alive(window))
            return;
        const Rect area = ClientArea(*window);
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
        const Rect targetArea = ClientArea(*target);
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
        for (const auto& w : S().windows)
            windows.push_back(w.get());
    }
    for (WindowHandle w : windows)
        GetBackend().OnWindowDestroyed(w);
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
