#include "framework/parser/desc_parser.h"
#include "framework/util/string_util.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace Kavo {
namespace {

// Records every command as text with its line; "Define name value" stores
// a definition, "Fail" refuses.
class RecordingParser : public DescParser {
public:
    bool HandleCommand(const ListDataElement& params) override {
        std::string name = ElementToText(params.At(0));
        if (name == "Fail")
            return Error("refused");
        if (name == "Define" && params.Size() == 3)
            mDefineMap[StringToUpper(ElementToText(params.At(1)))].reset(params.At(2)->Duplicate());
        mCommands.push_back(std::to_string(mCurrentLineNum) + ":" + ElementToText(&params));
        return true;
    }
    std::vector<std::string> mCommands;
};

class DescTest : public ::testing::Test {
protected:
    void SetUp() override {
        mDir = std::filesystem::path(::testing::TempDir()) /
               ("kavo_desc_" + std::to_string(::getpid()) + "_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::create_directories(mDir);
    }
    void TearDown() override { std::filesystem::remove_all(mDir); }

    bool Load(const std::string& text) {
        std::string path = (mDir / "d.txt").string();
        std::ofstream(path, std::ios::binary) << text;
        return mParser.LoadFile(path);
    }

    // Tokenizes one line as a command would be.
    bool Tokenize(const std::string& text, ListDataElement* list) {
        size_t index = 0;
        return mTokenizer.TokenizeForTest(text, list, &index);
    }

    struct Tokenizer : RecordingParser {
        bool TokenizeForTest(const std::string& text, ListDataElement* list, size_t* index) {
            return TokenizeList(text, list, false, index);
        }
    };

    std::filesystem::path mDir;
    RecordingParser mParser;
    Tokenizer mTokenizer;
};

TEST_F(DescTest, CommandsLinesAndComments) {
    ASSERT_TRUE(Load("# only a comment\n"
                     "   \t\n"
                     "\n"
                     "A 1; B 2;\r\n"
                     "C (1 2\n"
                     "   3)\n"
                     "   'x;y' \"q\\\"r\";\n"
                     "# a comment between commands\n"
                     "D"));
    EXPECT_EQ(mParser.mCommands,
              (std::vector<std::string>{"4:(A, 1)", "4:(B, 2)", "5:(C, (1, 2, 3), 'x;y', \"q\"r\")", "9:(D)"}));
    EXPECT_EQ(mParser.mCurrentLineNum, 0);

    RecordingParser empty;
    std::string path = (mDir / "blank.txt").string();
    std::ofstream(path) << "# nothing\n  \n\t# indented comment\n";
    EXPECT_TRUE(empty.LoadFile(path));
    EXPECT_TRUE(empty.mCommands.empty());
}

TEST_F(DescTest, BackslashInQuotesEscapesTheLineFeed) {
    ASSERT_TRUE(Load("A \"x\\\n\"; B\n")) << mParser.mError;
    EXPECT_EQ(mParser.mCommands, (std::vector<std::string>{"1:(A, \"x\n\")", "2:(B)"}));
}

TEST_F(DescTest, UnindentedLineStartsACommand) {
    mParser.mCmdSep = DescParser::CMDSEP_NO_INDENT;
    ASSERT_TRUE(Load("A 1\n  2;3\nB\n"));
    EXPECT_EQ(mParser.mCommands, (std::vector<std::string>{"1:(A, 1, 2;3)", "3:(B)"}));
}

TEST_F(DescTest, FailingCommandStopsTheFile) {
    EXPECT_FALSE(Load("A;\nFail;\nB;\n"));
    EXPECT_EQ(mParser.mError, "refused");
    EXPECT_EQ(mParser.mCommands, (std::vector<std::string>{"1:(A)"}));
    EXPECT_FALSE(mParser.LoadFile((mDir / "missing.txt").string()));
}

TEST_F(DescTest, TokenizerErrors) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"a )", "Unexpected List End"},         {"x(1)", "Unexpected List Start"},
        {"'abc", "Unterminated Single Quotes"}, {"\"abc", "Unterminated Double Quotes"},
        {"(1 (2)", "Unterminated List"},
    };
    for (const Case& c : cases) {
        ListDataElement list;
        EXPECT_FALSE(Tokenize(c.text, &list)) << c.text;
        EXPECT_EQ(mTokenizer.mError, c.error) << c.text;
    }
    EXPECT_FALSE(Load("(1 2) x"));
    EXPECT_EQ(mParser.mError, "Missing Command");
}

TEST_F(DescTest, TokenizerShapes) {
    ListDataElement list;
    ASSERT_TRUE(Tokenize("Foo 1,\"a b\" (2 3) ((1 2) (3 4)) \"x\\\"y\" a\\ b ''", &list));
    EXPECT_EQ(mTokenizer.ElementToText(&list), "(Foo, 1, \"a b\", (2, 3), ((1, 2), (3, 4)), \"x\"y\", a b, '')");
    const auto* nested = static_cast<const ListDataElement*>(list.At(4));
    ASSERT_TRUE(nested->mIsList);
    ASSERT_EQ(nested->Size(), 2u);
    EXPECT_TRUE(nested->At(0)->mIsList);
    EXPECT_TRUE(nested->At(1)->mIsList);
}

TEST_F(DescTest, UnquoteAndLiterals) {
    EXPECT_EQ(mParser.Unquote("\"a\"\"b\""), "a\"b");
    EXPECT_EQ(mParser.Unquote("'it''s'"), "it's");
    EXPECT_EQ(mParser.Unquote("plain"), "plain");
    for (const char* literal : {"1", "-2", "+3", "'s'", "\"d\""})
        EXPECT_TRUE(mParser.IsLiteral(literal)) << literal;
    for (const char* name : {"", "abc", ".5", "_x"})
        EXPECT_FALSE(mParser.IsLiteral(name)) << name;
}

TEST_F(DescTest, DefinitionsAndConversions) {
    ASSERT_TRUE(Load("Define Nums (1 2 0x10);\n"
                     "Define Title 'Hello';\n"
                     "Define Pair (Nums Title);\n"
                     "Define Reals (1.5 -2);\n"));

    ListDataElement params;
    ASSERT_TRUE(Tokenize("(Title 7 \"s\" Nums (Title)) nums Reals undefinedName Title \"lit\" (1 x)", &params));

    ListDataElement resolved;
    ASSERT_TRUE(mParser.DerefList(static_cast<const ListDataElement*>(params.At(0)), &resolved));
    EXPECT_EQ(mParser.ElementToText(&resolved), "('Hello', 7, s, (1, 2, 0x10), ('Hello'))");

    std::vector<int> ints;
    EXPECT_TRUE(mParser.ElementToIntVector(params.At(1), &ints)); // names are case-insensitive
    EXPECT_EQ(ints, (std::vector<int>{1, 2, 16}));
    std::vector<double> reals;
    EXPECT_TRUE(mParser.ElementToDoubleVector(params.At(2), &reals));
    EXPECT_EQ(reals, (std::vector<double>{1.5, -2.0}));
    EXPECT_FALSE(mParser.ElementToIntVector(params.At(2), &ints)); // 1.5 is no integer

    std::vector<std::string> strings;
    EXPECT_FALSE(mParser.ElementToStringVector(params.At(3), &strings));
    EXPECT_EQ(mParser.mError, "Unable to Dereference \"undefinedName\"");
    EXPECT_FALSE(mParser.ElementToStringVector(params.At(6), &strings)); // x is undefined
    EXPECT_EQ(mParser.mError, "Unable to Dereference \"x\"");

    std::string text;
    EXPECT_TRUE(mParser.ElementToString(params.At(4), &text));
    EXPECT_EQ(text, "Hello");
    EXPECT_TRUE(mParser.ElementToString(params.At(5), &text));
    EXPECT_EQ(text, "lit");
    EXPECT_FALSE(mParser.ElementToString(params.At(1), &text)); // names a list
    EXPECT_FALSE(mParser.ElementToString(params.At(6), &text)); // is a list

    ListDataElement pair;
    ASSERT_TRUE(mParser.GetListElement(params.At(1), &pair));
    EXPECT_EQ(mParser.ElementToText(&pair), "(1, 2, 0x10)");
    EXPECT_FALSE(mParser.GetListElement(params.At(4), &pair)); // names a single
    ASSERT_NE(mParser.GetDefine("pair"), nullptr);
    EXPECT_EQ(mParser.GetDefine("nothing"), nullptr);
}

TEST(DataElement, ListCopiesAreDeep) {
    ListDataElement inner;
    inner.Add(new SingleDataElement("a"));
    ListDataElement outer;
    outer.Add(inner.Duplicate());
    outer.Add(new SingleDataElement("b"));

    ListDataElement copy(outer);
    static_cast<SingleDataElement*>(static_cast<ListDataElement*>(outer.At(0))->At(0))->mString = "changed";
    ListDataElement assigned;
    assigned.Add(new SingleDataElement("old"));
    assigned = copy;
    for (const ListDataElement* list : {&copy, &assigned}) {
        ASSERT_EQ(list->Size(), 2u);
        EXPECT_EQ(static_cast<SingleDataElement*>(static_cast<ListDataElement*>(list->At(0))->At(0))->mString, "a");
    }
}

} // namespace
} // namespace Kavo
