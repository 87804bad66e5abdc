#include "engine/storage/name_mask.h"

#include "engine/storage/storage_path.h"
#include "platform/glob_match.h"

std::string CleanMask(std::string_view pattern) {
    const std::string lower = LowerAscii(pattern);
    std::string result;
    for (std::size_t i = 0; i < lower.size(); ++i) {
        if (i + 1 < lower.size()) {
            const char a = lower[i], b = lower[i + 1];
            const bool redundant =
                (a == '?' && b == '*') || (a == '*' && b == '?') || (a == '*' && b == '*') || (a == '@' && b == '@');
            if (redundant)
                continue;
        }
        result += lower[i];
    }
    return result;
}

namespace {

bool MatchOne(char p, char c) {
    if (p == '?')
        return true;
    if (p == '#')
        return c >= '0' && c <= '9';
    return p == c;
}

} // namespace

bool MatchMask(std::string_view name, std::string_view pattern) {
    return platform::GlobMatch(pattern, name, MatchOne);
}
