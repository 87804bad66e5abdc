#include "framework/parser/xml_parser.h"

#include "framework/pak/pak_interface.h"
#include "platform/text_encoding.h"

#include <cctype>

namespace Kavo {

namespace {

constexpr char16_t kReplacementChar = 0xFFFD;

// Only ASCII white space separates: a UTF-16 character whose low byte
// happens to be a space code is an ordinary letter.
bool IsXmlSpace(char16_t c) {
    return c < 0x80 && std::isspace(static_cast<int>(c)) != 0;
}

bool EndsWith(const std::u16string& text, const char16_t* tail) {
    std::u16string_view t(tail);
    return text.size() >= t.size() && text.compare(text.size() - t.size(), t.size(), t) == 0;
}

struct Entity {
    std::u16string_view name;
    char16_t character;
};

constexpr Entity kEntities[] = {
    {u"lt", u'<'}, {u"amp", u'&'}, {u"gt", u'>'}, {u"quot", u'"'}, {u"apos", u'\''}, {u"nbsp", u' '}, {u"cr", u'\n'},
};

void DecodeEntities(std::u16string& text) {
    size_t amp = text.find(u'&');
    while (amp != std::u16string::npos) {
        size_t semi = text.find(u';', amp + 1);
        if (semi == std::u16string::npos)
            break;
        const std::u16string_view name(text.data() + amp + 1, semi - amp - 1);
        char16_t c = u'&'; // an unknown name stands for the ampersand
        for (const Entity& entity : kEntities)
            if (name == entity.name)
                c = entity.character;
        text.replace(amp, semi - amp + 1, 1, c);
        amp = text.find(u'&', amp + 1);
    }
}

} // namespace

XMLParser::XMLParser() = default;

XMLParser::~XMLParser() {
    if (mFile != nullptr)
        PakCloseFile(mFile);
}

bool XMLParser::Fail(const std::string& text) {
    if (!mHasFailed) {
        mErrorText = text;
        mHasFailed = true;
    }
    return false;
}

bool XMLParser::OpenFile(const std::string& fileName) {
    if (mFile != nullptr) {
        PakCloseFile(mFile);
        mFile = nullptr;
    }
    mPushedBack.clear();
    mBufferPos = mBufferLen = 0;
    mErrorText.clear();
    mHasFailed = false;

    mFile = PakOpenFile(fileName, "r");
    if (mFile == nullptr) {
        mLineNum = 0;
        return Fail("Unable to open file " + fileName);
    }

    // Peek at the first bytes for a byte-order mark; the reader itself skips
    // the mark when it meets it as the first character.
    uint8_t head[3] = {0, 0, 0};
    size_t got = PakReadFile(head, 1, 3, mFile);
    PakSeekFile(mFile, 0, SEEK_SET);
    mEncoding = Encoding::SingleByte;
    if (got >= 2 && ((head[0] == 0xFF && head[1] == 0xFE) || (head[0] == 0xFE && head[1] == 0xFF)))
        mEncoding = Encoding::Utf16;
    else if (got >= 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF)
        mEncoding = Encoding::Utf8;

    mFileName = fileName;
    mSection.clear();
    mLineNum = 1;
    mFirstChar = true;
    mSwapBytes = false;
    return true;
}

int XMLParser::NextByte() {
    if (mBufferPos == mBufferLen) {
        if (mFile == nullptr)
            return -1;
        mBufferLen = PakReadFile(mBuffer, 1, sizeof(mBuffer), mFile);
        mBufferPos = 0;
        if (mBufferLen == 0)
            return -1;
    }
    return mBuffer[mBufferPos++];
}

int XMLParser::NextTextByte() {
    const int b = NextByte();
    if (b != '\r')
        return b;
    const int next = NextByte();
    if (next == '\n')
        return next;
    if (next >= 0)
        --mBufferPos; // the byte just read is still in the buffer
    return b;
}

XMLParser::Read XMLParser::NextUtf8(char16_t& c) {
    for (;;) {
        int lead = NextTextByte();
        if (lead < 0)
            return Read::End;
        uint32_t value;
        int extra;
        uint32_t overlongSecondMask = 0;
        if (lead < 0x80) {
            value = static_cast<uint32_t>(lead);
            extra = 0;
        } else if ((lead & 0xE0) == 0xC0) {
            if ((lead & 0x1E) == 0)
                return Read::Illegal;
            value = lead & 0x1F;
            extra = 1;
        } else if ((lead & 0xF0) == 0xE0) {
            value = lead & 0x0F;
            extra = 2;
            overlongSecondMask = 0x20;
        } else if ((lead & 0xF8) == 0xF0) {
            value = lead & 0x07;
            extra = 3;
            overlongSecondMask = 0x30;
        } else if ((lead & 0xFC) == 0xF8) {
            value = lead & 0x03;
            extra = 4;
            overlongSecondMask = 0x38;
        } else {
            return Read::Illegal; // stray continuation byte, or 0xFC to 0xFF
        }
        for (int i = 0; i < extra; ++i) {
            int next = NextByte();
            if (next < 0)
                return Read::End;
            if ((next & 0xC0) != 0x80)
                return Read::Illegal;
            if (i == 0 && overlongSecondMask != 0 && value == 0 && (next & overlongSecondMask) == 0)
                return Read::Illegal;
            value = (value << 6) | static_cast<uint32_t>(next & 0x3F);
        }
        if ((value >= 0xD800 && value <= 0xDFFF) || value == 0xFFFE || value == 0xFFFF)
            return Read::Illegal;
        bool first = mFirstChar;
        mFirstChar = false;
        if (first && value == 0xFEFF)
            continue;
        c = value > 0xFFFF ? kReplacementChar : static_cast<char16_t>(value);
        return Read::Char;
    }
}

XMLParser::Read XMLParser::NextUtf16(char16_t& c) {
    auto unit = [this](char16_t& out) {
        int lo = NextByte();
        if (lo < 0)
            return false;
        int hi = NextByte();
        if (hi < 0)
            return false;
        out = mSwapBytes ? static_cast<char16_t>((lo << 8) | hi) : static_cast<char16_t>((hi << 8) | lo);
        return true;
    };
    for (;;) {
        char16_t value;
        if (!unit(value))
            return Read::End;
        if (mFirstChar) {
            mFirstChar = false;
            if (value == 0xFEFF)
                continue;
            if (value == 0xFFFE) {
                mSwapBytes = true;
                continue;
            }
        }
        if ((value & 0xFC00) == 0xD800) {
            char16_t low;
            if (!unit(low))
                return Read::End;
            if ((low & 0xFC00) != 0xDC00)
                return Read::Illegal;
            value = kReplacementChar; // beyond what a 16-bit character holds
        } else if ((value & 0xFC00) == 0xDC00) {
            return Read::Illegal; // a low surrogate with no high one before it
        }
        c = value;
        return Read::Char;
    }
}

XMLParser::Read XMLParser::NextChar(char16_t& c) {
    if (!mPushedBack.empty()) {
        c = mPushedBack.back();
        mPushedBack.pop_back();
        return Read::Char;
    }
    switch (mEncoding) {
    case Encoding::Utf8:
        return NextUtf8(c);
    case Encoding::Utf16:
        return NextUtf16(c);
    case Encoding::SingleByte:
        break;
    }
    int b = NextTextByte();
    if (b < 0)
        return Read::End;
    mFirstChar = false;
    c = static_cast<char16_t>(b);
    return Read::Char;
}

std::string XMLParser::ToNarrow(const std::u16string& text) const {
    std::string result;
    result.reserve(text.size());
    for (char16_t c : text) {
        // A single-byte file is program text already; decoded Unicode is
        // brought back to the program's code page.
        unsigned char byte = static_cast<unsigned char>(platform::kCp1251Unknown);
        if (mEncoding == Encoding::SingleByte)
            byte = static_cast<unsigned char>(c);
        else
            platform::CodePointToCp1251(c, byte);
        result += static_cast<char>(byte);
    }
    return result;
}

std::string XMLParser::StoreAttribute(XMLElement* element, std::u16string& name, std::u16string& value) {
    DecodeEntities(name);
    DecodeEntities(value);
    std::string narrowName = ToNarrow(name);
    element->mAttributes[narrowName] = ToNarrow(value);
    if (narrowName != "/")
        element->mAttributeOrder.push_back(narrowName);
    name.clear();
    value.clear();
    return narrowName;
}

bool XMLParser::ReadNextElement(XMLElement* element) {
    for (;;) {
        element->mType = XMLElement::TYPE_NONE;
        element->mSection = mSection;
        element->mValue.clear();
        element->mInstruction.clear();
        element->mAttributes.clear();
        element->mAttributeOrder.clear();

        int type = XMLElement::TYPE_NONE;
        std::u16string value;
        std::u16string instruction;
        std::u16string attrName;
        std::u16string attrValue;
        bool inQuote = false;
        bool pendingSpace = false;
        bool inAttributes = false;
        bool afterEquals = false;
        bool valueQuoted = false;
        // Whether the attribute value being collected ends in a '/' typed
        // outside quotes, and the same for the last value stored: only such
        // a '/' closes the tag (path="images/" keeps its slash).
        bool slashOutsideQuotes = false;
        std::string lastStoredName;
        bool lastStoredSlash = false;

        auto storePending = [&]() {
            bool store = afterEquals ? (!attrValue.empty() || valueQuoted) : !attrName.empty();
            if (!store)
                return;
            lastStoredSlash = slashOutsideQuotes;
            lastStoredName = StoreAttribute(element, attrName, attrValue);
            afterEquals = false;
            slashOutsideQuotes = false;
        };

        bool done = false;
        while (!done) {
            char16_t c;
            Read r = NextChar(c);
            if (r != Read::Char) {
                if (r == Read::Illegal)
                    Fail("Illegal Character");
                if (type != XMLElement::TYPE_NONE)
                    Fail("Unexpected End of File");
                return false;
            }
            if (c == u'\n')
                ++mLineNum;

            if (type == XMLElement::TYPE_COMMENT) {
                instruction += c;
                if (c == u'>' && EndsWith(instruction, u"-->")) {
                    instruction.resize(instruction.size() - 3);
                    done = true;
                }
                continue;
            }

            if (type == XMLElement::TYPE_INSTRUCTION) {
                std::u16string& target = (instruction.empty() && !IsXmlSpace(c)) ? value : instruction;
                target += c;
                if (c == u'>' && EndsWith(target, u"?>")) {
                    target.resize(target.size() - 2);
                    done = true;
                }
                continue;
            }

            bool ordinary = false;
            if (c == u'"') {
                inQuote = !inQuote;
                if (type == XMLElement::TYPE_NONE || type == XMLElement::TYPE_ELEMENT)
                    ordinary = true;
                else if (!inQuote)
                    valueQuoted = true;
            } else if (inQuote) {
                ordinary = true;
            } else if (c == u'<') {
                if (type == XMLElement::TYPE_ELEMENT) {
                    mPushedBack.push_back(c);
                    done = true;
                } else if (type == XMLElement::TYPE_NONE) {
                    type = XMLElement::TYPE_START;
                } else {
                    return Fail("Unexpected '<'");
                }
            } else if (c == u'>') {
                if (type == XMLElement::TYPE_START) {
                    bool slashName = !afterEquals && attrName == u"/";
                    storePending();
                    bool selfClosing = slashName;
                    if (!selfClosing && lastStoredSlash) {
                        std::string& stored = element->mAttributes[lastStoredName];
                        if (!stored.empty() && stored.back() == '/') {
                            stored.pop_back();
                            selfClosing = true;
                        }
                    }
                    if (!selfClosing && element->mAttributes.empty() && !value.empty() && value.back() == u'/') {
                        value.pop_back();
                        selfClosing = true;
                    }
                    if (selfClosing) {
                        // Read back in as "</name>" on the next call.
                        std::u16string closing = u"</" + value + u">";
                        mPushedBack.append(closing.rbegin(), closing.rend());
                    }
                    std::string name = ToNarrow(value);
                    if (!mSection.empty())
                        mSection += '/';
                    mSection += name;
                    done = true;
                } else if (type == XMLElement::TYPE_END) {
                    if (mSection.empty())
                        return Fail("Unexpected End");
                    std::string name = ToNarrow(value);
                    size_t slash = mSection.rfind('/');
                    std::string last = slash == std::string::npos ? mSection : mSection.substr(slash + 1);
                    if (last != name)
                        return Fail("End '" + name + "' Doesn't Match Start '" + last + "'");
                    mSection.erase(slash == std::string::npos ? 0 : slash);
                    done = true;
                } else {
                    return Fail("Unexpected '>'");
                }
            } else if (c == u'/' && type == XMLElement::TYPE_START && value.empty()) {
                type = XMLElement::TYPE_END;
            } else if (c == u'?' && type == XMLElement::TYPE_START && value.empty()) {
                type = XMLElement::TYPE_INSTRUCTION;
            } else if (IsXmlSpace(c)) {
                if (!value.empty())
                    pendingSpace = true;
                if (type == XMLElement::TYPE_START && value == u"!--")
                    type = XMLElement::TYPE_COMMENT;
            } else if (c <= 0x20) {
                return Fail("Illegal Character");
            } else {
                ordinary = true;
            }

            if (!ordinary)
                continue;

            switch (type) {
            case XMLElement::TYPE_NONE:
            case XMLElement::TYPE_ELEMENT:
                type = XMLElement::TYPE_ELEMENT;
                if (pendingSpace) {
                    value += u' ';
                    pendingSpace = false;
                }
                value += c;
                break;
            case XMLElement::TYPE_START:
                if (pendingSpace) {
                    pendingSpace = false;
                    if (!inAttributes) {
                        inAttributes = true;
                        afterEquals = false;
                    } else if (afterEquals || c != u'=') {
                        // The space ended an attribute (unless "name =" follows).
                        storePending();
                    }
                }
                if (!inAttributes) {
                    // "<!--text" with no space: the comment has begun all the same.
                    if (value == u"!--") {
                        type = XMLElement::TYPE_COMMENT;
                        instruction += c;
                        break;
                    }
                    value += c;
                } else if (c == u'=' && !inQuote) {
                    afterEquals = true;
                    valueQuoted = false;
                } else if (afterEquals) {
                    attrValue += c;
                    slashOutsideQuotes = c == u'/' && !inQuote;
                } else {
                    attrName += c;
                }
                break;
            case XMLElement::TYPE_END:
                value += c;
                break;
            default:
                break;
            }
        }

        storePending();
        DecodeEntities(value);
        element->mType = type;
        element->mValue = ToNarrow(value);
        element->mInstruction = ToNarrow(instruction);
        if (type == XMLElement::TYPE_COMMENT && !mAllowComments)
            continue;
        return true;
    }
}

} // namespace Kavo
