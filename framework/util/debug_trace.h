#pragma once
// Developer diagnostics for whoever watches the debugger output.

#include <cstdarg>
#include <string>

namespace Kavo {

// printf-style, formatted as FormatString formats.
void DebugTrace(const char* format, ...) __attribute__((format(printf, 1, 2)));
void VDebugTrace(const char* format, std::va_list args) __attribute__((format(printf, 1, 0)));

// Passes text through unformatted to the platform's debug output (where it
// goes is chosen there, see platform::SetDebugSink).
void DebugOutputText(const std::string& text);

} // namespace Kavo
