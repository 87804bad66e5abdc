// The widget's own operations: colours, digits from a strip, tab links.
#include <climits>

#include "tests/framework/widget/widget_fixture.h"

namespace widget_test {
namespace {

using Kavo::Color;
using ::testing::ElementsAre;

TEST_F(WidgetTreeTest, ColorTableGrowsWithOpaqueBlack) {
    LoggingWidget& widget = Add("w", 0, 0, 10, 10);
    const Color teal(0, 128, 128, 40);
    widget.SetColor(5, teal);
    ASSERT_EQ(widget.mColors.size(), 6u);
    for (int32_t i = 0; i < 5; ++i)
        EXPECT_EQ(widget.GetColor(i), Color(0, 0, 0, 255)) << i;
    EXPECT_EQ(widget.GetColor(5), teal);
    EXPECT_EQ(widget.GetColor(6), Color(0, 0, 0, 255));
    EXPECT_EQ(widget.GetColor(-1), Color(0, 0, 0, 255));
    EXPECT_EQ(widget.GetColorOr(9, teal), teal);
    EXPECT_EQ(widget.GetColorOr(5, Color(1, 2, 3)), teal);

    const int32_t rows[][3] = {{1, 2, 3}, {4, 5, 6}};
    widget.SetColorsRGB(rows, 2);
    EXPECT_THAT(widget.mColors, ElementsAre(Color(1, 2, 3, 255), Color(4, 5, 6, 255)));
}

TEST_F(WidgetTreeTest, CountDigits) {
    const std::pair<int32_t, int32_t> cases[] = {{0, 1}, {9, 1}, {10, 2}, {99, 2}, {100, 3}, {INT_MAX, 10}};
    LoggingWidget& widget = Add("w", 0, 0, 10, 10);
    for (const auto& [number, digits] : cases)
        EXPECT_EQ(widget.CountDigits(number), digits) << number;
}

TEST_F(WidgetTreeTest, DrawNumberFromStripShowsOneCellPerDigit) {
    LoggingWidget& widget = Add("w", 0, 0, 10, 10);
    Kavo::Image strip; // ten cells of 10 x 12
    strip.mWidth = 100;
    strip.mHeight = 12;
    Graphics g(&mScreen);

    widget.DrawNumberFromStrip(&g, 0, 5, 7, &strip, 2);
    EXPECT_THAT(mScreen.mCalls, ElementsAre("Blt 5,7 [0,0,10,12] (255,255,255,255) m0"));

    mScreen.mCalls.clear();
    widget.DrawNumberFromStrip(&g, 120, 5, 7, &strip, 2);
    EXPECT_THAT(mScreen.mCalls,
                ElementsAre("Blt 5,7 [10,0,10,12] (255,255,255,255) m0", "Blt 17,7 [20,0,10,12] (255,255,255,255) m0",
                            "Blt 29,7 [0,0,10,12] (255,255,255,255) m0"));

    mScreen.mCalls.clear();
    widget.DrawNumberFromStrip(&g, -4, 5, 7, &strip, 2);
    EXPECT_TRUE(mScreen.mCalls.empty());
}

TEST_F(WidgetTreeTest, TabMovesTheFocusAlongItsLinks) {
    LoggingWidget& first = Add("first", 0, 0, 10, 10);
    LoggingWidget& second = Add("second", 20, 0, 10, 10);
    first.mTabNext = &second;
    second.mTabPrev = &first;
    mManager.SetFocus(&first);

    // Shift+Tab without a previous link keeps the focus.
    mManager.KeyDown(Kavo::WidgetManager::KEYCODE_SHIFT);
    mManager.KeyDown(Kavo::WidgetManager::KEYCODE_TAB);
    EXPECT_EQ(mManager.mFocusWidget, &first);
    mManager.KeyUp(Kavo::WidgetManager::KEYCODE_TAB);
    mManager.KeyUp(Kavo::WidgetManager::KEYCODE_SHIFT);

    mManager.KeyDown(Kavo::WidgetManager::KEYCODE_TAB);
    EXPECT_EQ(mManager.mFocusWidget, &second);
    EXPECT_FALSE(first.mHasFocus);
    EXPECT_TRUE(second.mHasFocus);
    mManager.KeyDown(Kavo::WidgetManager::KEYCODE_SHIFT);
    mManager.KeyDown(Kavo::WidgetManager::KEYCODE_TAB);
    EXPECT_EQ(mManager.mFocusWidget, &first);
}

} // namespace
} // namespace widget_test
