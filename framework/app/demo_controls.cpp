#include "framework/app/demo_controls.h"

#include "framework/app/app_widget_host.h"
#include "framework/app/kavo_app_base.h"
#include "framework/font/sys_font.h"
#include "framework/widget/dialog.h"
#include "framework/widget/dialog_button.h"
#include "framework/widget/edit_widget.h"
#include "framework/widget/list_widget.h"
#include "framework/widget/widget_manager.h"
#include "platform/messages.h"
#include "platform/services.h"

namespace Kavo {

namespace {

constexpr int32_t kDialogId = 1;
constexpr int32_t kDialogX = 15;
constexpr int32_t kDialogY = 15;
constexpr int32_t kBorder = 10;
constexpr int32_t kContentTop = 40; // below the caption
constexpr int32_t kMarkerListWidth = 300;
constexpr int32_t kMarkerListHeight = 300;
constexpr int32_t kJumpWidth = 300;
constexpr int32_t kJumpHeight = 120;
constexpr int32_t kEditHeight = 22;
constexpr int32_t kVkEscape = 0x1B;

// The dialogs' widgets reach the clipboard directly: through the
// application a paste would be answered from the demo being played.
class ControlsHost : public AppWidgetHost {
public:
    using AppWidgetHost::AppWidgetHost;
    void SetClipboardText(const std::string& text) override { platform::SetClipboardText(text); }
    std::string GetClipboardText() override { return platform::GetClipboardText(); }
    void KillDialog(int32_t) override {}
};

} // namespace

DemoControls::DemoControls(KavoAppBase& app, DemoControlsListener& listener)
    : mApp(app), mListener(listener), mManager(std::make_unique<WidgetManager>(&app)),
      mFont(std::make_unique<SysFont>("Tahoma", 8)) {
    mManager->SetAppHost(std::make_unique<ControlsHost>(&app));
}

DemoControls::~DemoControls() {
    Close();
}

void DemoControls::Open(std::unique_ptr<Dialog> dialog, int32_t width, int32_t height) {
    Close();
    mManager->Resize(IntRect(0, 0, mApp.mWidth, mApp.mHeight), IntRect(0, 0, mApp.mWidth, mApp.mHeight));
    mDialog = std::move(dialog);
    mDialog->mDialogListener = this;
    mDialog->mContentInsets = Insets{kBorder, kBorder, kBorder, kBorder};
    mManager->AddWidget(mDialog.get());
    mDialog->Resize(kDialogX, kDialogY, width, height);
    mManager->AddModalWidget(mDialog.get(), mManager->mDefaultModalFlags);
}

void DemoControls::ShowMarkerList(const std::vector<MarkerListEntry>& entries) {
    Open(std::make_unique<Dialog>(nullptr, nullptr, kDialogId, true, "Marker List", "", "", Dialog::BUTTONS_NONE),
         kMarkerListWidth, kMarkerListHeight);
    mList = std::make_unique<ListWidget>(kMarkerListId, mFont.get(), this);
    mDialog->AddWidget(mList.get());
    mList->Resize(kBorder, kContentTop, kMarkerListWidth - 2 * kBorder, kMarkerListHeight - kContentTop - kBorder);
    mMarkerUpdates.clear();
    for (const MarkerListEntry& entry : entries) {
        mList->AddLine(entry.mText, false);
        mMarkerUpdates.push_back(entry.mUpdateCount);
    }
    mManager->SetFocus(mList.get());
}

void DemoControls::ShowJumpToTime(const std::string& text) {
    Open(std::make_unique<Dialog>(nullptr, nullptr, kDialogId, true, "Jump To Time", "", "", Dialog::BUTTONS_OK_CANCEL),
         kJumpWidth, kJumpHeight);
    mDialog->mYesButton->mLabel = "Ok";
    mDialog->mNoButton->mLabel = "Cancel";
    mEdit = std::make_unique<EditWidget>(kJumpEditId, this);
    mEdit->SetFont(mFont.get());
    mEdit->mMaxChars = static_cast<int32_t>(kJumpTimeMaxChars);
    mDialog->AddWidget(mEdit.get());
    mEdit->Resize(kBorder, kContentTop, kJumpWidth - 2 * kBorder, kEditHeight);
    mEdit->SetText(text.substr(0, kJumpTimeMaxChars));
    mEdit->mHilitePos = 0;
    mEdit->mCursorPos = static_cast<int32_t>(mEdit->mString.size());
    mManager->SetFocus(mEdit.get());
}

void DemoControls::Close() {
    mClosing = false;
    if (mDialog == nullptr)
        return;
    mManager->RemoveModalWidget(mDialog.get());
    mManager->RemoveWidget(mDialog.get());
    if (mList != nullptr)
        mDialog->RemoveWidget(mList.get());
    if (mEdit != nullptr)
        mDialog->RemoveWidget(mEdit.get());
    mList.reset();
    mEdit.reset();
    mDialog.reset();
    mMarkerUpdates.clear();
}

void DemoControls::FinishPending() {
    if (!mClosing)
        return;
    Close();
    mListener.ControlsClosed();
}

void DemoControls::HandleMessage(const platform::Message& message) {
    using namespace platform;
    if (mDialog == nullptr)
        return;
    const auto key = static_cast<int32_t>(message.wParam);
    switch (message.message) {
    case kWmKeyDown:
    case kWmSysKeyDown:
        if (key == kVkEscape)
            Finish();
        else
            mManager->KeyDown(key);
        break;
    case kWmKeyUp:
    case kWmSysKeyUp:
        mManager->KeyUp(key);
        break;
    case kWmChar:
        mManager->KeyChar(static_cast<char>(message.wParam));
        break;
    case kWmMouseWheel:
        mManager->MouseWheel(HighSigned16(static_cast<std::intptr_t>(message.wParam)) / kWheelDelta);
        break;
    default:
        if (message.message >= kWmMouseMove && message.message <= kWmMButtonUp) {
            int32_t x = LowSigned16(message.lParam);
            int32_t y = HighSigned16(message.lParam);
            if (mApp.mWidgetManager != nullptr)
                mApp.mWidgetManager->RemapMouse(x, y);
            mManager->MousePosition(x, y);
            switch (message.message) {
            case kWmLButtonDown:
                mManager->MouseDown(x, y, 1);
                break;
            case kWmLButtonDblClk:
                mManager->MouseDown(x, y, 2);
                break;
            case kWmLButtonUp:
                mManager->MouseUp(x, y, 1);
                break;
            default:
                break;
            }
        }
        break;
    }
    FinishPending();
}

void DemoControls::Update() {
    FinishPending();
    if (mDialog != nullptr)
        mManager->UpdateFrame();
}

void DemoControls::Draw(Image* screen) {
    if (mDialog == nullptr || screen == nullptr)
        return;
    // The game's widgets may have drawn over any part of the dialog.
    mManager->mImage = screen;
    mManager->MarkAllDirty();
    mManager->DrawScreen();
}

void DemoControls::ListClicked(int32_t id, int32_t line, int32_t clickCount) {
    if (id != kMarkerListId || clickCount != 2 || line < 0 || line >= static_cast<int32_t>(mMarkerUpdates.size()))
        return;
    mListener.MarkerChosen(mMarkerUpdates[static_cast<size_t>(line)]);
    Finish();
}

void DemoControls::EditWidgetText(int32_t id, const std::string&) {
    if (id == kJumpEditId)
        AcceptJumpText();
}

void DemoControls::DialogButtonRelease(int32_t, int32_t buttonId) {
    if (buttonId == Dialog::kFirstButtonId)
        AcceptJumpText();
    else
        Finish();
}

void DemoControls::AcceptJumpText() {
    if (mEdit == nullptr || mClosing)
        return;
    mListener.JumpTimeEntered(mEdit->mString.substr(0, kJumpTimeMaxChars));
    Finish();
}

} // namespace Kavo
