#pragma once
// The in-game menu: a pop-up over the play screen whose buttons open the
// options, the help pages or the quit question, or close the menu. The
// play screen reads the leave flag once the menu has gone.

#include <cstdint>
#include <string>

#include "game/ui/layout_dialog.h"

namespace Game {

class GameMenuDialog : public LayoutDialog {
public:
    enum Button : int32_t { Options = 1, Help = 2, Quit = 3, Close = 4 };
    static constexpr int32_t kDialogId = 55;
    static constexpr int32_t kQuitDialogId = 301;
    static constexpr int32_t kEscape = 27;

    explicit GameMenuDialog(const std::string& layoutPath = "UI/GameMenu.txt");

    void ButtonDepress(int32_t buttonId) override;
    void KeyUp(int32_t key) override;
    // The answers of the dialogs the menu opened: the quit question closes
    // the game (1) or leaves to the main menu (2); every dialog is removed.
    void DialogButtonRelease(int32_t dialogId, int32_t result) override;

    bool mLeaveToMainMenu = false;

private:
    void StartClosing();
};

} // namespace Game
