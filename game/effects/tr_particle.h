#pragma once
// One particle of a trajectory emitter.

#include "framework/util/color.h"

namespace Game {

struct TrParticle {
    float x = 0;
    float y = 0;
    float directionX = 0; // a unit vector set at birth
    float directionY = 0;
    float age = 0; // seconds
    float life = 1.0f;
    float size = 1.0f; // a scale factor
    float angle = 0;   // radians
    Kavo::Color color{255, 255, 255, 255};
    int randomBit = 0;
    int frame = 0;
    int frameCounter = 0;
};

} // namespace Game
