#include "platform/threads.h"

#include <gtest/gtest.h>

#include <atomic>

#include "platform/clock.h"
#include "platform/crt_random.h"

namespace {

using namespace platform;

TEST(Events, WaitForAnyLowestSignalledIndexWins) {
    Event manual(true, false), autoA(false, false), autoB(false, false);
    EXPECT_EQ(WaitForAnyEvent({&manual, &autoA, &autoB}, 0), kWaitTimeout);
    autoB.Set();
    autoA.Set();
    EXPECT_EQ(WaitForAnyEvent({&manual, &autoA, &autoB}, 0), 1); // lowest, and it is consumed
    EXPECT_EQ(WaitForAnyEvent({&manual, &autoA, &autoB}, 0), 2);
    EXPECT_EQ(WaitForAnyEvent({&manual, &autoA, &autoB}, 0), kWaitTimeout);
    manual.Set();
    autoA.Set();
    EXPECT_EQ(WaitForAnyEvent({&manual, &autoA}, 0), 0);
    EXPECT_EQ(WaitForAnyEvent({&manual, &autoA}, 0), 0); // manual stays signalled
    manual.Reset();
    EXPECT_EQ(WaitForAnyEvent({&manual, &autoA}, 0), 1);
    EXPECT_FALSE(autoA.Wait(0));
}

TEST(Events, WakesAWaiterOnAnotherThread) {
    Event ready(false, false), done(true, false);
    std::atomic<int> seen{-2};
    Thread worker;
    ASSERT_TRUE(worker.Start([&] { seen = WaitForAnyEvent({&done, &ready}, kWaitInfinite); }));
    ready.Set();
    worker.Join();
    EXPECT_EQ(seen.load(), 1);
    EXPECT_TRUE(worker.IsFinished());
    EXPECT_NE(worker.Id(), 0u);
    EXPECT_NE(worker.Id(), GetCurrentThreadId());
    EXPECT_FALSE(ready.Wait(10)); // auto-reset: consumed by the worker
}

TEST(CriticalSection, IsReentrantAndExcludesOtherThreads) {
    CriticalSection section;
    AutoCrit outer(section);
    AutoCrit inner(section); // the owner may enter again
    std::atomic<bool> entered{true};
    Thread other;
    other.Start([&] { entered = section.TryEnter(); });
    other.Join();
    EXPECT_FALSE(entered.load());
}

TEST(CrtRandom, MatchesTheRuntimeSequence) {
    CrtRandom generator; // seed 1
    const int expected[] = {41, 18467, 6334, 26500, 19169};
    for (int value : expected)
        EXPECT_EQ(generator.Next(), value);
    CrtSrand(1);
    for (int value : expected)
        EXPECT_EQ(CrtRand(), value);
    generator.Seed(12345);
    for (int i = 0; i < 1000; ++i) {
        const int v = generator.Next();
        ASSERT_TRUE(v >= 0 && v <= kCrtRandMax);
    }
}

// Each thread draws from its own generator: a new thread starts from seed 1
// whatever the first seeded, and its draws leave the first's sequence alone.
TEST(CrtRandom, EachThreadHasItsOwnSequence) {
    CrtSrand(12345);
    CrtRandom expected(12345);
    EXPECT_EQ(CrtRand(), expected.Next());
    int first = -1;
    Thread worker;
    ASSERT_TRUE(worker.Start([&] {
        first = CrtRand();
        for (int i = 0; i < 100; ++i)
            CrtRand();
    }));
    worker.Join();
    EXPECT_EQ(first, 41); // seed 1's first value
    EXPECT_EQ(CrtRand(), expected.Next());
}

TEST(Clock, VirtualSleepAdvancesWithoutWaiting) {
    ScopedVirtualClock clock(500);
    const std::uint64_t counter = GetPerformanceCounter();
    SleepMs(250);
    EXPECT_EQ(GetTickMs(), 750u);
    EXPECT_EQ(GetPerformanceCounter() - counter, 250u * GetPerformanceFrequency() / 1000);
    {
        Installed<Clock> real(ClockSlot(), std::make_shared<SystemClock>());
        const std::uint32_t before = GetTickMs();
        SleepMs(20);
        EXPECT_GE(GetTickMs() - before, 19u); // real sleep on the system clock
    }
    EXPECT_EQ(GetTickMs(), 750u); // the virtual clock is back
}

} // namespace
