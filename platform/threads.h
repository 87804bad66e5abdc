#pragma once
// Threads, re-entrant critical sections, and manual- and auto-reset events
// with wait-for-any. Events wait in real time even when a virtual clock is
// installed: they synchronise threads, not game time.

#include <atomic>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <thread>

namespace platform {

using ThreadId = std::uint32_t;
ThreadId GetCurrentThreadId();

enum class ThreadPriority { Normal, AboveNormal, Highest };
// A hint: without privileges Linux cannot raise a thread's priority.
void SetCurrentThreadPriority(ThreadPriority priority);

class Thread {
public:
    Thread() = default;
    ~Thread(); // joins a thread still running
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    bool Start(std::function<void()> body, ThreadPriority priority = ThreadPriority::Normal);
    void Join();
    bool IsStarted() const { return mThread.joinable(); }
    bool IsFinished() const { return mFinished.load(); }
    ThreadId Id() const { return mId.load(); } // 0 until the thread runs

private:
    std::thread mThread;
    std::atomic<bool> mFinished{false};
    std::atomic<ThreadId> mId{0};
};

// Re-entrant by its owner, like the system's critical section.
class CriticalSection {
public:
    void Enter() { mMutex.lock(); }
    bool TryEnter() { return mMutex.try_lock(); }
    void Leave() { mMutex.unlock(); }
    // For std::lock_guard and friends.
    void lock() { Enter(); }
    bool try_lock() { return TryEnter(); }
    void unlock() { Leave(); }

private:
    std::recursive_mutex mMutex;
};

class AutoCrit {
public:
    explicit AutoCrit(CriticalSection& section) : mSection(section) { mSection.Enter(); }
    ~AutoCrit() { mSection.Leave(); }
    AutoCrit(const AutoCrit&) = delete;
    AutoCrit& operator=(const AutoCrit&) = delete;

private:
    CriticalSection& mSection;
};

inline constexpr std::uint32_t kWaitInfinite = 0xFFFFFFFF;
inline constexpr int kWaitTimeout = -1;

// A manual-reset event stays signalled until Reset; an auto-reset event
// lets exactly one wait through and turns unsignalled again.
class Event {
public:
    Event(bool manualReset, bool initiallySignalled) : mManualReset(manualReset), mSignalled(initiallySignalled) {}
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    void Set();
    void Reset();
    // True when signalled within the time (ms; kWaitInfinite waits for ever).
    bool Wait(std::uint32_t timeoutMs);
    bool IsManualReset() const { return mManualReset; }

private:
    friend int WaitForAnyEventOr(Event* const* events, int count, std::uint32_t timeoutMs,
                                 const std::function<bool()>& other);
    const bool mManualReset;
    bool mSignalled; // guarded by the process-wide event lock
};

// Waits until one of the events is signalled and returns its index; when
// several are, the lowest index wins (and only that one is consumed).
// kWaitTimeout when the time ran out.
int WaitForAnyEvent(Event* const* events, int count, std::uint32_t timeoutMs);
int WaitForAnyEvent(std::initializer_list<Event*> events, std::uint32_t timeoutMs);

// As WaitForAnyEvent, but also returns kWaitOther as soon as `other`
// answers true (events are looked at first). `other` is asked while the
// event lock is held, so it must not wait on an event itself, and whoever
// makes it true must call WakeEventWaiters afterwards.
inline constexpr int kWaitOther = -2;
int WaitForAnyEventOr(Event* const* events, int count, std::uint32_t timeoutMs, const std::function<bool()>& other);
// Lets every waiting thread look at its condition again.
void WakeEventWaiters();

} // namespace platform
