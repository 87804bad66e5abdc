// What the program installs around the game, seen in the game it runs: the
// help page greets the current player by name; a request to end closes a box
// that waits for a click.
#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "game/main/program_services.h"
#include "game/meta/main_menu_screen.h"
#include "game/ui/help_dialog.h"
#include "game/ui/layout_dialog.h"
#include "game/ui/resource_ids.h"
#include "platform/box_process.h"
#include "tests/game/main/scripted_game_run.h"
#include "tests/support/waiting_box.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <thread>

namespace Game {
namespace {

class ProgramServicesTest : public ScriptedGameRunTest {
protected:
    // Made before the game, as main() makes it.
    ProgramServices mServices;
};

// Pixels of `text` written as the help page's first entry writes it, that
// the frame shows at `at` in the text's colour; of the pixels the text covers fully.
struct Coverage {
    int covered = 0;
    int shown = 0;
};
Coverage TextShown(const platform::HeadlessVideoDriver::Frame& frame, Kavo::Point at, const std::string& text) {
    Kavo::MemoryImage alone;
    alone.Create(560, 120);
    {
        Kavo::Graphics g(&alone);
        g.SetFont(FONT_DEFAULT);
        g.SetColor(Kavo::Color(255, 255, 255));
        g.WriteWordWrapped(Kavo::IntRect(0, 0, 560, 120), text, -1, -1);
    }
    Coverage coverage;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 560; ++x) {
            if ((alone.GetBits()[y * 560 + x] >> 24) != 0xFF)
                continue;
            ++coverage.covered;
            coverage.shown += (frame.PixelAt(at.mX + x, at.mY + y) & 0xFFFFFF) == 0xFFFFFF ? 1 : 0;
        }
    return coverage;
}

TEST_F(ProgramServicesTest, TheHelpPageGreetsTheCurrentPlayerByName) {
    Start();
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    ASSERT_NO_FATAL_FAILURE(EnterNewPlayer("Anna"));
    Click(Menu()->GetButton(MainMenuScreen::Help));
    ASSERT_TRUE(StepUntil(
        [&] {
            auto* help = dynamic_cast<HelpDialog*>(App().GetDialog(102));
            return help != nullptr && help->GetFlyState() == LayoutDialog::Resting;
        },
        300));
    Step();
    const auto frame = Platform().Video().LastFrame(App().mHWnd);
    ASSERT_TRUE(frame);
    const Kavo::Point origin = App().GetDialog(102)->GetAbsPos();
    const Kavo::Point at(origin.mX + 40, origin.mY + 60);

    const Coverage named =
        TextShown(*frame, at, "Welcome, Anna! Swap two neighbouring items to make a line of three. Lines score 100%.");
    ASSERT_GT(named.covered, 100);
    EXPECT_EQ(named.shown, named.covered);
    // The page without the name would not match.
    const Coverage unnamed =
        TextShown(*frame, at, "Welcome, ! Swap two neighbouring items to make a line of three. Lines score 100%.");
    EXPECT_LT(unnamed.shown, unnamed.covered);
}

// The box an error shows waits for Ok; a request to end the program closes
// it, and the program goes on to end as the error ends it.
TEST(ProgramServicesDeathTest, ARequestToEndClosesABoxThatWaitsForAClick) {
    EXPECT_EXIT(
        {
            const ProgramServices services;
            int told[2];
            if (pipe(told) != 0)
                std::_Exit(10);
            std::thread asker([&] {
                const int box = test_support::OpenProcess(test_support::ReadBoxNumber(told[0]));
                kill(getpid(), SIGTERM);
                if (box >= 0)
                    test_support::ProcessEnds(box);
            });
            const int answer = platform::RunBoxProcess([&] { return test_support::WaitingBox(told[1]); });
            asker.join();
            std::_Exit(answer == -1 ? 1 : 2);
        },
        ::testing::ExitedWithCode(1), "");
}

} // namespace
} // namespace Game
