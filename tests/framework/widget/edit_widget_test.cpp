// Edit field: key and character sequences against the text, the cursor and
// the selection; the clipboard, undo, limits, listeners and the caret.
#include "framework/widget/edit_listener.h"
#include "framework/widget/edit_widget.h"
#include "tests/framework/widget/widget_fixture.h"

namespace widget_test {
namespace {

using Kavo::EditWidget;
using ::testing::ElementsAre;

constexpr int32_t kShift = 0x10;
constexpr int32_t kControl = 0x11;

class ScriptedListener : public Kavo::EditListener {
public:
    bool mAllowText = true;
    std::string mRefusedChars;
    EventLog mEntered;
    void EditWidgetText(int32_t id, const std::string& text) override {
        mEntered.push_back(std::to_string(id) + " " + text);
    }
    bool AllowChar(int32_t, char c) override { return mRefusedChars.find(c) == std::string::npos; }
    bool AllowText(int32_t, const std::string&) override { return mAllowText; }
};

class EditTest : public WidgetTreeTest {
protected:
    EditTest() {
        Kavo::FakeFont font(10, 20, 16);
        mEdit.SetFont(&font);
        mEdit.Resize(10, 20, 300, 30);
        mManager.AddWidget(&mEdit);
        mManager.SetFocus(&mEdit);
    }

    // "type text" (letters as key down, character, key up), "key N" (down
    // and up), "down N", "up N", "char N" (a character by code), "ctrl N"
    // (a control character with its letter key, as the drivers send them).
    void Keys(const std::vector<std::string>& lines) {
        for (const std::string& line : lines) {
            std::istringstream in(line);
            std::string op;
            in >> op;
            if (op == "type") {
                std::string text = line.substr(5);
                for (const char c : text) {
                    const int32_t key = std::toupper(static_cast<unsigned char>(c));
                    mManager.KeyDown(key);
                    mManager.KeyChar(c);
                    mManager.KeyUp(key);
                }
                continue;
            }
            int32_t code = 0;
            in >> code;
            if (op == "key") {
                mManager.KeyDown(code);
                mManager.KeyUp(code);
            } else if (op == "down") {
                mManager.KeyDown(code);
            } else if (op == "up") {
                mManager.KeyUp(code);
            } else if (op == "char") {
                mManager.KeyChar(static_cast<char>(code));
            } else if (op == "ctrl") {
                mManager.KeyDown(kControl);
                mManager.KeyDown('A' + code - 1);
                mManager.KeyChar(static_cast<char>(code));
                mManager.KeyUp('A' + code - 1);
                mManager.KeyUp(kControl);
            } else {
                ADD_FAILURE() << "unknown keys " << line;
            }
        }
    }

    ScriptedListener mListener;
    EditWidget mEdit{6, &mListener};
};

TEST_F(EditTest, KeySequencesEditTheTextCursorAndSelection) {
    struct Case {
        const char* what;
        std::string start;
        std::vector<std::string> keys;
        std::string text;
        int32_t cursor;
        int32_t anchor;
    } cases[] = {
        {"a letter replaces the selection", "abc", {"type z"}, "z", 1, -1},
        {"shift+left x3 then x",
         "abcdef",
         {"key 35", "down 16", "key 37", "key 37", "key 37", "up 16", "type x"},
         "abcx",
         4,
         -1},
        {"left collapses a selection to its start", "abcdef", {"key 37"}, "abcdef", 0, -1},
        {"right collapses it to its end",
         "abcdef",
         {"key 36", "down 16", "key 39", "key 39", "up 16", "key 39"},
         "abcdef",
         2,
         -1},
        {"ctrl+left once", "foo bar", {"key 35", "down 17", "key 37", "up 17"}, "foo bar", 4, -1},
        {"ctrl+left twice", "foo bar", {"key 35", "down 17", "key 37", "key 37", "up 17"}, "foo bar", 0, -1},
        {"ctrl+right from the start", "foo bar", {"key 36", "down 17", "key 39", "up 17"}, "foo bar", 4, -1},
        {"ctrl+left over Cyrillic words",
         "\xEF\xF0\xE8 \xE2\xE5\xF2",
         {"key 35", "down 17", "key 37", "up 17"},
         "\xEF\xF0\xE8 \xE2\xE5\xF2",
         4,
         -1},
        {"backspace at the start", "ab", {"key 36", "key 8"}, "ab", 0, -1},
        {"delete in the middle", "abc", {"key 36", "key 39", "key 46"}, "ac", 1, -1},
        {"delete a selection", "abc", {"key 46"}, "", 0, -1},
        {"control characters and unknown keys type nothing",
         "ab",
         {"key 35", "char 7", "key 112", "char 13"},
         "ab",
         2,
         -1},
        {"a high character needs the application's leave", "ab", {"key 35", "char 233"}, "ab", 2, -1},
        {"a refused character is not typed", "ab", {"key 35", "type q1"}, "ab1", 3, -1},
    };
    mListener.mRefusedChars = "q";
    for (const Case& c : cases) {
        mEdit.SetText(c.start);
        Keys(c.keys);
        EXPECT_EQ(mEdit.mString, c.text) << c.what;
        EXPECT_EQ(mEdit.mCursorPos, c.cursor) << c.what;
        EXPECT_EQ(mEdit.mHilitePos, c.anchor) << c.what;
    }
}

TEST_F(EditTest, SetTextSelectsAllAndEnterReportsTheText) {
    mEdit.SetText("hello");
    EXPECT_EQ(mEdit.mHilitePos, 0);
    EXPECT_EQ(mEdit.mCursorPos, 5);
    Keys({"key 13"});
    EXPECT_THAT(mListener.mEntered, ElementsAre("6 hello"));
}

TEST_F(EditTest, ARunOfBackspacesIsOneUndoStepAndASecondUndoRedoes) {
    mEdit.SetText("abcdefg");
    Keys({"key 35", "key 8", "key 8", "key 8", "key 8", "key 8"});
    EXPECT_EQ(mEdit.mString, "ab");
    Keys({"ctrl 26"});
    EXPECT_EQ(mEdit.mString, "abcdefg");
    EXPECT_EQ(mEdit.mCursorPos, 7);
    Keys({"ctrl 26"});
    EXPECT_EQ(mEdit.mString, "ab");

    // Typing runs merge the same way.
    Keys({"key 35", "type xyz", "ctrl 26"});
    EXPECT_EQ(mEdit.mString, "ab");
}

TEST_F(EditTest, PasteKeepsTheLimitStopsAtALineBreakAndSkipsRefusedCharacters) {
    struct Case {
        const char* what;
        std::string clipboard;
        int32_t maxChars;
        std::string text;
    } cases[] = {
        {"twenty into eight", "abcdefghijklmnopqrst", 8, "abcdefgh"},
        {"stops at CR", "one\rtwo", -1, "one"},
        {"stops at LF", "one\ntwo", -1, "one"},
        {"refused characters dropped", "aqbq", -1, "ab"},
    };
    mListener.mRefusedChars = "q";
    for (const Case& c : cases) {
        mEdit.SetText("old"); // selected: the paste replaces it
        mEdit.mMaxChars = c.maxChars;
        mHost->mClipboard = c.clipboard;
        Keys({"ctrl 22"});
        EXPECT_EQ(mEdit.mString, c.text) << c.what;
        EXPECT_EQ(mEdit.mCursorPos, static_cast<int32_t>(c.text.size())) << c.what;
    }
    Keys({"ctrl 26"});
    EXPECT_EQ(mEdit.mString, "old");
}

TEST_F(EditTest, PixelLimitDropsCharactersThatDoNotFit) {
    mEdit.mMaxPixels = 45; // four characters of 10
    mEdit.SetText("");
    Keys({"type abcdef"});
    EXPECT_EQ(mEdit.mString, "abcd");

    // A width-check font without its own width uses the field's.
    Kavo::FakeFont wide(15, 20, 16);
    mEdit.AddWidthCheckFont(&wide, -1);
    Kavo::FakeFont narrow(1, 20, 16);
    mEdit.AddWidthCheckFont(&narrow, 0);
    mEdit.SetText("");
    Keys({"type abcdef"});
    EXPECT_EQ(mEdit.mString, "abc");
}

TEST_F(EditTest, APasswordFieldShowsAndCopiesOnlyItsCharacter) {
    mEdit.mPasswordChar = '*';
    mEdit.SetText("secret");
    Keys({"ctrl 3"});
    EXPECT_EQ(mHost->mClipboard, "******");
    EXPECT_EQ(mEdit.mHilitePos, 0); // copying keeps the selection

    auto& font = *static_cast<Kavo::FakeFont*>(mEdit.mFont.get());
    font.mDrawn.clear();
    Kavo::Graphics g(&mScreen);
    mEdit.Draw(&g);
    ASSERT_FALSE(font.mDrawn.empty());
    for (const auto& drawn : font.mDrawn)
        EXPECT_EQ(drawn.mText, "******");

    Keys({"ctrl 24"});
    EXPECT_EQ(mEdit.mString, "");
    EXPECT_EQ(mHost->mClipboard, "******");
}

TEST_F(EditTest, ARefusingListenerKeepsTheFieldAsItWas) {
    mEdit.SetText("keep");
    Keys({"key 35"});
    mListener.mAllowText = false;
    mHost->mClipboard = "pasted";
    for (const char* keys : {"type x", "key 8", "key 36", "ctrl 22", "ctrl 24", "ctrl 26"}) {
        Keys({keys});
        EXPECT_EQ(mEdit.mString, "keep") << keys;
        EXPECT_EQ(mEdit.mCursorPos, 4) << keys;
    }
}

TEST_F(EditTest, ADoubleClickSelectsTheWordWithTheCursorAfterIt) {
    mEdit.SetText("foo bar baz");
    // Local x 55 is past the middle of the fifth character: position 5, in "bar".
    Input({"down 65 30 1", "up 65 30 1", "down 65 30 2", "up 65 30 2"});
    EXPECT_EQ(mEdit.mHilitePos, 4);
    EXPECT_EQ(mEdit.mCursorPos, 7);

    // A drag selects from the press to the pointer.
    Input({"down 25 30 1", "drag 45 30", "up 45 30 1"});
    EXPECT_EQ(mEdit.mHilitePos, 1);
    EXPECT_EQ(mEdit.mCursorPos, 3);
}

TEST_F(EditTest, TheTextScrollsToKeepTheCursorInView) {
    mEdit.Resize(10, 20, 58, 30); // 50 pixels of text before the cursor must scroll
    mEdit.SetText("");
    Keys({"type abcdefgh"});
    EXPECT_EQ(mEdit.mCursorPos, 8);
    EXPECT_GT(mEdit.mLeftPos, 0);
    EXPECT_LT((mEdit.mCursorPos - mEdit.mLeftPos) * 10, 50);
    Keys({"key 36"});
    EXPECT_EQ(mEdit.mLeftPos, 0);
    // Left of the first visible character's middle is position 0.
    mEdit.mLeftPos = 3;
    EXPECT_EQ(mEdit.GetCharAt(0, 0), 0);
    EXPECT_EQ(mEdit.GetCharAt(15, 0), 4);
}

TEST_F(EditTest, TheFocusBlinksTheCursorAndPlacesTheCaret) {
    EXPECT_TRUE(mEdit.mShowingCursor);
    for (int i = 0; i < 41; ++i)
        mManager.UpdateFrame();
    EXPECT_FALSE(mEdit.mShowingCursor);
    EXPECT_EQ(mHost->mCarets.front(), "10 20");
    EXPECT_EQ(mHost->mCarets.size(), 42u); // on focus and at every update
    mManager.SetFocus(nullptr);
    EXPECT_EQ(mHost->mCarets.back(), "hide");
    EXPECT_FALSE(mEdit.mShowingCursor);
}

TEST_F(EditTest, DrawInvertsTheSelectionBandOnlyWithTheFocus) {
    mEdit.SetText("abc");
    Kavo::Graphics g(&mScreen);
    mEdit.Draw(&g);
    EXPECT_THAT(mScreen.mCalls,
                ElementsAre("FillRect [0,0,300,30] (255,255,255,255) m0", "FillRect [4,5,30,20] (0,0,0,255) m0",
                            "DrawRect [0,0,299,29] (0,0,0,255) m0"));
    mScreen.mCalls.clear();
    mManager.SetFocus(nullptr);
    mEdit.Draw(&g);
    EXPECT_THAT(mScreen.mCalls,
                ElementsAre("FillRect [0,0,300,30] (255,255,255,255) m0", "DrawRect [0,0,299,29] (0,0,0,255) m0"));
}

TEST(EditWordChar, CyrillicBytesAreWordCharactersAsUnsigned) {
    Kavo::EditWidget edit(0, nullptr);
    for (const char c : std::string("Az09_\xC0\xE0\xFF"))
        EXPECT_TRUE(edit.IsWordChar(c)) << static_cast<int>(static_cast<unsigned char>(c));
    for (const char c : std::string(" -.\x7F\xA8\xBF"))
        EXPECT_FALSE(edit.IsWordChar(c)) << static_cast<int>(static_cast<unsigned char>(c));
}

} // namespace
} // namespace widget_test
