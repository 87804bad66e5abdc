#pragma once
// The one glob walk behind every wildcard match: '*' takes any run of
// characters (shortest first, going back to the last '*' on a mismatch) and
// `matchOne(patternChar, nameChar)` decides every other pattern character.
// Linear enough for file names.

#include <cstddef>
#include <string_view>

namespace platform {

template <typename MatchOne>
bool GlobMatch(std::string_view pattern, std::string_view name, MatchOne matchOne) {
    std::size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && matchOne(pattern[p], name[n])) {
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

} // namespace platform
