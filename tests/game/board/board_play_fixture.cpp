#include "tests/game/board/board_play_fixture.h"

#include <gtest/gtest.h>

namespace Game::Test {

void RecordingListener::OnFiguresBroken(bool byPlayer) {
    mEvents.push_back(std::string("FiguresBroken(") + (byPlayer ? "1" : "0") + ")");
    mFallPending = true;
}

void RecordingListener::OnLevelComplete(bool complete) {
    mEvents.push_back(std::string("LevelComplete(") + (complete ? "1" : "0") + ")");
}

void RecordingListener::OnSecretFound(float x, float y) {
    mEvents.push_back("SecretFound(" + std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y)) +
                      ")");
}

void RecordingListener::OnChainBroken(BoardCell& cell) {
    const long index = &cell - mBoard.mCells.data();
    mEvents.push_back("ChainBroken(" + std::to_string(index % kBoardColumns) + "," +
                      std::to_string(index / kBoardColumns) + ")");
}

std::vector<std::string> RecordingListener::Events() const {
    std::vector<std::string> events;
    for (const std::string& event : mEvents) {
        if (event != "MovesFound")
            events.push_back(event);
    }
    return events;
}

BoardPlayFixture::BoardPlayFixture() {
    mBoard.mListener = &mListener;
}

void BoardPlayFixture::Update() {
    mBoard.Step();
    if (mListener.mFallPending) {
        mListener.mFallPending = false;
        mBoard.StartFall();
    }
    mBoard.MoveItems(1.0f);
}

void BoardPlayFixture::Settle(int maxUpdates) {
    for (int i = 0; i < maxUpdates; ++i) {
        Update();
        if (mBoard.IsStill() && mBoard.mSwaps.empty() && !mListener.mFallPending && mBoard.mState != kBoardSettling &&
            mBoard.mState != kBoardClearing)
            return;
    }
    ADD_FAILURE() << "the board did not settle in " << maxUpdates << " updates";
}

int CountRuns(const Board& board) {
    int runs = 0;
    auto item = [&](int column, int row) {
        const BoardCell& cell = board.Cell(column, row);
        return cell.mExists && cell.mItem >= 0 ? cell.mItem : -100 - column - row * kBoardColumns;
    };
    for (int row = 0; row < kBoardRows; ++row) {
        for (int column = 0; column < kBoardColumns; ++column) {
            const int t = item(column, row);
            if (t < 0)
                continue;
            runs += column + 2 < kBoardColumns && item(column + 1, row) == t && item(column + 2, row) == t ? 1 : 0;
            runs += row + 2 < kBoardRows && item(column, row + 1) == t && item(column, row + 2) == t ? 1 : 0;
        }
    }
    return runs;
}

} // namespace Game::Test
