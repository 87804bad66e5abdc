// The per-update step: swaps that have arrived, settling after a fall and
// the end of the clearing-away fall.

#include "game/board/board.h"
#include "game/board/board_listener.h"

#include <utility>

namespace Game {

void Board::Step() {
    ++mStepCount;
    ResolveSwaps();
    if (mState == kBoardSettling) {
        if (IsStill())
            Settle();
    } else if (mState == kBoardClearing) {
        if (IsStill()) {
            mState = kBoardCleared;
            mVisible = false;
            if (mListener != nullptr)
                mListener->OnBoardCleared();
        }
    }
}

void Board::ResolveSwaps() {
    for (size_t i = 0; i < mSwaps.size();) {
        SwapRecord& swap = mSwaps[i];
        BoardCell& first = Cell(swap.mC1, swap.mR1);
        BoardCell& second = Cell(swap.mC2, swap.mR2);
        if (!IsAtRest(first) || !IsAtRest(second)) {
            ++i;
            continue;
        }
        SwapItems(swap.mC1, swap.mR1, swap.mC2, swap.mR2);
        if (swap.mPhase == kSwapBack) {
            mSwaps.erase(mSwaps.begin() + static_cast<long>(i));
            continue;
        }
        if (FindLines(false, false, {swap.mC1, swap.mR1}, {swap.mC2, swap.mR2}) == 0) {
            // Back again: each item travels to its own cell.
            if (swap.mR1 == swap.mR2) {
                const int d = swap.mC1 > swap.mC2 ? 1 : -1;
                std::swap(first.mTargetX, second.mTargetX);
                first.mDx = -d;
                second.mDx = d;
            } else {
                const int d = swap.mR1 > swap.mR2 ? 1 : -1;
                std::swap(first.mTargetY, second.mTargetY);
                first.mDy = -d;
                second.mDy = d;
            }
            swap.mPhase = kSwapBack;
            ++i;
            if (mListener != nullptr)
                mListener->OnWrongMove();
            continue;
        }
        RemoveFigures();
        mSwaps.erase(mSwaps.begin() + static_cast<long>(i));
        ++mCascade;
        mState = kBoardIdle;
        if (mListener != nullptr)
            mListener->OnFiguresBroken(true);
    }
}

void Board::Settle() {
    if (FindLines(false, false, {0, 0}, {0, 0}) > 0) {
        RemoveFigures();
        mState = kBoardIdle;
        ++mCascade;
        if (mListener != nullptr)
            mListener->OnFiguresBroken(false);
        return;
    }
    mState = kBoardIdle;
    if (AllTilesCleared()) {
        mStepCount = 0;
        mState = kBoardComplete;
        if (mListener != nullptr)
            mListener->OnLevelComplete(true);
    } else if (mMoves.empty()) {
        mState = kBoardNoMoreMoves;
        if (mListener != nullptr)
            mListener->OnNoMoreMoves();
    }
}

void Board::StartFall() {
    for (int row = mRowStart; row >= 0 && row < mRowStart + mHeight; ++row) {
        for (int column = mColStart; column >= 0 && column < mColStart + mWidth; ++column)
            Cell(column, row).mVisible = true;
    }
    if (mState == kBoardClearing)
        return;
    ApplyGravity();
    mState = kBoardSettling;
}

bool Board::CheckLines() {
    if (FindLines(false, false, {0, 0}, {0, 0}) > 0 && mListener != nullptr) {
        RemoveFigures();
        ++mCascade;
        mListener->OnFiguresBroken(false);
        return true;
    }
    return false;
}

} // namespace Game
