#pragma once
// Reads a text held in memory line by line, skipping empty lines, lines of
// blanks and ";" comments. Windows and Unix line ends read alike.

#include <cstdint>
#include <memory>

namespace com_string {

class StrParser_t {
public:
    StrParser_t() = default;
    StrParser_t(const char* text, std::uint32_t length) { SetText(text, length); }
    virtual ~StrParser_t() = default;
    StrParser_t(const StrParser_t&) = delete;
    StrParser_t& operator=(const StrParser_t&) = delete;

    // Copies exactly `length` characters (NULs included) and rewinds. Tabs
    // read as blanks; CR and LF end lines.
    void SetText(const char* text, std::uint32_t length);
    // The next line inside the copy (not trimmed), or null at the end.
    const char* NextLine();

private:
    std::unique_ptr<char[]> mText;
    std::uint32_t mLength = 0;
    std::uint32_t mCursor = 0;
};

} // namespace com_string
