#include "framework/util/lazy_transform.h"
#include "framework/util/rect.h"

#include <gtest/gtest.h>

#include <numbers>

namespace Kavo {
namespace {

TEST(IntRect, IntersectionTouchingAndApart) {
    IntRect a(0, 0, 10, 10);
    EXPECT_EQ(a.Intersection(IntRect(10, 0, 5, 5)), IntRect(10, 0, 0, 5));
    EXPECT_EQ(a.Intersection(IntRect(11, 0, 5, 5)), IntRect(0, 0, 0, 0));
    EXPECT_EQ(a.Intersection(IntRect(-5, 2, 8, 100)), IntRect(0, 2, 3, 8));
    EXPECT_EQ(DoubleRect(0, 0, 1, 1).Intersection(DoubleRect(2, 2, 1, 1)), DoubleRect());
}

TEST(LazyTransform, TranslateRotateTranslateStaysSimple) {
    LazyTransform t;
    t.Translate(5, 0);
    t.RotateRad(static_cast<float>(std::numbers::pi / 2));
    t.Translate(1, 1);
    EXPECT_FALSE(t.mComplex);
    float x, y;
    t.GetMatrix().Apply(0, 0, x, y);
    EXPECT_NEAR(x, 1.0f, 1e-5);
    EXPECT_NEAR(y, -4.0f, 1e-5);
}

TEST(LazyTransform, ScaleRules) {
    LazyTransform afterTranslate;
    afterTranslate.Translate(3, 0);
    afterTranslate.Scale(2, 2);
    EXPECT_TRUE(afterTranslate.mComplex);
    float x, y;
    afterTranslate.GetMatrix().Apply(1, 1, x, y);
    EXPECT_FLOAT_EQ(x, 8.0f); // translate first, then scale
    EXPECT_FLOAT_EQ(y, 2.0f);

    LazyTransform mirror;
    mirror.Scale(-1, 1);
    EXPECT_FALSE(mirror.mComplex);
    EXPECT_FLOAT_EQ(mirror.mScaleX, -1.0f);
    mirror.Scale(-1, 1);
    EXPECT_TRUE(mirror.mComplex);
}

TEST(Matrix3x3, ComposesLaterOperationsOnTheLeft) {
    Matrix3x3 m;
    m.Scale(2, 3);
    m.Translate(1, 1);
    float x, y;
    m.Apply(1, 1, x, y);
    EXPECT_FLOAT_EQ(x, 3.0f);
    EXPECT_FLOAT_EQ(y, 4.0f);
}

} // namespace
} // namespace Kavo
