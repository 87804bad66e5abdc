// Loads a board from a profile's board block, then runs the board's scans,
// rules of play, motion and saving over the result.
#include "framework/util/buffer.h"
#include "game/board/board.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Kavo::Buffer buffer;
    buffer.SetData(data, static_cast<int>(size));
    Game::Board board;
    board.SetOrigin(177, 103);
    board.Load(buffer);
    std::vector<Game::CellPos> cells;
    board.CollectTileCells(cells);
    board.CollectChainedCells(cells);
    board.PickTargets(cells, 12);
    board.mItemSet = {0, 1, 2};
    board.PlaceSecrets(2);
    int x = 0;
    int y = 0;
    board.FirstSecretCell(x, y);
    board.FirstChainedCell(x, y);
    // Play on whatever the block held: clicks along the diagonal, a fall,
    // the bonus operations and a re-deal.
    for (int i = 0; i < 10; ++i)
        board.Click(177 + 25 + i * 50, 103 + 25 + (i / 2) * 50);
    board.StartFall();
    for (int i = 0; i < 300; ++i) {
        board.Step();
        if (board.mState == Game::kBoardIdle && !board.mFigures.empty())
            board.StartFall();
        board.MoveItems(1.0f);
    }
    board.PlanShuffle();
    board.ApplyShuffle();
    board.ReplaceItems(0, 1);
    board.CollectLine(177 + 125, 103 + 125, true, cells);
    board.MakeFigure(cells);
    board.RemoveFigures();
    board.Refill(true);
    board.NextHint();
    board.DropAll();
    board.MoveItems(1000.0f);
    Kavo::Buffer saved;
    board.Save(saved);
    return saved.GetDataLen() == Game::Board::kSavedSize ? 0 : 1;
}
