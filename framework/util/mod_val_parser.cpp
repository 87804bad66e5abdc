#include "framework/util/mod_val_parser.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

#include "framework/util/string_util.h"

namespace Kavo {
namespace {

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

bool IsAlnum(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

// Index of the double quote that closes a quoted text whose body starts at
// `from`, skipping backslash escapes; npos when the line ends first.
std::size_t FindQuoteEnd(std::string_view line, std::size_t from) {
    for (std::size_t i = from; i < line.size(); ++i) {
        if (line[i] == '\\')
            ++i;
        else if (line[i] == '"')
            return i;
    }
    return std::string_view::npos;
}

// Whether the '(' at `i` opens M( or M1( … M9( standing on its own.
bool IsSiteOpening(std::string_view line, std::size_t i) {
    if (i >= 1 && line[i - 1] == 'M')
        return i < 2 || !IsAlnum(line[i - 2]);
    if (i >= 2 && line[i - 1] >= '1' && line[i - 1] <= '9' && line[i - 2] == 'M')
        return i < 3 || (!IsAlnum(line[i - 3]) && line[i - 3] != '/');
    return false;
}

// "text" with the escapes \" \\ \n \t, then optional blanks and ')'.
bool ReadQuotedValue(std::string_view s, std::string* out) {
    std::string text;
    for (std::size_t i = 1; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"') {
            ++i;
            while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
                ++i;
            if (i >= s.size() || s[i] != ')')
                return false;
            *out = std::move(text);
            return true;
        }
        if (c == '\\' && i + 1 < s.size()) {
            const char escaped = s[++i];
            if (escaped == 'n')
                text += '\n';
            else if (escaped == 't')
                text += '\t';
            else if (escaped == '"' || escaped == '\\')
                text += escaped;
            else
                text.append({'\\', escaped});
            continue;
        }
        text += c;
    }
    return false;
}

// A named constant, decimal digits with an optional '-', or "0x" and hex
// digits (no sign), directly followed by ')'.
bool ReadIntValue(std::string_view s, const std::map<std::string, int>& namedConstants, int* value) {
    if (std::isalpha(static_cast<unsigned char>(s[0])) || s[0] == '_') {
        std::size_t i = 1;
        while (i < s.size() && (IsAlnum(s[i]) || s[i] == '_'))
            ++i;
        if (i >= s.size() || s[i] != ')')
            return false;
        auto found = namedConstants.find(std::string(s.substr(0, i)));
        if (found == namedConstants.end())
            return false;
        *value = found->second;
        return true;
    }
    std::size_t i = 0;
    std::size_t digits = 0;
    if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        digits = i = 2;
        while (i < s.size() && std::isxdigit(static_cast<unsigned char>(s[i])))
            ++i;
    } else {
        if (s[0] == '-')
            ++i;
        digits = i;
        while (i < s.size() && IsDigit(s[i]))
            ++i;
    }
    if (i == digits || i >= s.size() || s[i] != ')')
        return false;
    return StringToInt(std::string(s.substr(0, i)), value);
}

// Optional '-', digits, optionally '.' and digits, optionally 'f', then ')'.
bool ReadFloatValue(std::string_view s, double* value) {
    std::size_t i = s[0] == '-' ? 1 : 0;
    const std::size_t digits = i;
    while (i < s.size() && IsDigit(s[i]))
        ++i;
    if (i == digits)
        return false;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i]))
            ++i;
    }
    const std::size_t numberEnd = i;
    if (i < s.size() && s[i] == 'f')
        ++i;
    if (i >= s.size() || s[i] != ')')
        return false;
    // from_chars reads the digits exactly, so an unchanged line gives back
    // the very value the compiler made of it.
    return std::from_chars(s.data(), s.data() + numberEnd, *value).ec == std::errc();
}

int TruncateToInt(double value) {
    if (!(value > std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    if (!(value < std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return static_cast<int>(value);
}

// Reads the value that follows a site's '(' into the site's record.
bool ReadValue(std::string_view s, const std::map<std::string, int>& namedConstants, ModValSite& site) {
    if (s.empty())
        return false;
    ModValRecord read;
    read.valid = true;
    if (s[0] == '"') {
        if (!ReadQuotedValue(s, &read.textValue))
            return false;
    } else if (ReadIntValue(s, namedConstants, &read.intValue)) {
        read.floatValue = read.intValue;
    } else if (ReadFloatValue(s, &read.floatValue)) {
        read.intValue = TruncateToInt(read.floatValue);
    } else {
        return false;
    }
    ModVal::InitSite(site) = std::move(read);
    return true;
}

enum class Carry { None, Quote, LineComment, BlockComment };

} // namespace

bool ParseModValSource(std::string_view path, std::string_view text, std::span<const ModValSiteLine> sites,
                       const std::map<std::string, int>& namedConstants, std::string* error) {
    const std::string pathText(path);
    auto fail = [&](const char* message, int lineNumber) {
        *error = FormatString("ERROR in %s on line %d%s", pathText.c_str(), lineNumber, message);
        return false;
    };
    Carry carry = Carry::None;
    std::size_t nextSite = 0;
    int lineNumber = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t eol = text.find('\n', pos);
        if (eol == std::string_view::npos)
            eol = text.size();
        std::string_view line = text.substr(pos, eol - pos);
        pos = eol < text.size() ? eol + 1 : eol;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        ++lineNumber;
        const bool continued = !line.empty() && line.back() == '\\';

        std::size_t i = 0;
        if (carry == Carry::LineComment) {
            if (!continued)
                carry = Carry::None;
            continue;
        }
        if (carry == Carry::BlockComment) {
            const std::size_t close = line.find("*/");
            if (close == std::string_view::npos)
                continue;
            i = close + 2;
            carry = Carry::None;
        }
        if (carry == Carry::Quote) {
            const std::size_t close = FindQuoteEnd(line, 0);
            if (close == std::string_view::npos) {
                if (continued)
                    continue;
                return fail(": Error parsing quotes", lineNumber);
            }
            i = close + 1;
            carry = Carry::None;
        }

        while (i < line.size()) {
            const char c = line[i];
            const char following = i + 1 < line.size() ? line[i + 1] : '\0';
            if (c == '"') {
                const std::size_t close = FindQuoteEnd(line, i + 1);
                if (close == std::string_view::npos) {
                    if (!continued)
                        return fail(": Error parsing quotes", lineNumber);
                    carry = Carry::Quote;
                    break;
                }
                i = close + 1;
                continue;
            }
            if (c == '/' && following == '/') {
                if (continued)
                    carry = Carry::LineComment;
                break;
            }
            if (c == '/' && following == '*') {
                const std::size_t close = line.find("*/", i + 2);
                if (close == std::string_view::npos) {
                    carry = Carry::BlockComment;
                    break;
                }
                i = close + 2;
                continue;
            }
            if (c == '(' && IsSiteOpening(line, i)) {
                while (nextSite < sites.size() && sites[nextSite].line < lineNumber)
                    ++nextSite;
                if (nextSite < sites.size() && sites[nextSite].line == lineNumber) {
                    if (!ReadValue(line.substr(i + 1), namedConstants, *sites[nextSite].site))
                        return fail(".  Parsing Error.", lineNumber);
                    ++nextSite;
                }
            }
            ++i;
        }
    }
    switch (carry) {
    case Carry::Quote:
        return fail(": Error parsing quotes", lineNumber);
    case Carry::LineComment:
        return fail(": Error parsing c++ comment", lineNumber);
    case Carry::BlockComment:
        return fail(": Error parsing c comment", lineNumber);
    case Carry::None:
        break;
    }
    return true;
}

} // namespace Kavo
