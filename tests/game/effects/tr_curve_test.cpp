#include "game/effects/tr_color_keys.h"
#include "game/effects/tr_curve.h"

#include <gtest/gtest.h>

namespace Game {
namespace {

TEST(TrCurveTest, EvaluatesKeysFromTheFirstAsTimeZero) {
    struct Case {
        const char* text;
        float t;
        float expected;
    };
    const Case cases[] = {
        {"0,10;1,20", 0.5f, 15},
        {"0,10;1,20", 0.0f, 10},
        {"0,10;1,20", 1.0f, 10},
        {"0,10;1,20", 1.5f, 10},
        {"0,10;0.5,20", 0.25f, 15},
        {"0,10;0.5,20", 0.5f, 10},
        {"0,10;0.5,20", 0.9f, 10},
        {"0.3,10;1,20", 0.35f, 15}, // the first key counts as time 0
        {"", 0.5f, 0},
        {"0.7,42", 0.1f, 42},
        {" 0,10 ;; 1,20 ; ", 0.5f, 15},
        {"0;1,20", 0.5f, 10}, // a missing value reads as 0
    };
    for (const Case& c : cases) {
        TrCurve curve;
        curve.Parse(c.text);
        EXPECT_FLOAT_EQ(curve.Evaluate(c.t), c.expected) << c.text << " at " << c.t;
    }
}

TEST(TrColorKeysTest, BlendsRedGreenBlueAndKeepsTheKeysAlpha) {
    struct Case {
        const char* text;
        float t;
        Kavo::Color expected;
    };
    const Case cases[] = {
        {"0,4278190080;1,4294967295", 0.5f, Kavo::Color(127, 127, 127, 255)},
        {"0,4294901760", 0.3f, Kavo::Color(255, 0, 0, 255)},
        {"", 0.3f, Kavo::Color(0, 0, 0, 255)},
        {"0,2164195328;1,4294967295", 0.5f, Kavo::Color(255, 127, 127, 128)}, // 0x80FF0000: its own alpha
        {"0,4278190080;1,4294967295", 1.0f, Kavo::Color(0, 0, 0, 255)},       // past the end: the first key
    };
    for (const Case& c : cases) {
        TrColorKeys keys;
        keys.Parse(c.text);
        EXPECT_EQ(keys.Evaluate(c.t), c.expected) << c.text << " at " << c.t;
    }
}

TEST(TrColorKeysTest, AddAppendsOrReplaces) {
    TrColorKeys keys;
    keys.Parse("0,4294901760");
    keys.Add(1.0f, Kavo::Color(0, 0, 255, 255), false);
    EXPECT_EQ(keys.Evaluate(0.5f), Kavo::Color(127, 0, 127, 255));
    keys.Add(0.0f, Kavo::Color(0, 255, 0, 255), true);
    EXPECT_EQ(keys.Evaluate(0.5f), Kavo::Color(0, 255, 0, 255));
}

} // namespace
} // namespace Game
