#include "engine/storage/name_mask.h"

#include "engine/storage/storage_path.h"

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
    // Shortest runs first, going back to the last "*" on a mismatch.
    std::size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && MatchOne(pattern[p], name[n])) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}
