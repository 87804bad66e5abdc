#include "platform/box_process.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "platform/termination_requests.h"
#include "tests/support/waiting_box.h"

namespace platform {
namespace {

using test_support::OpenProcess;
using test_support::ProcessEnds;
using test_support::ReadBoxNumber;
using test_support::WaitingBox;

TEST(BoxProcess, ABoxsProcessDiesWithTheProgram) {
    int told[2];
    ASSERT_EQ(pipe(told), 0);
    const pid_t program = fork();
    if (program == 0) {
        close(told[0]);
        RunBoxProcess([&] { return WaitingBox(told[1]); });
        _exit(0);
    }
    close(told[1]);
    const pid_t box = ReadBoxNumber(told[0]);
    close(told[0]);
    ASSERT_GT(box, 0);
    const int boxProcess = OpenProcess(box);
    ASSERT_GE(boxProcess, 0);
    kill(program, SIGKILL);
    int status = 0;
    waitpid(program, &status, 0);
    EXPECT_TRUE(ProcessEnds(boxProcess));
    close(boxProcess);
}

// Two boxes at once, on two threads, both closed by the end; a box asked for
// later is not shown.
TEST(BoxProcessDeathTest, TheProgramsEndClosesItsBoxesAndShowsNoMore) {
    EXPECT_EXIT(
        {
            int told[2];
            if (pipe(told) != 0)
                std::_Exit(10);
            std::atomic<int> ended{0};
            std::thread ender([&] {
                int processes[2] = {-1, -1};
                for (int& process : processes)
                    process = OpenProcess(ReadBoxNumber(told[0]));
                EndBoxProcesses();
                for (const int process : processes)
                    ended += process >= 0 && ProcessEnds(process) ? 1 : 0;
            });
            int other = 0;
            std::thread second([&] { other = RunBoxProcess([&] { return WaitingBox(told[1]); }); });
            const int first = RunBoxProcess([&] { return WaitingBox(told[1]); });
            second.join();
            ender.join();
            bool shown = false;
            const int later = RunBoxProcess([&] {
                shown = true;
                return 0;
            });
            std::_Exit(ended == 2 && first == -1 && other == -1 && later == -1 && !shown ? 3 : 4);
        },
        ::testing::ExitedWithCode(3), "");
}

// A request to end sent to the box's process ends that process, and the
// program's handler never hears it.
TEST(BoxProcessDeathTest, ABoxsProcessTakesSignalsAsTheSystemDoes) {
    EXPECT_EXIT(
        {
            std::atomic<int> requests{0};
            int status = 0;
            bool ended = false;
            {
                const TerminationRequests termination([&] { ++requests; });
                int told[2];
                if (pipe(told) != 0)
                    std::_Exit(10);
                std::thread asker([&] {
                    const pid_t box = ReadBoxNumber(told[0]);
                    const int process = OpenProcess(box);
                    kill(box, SIGTERM);
                    ended = process >= 0 && ProcessEnds(process);
                });
                status = RunBoxProcess([&] { return WaitingBox(told[1]); });
                asker.join();
            }
            // The listener has read all that came before it ended.
            std::_Exit(ended && WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM && requests == 0 ? 3 : 4);
        },
        ::testing::ExitedWithCode(3), "");
}

} // namespace
} // namespace platform
