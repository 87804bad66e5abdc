#include "game/app/game_menu_dialog.h"

#include "framework/widget/widget_manager.h"
#include "game/app/game_app.h"
#include "game/ui/help_dialog.h"
#include "game/ui/ui_sound.h"

namespace Game {

GameMenuDialog::GameMenuDialog(const std::string& layoutPath) : LayoutDialog(layoutPath, kDialogId, true) {}

void GameMenuDialog::StartClosing() {
    if (mState == FlyingOut || mState == Gone)
        return;
    mPendingResult = Close;
    mState = FlyingOut;
}

void GameMenuDialog::ButtonDepress(int32_t buttonId) {
    PlayUiSound("MouseDown", true);
    GameApp* app = gGameApp;
    switch (buttonId) {
    case Options:
        if (app != nullptr && app->mSteps.mMakeOptionsDialog) {
            if (GameDialog* options = app->mSteps.mMakeOptionsDialog()) {
                options->mDialogListener = this;
                app->AddDialog(options);
            }
        }
        break;
    case Help:
        if (app != nullptr) {
            auto* help = new HelpDialog("UI/help.txt");
            help->mDialogListener = this;
            app->AddDialog(help);
        }
        break;
    case Quit:
        if (app != nullptr) {
            auto* quit = new LayoutDialog("UI/QuitGame.txt", kQuitDialogId, true);
            quit->mIsModal = true;
            quit->mDialogListener = this;
            app->AddDialog(quit);
            app->mWidgetManager->SetFocus(quit);
        }
        break;
    case Close:
        StartClosing();
        break;
    default:
        break;
    }
}

void GameMenuDialog::KeyUp(int32_t key) {
    if (key == kEscape)
        ButtonDepress(Close);
    else
        LayoutDialog::KeyUp(key);
}

void GameMenuDialog::DialogButtonRelease(int32_t dialogId, int32_t result) {
    GameApp* app = gGameApp;
    if (dialogId == kQuitDialogId) {
        if (result == 1 && app != nullptr)
            app->CloseApp();
        else if (result == 2) {
            mLeaveToMainMenu = true;
            StartClosing();
        }
    }
    if (app == nullptr)
        return;
    if (mWidgetManager != nullptr)
        mWidgetManager->SetFocus(this);
    app->KillDialog(dialogId);
}

} // namespace Game
