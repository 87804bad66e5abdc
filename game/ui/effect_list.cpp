#include "game/ui/effect_list.h"

#include "game/ui/effect_base.h"

namespace Game {

EffectList::~EffectList() {
    if (mAutoRemove)
        Clear();
}

void EffectList::Add(EffectBase* effect) {
    mEffects.push_back(effect);
}

void EffectList::Draw(Kavo::Graphics* g) {
    for (EffectBase* effect : mEffects) {
        if (effect->mLayer == 0)
            effect->Draw(g);
        else if (effect->mLayer == 1)
            effect->DrawOverlay(g);
    }
}

void EffectList::UpdateF(float fraction) {
    for (EffectBase* effect : mEffects)
        effect->Update(fraction);
}

void EffectList::Update() {
    // By index: an effect's update may append to this list.
    size_t i = 0;
    while (i < mEffects.size()) {
        EffectBase* effect = mEffects[i];
        effect->Update();
        if (mAutoRemove && effect->IsDone()) {
            mEffects.erase(mEffects.begin() + static_cast<std::ptrdiff_t>(i));
            delete effect;
            continue; // the next effect took this place
        }
        ++i;
    }
}

void EffectList::Clear() {
    std::vector<EffectBase*> effects;
    effects.swap(mEffects);
    for (EffectBase* effect : effects)
        delete effect;
}

} // namespace Game
