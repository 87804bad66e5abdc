#include "engine/base/str_parser.h"

#include <cstring>

namespace com_string {

void StrParser_t::SetText(const char* text, std::uint32_t length) {
    mText = std::make_unique<char[]>(std::size_t{length} + 1);
    if (text != nullptr && length > 0)
        std::memcpy(mText.get(), text, length);
    mText[length] = '\0';
    for (std::uint32_t i = 0; i < length; ++i) {
        char& c = mText[i];
        if (c == '\t')
            c = ' ';
        else if (c == '\r' || c == '\n')
            c = '\0';
    }
    mLength = length;
    mCursor = 0;
}

const char* StrParser_t::NextLine() {
    while (mText != nullptr) {
        while (mCursor < mLength && mText[mCursor] == '\0')
            ++mCursor;
        if (mCursor >= mLength)
            return nullptr;
        const char* line = &mText[mCursor];
        const std::size_t lineLength = std::strlen(line);
        mCursor += static_cast<std::uint32_t>(lineLength);
        const bool comment = line[0] == ';';
        const bool blank = std::strspn(line, " ") == lineLength;
        if (!comment && !blank)
            return line;
    }
    return nullptr;
}

} // namespace com_string
