// Window procedures that destroy their window in reply, the driver mirror,
// the desktop's entry points and the thread that pumps desktop events.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <vector>

#include "platform/desktop_events.h"
#include "platform/headless/headless_platform.h"
#include "platform/threads.h"
#include "platform/window.h"

namespace {

using namespace platform;

MessageId gDestroyOn = kWmNull;
bool gDestroyedInReply = false;
bool gNestedDestroyResult = true;
std::vector<MessageId> gMessages;

LResult DestroyingProc(WindowHandle window, MessageId message, WParam wParam, LParam lParam) {
    gMessages.push_back(message);
    if (message == gDestroyOn && !gDestroyedInReply) {
        gDestroyedInReply = true;
        gNestedDestroyResult = DestroyWindow(window);
        return 0;
    }
    return DefWindowProc(window, message, wParam, lParam);
}

struct Lifetime : ::testing::Test {
    HeadlessPlatform headless;
    void SetUp() override {
        gDestroyOn = kWmNull;
        gDestroyedInReply = false;
        gNestedDestroyResult = true;
        gMessages.clear();
        ASSERT_TRUE(RegisterWindowClass({"Main", 0, DestroyingProc}));
    }
    static WindowHandle Make(std::uint32_t style = kWsPopup | kWsCaption) {
        return CreateWindow({"Main", "Title", style, 0, 100, 50, 400, 300, nullptr});
    }
};

// Each call of the window layer, with each message it sends, answered by a
// procedure that destroys the window. Under AddressSanitizer a read of the
// freed window after the reply fails the test.
TEST_F(Lifetime, DestroyedInReplyToEachMessageTheCallFails) {
    struct Case {
        const char* name;
        MessageId destroyOn;
        bool shownAndActive; // the window starts visible and active
        std::function<bool(WindowHandle&)> call;
    };
    const Case cases[] = {
        {"CreateWindow WM_CREATE", kWmCreate, false, [](WindowHandle& w) { return (w = Make()) != nullptr; }},
        {"CreateWindow visible WM_ACTIVATEAPP", kWmActivateApp, false,
         [](WindowHandle& w) { return (w = Make(kWsPopup | kWsVisible)) != nullptr; }},
        {"ShowWindow show WM_ACTIVATEAPP", kWmActivateApp, false,
         [](WindowHandle& w) { return ShowWindow(w, kSwShowNormal) || IsWindow(w); }},
        {"ShowWindow minimize WM_ACTIVATEAPP", kWmActivateApp, true,
         [](WindowHandle& w) { return ShowWindow(w, kSwMinimize); }},
        {"ShowWindow minimize WM_SIZE", kWmSize, true, [](WindowHandle& w) { return ShowWindow(w, kSwMinimize); }},
        {"ShowWindow maximize WM_SIZE", kWmSize, false, [](WindowHandle& w) { return ShowWindow(w, kSwMaximize); }},
        {"ShowWindow hide WM_ACTIVATEAPP", kWmActivateApp, true,
         [](WindowHandle& w) { return ShowWindow(w, kSwHide); }},
        {"MoveWindow WM_MOVE", kWmMove, false, [](WindowHandle& w) { return MoveWindow(w, 0, 0, 400, 300); }},
        {"MoveWindow WM_SIZE", kWmSize, false, [](WindowHandle& w) { return MoveWindow(w, 100, 50, 640, 480); }},
        {"SetForegroundWindow WM_ACTIVATEAPP", kWmActivateApp, false,
         [](WindowHandle& w) { return SetForegroundWindow(w); }},
        {"EnableWindow WM_ENABLE", kWmEnable, false, [](WindowHandle& w) { return EnableWindow(w, false); }},
        {"DesktopWindowMoved WM_MOVE", kWmMove, true, [](WindowHandle& w) { return DesktopWindowMoved(w, 5, 5); }},
        {"DesktopWindowResized WM_SIZE", kWmSize, true,
         [](WindowHandle& w) { return DesktopWindowResized(w, 320, 200); }},
        {"DesktopMinimized WM_ACTIVATEAPP", kWmActivateApp, true, [](WindowHandle& w) { return DesktopMinimized(w); }},
        {"DesktopMinimized WM_SIZE", kWmSize, true, [](WindowHandle& w) { return DesktopMinimized(w); }},
        {"DesktopRestored WM_SIZE", kWmSize, true, [](WindowHandle& w) { return DesktopRestored(w); }},
        {"DesktopMaximized WM_SIZE", kWmSize, true, [](WindowHandle& w) { return DesktopMaximized(w); }},
        {"DesktopActivated WM_ACTIVATEAPP", kWmActivateApp, false,
         [](WindowHandle& w) { return DesktopActivated(w, true); }},
        {"DesktopActivated WM_ACTIVATE", kWmActivate, false, [](WindowHandle& w) { return DesktopActivated(w, true); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetWindowSystem();
        ASSERT_TRUE(RegisterWindowClass({"Main", 0, DestroyingProc}));
        WindowHandle window = nullptr;
        if (c.destroyOn != kWmCreate && std::string_view(c.name).rfind("CreateWindow", 0) != 0) {
            window = Make();
            ASSERT_NE(window, nullptr);
            if (c.shownAndActive) {
                ShowWindow(window, kSwShowNormal);
                ASSERT_EQ(GetActiveWindow(), window);
            }
        }
        gDestroyOn = c.destroyOn;
        gDestroyedInReply = false;
        EXPECT_FALSE(c.call(window));
        gDestroyOn = kWmNull;
        EXPECT_TRUE(gDestroyedInReply); // the case reached the message it is about
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(GetActiveWindow(), nullptr);
        EXPECT_EQ(headless.Video().WindowCount(), 0u); // the driver was told
    }
}

TEST_F(Lifetime, DestroyFromItsOwnDestroyFailsOnceAndSendsOneDestroy) {
    WindowHandle window = Make();
    gDestroyOn = kWmDestroy;
    EXPECT_TRUE(DestroyWindow(window));
    EXPECT_TRUE(gDestroyedInReply);
    EXPECT_FALSE(gNestedDestroyResult);
    EXPECT_EQ(std::count(gMessages.begin(), gMessages.end(), kWmDestroy), 1);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(DestroyWindow(window));
}

TEST_F(Lifetime, TopLevelWindowsAreMirroredToTheVideoDriver) {
    HeadlessVideoDriver& video = headless.Video();
    WindowHandle window = Make(kWsPopup);
    ASSERT_NE(window, nullptr);
    auto mirror = video.Window(window);
    ASSERT_TRUE(mirror);
    EXPECT_EQ(mirror->mirror.title, "Title");
    EXPECT_EQ(mirror->mirror.client, (Rect{100, 50, 500, 350}));
    EXPECT_EQ(mirror->mirror.show, WindowShowState::Hidden);

    ShowWindow(window, kSwMaximize);
    EXPECT_EQ(video.Window(window)->mirror.show, WindowShowState::Maximized);
    ShowWindow(window, kSwRestore);
    MoveWindow(window, 10, 20, 640, 480);
    SetWindowTitle(window, "Other");
    mirror = video.Window(window);
    EXPECT_EQ(mirror->mirror.client, (Rect{10, 20, 650, 500}));
    EXPECT_EQ(mirror->mirror.title, "Other");
    EXPECT_EQ(mirror->mirror.show, WindowShowState::Normal);

    WindowHandle child = CreateWindow({"Main", "", kWsChild, 0, 0, 0, 10, 10, window});
    ASSERT_NE(child, nullptr);
    EXPECT_FALSE(video.Window(child)); // only top-level windows are the desktop's
    EXPECT_EQ(video.WindowCount(), 1u);
    DestroyWindow(window);
    EXPECT_EQ(video.WindowCount(), 0u);
}

TEST_F(Lifetime, DesktopChangesSendMessagesWithoutEchoingToTheDriver) {
    HeadlessVideoDriver& video = headless.Video();
    WindowHandle window = Make(kWsPopup);
    ShowWindow(window, kSwShowNormal);
    const auto before = video.Window(window);
    gMessages.clear();

    ASSERT_TRUE(DesktopWindowResized(window, 640, 480));
    ASSERT_TRUE(DesktopWindowMoved(window, 30, 40));
    EXPECT_EQ(GetClientRect(window), (Rect{0, 0, 640, 480}));
    EXPECT_EQ(ClientToScreen(window, {0, 0}), (Point{30, 40}));
    ASSERT_TRUE(DesktopMinimized(window));
    EXPECT_TRUE(IsIconic(window));
    EXPECT_EQ(GetActiveWindow(), nullptr);
    ASSERT_TRUE(DesktopRestored(window));
    ASSERT_TRUE(DesktopActivated(window, true));
    EXPECT_EQ(GetActiveWindow(), window);
    EXPECT_EQ(gMessages, (std::vector<MessageId>{kWmSize, kWmMove, kWmActivateApp, kWmSize, kWmSize, kWmActivateApp,
                                                 kWmActivate}));

    const auto after = video.Window(window);
    ASSERT_TRUE(after);
    EXPECT_EQ(after->mirror.client, before->mirror.client); // the driver heard nothing back
    EXPECT_EQ(after->mirror.show, before->mirror.show);

    EXPECT_TRUE(DesktopCloseRequested(window)); // the default handling destroys it
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(video.WindowCount(), 0u);
    EXPECT_FALSE(DesktopCloseRequested(window));
}

TEST_F(Lifetime, DesktopEventsArePumpedOnlyOnTheMainWindowsThread) {
    HeadlessVideoDriver& video = headless.Video();
    Message m;
    PeekMessage(m);
    EXPECT_EQ(video.PumpCount(), 0); // no main window yet
    ASSERT_NE(Make(), nullptr);
    PeekMessage(m);
    EXPECT_EQ(video.PumpCount(), 1);
    Thread other;
    ASSERT_TRUE(other.Start([] {
        Message ignored;
        PeekMessage(ignored);
    }));
    other.Join();
    EXPECT_EQ(video.PumpCount(), 1);
}

} // namespace
