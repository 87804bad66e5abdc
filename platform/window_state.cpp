#include "platform/window_state.h"

#include <algorithm>

#include "platform/drivers.h"

namespace platform::window_state {

State& S() {
    static State* state = new State; // outlives every static user
    return *state;
}

bool Alive(WindowHandle window) {
    if (!window)
        return false;
    for (const auto& w : S().windows) {
        if (w.get() == window)
            return true;
    }
    return false;
}

Rect ClientOuterInsets(std::uint32_t style, const DisplayInfo& info) {
    if ((style & kWsCaption) == kWsCaption)
        return {info.frameWidth, info.frameWidth + info.captionHeight, info.frameWidth, info.frameWidth};
    if (style & (kWsBorder | kWsThickFrame))
        return {info.frameWidth, info.frameWidth, info.frameWidth, info.frameWidth};
    return {};
}

Rect CurrentRect(const WindowObject& w, const DisplayInfo& info) {
    if (!w.maximized)
        return w.rect;
    const Rect in = ClientOuterInsets(w.style, info);
    const Rect& area = info.workArea;
    return {area.left - in.left, area.top - in.top, area.right + in.right, area.bottom + in.bottom};
}

Rect ClientArea(const WindowObject& w, const DisplayInfo& info) {
    if (w.minimized)
        return {};
    const Rect outer = CurrentRect(w, info);
    const Rect in = ClientOuterInsets(w.style, info);
    return {outer.left + in.left, outer.top + in.top, outer.right - in.right, outer.bottom - in.bottom};
}

WindowShowState ShowStateOf(const WindowObject& w) {
    if (!w.visible)
        return WindowShowState::Hidden;
    if (w.minimized)
        return WindowShowState::Minimized;
    return w.maximized ? WindowShowState::Maximized : WindowShowState::Normal;
}

bool OnDesktopThread() {
    for (const auto& w : S().windows) {
        if (!w->parent)
            return w->thread == GetCurrentThreadId();
    }
    return false;
}

bool HasQueuedInput(ThreadId thread) {
    auto it = S().queues.find(thread);
    return it != S().queues.end() && (!it->second.messages.empty() || it->second.quit);
}

std::uint32_t NextTimerDelay(ThreadId thread, std::uint32_t now) {
    std::uint32_t delay = kWaitInfinite;
    for (const auto& w : S().windows) {
        if (w->thread != thread)
            continue;
        for (const auto& [id, timer] : w->timers) {
            const std::uint32_t since = now - timer.last;
            delay = std::min(delay, since >= timer.period ? 0 : timer.period - since);
        }
    }
    return delay;
}

void PumpDesktop() {
    std::vector<std::function<void()>> pollers;
    bool pump = false;
    {
        std::lock_guard lock(S().mutex);
        for (const auto& [id, poller] : S().pollers)
            pollers.push_back(poller);
        pump = OnDesktopThread();
    }
    if (pump)
        GetVideoDriver()->PumpEvents();
    for (const auto& poller : pollers)
        poller();
}

} // namespace platform::window_state
