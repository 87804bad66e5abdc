#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "engine/base/timer.h"
#include "engine/base/vector_math.h"
#include "platform/clock.h"

namespace {

TEST(EngineTimer, SimpleTimerAbsorbsOneWrapOfTheTick) {
    platform::ScopedVirtualClock clock(4294967000ull);
    Timer_t timer(Timer_t::Kind::Simple);
    clock.Get().Advance(1000); // the tick now reads 704
    ASSERT_EQ(platform::GetTickMs(), 704u);
    EXPECT_DOUBLE_EQ(timer.Impl().Elapsed(), 1000.0 * static_cast<double>(0.001f));
    EXPECT_NEAR(timer.Impl().Lap(), 1.0000000475, 1e-10);
    clock.Get().Advance(250);
    EXPECT_NEAR(timer.Impl().Elapsed(), 0.25, 1e-7);
}

TEST(EngineTimer, ExactTimerLapsRestartTheMeasure) {
    platform::ScopedVirtualClock clock(10);
    Timer_t timer;
    clock.Get().AdvanceMicroseconds(1500);
    EXPECT_DOUBLE_EQ(timer.Impl().Elapsed(), 0.0015);
    EXPECT_DOUBLE_EQ(timer.Impl().Lap(), 0.0015);
    clock.Get().Advance(2);
    EXPECT_DOUBLE_EQ(timer.Impl().Elapsed(), 0.002);
    timer.Impl().Reset();
    EXPECT_DOUBLE_EQ(timer.Impl().Elapsed(), 0.0);
}

const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

TEST(VectorMath, TransformPoint) {
    const float point[3] = {1.5f, -2.0f, 3.0f};
    float out[3] = {};
    Math_TransformPoint(point, out, kIdentity);
    EXPECT_EQ(out[0], 1.5f);
    EXPECT_EQ(out[1], -2.0f);
    EXPECT_EQ(out[2], 3.0f);

    // Translation and a w of 2 from m[15].
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 10, 20, 30, 2};
    Math_TransformPoint(point, out, m);
    EXPECT_FLOAT_EQ(out[0], 5.75f);
    EXPECT_FLOAT_EQ(out[1], 9.0f);
    EXPECT_FLOAT_EQ(out[2], 16.5f);

    m[15] = 0;
    Math_TransformPoint(point, out, m);
    EXPECT_EQ(out[0], FLT_MAX);
    EXPECT_EQ(out[1], FLT_MAX);
    EXPECT_EQ(out[2], FLT_MAX);
}

TEST(VectorMath, CheckedTransformIgnoresTranslationAndRefusesSmallW) {
    const float vector[3] = {1.0f, 2.0f, 3.0f};
    float out[3] = {};
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 7, 8, 9, 1};
    Math_TransformPointChecked(m, out, vector);
    EXPECT_EQ(out[0], 1.0f);
    EXPECT_EQ(out[1], 2.0f);
    EXPECT_EQ(out[2], 3.0f);

    const float limit = std::sqrt(FLT_EPSILON); // 0.000345266977...
    EXPECT_NEAR(limit, 0.000345266977, 1e-12);
    const float zero[3] = {0, 0, 0};
    m[15] = limit;
    EXPECT_NO_THROW(Math_TransformPointChecked(m, out, zero));
    m[15] = -limit;
    EXPECT_NO_THROW(Math_TransformPointChecked(m, out, zero));
    m[15] = std::nextafter(limit, 0.0f); // 0.000345266948...
    EXPECT_THROW(Math_TransformPointChecked(m, out, zero), Math::InvalidSecondArgument_e);
    m[15] = 0.0001f;
    EXPECT_THROW(Math_TransformPointChecked(m, out, zero), Math::InvalidSecondArgument_e);
}

} // namespace
