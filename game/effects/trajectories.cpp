#include "game/effects/trajectories.h"

#include "framework/pak/pak_interface.h"
#include "game/ui/cubic_spline.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

namespace Game {

namespace {

// Reads a file front to back and never asks for more than it holds, so
// that counts read from it can be checked against what is left before
// anything is allocated for them.
class PathFileReader {
public:
    explicit PathFileReader(Kavo::PakFile* file) : mFile(file) {
        if (Kavo::PakSeekFile(file, 0, SEEK_END) == 0) {
            const long size = Kavo::PakTellFile(file);
            if (size >= 0 && Kavo::PakSeekFile(file, 0, SEEK_SET) == 0)
                mLeft = static_cast<size_t>(size);
        }
    }
    size_t Left() const { return mLeft; }
    bool Read(void* out, size_t count) {
        if (count > mLeft || Kavo::PakReadFile(out, 1, count, mFile) != count) {
            mLeft = 0;
            return false;
        }
        mLeft -= count;
        return true;
    }
    bool ReadU32(std::uint32_t& value) {
        std::uint8_t bytes[4];
        if (!Read(bytes, 4))
            return false;
        value = U32At(bytes);
        return true;
    }
    static std::uint32_t U32At(const std::uint8_t* bytes) {
        return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
               std::uint32_t{bytes[3]} << 24;
    }
    static float FloatAt(const std::uint8_t* bytes) {
        const std::uint32_t bits = U32At(bytes);
        float value;
        std::memcpy(&value, &bits, sizeof(value));
        return value;
    }

private:
    Kavo::PakFile* mFile;
    size_t mLeft = 0;
};

PathPoint DecodePoint(const std::uint8_t* bytes) {
    PathPoint point;
    point.x = static_cast<std::int32_t>(PathFileReader::U32At(bytes));
    point.y = static_cast<std::int32_t>(PathFileReader::U32At(bytes + 4));
    point.scale = PathFileReader::FloatAt(bytes + 8);
    point.angle = PathFileReader::FloatAt(bytes + 12);
    point.angleFactor = PathFileReader::FloatAt(bytes + 16);
    point.scaleFactor = PathFileReader::FloatAt(bytes + 20);
    const float length = PathFileReader::FloatAt(bytes + 24);
    point.segmentLength = std::isfinite(length) && length > 0 ? length : 0.0f;
    return point;
}

// One path; false (and `path` incomplete) when the file ends or lies first.
bool ReadPath(PathFileReader& reader, TrajectoryPath& path) {
    std::uint32_t count = 0;
    char name[Trajectories::kNameBytes];
    if (!reader.ReadU32(count) || !reader.Read(name, sizeof(name)))
        return false;
    if (count > reader.Left() / Trajectories::kPointBytes)
        return false;
    // A name without its NUL keeps the 19 characters a NUL would leave.
    path.mName.assign(name, strnlen(name, sizeof(name) - 1));
    std::vector<std::uint8_t> bytes(size_t{count} * Trajectories::kPointBytes);
    if (!reader.Read(bytes.data(), bytes.size()))
        return false;
    path.mPoints.reserve(count);
    for (size_t i = 0; i < count; ++i)
        path.mPoints.push_back(DecodePoint(bytes.data() + i * Trajectories::kPointBytes));
    path.mTotalLength = 0;
    for (size_t i = 0; i + 1 < path.mPoints.size(); ++i)
        path.mTotalLength += path.mPoints[i].segmentLength;
    return true;
}

PathPoint PointAt(int x, int y) {
    PathPoint point;
    point.x = x;
    point.y = y;
    return point;
}

// Truncated towards zero, held inside the int range.
int TruncateToInt(double value) {
    if (!(value > std::numeric_limits<int>::min()))
        return std::isnan(value) ? 0 : std::numeric_limits<int>::min();
    if (!(value < std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return static_cast<int>(value);
}

} // namespace

Trajectories::Trajectories(const std::string& fileName) {
    Load(fileName, false);
}

bool Trajectories::Load(const std::string& fileName, bool clear) {
    if (clear)
        Clear();
    Kavo::PakFile* file = Kavo::PakOpenFile(fileName, "rb");
    if (file == nullptr)
        return false;
    PathFileReader reader(file);
    std::vector<TrajectoryPath> paths;
    std::uint32_t count = 0;
    bool whole = reader.ReadU32(count);
    // Grows with the paths actually read: a count that the bytes cannot
    // hold allocates nothing for itself.
    for (std::uint32_t i = 0; whole && i < count; ++i) {
        TrajectoryPath path;
        whole = ReadPath(reader, path);
        if (whole)
            paths.push_back(std::move(path));
    }
    Kavo::PakCloseFile(file);
    mPaths = std::move(paths);
    return whole;
}

const TrajectoryPath* Trajectories::Find(const std::string& name) const {
    for (const TrajectoryPath& path : mPaths) {
        if (path.mName == name)
            return &path;
    }
    return nullptr;
}

std::unique_ptr<TrajectoryPath> Trajectories::MakeLine(int x1, int y1, int x2, int y2) {
    auto path = std::make_unique<TrajectoryPath>();
    path->mPoints = {PointAt(x1, y1), PointAt(x2, y2)};
    ComputeLengths(*path);
    return path;
}

std::unique_ptr<TrajectoryPath> Trajectories::MakeArc(int x1, int y1, int x2, int y2, float offset) {
    const Vector2F d =
        Normalize2D(static_cast<float>(static_cast<double>(x2) - x1), static_cast<float>(static_cast<double>(y2) - y1));
    const double middleX = (static_cast<double>(x1) + x2) * 0.5 - d.y * offset;
    const double middleY = (static_cast<double>(y1) + y2) * 0.5 + d.x * offset;
    auto path = std::make_unique<TrajectoryPath>();
    path->mPoints = {PointAt(x1, y1), PointAt(TruncateToInt(middleX), TruncateToInt(middleY)), PointAt(x2, y2)};
    ComputeLengths(*path);
    return path;
}

std::unique_ptr<TrajectoryPath> Trajectories::MakeArcF(Vector2F from, Vector2F to, float offset) {
    return MakeArc(TruncateToInt(from.x), TruncateToInt(from.y), TruncateToInt(to.x), TruncateToInt(to.y), offset);
}

void Trajectories::ComputeLengths(TrajectoryPath& path) {
    std::vector<PathPoint>& points = path.mPoints;
    path.mTotalLength = 0;
    for (PathPoint& point : points)
        point.segmentLength = 0;
    if (points.size() < 2)
        return;
    std::vector<int> xs;
    std::vector<int> ys;
    for (const PathPoint& point : points) {
        xs.push_back(point.x);
        ys.push_back(point.y);
    }
    const int segments = static_cast<int>(points.size()) - 1;
    const std::vector<CubicSegment> splineX = SolveCubicSpline(segments, xs.data());
    const std::vector<CubicSegment> splineY = SolveCubicSpline(segments, ys.data());
    for (int i = 0; i < segments; ++i) {
        const CubicSegment& sx = splineX[static_cast<size_t>(i)];
        const CubicSegment& sy = splineY[static_cast<size_t>(i)];
        float length = 0;
        float t = 0;
        for (int step = 0; step < 500; ++step) {
            const float next = t + 0.002f;
            length += std::hypot(sx.At(next) - sx.At(t), sy.At(next) - sy.At(t));
            t = next;
        }
        points[static_cast<size_t>(i)].segmentLength = length;
        path.mTotalLength += length;
    }
}

platform::ProcessSlot<Trajectories>& TrajectoriesSlot() {
    static platform::ProcessSlot<Trajectories> slot;
    return slot;
}

} // namespace Game
