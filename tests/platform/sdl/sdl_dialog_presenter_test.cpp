// The crash window as an SDL message box: what it shows and which buttons.
#include <gtest/gtest.h>

#include "platform/sdl/sdl_dialog_presenter.h"
#include "platform/text_encoding.h"

namespace {

using namespace platform;

DialogControl Control(DialogControl::Kind kind, std::string text, bool isDefault = false, bool enabled = true) {
    DialogControl control;
    control.kind = kind;
    control.text = std::move(text);
    control.isDefault = isDefault;
    control.enabled = enabled;
    return control;
}

TEST(SdlDialogBox, ShowsTheTextsAndTheEnabledButtonsWithEnterAndEscapeDefaults) {
    DialogLayout layout;
    layout.caption = "Fatal Error!";
    layout.controls = {Control(DialogControl::Kind::TextBox, "An unexpected error has occured!"),
                       Control(DialogControl::Kind::TextBox, Utf8ToCp1251("Exception: Ошибка\r\n")),
                       Control(DialogControl::Kind::TextBox, ""),
                       Control(DialogControl::Kind::Button, "Send Report", true),
                       Control(DialogControl::Kind::Button, "Close Now")};
    SdlDialogBox box = SdlDialogBoxFor(layout);
    EXPECT_EQ(box.title, "Fatal Error!");
    EXPECT_EQ(box.message, "An unexpected error has occured!\n\nException: Ошибка\r\n");
    ASSERT_EQ(box.buttons.size(), 2u);
    EXPECT_EQ(box.buttons[0].text, "Send Report");
    EXPECT_TRUE(box.buttons[0].enterDefault);
    EXPECT_FALSE(box.buttons[0].escapeDefault);
    EXPECT_TRUE(box.buttons[1].escapeDefault);
    EXPECT_FALSE(box.buttons[1].enterDefault);

    // A disabled button is left out; with no default the first takes Enter.
    layout.controls[3].enabled = false;
    box = SdlDialogBoxFor(layout);
    ASSERT_EQ(box.buttons.size(), 1u);
    EXPECT_EQ(box.buttons[0].text, "Close Now");
    EXPECT_TRUE(box.buttons[0].enterDefault);
    EXPECT_TRUE(box.buttons[0].escapeDefault);
}

} // namespace
