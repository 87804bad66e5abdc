#include "framework/util/alloc_tracker.h"
#include "framework/util/debug_trace.h"
#include "platform/services.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace Kavo {
namespace {

std::string gCaptured;

void Capture(std::string_view text) {
    gCaptured += text;
}

// Runs each test in a fresh current folder with the debugger output captured.
class AllocTrackerTest : public testing::Test {
protected:
    void SetUp() override {
        mOldFolder = std::filesystem::current_path();
        mFolder = std::filesystem::path(testing::TempDir()) /
                  ("utiltypes_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
                   std::to_string(getpid()));
        std::filesystem::remove_all(mFolder);
        std::filesystem::create_directories(mFolder);
        std::filesystem::current_path(mFolder);
        gCaptured.clear();
        platform::SetDebugSink(&Capture);
    }

    void TearDown() override {
        platform::SetDebugSink({});
        std::filesystem::current_path(mOldFolder);
        std::error_code ec;
        std::filesystem::remove_all(mFolder, ec);
    }

    static std::string ReadReport() {
        std::ifstream in("mem_leaks.txt", std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // Splits off the header line, checking that it carries an asctime stamp
    // ("Thu Jan  1 00:00:00 1970\n") before its own line end.
    static std::string BodyAfterHeader(const std::string& report) {
        const std::string prefix = "Memory Leak Report for ";
        // A upper-case letter, a lower-case letter, 9 digit, d digit or space.
        const std::string shape = "Aaa Aaa d9 99:99:99 9999\n\n";
        bool matches = report.compare(0, prefix.size(), prefix) == 0 && report.size() >= prefix.size() + shape.size();
        for (std::size_t i = 0; matches && i < shape.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(report[prefix.size() + i]);
            switch (shape[i]) {
            case 'A':
                matches = std::isupper(c) != 0;
                break;
            case 'a':
                matches = std::islower(c) != 0;
                break;
            case '9':
                matches = std::isdigit(c) != 0;
                break;
            case 'd':
                matches = c == ' ' || std::isdigit(c) != 0;
                break;
            default:
                matches = c == static_cast<unsigned char>(shape[i]);
                break;
            }
        }
        EXPECT_TRUE(matches) << report;
        return matches ? report.substr(prefix.size() + shape.size()) : report;
    }

    std::filesystem::path mOldFolder;
    std::filesystem::path mFolder;
};

const std::string kDashes(59, '-');

TEST_F(AllocTrackerTest, EmptyReport) {
    AllocTracker tracker;
    tracker.DumpLeaks();
    const std::string report = ReadReport();
    EXPECT_EQ(BodyAfterHeader(report), kDashes + "\nTotal Unfreed: 0 bytes (0KB)\n\n");

    // The debugger gets a blank line first, then the same text.
    EXPECT_EQ(gCaptured, "\n" + report);
}

TEST_F(AllocTrackerTest, RecordsInAddressOrderWithPlurals) {
    char block[8];
    const std::string longFile(300, 'f');
    AllocTracker tracker;
    tracker.AddTrack(block + 4, 2048, "big.cpp", 30);
    tracker.AddTrack(block + 2, 2, "two.cpp", 20);
    tracker.AddTrack(block + 1, 1, "one.cpp", 10);
    tracker.AddTrack(block + 3, 5, longFile.c_str(), 7);
    tracker.AddTrack(block + 5, 99, "freed.cpp", 1);
    tracker.RemoveTrack(block + 5);
    tracker.DumpLeaks();

    const std::string report = ReadReport();
    EXPECT_EQ(BodyAfterHeader(report), "one.cpp(10) : Leak 1 byte\n"
                                       "two.cpp(20) : Leak 2 bytes\n" +
                                           std::string(259, 'f') +
                                           "(7) : Leak 5 bytes\n"
                                           "big.cpp(30) : Leak 2048 bytes\n" +
                                           kDashes + "\nTotal Unfreed: 2056 bytes (2KB)\n\n");
    EXPECT_EQ(gCaptured, "\n" + report);
}

TEST_F(AllocTrackerTest, ReportsAtDestructionOnlyWhenAsked) {
    { AllocTracker quiet; }
    EXPECT_FALSE(std::filesystem::exists("mem_leaks.txt"));

    {
        AllocTracker tracker;
        tracker.mReportAtExit = true;
        int value = 0;
        tracker.AddTrack(&value, 4, "x.cpp", 3);
    }
    EXPECT_NE(ReadReport().find("x.cpp(3) : Leak 4 bytes\n"), std::string::npos);
}

TEST_F(AllocTrackerTest, DebugTraceFormatsTextOfAnyLength) {
    const std::string longText(5000, 'z');
    DebugTrace("%s:%d|%s", "step", -42, longText.c_str());
    EXPECT_EQ(gCaptured, "step:-42|" + longText);
}

} // namespace
} // namespace Kavo
