#include "game/ui/anim_sequence.h"
#include "game/ui/cubic_spline.h"
#include "game/ui/moving_animation.h"
#include "game/ui/spline_animation.h"

#include "framework/graphics/graphics.h"
#include "tests/framework/graphics/recording_image.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace Game {
namespace {

TEST(CubicSplineTest, NaturalSplineThroughThreeValues) {
    const int values[] = {0, 1, 0};
    std::vector<CubicSegment> s = SolveCubicSpline(2, values);
    ASSERT_EQ(s.size(), 2u);
    const float expected[2][4] = {{0, 1.5f, 0, -0.5f}, {1, 0, -1.5f, 0.5f}};
    for (int i = 0; i < 2; ++i) {
        EXPECT_FLOAT_EQ(s[i].a, expected[i][0]);
        EXPECT_NEAR(s[i].b, expected[i][1], 1e-6);
        EXPECT_NEAR(s[i].c, expected[i][2], 1e-6);
        EXPECT_NEAR(s[i].d, expected[i][3], 1e-6);
    }
    EXPECT_FLOAT_EQ(s[0].At(1), 1.0f);
    EXPECT_TRUE(SolveCubicSpline(0, values).empty());
}

class MovingAnimationTest : public ::testing::Test {
protected:
    MovingAnimationTest() {
        mDesc.mImage = &mPicture;
        mDesc.mRects = {{0, 0, 100, 50}};
        mDesc.SetCurrentRect(0);
    }
    Kavo::RecordingImage mPicture{100, 50};
    ImageDesc mDesc;
};

TEST_F(MovingAnimationTest, OffsetWrapsAtTheTileWidth) {
    MovingAnimation anim;
    anim.SetImageDesc(&mDesc);
    anim.mSpeedX = 1;
    anim.Restart();
    for (int i = 0; i < 99; ++i)
        anim.Update(1.0f);
    EXPECT_FLOAT_EQ(anim.mOffsetX, 99.0f);
    anim.Update(1.0f);
    EXPECT_FLOAT_EQ(anim.mOffsetX, 0.0f);
}

TEST_F(MovingAnimationTest, TilesCoverTheWindowExactly) {
    for (float offsetX : {0.0f, 30.0f, -40.0f}) {
        for (float offsetY : {0.0f, 20.0f}) {
            MovingAnimation anim;
            anim.SetImageDesc(&mDesc);
            anim.mWindowWidth = 250;
            anim.mWindowHeight = 120;
            anim.Restart();
            anim.mOffsetX = offsetX;
            anim.mOffsetY = offsetY;
            Kavo::RecordingImage dest(400, 400);
            Kavo::Graphics g(&dest);
            g.Translate(100, 100); // keep tiles left of and above the window visible to the log
            anim.Draw(&g);
            std::vector<int> covered(250 * 120, 0);
            for (const std::string& call : dest.mCalls) {
                int x, y, sx, sy, w, h;
                ASSERT_EQ(std::sscanf(call.c_str(), "Blt %d,%d [%d,%d,%d,%d]", &x, &y, &sx, &sy, &w, &h), 6) << call;
                for (int py = y - 100; py < y - 100 + h; ++py)
                    for (int px = x - 100; px < x - 100 + w; ++px)
                        if (px >= 0 && px < 250 && py >= 0 && py < 120)
                            ++covered[static_cast<size_t>(py * 250 + px)];
            }
            for (int c : covered)
                ASSERT_EQ(c, 1) << "offset " << offsetX << "," << offsetY;
        }
    }
    // An empty tile draws nothing (and ends).
    MovingAnimation empty;
    ImageDesc flat;
    flat.mImage = &mPicture;
    flat.mRects = {{0, 0, 0, 50}};
    flat.SetCurrentRect(0);
    empty.SetImageDesc(&flat);
    empty.mWindowWidth = 100;
    empty.mWindowHeight = 100;
    empty.Restart();
    Kavo::RecordingImage dest(100, 100);
    Kavo::Graphics g(&dest);
    empty.Draw(&g);
    EXPECT_TRUE(dest.mCalls.empty());
}

TrajectoryPath Line(std::vector<std::pair<int, int>> points) {
    TrajectoryPath path;
    for (size_t i = 0; i < points.size(); ++i) {
        PathPoint p;
        p.x = points[i].first;
        p.y = points[i].second;
        if (i + 1 < points.size()) {
            const float dx = static_cast<float>(points[i + 1].first - p.x);
            const float dy = static_cast<float>(points[i + 1].second - p.y);
            p.segmentLength = std::sqrt(dx * dx + dy * dy);
        }
        path.mTotalLength += p.segmentLength;
        path.mPoints.push_back(p);
    }
    return path;
}

void MakeRunnable(Animation& anim) {
    anim.mFrames = {0};
    anim.mFrameCount = 1;
    anim.mDelays = {1};
}

TEST(SplineAnimationTest, ReachesTheLastPointAndStays) {
    for (bool arc : {false, true}) {
        TrajectoryPath path = Line({{0, 0}, {50, 0}, {50, 0}, {100, 0}});
        SplineAnimation anim(0, 0, 100.0f, &path, false, nullptr, false, arc);
        MakeRunnable(anim);
        anim.Restart();
        EXPECT_EQ(anim.mX, 0.0f);
        EXPECT_FALSE(anim.IsFinished());
        for (int i = 0; i < 50; ++i)
            anim.Update();
        EXPECT_NEAR(anim.mX, 50.0f, 1.5f) << arc;
        for (int i = 0; i < 60; ++i)
            anim.Update();
        EXPECT_TRUE(anim.IsFinished());
        EXPECT_FALSE(anim.IsMoving());
        EXPECT_NEAR(anim.mX, 100.0f, 1e-3) << arc;
        EXPECT_NEAR(anim.mY, 0.0f, 1e-3);
        for (int i = 0; i < 10; ++i)
            anim.Update(1.0f);
        EXPECT_NEAR(anim.mX, 100.0f, 1e-3);
    }
}

TEST(SplineAnimationTest, RestartPutsItOnTheFirstPoint) {
    TrajectoryPath path = Line({{10, 20}, {110, 20}});
    SplineAnimation anim(500, 300, 100.0f, &path, true, nullptr, false, false);
    MakeRunnable(anim);
    anim.Restart();
    EXPECT_EQ(anim.mX, 10.0f);
    EXPECT_EQ(anim.mY, 20.0f);
    // Restart's own refresh advanced one step (0.01 x 100) before putting it
    // back; the next advance moves onto the relative spline.
    anim.Update(1.0f);
    EXPECT_NEAR(anim.mX, 502.0f, 1e-3);
    EXPECT_NEAR(anim.mY, 300.0f, 1e-3);
}

// A relative path whose points lie near the ends of the int range (a
// damaged path file) is held inside the range instead of wrapping.
TEST(SplineAnimationTest, FarRelativePointsAreHeldInsideTheIntRange) {
    TrajectoryPath path;
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{-2147483646, 0}, {2147483000, 100}, {0, 5}}) {
        PathPoint p;
        p.x = x;
        p.y = y;
        p.segmentLength = 100.0f;
        path.mPoints.push_back(p);
    }
    path.mTotalLength = 200.0f;
    SplineAnimation anim(2147483000, -2147483000, 1000.0f, &path, true, nullptr, false, false);
    MakeRunnable(anim);
    anim.Restart();
    for (int i = 0; i < 5; ++i)
        anim.Update(1.0f);
    EXPECT_TRUE(std::isfinite(anim.mX));
    EXPECT_TRUE(std::isfinite(anim.mY));
}

TEST(SplineAnimationTest, NoPathOrOnePointStaysFinished) {
    TrajectoryPath one = Line({{7, 8}});
    SplineAnimation single(0, 0, 1.0f, &one, false, nullptr, false, false);
    SplineAnimation none(0, 0, 1.0f, nullptr, false, nullptr, false, false);
    for (SplineAnimation* anim : {&single, &none}) {
        MakeRunnable(*anim);
        anim->Restart();
        for (int i = 0; i < 10; ++i) {
            anim->Update();
            anim->Update(1.0f);
        }
        EXPECT_TRUE(anim->IsFinished());
    }
    EXPECT_EQ(single.mX, 7.0f);
    EXPECT_EQ(single.mY, 8.0f);
}

TEST(AnimSequenceTest, HiddenThenShownInTurn) {
    AnimSequence seq;
    seq.SetFrames({30, 60});
    // The state each step starts from: the step that ends a run belongs to it.
    std::string runs;
    bool last = false;
    int length = 0;
    for (int i = 0; i < 30 + 20 + 60 + 20 + 30; ++i) {
        if (i > 0 && seq.IsShown() != last) {
            runs += (last ? "S" : "H") + std::to_string(length) + " ";
            length = 0;
        }
        last = seq.IsShown();
        ++length;
        seq.Step();
    }
    runs += (last ? "S" : "H") + std::to_string(length);
    EXPECT_EQ(runs, "H30 S20 H60 S20 H30");
    EXPECT_TRUE(seq.IsShown());

    AnimSequence never;
    never.SetFrames({0});
    AnimSequence empty;
    for (int i = 0; i < 100; ++i) {
        never.Step();
        empty.Step();
    }
    EXPECT_FALSE(never.IsShown());
    EXPECT_FALSE(empty.IsShown());
}

TEST(AnimSequenceTest, DrawsCentredOnlyWhileShown) {
    Kavo::RecordingImage picture(10, 6);
    Kavo::RecordingImage dest(100, 100);
    Kavo::Graphics g(&dest);
    AnimSequence seq;
    seq.SetImage(&picture);
    seq.SetPosition(50, 50);
    seq.SetFrames({1});
    seq.Draw(&g);
    seq.Step();
    seq.Draw(&g);
    EXPECT_EQ(dest.mCalls, (std::vector<std::string>{"Blt 45,47 [0,0,10,6] (255,255,255,255) m0"}));
}

} // namespace
} // namespace Game
