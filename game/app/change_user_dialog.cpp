#include "game/app/change_user_dialog.h"

#include "framework/widget/list_widget.h"
#include "framework/widget/scrollbar_widget.h"
#include "game/app/game_app.h"
#include "game/ui/edit_dialog.h"
#include "game/ui/resource_ids.h"
#include "game/ui/termins.h"
#include "game/ui/user_manager.h"

namespace Game {

namespace {

constexpr int32_t kNewUserDialogId = 101;
constexpr int32_t kScrollbarWidth = 25;
constexpr int kDeleteWarning = 3;
constexpr int kEnterCorrectName = 2;

} // namespace

ChangeUserDialog::ChangeUserDialog(const std::string& layoutFile, int32_t id) : LayoutDialog(layoutFile, id, true) {
    Layout* layout = GetLayout();
    if (layout != nullptr) {
        mDelete = layout->GetControl("Delete");
        mSelect = layout->GetControl("Select");
        mCancel = layout->GetControl("Cancel");
    }
    UpdateButtons();
    mList = std::make_unique<Kavo::ListWidget>(kListId, FONT_DEFAULT, this);
    const LayoutPoint pos = layout != nullptr ? layout->GetDesc("LBPos").value_or(LayoutPoint{}) : LayoutPoint{};
    const LayoutPoint size = layout != nullptr ? layout->GetDesc("LBSize").value_or(LayoutPoint{}) : LayoutPoint{};
    mList->Resize(pos.x, pos.y, size.x, size.y);
    const Kavo::Color colors[] = {{255, 255, 255, 0},   {255, 255, 255, 0},  {0, 0, 0, 255},
                                  {239, 139, 161, 255}, {238, 84, 118, 255}, {255, 255, 255, 255}};
    for (int32_t i = 0; i < 6; ++i)
        mList->SetColor(i, colors[i]);
    mScrollbar = std::make_unique<Kavo::ScrollbarWidget>(kScrollbarId, mList.get());
    mList->mScrollbar = mScrollbar.get();
    mScrollbar->Resize(mList->mX + mList->mWidth, mList->mY, kScrollbarWidth, mList->mHeight);
    AddWidget(mList.get());
    AddWidget(mScrollbar.get());
    mScrollbar->SetInvisIfNoScroll(true);
    FillList();
}

ChangeUserDialog::~ChangeUserDialog() {
    // Taken out before the layout empties the dialog: they are owned here.
    RemoveWidget(mScrollbar.get());
    RemoveWidget(mList.get());
}

void ChangeUserDialog::FillList() {
    mList->RemoveAll();
    mList->AddLine(Termins::Lookup("CreateNewUser"), false);
    UserManager* users = UserManager::GetInstance();
    if (users == nullptr)
        return;
    for (int i = 0; i < users->GetUserCount(); ++i) {
        mList->AddLine(users->GetUser(i)->mName, false);
        if (i == users->GetCurrentIndex())
            mList->SetSelect(mList->GetLineCount() - 1);
    }
}

void ChangeUserDialog::UpdateButtons() {
    UserManager* users = UserManager::GetInstance();
    const bool none = users == nullptr || users->GetUserCount() == 0;
    for (Kavo::Widget* button : {mSelect, mDelete})
        if (button != nullptr)
            button->SetDisabled(none);
}

void ChangeUserDialog::ButtonDepress(int32_t buttonId) {
    UserManager* users = UserManager::GetInstance();
    const int32_t line = mList->mSelectIdx;
    if (buttonId == kDeleteButton) {
        // Only a user's line can be deleted; line 0 creates users.
        if (users == nullptr || line < 1 || mList->GetLineCount() <= 1 || gGameApp == nullptr ||
            !gGameApp->ShowMessage(kDeleteWarning))
            return;
        users->DeleteUser(line - 1);
        users->Save();
        mList->RemoveLine(line);
        mList->SetSelect(mList->GetLineCount() > 1 ? 1 : -1);
        UpdateButtons();
    } else if (buttonId == kSelectButton) {
        if (users != nullptr) {
            users->SetCurrentIndex(line >= 1 ? line - 1 : -1);
            users->LoadCurrentUser();
            users->Save();
        }
        LayoutDialog::ButtonDepress(buttonId);
    } else if (buttonId == kCancelButton) {
        LayoutDialog::ButtonDepress(buttonId);
    }
}

void ChangeUserDialog::ListClicked(int32_t listId, int32_t line, int32_t clicks) {
    if (listId != kListId)
        return;
    if (clicks == 1) {
        if (line == 0) {
            if (gGameApp != nullptr)
                gGameApp->ShowNewUserDialog(this, 0);
        } else {
            mList->SetSelect(line);
        }
    } else if (clicks == 2) {
        mList->SetSelect(line);
        if (line != 0)
            ButtonDepress(kSelectButton);
    }
}

void ChangeUserDialog::DialogButtonRelease(int32_t dialogId, int32_t result) {
    GameApp* app = gGameApp;
    if (app == nullptr)
        return;
    auto* entry = dynamic_cast<EditDialog*>(app->GetDialog(dialogId));
    const std::string name = entry != nullptr ? entry->GetText() : std::string();
    UserManager* users = UserManager::GetInstance();
    if (dialogId == kNewUserDialogId && result == 1 && !name.empty() && users != nullptr) {
        // A taken name, or the list's own: the player is asked again.
        if (!users->CanAddUser(name)) {
            app->ShowMessage(kEnterCorrectName);
            // The finished dialog goes before its successor takes its id.
            app->KillDialog(dialogId);
            app->ShowNewUserDialog(this, 0);
            return;
        }
        auto* user = new User;
        user->mName = name;
        user->mSfxVolume = static_cast<float>(app->GetSfxVolume());
        user->mMusicVolume = static_cast<float>(app->GetMusicVolume());
        users->AddUser(user);
        mList->AddLine(name, false);
        mList->SetSelect(mList->GetLineCount() - 1);
        UpdateButtons();
    }
    app->KillDialog(dialogId);
}

} // namespace Game
