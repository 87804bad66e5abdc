#include "platform/damaged_copy.h"

#include <sys/stat.h>

#include <cstdio>

namespace platform {
namespace {

constexpr std::string_view kCopySuffix = ".bad";
// Past this many copies of one file something else is wrong; no more are made.
constexpr int kMostCopies = 999;

std::string CopyName(const std::string& path, int number) {
    return number == 1 ? path + std::string(kCopySuffix)
                       : path + "." + std::to_string(number) + std::string(kCopySuffix);
}

bool ReadDiskFile(const std::string& diskPath, std::string& bytes) {
    std::FILE* in = std::fopen(diskPath.c_str(), "rb");
    if (in == nullptr)
        return false;
    bytes.clear();
    char chunk[4096];
    for (std::size_t got = 0; (got = std::fread(chunk, 1, sizeof chunk, in)) > 0;)
        bytes.append(chunk, got);
    const bool read = std::ferror(in) == 0;
    std::fclose(in);
    return read;
}

} // namespace

std::string KeepDamagedCopy(const std::string& diskPath, const DiskFileWriter& write) {
    std::string damaged;
    if (!ReadDiskFile(diskPath, damaged))
        return {};
    for (int number = 1; number <= kMostCopies; ++number) {
        const std::string copy = CopyName(diskPath, number);
        struct stat st {};
        if (lstat(copy.c_str(), &st) != 0)
            return write(copy, damaged) ? copy : std::string();
        std::string earlier;
        if (S_ISREG(st.st_mode) && ReadDiskFile(copy, earlier) && earlier == damaged)
            return copy;
    }
    return {};
}

std::string_view DamagedCopyOriginal(std::string_view name) {
    if (name.size() <= kCopySuffix.size() || name.substr(name.size() - kCopySuffix.size()) != kCopySuffix)
        return {};
    std::string_view original = name.substr(0, name.size() - kCopySuffix.size());
    // "<file>.<n>.bad", n from 2.
    const std::size_t dot = original.rfind('.');
    if (dot != std::string_view::npos && dot > 0 && dot + 1 < original.size() && original[dot + 1] != '0' &&
        original.find_first_not_of("0123456789", dot + 1) == std::string_view::npos && original.substr(dot + 1) != "1")
        original = original.substr(0, dot);
    return original;
}

} // namespace platform
