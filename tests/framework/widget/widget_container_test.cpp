// The tree: z-order, updates that change the tree, dirty marking, visibility.
#include <algorithm>

#include "tests/framework/widget/widget_fixture.h"

namespace widget_test {
namespace {

using Kavo::IntRect;
using Kavo::WidgetContainer;
using ::testing::ElementsAre;

std::vector<std::string> Order(const WidgetContainer& container) {
    std::vector<std::string> names;
    for (const Widget* widget : container.GetWidgets())
        names.push_back(std::to_string(widget->mZOrder) + ":" + std::to_string(widget->mX));
    return names;
}

TEST_F(WidgetTreeTest, ZOrderKeepsEqualKeysInArrivalOrderAndNeverPassesALowerKey) {
    auto make = [&](int32_t z, int32_t tag) -> LoggingWidget& {
        mWidgets.push_back(std::make_unique<LoggingWidget>("w", &mLog));
        mWidgets.back()->mZOrder = z;
        mWidgets.back()->mX = tag;
        mManager.AddWidget(mWidgets.back().get());
        return *mWidgets.back();
    };
    LoggingWidget& low = make(0, 1);
    LoggingWidget& a = make(5, 2);
    make(5, 3);
    make(9, 4);
    LoggingWidget& e = make(5, 5); // equal key: above the other fives, below the nine
    EXPECT_THAT(Order(mManager), ElementsAre("0:1", "5:2", "5:3", "5:5", "9:4"));

    mManager.BringToBack(&e);
    EXPECT_THAT(Order(mManager), ElementsAre("0:1", "5:5", "5:2", "5:3", "9:4"));
    mManager.BringToFront(&e);
    EXPECT_THAT(Order(mManager), ElementsAre("0:1", "5:2", "5:3", "5:5", "9:4"));
    mManager.PutBehind(&e, &a);
    EXPECT_THAT(Order(mManager), ElementsAre("0:1", "5:5", "5:2", "5:3", "9:4"));
    mManager.PutInFront(&e, &a);
    EXPECT_THAT(Order(mManager), ElementsAre("0:1", "5:2", "5:5", "5:3", "9:4"));
    // The key wins over the reference: a five never goes above the nine.
    mManager.PutInFront(&a, mManager.GetWidgets().back());
    EXPECT_THAT(Order(mManager), ElementsAre("0:1", "5:5", "5:3", "5:2", "9:4"));
    EXPECT_TRUE(mManager.IsBelow(&low, &a));
    EXPECT_FALSE(mManager.IsBelow(&a, &e));
}

TEST_F(WidgetTreeTest, RectsOverlapOnlyWhenTheyShareAPixel) {
    struct Case {
        IntRect b;
        bool overlap;
    } cases[] = {
        {{10, 0, 5, 5}, false},  // touches the right edge
        {{0, 10, 5, 5}, false},  // touches the bottom edge
        {{-5, 0, 5, 5}, false},  // touches the left edge
        {{9, 9, 5, 5}, true},    // one shared corner pixel
        {{2, 2, 1, 1}, true},    // inside
        {{20, 20, 5, 5}, false}, // apart
    };
    for (const Case& c : cases)
        EXPECT_EQ(WidgetContainer::RectsOverlap(IntRect(0, 0, 10, 10), c.b), c.overlap)
            << c.b.mX << "," << c.b.mY << "," << c.b.mWidth << "," << c.b.mHeight;
}

TEST_F(WidgetTreeTest, UpdatesThatChangeTheTreeNeitherSkipNorRepeatASibling) {
    LoggingWidget& a = Add("a", 0, 0, 10, 10);
    LoggingWidget& b = Add("b", 0, 0, 10, 10);
    LoggingWidget& c = Add("c", 0, 0, 10, 10);
    LoggingWidget& d = Add("d", 0, 0, 10, 10);
    LoggingWidget& e = Add("e", 0, 0, 10, 10);
    b.mOnUpdate = [&] { mManager.RemoveWidget(&b); }; // itself
    c.mOnUpdate = [&] { mManager.RemoveWidget(&d); }; // the sibling after it
    // Moved to the top while updating: reached again, updated once.
    e.mOnUpdate = [&] { mManager.BringToFront(&a); };
    a.mOnUpdate = [&] { mManager.BringToFront(&a); };
    TakeLog();

    mManager.UpdateFrame();
    EventLog log = TakeLog();
    log.erase(std::remove_if(log.begin(), log.end(),
                             [](const std::string& l) { return l.find("Update") == std::string::npos; }),
              log.end());
    EXPECT_THAT(log, ElementsAre("a Update", "b Update", "c Update", "e Update"));
    EXPECT_THAT(mManager.GetWidgets(), ElementsAre(&c, &e, &a));
    EXPECT_EQ(a.mUpdateCnt, 1);
}

TEST_F(WidgetTreeTest, HidingMarksBeneathUpToAnOpaqueCover) {
    LoggingWidget& floor = Add("floor", 0, 0, 640, 480);
    LoggingWidget& cover = Add("cover", 100, 100, 200, 200);
    LoggingWidget& pane = Add("pane", 150, 150, 50, 50);
    pane.mHasTransparencies = true;
    mManager.DrawScreen();
    ASSERT_FALSE(floor.mDirty || cover.mDirty || pane.mDirty);

    pane.SetVisible(false);
    EXPECT_TRUE(cover.mDirty);
    EXPECT_FALSE(floor.mDirty) << "the cover hides the floor completely";
    EXPECT_TRUE(mManager.mDirty);

    // A cover with alpha does not stop the walk.
    mManager.DrawScreen();
    cover.mHasAlpha = true;
    pane.SetVisible(true);
    mManager.DrawScreen();
    pane.SetVisible(false);
    EXPECT_TRUE(cover.mDirty);
    EXPECT_TRUE(floor.mDirty);
}

TEST_F(WidgetTreeTest, AnInvisibleChildIsUpdatedButNeitherDrawnNorHit) {
    LoggingWidget& parent = Add("parent", 100, 100, 200, 200);
    LoggingWidget& child = Add("child", 10, 10, 50, 50, &parent);
    LoggingWidget& grandchild = Add("grandchild", 0, 0, 20, 20, &child);
    child.SetVisible(false);
    TakeLog();

    mManager.UpdateFrame();
    mManager.MarkAllDirty();
    mManager.DrawScreen();
    mManager.MouseDown(115, 115, 1);
    EXPECT_THAT(TakeLog(), ElementsAre("parent Update", "child Update", "grandchild Update", "parent Draw",
                                       "parent Enter", "parent Move 15 15", "parent Down 15 15 1"));
    (void)grandchild;
}

} // namespace
} // namespace widget_test
