#include "engine/base/string_tools.h"

#include <cstring>
#include <memory>

namespace com_string {

char* StrDup(const char* text) {
    if (text == nullptr)
        return nullptr;
    const std::size_t length = std::strlen(text);
    char* copy = new char[length + 1];
    std::memcpy(copy, text, length + 1);
    return copy;
}

char* Trim(char* text) {
    if (text == nullptr)
        return nullptr;
    while (*text == ' ')
        ++text;
    std::size_t end = std::strlen(text);
    while (end > 0 && text[end - 1] == ' ')
        text[--end] = '\0';
    return text;
}

char* SplitAt(char* text, char*& first, char separator) {
    first = text;
    if (text == nullptr)
        return nullptr;
    if (char* found = std::strchr(text, separator); found != nullptr && separator != '\0') {
        *found = '\0';
        return found + 1;
    }
    if (*text == '\0')
        return nullptr;
    return text + std::strlen(text);
}

std::int32_t Split(const char* text, char separator, std::vector<std::string>& pieces) {
    std::vector<std::string>().swap(pieces);
    if (text == nullptr || *text == '\0')
        return 0;
    std::unique_ptr<char[]> copy(StrDup(text));
    // Every piece counts, the last one too, whether or not a separator
    // follows it.
    char* piece = nullptr;
    char* rest = SplitAt(copy.get(), piece, separator);
    while (piece != nullptr) {
        if (const char* trimmed = Trim(piece); *trimmed != '\0')
            pieces.emplace_back(trimmed);
        if (rest == nullptr)
            break;
        rest = SplitAt(rest, piece, separator);
        if (rest == nullptr && *piece == '\0')
            break;
    }
    return static_cast<std::int32_t>(pieces.size());
}

} // namespace com_string
