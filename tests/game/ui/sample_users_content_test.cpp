// The sample layouts of the player dialogs read as the dialogs read them.
#include "game/ui/edit_dialog.h"
#include "game/ui/message_dialog.h"
#include "game/ui/tip_window.h"

#include "framework/widget/edit_widget.h"
#include "platform/file_system.h"
#include "tests/game/ui/ui_fixture.h"

#include <gtest/gtest.h>

namespace Game {
namespace {

class SampleUsersContentTest : public ui_test::UiFixture {
protected:
    SampleUsersContentTest() : mPreviousFolder(platform::GetCurrentFolder()) {
        platform::SetCurrentFolder(KAVO_SAMPLE_CONTENT);
        mDescs->LoadInterface("ui\\interf.txt");
    }
    ~SampleUsersContentTest() override { platform::SetCurrentFolder(mPreviousFolder); }

    std::string mPreviousFolder;
};

TEST_F(SampleUsersContentTest, EachDialogFindsItsControlsAndItsOwnId) {
    MessageDialog one("UI/messagebox.txt", "c", "m");
    MessageDialog two("UI/messageboxOKC.txt", "c", "m");
    EXPECT_NE(one.mId, two.mId);
    for (MessageDialog* box : {&one, &two}) {
        EXPECT_NE(box->mCaption, nullptr);
        EXPECT_NE(box->mMessage, nullptr);
        EXPECT_NE(box->mOk, nullptr);
    }
    EXPECT_EQ(one.mCancel, nullptr);
    EXPECT_NE(two.mCancel, nullptr);

    EditDialog entry("UI\\NewUser.txt");
    EXPECT_EQ(entry.mId, 101);
    ASSERT_NE(entry.mEdit, nullptr);

    LayoutDialog users("UI/ChangeUser.txt", 0, true);
    LayoutDialog options("UI/options.txt", 0, true);
    for (const char* name : {"Delete", "Select", "Cancel"})
        EXPECT_NE(users.GetLayout()->GetControl(name), nullptr) << name;
    EXPECT_TRUE(users.GetLayout()->GetPoint("LBPos").has_value());
    EXPECT_TRUE(users.GetLayout()->GetPoint("LBSize").has_value());
    for (const char* name : {"MusicVolume", "EffectVolume", "3DMode", "FullScreen", "Ok"})
        EXPECT_NE(options.GetLayout()->GetControl(name), nullptr) << name;
    EXPECT_NE(users.mId, options.mId);

    TipWindow tip("A tip.");
    EXPECT_EQ(tip.GetColor(Kavo::Dialog::COLOR_LINES), Kavo::Color(0x30, 0x20, 0x10, 0xFF));

    auto back = ui_test::TestImage(8, 8);
    IMAGE_TITLE_BACK = back.get();
    GameDialog title(1, false);
    Layout titleLayout("UI/Title.txt", &title);
    IMAGE_TITLE_BACK = nullptr;
    EXPECT_NE(titleLayout.GetControl("Continue"), nullptr);
    EXPECT_TRUE(titleLayout.GetPoint("Slider").has_value());
    ASSERT_EQ(titleLayout.Images().size(), 1u);
    EXPECT_EQ(titleLayout.Images()[0].image, back.get());
    EXPECT_EQ(titleLayout.Images()[0].level, 0);
}

} // namespace
} // namespace Game
