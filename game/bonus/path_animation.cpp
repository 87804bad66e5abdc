#include "game/bonus/path_animation.h"

namespace Game {

PathAnimation::PathAnimation(std::unique_ptr<TrajectoryPath> path, float lengthScale)
    : SplineAnimation(0, 0, lengthScale, path.get(), false, nullptr, false, false), mOwnedPath(std::move(path)) {}

void PathAnimation::SetPath(std::unique_ptr<TrajectoryPath> path, float lengthScale) {
    mOwnedPath = std::move(path);
    mLengthScale = lengthScale;
    BuildPath(0, 0, mOwnedPath.get(), false, false);
}

} // namespace Game
