#include "game/screens/fade_overlay.h"

#include <gtest/gtest.h>

namespace Game {
namespace {

// Updates until the alpha stops moving (at most 100): the count and the alpha.
std::pair<int, float> RiseToRest(FadeOverlay& overlay) {
    int updates = 0;
    for (float before = -1; before != overlay.mAlpha && updates < 100; ++updates) {
        before = overlay.mAlpha;
        overlay.Update();
    }
    return {updates - 1, overlay.mAlpha};
}

TEST(FadeOverlayTest, RisesToItsTargetByWholeStepsThenFallsAndEnds) {
    const struct {
        float target;
        int updates;
        float rest;
    } cases[] = {{80.0f, 20, 80.0f}, {150.0f, 38, 152.0f}, {0.0f, 0, 0.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        FadeOverlay overlay(c.target);
        const auto [updates, rest] = RiseToRest(overlay);
        EXPECT_EQ(updates, c.updates);
        EXPECT_EQ(rest, c.rest);
        EXPECT_FALSE(overlay.IsDone());
    }
    FadeOverlay overlay(80.0f);
    RiseToRest(overlay);
    overlay.Close();
    for (int i = 0; i < 19; ++i)
        overlay.Update();
    EXPECT_EQ(overlay.mAlpha, 4.0f);
    EXPECT_FALSE(overlay.IsDone());
    overlay.Update();
    EXPECT_EQ(overlay.mAlpha, 0.0f);
    EXPECT_TRUE(overlay.IsDone());
}

} // namespace
} // namespace Game
