#include "game/effects/trajectories.h"
#include "game/effects/trajectories_writer.h"

#include "game/ui/spline_animation.h"
#include "platform/file_system.h"
#include "tests/support/headless_environment.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace Game {
namespace {

TrajectoryPath Path(const std::string& name, std::vector<std::pair<int, int>> points, std::vector<float> lengths = {}) {
    TrajectoryPath path;
    path.mName = name;
    for (size_t i = 0; i < points.size(); ++i) {
        PathPoint point;
        point.x = points[i].first;
        point.y = points[i].second;
        point.segmentLength = i < lengths.size() ? lengths[i] : 0.0f;
        path.mPoints.push_back(point);
    }
    return path;
}

std::string U32(std::uint32_t value) {
    std::string out;
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
    return out;
}

class TrajectoriesTest : public Kavo::HeadlessEnvironment {
protected:
    std::string Write(const std::string& bytes) {
        const std::string path = Platform().Folder() + "/Trajectories" + std::to_string(mFiles++) + ".dat";
        EXPECT_TRUE(platform::WriteWholeFile(path, bytes));
        return path;
    }

private:
    int mFiles = 0;
};

TEST_F(TrajectoriesTest, FindsByExactNameTheFirstOfDuplicates) {
    const std::string file = Write(EncodeTrajectories({
        Path("Rank_1_0", {{0, 0}, {10, 0}}, {7, 0}),
        Path("rank_1_0", {{1, 1}}),
        Path("Rank_1_0", {{2, 2}}),
    }));
    Trajectories table(file);
    ASSERT_EQ(table.GetCount(), 3u);
    const TrajectoryPath* first = table.Find("Rank_1_0");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->mPoints.size(), 2u);
    const TrajectoryPath* lower = table.Find("rank_1_0");
    ASSERT_NE(lower, nullptr);
    EXPECT_EQ(lower->mPoints[0].x, 1);
    for (const char* absent : {"RANK_1_0", "Rank_1_", "Rank_1_0 ", ""})
        EXPECT_EQ(table.Find(absent), nullptr) << absent;
}

TEST_F(TrajectoriesTest, EmptyAndMissingFiles) {
    Trajectories empty;
    EXPECT_TRUE(empty.Load(Write(U32(0)), true));
    EXPECT_EQ(empty.GetCount(), 0u);
    EXPECT_EQ(empty.Find("Rank_1_0"), nullptr);

    Trajectories missing;
    EXPECT_FALSE(missing.Load(Platform().Folder() + "/none.dat", true));
    EXPECT_EQ(missing.Find("Rank_1_0"), nullptr);
}

TEST_F(TrajectoriesTest, StoredLengthsAreKeptAndSummedWithoutTheLastPoint) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const std::string file = Write(EncodeTrajectories({
        Path("Stored", {{0, 0}, {1000, 0}, {1000, 1000}}, {7, 5, 99}),
        Path("One", {{5, 6}}, {42}),
        Path("Hostile", {{0, 0}, {1, 0}, {2, 0}, {3, 0}}, {-4, nan, inf, 3}),
        Path("Empty", {}),
    }));
    Trajectories table;
    ASSERT_TRUE(table.Load(file, true));
    struct Case {
        const char* name;
        float total;
        size_t points;
    };
    for (const Case& c : {Case{"Stored", 12, 3}, Case{"One", 0, 1}, Case{"Hostile", 0, 4}, Case{"Empty", 0, 0}}) {
        const TrajectoryPath* path = table.Find(c.name);
        ASSERT_NE(path, nullptr) << c.name;
        EXPECT_EQ(path->mTotalLength, c.total) << c.name;
        EXPECT_EQ(path->mPoints.size(), c.points) << c.name;
    }
    EXPECT_EQ(table.Find("Stored")->mPoints[1].segmentLength, 5.0f);
    for (const PathPoint& point : table.Find("Hostile")->mPoints)
        EXPECT_EQ(point.segmentLength, point.x == 3 ? 3.0f : 0.0f);
    // The reserved floats are carried as stored.
    const PathPoint& p = table.Find("Stored")->mPoints[0];
    EXPECT_EQ(p.scale, 1.0f);
    EXPECT_EQ(p.angle, 0.0f);
}

TEST_F(TrajectoriesTest, DamagedFilesKeepTheCompletePathsBeforeTheDamage) {
    const std::string good = EncodeTrajectories({Path("A", {{1, 2}, {3, 4}}, {2.8f, 0})});
    const std::string goodBody = good.substr(4); // without the count
    const std::string name20(20, 'N');
    struct Case {
        const char* what;
        std::string bytes;
        size_t kept;
    };
    const Case cases[] = {
        {"no count at all", "", 0},
        {"a million paths in 40 bytes", U32(1000000) + U32(0) + name20 + std::string(12, 'x'), 1},
        {"point count past the end", U32(2) + goodBody + U32(0x7FFFFFFF) + name20 + std::string(28, 'x'), 1},
        {"huge point count", U32(1) + U32(0xFFFFFFFF) + name20, 0},
        {"cut inside a point", U32(2) + goodBody + goodBody.substr(0, goodBody.size() - 3), 1},
        {"cut inside a name", U32(2) + goodBody + U32(1) + "Rank", 1},
    };
    for (const Case& c : cases) {
        Trajectories table;
        EXPECT_FALSE(table.Load(Write(c.bytes), true)) << c.what;
        EXPECT_EQ(table.GetCount(), c.kept) << c.what;
        if (c.kept == 1 && table.Find("A") != nullptr) {
            EXPECT_EQ(table.Find("A")->mPoints[1].y, 4) << c.what;
        }
    }
    // A name that fills its 20 bytes without a NUL keeps 19 characters.
    std::string bytes = U32(1) + U32(1) + std::string(20, 'A') + std::string(28, '\0');
    Trajectories table;
    EXPECT_TRUE(table.Load(Write(bytes), true));
    const TrajectoryPath* cut = table.Find(std::string(19, 'A'));
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(cut->mPoints.size(), 1u);
}

TEST_F(TrajectoriesTest, LoadReplacesTheTable) {
    Trajectories table(Write(EncodeTrajectories({Path("Old", {{0, 0}})})));
    ASSERT_NE(table.Find("Old"), nullptr);
    EXPECT_TRUE(table.Load(Write(EncodeTrajectories({Path("New", {{0, 0}})})), false));
    EXPECT_EQ(table.Find("Old"), nullptr);
    EXPECT_NE(table.Find("New"), nullptr);
    // A file that cannot be opened leaves it as it was.
    EXPECT_FALSE(table.Load(Platform().Folder() + "/none.dat", false));
    EXPECT_NE(table.Find("New"), nullptr);
}

TEST(TrajectoryFactoriesTest, ArcsBowToTheRightOfTheirDirection) {
    struct Case {
        int x1, y1, x2, y2;
        float offset;
        int middleX, middleY;
    };
    const Case cases[] = {
        {0, 0, 100, 0, 20, 50, 20},       {0, 0, 100, 0, -20, 50, -20}, {0, 0, 100, 0, 0, 50, 0},
        {0, 0, 0, 100, 20, -20, 50},      {5, 5, 5, 5, 20, 5, 5},       {0, 0, 3, 0, 0.9f, 1, 0},
        {0, 0, -100, 0, 20.5f, -50, -20},
    };
    for (const Case& c : cases) {
        auto path = Trajectories::MakeArc(c.x1, c.y1, c.x2, c.y2, c.offset);
        ASSERT_EQ(path->mPoints.size(), 3u);
        EXPECT_TRUE(path->mName.empty());
        EXPECT_EQ(path->mPoints[1].x, c.middleX) << c.x2 << "," << c.y2 << " offset " << c.offset;
        EXPECT_EQ(path->mPoints[1].y, c.middleY) << c.x2 << "," << c.y2 << " offset " << c.offset;
        EXPECT_EQ(path->mPoints[0].x, c.x1);
        EXPECT_EQ(path->mPoints[2].y, c.y2);
        for (const PathPoint& p : path->mPoints) {
            EXPECT_EQ(p.scale, 1.0f);
            EXPECT_EQ(p.angle, 0.0f);
            EXPECT_EQ(p.angleFactor, 1.0f);
            EXPECT_EQ(p.scaleFactor, 1.0f);
        }
        EXPECT_EQ(path->mPoints[2].segmentLength, 0.0f);
        EXPECT_FLOAT_EQ(path->mTotalLength, path->mPoints[0].segmentLength + path->mPoints[1].segmentLength);
    }
    auto straight = Trajectories::MakeArc(0, 0, 100, 0, 0);
    EXPECT_NEAR(straight->mTotalLength, 100.0f, 1e-3);
    auto bowed = Trajectories::MakeArc(0, 0, 100, 0, 20);
    EXPECT_GT(bowed->mTotalLength, 2 * std::hypot(50.0f, 20.0f) - 1e-3f); // longer than the two chords
    // The float form truncates towards zero first.
    auto truncated = Trajectories::MakeArcF({-0.9f, 0.9f}, {100.9f, 0.5f}, 20);
    EXPECT_EQ(truncated->mPoints[0].x, 0);
    EXPECT_EQ(truncated->mPoints[0].y, 0);
    EXPECT_EQ(truncated->mPoints[2].x, 100);
    EXPECT_EQ(truncated->mPoints[1].y, 20);
}

TEST(TrajectoryFactoriesTest, LinesMeasureTheirDistance) {
    auto line = Trajectories::MakeLine(0, 0, 30, 40);
    ASSERT_EQ(line->mPoints.size(), 2u);
    EXPECT_NEAR(line->mTotalLength, 50.0f, 1e-3);
    EXPECT_NEAR(line->mPoints[0].segmentLength, 50.0f, 1e-3);
    EXPECT_EQ(Trajectories::MakeLine(7, 7, 7, 7)->mTotalLength, 0.0f);
}

TEST(TrajectoryFactoriesTest, AFlyerOnAPathOfNoLengthFinishes) {
    for (auto& path : {Trajectories::MakeLine(7, 7, 7, 7), Trajectories::MakeArc(3, 4, 3, 4, 20)}) {
        SplineAnimation flyer(0, 0, 1.0f, path.get(), false, nullptr, false, false);
        flyer.Update(1.0f);
        EXPECT_TRUE(flyer.IsFinished());
    }
}

} // namespace
} // namespace Game
