#pragma once
// Narrow strings here are bytes of program text; the case functions touch
// only the ASCII letters, as the C locale that the data files were made
// under does.

#include <cstdarg>
#include <string>

namespace Kavo {

std::string FormatString(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string VFormatString(const char* format, va_list args);

// Decimal, or hexadecimal after "0x"/"x" at index 1 ("0x1F", "-x1F").
// Failure leaves 0 in *value. No overflow check: values wrap at 32 bits.
bool StringToInt(const std::string& text, int* value);
// Plain decimal with an optional '-' and one '.'; no exponent, no spaces.
bool StringToDouble(const std::string& text, double* value);
// "1,234,567"; negative values give "".
std::string FormatThousands(int value);

std::string StringToLower(const std::string& text);
std::string StringToUpper(const std::string& text);
std::string StringTrim(const std::string& text);
// Index of the first case-insensitive occurrence of pattern in text, or -1.
int StringFindNoCase(const char* text, const char* pattern);

// Each byte becomes the wide character of the same value, and back; a wide
// character above 255 makes the whole conversion give "".
std::wstring StringToWString(const std::string& text);
std::string WStringToString(const std::wstring& text);

} // namespace Kavo
