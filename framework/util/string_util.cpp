#include "framework/util/string_util.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace Kavo {

namespace {

constexpr int kStackFormatSize = 160;
constexpr int kMaxFormatSize = 1000000;

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsCSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// Index of the first character after an optional leading '-'.
size_t SkipMinus(const std::string& text, bool* negative) {
    *negative = !text.empty() && text[0] == '-';
    return *negative ? 1 : 0;
}

} // namespace

std::string VFormatString(const char* format, va_list args) {
    char stackBuffer[kStackFormatSize + 1];
    va_list attempt;
    va_copy(attempt, args);
    int length = std::vsnprintf(stackBuffer, sizeof(stackBuffer), format, attempt);
    va_end(attempt);
    if (length >= 0 && length <= kStackFormatSize)
        return std::string(stackBuffer, static_cast<size_t>(length));

    // Most texts are short; a longer one is retried in a doubling heap buffer.
    int size = kStackFormatSize;
    std::vector<char> heap;
    while ((length < 0 || length > size) && size < kMaxFormatSize) {
        size *= 2;
        heap.resize(static_cast<size_t>(size) + 1);
        va_copy(attempt, args);
        length = std::vsnprintf(heap.data(), heap.size(), format, attempt);
        va_end(attempt);
    }
    if (length < 0)
        return std::string();
    // A text that never fitted keeps what did.
    if (length > size)
        length = size;
    return std::string(heap.data(), static_cast<size_t>(length));
}

std::string FormatString(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string result = VFormatString(format, args);
    va_end(args);
    return result;
}

bool StringToInt(const std::string& text, int* value) {
    *value = 0;
    if (text.empty())
        return false;
    bool negative;
    size_t i = SkipMinus(text, &negative);
    uint32_t result = 0; // unsigned so that overflow wraps instead of being undefined
    uint32_t radix = 10;
    for (; i < text.size(); ++i) {
        char c = text[i];
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (radix == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else if (radix == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;

        if (digit >= 0) {
            result = result * radix + static_cast<uint32_t>(digit);
        } else if ((c == 'x' || c == 'X') && i == 1 && result == 0) {
            radix = 16;
        } else {
            *value = 0;
            return false;
        }
    }
    if (negative)
        result = 0u - result;
    *value = static_cast<int>(result);
    return true;
}

bool StringToDouble(const std::string& text, double* value) {
    *value = 0.0;
    if (text.empty())
        return false;
    bool negative;
    size_t i = SkipMinus(text, &negative);
    double result = 0.0;
    bool afterPoint = false;
    double fraction = 0.1;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c >= '0' && c <= '9') {
            if (afterPoint) {
                result += (c - '0') * fraction;
                fraction *= 0.1;
            } else {
                result = result * 10 + (c - '0');
            }
        } else if (c == '.' && !afterPoint) {
            afterPoint = true;
        } else {
            *value = 0.0;
            return false;
        }
    }
    *value = negative ? -result : result;
    return true;
}

std::string FormatThousands(int value) {
    if (value < 0)
        return std::string();
    if (value == 0)
        return "0";
    std::string reversed;
    int digits = 0;
    while (value > 0) {
        if (digits > 0 && digits % 3 == 0)
            reversed += ',';
        reversed += static_cast<char>('0' + value % 10);
        value /= 10;
        ++digits;
    }
    return std::string(reversed.rbegin(), reversed.rend());
}

std::string StringToLower(const std::string& text) {
    std::string result(text);
    for (char& c : result)
        c = AsciiLower(c);
    return result;
}

std::string StringToUpper(const std::string& text) {
    std::string result(text);
    for (char& c : result)
        c = AsciiUpper(c);
    return result;
}

std::string StringTrim(const std::string& text) {
    size_t first = 0;
    while (first < text.size() && IsCSpace(text[first]))
        ++first;
    size_t last = text.size();
    while (last > first && IsCSpace(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

int StringFindNoCase(const char* text, const char* pattern) {
    if (text[0] == '\0')
        return -1;
    for (int start = 0; text[start] != '\0'; ++start) {
        int k = 0;
        while (pattern[k] != '\0' && text[start + k] != '\0' && AsciiLower(text[start + k]) == AsciiLower(pattern[k]))
            ++k;
        if (pattern[k] == '\0')
            return start;
    }
    return -1;
}

std::wstring StringToWString(const std::string& text) {
    std::wstring result;
    result.reserve(text.size());
    for (char c : text)
        result += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return result;
}

std::string WStringToString(const std::wstring& text) {
    std::string result;
    result.reserve(text.size());
    for (wchar_t c : text) {
        if (c < 0 || c > 0xFF)
            return std::string();
        result += static_cast<char>(c);
    }
    return result;
}

} // namespace Kavo
