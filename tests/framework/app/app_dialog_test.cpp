// The application's dialogs on the real widget tree: placement, modal state,
// the hand cursor over their buttons and WaitForResult's kill.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app_test_environment.h"
#include "framework/widget/dialog.h"
#include "framework/widget/dialog_button.h"
#include "framework/widget/widget_manager.h"
#include "test_app.h"

namespace app_test {
namespace {

using Kavo::Dialog;
using AppDialogTest = AppTestEnvironment;

TEST_F(AppDialogTest, ModalDialogRunsOnTheWidgetTree) {
    TestApp app(WorkFolder());
    Kavo::WidgetManager& manager = *app.mWidgetManager;
    manager.Resize(Kavo::IntRect(0, 0, 640, 480), Kavo::IntRect(0, 0, 640, 480));

    Dialog* dialog = app.DoDialog(7, true, "Header", "Lines", "", Dialog::BUTTONS_YES_NO);
    ASSERT_NE(dialog, nullptr);
    // Half the width, centred, a fifth down, at its preferred height.
    EXPECT_EQ(dialog->GetRect(), Kavo::IntRect(160, 96, 320, dialog->GetPreferredHeight(320)));
    EXPECT_EQ(manager.mBaseModalWidget, dialog);
    EXPECT_TRUE(manager.HasWidget(dialog->mYesButton));

    // The hand over a dialog button, the arrow again off it.
    const Kavo::IntRect yes = dialog->mYesButton->GetRect();
    manager.MousePosition(yes.mX + 5, yes.mY + 5);
    EXPECT_EQ(app.mCursorNum, 1);
    manager.MouseDown(yes.mX + 5, yes.mY + 5, 1);
    manager.MouseUp(yes.mX + 5, yes.mY + 5, 1);
    manager.MousePosition(0, 0);
    EXPECT_EQ(app.mCursorNum, 0);

    // Already answered: no loop step runs, and kill removes it by id.
    EXPECT_EQ(dialog->WaitForResult(true), Dialog::kFirstButtonId);
    EXPECT_EQ(app.GetDialog(7), nullptr);
    EXPECT_FALSE(manager.HasWidget(dialog));
    EXPECT_EQ(manager.mBaseModalWidget, nullptr);
    EXPECT_TRUE(manager.mWidgets.empty()) << "the buttons left with the dialog";
}

} // namespace
} // namespace app_test
