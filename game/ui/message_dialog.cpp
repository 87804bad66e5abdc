#include "game/ui/message_dialog.h"

#include "framework/graphics/graphics.h"
#include "framework/widget/button_widget.h"
#include "framework/widget/hyperlink_widget.h"

namespace Game {

namespace {

constexpr int32_t kEscape = 27;
constexpr int32_t kEnter = 13;

} // namespace

MessageDialog::MessageDialog(const std::string& layoutFile, const std::string& caption, const std::string& message)
    : LayoutDialog(layoutFile, kDefaultId, true), mMessageText(message) {
    if (Layout* layout = GetLayout()) {
        mMessage = layout->GetControlAs<Kavo::ButtonWidget>("Message");
        mCaption = layout->GetControlAs<Kavo::ButtonWidget>("Caption");
        mOk = layout->GetControl("Ok");
        mCancel = layout->GetControl("Cancel");
    }
    if (mCaption != nullptr)
        mCaption->mLabel = caption;
    if (mMessage != nullptr) {
        mMessage->mLabel = message;
        mMessage->SetVisible(false);
    }
}

void MessageDialog::Draw(Kavo::Graphics* g) {
    LayoutDialog::Draw(g);
    if (mMessage == nullptr)
        return;
    g->SetFont(mMessage->mFont);
    if (auto* link = dynamic_cast<Kavo::HyperlinkWidget*>(mMessage))
        g->SetColor(link->mColor);
    DrawWordWrapped(g, Kavo::IntRect(mMessage->mX, mMessage->mY, mMessage->mWidth, mMessage->mHeight), mMessageText, 20,
                    0);
}

void MessageDialog::KeyUp(int32_t key) {
    if (key == kEscape) {
        if (mCancel != nullptr)
            Close(2);
    } else if (key == kEnter) {
        if (mOk != nullptr)
            Close(1);
    } else {
        LayoutDialog::KeyUp(key);
    }
}

void MessageDialog::Close(int32_t result) {
    if (mState == FlyingOut || mState == Gone)
        return;
    mPendingResult = result;
    mState = FlyingOut;
}

} // namespace Game
