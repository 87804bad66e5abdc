#include "platform/termination_requests.h"

#include <gtest/gtest.h>

#include <signal.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace platform {
namespace {

bool WaitFor(const std::atomic<int>& count, int wanted) {
    for (int i = 0; i < 500 && count.load() < wanted; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return count.load() >= wanted;
}

void (*HandlerOf(int signal))(int) {
    struct sigaction now {};
    sigaction(signal, nullptr, &now);
    return now.sa_handler;
}

TEST(TerminationRequests, ASignalIsHeardOnceOnTheListenersThread) {
    for (const int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        std::atomic<int> requests{0};
        std::atomic<bool> onOtherThread{false};
        const std::thread::id self = std::this_thread::get_id();
        {
            TerminationRequests termination([&] {
                onOtherThread = std::this_thread::get_id() != self;
                ++requests;
            });
            raise(signal);
            ASSERT_TRUE(WaitFor(requests, 1));
            EXPECT_TRUE(onOtherThread);
            // The handler has given way to the system's, for a second signal.
            EXPECT_EQ(HandlerOf(signal), SIG_DFL);
        }
        EXPECT_EQ(requests.load(), 1);
    }
}

TEST(TerminationRequestsDeathTest, ASecondSignalEndsTheProcess) {
    EXPECT_EXIT(
        {
            std::atomic<int> requests{0};
            TerminationRequests termination([&] { ++requests; });
            raise(SIGTERM);
            WaitFor(requests, 1);
            raise(SIGTERM);
            std::this_thread::sleep_for(std::chrono::seconds(5));
            std::_Exit(requests.load() == 1 ? 3 : 4);
        },
        ::testing::KilledBySignal(SIGTERM), "");
}

TEST(TerminationRequests, TheHandlersThatWereThereComeBack) {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction previous {};
    sigaction(SIGINT, &ignore, &previous);
    {
        const TerminationRequests termination([] {});
        EXPECT_NE(HandlerOf(SIGINT), SIG_IGN);
    }
    EXPECT_EQ(HandlerOf(SIGINT), SIG_IGN);
    sigaction(SIGINT, &previous, nullptr);
}

} // namespace
} // namespace platform
