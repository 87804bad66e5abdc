#pragma once
// The state behind the window layer, shared by window.cpp, the desktop's
// entry points and the message wait; not for use outside platform/.
//
// One recursive lock guards all of it. Nothing is called while the lock is
// held except these helpers: no window procedure and no driver, since both
// may call back into the window layer from another thread.

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/system_info.h"
#include "platform/threads.h"
#include "platform/video_driver.h"
#include "platform/window.h"

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
    bool destroying = false; // WM_DESTROY sent; a second DestroyWindow fails
    void* userData = nullptr;
    ThreadId thread = 0;
    WindowHandle parent = nullptr;
    struct Timer {
        std::uint32_t period = 0;
        std::uint32_t last = 0;
    };
    std::map<std::uintptr_t, Timer> timers;
};

namespace window_state {

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

State& S();

// The helpers below expect the lock held.
bool Alive(WindowHandle window);
Rect ClientOuterInsets(std::uint32_t style, const DisplayInfo& info);
// Outer rectangle as it is now (a maximised window fills the work area).
Rect CurrentRect(const WindowObject& w, const DisplayInfo& info);
// Client area in screen coordinates (empty while minimised).
Rect ClientArea(const WindowObject& w, const DisplayInfo& info);
WindowShowState ShowStateOf(const WindowObject& w);
// Whether the calling thread owns the main window (the oldest top-level one).
bool OnDesktopThread();
// Posted messages or a quit wait for the calling thread.
bool HasQueuedInput(ThreadId thread);
// Milliseconds until the first timer of the thread's windows falls due
// (0: one is due now; kWaitInfinite: the thread has none).
std::uint32_t NextTimerDelay(ThreadId thread, std::uint32_t now);

// Without the lock: runs the message pollers, and pumps the video driver's
// events when the calling thread owns the main window.
void PumpDesktop();

} // namespace window_state
} // namespace platform
