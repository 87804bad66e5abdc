// Scroll bar: the value range, the thumb, paging and arrow auto-repeat.
#include <cmath>

#include "framework/widget/scroll_listener.h"
#include "framework/widget/scrollbar_widget.h"
#include "tests/framework/widget/widget_fixture.h"

namespace widget_test {
namespace {

using Kavo::ScrollbarWidget;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// Every reported value with the number of updates run before it.
class ScrollRecorder : public Kavo::ScrollListener {
public:
    int32_t mUpdates = 0;
    std::vector<std::pair<int32_t, double>> mReports;
    void ScrollPosition(int32_t, double value) override { mReports.emplace_back(mUpdates, value); }
};

class ScrollbarTest : public WidgetTreeTest {
protected:
    ScrollbarTest() {
        // Vertical, 20 wide and 200 high: arrows of 20, a track of 160.
        mBar.ResizeScrollbar(0, 0, 20, 200);
        mManager.AddWidget(&mBar);
    }

    void Updates(int32_t count) {
        for (int32_t i = 0; i < count; ++i) {
            ++mRecorder.mUpdates;
            mManager.UpdateFrame();
        }
    }

    ScrollRecorder mRecorder;
    ScrollbarWidget mBar{5, &mRecorder};
};

TEST_F(ScrollbarTest, ValueRangeThumbAndEnabledStateFollowMaxAndPage) {
    struct Case {
        double max, page, setValue;
        double value;
        int32_t thumb;
        bool disabled;
    } cases[] = {
        {10, 4, 9, 6, 64, false},   // trunc(160 x 0.4 + 0.5)
        {10, 4, -3, 0, 64, false},  //
        {100, 1, 50, 50, 8, false}, // 1.6 rounds to 2, raised to the minimum
        {10, 10, 3, 0, 160, true},  // the page shows everything
        {10, 12, 3, 0, 0, true},    //
        {0, 0, 0, 0, 0, true},      // nothing at all: no thumb, no 0 / 0
    };
    for (const Case& c : cases) {
        mBar.SetMaxValue(c.max);
        mBar.SetPageSize(c.page);
        mBar.SetValue(c.setValue);
        EXPECT_EQ(mBar.mValue, c.value) << c.max << " " << c.page;
        EXPECT_EQ(mBar.GetThumbSize(), c.thumb) << c.max << " " << c.page;
        EXPECT_EQ(mBar.mDisabled, c.disabled) << c.max << " " << c.page;
        EXPECT_EQ(mBar.mUpButton->mDisabled, c.disabled);
        EXPECT_EQ(mBar.mDownButton->mDisabled, c.disabled);
        EXPECT_EQ(mBar.GetThumbPosition(),
                  c.disabled ? 20 : static_cast<int32_t>((160 - c.thumb) * c.value / (c.max - c.page) + 0.5) + 20);
    }
}

TEST_F(ScrollbarTest, InvisibleIfNoScrollHidesTheBarAndArrowsUntilThereIsSomethingToScroll) {
    mBar.SetInvisIfNoScroll(true);
    EXPECT_FALSE(mBar.mVisible);
    mBar.SetPageSize(10);
    mBar.SetMaxValue(10);
    EXPECT_FALSE(mBar.mVisible || mBar.mUpButton->mVisible || mBar.mDownButton->mVisible);
    mBar.SetMaxValue(20);
    EXPECT_TRUE(mBar.mVisible && mBar.mUpButton->mVisible && mBar.mDownButton->mVisible);
    EXPECT_FALSE(mBar.mDisabled);
}

TEST_F(ScrollbarTest, SetValueReportsEvenAnUnchangedValueAndAClampOnce) {
    mBar.SetMaxValue(10);
    mBar.SetPageSize(4);
    mRecorder.mReports.clear();
    mBar.SetValue(0);
    mBar.SetValue(0);
    mBar.SetValue(8); // clamped to 6: the clamp reports, then SetValue itself
    EXPECT_THAT(mRecorder.mReports,
                ElementsAre(std::pair(0, 0.0), std::pair(0, 0.0), std::pair(0, 6.0), std::pair(0, 6.0)));
}

TEST_F(ScrollbarTest, HoldingTheTrackPagesAtOnceThenAfter25ThenEvery5UntilTheThumbReachesTheMouse) {
    mBar.SetMaxValue(100);
    mBar.SetPageSize(10);
    mRecorder.mReports.clear();
    // The thumb (16 long) starts at 20; the mouse holds at 100, which the
    // thumb covers at value 50.
    Input({"down 10 100 1"});
    Updates(60);
    EXPECT_THAT(mRecorder.mReports, ElementsAre(std::pair(0, 10.0), std::pair(25, 20.0), std::pair(30, 30.0),
                                                std::pair(35, 40.0), std::pair(40, 50.0)));
    EXPECT_EQ(mBar.mUpdateMode, ScrollbarWidget::PAGING_NONE);

    // Backwards, released early: the release stops the paging.
    mRecorder.mReports.clear();
    Input({"up 10 100 1", "down 10 30 1"});
    Updates(24);
    Input({"up 10 30 1"});
    Updates(30);
    EXPECT_THAT(mRecorder.mReports, ElementsAre(std::pair(60, 40.0)));
}

TEST_F(ScrollbarTest, HoldingAnArrowStepsAtOnceThenEveryUpdateAfter25) {
    mBar.SetMaxValue(100);
    mBar.SetPageSize(10);
    mRecorder.mReports.clear();
    Input({"down 10 190 1"});
    Updates(28);
    Input({"up 10 190 1"});
    Updates(5);
    std::vector<std::pair<int32_t, double>> expected{{0, 1.0}};
    for (int32_t update = 25; update <= 28; ++update)
        expected.emplace_back(update, update - 23.0);
    EXPECT_THAT(mRecorder.mReports, ElementsAreArray(expected));

    Input({"down 10 10 1", "up 10 10 1"});
    EXPECT_EQ(mBar.mValue, 4.0);
}

TEST_F(ScrollbarTest, DraggingTheThumbPastTheEndHoldsTheValueAtMaxMinusPage) {
    mBar.SetMaxValue(10);
    mBar.SetPageSize(4);
    Input({"down 10 30 1", "drag 10 80"});
    // 50 pixels of the 96 the thumb can travel.
    EXPECT_DOUBLE_EQ(mBar.mValue, 50 * 6.0 / 96);
    Input({"drag 10 900", "up 10 900 1"});
    EXPECT_EQ(mBar.mValue, 6.0);
}

TEST_F(ScrollbarTest, AThumbThatFillsTheTrackLeavesTheValueAlone) {
    // A track of 4 pixels: the thumb's minimum of 8 is longer than the track.
    mBar.ResizeScrollbar(0, 0, 20, 44);
    mBar.SetMaxValue(10);
    mBar.SetPageSize(2);
    mBar.SetValue(3);
    mBar.SetThumbPosition(30);
    EXPECT_EQ(mBar.mValue, 3.0);
    EXPECT_TRUE(std::isfinite(mBar.mValue));
}

TEST_F(ScrollbarTest, DrawShowsThePagedSideDarkAndTheArrowsPointOutward) {
    mBar.SetMaxValue(10);
    mBar.SetPageSize(4);
    Input({"down 10 150 1"}); // pages forward to 4: the thumb at 20 + 64
    mManager.MarkAllDirty();
    mManager.DrawScreen();
    const auto& calls = mScreen.mCalls;
    ASSERT_GE(calls.size(), 12u);
    EXPECT_EQ(calls[0], "FillRect [0,0,20,84] (232,232,232,255) m0");
    EXPECT_EQ(calls[1], "FillRect [0,84,20,64] (212,212,212,255) m0");
    EXPECT_EQ(calls[8], "FillRect [0,148,20,52] (48,48,48,255) m0");
    // The up arrow's narrowest stroke is on top, the down arrow's at the bottom.
    auto has = [&](const std::string& call) { return std::find(calls.begin(), calls.end(), call) != calls.end(); };
    EXPECT_TRUE(has("FillRect [9,8,1,1] (0,0,0,255) m0"));
    EXPECT_TRUE(has("FillRect [6,11,7,1] (0,0,0,255) m0"));
    EXPECT_TRUE(has("FillRect [9,191,1,1] (0,0,0,255) m0"));
    EXPECT_TRUE(has("FillRect [6,188,7,1] (0,0,0,255) m0"));
}

} // namespace
} // namespace widget_test
