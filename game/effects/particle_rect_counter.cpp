#include "game/effects/particle_rect_counter.h"

namespace Game {

platform::ProcessSlot<ParticleRectCounter>& ParticleRectCounterSlot() {
    static platform::ProcessSlot<ParticleRectCounter> slot;
    return slot;
}

} // namespace Game
