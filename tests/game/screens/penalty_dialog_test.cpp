// The penalty dialog: its amount by stage, the wait, the zoom, the echo and
// its keys.
#include "framework/graphics/font.h"
#include "game/screens/penalty_dialog.h"
#include "game/ui/ini_document.h"
#include "game/ui/resource_ids.h"
#include "game/ui/user_manager.h"
#include "tests/framework/graphics/fake_font.h"
#include "tests/game/screens/board_screen_fixture.h"
#include "tools/sample_content/penalty_content.h"

#include <gtest/gtest.h>

namespace Game::Test {
namespace {

class PenaltyDialogTest : public BoardScreenFixture {
protected:
    PenaltyDialogTest() { EXPECT_TRUE(Kavo::SampleContent::WritePenaltyContent(WorkFolder())); }
    ~PenaltyDialogTest() override { FONT_DEFAULT = mPreviousFont; }
    void Parse(IniDocument& doc, const std::string& text) { doc.Parse(text.data(), text.size(), true); }
    Kavo::Font* mPreviousFont = FONT_DEFAULT;
    // Characters of 25 pixels: "1200" is 100 wide.
    Kavo::FakeFont mFont{25};
    // Updates until the phase changes; the count of updates taken.
    int UpdatesInPhase(PenaltyDialog& dialog) {
        const int phase = dialog.mPhase;
        int updates = 0;
        while (dialog.mPhase == phase && updates < 10000) {
            dialog.Update();
            ++updates;
        }
        return updates;
    }
};

TEST_F(PenaltyDialogTest, TheAmountComesFromTheStagesKeyOr500) {
    mUsers->GetCurrentRecord()->mStageIndex = 2;
    const struct {
        const char* settings;
        int penalty;
    } cases[] = {{"[Penalty]\r\nStage3=1200\r\n", 1200}, {"[Penalty]\r\nStage2=1200\r\n", 500}, {"", 500}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settings);
        IniDocument settings;
        Parse(settings, c.settings);
        PenaltyDialog dialog(&settings);
        EXPECT_EQ(dialog.mPenalty, c.penalty);
        EXPECT_EQ(dialog.mDestX, 512);
        EXPECT_EQ(dialog.mDestY, 330);
    }
}

TEST_F(PenaltyDialogTest, WaitsAfterFlyingInZoomsDownThenEchoes) {
    IniDocument settings;
    Parse(settings, "[Penalty]\r\nStage1=1200\r\n");
    // 100 pixels on a window 1024 wide: the scale starts at 11.24 and loses
    // a thirtieth of that a step; without a font there is nothing to zoom.
    const struct {
        bool font;
        int zoom;
    } cases[] = {{true, 28}, {false, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.font);
        FONT_DEFAULT = c.font ? &mFont : nullptr;
        mSounds->mPlayed.clear();
        PenaltyDialog dialog(&settings);
        for (int i = 0; i < 1000 && dialog.mState != LayoutDialog::Resting; ++i) {
            dialog.Update();
            dialog.UpdateF(1.0f);
        }
        ASSERT_EQ(dialog.mState, LayoutDialog::Resting);
        EXPECT_EQ(dialog.mWaitTicks, 0);
        EXPECT_EQ(UpdatesInPhase(dialog), 150);
        EXPECT_EQ(dialog.mPhase, PenaltyDialog::kZooming);
        EXPECT_EQ(UpdatesInPhase(dialog), c.zoom);
        EXPECT_EQ(dialog.mPhase, PenaltyDialog::kEcho);
        EXPECT_EQ(mSounds->Count("PenaltyDone"), 1);
        EXPECT_NEAR(UpdatesInPhase(dialog), 100, 1);
        EXPECT_EQ(dialog.mPhase, PenaltyDialog::kDone);
        EXPECT_EQ(dialog.mEchoAlpha, 0.0f);
    }
}

TEST_F(PenaltyDialogTest, EnterAndEscapeCloseLikeTheButton) {
    for (int key : {PenaltyDialog::kEnterKey, PenaltyDialog::kEscapeKey}) {
        SCOPED_TRACE(key);
        PenaltyDialog dialog;
        dialog.KeyDown(key);
        EXPECT_EQ(dialog.mState, LayoutDialog::FlyingOut);
        EXPECT_EQ(dialog.mPendingResult, 1);
    }
    PenaltyDialog dialog;
    dialog.KeyDown('a');
    EXPECT_EQ(dialog.mState, LayoutDialog::FlyingIn);
}

} // namespace
} // namespace Game::Test
