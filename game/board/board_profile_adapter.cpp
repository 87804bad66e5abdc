#include "game/board/board_profile_adapter.h"

#include "game/board/board.h"
#include "game/board/board_defs.h"

namespace Game {

void BoardProfileAdapter::Save(Kavo::Buffer& buffer) {
    mBoard.Save(buffer);
}

void BoardProfileAdapter::Load(Kavo::Buffer& buffer) {
    mBoard.Load(buffer);
}

int BoardProfileAdapter::LayoutCount() const {
    return InstalledBoardLayoutCount();
}

} // namespace Game
