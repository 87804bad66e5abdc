#pragma once
// The name patterns of the memory storage: "*" any run, "?" one character,
// "#" one decimal digit, anything else itself.

#include <string>
#include <string_view>

// Lower-cases the pattern and drops the redundant one of each adjacent pair
// ("?*" keeps "*", "*?" keeps "?", "**" keeps one "*", "@@" keeps one "@"),
// judging the pairs on the pattern as given.
std::string CleanMask(std::string_view pattern);

// True when the whole name matches the whole pattern.
bool MatchMask(std::string_view name, std::string_view pattern);
