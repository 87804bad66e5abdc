// The replay dialogs and playback keys, the mouse move forms and the web
// transfer event of a demo.
#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>

#include "app_test_environment.h"
#include "framework/app/demo_controls.h"
#include "framework/app/demo_hooks.h"
#include "framework/app/demo_jump_text.h"
#include "framework/app/demo_session.h"
#include "framework/app/http_transfer.h"
#include "framework/graphics/font.h"
#include "framework/graphics/memory_image.h"
#include "framework/widget/dialog.h"
#include "framework/widget/edit_widget.h"
#include "framework/widget/list_widget.h"
#include "loop_test_app.h"
#include "platform/messages.h"
#include "platform/registry.h"
#include "platform/window.h"

namespace app_test {
namespace {

TEST(DemoJumpText, MarkerLinesAndJumpTargets) {
    const auto entries = Kavo::MarkerListEntries({{"start", 50}, {"boss", 100}, {"end", 4700}}, 100, 370000, 10);
    ASSERT_EQ(entries.size(), 1u); // markers at or before the current update are behind
    EXPECT_EQ(entries[0].mText, "end (01:00:53)");
    EXPECT_EQ(entries[0].mUpdateCount, 4700);

    struct Case {
        std::string text;
        int32_t target;
    } cases[] = {
        {"1:30", 10000 - 91 * 100},
        {"5", 10000 - 6 * 100},
        {"", 10000 - 100},
        {"0:00:02", 10000 - 3 * 100},
        // Past the end of the demo there is nothing to reach.
        {"-100", 10000},
        // Long and huge texts neither overflow nor read past their bound.
        {std::string(600, '9'), std::numeric_limits<int32_t>::min()},
        {std::string(499, '0') + "7", 10000 - 8 * 100},
        {std::string(500, '0') + "7", 10000 - 100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Kavo::JumpTargetUpdate(c.text, 10000, 10), c.target) << c.text.substr(0, 20);
}

class DemoControlsTest : public AppTestEnvironment {
protected:
    // An initialised application that plays a demo of 1000 updates, now at update 100.
    std::unique_ptr<LoopApp> PlayingApp() {
        auto app = std::make_unique<LoopApp>(WorkFolder());
        app->mCmdLineParsed = true;
        app->Initialize();
        auto session = std::make_unique<Kavo::DemoSession>(*app);
        session->mMarkers = {{"intro", 20}, {"level 2", 300}, {"boss", 700}};
        mSession = session.get();
        app->SetDemoRecorder(std::move(session));
        app->mPlayingDemo = true;
        app->mDemoLength = 1000;
        app->mUpdateCount = 100;
        return app;
    }
    void Post(LoopApp& app, platform::MessageId message, platform::WParam wParam, platform::LParam lParam = 0) {
        platform::PostMessage(app.mHWnd, message, wParam, lParam);
        // Messages are taken every other step or so.
        for (int i = 0; i < 3; ++i)
            app.RunLoopStep(nullptr);
    }
    Kavo::DemoSession* mSession = nullptr;
};

TEST_F(DemoControlsTest, MarkerListJumpsToADoubleClickedMarkerAndHoldsTheReplayMeanwhile) {
    auto app = PlayingApp();
    Post(*app, platform::kWmChar, 'l');
    Kavo::DemoControls* controls = mSession->Controls();
    ASSERT_NE(controls, nullptr);
    ASSERT_TRUE(mSession->ControlsOpen());
    Kavo::ListWidget* list = controls->GetMarkerList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->mLines, (std::vector<std::string>{"level 2 (00:00:07)", "boss (00:00:03)"}));

    // The replay does not advance and the playback keys are the dialog's.
    RunFor(*app, 200);
    Post(*app, platform::kWmChar, '9');
    EXPECT_EQ(app->mUpdateCount, 100);
    EXPECT_EQ(mSession->TargetUpdate(), 0);

    // The dialog is drawn over the (black) game area: its frame, then the list's light face.
    auto* screen = dynamic_cast<Kavo::MemoryImage*>(app->mWidgetManager->mImage);
    ASSERT_NE(screen, nullptr);
    auto pixel = [&](int x, int y) { return screen->GetBits()[y * screen->GetWidth() + x] & 0xFFFFFF; };
    EXPECT_NE(pixel(30, 30), 0u);
    EXPECT_GT(pixel(100, 100) & 0xFF, 0x80u);
    EXPECT_EQ(pixel(500, 400), 0u);

    // A double click on the second line, in window coordinates.
    const int32_t lineHeight = list->mFont->GetHeight();
    const int32_t x = controls->GetDialog()->mX + list->mX + 20;
    const int32_t y = controls->GetDialog()->mY + list->mY + Kavo::ListWidget::kMargin + lineHeight + lineHeight / 2;
    Post(*app, platform::kWmMouseMove, 0, platform::MakeLParam(x, y));
    Post(*app, platform::kWmLButtonDown, platform::kMkLButton, platform::MakeLParam(x, y));
    Post(*app, platform::kWmLButtonUp, 0, platform::MakeLParam(x, y));
    EXPECT_TRUE(mSession->ControlsOpen()); // a single click chooses nothing
    Post(*app, platform::kWmLButtonDblClk, platform::kMkLButton, platform::MakeLParam(x, y));
    EXPECT_FALSE(mSession->ControlsOpen());
    EXPECT_EQ(mSession->TargetUpdate(), 700);
    // The game's widgets saw none of it.
    EXPECT_TRUE(app->mRecorder->mInput.empty());
    EXPECT_EQ(controls->GetDialog(), nullptr);

    // Escape closes without a choice.
    Post(*app, platform::kWmChar, 'L');
    ASSERT_TRUE(mSession->ControlsOpen());
    Post(*app, platform::kWmKeyDown, 0x1B);
    EXPECT_FALSE(mSession->ControlsOpen());
    EXPECT_EQ(mSession->TargetUpdate(), 700);
}

TEST_F(DemoControlsTest, JumpToTimeStartsWithTheStoredTextAndTargetsTheTimeLeft) {
    auto app = PlayingApp();
    platform::RegKey key;
    ASSERT_EQ(platform::RegCreateKey(platform::kRegCurrentUser, "SOFTWARE\\KavoTest", key), platform::kRegOk);
    platform::RegSetValue(key, "DemoJumpTime", platform::kRegString, "1:00", 5);

    Post(*app, platform::kWmChar, 'j');
    ASSERT_TRUE(mSession->ControlsOpen());
    Kavo::EditWidget* edit = mSession->Controls()->GetJumpEdit();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->mString, "1:00");
    // The 'j' that opened it is not typed; typing replaces the selected text.
    for (char c : std::string("0:05"))
        Post(*app, platform::kWmChar, static_cast<platform::WParam>(c));
    EXPECT_EQ(edit->mString, "0:05");
    EXPECT_EQ(mSession->TargetUpdate(), 0); // the '5' was typed, not a playback key
    Post(*app, platform::kWmKeyDown, 0x0D);
    EXPECT_FALSE(mSession->ControlsOpen());
    EXPECT_EQ(mSession->TargetUpdate(), 1000 - 6 * 100);

    char stored[16] = {};
    uint32_t size = sizeof stored;
    ASSERT_EQ(platform::RegQueryValue(key, "DemoJumpTime", nullptr, stored, &size), platform::kRegOk);
    EXPECT_STREQ(stored, "0:05");
    platform::RegCloseKey(key);

    // Cancel keeps the target; the time the dialog was open is not owed.
    Post(*app, platform::kWmChar, 'J');
    ASSERT_TRUE(mSession->ControlsOpen());
    app->mLastTimeCheck = 1;
    mSession->Controls()->DialogButtonRelease(1, Kavo::Dialog::kSecondButtonId);
    mSession->UpdateControls();
    EXPECT_FALSE(mSession->ControlsOpen());
    EXPECT_EQ(mSession->TargetUpdate(), 400);
    EXPECT_EQ(app->mLastTimeCheck, platform::GetTickMs());
}

TEST_F(DemoControlsTest, NumberKeysTargetTimesBeforeTheEnd) {
    auto app = PlayingApp();
    struct Case {
        char key;
        int32_t target;
    } cases[] = {{'0', 1000}, {'9', 500}, {'8', 0}, {'4', 1000 - 12000}};
    for (const Case& c : cases) {
        mSession->PlaybackKey(c.key);
        EXPECT_EQ(mSession->TargetUpdate(), c.target) << c.key;
    }
}

TEST_F(DemoControlsTest, SmallMouseMovesAreShortAndLargeOnesLong) {
    TestApp app(WorkFolder());
    Kavo::DemoSession session(app);
    session.WriteMessage({nullptr, platform::kWmMouseMove, 0, platform::MakeLParam(31, -31)});
    session.WriteMessage({nullptr, platform::kWmMouseMove, 0, platform::MakeLParam(63, -31)});
    session.WriteMessage({nullptr, platform::kWmMouseMove, 0, platform::MakeLParam(63, -31)}); // no move: nothing
    Kavo::Buffer& bits = app.mDemoBuffer;
    EXPECT_EQ(bits.ReadNumBits(4, false), 0);
    EXPECT_EQ(bits.ReadNumBits(1, false), 1); // short
    EXPECT_EQ(bits.ReadNumBits(1, false), 0); // code 0
    EXPECT_EQ(bits.ReadNumBits(6, true), 31);
    EXPECT_EQ(bits.ReadNumBits(6, true), -31);
    EXPECT_EQ(bits.ReadNumBits(4, false), 0);
    EXPECT_EQ(bits.ReadNumBits(1, false), 0); // long
    EXPECT_EQ(bits.ReadNumBits(5, false), 0);
    EXPECT_EQ(bits.ReadNumBits(12, false), 63);
    EXPECT_EQ(bits.ReadNumBits(12, false), 0xFE1); // -31 in 12 bits
    EXPECT_TRUE(bits.AtEnd());
}

TEST_F(DemoControlsTest, WebTransferResultsReplayOnlyForTheirTransferWhenDue) {
    TestApp app(WorkFolder());
    app.mRecordingDemo = true;
    app.SetDemoRecorder(std::make_unique<Kavo::DemoSession>(app));
    const int32_t id = 41;
    {
        Kavo::DemoHooks hooks(app);
        app.mUpdateCount = 3;
        hooks.WriteTransferResult(id, Kavo::HTTPTransfer::kResultRunning, "");
        app.mUpdateCount = 5;
        hooks.WriteTransferResult(id, 0, "answer");
    }
    app.mRecordingDemo = false;
    app.mPlayingDemo = true;
    app.SetDemoRecorder(std::make_unique<Kavo::DemoSession>(app));
    Kavo::DemoHooks hooks(app);
    int32_t result = -1;
    std::string body;
    app.mUpdateCount = 2;
    EXPECT_FALSE(hooks.ReadTransferResult(id, &result, &body)); // not due yet
    app.mUpdateCount = 3;
    EXPECT_FALSE(hooks.ReadTransferResult(id + 7, &result, &body)); // another transfer's
    EXPECT_TRUE(hooks.ReadTransferResult(id, &result, &body));
    EXPECT_EQ(result, Kavo::HTTPTransfer::kResultRunning);
    app.mUpdateCount = 5;
    EXPECT_TRUE(hooks.ReadTransferResult(id, &result, &body));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(body, "answer");
    EXPECT_FALSE(hooks.ReadTransferResult(id, &result, &body)); // the end
    app.mPlayingDemo = false;
}

} // namespace
} // namespace app_test
