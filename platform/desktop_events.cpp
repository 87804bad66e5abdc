#include "platform/desktop_events.h"

#include <mutex>

#include "platform/system_info.h"
#include "platform/window_state.h"

namespace platform {

using namespace window_state;

namespace {

// Applies `change` to the live window under the lock and gives the client
// size afterwards; false when the window is gone.
template <typename Change>
bool Update(WindowHandle window, Change change, Rect& client) {
    const DisplayInfo display = GetDisplayInfo();
    std::lock_guard lock(S().mutex);
    if (!Alive(window))
        return false;
    change(*window, display);
    client = ClientArea(*window, display);
    return true;
}

bool SendAndCheck(WindowHandle window, MessageId message, WParam wParam, LParam lParam) {
    SendMessage(window, message, wParam, lParam);
    return IsWindow(window);
}

} // namespace

bool DesktopWindowMoved(WindowHandle window, int clientX, int clientY) {
    Rect client;
    const bool alive = Update(
        window,
        [&](WindowObject& w, const DisplayInfo& display) {
            if (w.maximized || w.minimized)
                return;
            const Rect area = ClientArea(w, display);
            const int dx = clientX - area.left, dy = clientY - area.top;
            w.rect = {w.rect.left + dx, w.rect.top + dy, w.rect.right + dx, w.rect.bottom + dy};
        },
        client);
    return alive && SendAndCheck(window, kWmMove, 0, MakeLParam(clientX, clientY));
}

bool DesktopWindowResized(WindowHandle window, int clientWidth, int clientHeight) {
    Rect client;
    bool maximized = false;
    const bool alive = Update(
        window,
        [&](WindowObject& w, const DisplayInfo& display) {
            maximized = w.maximized;
            if (w.maximized || w.minimized)
                return;
            const Rect area = ClientArea(w, display);
            w.rect.right += clientWidth - area.Width();
            w.rect.bottom += clientHeight - area.Height();
        },
        client);
    return alive && SendAndCheck(window, kWmSize, maximized ? kSizeMaximized : kSizeRestored,
                                 MakeLParam(clientWidth, clientHeight));
}

bool DesktopMinimized(WindowHandle window) {
    Rect client;
    if (!Update(
            window,
            [](WindowObject& w, const DisplayInfo&) {
                w.visible = true;
                w.minimized = true;
            },
            client))
        return false;
    if (GetActiveWindow() == window) {
        SetForegroundWindow(nullptr);
        if (!IsWindow(window))
            return false;
    }
    return SendAndCheck(window, kWmSize, kSizeMinimized, 0);
}

bool DesktopRestored(WindowHandle window) {
    Rect client;
    const bool alive = Update(
        window,
        [](WindowObject& w, const DisplayInfo&) {
            w.visible = true;
            w.minimized = false;
            w.maximized = false;
        },
        client);
    return alive && SendAndCheck(window, kWmSize, kSizeRestored, MakeLParam(client.Width(), client.Height()));
}

bool DesktopMaximized(WindowHandle window) {
    Rect client;
    const bool alive = Update(
        window,
        [](WindowObject& w, const DisplayInfo&) {
            w.visible = true;
            w.minimized = false;
            w.maximized = true;
        },
        client);
    return alive && SendAndCheck(window, kWmSize, kSizeMaximized, MakeLParam(client.Width(), client.Height()));
}

bool DesktopActivated(WindowHandle window, bool active) {
    if (!IsWindow(window))
        return false;
    if (active) {
        if (!SetForegroundWindow(window))
            return false;
    } else if (GetActiveWindow() == window) {
        SetForegroundWindow(nullptr);
        if (!IsWindow(window))
            return false;
    }
    return SendAndCheck(window, kWmActivate, active ? kWaActive : kWaInactive, 0);
}

bool DesktopCloseRequested(WindowHandle window) {
    if (!IsWindow(window))
        return false;
    SendMessage(window, kWmClose, 0, 0);
    return true;
}

} // namespace platform
