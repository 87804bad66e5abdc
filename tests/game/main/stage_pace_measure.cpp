// A measurement run by hand, not in the test suite: the first restaurant
// played by the paced scripted player on many deals, each stage's outcome
// printed and the share of stages won on time. KAVO_PACE_DEALS (20) deals
// are played, from deal KAVO_PACE_FIRST (0), so that several processes can
// share the deals out.
#include "tests/game/main/paced_restaurant_run.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace Game {
namespace {

int EnvInt(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::atoi(value) : fallback;
}

class StagePaceMeasure : public PacedRestaurantRun {};

TEST_F(StagePaceMeasure, FirstRestaurantAtAPersonsPace) {
    const int deals = EnvInt("KAVO_PACE_DEALS", 20);
    const int first = EnvInt("KAVO_PACE_FIRST", 0);
    int won[kRestaurantStages] = {};
    int played[kRestaurantStages] = {};
    for (int deal = first; deal < first + deals; ++deal) {
        mResults.clear();
        // Deals a prime number of milliseconds apart.
        PlayRestaurant(deal * 7919, kRestaurantStages);
        std::string line = "deal " + std::to_string(deal) + ":";
        for (size_t stage = 0; stage < mResults.size(); ++stage) {
            const StageResult& r = mResults[stage];
            char text[96];
            std::snprintf(text, sizeof(text), "  s%zu %s boards %d time-ups %d used %.0f%%", stage,
                          r.mDone && r.mTimeUps == 0 ? "won" : "LOST", r.mBoards, r.mTimeUps, r.mTimeUsed * 100);
            line += text;
            ++played[stage];
            won[stage] += r.mDone && r.mTimeUps == 0 ? 1 : 0;
        }
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    }
    for (int stage = 0; stage < kRestaurantStages; ++stage)
        std::printf("stage %d: won on time %d of %d\n", stage, won[stage], played[stage]);
}

} // namespace
} // namespace Game
