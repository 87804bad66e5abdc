#include "platform/process_exit.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace platform {
namespace {

struct Exited {
    int code;
};

TEST(ExitProcess, TheInstalledHookSeesTheCodeFirst) {
    int seen = -1;
    Installed<ExitHook> hook(ExitHookSlot(), std::make_shared<ExitHook>([&](int code) {
                                 seen = code;
                                 throw Exited{code};
                             }));
    try {
        ExitProcess(3);
    } catch (const Exited& exited) {
        EXPECT_EQ(exited.code, 3);
    }
    EXPECT_EQ(seen, 3);
}

TEST(ExitProcessDeathTest, EndsTheProcessWithTheCodeWithOrWithoutAHook) {
    EXPECT_EXIT(ExitProcess(7), ::testing::ExitedWithCode(7), "");
    // A hook that returns lets the process end.
    EXPECT_EXIT(
        {
            Installed<ExitHook> hook(
                ExitHookSlot(), std::make_shared<ExitHook>([](int code) { std::fprintf(stderr, "hook %d\n", code); }));
            ExitProcess(5);
        },
        ::testing::ExitedWithCode(5), "hook 5");
}

} // namespace
} // namespace platform
