#pragma once
// An effect listener whose two operations call the functions given; an
// empty function does nothing.

#include <functional>
#include <utility>

#include "game/effects/effect_listener.h"

namespace Game {

class EffectCallbacks : public EffectListener {
public:
    EffectCallbacks(std::function<void()> finished, std::function<void()> middle)
        : mFinished(std::move(finished)), mMiddle(std::move(middle)) {}

    void OnEffectFinished(EffectBase*) override {
        if (mFinished)
            mFinished();
    }
    void OnEffectMiddle(EffectBase*, float, float) override {
        if (mMiddle)
            mMiddle();
    }

private:
    std::function<void()> mFinished;
    std::function<void()> mMiddle;
};

} // namespace Game
