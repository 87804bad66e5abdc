#include "framework/app/screenshot_files.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "platform/file_system.h"

namespace Kavo {

namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The number of a name "image<digits>.png", or -1.
int ScreenshotNumber(std::string_view name) {
    constexpr std::string_view prefix = "image";
    constexpr std::string_view suffix = ".png";
    if (name.size() <= prefix.size() + suffix.size() || !EqualsIgnoringCase(name.substr(0, prefix.size()), prefix) ||
        !EqualsIgnoringCase(name.substr(name.size() - suffix.size()), suffix))
        return -1;
    const std::string_view digits = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    long value = 0;
    for (const char c : digits) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return -1;
        value = value * 10 + (c - '0');
        if (value > 1'000'000'000)
            return -1; // no real screenshot series gets here
    }
    return static_cast<int>(value);
}

} // namespace

int HighestScreenshotNumber(const std::string& folder) {
    int highest = 0;
    for (const platform::FoundFile& file : platform::FindFiles(folder + "image*.png")) {
        if (!file.IsDirectory())
            highest = std::max(highest, ScreenshotNumber(file.name));
    }
    return highest;
}

std::string NextScreenshotPath(const std::string& folder) {
    return folder + "image" + std::to_string(HighestScreenshotNumber(folder) + 1) + ".png";
}

} // namespace Kavo
