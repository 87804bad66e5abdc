#pragma once
// Small services of the desktop: debug output, the clipboard, web pages.

#include <functional>
#include <string>
#include <string_view>

namespace platform {

// Debug output (program text). Goes to stderr as UTF-8 unless a sink is set.
void OutputDebugText(std::string_view text);
using DebugSink = std::function<void(std::string_view text)>;
// An empty sink restores stderr.
void SetDebugSink(DebugSink sink);

// Clipboard text (program text); the desktop holds it as UTF-8.
bool SetClipboardText(std::string_view text);
std::string GetClipboardText();

// Opens the page in the user's browser.
bool OpenWebPage(std::string_view url);

} // namespace platform
