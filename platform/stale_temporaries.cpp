#include "platform/stale_temporaries.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace platform {
namespace {

constexpr std::string_view kTemporaryMark = ".tmp";

// The process id a temporary's name ends with; 0 when it ends with none.
long WriterOf(const std::string& name) {
    const std::size_t mark = name.rfind(kTemporaryMark);
    if (mark == std::string::npos || mark == 0)
        return 0;
    const std::string digits = name.substr(mark + kTemporaryMark.size());
    if (digits.empty() || digits.size() > 9 || digits[0] == '0')
        return 0;
    long pid = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return 0;
        pid = pid * 10 + (c - '0');
    }
    return pid;
}

bool ProcessRuns(long pid) {
    // EPERM: it runs, under another account.
    return pid == static_cast<long>(getpid()) || kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

} // namespace

std::vector<std::string> RemoveStaleTemporaries(const std::string& diskFolder,
                                                const std::function<bool(const std::string& name)>& ownName) {
    std::vector<std::filesystem::path> stale;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(diskFolder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const long writer = WriterOf(name);
        std::error_code kind;
        if (writer != 0 && it->is_regular_file(kind) && ownName(name.substr(0, name.rfind(kTemporaryMark))) &&
            !ProcessRuns(writer))
            stale.push_back(it->path());
    }
    std::vector<std::string> removed;
    for (const std::filesystem::path& path : stale)
        if (unlink(path.c_str()) == 0)
            removed.push_back(path.string());
    return removed;
}

} // namespace platform
