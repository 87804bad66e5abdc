#include "game/effects/score_effect.h"

#include "game/effects/effect_animation.h"

namespace Game {

ScoreEffect::ScoreEffect(const EffectEvent& event) {
    mLayer = 1;
    mAnimation.LoadFile(AnimationFile(event.mFirst));
    mAnimation.SetPosition(event.mX, event.mY);
    mAnimation.Restart();
}

std::string ScoreEffect::AnimationFile(int runLength) {
    switch (runLength) {
    case 3:
        return "data/score3.anim";
    case 4:
        return "data/score4.anim";
    case 5:
        return "data/score5.anim";
    default:
        return "data/score6.anim";
    }
}

void ScoreEffect::DrawOverlay(Kavo::Graphics* g) {
    if (!mDone)
        mAnimation.DrawOverlay(g);
}

void ScoreEffect::Update() {
    if (mDone)
        return;
    mAnimation.Update();
    mDone = IsAnimationFinished(mAnimation);
}

void ScoreEffect::Update(float t) {
    if (!mDone)
        mAnimation.Update(t);
}

} // namespace Game
