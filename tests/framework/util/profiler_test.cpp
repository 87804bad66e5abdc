#include <gtest/gtest.h>

#include <string>

#include "framework/util/cpu_ticks.h"
#include "framework/util/profiler.h"
#include "framework/util/stop_watch.h"
#include "platform/clock.h"

namespace Kavo {
namespace {

// On a virtual clock the tick counter is the clock's microseconds.
TEST(CpuTicks, MeasuresTheVirtualClockRateOverTenMilliseconds) {
    platform::ScopedVirtualClock clock(5000);
    const std::uint64_t before = platform::GetPerformanceCounter();
    EXPECT_EQ(GetCpuTicksPerSecond(), 1000000u);
    EXPECT_EQ(platform::GetPerformanceCounter() - before, 10000u);
}

TEST(StopWatch, MeasuresMilliseconds) {
    platform::ScopedVirtualClock clock;
    StopWatch watch;
    watch.Start();
    clock.Get().AdvanceMicroseconds(2500);
    EXPECT_DOUBLE_EQ(watch.Stop(), 2.5);
    EXPECT_DOUBLE_EQ(watch.GetDuration(), 2.5);
}

TEST(Profiler, ARunWithoutEventsReportsTheTotalAlone) {
    platform::ScopedVirtualClock clock;
    Profiler profiler;
    profiler.Begin();
    clock.Get().Advance(12);
    profiler.End();
    EXPECT_EQ(profiler.GetReport(), "Total Time: 12.00\n");
}

TEST(Profiler, NestedCallsOfOneNameCountAsOneInterval) {
    platform::ScopedVirtualClock clock;
    Profiler profiler;
    profiler.Begin();
    clock.Get().Advance(1);
    profiler.StartSection("Draw");
    clock.Get().Advance(2);
    profiler.StartSection("draw"); // names compare without letter case
    clock.Get().Advance(3);
    profiler.EndSection("Draw");
    profiler.FlushEvents(); // folding in the middle of a run keeps the open call
    clock.Get().Advance(1);
    profiler.EndSection("Draw");
    profiler.StartSection("Update");
    clock.Get().Advance(4);
    profiler.EndSection("Update");
    profiler.StartSection("Update");
    profiler.EndSection("Update");
    clock.Get().Advance(9);
    profiler.End();

    const Profiler::Record* draw = profiler.FindRecord("DRAW");
    ASSERT_NE(draw, nullptr);
    EXPECT_EQ(draw->calls, 2);
    EXPECT_EQ(draw->depth, 0);
    EXPECT_DOUBLE_EQ(draw->totalMs, 6.0); // from the first start to the last end
    EXPECT_EQ(profiler.GetReport(), "Total Time: 20.00\n"
                                    "Draw (2 calls, %30.00 time): 6.00 (3.00 avg, 6.00 longest)\n"
                                    "Update (2 calls, %20.00 time): 4.00 (2.00 avg, 4.00 longest)\n");
}

TEST(Profiler, AnEndWithoutAnOpenCallChangesNothing) {
    platform::ScopedVirtualClock clock;
    Profiler profiler;
    profiler.Begin();
    profiler.EndSection("Never");
    profiler.StartSection("Once");
    clock.Get().Advance(2);
    profiler.EndSection("Once");
    profiler.EndSection("Once"); // one end too many
    profiler.StartSection("Once");
    clock.Get().Advance(3);
    profiler.EndSection("Once");
    profiler.End();
    EXPECT_EQ(profiler.FindRecord("Never"), nullptr);
    EXPECT_EQ(profiler.GetReport(), "Total Time: 5.00\n"
                                    "Once (2 calls, %100.00 time): 5.00 (2.50 avg, 3.00 longest)\n");
}

TEST(Profiler, AZeroLengthRunGivesZeroShares) {
    platform::ScopedVirtualClock clock;
    Profiler profiler;
    profiler.Begin();
    profiler.StartSection("Instant");
    profiler.EndSection("Instant");
    profiler.End();
    EXPECT_EQ(profiler.GetReport(), "Total Time: 0.00\n"
                                    "Instant (1 calls, %0.00 time): 0.00 (0.00 avg, 0.00 longest)\n");
}

TEST(Profiler, MeasureOnlyAndStoppedRunsRecordNoSections) {
    platform::ScopedVirtualClock clock;
    Profiler profiler;
    profiler.StartSection("BeforeBegin");
    profiler.Begin(true);
    EXPECT_FALSE(profiler.IsRunning());
    profiler.StartSection("Ignored");
    profiler.EndSection("Ignored");
    clock.Get().Advance(7);
    profiler.End();
    EXPECT_EQ(profiler.GetReport(), "Total Time: 7.00\n");
}

} // namespace
} // namespace Kavo
