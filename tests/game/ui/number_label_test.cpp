#include "game/ui/number_label.h"

#include "tests/support/headless_environment.h"

#include <gtest/gtest.h>

namespace Game {
namespace {

class ReachCounter : public NumberLabelListener {
public:
    int mReached = 0;
    void NumberReached(NumberLabel*) override { ++mReached; }
};

class NumberLabelTest : public Kavo::HeadlessEnvironment {};

TEST_F(NumberLabelTest, ShowsTheWholePartWithThousandsSeparators) {
    const struct {
        float value;
        const char* text;
    } cases[] = {{1234.6f, "1,234"}, {0.0f, "0"}, {999.9f, "999"}, {1000000.0f, "1,000,000"}};
    for (const auto& c : cases) {
        NumberLabel label(1, nullptr);
        label.mCurrent = c.value;
        label.mTarget = c.value;
        label.Update();
        EXPECT_EQ(label.mLabel, c.text) << c.value;
    }
}

TEST_F(NumberLabelTest, CountsTowardTheTargetAndNotifiesOnce) {
    ReachCounter counter;
    NumberLabel up(1, nullptr);
    up.mNumberListener = &counter;
    up.mCurrent = 3.0f;
    up.mTarget = 5.0f;
    up.Update();
    EXPECT_EQ(up.mLabel, "4");
    EXPECT_EQ(counter.mReached, 0);
    up.Update();
    EXPECT_EQ(up.mLabel, "5");
    up.Update();
    EXPECT_EQ(up.mLabel, "5");
    EXPECT_EQ(counter.mReached, 1);

    // A step past the target stops on it; downward likewise.
    NumberLabel down(2, nullptr);
    down.mNumberListener = &counter;
    down.mCurrent = 10.0f;
    down.mTarget = 1.0f;
    down.mStep = -4.0f;
    down.Update();
    down.Update();
    EXPECT_EQ(down.mLabel, "2");
    down.Update();
    EXPECT_EQ(down.mLabel, "1");
    EXPECT_EQ(counter.mReached, 2);
}

} // namespace
} // namespace Game
