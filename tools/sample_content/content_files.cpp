#include "tools/sample_content/content_files.h"

#include <cstdio>

#include "platform/file_system.h"

namespace Kavo::SampleContent {

bool WriteContentFile(const std::string& path, const std::string& bytes) {
    const size_t slash = path.find_last_of('/');
    if (slash != std::string::npos)
        platform::MakeDirectories(path.substr(0, slash));
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

bool WriteContentFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    return WriteContentFile(path, std::string(bytes.begin(), bytes.end()));
}

std::string WithCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char chr : text) {
        if (chr == '\n')
            out += '\r';
        out += chr;
    }
    return out;
}

} // namespace Kavo::SampleContent
