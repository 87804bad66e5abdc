// Start-up time of the game, headless on the generated sample content: from
// the start of the application to the title screen's first frame and to
// "Continue" (loading done), over several runs; printed with their minimum
// and median beside the time the image loaders alone take to read and
// decode the same pictures (the floor for this content). The logos are left
// out: they show for a fixed time by design.
// Build with optimisation and run from anywhere:
//   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release
//   cmake --build build-bench --target startup_bench kavo-game && build-bench/bench/startup_bench [runs]

#include "framework/graphics/image.h"
#include "framework/imagelib/image_lib.h"
#include "framework/pak/pak_interface.h"
#include "game/app/game_app.h"
#include "game/app/title_screen.h"
#include "game/main/game_tables.h"
#include "platform/drivers.h"
#include "platform/process_slot.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Times {
    double title = 0.0;
    double loaded = 0.0;
};

// The title screen that notes its first frame.
class TimedTitle : public Game::TitleScreen {
public:
    TimedTitle(Game::GameApp* app, Clock::time_point start, Times& times)
        : TitleScreen(app), mStart(start), mTimes(times) {}
    void Draw(Kavo::Graphics* g) override {
        TitleScreen::Draw(g);
        if (mTimes.title == 0.0)
            mTimes.title = MillisecondsSince(mStart);
    }

private:
    Clock::time_point mStart;
    Times& mTimes;
};

// Ends the run once loading has finished.
class TimedGame : public Game::GameApp {
public:
    TimedGame(const std::string& folder, Clock::time_point start, Times& times)
        : GameApp(folder), mStart(start), mTimes(times) {}
    void LoadingThreadCompleted() override {
        GameApp::LoadingThreadCompleted();
        mTimes.loaded = MillisecondsSince(mStart);
        CloseApp();
    }

private:
    Clock::time_point mStart;
    Times& mTimes;
};

Times RunOnce(const std::string& programFolder, const std::string& content) {
    Times times;
    const Clock::time_point start = Clock::now();
    {
        Game::GameTables tables;
        TimedGame app(programFolder, start, times);
        tables.Register(app.mSteps);
        app.mSteps.mMakeTitleScreen = [&](Game::GameApp& game) { return new TimedTitle(&game, start, times); };
        app.mChangeDirTo = content;
        app.mIsWindowed = true;
        app.Initialize();
        app.Run();
    }
    return times;
}

// Reads and decodes every picture of the content with the image loaders.
double DecodeFloor(const std::string& content) {
    const Clock::time_point start = Clock::now();
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(content)) {
        const std::string ext = entry.path().extension().string();
        if (entry.is_regular_file() && (ext == ".png" || ext == ".jpg" || ext == ".gif" || ext == ".tga"))
            Kavo::ImageLib::LoadImageFile(entry.path().string(), true);
    }
    return MillisecondsSince(start);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const fs::path build = fs::canonical(fs::path(argv[0])).parent_path().parent_path();
    const fs::path sample = build / "sample-content";
    if (!fs::exists(build / "main.pak") || !fs::exists(sample)) {
        std::fprintf(stderr, "startup_bench: build kavo-game first (no %s)\n", sample.c_str());
        return 1;
    }
    // A scratch home for the profiles and a copy of the content without logos.
    const fs::path scratch = fs::temp_directory_path() / ("kavo-startup-bench-" + std::to_string(getpid()));
    fs::remove_all(scratch);
    fs::create_directories(scratch / "home");
    setenv("HOME", (scratch / "home").c_str(), 1);
    setenv("XDG_DATA_HOME", (scratch / "home").c_str(), 1);
    // A private runtime folder: another copy of the game running on the
    // machine would otherwise hold the single-instance lock, and every run
    // would end before its first frame.
    fs::create_directories(scratch / "runtime");
    setenv("KAVO_RUNTIME_DIR", (scratch / "runtime").c_str(), 1);
    const fs::path content = scratch / "content";
    fs::copy(sample, content, fs::copy_options::recursive);
    fs::remove_all(content / "logos");

    platform::Drivers drivers;
    std::string error;
    if (!platform::SelectDrivers(platform::DriverNames{"headless", "headless", "headless"}, drivers, error)) {
        std::fprintf(stderr, "startup_bench: %s\n", error.c_str());
        return 1;
    }
    const platform::InstalledDrivers installed(drivers);
    const platform::Installed<Kavo::PakInterfaceBase> reader(Kavo::PakReaderSlot(), *Kavo::gPakInterface);

    std::vector<double> titles, loads, floors;
    for (int i = 0; i < runs; ++i) {
        const Times t = RunOnce(build.string(), content.string());
        titles.push_back(t.title);
        loads.push_back(t.loaded);
        floors.push_back(DecodeFloor(content.string()));
        std::printf("run %d: title %.1f ms, loaded %.1f ms, decode alone %.1f ms\n", i + 1, t.title, t.loaded,
                    floors.back());
        if (t.title <= 0.0 || t.loaded <= 0.0) {
            std::fprintf(stderr, "startup_bench: run %d ended before %s: nothing was measured\n", i + 1,
                         t.title <= 0.0 ? "the title screen's first frame" : "loading completed");
            fs::remove_all(scratch);
            return 1;
        }
    }
    std::printf("title frame: min %.1f ms, median %.1f ms (goal under 500 ms)\n",
                *std::min_element(titles.begin(), titles.end()), Median(titles));
    std::printf("\"Continue\":  min %.1f ms, median %.1f ms\n", *std::min_element(loads.begin(), loads.end()),
                Median(loads));
    std::printf("decode alone: min %.1f ms, median %.1f ms\n", *std::min_element(floors.begin(), floors.end()),
                Median(floors));
    fs::remove_all(scratch);
    return 0;
}
