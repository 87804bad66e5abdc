// The manager: mouse routing, modal state, keys, overlays and the mapping of
// window positions.
#include <algorithm>

#include "tests/framework/widget/widget_fixture.h"

namespace widget_test {
namespace {

using Kavo::FlagsMod;
using Kavo::IntRect;
using Kavo::WidgetManager;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

const FlagsMod kModal{0, Kavo::WIDGETFLAGS_ALLOW_MOUSE | Kavo::WIDGETFLAGS_ALLOW_FOCUS};

TEST_F(WidgetTreeTest, DefaultsAndResize) {
    EXPECT_EQ(mManager.mDefaultFlags, 61);
    EXPECT_EQ(mManager.mDefaultModalFlags, kModal);
    EXPECT_EQ(kModal.mRemoveFlags, 48);
    mManager.Resize(IntRect(16, 12, 800, 600), IntRect(0, 0, 832, 624));
    EXPECT_EQ(mManager.mWidth, 832);
    EXPECT_EQ(mManager.mHeight, 624);
}

TEST_F(WidgetTreeTest, RemapMouseTruncatesTowardZero) {
    mManager.Resize(IntRect(0, 0, 640, 480), IntRect(10, 20, 1280, 960));
    struct Case {
        int32_t x, y, wantX, wantY;
    } cases[] = {
        {10, 20, 0, 0},        {13, 23, 1, 1}, // 3 * 640 / 1280 = 1.5 -> 1
        {9, 19, 0, 0},                         // -1 * 640 / 1280 = -0.5 -> 0, not -1
        {7, 16, -1, -2},                       // -3 / 2 = -1.5 -> -1; -4 / 2 -> -2
        {1290, 980, 640, 480},
    };
    for (const Case& c : cases) {
        int32_t x = c.x;
        int32_t y = c.y;
        mManager.RemapMouse(x, y);
        EXPECT_EQ(x, c.wantX) << c.x;
        EXPECT_EQ(y, c.wantY) << c.y;
    }
}

// Input sequences on a panel at (100, 100) holding a button at (10, 10) and
// a sibling target at (300, 100); each row gives the log it must produce.
TEST_F(WidgetTreeTest, MouseRoutingSequences) {
    struct Case {
        const char* what;
        std::vector<std::string> input;
        EventLog log;
    } cases[] = {
        {"move in, within, out",
         {"move 115 115", "move 116 117", "move 116 117", "move 5 5"},
         {"button Enter", "button Move 5 5", "button Move 6 7", "button Leave"}},
        {"release outside reaches the pressed widget in its own coordinates",
         {"down 115 115 1", "drag 400 300", "up 400 300 1"},
         {"button Enter", "button Move 5 5", "button Down 5 5 1", "button Drag 290 190", "button Leave",
          "button Up 290 190 1", "target Enter", "target Move 100 200"}},
        {"the pressed widget is under the mouse only while the mouse is over it",
         {"down 115 115 1", "drag 400 300", "drag 120 120", "up 120 120 1"},
         {"button Enter", "button Move 5 5", "button Down 5 5 1", "button Drag 290 190", "button Leave",
          "button Drag 10 10", "button Enter", "button Up 10 10 1"}},
        {"a second button while one is held goes to the holder",
         {"down 115 115 1", "drag 350 150", "down 350 150 -1", "up 350 150 1", "up 350 150 -1"},
         {"button Enter", "button Move 5 5", "button Down 5 5 1", "button Drag 240 40", "button Leave", "target Enter",
          "target Move 50 50", "button Down 240 40 -1", "button Up 240 40 1", "button Up 240 40 -1"}},
        {"leaving the window", {"move 115 115", "exit"}, {"button Enter", "button Move 5 5", "button Leave"}},
    };
    LoggingWidget& panel = Add("panel", 100, 100, 150, 150);
    panel.mMouseVisible = false;
    Add("button", 10, 10, 40, 20, &panel);
    Add("target", 300, 100, 200, 300);
    for (const Case& c : cases) {
        mManager.MouseExit();
        mManager.MousePosition(0, 0);
        TakeLog();
        Input(c.input);
        EXPECT_EQ(TakeLog(), c.log) << c.what;
        EXPECT_EQ(mManager.mDownWidget, nullptr) << c.what;
    }
}

TEST_F(WidgetTreeTest, DisabledWidgetIsNeverEnteredPressedOrFocused) {
    LoggingWidget& below = Add("below", 0, 0, 200, 200);
    LoggingWidget& top = Add("top", 50, 50, 50, 50);
    top.mWantsFocus = true;
    top.SetDisabled(true);
    TakeLog();
    Input({"move 60 60", "down 60 60 1", "up 60 60 1"});
    EXPECT_THAT(TakeLog(), IsEmpty());
    EXPECT_EQ(mManager.mFocusWidget, nullptr);
    // Enabled under the still mouse: entered at once.
    top.SetDisabled(false);
    EXPECT_THAT(TakeLog(), ElementsAre("top Enter", "top Move 10 10"));
    (void)below;
}

TEST_F(WidgetTreeTest, ModalDialogTakesMouseAndFocusFromTheWidgetsBeneath) {
    LoggingWidget& under = Add("under", 0, 0, 200, 200);
    under.mWantsFocus = true;
    Input({"down 20 20 1", "down 20 20 -1", "down 20 20 3"});
    ASSERT_EQ(mManager.mFocusWidget, &under);
    ASSERT_EQ(mManager.mDownButtons, 7);

    LoggingWidget& dialog = Add("dialog", 300, 300, 100, 100);
    TakeLog();
    mManager.AddModalWidget(&dialog, mManager.mDefaultModalFlags);
    EXPECT_THAT(TakeLog(), ElementsAre("under Leave", "under Up 20 20 1", "under Up 20 20 -1", "under Up 20 20 3",
                                       "under LostFocus"));
    EXPECT_EQ(mManager.mDownWidget, nullptr);
    EXPECT_EQ(mManager.mDownButtons, 0);

    // No mouse input any more; it still updates and draws.
    Input({"move 30 30", "down 30 30 1", "up 30 30 1"});
    mManager.UpdateFrame();
    mManager.MarkAllDirty();
    mManager.DrawScreen();
    EXPECT_THAT(TakeLog(), ElementsAre("under Update", "dialog Update", "under Draw", "dialog Draw"));

    // Removing the dialog gives the focus back.
    mManager.RemoveModalWidget(&dialog);
    EXPECT_THAT(TakeLog(), ElementsAre("under GotFocus"));
    Input({"move 31 31"});
    EXPECT_THAT(TakeLog(), ElementsAre("under Enter", "under Move 31 31"));
}

TEST_F(WidgetTreeTest, StackedModalsUnwind) {
    LoggingWidget& first = Add("first", 0, 0, 100, 100);
    LoggingWidget& second = Add("second", 200, 0, 100, 100);
    const FlagsMod firstMod{0, 16};
    const FlagsMod secondMod{0, 48};
    mManager.AddModalWidget(&first, firstMod);
    mManager.AddModalWidget(&second, secondMod);

    mManager.RemoveModalWidget(&first); // not the newest: nothing changes
    EXPECT_EQ(mManager.mBaseModalWidget, &second);
    EXPECT_EQ(mManager.mBelowModalFlagsMod, secondMod);

    mManager.RemoveModalWidget(&second);
    EXPECT_EQ(mManager.mBaseModalWidget, &first);
    EXPECT_EQ(mManager.mBelowModalFlagsMod, firstMod);
    mManager.RemoveModalWidget(&first);
    EXPECT_EQ(mManager.mBaseModalWidget, nullptr);
    EXPECT_EQ(mManager.mBelowModalFlagsMod, FlagsMod{});

    // A lower modal that left the tree meanwhile unwinds with the upper one.
    mManager.AddModalWidget(&first, firstMod);
    mManager.AddModalWidget(&second, secondMod);
    mManager.RemoveWidget(&first);
    mManager.RemoveModalWidget(&second);
    EXPECT_EQ(mManager.mBaseModalWidget, nullptr);
    EXPECT_EQ(mManager.mBelowModalFlagsMod, FlagsMod{});
    EXPECT_TRUE(mManager.mModalStack.empty());
}

TEST_F(WidgetTreeTest, LostFocusReleasesKeysLowestFirstButNoTabWithCtrl) {
    LoggingWidget& focus = Add("focus", 0, 0, 10, 10);
    mManager.SetFocus(&focus);
    for (int32_t key : {65, 9, 17, 16, 300})
        mManager.KeyDown(key);
    TakeLog();
    mManager.LostFocus();
    EXPECT_THAT(TakeLog(), ElementsAre("focus KeyUp 16", "focus KeyUp 17", "focus KeyUp 65", "focus LostFocus"));
    EXPECT_TRUE(std::none_of(std::begin(mManager.mKeyDown), std::end(mManager.mKeyDown), [](bool d) { return d; }));
    EXPECT_FALSE(mManager.mHasFocus);
    mManager.LostFocus(); // already inactive
    EXPECT_THAT(TakeLog(), IsEmpty());

    // Tab with Ctrl goes nowhere as a key-up or a character either.
    mManager.GotFocus();
    mManager.KeyDown(17);
    TakeLog();
    mManager.KeyUp(9);
    mManager.KeyChar('\t');
    EXPECT_THAT(TakeLog(), IsEmpty());
}

TEST_F(WidgetTreeTest, OverlaysDrawInPriorityOrderAroundTheWidgets) {
    LoggingWidget& five = Add("five", 0, 0, 10, 10);
    five.mOverlayPriority = 5;
    LoggingWidget& two = Add("two", 20, 0, 10, 10);
    two.mOverlayPriority = 2;
    LoggingWidget& three = Add("three", 40, 0, 10, 10);
    three.mPriority = 3; // drawn above the priority-2 overlay, below the 5
    TakeLog();
    EXPECT_TRUE(mManager.DrawScreen());
    EXPECT_THAT(TakeLog(), ElementsAre("five Draw", "two Draw", "two Overlay 2", "three Draw", "five Overlay 5"));
    EXPECT_TRUE(mManager.mDeferredOverlays.empty());
    EXPECT_FALSE(mManager.DrawScreen()) << "nothing dirty";
}

TEST_F(WidgetTreeTest, SendMouseUpsUsesTheWidgetsPositionInTheManager) {
    LoggingWidget& panel = Add("panel", 100, 100, 200, 200);
    LoggingWidget& child = Add("child", 10, 20, 50, 50, &panel);
    Input({"down 115 125 1"});
    mManager.mLastMouseX = 150;
    mManager.mLastMouseY = 160;
    TakeLog();
    mManager.ReleaseMouseCapture();
    EXPECT_THAT(TakeLog(), ElementsAre("child Up 40 40 1"));
    EXPECT_FALSE(child.mIsDown);
    EXPECT_EQ(mManager.mDownWidget, nullptr);
}

} // namespace
} // namespace widget_test
