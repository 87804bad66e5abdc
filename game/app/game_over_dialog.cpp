#include "game/app/game_over_dialog.h"

#include "game/app/game_app.h"
#include "game/ui/ui_sound.h"

namespace Game {

GameOverDialog::GameOverDialog(const std::string& layoutPath) : GameDialog(kDialogId, true) {
    mLayout = std::make_unique<Layout>(layoutPath, this);
}

GameOverDialog::~GameOverDialog() {
    mEffect.reset();
    mLayout.reset();
}

void GameOverDialog::OnPrepare() {
    mBackground = std::make_unique<ImageSprite>();
    mBackground->LoadImage("images/gameover");
}

void GameOverDialog::OnLeave() {
    mBackground.reset();
}

void GameOverDialog::Draw(Kavo::Graphics* g) {
    if (mBackground != nullptr)
        mBackground->Draw(g, 255.0f);
    if (mEffect != nullptr)
        mEffect->Draw(g);
}

void GameOverDialog::Update() {
    GameDialog::Update();
    if (mEffect != nullptr)
        mEffect->Update();
}

void GameOverDialog::UpdateF(float step) {
    GameDialog::UpdateF(step);
    if (mEffect != nullptr)
        mEffect->Update(step);
}

void GameOverDialog::MouseDown(int32_t, int32_t, int32_t) {
    ButtonDepress(1);
}

void GameOverDialog::KeyUp(int32_t key) {
    if (key == kEscape)
        ButtonDepress(1);
}

void GameOverDialog::ButtonDepress(int32_t buttonId) {
    if (buttonId != 1)
        return;
    PlayUiSound("MouseDown", true);
    if (GameApp* app = gGameApp)
        app->SwitchScreen(kBackToMenu);
}

void GameOverDialog::ButtonMouseEnter(int32_t buttonId) {
    if (buttonId != -1)
        PlayUiSound("MouseEnter", true);
}

} // namespace Game
