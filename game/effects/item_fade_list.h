#pragma once
// All items of a finished board fading out under a white flash, at most ten
// at a time in random order.

#include "game/ui/named_image.h"

#include <memory>
#include <vector>

namespace Kavo {
class Graphics;
} // namespace Kavo

namespace Game {

class Board;
class EffectListener;

class ItemFadeList {
public:
    struct Record {
        NamedImage mFlash;
        NamedImage mItem;
    };

    static constexpr int kUpdatesAfterEmpty = 100;

    // Adds a record for every cell of the board's active rectangle (x and y
    // are not used); the listener's first operation comes once, 100 updates
    // after the last record has gone.
    void Add(const Board& board, int x, int y, EffectListener* listener);
    void Update();
    // Whether no records are left.
    bool IsEmpty();
    // Whether the listener has been told (or would have been).
    bool IsFinished() const { return mFinished; }
    void Draw(Kavo::Graphics* g);

    std::vector<std::unique_ptr<Record>> mRecords;
    int mWindowSize = 10;
    EffectListener* mListener = nullptr;
    bool mEmpty = false;
    int mUpdatesAfterEmpty = 0;
    bool mFinished = false;
};

} // namespace Game
