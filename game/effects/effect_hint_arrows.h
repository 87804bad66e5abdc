#pragma once
// Blinking arrows on the board's possible moves while the hint bonus runs:
// one arrow per move whose cells no other shown move uses. After 2,000
// updates the arrows go out one by one as each blinks off.

#include "game/board/board_move.h"
#include "game/ui/effect_base.h"
#include "game/ui/held_image.h"

#include <memory>
#include <vector>

namespace Game {

class AnimEffect;

// The arrows held by the hint effect, drawn by the board screen with its own
// alpha.
class EffectHolderList {
public:
    struct Entry {
        Move mMove;
        std::unique_ptr<AnimEffect> mEffect;
    };

    EffectHolderList();
    ~EffectHolderList();
    EffectHolderList(const EffectHolderList&) = delete;
    EffectHolderList& operator=(const EffectHolderList&) = delete;

    // Every held effect with the alpha as its alpha scale.
    void Draw(Kavo::Graphics* g, int alpha);

    std::vector<Entry> mEntries;
};

class EffectHintArrows : public EffectBase {
public:
    static constexpr int kLimit = 2000;

    EffectHintArrows();

    // The board's current moves (only while fewer than 2,000 updates have
    // passed): arrows of moves that went are removed, new moves get arrows
    // when neither of their cells is taken by an arrow shown.
    void SetMoves(const std::vector<Move>& moves);
    void Update() override;
    // Drawn by the board screen through mHolders.

    HeldImage mHorizontal;
    HeldImage mVertical;
    EffectHolderList mHolders;
    int mUpdateCount = 0;
    int mLimit = kLimit;
};

} // namespace Game
