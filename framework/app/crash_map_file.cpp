#include "framework/app/crash_map_file.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "framework/util/string_util.h"

namespace Kavo {

namespace {

bool ParseHex(std::string_view text, uint32_t* value) {
    uint32_t result = 0;
    for (const char c : text) {
        uint32_t digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<uint32_t>(c - '0');
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<uint32_t>(c - 'A' + 10);
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<uint32_t>(c - 'a' + 10);
        else
            return false;
        result = result * 16 + digit;
    }
    *value = result;
    return !text.empty();
}

// The entry that holds the address: the last one at or below it, in the
// same section. Null when there is none.
template <typename Value>
const std::pair<const CrashMapFile::Address, Value>* EntryHolding(const std::map<CrashMapFile::Address, Value>& table,
                                                                  const CrashMapFile::Address& address) {
    auto above = table.upper_bound(address);
    if (above == table.begin())
        return nullptr;
    --above;
    return above->first.first == address.first ? &*above : nullptr;
}

} // namespace

std::string CrashMapFile::Undecorate(const std::string& name) {
    int status = 0;
    char* readable = abi::__cxa_demangle(name.c_str(), nullptr, nullptr, &status);
    if (readable == nullptr)
        return name;
    std::string result = status == 0 ? readable : name;
    std::free(readable);
    return result;
}

void CrashMapFile::Parse(std::string_view text) {
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        // A longer line is read in pieces, as a fixed line buffer would.
        while (line.size() > kMaxLineLength) {
            ParseLine(line.substr(0, kMaxLineLength));
            line.remove_prefix(kMaxLineLength);
        }
        ParseLine(line);
    }
}

void CrashMapFile::ParseLine(std::string_view line) {
    uint32_t section = 0;
    uint32_t offset = 0;
    if (line.size() > 22 && line[5] == ':') {
        // " SSSS:OOOOOOOO       name   ..."
        if (ParseHex(line.substr(1, 4), &section) && ParseHex(line.substr(6, 8), &offset) && line[20] == ' ') {
            const size_t nameEnd = line.find(' ', 21);
            if (nameEnd != std::string_view::npos && nameEnd > 21)
                mSymbols.emplace(Address{section, offset}, std::string(line.substr(21, nameEnd - 21)));
        }
        return;
    }
    if (line.substr(0, 12) == "Line numbers") {
        const size_t open = line.find('(');
        const size_t close = line.rfind(')');
        if (open == std::string_view::npos)
            mSourceFile.clear();
        else if (close == std::string_view::npos || close < open)
            mSourceFile = std::string(line.substr(open + 1));
        else
            mSourceFile = std::string(line.substr(open + 1, close - open - 1));
        return;
    }
    if (!mSourceFile.empty() && line.size() == 80) {
        // Four groups of 20: "LLLLLL SSSS:OOOOOOOO".
        for (size_t c = 0; c < 80; c += 20) {
            int number = 0;
            const std::string digits = StringTrim(std::string(line.substr(c, 6)));
            if (digits.empty() ||
                !std::all_of(digits.begin(), digits.end(), [](char d) { return d >= '0' && d <= '9'; }))
                continue;
            StringToInt(digits, &number);
            if (ParseHex(line.substr(c + 7, 4), &section) && ParseHex(line.substr(c + 12, 8), &offset))
                mLines[Address{section, offset}] = SourceLine{mSourceFile, number};
        }
    }
}

bool CrashMapFile::LoadFirstInFolder(const std::string& folder) {
    std::vector<std::filesystem::path> maps;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".map" && entry.is_regular_file(error))
            maps.push_back(entry.path());
    }
    if (maps.empty())
        return false;
    std::sort(maps.begin(), maps.end());
    std::ifstream in(maps.front(), std::ios::binary);
    if (!in)
        return false;
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Parse(text);
    return true;
}

std::string CrashMapFile::Resolve(const std::string& report) const {
    std::string text = report;
    uint32_t section = 0;
    uint32_t offset = 0;
    for (size_t i = 0; i + 8 < text.size(); ++i) {
        if (i < 4 || text[i] != ':' || !ParseHex(std::string_view(text).substr(i - 4, 4), &section) ||
            !ParseHex(std::string_view(text).substr(i + 1, 8), &offset))
            continue;
        const Address address{section, offset};
        const auto* symbol = EntryHolding(mSymbols, address);
        if (symbol == nullptr)
            continue;
        std::string replacement = Undecorate(symbol->second);
        if (offset != symbol->first.second)
            replacement += FormatString("+0x%X", offset - symbol->first.second);
        // A line below the symbol belongs to the code before it.
        const auto* line = EntryHolding(mLines, address);
        if (line != nullptr && line->first >= symbol->first)
            replacement += FormatString("\r\n    %s line %d +0x%X", line->second.file.c_str(), line->second.line,
                                        offset - line->first.second);
        const size_t start = i - 4;
        text.replace(start, 13, replacement);
        // Go on after the inserted text: a name that itself reads as an
        // address must not be resolved again and again.
        i = start + replacement.size() - 1;
    }
    return text;
}

} // namespace Kavo
