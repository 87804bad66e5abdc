// The logo screen on update steps: fades, holds, the pause between logos,
// the order of the logos and the click that skips them.
#include "game/ui/logo_screen.h"

#include "platform/file_system.h"
#include "tests/support/headless_environment.h"

#include <gtest/gtest.h>

namespace Game {
namespace {

class LogoScreenTest : public Kavo::HeadlessEnvironment {
protected:
    std::string Logos(const std::string& text) {
        const std::string path = Platform().Folder() + "/logos.txt";
        platform::WriteWholeFile(path, text);
        return path;
    }
    // Updates until the start-up load is asked for; the update that asked.
    int RunUntilDone(LogoScreen& screen, int limit = 2000) {
        for (int update = 1; update <= limit; ++update) {
            screen.Update();
            if (mDone > 0)
                return update;
        }
        return -1;
    }

    int mDone = 0;
    std::function<void()> mOnDone = [this] { ++mDone; };
};

TEST_F(LogoScreenTest, WithoutLogosTheLoadStartsOnTheFirstUpdate) {
    LogoScreen screen(mOnDone, Platform().Folder() + "/missing.txt");
    EXPECT_EQ(RunUntilDone(screen), 1);
    screen.Update();
    EXPECT_EQ(mDone, 1); // once only
}

TEST_F(LogoScreenTest, ALogoFadesInHoldsItsDelayAndFadesOut) {
    // 100 steps in, the hold (counted from the step the fade-in ends), 100
    // out; no pause after the last logo.
    const struct {
        const char* delay;
        int doneAt;
    } cases[] = {{"Delay=0.5\r\n", 249}, {"", 299}, {"Delay=2\r\n", 399}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.delay);
        mDone = 0;
        LogoScreen screen(mOnDone, Logos(std::string("[A]\r\nImage=a\r\n") + c.delay));
        EXPECT_EQ(RunUntilDone(screen), c.doneAt);
    }
}

TEST_F(LogoScreenTest, LogosComeInSectionOrderWithADarkPauseBetween) {
    LogoScreen screen(mOnDone, Logos("[logo2]\r\nImage=second\r\nDelay=1\r\n[Logo1]\r\nImage=first\r\nDelay=0.5\r\n"));
    ASSERT_EQ(screen.GetLogos().size(), 2u);
    EXPECT_EQ(screen.GetLogos()[0].mImage, "first");
    EXPECT_EQ(screen.GetLogos()[0].mHoldSteps, 50);
    EXPECT_EQ(screen.GetLogos()[1].mImage, "second");
    EXPECT_EQ(screen.GetLogos()[1].mHoldSteps, 100);

    int dark = 0;
    int update = 0;
    while (mDone == 0 && update < 2000) {
        screen.Update();
        ++update;
        if (screen.GetState() == LogoScreen::Pausing && screen.GetSprite().mValue == 0.0f)
            ++dark;
        if (update == 100) {
            EXPECT_EQ(screen.GetSprite().mValue, 255.0f);
        }
    }
    // The first logo ends at 249, 50 dark steps, then the second's 298.
    EXPECT_EQ(update, 597);
    EXPECT_EQ(dark, 50);
}

TEST_F(LogoScreenTest, AClickWhileFadingInTurnsBlackThenLoadsAfterThePause) {
    LogoScreen screen(mOnDone, Logos("[A]\r\nImage=a\r\n[B]\r\nImage=b\r\n"));
    for (int i = 0; i < 10; ++i)
        screen.Update();
    ASSERT_EQ(screen.GetState(), LogoScreen::FadingIn);
    screen.MouseDown(5, 5, 1);
    screen.Update();
    EXPECT_EQ(screen.GetSprite().mValue, 0.0f);
    EXPECT_EQ(screen.GetState(), LogoScreen::Pausing);
    EXPECT_EQ(RunUntilDone(screen), 49); // 50 steps with the black one
}

TEST_F(LogoScreenTest, AClickWhileFadingOutIsIgnored) {
    LogoScreen screen(mOnDone, Logos("[A]\r\nImage=a\r\nDelay=0.5\r\n"));
    for (int i = 0; i < 160; ++i)
        screen.Update();
    ASSERT_EQ(screen.GetState(), LogoScreen::FadingOut);
    const float value = screen.GetSprite().mValue;
    screen.MouseDown(5, 5, 1);
    EXPECT_EQ(screen.GetSprite().mValue, value);
    EXPECT_EQ(RunUntilDone(screen), 249 - 160);
}

} // namespace
} // namespace Game
