#pragma once
// What the board tells the board screen. The order of the operations is
// fixed: the screen's event table follows it.

namespace Game {

struct BoardCell;

class BoardListener {
public:
    virtual ~BoardListener() = default;
    // Runs were found and their cells removed; byPlayer when a player's swap
    // made them, false while settling or after a bonus operation.
    virtual void OnFiguresBroken(bool byPlayer) = 0;
    // A player's swap made no run; the items start moving back.
    virtual void OnWrongMove() = 0;
    virtual void OnSelect() = 0;
    // A click or drag started a swap.
    virtual void OnMove() = 0;
    // The board settled with tiles left and no move.
    virtual void OnNoMoreMoves() = 0;
    // The board settled with no tile counter left; `complete` is true.
    virtual void OnLevelComplete(bool complete) = 0;
    // A run of a secret item's own kind went through its cell at (x, y).
    virtual void OnSecretFound(float x, float y) = 0;
    // Keeps its place in the order; the board never calls it.
    virtual void OnSettled() = 0;
    // The end-of-stage fall has ended.
    virtual void OnBoardCleared() = 0;
    // A hit took a chain level off the cell.
    virtual void OnChainBroken(BoardCell& cell) = 0;
    // The move list was rebuilt (also when it came out empty).
    virtual void OnMovesFound() = 0;
};

} // namespace Game
