#pragma once
// The turn counter that particle systems without random rectangles share:
// each new particle takes the next texture rectangle of its own system's
// list.

#include "platform/process_slot.h"

namespace Game {

class ParticleRectCounter {
public:
    // Advances first, so the first pick of a fresh counter over two or more
    // entries is entry 1. count must be above 0.
    int Next(int count) {
        mCounter = mCounter < count - 1 ? mCounter + 1 : 0;
        return mCounter;
    }

private:
    int mCounter = 0;
};

// The counter of the run. A system finds none installed uses one of its own.
platform::ProcessSlot<ParticleRectCounter>& ParticleRectCounterSlot();

} // namespace Game
