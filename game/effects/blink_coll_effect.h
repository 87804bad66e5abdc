#pragma once
// A blink wave that runs diagonally over every item of the board: the cells
// of each anti-diagonal (row + column) blink together, and the next diagonal
// starts when the current one shows its sixth frame.

#include "game/ui/animation.h"
#include "game/ui/effect_base.h"

#include <memory>
#include <vector>

namespace Game {

class Board;

class BlinkCollEffect : public EffectBase {
public:
    // Reads the board's items now; a board without items gives a wave that
    // is done at once.
    explicit BlinkCollEffect(const Board& board);

    void Draw(Kavo::Graphics* g) override;
    void Update() override;

    std::vector<std::vector<int>> mCellGroups; // cell indices, row * 16 + column
    std::vector<std::vector<std::unique_ptr<Animation>>> mAnimGroups;
    int mCurrent = 0;
    int mNext = 0;
    Animation mTemplate;

private:
    bool IsGroupFinished(size_t group);
    void DrawGroup(Kavo::Graphics* g, size_t group);
};

} // namespace Game
