#include "framework/graphics/graphics.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "tests/framework/graphics/fake_display_3d.h"
#include "tests/framework/graphics/fake_font.h"
#include "tests/framework/graphics/recording_image.h"
#include "tests/support/headless_environment.h"

namespace Kavo {
namespace {

using Calls = std::vector<std::string>;

TEST(GraphicsState, Construction) {
    RecordingImage image(64, 48);
    Graphics g(&image);
    EXPECT_EQ(g.mDestImage, &image);
    EXPECT_EQ(g.mClipRect, IntRect(0, 0, 64, 48));
    EXPECT_EQ(g.mColor, Color(0, 0, 0, 255));
    EXPECT_EQ(g.mScaleX, 1.0f);
    EXPECT_EQ(g.mScaleY, 1.0f);
    EXPECT_EQ(g.mFont, nullptr);
    EXPECT_TRUE(g.mWriteColoredString);
    EXPECT_FALSE(g.mColorizeImages || g.mFastStretch || g.mLinearBlend || g.mIs3D);

    Graphics none;
    ASSERT_NE(none.mDestImage, nullptr);
    EXPECT_EQ(none.mClipRect, IntRect(0, 0, 0, 0));
    none.FillRect(0, 0, 10, 10); // draws into nothing
}

class GraphicsIs3D : public HeadlessEnvironment {};

TEST_F(GraphicsIs3D, ComesFromTheInstalledAnswer) {
    RecordingImage drawSurface;
    RecordingImage other;
    FakeDisplay3D display;
    display.mSurface = &drawSurface;
    std::optional<platform::Installed<Display3D>> in3D(std::in_place, Display3DSlot(), display);
    Graphics on(&drawSurface);
    Graphics off(&other);
    in3D.reset();
    Graphics afterwards(&drawSurface);
    EXPECT_TRUE(on.mIs3D);
    EXPECT_FALSE(off.mIs3D);
    EXPECT_FALSE(afterwards.mIs3D);
    EXPECT_TRUE(Graphics(on).mIs3D); // a copy keeps the flag
}

TEST(GraphicsState, PushAndPopRestoreEveryField) {
    RecordingImage image;
    RecordingImage otherImage;
    FakeFont font;
    Graphics g(&image);
    g.PopState(); // empty stack: nothing changes
    EXPECT_EQ(g.mClipRect, IntRect(0, 0, 100, 100));

    g.PushState();
    g.mDestImage = &otherImage;
    g.Translate(3, 4);
    g.mScaleX = 2;
    g.mScaleOrigY = 7;
    g.SetClipRect(10, 10, 20, 20);
    g.SetColor(Color(1, 2, 3, 4));
    g.SetFont(&font);
    g.SetDrawMode(Graphics::DRAWMODE_ADDITIVE);
    g.SetColorizeImages(true);
    g.mFastStretch = true;
    g.mWriteColoredString = false;
    g.mLinearBlend = true;
    g.PopState();

    EXPECT_EQ(g.mDestImage, &image);
    EXPECT_EQ(g.mTransX, 0);
    EXPECT_EQ(g.mTransY, 0);
    EXPECT_EQ(g.mScaleX, 1);
    EXPECT_EQ(g.mScaleOrigY, 0);
    EXPECT_EQ(g.mClipRect, IntRect(0, 0, 100, 100));
    EXPECT_EQ(g.GetColor(), Color::Black);
    EXPECT_EQ(g.GetFont(), nullptr);
    EXPECT_EQ(g.GetDrawMode(), 0);
    EXPECT_FALSE(g.GetColorizeImages());
    EXPECT_FALSE(g.mFastStretch);
    EXPECT_TRUE(g.mWriteColoredString);
    EXPECT_FALSE(g.mLinearBlend);
}

TEST(GraphicsState, CopiesTakeTheStateButNotTheStack) {
    RecordingImage image;
    Graphics g(&image);
    g.PushState();
    g.SetColor(Color(9, 9, 9));
    std::unique_ptr<Graphics> copy(g.Create());
    copy->PopState(); // its stack is empty
    EXPECT_EQ(copy->GetColor(), Color(9, 9, 9));
    g.PopState();
    EXPECT_EQ(g.GetColor(), Color::Black);
}

TEST(GraphicsState, ClipRectangles) {
    RecordingImage image(100, 80);
    Graphics g(&image);
    g.Translate(10, 5);
    g.SetClipRect(-20, 0, 50, 200); // translated, then cut to the image
    EXPECT_EQ(g.mClipRect, IntRect(0, 5, 40, 75));
    g.ClipRect(0, 0, 100, 10); // narrows
    EXPECT_EQ(g.mClipRect, IntRect(10, 5, 30, 10));
    g.SetClipRect(IntRect(50, 0, 10, 10)); // replaces, not narrows
    EXPECT_EQ(g.mClipRect, IntRect(60, 5, 10, 10));
    g.ClipRect(200, 200, 5, 5);
    EXPECT_EQ(g.mClipRect, IntRect(0, 0, 0, 0));
    g.ClearClipRect();
    EXPECT_EQ(g.mClipRect, IntRect(0, 0, 100, 80));
}

TEST(GraphicsPrimitives, FillRect) {
    const struct {
        float transX, transY;
        int alpha;
        IntRect rect;
        Calls expected;
    } cases[] = {
        {0, 0, 255, {5, 6, 7, 8}, {"FillRect [5,6,7,8] (10,20,30,255) m1"}},
        {0, 0, 0, {5, 6, 7, 8}, {}}, // transparent: nothing at all
        {0, 0, 1, {90, -5, 20, 10}, {"FillRect [90,0,10,5] (10,20,30,1) m1"}},
        {0, 0, 255, {200, 200, 5, 5}, {"FillRect [0,0,0,0] (10,20,30,255) m1"}}, // empty still passes on
        // Translation: the float sum truncates toward zero.
        {0.5f, 0.5f, 255, {1, 1, 2, 2}, {"FillRect [1,1,2,2] (10,20,30,255) m1"}},
        {-0.5f, -0.5f, 255, {0, 0, 2, 2}, {"FillRect [0,0,2,2] (10,20,30,255) m1"}},
        {-0.5f, 0, 255, {3, 0, 2, 2}, {"FillRect [2,0,2,2] (10,20,30,255) m1"}},
        {2.75f, 0, 255, {3, 0, 2, 2}, {"FillRect [5,0,2,2] (10,20,30,255) m1"}},
    };
    for (const auto& c : cases) {
        RecordingImage image;
        Graphics g(&image);
        g.mTransX = c.transX;
        g.mTransY = c.transY;
        g.SetColor(Color(10, 20, 30, c.alpha));
        g.SetDrawMode(1);
        g.FillRect(c.rect);
        EXPECT_EQ(image.mCalls, c.expected) << RecordingImage::R(c.rect);
    }
}

TEST(GraphicsPrimitives, DrawRectUsesTheOutlineInsideTheClipAndFillsAtItsEdge) {
    RecordingImage image;
    Graphics g(&image);
    g.Translate(1, 1);
    g.DrawRect(10, 10, 5, 3);
    EXPECT_EQ(image.mCalls, Calls{"DrawRect [11,11,5,3] (0,0,0,255) m0"});

    image.mCalls.clear();
    g.DrawRect(94, 10, 10, 3); // right bar beyond the clip
    const Calls expected = {
        "FillRect [95,11,5,1] (0,0,0,255) m0",
        "FillRect [95,14,5,1] (0,0,0,255) m0",
        "FillRect [95,12,1,2] (0,0,0,255) m0",
        "FillRect [0,0,0,0] (0,0,0,255) m0",
    };
    EXPECT_EQ(image.mCalls, expected);

    image.mCalls.clear();
    g.SetColor(Color(1, 1, 1, 0));
    g.DrawRect(10, 10, 5, 3);
    EXPECT_TRUE(image.mCalls.empty());
}

TEST(GraphicsPrimitives, LinesAreClippedToTheClipRectangle) {
    const struct {
        int x1, y1, x2, y2;
        const char* expected; // nullptr: nothing reaches the image
    } cases[] = {
        {-10, 5, 10, 5, "DrawLine 0,5 10,5"},
        {10, 5, -10, 5, "DrawLine 0,5 10,5"}, // ends exchanged
        {-10, -5, 10, -5, nullptr},           // wholly above
        {-10, 5, -1, 5, nullptr},             // wholly left
        {150, 5, 100, 5, nullptr},            // wholly right
        {50, 50, 150, 150, "DrawLine 50,50 99,99"},
        {5, -10, 5, 10, "DrawLine 5,0 5,10"},
        {-10, 0, 10, 20, "DrawLine 0,10 10,20"},
        {20, 20, 20, 20, "DrawLine 20,20 20,20"},
    };
    for (const auto& c : cases) {
        RecordingImage image;
        Graphics g(&image);
        g.SetColor(Color(0, 0, 0, 0)); // lines have no alpha test
        g.DrawLine(c.x1, c.y1, c.x2, c.y2);
        Calls expected;
        if (c.expected != nullptr)
            expected.push_back(std::string(c.expected) + " (0,0,0,0) m0");
        EXPECT_EQ(image.mCalls, expected) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
    }

    RecordingImage image;
    Graphics g(&image);
    g.mTransX = 0.5f;
    g.DrawLineAA(-10, 5, 10, 5);
    g.SetClipRect(0, 0, 0, 0);
    g.DrawLineAA(0, 0, 0, 0);
    EXPECT_EQ(image.mCalls, Calls{"DrawLineAA 0,5 10.5,5 (0,0,0,255) m0"});
}

std::vector<std::string> SpanList(const std::vector<Span>& spans) {
    std::vector<std::string> out;
    for (const Span& s : spans)
        out.push_back(RecordingImage::Fmt("%d:%d+%d", s.mY, s.mX, s.mWidth));
    return out;
}

TEST(GraphicsPolyFill, TriangleFillsOneSpanPerRow) {
    RecordingImage image;
    Graphics g(&image);
    const Point triangle[] = {{0, 0}, {10, 0}, {0, 10}};
    g.PolyFill(triangle, 3);
    ASSERT_EQ(image.mCalls, Calls{"FillScanLines n=10 (0,0,0,255) m0"});
    for (int row = 0; row < 10; ++row) {
        EXPECT_EQ(image.mSpans[row].mY, row);
        EXPECT_EQ(image.mSpans[row].mX, 0);
        EXPECT_EQ(image.mSpans[row].mWidth, 10 - row);
    }
}

TEST(GraphicsPolyFill, ConcavePolygonPairsItsEdges) {
    RecordingImage image;
    Graphics g(&image);
    g.Translate(1, 2);
    // A "U": two arms of three pixels over a full-width base.
    const Point u[] = {{0, 0}, {3, 0}, {3, 5}, {6, 5}, {6, 0}, {9, 0}, {9, 10}, {0, 10}};
    g.PolyFill(u, 8);
    Calls expected;
    for (int y = 2; y < 7; ++y) {
        expected.push_back(RecordingImage::Fmt("%d:1+3", y));
        expected.push_back(RecordingImage::Fmt("%d:7+3", y));
    }
    for (int y = 7; y < 12; ++y)
        expected.push_back(RecordingImage::Fmt("%d:1+9", y));
    EXPECT_EQ(SpanList(image.mSpans), expected);
}

TEST(GraphicsPolyFill, ClipCutsRowsAndSpans) {
    RecordingImage image;
    Graphics g(&image);
    g.SetClipRect(2, 3, 4, 2);
    const Point square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    g.PolyFill(square, 4);
    EXPECT_EQ(SpanList(image.mSpans), (Calls{"3:2+4", "4:2+4"}));

    image.mCalls.clear();
    g.SetClipRect(50, 50, 10, 10); // polygon outside: still one call, with no spans
    g.PolyFill(square, 4);
    EXPECT_EQ(image.mCalls, Calls{"FillScanLines n=0 (0,0,0,255) m0"});

    image.mCalls.clear();
    g.PolyFill(square, 0);
    EXPECT_TRUE(image.mCalls.empty());
}

TEST(GraphicsPolyFill, ConvexPolygonIsOfferedToTheImageFirst) {
    RecordingImage image;
    Graphics g(&image);
    g.mTransX = 2.7f;
    g.mTransY = -1.5f;
    const Point square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    image.mPolyFill3DResult = true;
    g.PolyFill(square, 4, true);
    EXPECT_EQ(image.mCalls, Calls{"PolyFill3D n=4 [0,0,100,100] (0,0,0,255) m0 t=2,-1 convex=1"});

    image.mCalls.clear();
    image.mPolyFill3DResult = false;
    g.PolyFill(square, 4, true);
    ASSERT_EQ(image.mCalls.size(), 2u);
    EXPECT_EQ(image.mCalls[1], "FillScanLines n=8 (0,0,0,255) m0"); // rows 0..7 have their centre inside
}

TEST(GraphicsPolyFill, SpansStopAt8192) {
    RecordingImage image(20, 9000);
    Graphics g(&image);
    const Point tall[] = {{0, 0}, {5, 0}, {5, 9000}, {0, 9000}};
    g.PolyFill(tall, 4);
    ASSERT_EQ(image.mSpans.size(), 8192u);
    EXPECT_EQ(image.mSpans.back().mY, 8191);
}

} // namespace
} // namespace Kavo
