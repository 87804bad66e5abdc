#include "platform/message_wait.h"

#include <gtest/gtest.h>
#include <time.h>

#include <chrono>
#include <functional>

#include "platform/headless/headless_platform.h"
#include "platform/window.h"

namespace {

using namespace platform;

LResult Plain(WindowHandle w, MessageId m, WParam wp, LParam lp) {
    return DefWindowProc(w, m, wp, lp);
}

std::uint64_t ThreadCpuMicroseconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<std::uint64_t>(ts.tv_sec) * 1000000 + static_cast<std::uint64_t>(ts.tv_nsec) / 1000;
}

struct MessageWait : ::testing::Test {
    HeadlessPlatform headless;
    WindowHandle window = nullptr;
    void SetUp() override {
        ASSERT_TRUE(RegisterWindowClass({"Main", 0, Plain}));
        window = CreateWindow({"Main", "", kWsPopup, 0, 0, 0, 100, 100, nullptr});
        ASSERT_NE(window, nullptr);
    }
};

// Each wake reason on the real clock: the call blocks for the time it takes
// the reason to come, and spends almost no processor time doing so.
TEST_F(MessageWait, WakesForEachReasonOnTheRealClockWithoutSpinning) {
    Installed<Clock> real(ClockSlot(), std::make_shared<SystemClock>());
    Event first(false, false), second(true, false);
    constexpr int kDelayMs = 80;
    struct Case {
        const char* name;
        WakeReason expected;
        int eventIndex;
        std::uint32_t timeoutMs;
        std::function<void()> later; // run on another thread after kDelayMs (may be empty)
        std::function<void()> before;
    };
    const Case cases[] = {
        {"posted message", WakeReason::Message, -1, kWaitInfinite, [&] { PostMessage(window, kWmUser, 0, 0); }, {}},
        {"event set", WakeReason::Event, 1, kWaitInfinite, [&] { second.Set(); }, {}},
        {"timer due", WakeReason::Timer, -1, kWaitInfinite, {}, [&] { SetTimer(window, 7, kDelayMs); }},
        {"time-out", WakeReason::Timeout, -1, kDelayMs, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.before)
            c.before();
        Thread helper;
        if (c.later) {
            ASSERT_TRUE(helper.Start([&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(kDelayMs));
                c.later();
            }));
        }
        const auto start = std::chrono::steady_clock::now();
        const std::uint64_t cpuBefore = ThreadCpuMicroseconds();
        const WakeResult result = WaitForMessageOrEvents({&first, &second}, c.timeoutMs);
        const std::uint64_t cpu = ThreadCpuMicroseconds() - cpuBefore;
        const auto waited =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
        helper.Join();
        EXPECT_EQ(result.reason, c.expected);
        EXPECT_EQ(result.eventIndex, c.eventIndex);
        EXPECT_GE(waited, kDelayMs - 5);
        EXPECT_LT(cpu, 20000u) << "spent " << cpu << " us of processor time in a " << waited << " ms wait";
        // Clear what woke it for the next case.
        KillTimer(window, 7);
        second.Reset();
        Message m;
        while (PeekMessage(m)) {
        }
    }
}

TEST_F(MessageWait, VirtualClockJumpsToTheTimerOrTheTimeout) {
    VirtualClock& clock = headless.Clock();
    ASSERT_TRUE(SetTimer(window, 1, 250));
    const auto start = std::chrono::steady_clock::now();
    WakeResult result = WaitForMessageOrEvents({}, 1000);
    EXPECT_EQ(result.reason, WakeReason::Timer);
    EXPECT_EQ(GetTickMs(), 250u);
    Message m;
    ASSERT_TRUE(PeekMessage(m));
    EXPECT_EQ(m.message, kWmTimer);

    KillTimer(window, 1);
    result = WaitForMessageOrEvents({}, 400);
    EXPECT_EQ(result.reason, WakeReason::Timeout);
    EXPECT_EQ(clock.Microseconds(), 650000u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200)); // no real waiting

    // What is already there ends the wait at once, events first; the clock stays.
    Event set(false, true);
    PostMessage(window, kWmUser, 0, 0);
    result = WaitForMessageOrEvents({&set}, 1000);
    EXPECT_EQ(result.reason, WakeReason::Event);
    EXPECT_EQ(result.eventIndex, 0);
    EXPECT_EQ(WaitForMessageOrEvents({&set}, 1000).reason, WakeReason::Message); // the auto-reset event was used
    PostQuitMessage(0);
    while (PeekMessage(m) && m.message != kWmQuit) {
    }
    EXPECT_EQ(WaitForMessageOrEvents({&set}, 0).reason, WakeReason::Timeout);
    EXPECT_EQ(clock.Microseconds(), 650000u);
}

} // namespace
