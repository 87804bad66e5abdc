#pragma once
// Paths are program text: either '\' or '/' separates folders.

#include <cstdint>
#include <string>

namespace Kavo {

// The part after the last separator; with withoutExtension, also without the
// part from a '.' that follows the last separator.
std::string GetFileName(const std::string& path, bool withoutExtension = false);
// The part before the last separator (with it when keepSlash); "" without one.
std::string GetFileDir(const std::string& path, bool keepSlash = false);
std::string RemoveTrailingSlash(const std::string& path);
std::string AddTrailingSlash(const std::string& path, bool backSlash = false);
// Resolves relativePath against baseFolder, folding "." and ".." components
// for as long as the base folder lasts; a path with a drive letter is
// returned as it stands.
std::string NormalizePath(const std::string& relativePath, const std::string& baseFolder);

// Creates every folder along the path; failures (such as existing folders)
// are ignored.
void MkDir(const std::string& path);
// Deletes the folder and everything in it; true when all of it went.
bool DeleteTree(const std::string& path);
// Last-write time in seconds since 1970 (UTC); 0 when the file is missing.
uint32_t GetFileDate(const std::string& path);

} // namespace Kavo
