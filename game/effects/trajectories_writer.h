#pragma once
// The bytes of a path file as Trajectories::Load reads it, for the tools
// that make content.

#include "game/ui/trajectory_path.h"

#include <string>
#include <vector>

namespace Game {

// Names longer than 19 characters are cut; points and their stored lengths
// are written as they are.
std::string EncodeTrajectories(const std::vector<TrajectoryPath>& paths);

} // namespace Game
