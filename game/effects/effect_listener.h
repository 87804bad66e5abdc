#pragma once
// What an effect tells the code that started it. Every effect that takes a
// listener (null allowed: then nobody is told) calls these two operations and
// no others, the first when it has finished and the second when it reaches
// its middle or starts, as each effect documents. `effect` is the effect
// that calls, or null when a plain (non-list) effect calls; x, y carry a
// position where the effect documents one.

namespace Game {

class EffectBase;

class EffectListener {
public:
    virtual ~EffectListener() = default;

    // First operation: the effect has finished.
    virtual void OnEffectFinished(EffectBase* /*effect*/) {}
    // Second operation: the effect has reached its middle, or started.
    virtual void OnEffectMiddle(EffectBase* /*effect*/, float /*x*/, float /*y*/) {}
};

} // namespace Game
