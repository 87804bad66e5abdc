#include "game/ui/game_dialog.h"

namespace Game {

GameDialog::GameDialog(int32_t id, bool modal)
    : Dialog(nullptr, nullptr, id, modal, "", "", "", Kavo::Dialog::BUTTONS_NONE) {}

} // namespace Game
