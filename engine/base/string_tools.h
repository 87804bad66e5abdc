#pragma once
// In-place helpers over narrow, NUL-terminated texts and the list splitter
// that the data readers use for comma lists.

#include <cstdint>
#include <string>
#include <vector>

namespace com_string {

// A new[] copy of the text and its NUL (free with delete[]); null for null.
char* StrDup(const char* text);

// Skips leading blanks and overwrites trailing ones with NULs. Only the
// blank counts: tabs stay. Null gives null.
char* Trim(char* text);

// Cuts the text at the first separator (overwritten with a NUL): `first` is
// the part before it, the result the rest after it. Without a separator the
// rest is empty (the text's own NUL), or null for an empty or null text.
char* SplitAt(char* text, char*& first, char separator);

// Replaces `pieces` with every trimmed, non-empty piece of the separated
// list, in order, and returns their count.
std::int32_t Split(const char* text, char separator, std::vector<std::string>& pieces);

} // namespace com_string
