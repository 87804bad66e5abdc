#include "game/effects/trajectories_writer.h"

#include "game/effects/trajectories.h"

#include <cstdint>
#include <cstring>

namespace Game {

namespace {

void PutU32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void PutFloat(std::string& out, float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof(bits));
    PutU32(out, bits);
}

} // namespace

std::string EncodeTrajectories(const std::vector<TrajectoryPath>& paths) {
    std::string out;
    PutU32(out, static_cast<std::uint32_t>(paths.size()));
    for (const TrajectoryPath& path : paths) {
        PutU32(out, static_cast<std::uint32_t>(path.mPoints.size()));
        std::string name = path.mName.substr(0, Trajectories::kNameBytes - 1);
        name.resize(Trajectories::kNameBytes, '\0');
        out += name;
        for (const PathPoint& point : path.mPoints) {
            PutU32(out, static_cast<std::uint32_t>(point.x));
            PutU32(out, static_cast<std::uint32_t>(point.y));
            PutFloat(out, point.scale);
            PutFloat(out, point.angle);
            PutFloat(out, point.angleFactor);
            PutFloat(out, point.scaleFactor);
            PutFloat(out, point.segmentLength);
        }
    }
    return out;
}

} // namespace Game
