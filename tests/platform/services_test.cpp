#include "platform/services.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

#include "platform/headless/headless_platform.h"
#include "platform/single_instance.h"
#include "platform/system_info.h"
#include "platform/text_encoding.h"
#include "platform/window.h"
#include "tests/platform/temp_folder.h"

namespace {

using namespace platform;

TEST(Services, DebugSinkClipboardPagesAndMetrics) {
    HeadlessPlatform headless;
    std::string captured;
    SetDebugSink([&](std::string_view text) { captured += text; });
    OutputDebugText("DESTROYED HWND: 1\r\n");
    SetDebugSink(nullptr);
    EXPECT_EQ(captured, "DESTROYED HWND: 1\r\n");

    const std::string cyrillic = Utf8ToCp1251("Тювелин");
    ASSERT_TRUE(SetClipboardText(cyrillic));
    EXPECT_EQ(headless.Desktop().GetClipboardText(), "Тювелин"); // the desktop's side is UTF-8
    EXPECT_EQ(GetClipboardText(), cyrillic);
    headless.Desktop().SetClipboardText("Ёж €5 ✓");
    EXPECT_EQ(GetClipboardText(), Utf8ToCp1251("Ёж €5 ") + kCp1251Unknown); // no place in Windows-1251
    ASSERT_TRUE(OpenWebPage("http://example.invalid/"));
    EXPECT_EQ(headless.Desktop().OpenedPages(), std::vector<std::string>{"http://example.invalid/"});

    EXPECT_EQ(GetSystemMetric(kMetricScreenWidth), 1280);
    EXPECT_EQ(GetSystemMetric(kMetricScreenHeight), 1024);
    EXPECT_EQ(GetDisplayInfo().bitsPerPixel, 32);
    DisplayInfo small;
    small.width = 1024;
    small.height = 768;
    small.workArea = {0, 0, 1024, 738};
    headless.Desktop().SetDisplayInfo(small);
    EXPECT_EQ(GetSystemMetric(kMetricFullScreenHeight), 738 - small.captionHeight);
    EXPECT_EQ(GetWorkArea(), small.workArea);
    EXPECT_EQ(GetSystemMetric(9999), 0);
}

LResult Ignore(WindowHandle w, MessageId m, WParam wp, LParam lp) {
    return DefWindowProc(w, m, wp, lp);
}

TEST(SingleInstance, SecondInstanceIsRefusedAndNotifiesTheFirst) {
    HeadlessPlatform headless;
    platform_test::TempFolder tmp;
    setenv("KAVO_RUNTIME_DIR", tmp.Path().c_str(), 1);
    RegisterWindowClass({"InvisWindow", 0, Ignore});
    WindowHandle window = CreateWindow({"InvisWindow", "", 0, 0, 0, 0, 0, 0, nullptr});
    const MessageId notify = RegisterWindowMessage("NotifyApp");

    const std::string name = Utf8ToCp1251("ТювелинMutex");
    SingleInstance first;
    ASSERT_TRUE(first.Acquire(name));
    first.SetNotifyTarget(window, notify);
    Message m;
    EXPECT_FALSE(PeekMessage(m));

    // A second process finds the lock held and knocks.
    const pid_t child = fork();
    if (child == 0) {
        SingleInstance second;
        const bool acquired = second.Acquire(name);
        const bool notified = second.NotifyOwner();
        _exit(!acquired && notified ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    ASSERT_TRUE(PeekMessage(m));
    EXPECT_EQ(m.message, notify);
    EXPECT_EQ(m.window, window);
    EXPECT_FALSE(PeekMessage(m));

    first.Release();
    SingleInstance again;
    EXPECT_TRUE(again.Acquire(name)); // free once the first let go
    unsetenv("KAVO_RUNTIME_DIR");
}

TEST(SingleInstance, AChildForkedByTheOwnerDoesNotKeepTheLock) {
    platform_test::TempFolder tmp;
    setenv("KAVO_RUNTIME_DIR", tmp.Path().c_str(), 1);
    auto first = std::make_unique<SingleInstance>();
    ASSERT_TRUE(first->Acquire("Game"));
    // The child lives on with the lock file open, as a message box's
    // process does after the game has gone.
    int gate[2];
    ASSERT_EQ(pipe(gate), 0);
    const pid_t child = fork();
    if (child == 0) {
        close(gate[1]);
        char byte = 0;
        (void)!read(gate[0], &byte, 1);
        _exit(0);
    }
    close(gate[0]);
    SingleInstance second;
    EXPECT_FALSE(second.Acquire("Game")); // held in this process
    first.reset();
    EXPECT_TRUE(second.Acquire("Game"));

    close(gate[1]);
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    unsetenv("KAVO_RUNTIME_DIR");
}

} // namespace
