#include "game/board/board_profile_adapter.h"

#include "game/board/board.h"
#include "game/board/board_defs.h"

namespace Game {

void BoardProfileAdapter::Save(Kavo::Buffer& buffer) {
    mBoard.Save(buffer);
}

bool BoardProfileAdapter::Load(Kavo::Buffer& buffer) {
    return mBoard.Load(buffer);
}

int BoardProfileAdapter::LayoutCount() const {
    return InstalledBoardLayoutCount();
}

} // namespace Game
