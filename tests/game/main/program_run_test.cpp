// The program as a person starts it, stops it and finds it failing: a crash
// asked for with "-crash", a second start, the fatal start-up errors, a
// request to end from the system, and demo files that cannot be written or
// are broken.
#include "framework/app/demo_file.h"
#include "platform/single_instance.h"
#include "platform/text_encoding.h"
#include "tests/game/main/program_child.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace Game {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

// The product name in the program's single-byte text (cp1251) and as the
// error output shows it (UTF-8).
const std::string kProduct = "\xD2\xFE\xE2\xE5\xEB\xE8\xED";
const std::string kProductUtf8 = "\xD0\xA2\xD1\x8E\xD0\xB2\xD0\xB5\xD0\xBB\xD0\xB8\xD0\xBD";

using ProgramRunTest = ProgramChildTest;

TEST_F(ProgramRunTest, CrashOptionWritesTheReportAndTheDemoBeingRecorded) {
    const Outcome outcome = Run({"-record", "-crash"});
    // The process ends as after a fault, once the report is out.
    EXPECT_TRUE(outcome.KilledBy(SIGSEGV)) << outcome.status << outcome.err;

    std::string report;
    ASSERT_TRUE(platform::ReadWholeFile(ProgramFolder() + "/crash.txt", report)) << outcome.err;
    EXPECT_THAT(report, StartsWith("Exception: Access Violation (code 0xc0000005) at address "));
    EXPECT_THAT(report, HasSubstr("Product: " + kProduct + "\r\nVersion: 1.0\r\n"));

    // The demo went to the user-data folder, which the first run had not made yet.
    const std::vector<std::string> demos = FilesEndingIn(Home(), ".dmo");
    ASSERT_EQ(demos.size(), 1u);
    Kavo::DemoFile demo;
    std::string error;
    EXPECT_TRUE(Kavo::LoadDemoFile(platform::Utf8ToCp1251(demos[0]), kProduct, demo, error)) << error;
}

TEST_F(ProgramRunTest, ASecondStartSaysThatTheGameRunsAndLeaves) {
    LinkArchive();
    // What the running game holds.
    platform::SingleInstance first;
    ASSERT_TRUE(first.Acquire(kProduct + "Mutex"));
    const Outcome outcome = Run({});
    EXPECT_TRUE(outcome.ExitedWith(0)) << outcome.status;
    EXPECT_THAT(outcome.err, HasSubstr(kProductUtf8 + " is already running"));
    EXPECT_TRUE(first.PollNotification()); // it knocked
}

TEST_F(ProgramRunTest, FatalStartsEndWithAFailureAndTheirTextOnTheErrorOutput) {
    struct Case {
        const char* name;
        std::function<void()> prepare;
        std::vector<std::string> options;
        std::string text;
    };
    const std::string demo = WorkFolder() + "/damaged.dmo";
    const std::string folder = ProgramFolder();
    const Case cases[] = {
        {"no archive",
         [] {},
         {},
         "Resource file not found: properties/resources.xml (looked in the archive " + folder +
             "/main.pak (missing), the folder " + folder + ")"},
        {"damaged archive",
         [&] { platform::WriteWholeFile(folder + "/main.pak", std::string(64, 'x')); },
         {},
         "Resource file not found: properties/resources.xml (looked in the archive " + folder +
             "/main.pak (not a readable archive), the folder " + folder + ")"},
        {"a manifest without the groups",
         [&] {
             platform::MakeDirectories(folder + "/properties");
             platform::WriteWholeFile(folder + "/properties/resources.xml", "<ResourceManifest></ResourceManifest>");
         },
         {},
         " resource not found: "},
        {"damaged demo",
         [&] {
             LinkArchive();
             platform::WriteWholeFile(demo, "not a demo");
         },
         {"-play", "-demofile=" + demo},
         "Invalid demo file."},
        {"unknown option", [] {}, {"-Play"}, "Invalid command line parameter: -Play"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(folder + "/properties");
        std::filesystem::remove(folder + "/main.pak");
        c.prepare();
        const Outcome outcome = Run(c.options);
        EXPECT_TRUE(outcome.ExitedWith(1)) << outcome.status;
        EXPECT_THAT(outcome.err, HasSubstr(kProductUtf8 + ": "));
        EXPECT_THAT(outcome.err, HasSubstr(c.text));
    }
}

TEST_F(ProgramRunTest, ARequestToEndClosesTheGameThroughItsShutdown) {
    LinkArchive();
    const std::string settings = Home() + "/config/kavo/registry.txt";
    for (const int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        std::filesystem::remove(settings);
        const pid_t game = Start({});
        // The start marks the run as going on; the logos show for seconds.
        std::string text;
        for (int i = 0; i < 3000 && text.find("\"InProgress\"=dword:00000001") == std::string::npos; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            platform::ReadWholeFile(settings, text);
        }
        ASSERT_THAT(text, HasSubstr("\"InProgress\"=dword:00000001"));
        kill(game, signal);
        const Outcome outcome = Wait(game);
        EXPECT_TRUE(outcome.ExitedWith(0)) << outcome.status << outcome.err;
        // Closed before loading was done, and the settings saved as at a normal end.
        EXPECT_THAT(outcome.out, ::testing::Not(HasSubstr("Loading finished")));
        ASSERT_TRUE(platform::ReadWholeFile(settings, text));
        EXPECT_THAT(text, HasSubstr("\"InProgress\"=dword:00000000"));
    }
}

TEST_F(ProgramRunTest, ADemoThatCannotBeWrittenEndsTheRecordingWithAFailure) {
    LinkArchive();
    const std::string aFile = WorkFolder() + "/a-file";
    ASSERT_TRUE(platform::WriteWholeFile(aFile, "not a folder"));
    struct Case {
        std::string demo;
        std::string text;
        bool played; // the failure comes when the file is written, after the run
    } cases[] = {
        {aFile + "/x.dmo", "Cannot create the demo file " + aFile + "/x.dmo: Not a directory", false},
        // A folder the player named is not made for the recording.
        {WorkFolder() + "/missing/x.dmo",
         "Cannot create the demo file " + WorkFolder() + "/missing/x.dmo: No such file or directory", false},
        {"/dev/full", "Cannot write the demo file /dev/full: No space left on device; the recording is lost.", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.demo);
        const Outcome outcome = Run({"-record", "-demofile=" + c.demo});
        EXPECT_TRUE(outcome.ExitedWith(1)) << outcome.status << outcome.err;
        EXPECT_THAT(outcome.err, HasSubstr(kProductUtf8 + ": " + c.text));
        EXPECT_EQ(outcome.out.find("Loading finished") != std::string::npos, c.played) << outcome.out;
    }
    EXPECT_FALSE(std::filesystem::exists(WorkFolder() + "/missing"));
}

TEST_F(ProgramRunTest, AReplayOfABrokenDemoStopsWithAMessageAndLeavesTheSettingsAlone) {
    LinkArchive();
    const std::string recorded = WorkFolder() + "/recorded.dmo";
    const Outcome recording = Run({"-record", "-demofile=" + recorded});
    ASSERT_TRUE(recording.ExitedWith(0)) << recording.status << recording.err;
    std::string image;
    ASSERT_TRUE(platform::ReadWholeFile(recorded, image));
    ASSERT_GT(image.size(), 100u);
    const std::string settings = Home() + "/config/kavo/registry.txt";
    std::string settingsBefore;
    ASSERT_TRUE(platform::ReadWholeFile(settings, settingsBefore));
    ASSERT_THAT(settingsBefore, HasSubstr("\"InProgress\"=dword:00000000"));

    std::string damaged = image;
    // In the first events read while the game starts, after the settings
    // it started with (the stream's first event, from byte 33 to 80).
    damaged[86] = 0;
    struct Case {
        const char* name;
        std::string data; // written to the file played, unless `path` names one
        std::string path;
        int status;
        std::string text;
    } cases[] = {
        {"intact", image, "", 0, ""},
        {"cut in half", image.substr(0, image.size() / 2), "", 1, "ends before the run it recorded"},
        {"a damaged byte", damaged, "", 1, "is damaged"},
        {"zeros", "", "/dev/zero", 1, "Invalid demo file."},
        {"random bytes", "", "/dev/urandom", 1, "Invalid demo file."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string demo = c.path;
        if (demo.empty()) {
            demo = WorkFolder() + "/played.dmo";
            ASSERT_TRUE(platform::WriteWholeFile(demo, c.data));
        }
        const Outcome outcome = Run({"-play", "-demofile=" + demo});
        EXPECT_TRUE(outcome.ExitedWith(c.status)) << outcome.status << outcome.err;
        if (c.status == 0) {
            EXPECT_THAT(outcome.out, HasSubstr("Loading finished"));
        } else {
            EXPECT_THAT(outcome.err, HasSubstr(kProductUtf8 + ": "));
            EXPECT_THAT(outcome.err, HasSubstr(c.text));
        }
        if (c.status != 0) {
            EXPECT_THAT(outcome.err, HasSubstr(demo));
        }
        // A replay saves no settings: they are as the recording left them.
        std::string settingsAfter;
        ASSERT_TRUE(platform::ReadWholeFile(settings, settingsAfter));
        EXPECT_EQ(settingsAfter, settingsBefore);
    }
}

} // namespace
} // namespace Game
