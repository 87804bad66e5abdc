// The in-game menu's quit question, as the program opens it over the menu
// it was asked from, hides the whole menu: none of the menu's buttons shows
// around it.
#include "game/app/game_menu_dialog.h"
#include "tests/game/main/new_player_run.h"

#include <gtest/gtest.h>

#include <string>

namespace Game {
namespace {

class QuitQuestionTest : public NewPlayerRunTest {};

std::string Show(const Kavo::Widget& w) {
    return std::to_string(w.mX) + "," + std::to_string(w.mY) + " " + std::to_string(w.mWidth) + "x" +
           std::to_string(w.mHeight);
}

TEST_F(QuitQuestionTest, TheQuestionCoversTheMenuItWasAskedFrom) {
    Start();
    ASSERT_NO_FATAL_FAILURE(EnterFirstBoard("Quitter"));
    ASSERT_TRUE(StepClosingNotices(
        [&] { return App().mDialogList.empty() && Board()->mState == BoardScreen::kPlaying; }, 3000));
    LayoutDialog* menu = nullptr;
    LayoutDialog* quit = nullptr;
    ASSERT_NO_FATAL_FAILURE(OpenQuitQuestion(menu, quit));
    // The menu stays open beneath the question.
    ASSERT_EQ(App().GetDialog(GameMenuDialog::kDialogId), menu);
    EXPECT_TRUE(quit->mX <= menu->mX && quit->mY <= menu->mY && quit->mX + quit->mWidth >= menu->mX + menu->mWidth &&
                quit->mY + quit->mHeight >= menu->mY + menu->mHeight)
        << "the question " << Show(*quit) << " leaves part of the menu " << Show(*menu) << " in sight";
}

} // namespace
} // namespace Game
