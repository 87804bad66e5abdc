#include "framework/util/path_util.h"

#include "platform/file_system.h"

namespace Kavo {

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool HasDrive(const std::string& path) {
    return path.size() >= 2 && path[1] == ':';
}

int LastSeparator(const std::string& path) {
    size_t found = path.find_last_of("\\/");
    return found == std::string::npos ? -1 : static_cast<int>(found);
}

} // namespace

std::string GetFileName(const std::string& path, bool withoutExtension) {
    int slash = LastSeparator(path);
    if (withoutExtension) {
        size_t dot = path.rfind('.');
        if (dot != std::string::npos && static_cast<int>(dot) > slash)
            return path.substr(static_cast<size_t>(slash + 1), dot - static_cast<size_t>(slash + 1));
    }
    if (slash < 0)
        return path;
    return path.substr(static_cast<size_t>(slash + 1));
}

std::string GetFileDir(const std::string& path, bool keepSlash) {
    int slash = LastSeparator(path);
    if (slash < 0)
        return std::string();
    return path.substr(0, static_cast<size_t>(keepSlash ? slash + 1 : slash));
}

std::string RemoveTrailingSlash(const std::string& path) {
    if (!path.empty() && IsSeparator(path.back()))
        return path.substr(0, path.size() - 1);
    return path;
}

std::string AddTrailingSlash(const std::string& path, bool backSlash) {
    if (path.empty() || IsSeparator(path.back()))
        return path;
    return path + (backSlash ? '\\' : '/');
}

std::string NormalizePath(const std::string& relativePath, const std::string& baseFolder) {
    if (HasDrive(relativePath))
        return relativePath;

    const bool useBackslash =
        relativePath.find('\\') != std::string::npos || baseFolder.find('\\') != std::string::npos;
    const char sep = useBackslash ? '\\' : '/';

    std::string base = baseFolder;
    std::string drive;
    if (HasDrive(base)) {
        drive = base.substr(0, 2);
        base.erase(0, 2);
    }
    if (!base.empty() && !IsSeparator(base.back()))
        base += sep;

    std::string rest = relativePath;
    while (!base.empty()) {
        size_t cut = rest.find_first_of("\\/");
        if (cut == std::string::npos)
            break;
        std::string component = rest.substr(0, cut);
        rest.erase(0, cut + 1);

        if (component == "..") {
            // Start of the last folder name: just after the separator that
            // precedes the base's final one, or the very beginning.
            size_t start = 0;
            if (base.size() >= 2) {
                size_t prev = base.find_last_of("\\/", base.size() - 2);
                if (prev != std::string::npos)
                    start = prev + 1;
            }
            if (base.substr(start, base.size() - 1 - start) == "..") {
                base += "..";
                base += sep;
            } else {
                base.erase(start);
            }
            continue;
        }
        if (component.empty()) {
            base.assign(1, sep);
            break;
        }
        if (component == ".")
            continue;
        base += component;
        base += sep;
        break;
    }

    std::string result = drive + base + rest;
    const char other = useBackslash ? '/' : '\\';
    for (char& c : result)
        if (c == other)
            c = sep;
    return result;
}

void MkDir(const std::string& path) {
    platform::MakeDirectories(path);
}

bool DeleteTree(const std::string& path) {
    if (path.size() < 2)
        return false;
    return platform::RemoveTree(path);
}

uint32_t GetFileDate(const std::string& path) {
    return static_cast<uint32_t>(platform::GetFileWriteTime(path));
}

} // namespace Kavo
