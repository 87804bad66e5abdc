#include "engine/storage/storage_path.h"

namespace {

char LowerAsciiChar(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string LowerAscii(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = LowerAsciiChar(c);
    return result;
}

bool EqualNoCaseAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAsciiChar(a[i]) != LowerAsciiChar(b[i]))
            return false;
    }
    return true;
}

std::string NormalizePath(std::string_view path) {
    std::string result = LowerAscii(path);
    for (char& c : result) {
        if (c == '/')
            c = '\\';
    }
    if (!result.empty() && result.back() == '\\')
        result.pop_back();
    return result;
}

std::vector<std::string> SplitPath(std::string_view normalized) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (start <= normalized.size()) {
        std::size_t end = normalized.find('\\', start);
        if (end == std::string_view::npos)
            end = normalized.size();
        if (end > start)
            pieces.emplace_back(normalized.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

CompressionKind_t CompressionKind(std::string_view path) {
    if (path.find(".cdf") != std::string_view::npos)
        return kCompressionCdf;
    if (path.find(".cda") != std::string_view::npos)
        return kCompressionUnsupported;
    return kCompressionNone;
}
