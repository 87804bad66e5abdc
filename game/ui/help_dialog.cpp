#include "game/ui/help_dialog.h"

#include "framework/graphics/graphics.h"
#include "framework/widget/button_widget.h"
#include "game/ui/resource_ids.h"
#include "game/ui/termins.h"
#include "game/ui/ui_sound.h"
#include "game/ui/user_name_source.h"

namespace Game {

HelpDialog::HelpDialog(const std::string& layoutPath, const std::string& pagesPath)
    : LayoutDialog(layoutPath, 0, true) {
    mPages.Load(pagesPath, PageFileKind::Help);
    if (GetLayout() != nullptr)
        mNextButton = GetLayout()->GetControlAs<Kavo::ButtonWidget>("Next");
    RefreshCaption();
}

void HelpDialog::RefreshCaption() {
    if (mNextButton != nullptr)
        mNextButton->mLabel = Termins::Lookup(IsLastPage() ? "HelpDone" : "HelpNext");
}

void HelpDialog::Advance() {
    if (IsLastPage()) {
        mAtEnd = true;
        mResult = kDoneResult;
        // The owner removes the dialog; its deletion waits for the loop.
        if (mDialogListener != nullptr)
            mDialogListener->DialogButtonRelease(mId, kNextButton);
        return;
    }
    ++mPageIndex;
    RefreshCaption();
}

void HelpDialog::ButtonDepress(int32_t buttonId) {
    if (buttonId != kNextButton || mAtEnd)
        return;
    PlayUiSound("MouseDown", true);
    Advance();
}

void HelpDialog::ButtonMouseEnter(int32_t buttonId) {
    if (buttonId != -1)
        PlayUiSound("MouseEnter", true);
}

void HelpDialog::MouseDown(int32_t, int32_t, int32_t) {
    if (!mAtEnd)
        Advance();
}

void HelpDialog::KeyUp(int32_t key) {
    if (key == kEscape)
        ButtonDepress(kNextButton);
    else
        LayoutDialog::KeyUp(key);
}

void HelpDialog::Draw(Kavo::Graphics* g) {
    LayoutDialog::Draw(g);
    if (mPageIndex >= mPages.GetPageCount())
        return;
    const Page& page = mPages.GetPage(mPageIndex);
    const std::string name = CurrentUserName();
    for (const PageText& text : page.mTexts) {
        Kavo::Font* font = text.mFont != nullptr ? text.mFont : FONT_DEFAULT;
        if (font == nullptr)
            continue;
        g->SetFont(font);
        g->SetColor(text.mColor);
        g->WriteWordWrapped(text.mRect, FormatTermWithName(Termins::Lookup(text.mKey), name), -1, text.mJustify);
    }
    for (const auto& sprite : page.mSprites)
        sprite->Draw(g, 255.0f);
}

} // namespace Game
