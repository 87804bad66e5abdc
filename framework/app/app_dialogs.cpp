// Dialogs kept by id, their buttons as application buttons, and the small
// services beside them: web pages and file versions.
#include <algorithm>

#include "framework/app/kavo_app_base.h"
#include "framework/widget/dialog.h"
#include "framework/widget/widget_manager.h"
#include "platform/clock.h"
#include "platform/services.h"

namespace Kavo {

Dialog* KavoAppBase::NewDialog(int32_t id, bool isModal, const std::string& header, const std::string& lines,
                               const std::string& footer, int32_t buttonMode) {
    auto* dialog = new Dialog(nullptr, nullptr, id, isModal, header, lines, footer, buttonMode);
    dialog->mDialogListener = this;
    return dialog;
}

Dialog* KavoAppBase::DoDialog(int32_t id, bool isModal, const std::string& header, const std::string& lines,
                              const std::string& footer, int32_t buttonMode) {
    KillDialog(id);
    Dialog* dialog = NewDialog(id, isModal, header, lines, footer, buttonMode);
    if (dialog == nullptr)
        return nullptr;
    AddDialog(id, dialog);
    return dialog;
}

Dialog* KavoAppBase::GetDialog(int32_t id) {
    auto it = mDialogMap.find(id);
    return it == mDialogMap.end() ? nullptr : it->second;
}

void KavoAppBase::AddDialog(Dialog* dialog) {
    AddDialog(dialog->mId, dialog);
}

void KavoAppBase::AddDialog(int32_t id, Dialog* dialog) {
    KillDialog(id);
    mDialogMap[id] = dialog;
    mDialogList.push_back(dialog);
    // Added first: a dialog takes its fonts from the widget manager, and its
    // preferred height depends on them.
    mWidgetManager->AddWidget(dialog);
    if (dialog->mWidth == 0) {
        const int32_t width = mWidth / 2;
        dialog->Resize((mWidth - width) / 2, mHeight / 5, width, dialog->GetPreferredHeight(width));
    }
    if (dialog->IsModal()) {
        mWidgetManager->AddModalWidget(dialog, mWidgetManager->mDefaultModalFlags);
        ModalOpenedHook();
    }
}

bool KavoAppBase::KillDialog(int32_t id, bool removeWidget, bool deleteWidget) {
    auto it = mDialogMap.find(id);
    if (it == mDialogMap.end())
        return false;
    Dialog* dialog = it->second;
    mDialogMap.erase(it);
    auto listed = std::find(mDialogList.begin(), mDialogList.end(), dialog);
    if (listed != mDialogList.end())
        mDialogList.erase(listed);
    // A caller waiting for the dialog's result returns once it is no longer managed.
    if (removeWidget || deleteWidget)
        mWidgetManager->RemoveWidget(dialog);
    if (dialog->IsModal()) {
        ModalClosedHook();
        mWidgetManager->RemoveModalWidget(dialog);
    }
    if (deleteWidget)
        SafeDeleteObject(dialog);
    return true;
}

bool KavoAppBase::KillDialog(int32_t id) {
    return KillDialog(id, true, true);
}

bool KavoAppBase::KillDialog(Dialog* dialog) {
    return dialog != nullptr && KillDialog(dialog->mId);
}

int32_t KavoAppBase::GetDialogCount() {
    return static_cast<int32_t>(mDialogMap.size());
}

void KavoAppBase::ButtonPressClicks(int32_t id, int32_t) {
    ButtonPress(id);
}

void KavoAppBase::DialogButtonPress(int32_t dialogId, int32_t buttonId) {
    if (buttonId == Dialog::kFirstButtonId)
        ButtonPress(dialogId + 2000);
    else if (buttonId == Dialog::kSecondButtonId)
        ButtonPress(dialogId + 3000);
}

void KavoAppBase::DialogButtonRelease(int32_t dialogId, int32_t buttonId) {
    if (buttonId == Dialog::kFirstButtonId)
        ButtonDepress(dialogId + 2000);
    else if (buttonId == Dialog::kSecondButtonId)
        ButtonDepress(dialogId + 3000);
}

void KavoAppBase::ClearUpdateFlag(const std::string&) {
    mUpdateCheckWatch = false;
}

void KavoAppBase::CancelUpdateCheck(const std::string&) {
    mUpdateCheckWatch = false;
    if (mCloseAfterWebPage)
        CloseApp();
}

bool KavoAppBase::OpenWebPage(const std::string& url, bool closeAfter) {
    if (mUpdateCheckWatch && url == mWatchedWebPage)
        return true;
    mCloseAfterWebPage = closeAfter;
    mUpdateCheckWatch = true;
    mWatchedWebPage = url;
    mWebPageOpenTick = platform::GetTickMs();
    if (platform::OpenWebPage(url))
        return true;
    ClearUpdateFlag(url);
    return false;
}

std::string KavoAppBase::ReadFileProductVersion(const std::string&) {
    // Executables here carry no version resource.
    return {};
}

} // namespace Kavo
