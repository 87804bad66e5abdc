#pragma once
// What the board screen hands to the effects it starts for an event: two
// values whose meaning each effect states, and a pixel position.

namespace Game {

struct EffectEvent {
    int mFirst = 0;  // run length, item id or colour, as the effect says
    int mSecond = 0; // the score
    int mX = 0;
    int mY = 0;
};

} // namespace Game
