// The command line: options that switch demos on, name the demo file, pick
// screen-saver mode, set the start folder or crash at once.
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "framework/app/command_line.h"
#include "framework/app/crash_catcher.h"
#include "framework/app/demo_hooks.h"
#include "framework/app/demo_session.h"
#include "framework/app/kavo_app_base.h"
#include "framework/util/system_util.h"
#include "platform/file_system.h"

namespace Kavo {

namespace {

// A count from an option's value; text that is not a number counts as 0,
// and a number beyond the int range counts as the nearest end of it.
int OptionNumber(const std::string& value) {
    const long long number = std::strtoll(value.c_str(), nullptr, 10);
    if (number < INT_MIN)
        return INT_MIN;
    return number > INT_MAX ? INT_MAX : static_cast<int>(number);
}

} // namespace

void KavoAppBase::SetCommandLine(int argc, const char* const* argv) {
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i)
        args.emplace_back(argv[i]);
    mCommandLine = JoinCommandLine(args);
}

void KavoAppBase::ReadCommandLine() {
    const std::string options = CommandLineOptions(mCommandLine);
    if (!options.empty())
        SplitCommandLine(options);
    mCmdLineParsed = true;
}

void KavoAppBase::SplitCommandLine(const std::string& text) {
    SplitCommandLineOptions(
        text, [this](const std::string& name, const std::string& value) { HandleCmdLineParam(name, value); });
}

void KavoAppBase::HandleCmdLineParam(const std::string& name, const std::string& value) {
    // Numbered demos are listed, pruned, written and played in one folder.
    const std::string numbered = GetUserDataFolder() + mDemoPrefix;
    // Wide enough for a number one past, or far below, any int found.
    auto numberedName = [&](int64_t number) { return numbered + std::to_string(number) + ".dmo"; };
    auto anchored = [](const std::string& fileName) {
        return IsDemoPathAnchored(fileName) ? fileName : GetUserDataFolder() + fileName;
    };

    if (name == "-play") {
        mPlayingDemo = true;
        mRecordingDemo = false;
    } else if (name == "-record") {
        mRecordingDemo = true;
        mPlayingDemo = false;
    } else if (name == "-recnum") {
        int keep = OptionNumber(value);
        if (keep < 1)
            keep = 5;
        const std::vector<int> numbers = FindDemoNumbers(numbered);
        if (static_cast<int>(numbers.size()) >= keep)
            platform::RemoveFile(numberedName(numbers.front()));
        mDemoFileName = anchored(numberedName(numbers.empty() ? 1 : int64_t{numbers.back()} + 1));
        mRecordingDemo = true;
        mPlayingDemo = false;
    } else if (name == "-playnum") {
        // Below 1 means 1, the newest.
        const int which = OptionNumber(value);
        const int64_t back = which < 1 ? 0 : int64_t{which} - 1;
        const std::vector<int> numbers = FindDemoNumbers(numbered);
        mDemoFileName = anchored(numberedName((numbers.empty() ? 0 : int64_t{numbers.back()}) - back));
        mPlayingDemo = true;
        mRecordingDemo = false;
    } else if (name == "-demofile") {
        mDemoFileName = anchored(value);
    } else if (name == "-crash") {
        // A demo asked for by an earlier option is recorded from here on, so
        // that the crash leaves it as a fault later in the run would.
        if (mRecordingDemo && mDemoHooks == nullptr) {
            SetDemoRecorder(std::make_unique<DemoSession>(*this));
            mDemoHooks = std::make_unique<DemoHooks>(*this);
        }
        // The crash ends the run before its start would mark it in progress.
        MarkRunInProgress();
        // The crash catcher takes over as for any fault on the main thread;
        // without one the fault ends the process as the system would.
        if (const auto catcher = CrashCatcherSlot().Get())
            catcher->CrashOnRequest();
        CrashNow();
    } else if (name == "-screensaver") {
        mIsScreenSaver = true;
    } else if (name == "-changedir") {
        mChangeDirTo = value;
    } else {
        ShowFatalError(GetString("INVALID_COMMANDLINE_PARAM", "Invalid command line parameter: ") + name);
        DoExit(1);
    }
}

} // namespace Kavo
