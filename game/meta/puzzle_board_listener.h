#pragma once
// What the picture puzzle reports to its dialog.

namespace Game {

class PuzzleBoardListener {
public:
    virtual ~PuzzleBoardListener() = default;
    // A second click that is not on a neighbour of the selected tile.
    virtual void OnWrongPick() = 0;
    virtual void OnMoveStart() = 0;
    virtual void OnFirstSelect() = 0;
    virtual void OnSolved() = 0;
};

} // namespace Game
