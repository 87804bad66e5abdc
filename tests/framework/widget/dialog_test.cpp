// The framework dialog: size, layout, drawing of the texts, dragging and
// waiting for a button.
#include "framework/widget/dialog.h"
#include "framework/widget/dialog_button.h"
#include "framework/widget/dialog_listener.h"
#include "tests/framework/widget/widget_fixture.h"

namespace widget_test {
namespace {

using Kavo::Dialog;
using Kavo::FakeFont;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class RecordingDialogListener : public Kavo::DialogListener {
public:
    EventLog mLog;
    void DialogButtonPress(int32_t dialogId, int32_t buttonId) override {
        mLog.push_back("Press " + std::to_string(dialogId) + " " + std::to_string(buttonId));
    }
    void DialogButtonRelease(int32_t dialogId, int32_t buttonId) override {
        mLog.push_back("Release " + std::to_string(dialogId) + " " + std::to_string(buttonId));
    }
};

class DialogTest : public WidgetTreeTest {
protected:
    Dialog& Make(int32_t buttonMode, const std::string& header = "", const std::string& lines = "",
                 const std::string& footer = "") {
        mDialog = std::make_unique<Dialog>(nullptr, nullptr, 42, false, header, lines, footer, buttonMode);
        mDialog->mDialogListener = &mListener;
        return *mDialog;
    }
    Dialog& Show(int32_t buttonMode) {
        Dialog& dialog = Make(buttonMode);
        mManager.AddWidget(&dialog);
        dialog.Resize(100, 100, 400, 200);
        return dialog;
    }
    // Runs one scripted line of input per loop step; false once they are used up.
    void Script(std::vector<std::function<void()>> steps) {
        auto next = std::make_shared<size_t>(0);
        mHost->mStep = [this, next, steps = std::move(steps)] {
            ++mSteps;
            if (*next >= steps.size())
                return false;
            steps[(*next)++]();
            return true;
        };
    }

    RecordingDialogListener mListener;
    int mSteps = 0;
    std::unique_ptr<Dialog> mDialog;
};

TEST_F(DialogTest, PreferredHeightAddsWhatTheDialogShows) {
    struct Case {
        int32_t mode;
        const char* header;
        const char* footer;
        int32_t height;
    } cases[] = {
        {0, "", "", 48},            // the insets alone
        {0, "Title", "", 68},       // + header height 20
        {0, "", "Footer", 68},      // + header line spacing 20
        {0, "Title", "Footer", 96}, // + 8 between them
        {3, "", "Fine", 80},        // the footer is the button: + 8 + 24
        {1, "Title", "", 108},      // + 8 + 8 + 24
    };
    for (const Case& c : cases) {
        Dialog& dialog = Make(c.mode, c.header, "", c.footer);
        mManager.AddWidget(&dialog); // fonts come from the application
        EXPECT_EQ(dialog.GetPreferredHeight(400), c.height) << c.mode << " " << c.header << " " << c.footer;
    }
}

TEST_F(DialogTest, TwoButtonsShareTheWidthBetweenTheInsets) {
    Dialog& dialog = Show(Dialog::BUTTONS_OK_CANCEL);
    ASSERT_NE(dialog.mNoButton, nullptr);
    EXPECT_EQ(dialog.mYesButton->GetRect(), Kavo::IntRect(124, 252, 172, 24));
    EXPECT_EQ(dialog.mNoButton->GetRect(), Kavo::IntRect(304, 252, 172, 24));
    EXPECT_EQ(dialog.mYesButton->mLabel, "OK");
    EXPECT_EQ(dialog.mNoButton->mLabel, "CANCEL");
    // The buttons are the dialog's siblings, just above it.
    EXPECT_THAT(mManager.GetWidgets(), ElementsAre(&dialog, dialog.mYesButton, dialog.mNoButton));

    Dialog& single = Show(Dialog::BUTTONS_FOOTER);
    EXPECT_EQ(single.mNoButton, nullptr);
    EXPECT_EQ(single.mYesButton->GetRect(), Kavo::IntRect(124, 252, 352, 24));
    EXPECT_EQ(mManager.GetWidgets().size(), 2u) << "the first dialog took its buttons along";
}

TEST_F(DialogTest, FooterLineIsDrawnUnlessItLabelsTheButton) {
    for (int32_t mode : {1, 3}) {
        Dialog& dialog = Make(mode, "Head", "", "Foot");
        mManager.AddWidget(&dialog);
        dialog.Resize(0, 0, 300, 200);
        mManager.DrawScreen();
        auto* headerFont = dynamic_cast<FakeFont*>(dialog.mHeaderFont);
        ASSERT_NE(headerFont, nullptr);
        std::vector<std::string> texts;
        for (const FakeFont::Drawn& drawn : headerFont->mDrawn)
            texts.push_back(drawn.mText);
        if (mode == 3)
            EXPECT_THAT(texts, ElementsAre("Head"));
        else
            EXPECT_THAT(texts, ElementsAre("Head", "Foot"));
    }
}

TEST_F(DialogTest, DraggingStopsEightPixelsPastTheLeftEdge) {
    Dialog& dialog = Show(Dialog::BUTTONS_NONE);
    dialog.mDraggable = true;
    Input({"down 150 150 1", "drag 120 150", "drag 10 150"});
    EXPECT_EQ(dialog.mX, -8);
    EXPECT_EQ(dialog.mY, 100);
    Input({"drag 0 150", "up 0 150 1"});
    EXPECT_EQ(dialog.mX, -8);
    EXPECT_FALSE(dialog.mDragging);
    EXPECT_THAT(mHost->mCursorStates, ElementsAre(2, 0));
}

TEST_F(DialogTest, WaitForResultReturnsTheReleasedButton) {
    Dialog& dialog = Show(Dialog::BUTTONS_YES_NO);
    Script({[&] { Input({"down 390 260 1"}); }, [&] { Input({"up 390 260 1"}); }, [] {}});
    EXPECT_EQ(dialog.WaitForResult(true), Dialog::kSecondButtonId);
    EXPECT_EQ(mSteps, 2);
    EXPECT_THAT(mListener.mLog, ElementsAre("Press 42 1001", "Release 42 1001"));
    EXPECT_THAT(mHost->mKilledDialogs, ElementsAre(42));
}

TEST_F(DialogTest, WaitForResultEndsWithoutAResultWhenTheDialogGoes) {
    Dialog& dialog = Show(Dialog::BUTTONS_YES_NO);
    // Button 1000 released outside itself: no result.
    Script({[&] { Input({"down 200 260 1"}); }, [&] { Input({"drag 200 400"}); }, [&] { Input({"up 200 400 1"}); },
            [&] { mManager.RemoveWidget(&dialog); }});
    EXPECT_EQ(dialog.WaitForResult(false), Dialog::kNoResult);
    EXPECT_EQ(mSteps, 4);
    EXPECT_THAT(mListener.mLog, ElementsAre("Press 42 1000"));
    EXPECT_THAT(mHost->mKilledDialogs, IsEmpty());

    // A loop that cannot go on ends the wait too.
    Dialog& again = Show(Dialog::BUTTONS_YES_NO);
    Script({});
    EXPECT_EQ(again.WaitForResult(false), Dialog::kNoResult);
}

TEST_F(DialogTest, FontSettersKeepCopies) {
    Dialog& dialog = Show(Dialog::BUTTONS_YES_NO);
    FakeFont font(5);
    dialog.SetHeaderFont(&font);
    dialog.SetLinesFont(&font);
    dialog.SetButtonFont(&font);
    // Given their own fonts back, they copy before letting go.
    dialog.SetHeaderFont(dialog.mHeaderFont);
    dialog.SetLinesFont(dialog.mLinesFont);
    dialog.SetButtonFont(dialog.mYesButton->mFont);
    for (Kavo::Font* copy :
         {dialog.mHeaderFont, dialog.mLinesFont, dialog.mYesButton->mFont, dialog.mNoButton->mFont}) {
        ASSERT_NE(copy, nullptr);
        EXPECT_NE(copy, &font);
        EXPECT_EQ(copy->StringWidth("abc"), 15);
    }
}

TEST_F(DialogTest, ButtonLabelColoursFollowTheDialogs) {
    Dialog& dialog = Show(Dialog::BUTTONS_YES_NO);
    // Without a button image the labels are black.
    EXPECT_EQ(dialog.mYesButton->GetColor(0), Kavo::Color(0, 0, 0));
    dialog.SetColor(Dialog::COLOR_BUTTON_TEXT_HILITE, Kavo::Color(1, 2, 3));
    EXPECT_EQ(dialog.mNoButton->GetColor(1), Kavo::Color(1, 2, 3));
}

} // namespace
} // namespace widget_test
