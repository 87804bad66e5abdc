#pragma once
// A spline animation that owns the path it runs along, for the bonuses that
// build a straight line or an arc of their own.

#include "game/ui/spline_animation.h"
#include "game/ui/trajectory_path.h"

#include <memory>

namespace Game {

class PathAnimation : public SplineAnimation {
public:
    // `lengthScale`: pixels of the path covered per 100 updates.
    PathAnimation(std::unique_ptr<TrajectoryPath> path, float lengthScale);

    // Runs along the new path from its start (call Restart to begin).
    void SetPath(std::unique_ptr<TrajectoryPath> path, float lengthScale);
    const TrajectoryPath* GetPath() const { return mOwnedPath.get(); }

private:
    std::unique_ptr<TrajectoryPath> mOwnedPath;
};

} // namespace Game
