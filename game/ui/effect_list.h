#pragma once
// The owning list in which screens keep their short-lived effects: it draws
// them by layer, updates them and, when it owns them, deletes the finished
// ones.

#include <cstddef>
#include <vector>

namespace Kavo {
class Graphics;
} // namespace Kavo

namespace Game {

class EffectBase;

class EffectList {
public:
    explicit EffectList(bool autoRemove = false) : mAutoRemove(autoRemove) {}
    // Deletes the remaining effects only when the list owns them.
    ~EffectList();
    EffectList(const EffectList&) = delete;
    EffectList& operator=(const EffectList&) = delete;

    // Appends; an owning list deletes the effect once it is done.
    void Add(EffectBase* effect);
    // Layer 0 through Draw, layer 1 through DrawOverlay, other layers not.
    void Draw(Kavo::Graphics* g);
    void UpdateF(float fraction);
    // Updates each effect in order; an owning list deletes an effect in the
    // same pass in which it reports done, after its own update ran.
    void Update();
    // Deletes every effect whether the list owns them or not; the owning
    // flag stays as it is.
    void Clear();

    size_t GetCount() const { return mEffects.size(); }
    EffectBase* Get(size_t index) const { return mEffects[index]; }
    bool IsEmpty() const { return mEffects.empty(); }

    bool mAutoRemove;

private:
    std::vector<EffectBase*> mEffects;
};

} // namespace Game
