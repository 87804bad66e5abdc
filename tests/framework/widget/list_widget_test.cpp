// List widget: chained columns, the hilite under the mouse and the guards
// around indices and line heights.
#include "framework/widget/list_listener.h"
#include "framework/widget/list_widget.h"
#include "framework/widget/scrollbar_widget.h"
#include "tests/framework/widget/widget_fixture.h"

namespace widget_test {
namespace {

using Kavo::ListWidget;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ListRecorder : public Kavo::ListListener {
public:
    EventLog mLog;
    void ListClicked(int32_t id, int32_t line, int32_t count) override {
        mLog.push_back("Clicked " + std::to_string(id) + " " + std::to_string(line) + " " + std::to_string(count));
    }
    void ListHiliteChanged(int32_t id, int32_t oldLine, int32_t newLine) override {
        mLog.push_back("Hilite " + std::to_string(id) + " " + std::to_string(oldLine) + " " + std::to_string(newLine));
    }
    void ListClosed(int32_t id) override { mLog.push_back("Closed " + std::to_string(id)); }
};

class ListTest : public WidgetTreeTest {
protected:
    ListTest() {
        // Two columns side by side, lines 20 high.
        mLeft.mNextList = &mRight;
        mRight.mPrevList = &mLeft;
        mLeft.Resize(0, 0, 100, 108);
        mRight.Resize(100, 0, 100, 108);
        mManager.AddWidget(&mLeft);
        mManager.AddWidget(&mRight);
    }

    static std::vector<std::string> Lines(const ListWidget& list) { return list.mLines; }

    Kavo::FakeFont mFont{10, 20, 16};
    ListRecorder mRecorder;
    ListWidget mLeft{1, &mFont, &mRecorder};
    ListWidget mRight{2, &mFont, &mRecorder};
};

TEST_F(ListTest, LineOperationsKeepTheColumnsOfAChainAligned) {
    mRight.AddLine("x", false);
    mLeft.AddLine("b", false);
    mLeft.AddLine("a", true);
    // Sorted: after the placeholder "-", which sorts before letters.
    EXPECT_THAT(Lines(mLeft), ElementsAre("-", "a", "b"));
    EXPECT_THAT(Lines(mRight), ElementsAre("x", "-", "-"));

    mLeft.SetLineColor(1, Kavo::Color(1, 2, 3, 255));
    EXPECT_EQ(mRight.mLineColors[1], Kavo::Color(1, 2, 3, 255));
    mRight.RemoveLine(0);
    EXPECT_THAT(Lines(mLeft), ElementsAre("a", "b"));
    EXPECT_THAT(Lines(mRight), ElementsAre("-", "-"));
    EXPECT_EQ(mLeft.mLineColors[0], Kavo::Color(1, 2, 3, 255));
    mLeft.SetSelect(1);
    EXPECT_EQ(mRight.mSelectIdx, 1);
    mRight.RemoveAll();
    EXPECT_THAT(Lines(mLeft), IsEmpty());
    EXPECT_EQ(mLeft.mSelectIdx, -1);
}

TEST_F(ListTest, ASortedLineGoesBeforeTheFirstLineThatSortsAfterIt) {
    // Filled unsorted: a halving search would look past "m" and land at 2.
    for (const char* line : {"m", "a", "z"})
        mLeft.AddLine(line, false);
    EXPECT_EQ(mLeft.AddLine("b", true), 0);
    // An equal line does not stop the search, nor does a smaller one after it.
    EXPECT_EQ(mLeft.AddLine("m", true), 3);
    EXPECT_EQ(mLeft.AddLine("zz", true), 5);
    EXPECT_THAT(Lines(mLeft), ElementsAre("b", "m", "a", "m", "z", "zz"));
    EXPECT_THAT(Lines(mRight), ElementsAre("-", "-", "-", "-", "-", "-"));
}

TEST_F(ListTest, SortingByTheFirstColumnKeepsTheRowsInStep) {
    for (const auto& [name, score] : std::vector<std::pair<std::string, std::string>>{
             {"carol", "3"}, {"alice", "1"}, {"\xC0nna", "4"}, {"bob", "2"}}) {
        const int32_t row = mLeft.AddLine(name, false);
        mRight.SetLine(row, score);
    }
    mLeft.Sort(true);
    // Bytes compare unsigned: the Cyrillic letter sorts after the Latin ones.
    EXPECT_THAT(Lines(mLeft), ElementsAre("alice", "bob", "carol", "\xC0nna"));
    EXPECT_THAT(Lines(mRight), ElementsAre("1", "2", "3", "4"));
    mLeft.Sort(false);
    EXPECT_THAT(Lines(mRight), ElementsAre("4", "3", "2", "1"));

    // Padded keys order numbers by value; the second column's key decides ties.
    mLeft.RemoveAll();
    for (const auto& [count, name] :
         std::vector<std::pair<std::string, std::string>>{{"10", "b"}, {"9", "z"}, {"10", "a"}}) {
        mRight.SetLine(mLeft.AddLine(count, false), name);
    }
    mLeft.mMaxNumericPlaces = 3;
    mLeft.Sort(true);
    EXPECT_THAT(Lines(mLeft), ElementsAre("9", "10", "10"));
    EXPECT_THAT(Lines(mRight), ElementsAre("z", "a", "b"));
}

TEST_F(ListTest, HiliteFollowsTheMouseAndIsClearedOnceBelowTheLastLine) {
    mLeft.AddLine("one", false);
    mLeft.AddLine("two", false);
    Input({"move 10 30", "down 10 30 1", "up 10 30 1", "move 10 90", "move 10 100", "exit"});
    EXPECT_THAT(mRecorder.mLog,
                ElementsAre("Hilite 1 -1 1", "Hilite 2 -1 1", "Clicked 1 1 1", "Hilite 1 1 -1", "Hilite 2 1 -1"));
    EXPECT_THAT(mHost->mCursorStates, ElementsAre(1, 0, 0));
}

TEST_F(ListTest, TheLineUnderThePointerCountsTheScrolledPosition) {
    for (int i = 0; i < 6; ++i)
        mLeft.AddLine(std::to_string(i), false);
    struct Case {
        double position;
        int32_t y;
        int32_t line;
    } cases[] = {{2.5, 4, 2}, {2.5, 14, 3}, {0, 4, 0}, {4.0, 44, -1}};
    for (const Case& c : cases) {
        mLeft.mPosition = c.position;
        mLeft.MouseMove(10, c.y);
        EXPECT_EQ(mLeft.mHiliteIdx, c.line) << c.position << " " << c.y;
    }
}

TEST_F(ListTest, OptimalSizeAndPageFollowTheLinesAndTheItemHeight) {
    EXPECT_EQ(mLeft.GetOptimalHeight(), 8);
    mLeft.AddLine("wide line", false);
    mLeft.AddLine("x", false);
    EXPECT_EQ(mLeft.GetOptimalHeight(), 48);
    EXPECT_EQ(mLeft.GetOptimalWidth(), 106);
    EXPECT_EQ(mLeft.mPageSize, 5.0); // (108 - 8) / 20

    Kavo::ScrollbarWidget bar(9, &mLeft);
    bar.ResizeScrollbar(200, 0, 20, 108);
    mLeft.mScrollbar = &bar;
    mLeft.Resize(0, 0, 100, 48);
    EXPECT_EQ(bar.mPageSize, 2.0);
    for (int i = 0; i < 8; ++i)
        mLeft.AddLine("more", false);
    EXPECT_EQ(bar.mMaxValue, 10.0);
    mLeft.MouseWheel(-1);
    EXPECT_EQ(mLeft.mPosition, 5.0);
    EXPECT_EQ(mRight.mPosition, 5.0); // passed along the chain
    mLeft.MouseWheel(1);
    EXPECT_EQ(mLeft.mPosition, 0.0);
    mLeft.mScrollbar = nullptr;
}

TEST_F(ListTest, IndicesOutOfRangeAndMissingLineHeightsAreIgnored) {
    mLeft.AddLine("only", false);
    mLeft.RemoveLine(5);
    mLeft.RemoveLine(-1);
    mLeft.SetLine(3, "x");
    mLeft.SetLine(-2, "x");
    mLeft.SetLineColor(7, Kavo::Color(1, 1, 1, 255));
    mLeft.SetColor("absent", Kavo::Color(1, 1, 1, 255));
    EXPECT_EQ(mLeft.GetStringAt(1), "");
    EXPECT_EQ(mLeft.GetStringAt(-1), "");
    EXPECT_THAT(Lines(mLeft), ElementsAre("only"));

    for (ListWidget* list : {new ListWidget(3, nullptr, nullptr), new ListWidget(4, &mFont, nullptr)}) {
        std::unique_ptr<ListWidget> owned(list);
        if (list->mFont != nullptr)
            list->mItemHeight = 0;
        list->AddLine("a", false);
        list->Resize(0, 0, 50, 50);
        list->MouseMove(5, 30);
        EXPECT_EQ(list->mHiliteIdx, -1);
        EXPECT_EQ(list->mPageSize, 1.0);
        EXPECT_EQ(list->GetOptimalHeight(), 8);
        Kavo::Graphics g(&mScreen);
        list->Draw(&g);
    }
}

TEST_F(ListTest, DrawPutsTheSelectionBandAndLineColoursInsideTheMargins) {
    mLeft.AddLine("a", false);
    mLeft.AddLine("b", false);
    mLeft.SetSelect(1);
    mLeft.mHiliteIdx = 0;
    Kavo::Graphics g(&mScreen);
    mLeft.Draw(&g);
    EXPECT_THAT(mScreen.mCalls,
                ElementsAre("FillRect [0,0,100,108] (255,255,255,255) m0", "FillRect [4,24,92,20] (0,0,128,255) m0",
                            "DrawRect [0,0,99,107] (255,255,255,255) m0"));
    ASSERT_EQ(mFont.mDrawn.size(), 2u);
    EXPECT_EQ(mFont.mDrawn[0].mColor, Kavo::Color(0, 192, 0, 255)); // hilited
    EXPECT_EQ(mFont.mDrawn[1].mColor, Kavo::Color(255, 255, 255, 255));
    EXPECT_EQ(mFont.mDrawn[1].mY, 40);
    EXPECT_EQ(mFont.mDrawn[1].mClip, Kavo::IntRect(0, 4, 100, 100));
}

TEST_F(ListTest, LeavingTheManagerTellsTheListener) {
    mManager.RemoveWidget(&mLeft);
    EXPECT_THAT(mRecorder.mLog, ElementsAre("Closed 1"));
}

} // namespace
} // namespace widget_test
