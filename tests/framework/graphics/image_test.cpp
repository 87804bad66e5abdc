#include "framework/graphics/image.h"

#include <gtest/gtest.h>

#include "tests/framework/graphics/recording_image.h"

namespace Kavo {
namespace {

struct ComputeCase {
    const char* name;
    int type;
    int frameDelay;
    std::vector<int32_t> perFrame;
    std::vector<int32_t> frameMap;
    int numCels, begin, end;
    // expected
    int cels;
    std::vector<int32_t> delays;
    std::vector<int32_t> map;
    int total;
};

TEST(AnimInfo, Compute) {
    const ComputeCase cases[] = {
        {"begin delay", AnimInfo::AnimType_Loop, 50, {}, {}, 3, 100, 0, 3, {100, 50, 50}, {}, 200},
        {"end delay", AnimInfo::AnimType_Loop, 10, {}, {}, 3, 0, 70, 3, {10, 10, 70}, {}, 90},
        {"no delays", AnimInfo::AnimType_Loop, 10, {}, {}, 4, 0, 0, 4, {}, {}, 40},
        {"zero delays take the frame delay", AnimInfo::AnimType_Loop, 7, {5, 0}, {}, 3, 0, 0, 3, {5, 7, 7}, {}, 19},
        {"ping-pong of 4", AnimInfo::AnimType_PingPong, 10, {}, {}, 4, 0, 0, 6, {}, {0, 1, 2, 3, 2, 1}, 60},
        {"ping-pong of 2", AnimInfo::AnimType_PingPong, 10, {}, {}, 2, 0, 0, 2, {}, {0, 1}, 20},
        {"ping-pong of 1", AnimInfo::AnimType_PingPong, 10, {}, {}, 1, 0, 0, 1, {}, {}, 10},
        {"frame map sets the count", AnimInfo::AnimType_Loop, 10, {}, {2, 0}, 5, 0, 0, 2, {}, {2, 0}, 20},
        {"nothing below 1", AnimInfo::AnimType_Once, 0, {}, {}, 0, 0, 0, 1, {}, {}, 1},
    };
    for (const ComputeCase& c : cases) {
        SCOPED_TRACE(c.name);
        AnimInfo info;
        info.mAnimType = c.type;
        info.mFrameDelay = c.frameDelay;
        info.mPerFrameDelay = c.perFrame;
        info.mFrameMap = c.frameMap;
        info.Compute(c.numCels, c.begin, c.end);
        EXPECT_EQ(info.mNumCels, c.cels);
        EXPECT_EQ(info.mPerFrameDelay, c.delays);
        EXPECT_EQ(info.mFrameMap, c.map);
        EXPECT_EQ(info.mTotalAnimTime, c.total);
        EXPECT_GE(info.mFrameDelay, 1);
    }
}

AnimInfo Computed(int type, int frameDelay, int numCels, std::vector<int32_t> perFrame = {},
                  std::vector<int32_t> frameMap = {}) {
    AnimInfo info;
    info.mAnimType = type;
    info.mFrameDelay = frameDelay;
    info.mPerFrameDelay = std::move(perFrame);
    info.mFrameMap = std::move(frameMap);
    info.Compute(numCels);
    return info;
}

TEST(AnimInfo, PerFrameCel) {
    const AnimInfo once = Computed(AnimInfo::AnimType_Once, 10, 3);
    const AnimInfo onceMapped = Computed(AnimInfo::AnimType_Once, 10, 2, {}, {4, 5});
    const AnimInfo loop = Computed(AnimInfo::AnimType_Loop, 10, 3);
    const AnimInfo pingPong = Computed(AnimInfo::AnimType_PingPong, 10, 4);
    const AnimInfo delays = Computed(AnimInfo::AnimType_Loop, 50, 3, {100, 50, 50});
    const struct {
        const AnimInfo* info;
        int time;
        int cel;
    } cases[] = {
        {&once, 0, 0},
        {&once, 15, 1},
        {&once, 29, 2},
        {&once, 30, 2},
        {&once, 1000, 2},
        {&onceMapped, 100, 5},
        {&onceMapped, 0, 4},
        {&loop, 30, 0},
        {&loop, 45, 1},
        {&pingPong, 35, 3},
        {&pingPong, 45, 2},
        {&pingPong, 55, 1},
        {&pingPong, 60, 0},
        {&delays, 99, 0},
        {&delays, 100, 1},
        {&delays, 150, 2},
        {&delays, 199, 2},
        {&delays, 200, 0},
        // A time before the start is the start.
        {&loop, -5, 0},
        {&once, -100, 0},
        {&pingPong, -1, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.info->GetPerFrameCel(c.time), c.cel) << "time " << c.time;
}

TEST(AnimInfo, NeverComputedRestsOnFirstFrame) {
    AnimInfo info; // total time 0
    info.mAnimType = AnimInfo::AnimType_Loop;
    info.mNumCels = 4;
    EXPECT_EQ(info.GetPerFrameCel(0), 0);
    EXPECT_EQ(info.GetPerFrameCel(123), 0);
    info.mFrameMap = {3, 1};
    EXPECT_EQ(info.GetPerFrameCel(50), 3);
}

void SetGrid(Image& image, int width, int height, int cols, int rows) {
    image.mWidth = width;
    image.mHeight = height;
    image.mNumCols = cols;
    image.mNumRows = rows;
}

TEST(Image, CelGrid) {
    Image image;
    SetGrid(image, 100, 50, 3, 2);
    EXPECT_EQ(image.GetCelWidth(), 33);
    EXPECT_EQ(image.GetCelHeight(), 25);
    EXPECT_EQ(image.GetCelRect(4), IntRect(33, 25, 33, 25)); // column 1 of row 1
    EXPECT_EQ(image.GetCelRect(2), IntRect(66, 0, 33, 25));
    EXPECT_EQ(image.GetCelRect(2, 1), IntRect(66, 25, 33, 25));
}

TEST(Image, CopiesTakeGridAndAnimationButNotPathOrDrawnFlag) {
    Image source;
    SetGrid(source, 40, 20, 4, 2);
    source.mFilePath = "images/a.png";
    source.mDrawn = true;
    source.mAnimInfo = std::make_unique<AnimInfo>(Computed(AnimInfo::AnimType_Loop, 10, 8));

    Image copy(source);
    EXPECT_EQ(copy.mWidth, 40);
    EXPECT_EQ(copy.mHeight, 20);
    EXPECT_EQ(copy.mNumCols, 4);
    EXPECT_EQ(copy.mNumRows, 2);
    EXPECT_TRUE(copy.mFilePath.empty());
    EXPECT_FALSE(copy.mDrawn);
    ASSERT_NE(copy.mAnimInfo, nullptr);
    EXPECT_NE(copy.mAnimInfo.get(), source.mAnimInfo.get());
    EXPECT_EQ(copy.mAnimInfo->mTotalAnimTime, 80);

    Image other;
    other.CopyAttributes(&source);
    EXPECT_EQ(other.mNumCols, 4);
    EXPECT_EQ(other.mNumRows, 2);
    EXPECT_EQ(other.mWidth, 0);
    ASSERT_NE(other.mAnimInfo, nullptr);
    EXPECT_NE(other.mAnimInfo.get(), source.mAnimInfo.get());

    Image plain;
    other.CopyAttributes(&plain);
    EXPECT_EQ(other.mAnimInfo, nullptr);
    EXPECT_EQ(other.mNumCols, 1);
}

TEST(Image, DefaultOutlineAndScanLinesReachFillRect) {
    RecordingImage image;
    image.mUseBaseOutline = true;
    const Color c(1, 2, 3, 4);

    image.DrawRect(IntRect(10, 20, 5, 3), c, 1);
    image.DrawRect(IntRect(0, 0, 4, 0), c, 0); // side bars of height -1 pass on unchanged
    const Span spans[] = {{7, 1, 5}, {8, 2, 0}};
    image.FillScanLines(spans, 2, c, 0);

    const std::vector<std::string> expected = {
        "FillRect [10,20,6,1] (1,2,3,4) m1", "FillRect [10,23,6,1] (1,2,3,4) m1", "FillRect [10,21,1,2] (1,2,3,4) m1",
        "FillRect [15,21,1,2] (1,2,3,4) m1", "FillRect [0,0,5,1] (1,2,3,4) m0",   "FillRect [0,0,5,1] (1,2,3,4) m0",
        "FillRect [0,1,1,-1] (1,2,3,4) m0",  "FillRect [4,1,1,-1] (1,2,3,4) m0",  "FillRect [1,7,5,1] (1,2,3,4) m0",
        "FillRect [2,8,0,1] (1,2,3,4) m0",
    };
    EXPECT_EQ(image.mCalls, expected);
}

} // namespace
} // namespace Kavo
