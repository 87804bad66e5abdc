#pragma once
// How the storages spell names and paths: lower case (A to Z only),
// backslashes, no trailing backslash.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

std::string LowerAscii(std::string_view text);
bool EqualNoCaseAscii(std::string_view a, std::string_view b);

std::string NormalizePath(std::string_view path);

// The names between the backslashes of a normalised path, in order; empty
// names (a leading or doubled backslash) are left out.
std::vector<std::string> SplitPath(std::string_view normalized);

enum CompressionKind_t : std::int32_t {
    kCompressionNone = 0,
    kCompressionCdf = 1,
    kCompressionUnsupported = 2, // ".cda": refused at open
};
// Decided by a substring anywhere in the path, folders included.
CompressionKind_t CompressionKind(std::string_view path);
