#include "game/meta/main_menu_screen.h"

#include "framework/graphics/graphics.h"
#include "framework/widget/button_widget.h"
#include "framework/widget/widget_manager.h"
#include "game/app/change_user_dialog.h"
#include "game/app/game_app.h"
#include "game/app/options_dialog.h"
#include "game/app/sound_facade.h"
#include "game/effects/tr_move_items.h"
#include "game/ui/edit_dialog.h"
#include "game/ui/help_dialog.h"
#include "game/ui/layout_dialog.h"
#include "game/ui/update_pacing.h"
#include "game/ui/user_manager.h"

namespace Game {

namespace {

constexpr int32_t kEscape = 27;
constexpr int32_t kF1 = 112;
constexpr int32_t kExitQuestion = 1;
constexpr int32_t kEnterCorrectName = 2;

bool ContinueFlag() {
    UserManager* users = UserManager::GetInstance();
    return users != nullptr && users->GetSecondGameFlag();
}

int PlayerCount() {
    UserManager* users = UserManager::GetInstance();
    return users != nullptr ? users->GetUserCount() : 0;
}

} // namespace

MainMenuScreen::MainMenuScreen(GameApp* app, const std::string& layoutPath) : GameDialog(kDialogId, false), mApp(app) {
    mLayout = std::make_unique<Layout>(layoutPath, this);
    mNameLabel = mLayout->GetControlAs<Kavo::ButtonWidget>("NameLbl");
    mReward = mLayout->GetControlAs<Kavo::ButtonWidget>("Reward");
    mMap = mLayout->GetControlAs<Kavo::ButtonWidget>("Map");
    mPlay = mLayout->GetControlAs<Kavo::ButtonWidget>("Play");
    PlaceButtonColumn();
}

MainMenuScreen::~MainMenuScreen() {
    mEffects.Clear();
}

void MainMenuScreen::PlaceButtonColumn() {
    for (const char* name : {"Map", "Reward", "Help", "Options", "Exit"})
        if (auto* button = mLayout->GetControlAs<Kavo::ButtonWidget>(name))
            mColumn.push_back(button);
    const std::optional<LayoutPoint> origin = mLayout->GetDesc("ButtonsXY");
    const std::optional<LayoutPoint> size = mLayout->GetDesc("ButtonsWH");
    // Without buttons there is no gap to share out.
    if (mColumn.empty() || !origin || !size)
        return;
    int32_t heights = 0;
    for (Kavo::ButtonWidget* button : mColumn)
        heights += button->mHeight;
    const int32_t gap = (size->y - heights) / static_cast<int32_t>(mColumn.size());
    int32_t top = origin->y;
    for (Kavo::ButtonWidget* button : mColumn) {
        button->Resize(origin->x, top, button->mWidth, button->mHeight);
        top += button->mHeight + gap;
    }
}

Kavo::ButtonWidget* MainMenuScreen::GetButton(int32_t id) const {
    for (const char* name : {"Play", "Map", "Help", "Options", "Reward", "Exit", "ChangeUser"}) {
        auto* button = mLayout->GetControlAs<Kavo::ButtonWidget>(name);
        if (button != nullptr && button->mId == id)
            return button;
    }
    return nullptr;
}

void MainMenuScreen::Update() {
    GameDialog::Update();
    if (mShineCounter % kShineEvery == 0 && mPlay != nullptr) {
        auto* shine = new TrMoveItems();
        shine->Load("particles/pieshine2.ini");
        shine->Start(static_cast<float>(mPlay->mX + mPlay->mWidth / 2 - 20),
                     static_cast<float>(mPlay->mY + mPlay->mHeight / 2 - 20));
        mEffects.Add(shine);
    }
    ++mShineCounter;
    const bool continuing = ContinueFlag();
    for (Kavo::ButtonWidget* button : {mReward, mMap})
        if (button != nullptr)
            button->SetDisabled(!continuing);
    mEffects.Update();
    if (!PacedByRefresh())
        UpdateF(1.0f);
    MarkDirty();
}

void MainMenuScreen::UpdateF(float fraction) {
    mEffects.UpdateF(fraction);
    UserManager* users = UserManager::GetInstance();
    const User* current = users != nullptr ? users->GetCurrentUser() : nullptr;
    if (mNameLabel != nullptr)
        mNameLabel->mLabel = current != nullptr ? current->mName : std::string();
    if (mAskForUser && PlayerCount() == 0 && mApp != nullptr) {
        mAskForUser = false;
        mApp->ShowNewUserDialog(this, 0);
    }
}

void MainMenuScreen::Draw(Kavo::Graphics* g) {
    g->SetColor(Kavo::Color(0, 0, 0, 255));
    g->FillRect(0, 0, mWidth, mHeight);
    mLayout->DrawImages(g, 0);
    mLayout->DrawImages(g, 1);
    DeferOverlay(0);
}

void MainMenuScreen::DrawOverlay(Kavo::Graphics* g) {
    mEffects.Draw(g);
}

void MainMenuScreen::KeyUp(int32_t key) {
    if (key == kEscape)
        ButtonDepress(Exit);
    else if (key == kF1)
        ButtonDepress(Help);
}

void MainMenuScreen::StartNewGame() {
    if (UserManager* users = UserManager::GetInstance())
        users->NewGame();
    if (mApp != nullptr)
        mApp->SwitchScreen(kToComics);
}

void MainMenuScreen::AddListenedDialog(Kavo::Dialog* dialog) {
    // Its answer comes here, which closes it.
    dialog->mDialogListener = this;
    mApp->AddDialog(dialog);
}

void MainMenuScreen::ButtonDepress(int32_t buttonId) {
    if (mApp == nullptr)
        return;
    mApp->PlaySound("MouseDown", true);
    switch (buttonId) {
    case Play:
        mStopMusicOnLeave = true;
        if (PlayerCount() == 0) {
            mApp->ShowNewUserDialog(this, 1);
        } else if (ContinueFlag()) {
            auto* select = new LayoutDialog("UI/SelectGame.txt", kSelectGameDialog, true);
            select->mId = kSelectGameDialog;
            select->mDialogListener = this;
            mApp->AddDialog(select);
        } else {
            // With no game to continue, "continue" starts a new one.
            StartNewGame();
        }
        break;
    case Map:
        mStopMusicOnLeave = false;
        mApp->SwitchScreen(kToMap);
        break;
    case Help:
        AddListenedDialog(new HelpDialog("UI/help.txt"));
        break;
    case Options:
        AddListenedDialog(new OptionsDialog("UI/options.txt"));
        break;
    case Reward:
        mStopMusicOnLeave = false;
        mApp->SwitchScreen(kToReward);
        break;
    case Exit:
        if (mApp->ShowMessage(kExitQuestion))
            mApp->CloseApp();
        break;
    case ChangeUser:
        AddListenedDialog(new ChangeUserDialog("UI/ChangeUser.txt"));
        break;
    default:
        break;
    }
}

void MainMenuScreen::DialogButtonRelease(int32_t dialogId, int32_t buttonId) {
    if (mApp == nullptr)
        return;
    if (mWidgetManager != nullptr)
        mWidgetManager->SetFocus(this);
    if (dialogId == kNewUserDialog && buttonId == 1) {
        auto* entry = dynamic_cast<EditDialog*>(mApp->GetDialog(dialogId));
        const std::string name = entry != nullptr ? entry->GetText() : std::string();
        UserManager* users = UserManager::GetInstance();
        if (!name.empty() && users != nullptr && !users->CanAddUser(name)) {
            const int mode = entry->mMode;
            mApp->ShowMessage(kEnterCorrectName);
            mApp->KillDialog(dialogId);
            mApp->ShowNewUserDialog(this, mode);
            return;
        }
        if (!name.empty() && users != nullptr) {
            auto* user = new User;
            user->mName = name;
            user->mMusicVolume = static_cast<float>(mApp->GetMusicVolume());
            user->mSfxVolume = static_cast<float>(mApp->GetSfxVolume());
            users->AddUser(user);
            // Saved at once: quitting before the first stage keeps the player.
            users->Save();
            const bool playAfterwards = entry->mMode != 0;
            mApp->KillDialog(dialogId);
            if (playAfterwards)
                ButtonDepress(Play);
            return;
        }
    } else if (dialogId == kSelectGameDialog) {
        if (buttonId == 1 && ContinueFlag()) {
            mApp->KillDialog(dialogId);
            mApp->SwitchScreen(kToBoard);
            return;
        }
        if (buttonId == 1 || buttonId == 2) {
            mApp->KillDialog(dialogId);
            StartNewGame();
            return;
        }
    }
    mApp->KillDialog(dialogId);
}

void MainMenuScreen::OnEnter() {
    mEffects.Clear();
    mShineCounter = 400;
    mStopMusicOnLeave = true;
    SndPlayMusic("music/mainmenu", 1000, 2000);
}

void MainMenuScreen::OnLeave() {
    if (mStopMusicOnLeave)
        SndStopMusic(500);
}

} // namespace Game
