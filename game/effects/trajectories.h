#pragma once
// The table of named paths read once from the game's path file, and the
// factories of straight and bowed paths that effects build on the spot.
//
// File layout (little-endian): path count N (uint32), then per path its
// point count M (uint32), its name (20 bytes, NUL-padded) and M points of
// 28 bytes: x, y (int32), scale, angle, angle factor, scale factor and the
// length of the segment to the next point (float32).

#include "game/ui/normalize_2d.h"
#include "game/ui/trajectory_path.h"
#include "platform/process_slot.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace Game {

class Trajectories {
public:
    static constexpr size_t kNameBytes = 20;
    static constexpr size_t kPathHeaderBytes = 4 + kNameBytes;
    static constexpr size_t kPointBytes = 28;

    Trajectories() = default;
    // An empty table, then Load(fileName, false).
    explicit Trajectories(const std::string& fileName);

    // Reads the file through the file API; the paths read replace the
    // table's. False when the file cannot be opened (the table is left as it
    // is) or is damaged: then the table holds the complete paths before the
    // damage. Stored segment lengths are kept (a negative or non-finite one
    // reads as 0); the total is their sum over all points but the last.
    bool Load(const std::string& fileName, bool clear);
    void Clear() { mPaths.clear(); }

    // The first path of exactly that name (letter case counts); null when
    // there is none. The table keeps it.
    const TrajectoryPath* Find(const std::string& name) const;
    size_t GetCount() const { return mPaths.size(); }
    const std::vector<TrajectoryPath>& Paths() const { return mPaths; }

    // Two points, lengths computed.
    static std::unique_ptr<TrajectoryPath> MakeLine(int x1, int y1, int x2, int y2);
    // Three points; the middle one is moved off the chord's centre by
    // `offset` at right angles: a positive offset bows the path to the right
    // of its direction on screen (downwards for a path going right).
    static std::unique_ptr<TrajectoryPath> MakeArc(int x1, int y1, int x2, int y2, float offset);
    // MakeArc of the coordinates truncated towards zero.
    static std::unique_ptr<TrajectoryPath> MakeArcF(Vector2F from, Vector2F to, float offset);
    // Measures every segment along the natural cubic spline through the
    // points (500 chords per segment) and sums the total.
    static void ComputeLengths(TrajectoryPath& path);

private:
    std::vector<TrajectoryPath> mPaths;
};

// The table of the run; the game application installs it after reading it
// at start-up.
platform::ProcessSlot<Trajectories>& TrajectoriesSlot();

} // namespace Game
