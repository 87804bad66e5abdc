#include "framework/parser/xml_parser.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace Kavo {
namespace {

// The text as UTF-16 with its byte-order mark.
std::string Utf16Bytes(const std::u16string& text, bool bigEndian = false) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t c : text) {
        char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>(c >> 8);
        bytes += bigEndian ? hi : lo;
        bytes += bigEndian ? lo : hi;
    }
    return bytes;
}

class XmlTest : public ::testing::Test {
protected:
    void SetUp() override {
        mDir = std::filesystem::path(::testing::TempDir()) /
               ("kavo_xml_" + std::to_string(::getpid()) + "_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::create_directories(mDir);
    }
    void TearDown() override { std::filesystem::remove_all(mDir); }

    // Opens a parser on a file holding exactly these bytes.
    void Open(const std::string& bytes) {
        std::string path = (mDir / "t.xml").string();
        std::ofstream(path, std::ios::binary) << bytes;
        ASSERT_TRUE(mParser.OpenFile(path));
    }

    XMLElement Next() {
        XMLElement e;
        EXPECT_TRUE(mParser.ReadNextElement(&e)) << mParser.GetErrorText();
        return e;
    }

    // Reads to the end and returns the error text ("" for a clean end).
    std::string ErrorAtEnd() {
        XMLElement e;
        while (mParser.ReadNextElement(&e)) {
        }
        return mParser.mHasFailed ? mParser.GetErrorText() : std::string();
    }

    std::filesystem::path mDir;
    XMLParser mParser;
};

TEST_F(XmlTest, AttributesQuotedUnquotedAndBare) {
    Open("<a x=\"1\" y=2 z w = \"q r\" e=\"\" amp=\"&lt;&amp;&gt;&quot;&apos;&nbsp;&cr;&zz;\" x=\"3\">");
    XMLElement e = Next();
    EXPECT_EQ(e.mType, XMLElement::TYPE_START);
    EXPECT_EQ(e.mValue, "a");
    EXPECT_EQ(e.mSection, "");
    const std::map<std::string, std::string> expected = {{"x", "3"},   {"y", "2"}, {"z", ""},
                                                         {"w", "q r"}, {"e", ""},  {"amp", "<&>\"' \n&"}};
    EXPECT_EQ(e.mAttributes, expected);
    EXPECT_EQ(e.mAttributeOrder, (std::vector<std::string>{"x", "y", "z", "w", "e", "amp", "x"}));
}

TEST_F(XmlTest, SelfClosingTags) {
    Open("<r><b/><c k=\"v\"/><d x=1/><img path=\"images/\"></img><e /></r>");
    struct Want {
        int type;
        const char* value;
        const char* section;
    };
    const Want wants[] = {
        {XMLElement::TYPE_START, "r", ""},      {XMLElement::TYPE_START, "b", "r"},
        {XMLElement::TYPE_END, "b", "r/b"},     {XMLElement::TYPE_START, "c", "r"},
        {XMLElement::TYPE_END, "c", "r/c"},     {XMLElement::TYPE_START, "d", "r"},
        {XMLElement::TYPE_END, "d", "r/d"},     {XMLElement::TYPE_START, "img", "r"},
        {XMLElement::TYPE_END, "img", "r/img"}, {XMLElement::TYPE_START, "e", "r"},
        {XMLElement::TYPE_END, "e", "r/e"},
    };
    for (const Want& want : wants) {
        XMLElement e = Next();
        EXPECT_EQ(e.mType, want.type) << want.value;
        EXPECT_EQ(e.mValue, want.value);
        EXPECT_EQ(e.mSection, want.section) << want.value;
        if (e.mValue == "c" && e.mType == XMLElement::TYPE_START) {
            EXPECT_EQ(e.mAttributes.at("k"), "v");
        }
        if (e.mValue == "d" && e.mType == XMLElement::TYPE_START) {
            EXPECT_EQ(e.mAttributes.at("x"), "1");
        }
        if (e.mValue == "img" && e.mType == XMLElement::TYPE_START) {
            EXPECT_EQ(e.mAttributes.at("path"), "images/"); // a quoted slash is data
        }
    }
    EXPECT_EQ(Next().mValue, "r");
    EXPECT_EQ(ErrorAtEnd(), "");
}

TEST_F(XmlTest, TextCommentsAndInstructions) {
    Open("<?xml version=\"1.0\"?>\n<!-- a comment -->\n<!--tight--><t>  two \n\t  words  </t>"
         "<u>say \"a  b\" now</u>");
    XMLElement e = Next();
    EXPECT_EQ(e.mType, XMLElement::TYPE_INSTRUCTION);
    EXPECT_EQ(e.mValue, "xml");
    EXPECT_EQ(e.mInstruction, " version=\"1.0\"");
    e = Next();
    EXPECT_EQ(e.mType, XMLElement::TYPE_START); // both comments skipped
    EXPECT_EQ(e.mValue, "t");
    EXPECT_EQ(mParser.mLineNum, 3);
    e = Next();
    EXPECT_EQ(e.mType, XMLElement::TYPE_ELEMENT);
    EXPECT_EQ(e.mValue, "two words");
    EXPECT_EQ(e.mSection, "t");
    EXPECT_EQ(Next().mType, XMLElement::TYPE_END);
    Next();
    e = Next();
    EXPECT_EQ(e.mValue, "say \"a  b\" now"); // quoted text keeps its spaces
    EXPECT_EQ(Next().mType, XMLElement::TYPE_END);
    EXPECT_EQ(ErrorAtEnd(), "");
}

TEST_F(XmlTest, CommentsReturnedWhenWanted) {
    Open("<!-- note -- here --><a/>");
    mParser.mAllowComments = true;
    XMLElement e = Next();
    EXPECT_EQ(e.mType, XMLElement::TYPE_COMMENT);
    EXPECT_EQ(e.mInstruction, "note -- here ");
    EXPECT_EQ(Next().mValue, "a");
}

TEST_F(XmlTest, Errors) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"<a></b>", "End 'b' Doesn't Match Start 'a'"},
        {"<a x=\"1", "Unexpected End of File"},
        {"<a", "Unexpected End of File"},
        {"<a></a>\n  \n", ""},
        {"</a>", "Unexpected End"},
        {"<a <b>", "Unexpected '<'"},
        {"text > more", "Unexpected '>'"},
        {"<a>\x01</a>", "Illegal Character"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        XMLParser parser;
        std::string path = (mDir / "e.xml").string();
        std::ofstream(path, std::ios::binary) << c.text;
        ASSERT_TRUE(parser.OpenFile(path));
        XMLElement e;
        while (parser.ReadNextElement(&e)) {
        }
        EXPECT_EQ(parser.mHasFailed, c.error[0] != '\0');
        EXPECT_EQ(parser.GetErrorText(), c.error);
    }
}

TEST_F(XmlTest, MissingFile) {
    XMLParser parser;
    std::string path = (mDir / "none.xml").string();
    EXPECT_FALSE(parser.OpenFile(path));
    EXPECT_TRUE(parser.mHasFailed);
    EXPECT_EQ(parser.GetErrorText(), "Unable to open file " + path);
}

TEST_F(XmlTest, ByteOrderMarks) {
    // UTF-8 with a mark; the Cyrillic letter arrives in the program's code
    // page, and its code U+0420 (low byte 0x20) is no space.
    Open("\xEF\xBB\xBF<a n=\"\xD0\xA0x\"/>");
    XMLElement e = Next();
    EXPECT_EQ(e.mValue, "a");
    EXPECT_EQ(e.mAttributes.at("n"), "\xD0x");

    // UTF-16 little- and big-endian with CR LF line ends.
    for (bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian);
        Open(Utf16Bytes(u"<p>\r\nA\u0420\uFF0C</p>", bigEndian));
        EXPECT_EQ(Next().mValue, "p");
        e = Next();
        EXPECT_EQ(e.mType, XMLElement::TYPE_ELEMENT);
        EXPECT_EQ(e.mValue, "A\xD0?"); // U+FF0C has no place in the code page
        EXPECT_EQ(Next().mType, XMLElement::TYPE_END);
        EXPECT_EQ(ErrorAtEnd(), "");
    }

    // Without a mark the bytes are program text as they stand.
    Open("<a>\xC0\xE0</a>");
    Next();
    EXPECT_EQ(Next().mValue, "\xC0\xE0");
}

TEST_F(XmlTest, IllegalUtf8) {
    for (const char* bad : {"\xEF\xBB\xBF<a>\xC0\xAF</a>", "\xEF\xBB\xBF<a>\x80</a>", "\xEF\xBB\xBF<a>\xED\xA0\x80</a>",
                            "\xEF\xBB\xBF<a>\xE0\x80\xAF</a>"}) {
        Open(bad);
        EXPECT_EQ(ErrorAtEnd(), "Illegal Character");
    }
}

TEST_F(XmlTest, Utf16Surrogates) {
    struct Case {
        std::u16string text;
        const char* value; // nullptr: the sequence is illegal
    };
    const Case cases[] = {
        {u"<a>\xD83D\xDE00"
         u"b</a>",
         "?b"}, // a pair stands for one character the code page lacks
        {u"<a>\xD800"
         u"b</a>",
         nullptr}, // high surrogate alone
        {u"<a>\xDC00"
         u"b</a>",
         nullptr}, // low surrogate alone
        {u"<a>\xDFFF\xD800</a>", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::vector<int>(c.text.begin(), c.text.end())));
        Open(Utf16Bytes(c.text));
        EXPECT_EQ(Next().mValue, "a");
        if (c.value != nullptr) {
            EXPECT_EQ(Next().mValue, c.value);
            EXPECT_EQ(ErrorAtEnd(), "");
        } else {
            EXPECT_EQ(ErrorAtEnd(), "Illegal Character");
        }
    }
}

TEST_F(XmlTest, CarriageReturnBeforeLineFeedDroppedInEightBitInput) {
    // A CR that is the last byte of one read chunk and the first of the next
    // checks that the look-ahead for the LF crosses chunks.
    const std::string pad(4096 - std::string("<a n=\"").size(), 'p');
    struct Case {
        std::string head; // byte-order mark or nothing
        std::string value;
        std::string expected;
    };
    const Case cases[] = {
        {"", "x\r\ny", "x\ny"},
        {"\xEF\xBB\xBF", "x\r\ny", "x\ny"},
        {"", "x\ry\r", "x\ry\r"}, // a CR alone stays
        {"", "x\r\r\ny", "x\r\ny"},
        {"", pad.substr(0, pad.size() - 1) + "\r\ny", pad.substr(0, pad.size() - 1) + "\ny"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.head + c.value.substr(0, 8));
        Open(c.head + "<a n=\"" + c.value + "\">\"" + c.value + "\"</a>");
        XMLElement start = Next();
        EXPECT_EQ(start.mAttributes["n"], c.expected);
        EXPECT_EQ(Next().mValue, "\"" + c.expected + "\""); // quoted text keeps its line ends
        EXPECT_EQ(ErrorAtEnd(), "");
    }
    // UTF-16 keeps every unit it reads.
    Open(Utf16Bytes(u"<a n=\"x\r\ny\">"));
    EXPECT_EQ(Next().mAttributes["n"], "x\r\ny");
}

} // namespace
} // namespace Kavo
