// Buttons: what reaches the listener, the hover fade and the drawn looks.
#include "framework/widget/button_listener.h"
#include "framework/widget/button_widget.h"
#include "tests/framework/widget/widget_fixture.h"

namespace widget_test {
namespace {

using Kavo::ButtonWidget;
using Kavo::FakeFont;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class RecordingListener : public Kavo::ButtonListener {
public:
    EventLog mLog;

    using ButtonListener::ButtonPress;
    void ButtonPress(int32_t id, int32_t clickCount) override {
        mLog.push_back("Press " + std::to_string(id) + " " + std::to_string(clickCount));
    }
    void ButtonDepress(int32_t id) override { mLog.push_back("Depress " + std::to_string(id)); }
    void ButtonDownTick(int32_t id) override { mLog.push_back("Tick " + std::to_string(id)); }
    void ButtonMouseEnter(int32_t id) override { mLog.push_back("Enter " + std::to_string(id)); }
    void ButtonMouseLeave(int32_t id) override { mLog.push_back("Leave " + std::to_string(id)); }
};

class ButtonTest : public WidgetTreeTest {
protected:
    ButtonTest() {
        mButton.Resize(100, 100, 80, 30);
        mManager.AddWidget(&mButton);
    }

    RecordingListener mListener;
    ButtonWidget mButton{7, &mListener};
};

TEST_F(ButtonTest, ListenerSeesPressesAndOnlyReleasesOverTheButtonWhileActive) {
    struct Case {
        const char* what;
        std::vector<std::string> input;
        bool deactivateBeforeRelease;
        EventLog log;
    } cases[] = {
        {"click", {"down 110 110 1", "up 110 110 1"}, false, {"Enter 7", "Press 7 1", "Depress 7"}},
        {"double click", {"down 110 110 2", "up 110 110 2"}, false, {"Enter 7", "Press 7 2", "Depress 7"}},
        {"released outside",
         {"down 110 110 1", "drag 300 300", "up 300 300 1"},
         false,
         {"Enter 7", "Press 7 1", "Leave 7"}},
        {"dragged out and back",
         {"down 110 110 1", "drag 300 300", "drag 120 120", "up 120 120 1"},
         false,
         {"Enter 7", "Press 7 1", "Leave 7", "Enter 7", "Depress 7"}},
        {"released while inactive", {"down 110 110 1", "up 110 110 1"}, true, {"Enter 7", "Press 7 1"}},
    };
    for (const Case& c : cases) {
        mManager.MouseExit();
        mManager.mHasFocus = true;
        mListener.mLog.clear();
        for (const std::string& line : c.input) {
            if (c.deactivateBeforeRelease && line.rfind("up", 0) == 0)
                mManager.mHasFocus = false;
            Input({line});
        }
        EXPECT_EQ(mListener.mLog, c.log) << c.what;
    }
}

TEST_F(ButtonTest, HeldButtonTicksEveryUpdateWhileTheMouseIsOverIt) {
    Input({"down 110 110 1"});
    mListener.mLog.clear();
    mManager.UpdateFrame();
    Input({"drag 300 300"});
    mManager.UpdateFrame();
    EXPECT_THAT(mListener.mLog, ElementsAre("Tick 7", "Leave 7"));
}

TEST_F(ButtonTest, FadeInReachesExactlyFullStrengthOnTheEleventhUpdate) {
    mButton.mOverAlphaFadeInSpeed = 0.1;
    Input({"move 110 110"});
    for (int i = 0; i < 10; ++i)
        mManager.UpdateFrame();
    // Ten additions of 0.1 stay just below 1.0.
    EXPECT_LT(mButton.mOverAlpha, 1.0);
    EXPECT_GT(mButton.mOverAlpha, 0.99);
    mManager.UpdateFrame();
    EXPECT_EQ(mButton.mOverAlpha, 1.0);
    mManager.UpdateFrame();
    EXPECT_EQ(mButton.mOverAlpha, 1.0);

    // Without a fade-out speed it is gone at the next update after leaving.
    Input({"move 5 5"});
    mManager.UpdateFrame();
    EXPECT_EQ(mButton.mOverAlpha, 0.0);
}

TEST_F(ButtonTest, InvertedButtonDrawsThePressedLookWhileIdle) {
    auto draw = [&] {
        mScreen.mCalls.clear();
        mManager.MarkAllDirty();
        mManager.DrawScreen();
        return mScreen.mCalls;
    };
    const auto idle = draw();
    mButton.mIsDown = true;
    mButton.mIsOver = true;
    const auto pressed = draw();
    mButton.mIsDown = false;
    mButton.mIsOver = false;
    mButton.mInverted = true;
    const auto invertedIdle = draw();

    EXPECT_NE(idle, pressed);
    EXPECT_EQ(invertedIdle, pressed);
    // Pressed: the dark edge along the top.
    ASSERT_GE(pressed.size(), 2u);
    EXPECT_EQ(pressed[1], "FillRect [100,100,79,1] (0,0,0,255) m0");
    EXPECT_EQ(idle[1], "FillRect [100,100,79,1] (255,255,255,255) m0");
    EXPECT_THAT(mHost->mFontsMade, IsEmpty()) << "no label, no font";
}

TEST_F(ButtonTest, LabelGetsASystemFontOnceAndSetFontKeepsACopy) {
    mButton.mLabel = "Go";
    mManager.DrawScreen();
    mManager.MarkAllDirty();
    mManager.DrawScreen();
    EXPECT_THAT(mHost->mFontsMade, ElementsAre("Arial Unicode MS 10"));
    auto* font = dynamic_cast<FakeFont*>(mButton.mFont);
    ASSERT_NE(font, nullptr);
    ASSERT_EQ(font->mDrawn.size(), 2u);
    // Centred: (80 - 2 * 8) / 2; (30 - 16 / 6 - 1 + 16) / 2.
    EXPECT_EQ(font->mDrawn[0].mX, 32);
    EXPECT_EQ(font->mDrawn[0].mY, 21);

    FakeFont wide(20);
    mButton.SetFont(&wide);
    EXPECT_NE(mButton.mFont, &wide);
    // Given its own font back, the button copies it before letting it go.
    mButton.SetFont(mButton.mFont);
    ASSERT_NE(mButton.mFont, nullptr);
    EXPECT_EQ(mButton.mFont->StringWidth("Go"), 40);
}

} // namespace
} // namespace widget_test
