// The first stage's two tips on the stage-complete screen, as the program opens
// them over the results they explain, leave every result and control of
// the screen in sight: neither bubble lies over any of them.
#include "game/ui/user_manager.h"
#include "tests/game/main/new_player_run.h"

#include <gtest/gtest.h>

#include <string>

namespace Game {
namespace {

class StageCompleteTipTest : public NewPlayerRunTest {};

bool RectsOverlap(const Kavo::IntRect& a, const Kavo::IntRect& b) {
    return a.mX < b.mX + b.mWidth && b.mX < a.mX + a.mWidth && a.mY < b.mY + b.mHeight && b.mY < a.mY + a.mHeight;
}

std::string Show(const Kavo::IntRect& r) {
    return std::to_string(r.mX) + "," + std::to_string(r.mY) + " " + std::to_string(r.mWidth) + "x" +
           std::to_string(r.mHeight);
}

TEST_F(StageCompleteTipTest, NeitherTipCoversAResultNorAControl) {
    Start();
    ASSERT_NO_FATAL_FAILURE(EnterFirstBoard("Reader"));
    // The stage brought something of each kind, so that every row counts up
    // and the rating follows, after which the tip opens.
    UserManager& users = *UserManager::GetInstance();
    ASSERT_NE(users.GetCurrentRecord(), nullptr);
    ASSERT_NE(users.GetCurrentRecord()->mTipsEnabled, 0);
    for (int kind = 0; kind < 3; ++kind)
        users.AddStatBC(kind, 100.0f);
    // The board ends the stage as a cleared board does, and opens the screen.
    Board()->OnLevelComplete(true);
    ASSERT_TRUE(StepUntil([&] { return App().GetDialog(BoardScreen::kStageCompleteDialog) != nullptr; }, 3000));
    auto* complete = dynamic_cast<GameDialog*>(App().GetDialog(BoardScreen::kStageCompleteDialog));
    ASSERT_NE(complete, nullptr);
    auto* screen = dynamic_cast<ShopScreen*>(complete);
    ASSERT_NE(screen, nullptr);
    // The player closes the board's tips as they come, as the walks do.
    ASSERT_TRUE(StepUntil(
        [&] {
            if (App().GetOpenTipId() != ShopScreen::kFirstTip)
                App().CloseTip(false);
            return App().GetOpenTipId() == ShopScreen::kFirstTip;
        },
        3000))
        << "phase " << screen->GetPhase() << ", open tip " << App().GetOpenTipId() << " money "
        << screen->GetMoneyLabel()->mCurrent << " to " << screen->GetMoneyLabel()->mTarget << " by "
        << screen->GetMoneyLabel()->mStep << " gain " << screen->GetRatingGain();
    // Each tip in turn: the first one's "Ok" opens the second.
    for (const int32_t tipId : {ShopScreen::kFirstTip, ShopScreen::kSecondTip}) {
        SCOPED_TRACE(tipId);
        if (tipId == ShopScreen::kSecondTip) {
            Click(FirstButton(App().GetDialog(TipWindow::kDialogId)));
            ASSERT_TRUE(StepUntil([&] { return App().GetOpenTipId() == ShopScreen::kSecondTip; }, 100));
        }
        Kavo::Dialog* tip = App().GetDialog(TipWindow::kDialogId);
        ASSERT_NE(tip, nullptr);
        const Kavo::IntRect bubble(tip->mX, tip->mY, tip->mWidth, tip->mHeight);
        size_t checked = 0;
        for (Kavo::Widget* widget : complete->GetWidgets()) {
            if (!widget->mVisible)
                continue;
            const Kavo::Point at = widget->GetAbsPos();
            const Kavo::IntRect rect(at.mX, at.mY, widget->mWidth, widget->mHeight);
            EXPECT_FALSE(RectsOverlap(bubble, rect))
                << "the tip " << Show(bubble) << " lies over a control at " << Show(rect);
            ++checked;
        }
        // The money, three amounts, three percentages, the pieces found and "Ok".
        EXPECT_GE(checked, 9u);
    }
}

} // namespace
} // namespace Game
