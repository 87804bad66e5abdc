#include "platform/threads.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>

namespace platform {
namespace {

// One lock and one condition for all events keeps wait-for-any simple and
// correct; events are few and rarely contended.
std::mutex gEventMutex;
std::condition_variable gEventChanged;

} // namespace

ThreadId GetCurrentThreadId() {
    return static_cast<ThreadId>(syscall(SYS_gettid));
}

void SetCurrentThreadPriority(ThreadPriority) {}

Thread::~Thread() {
    Join();
}

bool Thread::Start(std::function<void()> body, ThreadPriority priority) {
    if (mThread.joinable() || !body)
        return false;
    mFinished = false;
    mThread = std::thread([this, body = std::move(body), priority] {
        mId = GetCurrentThreadId();
        SetCurrentThreadPriority(priority);
        body();
        mFinished = true;
    });
    return true;
}

void Thread::Join() {
    if (mThread.joinable() && mThread.get_id() != std::this_thread::get_id())
        mThread.join();
}

void Event::Set() {
    {
        std::lock_guard lock(gEventMutex);
        mSignalled = true;
    }
    gEventChanged.notify_all();
}

void Event::Reset() {
    std::lock_guard lock(gEventMutex);
    mSignalled = false;
}

bool Event::Wait(std::uint32_t timeoutMs) {
    Event* self = this;
    return WaitForAnyEvent(&self, 1, timeoutMs) == 0;
}

int WaitForAnyEvent(Event* const* events, int count, std::uint32_t timeoutMs) {
    return WaitForAnyEventOr(events, count, timeoutMs, nullptr);
}

int WaitForAnyEventOr(Event* const* events, int count, std::uint32_t timeoutMs, const std::function<bool()>& other) {
    std::unique_lock lock(gEventMutex);
    auto firstReady = [&]() -> int {
        for (int i = 0; i < count; ++i) {
            if (events[i] && events[i]->mSignalled)
                return i;
        }
        return other && other() ? kWaitOther : kWaitTimeout;
    };
    int index = firstReady();
    if (index == kWaitTimeout && timeoutMs != 0) {
        auto ready = [&] { return (index = firstReady()) != kWaitTimeout; };
        if (timeoutMs == kWaitInfinite) {
            gEventChanged.wait(lock, ready);
        } else {
            gEventChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready);
        }
    }
    if (index >= 0 && !events[index]->mManualReset)
        events[index]->mSignalled = false;
    return index;
}

void WakeEventWaiters() {
    {
        // Taking the lock orders this wake after a waiter's last look.
        std::lock_guard lock(gEventMutex);
    }
    gEventChanged.notify_all();
}

int WaitForAnyEvent(std::initializer_list<Event*> events, std::uint32_t timeoutMs) {
    return WaitForAnyEvent(events.begin(), static_cast<int>(events.size()), timeoutMs);
}

} // namespace platform
