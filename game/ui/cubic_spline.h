#pragma once

#include <vector>

namespace Game {

// One segment of a cubic curve: a + b t + c t^2 + d t^3 for t in 0..1.
struct CubicSegment {
    float a = 0;
    float b = 0;
    float c = 0;
    float d = 0;

    float At(float t) const { return ((d * t + c) * t + b) * t + a; }
};

// The natural cubic spline through values[0..n]: n segments. Fewer than
// two values give no segment.
std::vector<CubicSegment> SolveCubicSpline(int n, const int* values);
// The same through float values: values.size() - 1 segments.
std::vector<CubicSegment> SolveCubicSpline(const std::vector<float>& values);

} // namespace Game
