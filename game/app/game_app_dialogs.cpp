// The application's message boxes, the name-entry dialog and the tip window.
#include "framework/resource/resource_manager.h"
#include "framework/widget/widget_manager.h"
#include "game/app/game_app.h"
#include "game/ui/edit_dialog.h"
#include "game/ui/message_dialog.h"
#include "game/ui/resource_ids.h"
#include "game/ui/termins.h"
#include "game/ui/tip_window.h"

namespace Game {

namespace {

struct MessageBox {
    const char* message;
    const char* caption;
    const char* layout;
};

// Ids 1 to 7; id 4 shows nothing.
constexpr MessageBox kMessageBoxes[] = {
    {"SureExit", "Quit", "UI/messageboxOKC.txt"},      {"EnterCorrectName", "Warning", "UI/messagebox.txt"},
    {"DeleteWarning", "", "UI/messageboxOKC.txt"},     {nullptr, nullptr, nullptr},
    {"Error1", "NotSupported", "UI/messagebox.txt"},   {"Error2", "NotSupported", "UI/messagebox.txt"},
    {"Error3", "NoWindowedMode", "UI/messagebox.txt"},
};

constexpr int kTipOldAfterUpdates = 300;
constexpr int kNoTip = 32;
constexpr const char* kNewUserLayout = "UI/NewUser.txt";

std::string Term(const char* key) {
    return *key == '\0' ? std::string() : Termins::Lookup(key);
}

} // namespace

bool GameApp::ShowMessage(int messageId) {
    if (messageId < 1 || messageId > 7 || kMessageBoxes[messageId - 1].layout == nullptr)
        return false;
    const MessageBox& box = kMessageBoxes[messageId - 1];
    auto* dialog = new MessageDialog(box.layout, Term(box.caption), Term(box.message));
    dialog->mDialogListener = nullptr;
    AddDialog(dialog);
    mWidgetManager->SetFocus(dialog);
    return dialog->WaitForResult(true) == 1;
}

void GameApp::ShowNotice(const std::string& text) {
    mNotices.push_back(text);
    ShowNextNotice();
}

void GameApp::ShowNextNotice() {
    if (mNotices.empty() || GetDialog(kNoticeDialogId) != nullptr || mWidgetManager == nullptr)
        return;
    auto* dialog = new MessageDialog("UI/messagebox.txt", Term("Warning"), mNotices.front());
    mNotices.pop_front();
    dialog->mId = kNoticeDialogId;
    // Closing it comes back here, which removes it and shows the next one.
    dialog->mDialogListener = this;
    AddDialog(dialog);
    mWidgetManager->SetFocus(dialog);
}

void GameApp::ShowNewUserDialog(Kavo::DialogListener* listener, int value) {
    auto* dialog = new EditDialog(kNewUserLayout);
    dialog->mId = EditDialog::kDefaultId; // whatever the layout says: the listeners know it by this id
    dialog->mDialogListener = listener;
    dialog->mMode = value;
    AddDialog(dialog);
    mNewUserDialog = dialog;
}

bool GameApp::KillDialog(int32_t id, bool removeWidget, bool deleteWidget) {
    if (mNewUserDialog != nullptr && GetDialog(id) == mNewUserDialog)
        mNewUserDialog = nullptr;
    return KavoAppBase::KillDialog(id, removeWidget, deleteWidget);
}

bool GameApp::IsTipOpen() {
    return GetDialog(TipWindow::kDialogId) != nullptr;
}

int GameApp::GetOpenTipId() {
    auto* tip = dynamic_cast<TipWindow*>(GetDialog(TipWindow::kDialogId));
    return tip != nullptr ? tip->mTipId : kNoTip;
}

void GameApp::CloseTip(bool onlyIfOld) {
    Kavo::Dialog* dialog = GetDialog(TipWindow::kDialogId);
    if (dialog == nullptr)
        return;
    auto* tip = dynamic_cast<TipWindow*>(dialog);
    if (onlyIfOld && tip != nullptr && tip->mAge <= kTipOldAfterUpdates)
        return;
    UserManager* users = UserManager::GetInstance();
    UserRecord* record = users != nullptr ? users->GetCurrentRecord() : nullptr;
    if (tip != nullptr && record != nullptr && tip->mTipId >= 0 && tip->mTipId < UserRecord::kTipCount)
        record->mTipShown[static_cast<size_t>(tip->mTipId)] = 1;
    KillDialog(TipWindow::kDialogId);
}

void GameApp::FreeTitleScreenGroup() {
    if (mResourceManager != nullptr)
        mResourceManager->DeleteGroup("TitleScreen");
    ClearGroupResources("TitleScreen");
}

int GameApp::CurrentRestaurantIndex() {
    UserManager* users = UserManager::GetInstance();
    const UserRecord* record = users != nullptr ? users->GetCurrentRecord() : nullptr;
    return record != nullptr ? StageToRestaurant(record->mStageIndex) : 0;
}

} // namespace Game
