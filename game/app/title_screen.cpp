#include "game/app/title_screen.h"

#include <cmath>

#include "framework/graphics/graphics.h"
#include "framework/graphics/image.h"
#include "game/app/game_app.h"
#include "game/ui/layout.h"
#include "game/ui/resource_ids.h"
#include "game/ui/ui_sound.h"

namespace Game {

TitleScreen::TitleScreen(GameApp* app) : GameDialog(kId, false), mApp(app) {
    mLayout = std::make_unique<Layout>("UI/Title.txt", this);
    mContinue = mLayout->GetControl("Continue");
    if (mContinue != nullptr)
        mContinue->SetVisible(false);
    if (const auto slider = mLayout->GetPoint("Slider"))
        mSlider = *slider;
}

TitleScreen::~TitleScreen() {
    mLayout.reset();
}

void TitleScreen::SetLoaded() {
    mLoaded = true;
    if (mContinue != nullptr)
        mContinue->SetVisible(true);
}

int32_t TitleScreen::BarWidth(double progress, int32_t imageWidth) {
    return static_cast<int32_t>(std::trunc(progress * imageWidth));
}

void TitleScreen::Draw(Kavo::Graphics* g) {
    g->SetColor(Kavo::Color(0, 0, 0, 255));
    g->FillRect(0, 0, mWidth, mHeight);
    mLayout->DrawImages(g, 0);
    Kavo::Image* bar = IMAGE_TITLE_PROGRESS;
    if (bar == nullptr || mApp == nullptr)
        return;
    const int32_t width = BarWidth(mApp->GetLoadingProgress(), bar->GetWidth());
    if (width >= 1)
        g->DrawImage(bar, mSlider.x, mSlider.y, Kavo::IntRect(0, 0, width, bar->GetHeight()));
}

void TitleScreen::MouseDown(int32_t x, int32_t y, int32_t clickCount) {
    GameDialog::MouseDown(x, y, clickCount);
    if (mLoaded)
        ButtonDepress(0);
}

void TitleScreen::ButtonDepress(int32_t) {
    if (!mLoaded || mApp == nullptr)
        return;
    PlayUiSound("MouseDown", true);
    // The pictures go only once the screen has really been left: without a
    // main menu the title stays up and still draws them.
    if (mApp->mMainMenuScreen == nullptr)
        return;
    mApp->SwitchScreen(kToMainMenu);
    mApp->FreeTitleScreenGroup();
}

void TitleScreen::ButtonMouseEnter(int32_t buttonId) {
    if (buttonId != -1)
        PlayUiSound("MouseEnter", true);
}

} // namespace Game
