#include "game/effects/tr_move_items.h"

#include "framework/graphics/memory_image.h"
#include "game/effects/tr_item.h"
#include "game/effects/tr_line.h"
#include "game/ui/resource_ids.h"
#include "platform/file_system.h"
#include "tests/game/effects/effect_test.h"
#include "tools/sample_content/scene_content.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

namespace Game {
namespace {

class TrMoveItemsTest : public EffectTest {
protected:
    // A scene file of the given text (lines end in CR LF).
    std::string Scene(const std::string& text) {
        std::string crlf;
        for (char c : text)
            crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        const std::string path = Platform().Folder() + "/scene" + std::to_string(mFiles++) + ".ini";
        EXPECT_TRUE(platform::WriteWholeFile(path, crlf));
        return path;
    }

    // One game update as the screens run it, without drawing.
    static void Step(TrMoveItems& scene) {
        scene.Update();
        scene.Update(1.0f);
    }

private:
    int mFiles = 0;
};

constexpr const char* kTriangle = "[Main]\nTime=1\n"
                                  "[Item1]\nLineIndex=0\nTRAJECTORY_SPEED=0,1;1,1\n"
                                  "[Item2]\nLineIndex=0\nTRAJECTORY_SPEED=0,1;1,1\n"
                                  "[Line1]\nType=3\nPoints=1.0;1;0,0,100,0,100,100\n";

TEST_F(TrMoveItemsTest, ItemsSharingALineGoRoundItOncePerCycle) {
    TrMoveItems scene;
    scene.Load(Scene(kTriangle));
    ASSERT_EQ(scene.GetItemCount(), 2);
    ASSERT_EQ(scene.GetLineCount(), 1);
    scene.Start(0, 0);
    for (int i = 0; i < 50; ++i)
        Step(scene);
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(scene.GetItem(k).mX, 100) << k;
        EXPECT_EQ(scene.GetItem(k).mY, 70) << k;
    }
    for (int i = 0; i < 48; ++i)
        Step(scene);
    // Nearly round: on the closing edge, close to the start.
    EXPECT_LT(scene.GetItem(1).mX, 10);
    EXPECT_LT(scene.GetItem(1).mY, 10);
}

TEST_F(TrMoveItemsTest, UnknownLineKindsTakeNoIndex) {
    TrMoveItems scene;
    scene.Load(Scene("[Main]\nTime=1\n[Item1]\nLineIndex=0\n[Item2]\nLineIndex=1\n"
                     "[Line1]\nType=7\nPoints=1.0;1;0,0,5,5\n[Line2]\nType=3\nPoints=1.0;1;0,0,100,0\n"));
    ASSERT_EQ(scene.GetLineCount(), 1);
    EXPECT_EQ(scene.GetLine(0).GetType(), 3);
    EXPECT_EQ(scene.GetItem(0).mLine, &scene.GetLine(0));
    EXPECT_EQ(scene.GetItem(1).mLine, nullptr);
}

TEST_F(TrMoveItemsTest, ParticlesStayOrTravelWithTheirItem) {
    for (int carried : {0, 1}) {
        TrMoveItems scene;
        scene.Load(Scene(
            "[Main]\nTime=1\n[Item1]\nLineIndex=0\nTRAJECTORY_SPEED=0,1;1,1\nTrMoveItems=" + std::to_string(carried) +
            "\nNUMBER=0,1\nEMISSION_RANGE=0,1\nLIFE=0,5\n"
            "[Line1]\nType=3\nPoints=1.0;0;0,0,200,0\n"));
        scene.Start(0, 0);
        Step(scene);
        TrItem& item = scene.GetItem(0);
        ASSERT_EQ(item.mParticles.size(), 1u);
        const float bornX = item.mParticles[0].x;
        const float itemX = item.mX;
        for (int i = 0; i < 20; ++i)
            Step(scene);
        ASSERT_EQ(item.mParticles.size(), 1u);
        EXPECT_NEAR(item.mX - itemX, 40, 1);
        EXPECT_EQ(item.mParticles[0].x - bornX, carried == 1 ? item.mX - itemX : 0) << carried;
    }
}

TEST_F(TrMoveItemsTest, EmptyOrMissingFilesAreDoneAtOnce) {
    for (const std::string& path : {Scene(""), Platform().Folder() + "/no_such_scene.ini"}) {
        TrMoveItems scene;
        scene.Load(path);
        scene.Start(10, 10);
        EXPECT_EQ(RunEffect(scene, 10), 1) << path;
    }
}

TEST_F(TrMoveItemsTest, StartAgainReplaysWithoutTheOldParticles) {
    TrMoveItems scene;
    scene.Load(Scene("[Main]\nX=7\nY=9\nTime=0.5\n[Item1]\nNUMBER=0,5\nEMISSION_RANGE=0,1\nLIFE=0,2\n"));
    EXPECT_EQ(scene.GetItem(0).mX, 7);
    EXPECT_EQ(scene.GetItem(0).mY, 9);
    scene.Start(100, 100);
    for (int i = 0; i < 60; ++i)
        Step(scene);
    EXPECT_EQ(scene.GetItem(0).mParticles.size(), 5u);
    scene.Start(300, 200);
    EXPECT_TRUE(scene.GetItem(0).mParticles.empty());
    EXPECT_EQ(scene.GetItem(0).mClock, 0.0f);
    EXPECT_EQ(scene.GetItem(0).mX, 300);
}

TEST_F(TrMoveItemsTest, ImagesByIdAreSharedAndSizeTheSourceRectangle) {
    Kavo::MemoryImage sparkle;
    sparkle.Create(24, 16);
    Kavo::Image* const previous = IMAGE_SPARKLE;
    IMAGE_SPARKLE = &sparkle;
    TrMoveItems scene;
    scene.Load(Scene("[Main]\n[Item1]\nImage=IMAGE_SPARKLE\n[Item2]\nImage=IMAGE_SPARKLE\nTextRect=2,2,8,8\n"
                     "[Item3]\nImage=FONT_DEFAULT\n"));
    IMAGE_SPARKLE = previous;
    ASSERT_EQ(scene.GetItemCount(), 3);
    EXPECT_EQ(scene.mDuration, 2.0f);
    EXPECT_EQ(scene.GetItem(0).mDesc.mImage, &sparkle);
    EXPECT_EQ(scene.GetItem(0).mDesc.mTextureWidth, 24);
    EXPECT_EQ(scene.GetItem(0).mDesc.mTextureHeight, 16);
    EXPECT_EQ(scene.GetItem(1).mDesc.mTextureWidth, 8);
    // A font's name is no picture: read as a file name, which is missing.
    EXPECT_EQ(scene.GetItem(2).mDesc.mImage, nullptr);
}

TEST_F(TrMoveItemsTest, SampleScenesEndInTime) {
    ASSERT_TRUE(Kavo::SampleContent::WriteSceneContent(Platform().Folder()));
    Kavo::MemoryImage sparkle;
    sparkle.Create(32, 32);
    std::fill(sparkle.GetBits(), sparkle.GetBits() + 32 * 32, 0xFFFFFFFFu);
    sparkle.BitsChanged();
    Kavo::MemoryImage particles;
    particles.Create(128, 128);
    Kavo::Image* const previousSparkle = IMAGE_SPARKLE;
    Kavo::Image* const previousParticles = IMAGE_PARTICLES;
    IMAGE_SPARKLE = &sparkle;
    IMAGE_PARTICLES = &particles;
    const std::vector<std::string> names = Kavo::SampleContent::SceneFileNames();
    EXPECT_EQ(names.size(), 15u);
    std::set<int> lineKinds;
    for (const std::string& name : names) {
        TrMoveItems scene;
        scene.Load(Platform().Folder() + "/" + name);
        ASSERT_GT(scene.GetItemCount(), 0) << name;
        for (int i = 0; i < scene.GetLineCount(); ++i)
            lineKinds.insert(scene.GetLine(i).GetType());
        float longestLife = 0;
        for (int i = 0; i < scene.GetItemCount(); ++i) {
            const TrEmitterDesc& desc = scene.GetItem(i).mDesc;
            for (const auto& [time, life] : desc.mLife.mKeys) {
                float spread = 0;
                for (const auto& [t, v] : desc.mLifeVar.mKeys)
                    spread = std::max(spread, v);
                longestLife = std::max(longestLife, life + spread / 2);
            }
        }
        scene.Start(512, 384);
        const int bound = static_cast<int>(std::ceil((2 * scene.mDuration + longestLife) * 100));
        EXPECT_GT(RunEffect(scene, bound), 0) << name;
    }
    IMAGE_SPARKLE = previousSparkle;
    IMAGE_PARTICLES = previousParticles;
    EXPECT_EQ(lineKinds, (std::set<int>{0, 1, 2, 3}));
}

} // namespace
} // namespace Game
