#pragma once
// Narrow text inside the program is Windows-1251 (the game's data is written
// in it); Linux speaks UTF-8. Every place where text crosses that border
// (file names, window titles, clipboard, typed characters, fonts) converts here.

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// The byte a character has no place for in Windows-1251 becomes this.
inline constexpr char kCp1251Unknown = '?';

std::string Cp1251ToUtf8(std::string_view text);
// Characters outside Windows-1251 and malformed UTF-8 become kCp1251Unknown.
std::string Utf8ToCp1251(std::string_view text);

// Unicode code point of one Windows-1251 byte.
char32_t Cp1251ToCodePoint(unsigned char byte);
// False when the code point has no Windows-1251 byte.
bool CodePointToCp1251(char32_t codePoint, unsigned char& byte);

// Case folding of Windows-1251 letters (Latin and Cyrillic alike).
unsigned char Cp1251ToLower(unsigned char byte);
unsigned char Cp1251ToUpper(unsigned char byte);
bool Cp1251EqualNoCase(std::string_view a, std::string_view b);
// Lower-cased copy, for case-insensitive keys.
std::string Cp1251FoldCase(std::string_view text);

} // namespace platform
