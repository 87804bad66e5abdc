#pragma once
// Sparks strewn over the box a flyer leaves behind: each at a random offset
// within 40 x 50 pixels less one cel of its picture (no offset where a cel
// is that large), flying off at a random angle.

#include "game/effects/spark.h"

#include <memory>
#include <vector>

namespace Game {

class Particle;

// Appends `count` sparks of `image` from (x, y); the picture is not owned.
void AddBoxSparks(std::vector<std::unique_ptr<Particle>>& sparks, const SparkRecipe& recipe, Kavo::Image* image,
                  int count, float x, float y);

} // namespace Game
