#include "game/effects/tr_line.h"
#include "game/effects/tr_oval_line.h"
#include "game/effects/tr_poly_line.h"
#include "game/effects/tr_rect_line.h"
#include "game/effects/tr_spline.h"
#include "game/effects/tr_spline_line.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace Game {
namespace {

std::unique_ptr<TrLine> Line(int type, const std::string& text) {
    std::unique_ptr<TrLine> line(CreateTrLine(type));
    line->Load(text);
    return line;
}

TEST(TrSplineTest, SegmentsAndSamplesOfOpenAndClosedCurves) {
    for (bool closed : {true, false}) {
        TrSpline spline;
        spline.SetClosed(closed);
        for (const TrIntPoint& p : {TrIntPoint{0, 0}, TrIntPoint{100, 0}, TrIntPoint{100, 100}})
            spline.AddPoint(p);
        EXPECT_EQ(spline.GetSegmentCount(), closed ? 3 : 2);
        EXPECT_EQ(spline.GetSamples().size(), closed ? 73u : 49u);
        EXPECT_EQ(spline.GetSegmentLengths().size(), closed ? 3u : 2u);
        // The curve passes through its points at the segment ends.
        EXPECT_NEAR(spline.GetSamples()[24].x, 100, 1e-3);
        EXPECT_NEAR(spline.GetSamples()[24].y, 0, 1e-3);
        if (closed) {
            EXPECT_NEAR(spline.GetSamples().back().x, 0, 1e-3);
            EXPECT_NEAR(spline.GetSamples().back().y, 0, 1e-3);
        }
    }
}

TEST(TrSplineTest, EditingKeepsTheCurveConsistent) {
    TrSpline spline;
    for (const TrIntPoint& p : {TrIntPoint{0, 0}, TrIntPoint{100, 0}, TrIntPoint{200, 50}})
        spline.AddPoint(p);
    ASSERT_GT(spline.GetLength(), 0.0f);

    spline.SplitSegment(0);
    ASSERT_EQ(spline.GetPointCount(), 4);
    EXPECT_NEAR(spline.GetPoint(1).x, 50, 2);
    EXPECT_EQ(spline.GetPoint(2).x, 100);
    EXPECT_EQ(spline.GetSegmentCount(), 3);
    spline.SplitSegment(3); // no such segment
    EXPECT_EQ(spline.GetPointCount(), 4);

    spline.RemovePoint(1);
    spline.RemovePoint(0);
    EXPECT_EQ(spline.GetPointCount(), 2);
    EXPECT_EQ(spline.GetSegmentCount(), 0);
    EXPECT_EQ(spline.GetLength(), 0.0f);
    EXPECT_TRUE(spline.GetSamples().empty());
    // Without a curve every distance gives the last point.
    EXPECT_EQ(spline.PointAtDistance(10).x, 200);

    EXPECT_EQ(spline.GetPoint(7).x, 0);
    EXPECT_EQ(spline.HitTestPoint(198, 52), 1);
    EXPECT_EQ(spline.HitTestPoint(150, 150), -1);

    spline.SetSubdivisions(0); // counts as 1: the hit tests divide by it
    spline.AddPoint({300, 0});
    EXPECT_EQ(spline.GetSubdivisions(), 1);
    EXPECT_EQ(spline.GetSamples().size(), 3u);
    EXPECT_EQ(spline.HitTestSegment(300, 0), 2);
}

TEST(TrSplineTest, DistanceAndTangentAlongTheCurve) {
    TrSpline spline;
    for (const TrIntPoint& p : {TrIntPoint{0, 0}, TrIntPoint{100, 0}, TrIntPoint{200, 0}})
        spline.AddPoint(p);
    EXPECT_NEAR(spline.GetLength(), 200, 1e-3);
    const TrIntPoint middle = spline.PointAtDistance(50);
    EXPECT_NEAR(middle.x, 50, 1);
    EXPECT_EQ(middle.y, 0);
    EXPECT_EQ(spline.PointAtDistance(-5).x, 0);
    EXPECT_EQ(spline.PointAtDistance(500).x, 200);
    const TrDoublePoint tangent = spline.TangentAtDistance(50);
    EXPECT_NEAR(tangent.x, 1, 1e-6);
    EXPECT_NEAR(tangent.y, 0, 1e-6);
    EXPECT_NEAR(spline.DistanceAtPoint(120, 5), 120, 0.5);
    EXPECT_EQ(spline.DistanceAtPoint(120, 40), 0.0f);
    EXPECT_EQ(TrSpline::ChordParameter(5, 5, 5, 5, 9, 9), 0.0f); // a chord of no length
}

TEST(TrLineTest, PointsAlongEachKind) {
    struct Case {
        int type;
        const char* text;
        float t;
        int x;
        int y;
    };
    const Case cases[] = {
        {0, "1.0;0;0,0,30,40", 0.3f, 30, 40}, // two points: no curve, the last point
        {2, "1.0,100,100,50,20", 0.0f, 75, 90},
        {2, "1.0,100,100,50,20", 0.25f, 110, 90},
        {2, "1.0,100,100,50,20", 0.5f, 125, 110},
        {2, "1.0,100,100,50,20", -0.25f, 90, 110},
        {2, "1.0,100,100,50,20", 1.25f, 110, 90},
        {2, "2.0,100,100,50,20", 0.125f, 110, 90}, // the speed scales the distance
        {3, "1.0;1;0,0,10,0", 0.5f, 5, 0},
        {3, "1.0;1;0,0,100,0,100,100", 0.5f, 100, 70},
        {3, "1.0;0;0,0,100,0,100,100", 0.75f, 100, 50},
        {3, "1.0;1;7,7,7,7", 0.5f, 7, 7}, // a path of no length stays on its point
        {1, "1.0,0,0,100,50", 0.0f, -50, 0},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TrLine> line = Line(c.type, c.text);
        line->SetT(c.t, true);
        EXPECT_EQ(line->mX, c.x) << c.text << " at " << c.t;
        EXPECT_EQ(line->mY, c.y) << c.text << " at " << c.t;
        EXPECT_EQ(line->mT, c.t);
    }
}

TEST(TrLineTest, ShapesOfTheKinds) {
    TrOvalLine oval;
    oval.Load("1.0,0,0,100,50");
    const TrIntPoint expected[] = {{-50, 0}, {0, -25}, {50, 0}, {0, 25}};
    ASSERT_EQ(oval.mSpline.GetPointCount(), 4);
    EXPECT_TRUE(oval.mSpline.IsClosed());
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(oval.mSpline.GetPoint(i).x, expected[i].x);
        EXPECT_EQ(oval.mSpline.GetPoint(i).y, expected[i].y);
        // The path passes each point at a segment end.
        const TrDoublePoint& sample = oval.mSpline.GetSamples()[static_cast<size_t>(i) * 24];
        EXPECT_NEAR(sample.x, expected[i].x, 1e-3);
        EXPECT_NEAR(sample.y, expected[i].y, 1e-3);
    }

    TrRectLine rect;
    rect.Load("1.0,100,100,50,20");
    EXPECT_EQ(rect.mPerimeter, 140);
    EXPECT_EQ(rect.mOutline[0].x, 75);
    EXPECT_EQ(rect.mOutline[0].y, 90);

    TrPolyLine poly;
    poly.Load("1.0;1;0,0,10,0");
    ASSERT_EQ(poly.mSegmentLengths.size(), 2u);
    EXPECT_EQ(poly.mSegmentLengths[0], 10.0f);
    EXPECT_EQ(poly.mSegmentLengths[1], 0.0f);
    EXPECT_EQ(poly.mTotalLength, 10.0f);
}

TEST(TrLineTest, PointsTextRoundTrips) {
    struct Case {
        int type;
        const char* text;
        const char* written;
    };
    const Case cases[] = {
        {3, "1.000000;1;10,20,30,40,", "1.000000;1;10,20,30,40,"},
        {3, " 2.5 ; 0 ; 1 , 2 ,, 3,4,5", "2.500000;0;1,2,3,4,"}, // an odd last coordinate is dropped
        {3, "0.5", "0.500000;1;"},                               // missing pieces keep the new line's values
        {0, "1.5;1;0,0,100,0,50,80,", "1.500000;1;0,0,100,0,50,80,"},
        {0, "x;2;5", "0.000000;0;"},
        {1, "1.0,10,20,30,40", "1.000000,10,20,30,40"},
        {1, "1.0,10", "1.000000,10,300,200,150"},
        {2, "1.0,-5,+7,-30,-40", "1.000000,-5,7,0,0"}, // negative sizes read as 0
        {2, "3,99999999999,12abc,x,8", "3.000000,1000000,12,0,8"},
    };
    for (const Case& c : cases) {
        std::string written;
        Line(c.type, c.text)->ToString(written);
        EXPECT_EQ(written, c.written) << c.text;
        std::string again;
        Line(c.type, written)->ToString(again);
        EXPECT_EQ(again, written) << c.text;
    }
}

TEST(TrLineTest, DegenerateInputsStayFinite) {
    // Two equal points, closed and open, a rectangle of no size, a spline
    // without points: positions stay put or on the points, never undefined.
    for (const char* text : {"1.0;1;3,4,3,4", "1.0;0;3,4,3,4"}) {
        std::unique_ptr<TrLine> line = Line(3, text);
        line->SetT(0.4f, true);
        EXPECT_EQ(line->mX, 3) << text;
        EXPECT_EQ(line->mY, 4) << text;
    }
    std::unique_ptr<TrLine> rect = Line(2, "1.0,10,10,0,0");
    rect->SetT(0.5f, true);
    EXPECT_EQ(rect->mX, -1);
    std::unique_ptr<TrLine> spline = Line(0, "1.0;0;");
    spline->SetT(0.5f, true);
    EXPECT_EQ(spline->mX, 0);
    EXPECT_EQ(spline->mY, 0);

    std::unique_ptr<TrLine> poly = Line(3, "1.0;1;0,0,100,0,100,100");
    poly->SetT(0.5f, true);
    for (float t : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
        poly->SetT(t, true);
        EXPECT_EQ(poly->mX, 100);
        EXPECT_EQ(poly->mY, 70);
    }
    EXPECT_EQ(CreateTrLine(7), nullptr);
}

TEST(TrLineTest, EditingOperations) {
    TrRectLine rect;
    rect.Load("1.0,100,100,50,20");
    EXPECT_EQ(rect.HitTest(101, 91), 1);
    rect.MovePoint(1, 100, 70);
    EXPECT_EQ(rect.mHeight, 60);
    EXPECT_EQ(rect.mWidth, 50);
    EXPECT_EQ(rect.mCenterX, 100);
    EXPECT_EQ(rect.mCenterY, 100);
    EXPECT_EQ(rect.HitTest(125, 100), 3);
    rect.MovePoint(3, 135, 110);
    EXPECT_EQ(rect.mCenterX, 110);
    EXPECT_EQ(rect.mCenterY, 110);
    EXPECT_EQ(rect.HitTest(0, 0), -1);

    TrOvalLine oval;
    oval.Load("1.0,0,0,100,50");
    EXPECT_EQ(oval.HitTest(48, 2), 2);
    oval.MovePoint(2, 60, 0);
    EXPECT_EQ(oval.mCenterX, 10);
    oval.MovePoint(0, -90, 0);
    EXPECT_EQ(oval.mWidth, 200);

    TrPolyLine poly;
    poly.Load("1.0;0;0,0,100,0,100,100");
    // The start: near the path's start point, whatever the line's t.
    poly.SetT(0.5f, true);
    EXPECT_EQ(poly.HitTest(2, 2), -2);
    EXPECT_EQ(poly.mX, 100);
    EXPECT_EQ(poly.mY, 0);
    EXPECT_EQ(poly.mT, 0.5f);
    EXPECT_EQ(poly.HitTest(98, 95), 2);
    poly.MovePoint(-2, 40, 10);
    EXPECT_EQ(poly.mStartX, 40);
    EXPECT_EQ(poly.mStartY, 0);
    EXPECT_FLOAT_EQ(poly.mStartOffset, 40);
    poly.SetT(0.0f, true);
    EXPECT_EQ(poly.mX, 40);
    EXPECT_EQ(poly.HitTest(41, 1), -2);
    poly.RemovePoint(0);
    EXPECT_EQ(poly.mTotalLength, 100.0f);

    TrPolyLine twins;
    twins.Load("1.0;1;5,5,5,5");
    twins.MovePoint(-2, 30, 30); // coincident points: the start lies on them
    EXPECT_EQ(twins.mStartX, 5);
    EXPECT_EQ(twins.mStartY, 5);
    EXPECT_EQ(twins.mStartOffset, 0.0f);
}

} // namespace
} // namespace Game
