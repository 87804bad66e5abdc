#pragma once
// The board fixture with a listener that records every event in order, and
// the loop a board screen runs: step, let a pending fall start, move.

#include "game/board/board_listener.h"
#include "tests/game/board/board_fixture.h"

#include <string>
#include <vector>

namespace Game::Test {

// Events as text: "FiguresBroken(1)", "Select", "ChainBroken(3,1)", ...
class RecordingListener : public BoardListener {
public:
    explicit RecordingListener(Board& board) : mBoard(board) {}

    void OnFiguresBroken(bool byPlayer) override;
    void OnWrongMove() override { mEvents.push_back("WrongMove"); }
    void OnSelect() override { mEvents.push_back("Select"); }
    void OnMove() override { mEvents.push_back("Move"); }
    void OnNoMoreMoves() override { mEvents.push_back("NoMoreMoves"); }
    void OnLevelComplete(bool complete) override;
    void OnSecretFound(float x, float y) override;
    void OnSettled() override { mEvents.push_back("Settled"); }
    void OnBoardCleared() override { mEvents.push_back("BoardCleared"); }
    void OnChainBroken(BoardCell& cell) override;
    void OnMovesFound() override { mEvents.push_back("MovesFound"); }

    // The events other than MovesFound, which almost every change sends.
    std::vector<std::string> Events() const;

    std::vector<std::string> mEvents;
    // Set by OnFiguresBroken: the screen lets the items fall afterwards.
    bool mFallPending = false;

private:
    Board& mBoard;
};

class BoardPlayFixture : public BoardFixture {
protected:
    BoardPlayFixture();

    // The pixel centre of a cell.
    int X(int column) const { return mBoard.ColumnToX(column, true); }
    int Y(int row) const { return mBoard.RowToY(row, true); }
    void ClickCell(int column, int row) { mBoard.Click(X(column), Y(row)); }
    // One update: Step, a pending fall started, MoveItems(1.0).
    void Update();
    // Updates until the items rest, no swap travels, nothing falls and the
    // board neither settles nor clears away.
    void Settle(int maxUpdates = 5000);

    RecordingListener mListener{mBoard};
};

// The number of places where three equal items (0 or more) stand in line in
// a row or a column of the whole grid, counted apart from the board's own
// search.
int CountRuns(const Board& board);

} // namespace Game::Test
