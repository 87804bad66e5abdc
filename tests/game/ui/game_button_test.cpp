// The game's image button: releases check or uncheck it, and without images
// it draws a framed box with a mark.
#include "game/ui/game_button.h"

#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "framework/widget/checkbox_listener.h"
#include "tests/framework/widget/widget_fixture.h"

namespace Game {
namespace {

using ::testing::ElementsAre;

class CheckRecorder : public Kavo::CheckboxListener {
public:
    std::vector<std::string> mLog;
    void CheckboxChecked(int32_t id, bool checked) override {
        mLog.push_back(std::to_string(id) + (checked ? " checked" : " unchecked"));
    }
};

class GameButtonTest : public widget_test::WidgetTreeTest {
protected:
    GameButtonTest() {
        mButton.Resize(10, 10, 20, 20);
        mManager.AddWidget(&mButton);
    }
    CheckRecorder mRecorder;
    GameButton mButton{nullptr, nullptr, 7, &mRecorder};
};

TEST_F(GameButtonTest, AReleaseOverTheButtonChecksItAndAReleaseElsewhereUnchecks) {
    Input({"move 15 15", "down 15 15 1", "up 15 15 1"});
    EXPECT_THAT(mRecorder.mLog, ElementsAre("7 checked"));
    EXPECT_TRUE(mButton.IsChecked());
    Input({"down 15 15 1", "up 15 15 1"});
    EXPECT_THAT(mRecorder.mLog, ElementsAre("7 checked", "7 checked"));
    EXPECT_TRUE(mButton.IsChecked());
    Input({"down 15 15 1", "move 100 100", "up 100 100 1"});
    EXPECT_THAT(mRecorder.mLog, ElementsAre("7 checked", "7 checked", "7 unchecked"));
    EXPECT_FALSE(mButton.IsChecked());

    mButton.SetChecked(true, false);
    EXPECT_EQ(mRecorder.mLog.size(), 3u);
    mButton.SetChecked(false, true);
    EXPECT_EQ(mRecorder.mLog.back(), "7 unchecked");
}

TEST_F(GameButtonTest, WithoutImagesItIsAGreyBoxInAWhiteFrameWithAYellowMarkWhenChecked) {
    Kavo::MemoryImage canvas;
    canvas.Create(20, 20);
    GameButton button(nullptr, nullptr, 1, nullptr);
    button.Resize(0, 0, 20, 20);
    const auto pixel = [&](int x, int y) { return canvas.GetBits()[y * 20 + x]; };
    {
        Kavo::Graphics g(&canvas);
        button.Draw(&g);
    }
    EXPECT_EQ(pixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(pixel(19, 10), 0xFFFFFFFFu);
    EXPECT_EQ(pixel(1, 1), 0xFF505050u);
    EXPECT_EQ(pixel(10, 10), 0xFF505050u);
    button.SetChecked(true, false);
    {
        Kavo::Graphics g(&canvas);
        button.Draw(&g);
    }
    EXPECT_EQ(pixel(1, 1), 0xFFFFFF00u);
    EXPECT_EQ(pixel(1, 10), 0xFFFFFF00u);
    EXPECT_EQ(pixel(10, 10), 0xFF505050u);
    EXPECT_EQ(pixel(0, 0), 0xFFFFFFFFu);
}

TEST_F(GameButtonTest, ImagesAndCelsFollowTheState) {
    Kavo::RecordingImage sheet(40, 20);
    Kavo::RecordingImage over(18, 18);
    GameButton button(&sheet, nullptr, 1, nullptr, &over);
    button.Resize(0, 0, 20, 20);
    button.mCheckedRect = Kavo::IntRect(20, 0, 20, 20);
    button.mUncheckedRect = Kavo::IntRect(0, 0, 20, 20);
    button.mDownRect = Kavo::IntRect(0, 0, 10, 10);
    Kavo::RecordingImage screen(20, 20);
    const auto drawn = [&] {
        screen.mCalls.clear();
        Kavo::Graphics g(&screen);
        button.Draw(&g);
        return screen.mCalls.size() == 1 ? screen.mCalls[0]
                                         : std::string("calls: ") + std::to_string(screen.mCalls.size());
    };
    const std::string unchecked = drawn();
    button.mChecked = true;
    const std::string checked = drawn();
    EXPECT_NE(unchecked, checked);
    button.mIsOver = true; // checked and over: no over image
    EXPECT_EQ(drawn(), checked);
    button.mChecked = false;
    const std::string hovered = drawn();
    EXPECT_NE(hovered, unchecked);
    button.mIsDown = true;
    const std::string pressed = drawn();
    EXPECT_NE(pressed, hovered);
    EXPECT_NE(pressed, unchecked);
    button.mDisabled = true; // no disabled image or cel: the resting look
    EXPECT_EQ(drawn(), unchecked);
}

TEST(GameButtonFontTest, SetFontKeepsACopyAlsoOfItsOwnFont) {
    GameButton button(nullptr, nullptr, 1, nullptr);
    Kavo::FakeFont font;
    button.SetFont(&font);
    ASSERT_NE(button.mFont, nullptr);
    EXPECT_NE(button.mFont, &font);
    button.SetFont(button.mFont); // copied before the old one goes
    ASSERT_NE(button.mFont, nullptr);
    EXPECT_EQ(button.mFont->StringWidth("ab"), font.StringWidth("ab"));
}

} // namespace
} // namespace Game
