#pragma once
// The lists of owned sparks that effects scatter: moved together, dropped
// once faded, drawn every particle or only every n-th.

#include "game/effects/particle.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace Game {

// Moves every particle by the fraction `f` of an update, then deletes the
// faded ones.
template <typename T>
void UpdateParticles(std::vector<std::unique_ptr<T>>& particles, float f) {
    for (auto& particle : particles)
        particle->Update(f);
    std::erase_if(particles, [](const std::unique_ptr<T>& particle) { return particle->IsDone(); });
}

// Every `stride`-th particle from the first (a stride below 1 draws all).
inline void DrawParticles(Kavo::Graphics* g, std::vector<std::unique_ptr<Particle>>& particles, int stride) {
    const size_t step = static_cast<size_t>(std::max(stride, 1));
    for (size_t i = 0; i < particles.size(); i += step)
        particles[i]->Draw(g);
}

// The same for rectangle particles, at their own alpha.
inline void DrawRectParticles(Kavo::Graphics* g, std::vector<std::unique_ptr<RectParticle>>& particles, int stride) {
    const size_t step = static_cast<size_t>(std::max(stride, 1));
    for (size_t i = 0; i < particles.size(); i += step)
        particles[i]->Draw(g, 255.0f);
}

} // namespace Game
