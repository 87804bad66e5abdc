#include "framework/graphics/graphics.h"

#include <gtest/gtest.h>

#include "tests/framework/graphics/fake_display_3d.h"
#include "tests/framework/graphics/recording_image.h"
#include "tests/support/headless_environment.h"

namespace Kavo {
namespace {

using Calls = std::vector<std::string>;

class GraphicsImageTest : public HeadlessEnvironment {
protected:
    RecordingImage mDest{100, 100};
    RecordingImage mSource{10, 10};
    Graphics mG{&mDest};

    Calls Take() {
        Calls calls = std::move(mDest.mCalls);
        mDest.mCalls.clear();
        return calls;
    }
};

TEST_F(GraphicsImageTest, DrawImageClipsPositionAndSource) {
    const IntRect whole(0, 0, -1, 0); // marks the form without a source rectangle
    const struct {
        float transX, transY;
        int x, y;
        IntRect src;
        const char* expected;
    } cases[] = {
        {0, 0, -3, 0, whole, "Blt 0,0 [3,0,7,10]"},
        {0, 0, 95, 97, whole, "Blt 95,97 [0,0,5,3]"},
        {0, 0, 200, 0, whole, nullptr},
        {0, 0, -1, -2, {2, 2, 5, 5}, "Blt 0,0 [3,4,4,3]"},
        {0.5f, 0.5f, 1, 1, whole, "Blt 1,1 [0,0,10,10]"},
        {-0.5f, -0.5f, 0, 0, whole, "Blt 0,0 [0,0,10,10]"},
        {0, 0, 0, 0, {6, 0, 5, 5}, nullptr},  // past the right edge
        {0, 0, 0, 0, {0, 6, 5, 5}, nullptr},  // past the bottom edge
        {0, 0, 0, 0, {-1, 0, 5, 5}, nullptr}, // left of the image
        {0, 0, 0, 0, {0, -1, 5, 5}, nullptr}, // above the image
        {0, 0, 0, 0, {5, 5, -2, 3}, nullptr}, // negative width
        {0, 0, 0, 0, {5, 5, 3, -2}, nullptr}, // negative height
        {0, 0, 0, 0, {10, 10, 0, 0}, nullptr},
    };
    for (const auto& c : cases) {
        mG.mTransX = c.transX;
        mG.mTransY = c.transY;
        if (c.src == whole)
            mG.DrawImage(&mSource, c.x, c.y);
        else
            mG.DrawImage(&mSource, c.x, c.y, c.src);
        Calls expected;
        if (c.expected != nullptr)
            expected.push_back(std::string(c.expected) + " (255,255,255,255) m0");
        EXPECT_EQ(Take(), expected) << c.x << "," << c.y << " " << RecordingImage::R(c.src);
    }
}

TEST_F(GraphicsImageTest, TintIsTheColourOnlyWhenColorizing) {
    mG.SetColor(Color(10, 20, 30, 40));
    mG.SetDrawMode(1);
    mG.DrawImage(&mSource, 0, 0);
    mG.SetColorizeImages(true);
    mG.DrawImage(&mSource, 0, 0);
    const Calls expected = {"Blt 0,0 [0,0,10,10] (255,255,255,255) m1", "Blt 0,0 [0,0,10,10] (10,20,30,40) m1"};
    EXPECT_EQ(Take(), expected);
}

TEST_F(GraphicsImageTest, StateScaleStretchesIntegerDraws) {
    mG.mScaleX = 2;
    mG.mScaleY = 2;
    mG.DrawImage(&mSource, 5, 5);
    mG.mScaleOrigX = 10;
    mG.mScaleOrigY = 10;
    mG.mScaleX = 1.5f;
    mG.mFastStretch = true;
    mG.DrawImage(&mSource, 5, 5, IntRect(0, 0, 5, 3));
    mG.DrawImage(&mSource, IntRect(5, 5, 30, 40), IntRect(0, 0, 10, 10)); // the stretched form ignores the scale
    const Calls expected = {
        "StretchBlt [10,10,20,20] [0,0,10,10] clip[0,0,100,100] (255,255,255,255) m0 fast=0",
        "StretchBlt [2,0,8,6] [0,0,5,3] clip[0,0,100,100] (255,255,255,255) m0 fast=1",
        "StretchBlt [5,5,30,40] [0,0,10,10] clip[0,0,100,100] (255,255,255,255) m0 fast=1",
    };
    EXPECT_EQ(Take(), expected);
}

TEST_F(GraphicsImageTest, MirroredDrawsCutTheOppositeSideOfTheSource) {
    const IntRect whole(0, 0, 10, 10);
    mG.DrawImageMirror(&mSource, -3, 0, whole);
    mG.DrawImageMirror(&mSource, 95, 0, whole);
    mG.DrawImageMirror(&mSource, 0, 0, IntRect(2, 0, 6, 4));
    mG.DrawImageMirror(&mSource, -3, 0, whole, false);        // not mirrored: a plain draw
    mG.DrawImageMirror(&mSource, 0, 0, IntRect(-2, 0, 6, 4)); // outside the image
    mG.DrawImageMirror(&mSource, 0, 0, IntRect(6, 0, 6, 4));
    mG.Translate(1, 2);
    mG.DrawImageMirror(&mSource, IntRect(0, 0, 20, 20), whole);
    mG.DrawImageMirror(&mSource, IntRect(0, 0, 20, 20), whole, false);
    const Calls expected = {
        "BltMirror 0,0 [0,0,7,10] (255,255,255,255) m0",
        "BltMirror 95,0 [5,0,5,10] (255,255,255,255) m0",
        "BltMirror 0,0 [2,0,6,4] (255,255,255,255) m0",
        "Blt 0,0 [3,0,7,10] (255,255,255,255) m0",
        "StretchBltMirror [1,2,20,20] [0,0,10,10] clip[0,0,100,100] (255,255,255,255) m0 fast=0",
        "StretchBlt [1,2,20,20] [0,0,10,10] clip[0,0,100,100] (255,255,255,255) m0 fast=0",
    };
    EXPECT_EQ(Take(), expected);
}

TEST_F(GraphicsImageTest, FloatRotatedAndMatrixDrawsPassTheClip) {
    RecordingImage odd(11, 7);
    mG.mTransX = 0.25f;
    mG.SetClipRect(0, 0, 50, 50);
    const IntRect part(1, 1, 4, 4);
    mG.DrawImageF(&mSource, 1.5f, 2);
    mG.DrawImageF(&mSource, 1.5f, 2, part);
    mG.DrawImageRotatedF(&mSource, 3, 4, 0.5, 1.5f, 2.5f);
    mG.DrawImageRotatedF(&odd, 3, 4, 0.5);
    mG.DrawImageRotated(&odd, 3, 4, 0.5);
    mG.DrawImageRotated(&mSource, 3, 4, 0.5, 1, 2, &part);
    Matrix3x3 m;
    m.Scale(2, 3);
    mG.mLinearBlend = true;
    mG.DrawImageMatrix(&mSource, m, 5, 6);
    mG.DrawImageMatrix(&mSource, m, 5, 6, part);
    const Calls expected = {
        "BltF 1.75,2 [0,0,10,10] clip[0,0,50,50] (255,255,255,255) m0",
        "BltF 1.75,2 [1,1,4,4] clip[0,0,50,50] (255,255,255,255) m0",
        "BltRotated 3.25,4 [0,0,10,10] clip[0,0,50,50] (255,255,255,255) m0 a=0.5 c=1.5,2.5",
        "BltRotated 3.25,4 [0,0,11,7] clip[0,0,50,50] (255,255,255,255) m0 a=0.5 c=5.5,3.5",
        "BltRotated 3.25,4 [0,0,11,7] clip[0,0,50,50] (255,255,255,255) m0 a=0.5 c=5,3",
        "BltRotated 3.25,4 [1,1,4,4] clip[0,0,50,50] (255,255,255,255) m0 a=0.5 c=1,2",
        "BltMatrix 5.25,6 m=[2,0,0;0,3,0] clip[0,0,50,50] (255,255,255,255) m0 [0,0,10,10] blend=1",
        "BltMatrix 5.25,6 m=[2,0,0;0,3,0] clip[0,0,50,50] (255,255,255,255) m0 [1,1,4,4] blend=1",
    };
    EXPECT_EQ(Take(), expected);
}

TEST_F(GraphicsImageTest, TransformedDrawsTakeTheCheapestForm) {
    enum Kind { Translated, Rotated, Mirrored, Scaled, Complex };
    const struct {
        Kind kind;
        bool floatForm;
        const char* expected;
    } cases[] = {
        {Translated, false, "Blt 48,49 [0,0,10,10]"},
        {Translated, true, "BltF 48.5,49.5 [0,0,10,10] clip[0,0,100,100]"},
        {Rotated, false, "BltRotated 45,45 [0,0,10,10] clip[0,0,100,100] (255,255,255,255) m0 a=1 c=5,5"},
        {Rotated, true, "BltRotated 45.5,45.5 [0,0,10,10] clip[0,0,100,100] (255,255,255,255) m0 a=1 c=5,5"},
        {Mirrored, false, "BltMirror 45,45 [0,0,10,10]"},
        {Mirrored, true, "BltMirror 45,45 [0,0,10,10]"},
        {Scaled, false, "StretchBlt [40,40,20,20] [0,0,10,10] clip[0,0,100,100]"},
        {Scaled, true, "StretchBlt [40,40,20,20] [0,0,10,10] clip[0,0,100,100]"},
        {Complex, false, "BltMatrix 50,50 m=[-2,0,0;0,2,0] clip[0,0,100,100]"},
        {Complex, true, "BltMatrix 50,50 m=[-2,0,0;0,2,0] clip[0,0,100,100]"},
    };
    for (const auto& c : cases) {
        LazyTransform t;
        switch (c.kind) {
        case Translated:
            t.Translate(3, 4);
            break;
        case Rotated:
            t.RotateRad(1);
            break;
        case Mirrored:
            t.Scale(-1, 1);
            break;
        case Scaled:
            t.Scale(2, 2);
            break;
        case Complex:
            t.Scale(2, 2);
            t.Scale(-1, 1); // a mirror after a scale needs the matrix
            break;
        }
        if (c.floatForm)
            mG.DrawImageTransformF(&mSource, t, 50, 50);
        else
            mG.DrawImageTransform(&mSource, t, IntRect(0, 0, 10, 10), 50, 50);
        Calls calls = Take();
        ASSERT_EQ(calls.size(), 1u) << c.expected;
        EXPECT_EQ(calls[0].substr(0, std::string(c.expected).size()), c.expected);
    }
}

TEST_F(GraphicsImageTest, AScaleFarPastTheIntRangeKeepsItsRectangleInRange) {
    // From a damaged page description: converting these floats to int
    // unchecked is undefined (the sanitizer build stops on it).
    LazyTransform t;
    t.Scale(5e8f, 5e8f);
    mG.DrawImageTransform(&mSource, t, IntRect(0, 0, 10, 10), 50, 50);
    const Calls calls = Take();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].substr(0, 36), "StretchBlt [-1073741824,-1073741824,");
}

TEST_F(GraphicsImageTest, FloatTransformGoesThroughTheMatrixOnA3DDestination) {
    FakeDisplay3D display;
    display.mSurface = &mDest;
    const platform::Installed<Display3D> in3D(Display3DSlot(), display);
    LazyTransform t;
    t.Translate(3, 4);
    mG.DrawImageTransformF(&mSource, t, 50, 50);
    mG.DrawImageTransform(&mSource, t, 50, 50); // the integer form keeps its own path
    const Calls expected = {
        "BltMatrix 50,50 m=[1,0,3;0,1,4] clip[0,0,100,100] (255,255,255,255) m0 [0,0,10,10] blend=0",
        "Blt 48,49 [0,0,10,10] (255,255,255,255) m0",
    };
    EXPECT_EQ(Take(), expected);
}

TEST_F(GraphicsImageTest, CelsAndAnimation) {
    RecordingImage grid(30, 20);
    grid.mNumCols = 3;
    grid.mNumRows = 2;
    mG.DrawImageCel(&grid, 5, 5, 1, 1);
    mG.DrawImageCel(&grid, 5, 5, 3, 0); // column = count
    mG.DrawImageCel(&grid, 5, 5, 0, 2); // row = count
    mG.DrawImageCel(&grid, 5, 5, -1, 0);
    mG.DrawImageCel(IntRect(0, 0, 40, 40), &grid, 2, 0);
    mG.DrawImageCel(IntRect(0, 0, 40, 40), &grid, 0, -1);
    mG.DrawImageAnim(&grid, 0, 0, 1234); // no animation: cel 0
    grid.mAnimInfo = std::make_unique<AnimInfo>();
    grid.mAnimInfo->mAnimType = AnimInfo::AnimType_Loop;
    grid.mAnimInfo->mFrameDelay = 10;
    grid.mAnimInfo->Compute(6);
    mG.DrawImageAnim(&grid, 0, 0, 40); // cel 4: column 1 of row 1
    const Calls expected = {
        "Blt 5,5 [10,10,10,10] (255,255,255,255) m0",
        "StretchBlt [0,0,40,40] [20,0,10,10] clip[0,0,100,100] (255,255,255,255) m0 fast=0",
        "Blt 0,0 [0,0,10,10] (255,255,255,255) m0",
        "Blt 0,0 [10,10,10,10] (255,255,255,255) m0",
    };
    EXPECT_EQ(Take(), expected);
}

Calls BltList(std::initializer_list<const char*> lines) {
    Calls out;
    for (const char* line : lines)
        out.push_back(std::string("Blt ") + line + " (255,255,255,255) m0");
    return out;
}

TEST_F(GraphicsImageTest, BoxWithItsOwnSizeDrawsEachPartOnce) {
    RecordingImage box(30, 30);
    mG.DrawImageBox(IntRect(0, 0, 30, 30), &box);
    EXPECT_EQ(Take(), BltList({"0,0 [0,0,10,10]", "20,0 [20,0,10,10]", "0,20 [0,20,10,10]", "20,20 [20,20,10,10]",
                               "10,0 [10,0,10,10]", "10,20 [10,20,10,10]", "0,10 [0,10,10,10]", "20,10 [20,10,10,10]",
                               "10,10 [10,10,10,10]"}));
}

TEST_F(GraphicsImageTest, BoxTilesItsEdgesAndCutsTheLastTile) {
    RecordingImage box(30, 30);
    mG.Translate(1, 0);
    mG.DrawImageBox(IntRect(0, 0, 30, 30), IntRect(-1, 0, 45, 30), &box);
    EXPECT_EQ(Take(), BltList({"0,0 [0,0,10,10]", "35,0 [20,0,10,10]", "0,20 [0,20,10,10]", "35,20 [20,20,10,10]",
                               "10,0 [10,0,10,10]", "10,20 [10,20,10,10]", "20,0 [10,0,10,10]", "20,20 [10,20,10,10]",
                               "30,0 [10,0,5,10]", "30,20 [10,20,5,10]", "0,10 [0,10,10,10]", "35,10 [20,10,10,10]",
                               "10,10 [10,10,10,10]", "20,10 [10,10,10,10]", "30,10 [10,10,5,10]"}));

    mG.DrawImageBox(IntRect(0, 0, 0, 30), IntRect(0, 0, 45, 30), &box);
    EXPECT_TRUE(Take().empty());
}

} // namespace
} // namespace Kavo
