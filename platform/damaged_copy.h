#pragma once
// A damaged file is copied beside itself before anything replaces it, and
// no copy ever takes an earlier one's place: the first is "<file>.bad", the
// next "<file>.2.bad", then "<file>.3.bad" and so on.

#include <functional>
#include <string>
#include <string_view>

namespace platform {

using DiskFileWriter = std::function<bool(const std::string& diskPath, std::string_view data)>;

// Copies the file (disk path, UTF-8) through `write` to its first copy name
// that nothing holds yet; a copy that holds the same bytes already is
// named instead of making another. The copy's disk path, or empty when the
// file could not be read or no copy could be written.
std::string KeepDamagedCopy(const std::string& diskPath, const DiskFileWriter& write);

// The name of the file that a copy's name stands for (names without
// folders); empty when `name` is no copy's name.
std::string_view DamagedCopyOriginal(std::string_view name);

} // namespace platform
