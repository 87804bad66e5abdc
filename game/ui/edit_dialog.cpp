#include "game/ui/edit_dialog.h"

#include "framework/util/string_util.h"
#include "framework/widget/edit_widget.h"
#include "framework/widget/widget_manager.h"

namespace Game {

EditDialog::EditDialog(const std::string& layoutFile, int32_t id) : LayoutDialog(layoutFile, id, false) {
    if (Layout* layout = GetLayout())
        mEdit = layout->GetControlAs<Kavo::EditWidget>("Edit");
    if (mEdit != nullptr)
        mEdit->mMaxChars = kMaxChars;
}

void EditDialog::Update() {
    if (mFocusPending && mEdit != nullptr && mWidgetManager != nullptr) {
        mWidgetManager->SetFocus(mEdit);
        mFocusPending = false;
    }
    LayoutDialog::Update();
}

void EditDialog::Draw(Kavo::Graphics* g) {
    LayoutDialog::Draw(g);
    if (Layout* layout = GetLayout())
        layout->DrawImages(g, 0);
}

bool EditDialog::AllowChar(int32_t, char c) {
    const auto code = static_cast<unsigned char>(c);
    // Backslash and the vertical bar are refused as well: the name becomes a file name.
    const bool punctuation = (code >= 33 && code <= 47) || (code >= 58 && code <= 64) || code == 91 || code == 92 ||
                             code == 94 || code == 95 || code == 96 || code == 124 || code == 126;
    return !punctuation;
}

void EditDialog::EditWidgetText(int32_t, const std::string&) {
    ButtonDepress(1);
}

void EditDialog::ButtonDepress(int32_t buttonId) {
    std::string text;
    if (mEdit != nullptr) {
        text = Kavo::StringTrim(mEdit->mString);
        mEdit->SetText(text);
    }
    if (buttonId == 1 && text.empty())
        return;
    LayoutDialog::ButtonDepress(buttonId);
}

std::string EditDialog::GetText() const {
    return mEdit != nullptr ? mEdit->mString : std::string();
}

} // namespace Game
