#include "framework/app/crash_catcher.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cctype>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app_test_environment.h"
#include "framework/app/crash_demo.h"
#include "framework/app/crash_exception_names.h"
#include "framework/app/crash_logical_address.h"
#include "framework/util/string_util.h"
#include "platform/headless/recording_dialog_presenter.h"
#include "test_app.h"

extern char** environ;

namespace app_test {
namespace {

using namespace Kavo;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class FakeCrashDemo : public CrashDemo {
public:
    bool IsRecording() override { return true; }
    std::string FinishRecording() override {
        ++mFinished;
        return "demo.dmo";
    }
    int mFinished = 0;
};

class CrashCatcherTest : public AppTestEnvironment {};

TEST_F(CrashCatcherTest, ReportGoesToCrashTxtWithTheAppsLinesTheDemoAndTheWindow) {
    TestApp app(WorkFolder());
    app.mRecordingDemo = true;
    auto presenter = std::make_shared<platform::RecordingDialogPresenter>();
    platform::Installed<platform::DialogPresenter> shown(platform::DialogPresenterSlot(), presenter);
    auto demo = std::make_shared<FakeCrashDemo>();
    platform::Installed<CrashDemo> demoSlot(CrashDemoSlot(), demo);

    // A map that puts a symbol 0x10 before the faulting address.
    CrashContext context;
    context.code = kExceptionAccessViolation;
    context.address = reinterpret_cast<uintptr_t>(&FormatExceptionLine) + 0x10;
    LogicalAddressFinder finder;
    const LogicalAddress where = finder.Find(context.address);
    ASSERT_NE(where.section, 0u);
    std::ofstream(WorkFolder() + "/program.map") << FormatString(
        " %04X:%08X       _Z9Syntheticv              00401000 f   a.obj\r\n", where.section, where.offset - 0x10);

    CrashCatcher catcher;
    const CrashReport report = catcher.BuildReport(context);
    EXPECT_EQ(report.title, FormatString("Exception at %04X:%08X", where.section, where.offset));
    EXPECT_NE(report.text.find("\r\nLogical Address: Synthetic()+0x10\r\n"), std::string::npos) << report.text;
    EXPECT_NE(report.text.find("\r\n\r\nProduct: KavoTest\r\n"), std::string::npos);
    EXPECT_EQ(ReadFile(WorkFolder() + "/crash.txt"), report.text + "\n");
    EXPECT_EQ(catcher.mErrorText, report.text);

    EXPECT_EQ(demo->mFinished, 1);
    EXPECT_TRUE(catcher.mAttachDemo);
    EXPECT_EQ(catcher.mDemoFileName, "demo.dmo");
    EXPECT_FALSE(app.mRecordingDemo);

    const auto windows = presenter->Shown();
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].caption, "Fatal Error!");
    EXPECT_EQ(windows[0].controls.back().text, "Close Now");
    EXPECT_EQ(windows[0].controls.back().width, 384);
    EXPECT_EQ(windows[0].controls[1].text, report.text);
}

struct ChildRun {
    int signal = 0;
    std::string report;
};

// Runs the crash child in a fresh folder and collects how it ended and the
// report it left. The sanitizers are told to leave the fault signals alone.
ChildRun RunCrashChild(const std::string& mode) {
    const std::filesystem::path folder =
        std::filesystem::path(::testing::TempDir()) / ("crash_child_" + mode + "_" + std::to_string(getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);

    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::string(*entry).rfind("ASAN_OPTIONS=", 0) != 0)
            environment.emplace_back(*entry);
    }
    environment.emplace_back("ASAN_OPTIONS=handle_segv=0:handle_sigfpe=0:handle_sigill=0:handle_abort=0");
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string program = KAVO_CRASH_CHILD;
    std::string argument = mode;
    char* argv[] = {program.data(), argument.data(), nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    ChildRun run;
    if (posix_spawn(&child, program.c_str(), &actions, nullptr, argv, envp.data()) == 0) {
        int status = 0;
        waitpid(child, &status, 0);
        run.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    }
    posix_spawn_file_actions_destroy(&actions);
    run.report = ReadFile((folder / "crash.txt").string());
    std::filesystem::remove_all(folder);
    return run;
}

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

// Skips upper-case hexadecimal digits from `at`; false unless their count is in range.
bool SkipHex(const std::string& text, size_t& at, size_t least, size_t most) {
    const size_t start = at;
    while (at < text.size() && std::isxdigit(static_cast<unsigned char>(text[at])) &&
           !std::islower(static_cast<unsigned char>(text[at])))
        ++at;
    return at - start >= least && at - start <= most;
}

// "<head><8 to 16 hex digits> in thread <hex digits>\r"
bool IsExceptionLine(const std::string& line, const std::string& head) {
    size_t at = head.size();
    if (line.compare(0, head.size(), head) != 0 || !SkipHex(line, at, 8, 16) ||
        line.compare(at, 11, " in thread ") != 0)
        return false;
    at += 11;
    return SkipHex(line, at, 1, 8) && line.substr(at) == "\r";
}

TEST(CrashChildTest, FaultsEndInCrashTxtAndTheSignal) {
    const struct {
        const char* mode;
        int signal;
        const char* head;
    } cases[] = {
        {"segv", SIGSEGV, "Exception: Access Violation (code 0xc0000005) at address "},
        {"divide", SIGFPE, "Exception: Integer Divide by Zero (code 0xc0000094) at address "},
        {"terminate", SIGABRT, "Unknown exception: (code 0xe06d7363) at address "},
        // The abort inside the report ends the process and leaves the first report.
        {"abort-in-report", SIGABRT, "Exception: Access Violation (code 0xc0000005) at address "},
        // Asked for on the command line: the catcher reports it at once.
        {"option", SIGSEGV, "Exception: Access Violation (code 0xc0000005) at address "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        const ChildRun run = RunCrashChild(c.mode);
        EXPECT_EQ(run.signal, c.signal);
        EXPECT_TRUE(IsExceptionLine(FirstLine(run.report), c.head)) << run.report;
        EXPECT_NE(run.report.find("\r\nModule: kavo_crash_child\r\nLogical Address: "), std::string::npos);
        EXPECT_NE(run.report.find("\r\nRIP:"), std::string::npos);
        EXPECT_EQ(run.report.substr(run.report.size() - 3), "\r\n\n");
    }
}

} // namespace
} // namespace app_test
