#pragma once
// A scripted game run from the logos to the first board of a new player:
// the name typed in, "Play" on the main menu and the comics skipped.

#include "tests/game/main/scripted_game_run.h"

#include <gtest/gtest.h>

#include <string>

namespace Game {

class NewPlayerRunTest : public ScriptedGameRunTest {
protected:
    // From the started application to the board screen entered.
    void EnterFirstBoard(const std::string& name) {
        ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
        ASSERT_NO_FATAL_FAILURE(EnterNewPlayer(name));
        Click(Menu()->GetButton(MainMenuScreen::Play));
        ASSERT_TRUE(StepUntil([&] { return App().mEnteringScreen == Comics1(); }, 10));
        ASSERT_TRUE(StepUntil([&] { return Comics1()->GetSkip() != nullptr && Comics1()->GetSkip()->mVisible; }, 50));
        Click(Comics1()->GetSkip());
        ASSERT_TRUE(StepUntil([&] { return App().mEnteringScreen == Board(); }, 300));
    }
};

} // namespace Game
