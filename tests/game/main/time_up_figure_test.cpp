// The board's time-up dialog, as the program opens it when a board's time
// runs out, ends up showing the figure that comes off the rating in red at
// its target point, whatever the figure (0 included) and whatever the
// player's rating.
#include "game/screens/penalty_dialog.h"
#include "game/ui/ini_document.h"
#include "game/ui/user_manager.h"
#include "platform/messages.h"
#include "platform/video_driver.h"
#include "tests/game/main/new_player_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Game {
namespace {

constexpr int kKeyF3 = 0x72;

class TimeUpFigureTest : public NewPlayerRunTest {
protected:
    // Red pixels of the window in a box around (x, y).
    int RedPixelsAround(int x, int y, int halfWidth, int halfHeight) {
        int width = 0, height = 0;
        std::vector<uint32_t> argb;
        if (!platform::GetVideoDriver()->ReadWindowPixels(App().mHWnd, width, height, argb))
            return -1;
        int red = 0;
        for (int py = std::max(0, y - halfHeight); py < std::min(height, y + halfHeight); ++py)
            for (int px = std::max(0, x - halfWidth); px < std::min(width, x + halfWidth); ++px) {
                const uint32_t p = argb[static_cast<size_t>(py) * static_cast<size_t>(width) + static_cast<size_t>(px)];
                const int r = static_cast<int>((p >> 16) & 0xFF), g = static_cast<int>((p >> 8) & 0xFF),
                          b = static_cast<int>(p & 0xFF);
                red += r > 180 && g < 70 && b < 70 ? 1 : 0;
            }
        return red;
    }
};

TEST_F(TimeUpFigureTest, TheFigureShowsOnceTheDialogHasWaitedWhateverItIs) {
    Start();
    ASSERT_NO_FATAL_FAILURE(EnterFirstBoard("Payer"));
    UserManager& users = *UserManager::GetInstance();
    // The sample stage's own figure, then none at all on the board dealt
    // again after it; the rating stays 0 throughout.
    const struct { const char* figure; } cases[] = {{nullptr}, {"0"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.figure != nullptr ? c.figure : "the sample's figure");
        if (c.figure != nullptr)
            App().mSettings.GetSection("Penalty")->Record("Stage1").mValue = c.figure;
        ASSERT_EQ(users.GetRating(), 0);
        ASSERT_TRUE(StepClosingNotices(
            [&] {
                return App().mDialogList.empty() && Board()->mState == BoardScreen::kPlaying &&
                       !Board()->mTimer.mReverse;
            },
            3000));
        if (!Board()->mDevMode)
            PressKey(platform::kVkOem3);
        ASSERT_TRUE(Board()->mDevMode);
        PressKey(kKeyF3);
        ASSERT_TRUE(StepClosingNotices([&] { return App().GetDialog(PenaltyDialog::kDialogId) != nullptr; }, 3000));
        auto* dialog = dynamic_cast<PenaltyDialog*>(App().GetDialog(PenaltyDialog::kDialogId));
        ASSERT_NE(dialog, nullptr);
        const int expected = c.figure != nullptr ? 0 : App().mSettings.GetSection("Penalty")->GetInt("Stage1", -1);
        EXPECT_EQ(dialog->mPenalty, expected);
        ASSERT_TRUE(StepClosingNotices([&] { return dialog->mState == LayoutDialog::Resting; }, 1000));
        // Well past the wait, the zoom and the echo.
        for (int i = 0; i < PenaltyDialog::kWaitUpdates + PenaltyDialog::kZoomUpdates + 200; ++i)
            Step();
        ASSERT_EQ(App().GetDialog(PenaltyDialog::kDialogId), dialog);
        EXPECT_EQ(dialog->mPhase, PenaltyDialog::kDone);
        EXPECT_GT(RedPixelsAround(dialog->mDestX, dialog->mDestY, 60, 30), 20)
            << "no red figure near " << dialog->mDestX << "," << dialog->mDestY;
        Click(FindButton(dialog, 1));
        ASSERT_TRUE(StepUntil([&] { return App().GetDialog(PenaltyDialog::kDialogId) == nullptr; }, 1000));
    }
}

} // namespace
} // namespace Game
