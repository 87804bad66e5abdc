#include "platform/window.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/clock.h"
#include "platform/headless/headless_platform.h"
#include "platform/message_box.h"

namespace {

using namespace platform;

struct Seen {
    WindowHandle window;
    MessageId message;
    WParam wParam;
    LParam lParam;
};
std::vector<Seen> gSeen;

LResult RecordingProc(WindowHandle window, MessageId message, WParam wParam, LParam lParam) {
    gSeen.push_back({window, message, wParam, lParam});
    return DefWindowProc(window, message, wParam, lParam);
}

struct Windows : ::testing::Test {
    HeadlessPlatform headless;
    void SetUp() override {
        gSeen.clear();
        ASSERT_TRUE(RegisterWindowClass({"MainWindow", kCsDblClks, RecordingProc}));
    }
    WindowHandle Make(std::uint32_t style = kWsPopup, Rect r = {100, 50, 500, 350}) {
        return CreateWindow({"mainwindow", "Title", style, 0, r.left, r.top, r.Width(), r.Height(), nullptr});
    }
    std::vector<MessageId> DrainAndDispatch() {
        gSeen.clear();
        Message m;
        std::vector<MessageId> ids;
        while (PeekMessage(m)) {
            ids.push_back(m.message);
            DispatchMessage(m);
        }
        return ids;
    }
};

TEST_F(Windows, QueueKeepsPostOrderPeekWithoutRemoveAndSendIsDirect) {
    WindowHandle a = Make();
    WindowHandle b = Make();
    ASSERT_TRUE(a && b);
    gSeen.clear();
    PostMessage(a, kWmUser + 1, 1, 0);
    PostMessage(b, kWmUser + 2, 2, 0);
    PostMessage(a, kWmUser + 3, 3, 0);
    EXPECT_EQ(SendMessage(b, kWmUser + 9, 9, 0), 0);
    ASSERT_EQ(gSeen.size(), 1u); // sent at once, ahead of everything queued
    EXPECT_EQ(gSeen[0].message, kWmUser + 9u);

    Message m;
    ASSERT_TRUE(PeekMessage(m, nullptr, false));
    EXPECT_EQ(m.message, kWmUser + 1u);
    EXPECT_EQ(QueuedMessageCount(), 3u);
    ASSERT_TRUE(PeekMessage(m, b)); // filtered by window
    EXPECT_EQ(m.message, kWmUser + 2u);
    EXPECT_EQ(DrainAndDispatch(), (std::vector<MessageId>{kWmUser + 1, kWmUser + 3}));
    ASSERT_EQ(gSeen.size(), 2u);
    EXPECT_EQ(gSeen[0].window, a);
    EXPECT_EQ(gSeen[1].wParam, 3u);

    // Destroying a window drops its queued messages; a close destroys by default.
    PostMessage(a, kWmUser, 0, 0);
    PostMessage(b, kWmClose, 0, 0);
    DestroyWindow(a);
    EXPECT_FALSE(IsWindow(a));
    EXPECT_EQ(DrainAndDispatch(), (std::vector<MessageId>{kWmClose}));
    EXPECT_FALSE(IsWindow(b));
    EXPECT_FALSE(PostMessage(b, kWmUser, 0, 0));

    PostQuitMessage(3);
    ASSERT_TRUE(PeekMessage(m));
    EXPECT_EQ(m.message, kWmQuit);
    EXPECT_EQ(m.wParam, 3u);
    EXPECT_FALSE(PeekMessage(m));
}

TEST_F(Windows, TimerFiresOnTheVirtualClockWithoutPilingUp) {
    ScopedVirtualClock clock(1000);
    WindowHandle w = Make();
    ASSERT_TRUE(SetTimer(w, 100, 10));
    Message m;
    EXPECT_FALSE(PeekMessage(m)); // not due yet
    clock.Get().Advance(9);
    EXPECT_FALSE(PeekMessage(m));
    SleepMs(1); // a sleep moves virtual time: now due
    ASSERT_TRUE(PeekMessage(m));
    EXPECT_EQ(m.message, kWmTimer);
    EXPECT_EQ(m.window, w);
    EXPECT_EQ(m.wParam, 100u);
    EXPECT_FALSE(PeekMessage(m));

    // Posted messages come first; a long stall gives one timer message only.
    clock.Get().Advance(55);
    PostMessage(w, kWmUser, 0, 0);
    EXPECT_EQ(DrainAndDispatch(), (std::vector<MessageId>{kWmUser, kWmTimer}));
    ASSERT_EQ(gSeen.size(), 2u);
    EXPECT_EQ(gSeen[1].wParam, 100u);
    clock.Get().Advance(10);
    ASSERT_TRUE(KillTimer(w, 100));
    EXPECT_FALSE(PeekMessage(m));
}

TEST_F(Windows, TickWrapsAt32Bits) {
    ScopedVirtualClock clock(0xFFFFFFFFull - 4);
    WindowHandle w = Make();
    ASSERT_TRUE(SetTimer(w, 1, 10));
    EXPECT_EQ(GetTickMs(), 0xFFFFFFFBu);
    clock.Get().Advance(10);
    EXPECT_EQ(GetTickMs(), 5u);
    Message m;
    EXPECT_TRUE(PeekMessage(m)); // the timer survives the wrap
    EXPECT_EQ(m.message, kWmTimer);
}

TEST_F(Windows, ShowStatesPlacementAndClientOrigin) {
    const DisplayInfo display = headless.Desktop().GetDisplayInfo();
    const std::uint32_t style = kWsPopup | kWsCaption | kWsSysMenu | kWsMinimizeBox;
    const Rect outer = AdjustWindowRect({0, 0, 1024, 768}, style, 0);
    EXPECT_EQ(outer.Width(), 1024 + 2 * display.frameWidth);
    WindowHandle w = Make(style, {64, 64, 64 + outer.Width(), 64 + outer.Height()});
    EXPECT_FALSE(IsWindowVisible(w));
    EXPECT_EQ(GetClientRect(w), (Rect{0, 0, 1024, 768}));
    EXPECT_EQ(ClientToScreen(w, {0, 0}),
              (Point{64 + display.frameWidth, 64 + display.frameWidth + display.captionHeight}));

    gSeen.clear();
    ShowWindow(w, kSwShowNormal);
    EXPECT_EQ(GetActiveWindow(), w);
    ASSERT_FALSE(gSeen.empty());
    EXPECT_EQ(gSeen.back().message, kWmActivateApp);
    EXPECT_EQ(gSeen.back().wParam, 1u);

    gSeen.clear();
    ShowWindow(w, kSwMinimize);
    EXPECT_TRUE(IsIconic(w));
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetWindowPlacement(w).showCommand, kSwShowMinimized);
    ASSERT_EQ(gSeen.size(), 2u); // deactivation, then the size message
    EXPECT_EQ(gSeen[0].message, kWmActivateApp);
    EXPECT_EQ(gSeen[1].message, kWmSize);
    EXPECT_EQ(gSeen[1].wParam, kSizeMinimized);

    ShowWindow(w, kSwRestore);
    EXPECT_FALSE(IsIconic(w));
    EXPECT_EQ(GetWindowPlacement(w).showCommand, kSwShowNormal);
    EXPECT_EQ(GetWindowPlacement(w).normalRect.left, 64);

    gSeen.clear();
    MoveWindow(w, 10, 20, outer.Width(), outer.Height());
    ASSERT_EQ(gSeen.size(), 1u); // moved, not resized
    EXPECT_EQ(gSeen[0].message, kWmMove);
    EXPECT_EQ(LowSigned16(gSeen[0].lParam), 10 + display.frameWidth);

    int data = 7;
    SetWindowUserData(w, &data);
    EXPECT_EQ(GetWindowUserData(w), &data);
    EXPECT_EQ(WindowFromPoint({20, 30}), w);
}

TEST_F(Windows, InjectedInputCarriesTheSystemEncoding) {
    WindowHandle w = Make();
    ShowWindow(w, kSwShow);
    DrainAndDispatch();
    InjectMouse(w, kWmMouseMove, -5, 300);
    InjectMouse(w, kWmLButtonDown, 10, 20);
    InjectKey(w, kVkControl, true);
    InjectMouse(w, kWmRButtonDown, 10, 20);
    InjectKey(w, kVkMenu, true);
    // (F5: Alt+F4 would close the window.)
    InjectKey(w, kVkF1 + 4, true);
    InjectKey(w, kVkF1 + 4, false);
    InjectMouseWheel(w, 1, 2, -kWheelDelta);
    InjectChar(w, 0xE0);
    struct Expect {
        MessageId message;
        WParam wParam;
        LParam lParam;
    };
    const LParam up = static_cast<LParam>(static_cast<std::int32_t>(0xC0000001u));
    const Expect expected[] = {
        {kWmMouseMove, 0, MakeLParam(-5, 300)},
        {kWmLButtonDown, kMkLButton, MakeLParam(10, 20)},
        {kWmKeyDown, kVkControl, 1},
        {kWmRButtonDown, kMkLButton | kMkRButton | kMkControl, MakeLParam(10, 20)},
        {kWmSysKeyDown, kVkMenu, 1},
        {kWmSysKeyDown, kVkF1 + 4, 1},
        {kWmSysKeyUp, kVkF1 + 4, up}, // previous state down, transition up
        {kWmMouseWheel, MakeWheelWParam(-120, kMkLButton | kMkRButton | kMkControl), MakeLParam(101, 52)},
        {kWmChar, 0xE0, 1},
    };
    DrainAndDispatch();
    Message m;
    EXPECT_FALSE(PeekMessage(m));
    ASSERT_EQ(gSeen.size(), std::size(expected));
    for (std::size_t i = 0; i < gSeen.size(); ++i) {
        EXPECT_EQ(gSeen[i].message, expected[i].message) << i;
        EXPECT_EQ(gSeen[i].wParam, expected[i].wParam) << i;
        EXPECT_EQ(gSeen[i].lParam, expected[i].lParam) << i;
    }
    EXPECT_EQ(HighSigned16(static_cast<LParam>(gSeen[7].wParam)), -120);
    EXPECT_EQ(LowSigned16(gSeen[0].lParam), -5);
    EXPECT_TRUE(IsKeyDown(kVkControl));
}

TEST_F(Windows, DefaultHandlingClosesOnAltF4Only) {
    WindowHandle w = Make();
    EXPECT_EQ(SendMessage(w, kWmSysKeyDown, kVkF1 + 4, 0), 0);
    EXPECT_EQ(SendMessage(w, kWmSysKeyDown, 'X', 0), 0);
    EXPECT_TRUE(IsWindow(w));
    gSeen.clear();
    SendMessage(w, kWmSysKeyDown, kVkF4, 0);
    ASSERT_GE(gSeen.size(), 2u);
    EXPECT_EQ(gSeen[1].message, kWmClose);
    EXPECT_FALSE(IsWindow(w));
}

TEST_F(Windows, RegisteredMessagesAndCapture) {
    const MessageId notify = RegisterWindowMessage("NotifyApp");
    EXPECT_GE(notify, kFirstRegisteredMessage);
    EXPECT_EQ(RegisterWindowMessage("NOTIFYAPP"), notify);
    EXPECT_NE(RegisterWindowMessage("Other"), notify);
    WindowHandle a = Make();
    WindowHandle b = Make(kWsPopup, {600, 0, 700, 100});
    SetCapture(a);
    InjectMouse(b, kWmLButtonUp, 5, 5); // goes to the capturing window, in its coordinates
    Message m;
    ASSERT_TRUE(PeekMessage(m));
    EXPECT_EQ(m.window, a);
    EXPECT_EQ(LowSigned16(m.lParam), 505);
    PostMessage(kBroadcastWindow, notify, 0, 0);
    EXPECT_EQ(DrainAndDispatch(), (std::vector<MessageId>{notify, notify}));
}

TEST(MessageBox, ScriptedAnswersAndLog) {
    HeadlessPlatform headless;
    headless.Desktop().QueueMessageBoxAnswer(kIdRetry);
    headless.Desktop().QueueMessageBoxAnswer(kIdYes); // not a button of a Retry/Cancel box
    struct Case {
        std::uint32_t flags;
        int expected;
    };
    const Case cases[] = {
        {kMbRetryCancel | kMbIconWarning, kIdRetry},
        {kMbRetryCancel, kIdCancel},
        {kMbYesNo | kMbIconQuestion, kIdNo},
        {kMbOk | kMbIconError, kIdOk},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShowMessageBox(nullptr, "text", "caption", c.flags), c.expected);
    const auto log = headless.Desktop().MessageBoxLog();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].flags, kMbRetryCancel | kMbIconWarning);
    EXPECT_EQ(log[3].answer, kIdOk);
}

} // namespace
