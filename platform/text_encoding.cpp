#include "platform/text_encoding.h"

#include <array>

namespace platform {
namespace {

// Code points of the bytes 0x80 to 0xBF; 0x98 has no character and keeps
// its own value so that any byte survives a round trip.
constexpr std::array<char16_t, 64> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
};

// Upper/lower pairs among 0x80..0xBF (the rest of the alphabet is regular).
constexpr std::array<std::array<unsigned char, 2>, 15> kCasePairs = {{
    {0x80, 0x90},
    {0x81, 0x83},
    {0x8A, 0x9A},
    {0x8C, 0x9C},
    {0x8D, 0x9D},
    {0x8E, 0x9E},
    {0x8F, 0x9F},
    {0xA1, 0xA2},
    {0xA3, 0xBC},
    {0xA5, 0xB4},
    {0xA8, 0xB8},
    {0xAA, 0xBA},
    {0xAF, 0xBF},
    {0xB2, 0xB3},
    {0xBD, 0xBE},
}};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at text[i]; advances i. Malformed input yields
// 0xFFFFFFFF and skips one byte.
char32_t DecodeUtf8(std::string_view text, std::size_t& i) {
    constexpr char32_t kBad = 0xFFFFFFFF;
    const auto lead = static_cast<unsigned char>(text[i]);
    int extra = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
        minimum = 0x10000;
    } else {
        ++i;
        return kBad;
    }
    if (i + extra >= text.size()) {
        ++i;
        return kBad;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto c = static_cast<unsigned char>(text[i + k]);
        if ((c & 0xC0) != 0x80) {
            ++i;
            return kBad;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    i += extra + 1;
    if (cp < minimum || cp > 0x10FFFF)
        return kBad;
    return cp;
}

} // namespace

char32_t Cp1251ToCodePoint(unsigned char byte) {
    if (byte < 0x80)
        return byte;
    if (byte >= 0xC0)
        return 0x0410 + (byte - 0xC0);
    return kUpperHalf[byte - 0x80];
}

bool CodePointToCp1251(char32_t codePoint, unsigned char& byte) {
    if (codePoint < 0x80) {
        byte = static_cast<unsigned char>(codePoint);
        return true;
    }
    if (codePoint >= 0x0410 && codePoint <= 0x044F) {
        byte = static_cast<unsigned char>(0xC0 + (codePoint - 0x0410));
        return true;
    }
    for (std::size_t k = 0; k < kUpperHalf.size(); ++k) {
        if (kUpperHalf[k] == codePoint) {
            byte = static_cast<unsigned char>(0x80 + k);
            return true;
        }
    }
    return false;
}

std::string Cp1251ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text)
        AppendUtf8(out, Cp1251ToCodePoint(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf8ToCp1251(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const char32_t cp = DecodeUtf8(text, i);
        unsigned char byte = 0;
        out += CodePointToCp1251(cp, byte) ? static_cast<char>(byte) : kCp1251Unknown;
    }
    return out;
}

unsigned char Cp1251ToLower(unsigned char byte) {
    if (byte >= 'A' && byte <= 'Z')
        return static_cast<unsigned char>(byte + 32);
    if (byte >= 0xC0 && byte <= 0xDF)
        return static_cast<unsigned char>(byte + 32);
    for (const auto& pair : kCasePairs) {
        if (byte == pair[0])
            return pair[1];
    }
    return byte;
}

unsigned char Cp1251ToUpper(unsigned char byte) {
    if (byte >= 'a' && byte <= 'z')
        return static_cast<unsigned char>(byte - 32);
    if (byte >= 0xE0)
        return static_cast<unsigned char>(byte - 32);
    for (const auto& pair : kCasePairs) {
        if (byte == pair[1])
            return pair[0];
    }
    return byte;
}

bool Cp1251EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Cp1251ToLower(static_cast<unsigned char>(a[i])) != Cp1251ToLower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string Cp1251FoldCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(Cp1251ToLower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace platform
