#pragma once
// A small pull parser for the framework's XML files (the resource manifest
// above all). Tolerant where hand-written manifests need it: attribute
// values may be unquoted, attributes may have no value. No CDATA, DOCTYPE
// or namespaces.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Kavo {

struct PakFile;

class XMLElement {
public:
    enum Type {
        TYPE_NONE = 0,
        TYPE_START = 1,
        TYPE_END = 2,
        TYPE_ELEMENT = 3,     // text between tags
        TYPE_INSTRUCTION = 4, // <?name body?>
        TYPE_COMMENT = 5,
    };

    int mType = TYPE_NONE;
    std::string mSection;     // path of the open tags when the element began
    std::string mValue;       // tag or instruction name, or the text
    std::string mInstruction; // body of an instruction or comment
    std::map<std::string, std::string> mAttributes;
    std::vector<std::string> mAttributeOrder; // names as stored, repeats included
};

class XMLParser {
public:
    XMLParser();
    virtual ~XMLParser();
    XMLParser(const XMLParser&) = delete;
    XMLParser& operator=(const XMLParser&) = delete;

    bool OpenFile(const std::string& fileName);
    // False at the end of the file (mHasFailed clear) or on an error.
    bool ReadNextElement(XMLElement* element);
    std::string GetErrorText() const { return mErrorText; }
    std::string GetFileName() const { return mFileName; }

    int mLineNum = 0;
    bool mHasFailed = false;
    bool mAllowComments = false;

private:
    enum class Encoding { SingleByte, Utf8, Utf16 };
    enum class Read { Char, End, Illegal };

    bool Fail(const std::string& text);
    int NextByte();
    // NextByte for the 8-bit readers: a CR that precedes a LF is dropped, as
    // a text-mode read of the file does.
    int NextTextByte();
    Read NextChar(char16_t& c);
    Read NextUtf8(char16_t& c);
    Read NextUtf16(char16_t& c);
    std::string ToNarrow(const std::u16string& text) const;
    // Returns the stored (decoded, narrow) name.
    std::string StoreAttribute(XMLElement* element, std::u16string& name, std::u16string& value);

    std::string mFileName;
    std::string mErrorText;
    PakFile* mFile = nullptr;
    std::u16string mPushedBack; // read from the back before the file
    std::string mSection;
    Encoding mEncoding = Encoding::Utf8;
    bool mFirstChar = true;
    bool mSwapBytes = false;

    // Raw bytes come through a small buffer so that they arrive exactly as
    // stored, carriage returns included.
    uint8_t mBuffer[4096];
    size_t mBufferPos = 0;
    size_t mBufferLen = 0;
};

} // namespace Kavo
