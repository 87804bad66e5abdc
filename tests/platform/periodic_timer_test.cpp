#include "platform/periodic_timer.h"

#include <gtest/gtest.h>

#include "platform/clock.h"

namespace platform {
namespace {

TEST(PeriodicTimer, FiresAsTheVirtualClockMoves) {
    ScopedVirtualClock clock;
    PeriodicTimer timer;
    timer.Start(20);
    EXPECT_TRUE(timer.IsRunning());
    EXPECT_FALSE(timer.Signal().Wait(5)); // no virtual time has passed
    clock.Get().Advance(19);
    EXPECT_FALSE(timer.Signal().Wait(5));
    clock.Get().Advance(1);
    EXPECT_TRUE(timer.Signal().Wait(5000));
    EXPECT_FALSE(timer.Signal().Wait(0)); // auto-reset: taken once
    // Periods that pass unobserved fold into one signal.
    clock.Get().Advance(100);
    EXPECT_TRUE(timer.Signal().Wait(5000));
    timer.Stop();
    EXPECT_FALSE(timer.IsRunning());
    clock.Get().Advance(1000);
    EXPECT_FALSE(timer.Signal().Wait(20));
}

TEST(PeriodicTimer, TicksInRealTime) {
    PeriodicTimer timer;
    timer.Start(2);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(timer.Signal().Wait(5000));
}

} // namespace
} // namespace platform
