// Reads a board-layout file and walks every layout's cells and lists.
#include "framework/util/buffer.h"
#include "game/board/board_defs.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Kavo::Buffer buffer;
    buffer.SetData(data, static_cast<int>(size));
    Game::BoardDefs defs;
    defs.Read(buffer);
    long sum = 0;
    for (int i = 0; i < defs.GetCount(); ++i) {
        for (const Game::LayoutCell& cell : defs.GetLayout(i)->mCells) {
            sum += cell.mValue + cell.mChain + cell.mChainStyle;
            for (const Game::EdgePiece& piece : cell.mOutEdges)
                sum += piece.first + piece.second;
            for (const Game::EdgePiece& piece : cell.mInEdges)
                sum += piece.first + piece.second;
        }
    }
    return sum == -1 ? 1 : 0;
}
