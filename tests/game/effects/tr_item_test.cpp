#include "game/effects/tr_item.h"

#include "framework/graphics/memory_image.h"
#include "game/ui/ini_document.h"
#include "platform/crt_random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

namespace Game {
namespace {

// An item described by the given "key=value" lines, at (x, y), started.
std::unique_ptr<TrItem> MakeItem(const std::string& lines, float duration = 1.0f, float x = 500, float y = 300) {
    const std::string text = "[Item1]\r\n" + lines;
    IniDocument document;
    document.Parse(text.c_str(), text.size(), true);
    auto item = std::make_unique<TrItem>();
    item->mDesc.Load(*document.GetSection("Item1"));
    item->mDuration = duration;
    item->Start(x, y);
    return item;
}

TEST(TrItemTest, WithoutANumberCurveNothingIsBornAndTheCycleEnds) {
    std::unique_ptr<TrItem> item = MakeItem("LIFE=0,1\r\n", 0.5f);
    int ticks = 0;
    while (!item->mDone && ticks < 1000) {
        item->Tick();
        EXPECT_TRUE(item->mParticles.empty());
        ++ticks;
    }
    EXPECT_GE(ticks, 50);
    EXPECT_LE(ticks, 53);

    std::unique_ptr<TrItem> endless =
        MakeItem("NeverEnding=1\r\nNUMBER=0,3\r\nEMISSION_RANGE=0,1\r\nLIFE=0,0.2\r\n", 0.1f);
    size_t most = 0;
    for (int i = 0; i < 500; ++i) {
        endless->Tick();
        most = i >= 450 ? std::max(most, endless->mParticles.size()) : 0;
    }
    EXPECT_FALSE(endless->mDone);
    EXPECT_EQ(most, 3u); // still emitting
}

TEST(TrItemTest, AFallingNumberDeletesTheOldestParticles) {
    std::unique_ptr<TrItem> item = MakeItem("NUMBER=0,10\r\nEMISSION_RANGE=0,1\r\nLIFE=0,5\r\n");
    item->Tick();
    ASSERT_EQ(item->mParticles.size(), 10u);
    for (size_t i = 0; i < 10; ++i)
        item->mParticles[i].x = static_cast<float>(i);
    item->mDesc.mNumber.Parse("0,4");
    item->Tick();
    ASSERT_EQ(item->mParticles.size(), 4u);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(item->mParticles[i].x, static_cast<float>(i + 6));
}

TEST(TrItemTest, TheCycleFractionOfACycleWithoutLengthIsZero) {
    for (float duration : {0.0f, -1.0f, std::nanf("")}) {
        std::unique_ptr<TrItem> item = MakeItem("NUMBER=0,2;1,2\r\nEMISSION_RANGE=0,1\r\nLIFE=0,0.05\r\n", duration);
        for (int i = 0; i < 3; ++i) {
            item->Tick();
            EXPECT_EQ(item->CycleFraction(), 0.0f) << duration;
        }
        int ticks = 0;
        while (!item->mDone && ticks++ < 100)
            item->Tick();
        EXPECT_TRUE(item->mDone) << duration;
    }
}

class TrItemBirthTest : public ::testing::Test {
protected:
    // Births of `count` particles with the item at (500, 300) in a 40 x 20 area.
    std::unique_ptr<TrItem> Born(const std::string& shapeLines, int count) {
        platform::CrtSrand(7);
        std::unique_ptr<TrItem> item =
            MakeItem("NUMBER=0," + std::to_string(count) +
                     "\r\nEMISSION_RANGE=0,1\r\nLIFE=0,5\r\nWIDTH=0,40\r\nHEIGHT=0,20\r\n" + shapeLines);
        return item;
    }
};

TEST_F(TrItemBirthTest, BoxAndOutlines) {
    std::unique_ptr<TrItem> box = Born("Shape=0\r\n", 200);
    box->Tick();
    for (const TrParticle& p : box->mParticles) {
        EXPECT_GE(p.x, 480);
        EXPECT_LT(p.x, 520);
        EXPECT_GE(p.y, 290);
        EXPECT_LT(p.y, 310);
    }

    // The outline, one edge per birth: top, right, bottom, left.
    std::unique_ptr<TrItem> outline = Born("Shape=2\r\n", 8);
    outline->Tick();
    ASSERT_EQ(outline->mParticles.size(), 8u);
    for (size_t i = 0; i < 8; ++i) {
        const TrParticle& p = outline->mParticles[i];
        switch (i % 4) {
        case 0:
            EXPECT_EQ(p.y, 290) << i;
            break;
        case 1:
            EXPECT_EQ(p.x, 520) << i;
            break;
        case 2:
            EXPECT_EQ(p.y, 310) << i;
            break;
        default:
            EXPECT_EQ(p.x, 480) << i;
            break;
        }
    }

    // The ellipse, lower and upper halves in turn.
    std::unique_ptr<TrItem> ellipse = Born("Shape=3\r\n", 50);
    ellipse->Tick();
    for (size_t i = 0; i < ellipse->mParticles.size(); ++i) {
        const float dx = ellipse->mParticles[i].x - 500;
        const float dy = ellipse->mParticles[i].y - 300;
        EXPECT_NEAR(dx * dx / 400 + dy * dy / 100, 1.0, 0.25) << i;
        EXPECT_TRUE(i % 2 == 0 ? dy >= 0 : dy <= 0) << i;
    }
}

TEST_F(TrItemBirthTest, ShapePictures) {
    // One opaque pixel among transparent blue ones: every birth lies on it.
    Kavo::MemoryImage shape;
    shape.Create(4, 4);
    std::uint32_t* bits = shape.GetBits();
    std::fill(bits, bits + 16, 0x000000FFu);
    bits[1 * 4 + 2] = 0xFFFFFFFFu;
    shape.BitsChanged();
    for (const char* kind : {"Shape=1\r\n", "Shape=0\r\n"}) {
        std::unique_ptr<TrItem> item = Born(kind, 20);
        item->mDesc.mWidth.Parse("0,4");
        item->mDesc.mHeight.Parse("0,4");
        item->mDesc.mShapeImage = &shape;
        item->Tick();
        ASSERT_EQ(item->mParticles.size(), 20u);
        for (const TrParticle& p : item->mParticles) {
            EXPECT_EQ(p.x, 500) << kind;
            EXPECT_EQ(p.y, 299) << kind;
        }
    }

    // Nothing but skipped pixels: the draws end, on the item.
    std::fill(bits, bits + 16, 0x000000FFu);
    shape.BitsChanged();
    std::unique_ptr<TrItem> item = Born("Shape=1\r\n", 3);
    item->mDesc.mShapeImage = &shape;
    item->Tick();
    ASSERT_EQ(item->mParticles.size(), 3u);
    EXPECT_EQ(item->mParticles[0].x, 500);
    EXPECT_EQ(item->mParticles[0].y, 300);
}

TEST_F(TrItemBirthTest, DeltaAngleFansEvenly) {
    std::unique_ptr<TrItem> item = Born("UseDeltaAngle=1\r\nSTART_DIRECTION=0,6.2831853\r\n", 4);
    item->Tick();
    ASSERT_EQ(item->mParticles.size(), 4u);
    const float expected[][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(item->mParticles[i].directionX, expected[i][0], 1e-5) << i;
        EXPECT_NEAR(item->mParticles[i].directionY, expected[i][1], 1e-5) << i;
    }
}

TEST(TrItemTest, ParticlesFollowTheirCurves) {
    std::unique_ptr<TrItem> item = MakeItem("NUMBER=0,1\r\nEMISSION_RANGE=0,1\r\nLIFE=0,1\r\nVELOCITY=0,2\r\n"
                                            "START_DIRECTION=0,1.5707964\r\nWEIGHT=0,0.5\r\nSIZE=0,1;1,3\r\n"
                                            "ALPHA=0,255;1,55\r\nFramesCount=0\r\nFrameDelay=-1\r\n");
    item->Tick();
    ASSERT_EQ(item->mParticles.size(), 1u);
    for (int i = 0; i < 50; ++i)
        item->Tick();
    const TrParticle& p = item->mParticles[0];
    EXPECT_NEAR(p.size, 2.0f, 0.03f);
    EXPECT_NEAR(p.color.mAlpha, 155, 2);
    EXPECT_EQ(p.frame, 0); // a frame count of 0 counts as 1
    item->Move(1.0f);
    item->Move(0.5f);
    // Straight right at 2 per update, weight pulling down at 0.5.
    EXPECT_NEAR(p.x, 503, 1e-3);
    EXPECT_NEAR(p.y, 300.75, 1e-3);
}

} // namespace
} // namespace Game
