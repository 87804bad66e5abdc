// The effects' sample content, as make-sample-content writes it, read back.
#include "tools/sample_content/effects_content.h"

#include "framework/graphics/memory_image.h"
#include "game/effects/particle_system.h"
#include "game/effects/trajectories.h"
#include "game/ui/resource_ids.h"
#include "tests/support/headless_environment.h"

#include <string>

namespace Game {
namespace {

class EffectsContentTest : public Kavo::HeadlessEnvironment {
protected:
    EffectsContentTest() { EXPECT_TRUE(Kavo::SampleContent::WriteEffectsContent(Platform().Folder())); }
    std::string File(const std::string& name) { return Platform().Folder() + "/" + name; }
};

TEST_F(EffectsContentTest, NamedPathsFlyFromTheCentre) {
    Trajectories table;
    ASSERT_TRUE(table.Load(File("data/Trajectories.dat"), true));
    EXPECT_EQ(table.GetCount(), 25u);
    std::vector<std::string> names;
    for (int rank = 1; rank <= 3; ++rank)
        for (int star = 0; star < 5; ++star)
            names.push_back("Rank_" + std::to_string(rank) + "_" + std::to_string(star));
    for (int reward = 0; reward < 10; ++reward)
        names.push_back("Reward" + std::to_string(reward));
    for (const std::string& name : names) {
        const TrajectoryPath* path = table.Find(name);
        ASSERT_NE(path, nullptr) << name;
        EXPECT_GE(path->mPoints.size(), 3u) << name;
        EXPECT_LE(path->mPoints.size(), 6u) << name;
        EXPECT_EQ(path->mPoints.front().x, 512) << name;
        EXPECT_EQ(path->mPoints.front().y, 384) << name;
        EXPECT_GT(path->mTotalLength, 0.0f) << name;
    }
}

TEST_F(EffectsContentTest, ParticleDescriptions) {
    Kavo::MemoryImage sparkle;
    sparkle.Create(32, 16);
    Kavo::Image* const previous = IMAGE_SPARKLE;
    IMAGE_SPARKLE = &sparkle;
    ParticleSystem puzzle(File("particles/puzzle.ini"), 50);
    IMAGE_SPARKLE = previous;
    EXPECT_EQ(puzzle.mImage, &sparkle);
    EXPECT_EQ(puzzle.mTextureRects.size(), 2u);
    EXPECT_GT(puzzle.mLifetime, 0.0f);

    ParticleSystem mapReady(File("particles/mapready.ini"), 50);
    EXPECT_EQ(mapReady.mAppearMode, 2);
    EXPECT_EQ(mapReady.mImageName, "mapready_spark");
    EXPECT_GT(mapReady.mSizeX, 0.0f);
    EXPECT_GT(mapReady.mSizeY, 0.0f);
}

} // namespace
} // namespace Game
