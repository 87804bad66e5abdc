#pragma once
// The spark that several effects scatter: a particle flying off at an angle
// with an effect's two speed constants, a random spin (its gravity) and a
// fade.

#include "framework/util/rect.h"

#include <memory>

namespace Kavo {
class Image;
} // namespace Kavo

namespace Game {

class Particle;
class RectParticle;

struct SparkRecipe {
    float speedX = 0.25f; // velocity (speedX cos a, -speedY sin a)
    float speedY = 0.25f;
    float spinDivisor = 5000.0f; // spin = (Rand() mod 100) / spinDivisor
    float alpha = 255.0f;
    float fade = 3.0f; // alpha lost per update
    bool additive = true;
};

// A spark at (x, y) flying at `angleRadians`, white, with the recipe's
// alpha, fade and draw mode; the image is not owned.
std::unique_ptr<Particle> MakeSpark(const SparkRecipe& recipe, Kavo::Image* image, float x, float y,
                                    float angleRadians);
// The same showing one rectangle of the image.
std::unique_ptr<RectParticle> MakeRectSpark(const SparkRecipe& recipe, Kavo::Image* image, const Kavo::IntRect& source,
                                            float x, float y, float angleRadians);

// Degrees to radians.
float DegreesToRadians(float degrees);

} // namespace Game
