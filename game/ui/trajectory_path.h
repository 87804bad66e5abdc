#pragma once
// A path through integer points with the arc length of each segment, as the
// trajectory table and its factories make them; the spline animation only
// reads it.

#include <string>
#include <vector>

namespace Game {

struct PathPoint {
    int x = 0;
    int y = 0;
    float scale = 1.0f;
    float angle = 0.0f;
    float angleFactor = 1.0f;
    float scaleFactor = 1.0f;
    float segmentLength = 0.0f; // to the next point; 0 in the last
};

struct TrajectoryPath {
    std::vector<PathPoint> mPoints;
    std::string mName;
    float mTotalLength = 0.0f;
};

} // namespace Game
