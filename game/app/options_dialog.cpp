#include "game/app/options_dialog.h"

#include "framework/widget/checkbox.h"
#include "framework/widget/slider.h"
#include "game/app/game_app.h"
#include "game/app/sound_facade.h"
#include "game/ui/ui_sound.h"
#include "game/ui/user_manager.h"

namespace Game {

namespace {

constexpr int kEffectsGroup = 1;
constexpr int kMusicGroup = 3;
constexpr int kNotSupported = 5;
constexpr int kNotRecommended = 6;
constexpr int kNoWindowedMode = 7;

int Percent(double volume) {
    return static_cast<int>(volume * 100.0);
}

User* CurrentUser() {
    UserManager* users = UserManager::GetInstance();
    return users != nullptr ? users->GetCurrentUser() : nullptr;
}

} // namespace

OptionsDialog::OptionsDialog(const std::string& layoutFile, int32_t id) : LayoutDialog(layoutFile, id, true) {
    Layout* layout = GetLayout();
    if (layout != nullptr) {
        mMusicVolume = layout->GetControlAs<Kavo::Slider>("MusicVolume");
        mEffectVolume = layout->GetControlAs<Kavo::Slider>("EffectVolume");
        m3DMode = layout->GetControlAs<Kavo::Checkbox>("3DMode");
        mFullScreen = layout->GetControlAs<Kavo::Checkbox>("FullScreen");
    }
    GameApp* app = gGameApp;
    double music = app != nullptr ? app->GetMusicVolume() : 0.0;
    double effects = app != nullptr ? app->GetSfxVolume() : 0.0;
    if (const User* user = CurrentUser()) {
        music = user->mMusicVolume;
        effects = user->mSfxVolume;
    }
    if (mMusicVolume != nullptr)
        mMusicVolume->SetValue(music);
    if (mEffectVolume != nullptr)
        mEffectVolume->SetValue(effects);
    SndSetVolume(kEffectsGroup, Percent(effects));
    SndSetVolume(kMusicGroup, Percent(music));
    if (m3DMode != nullptr)
        m3DMode->SetChecked(app != nullptr && app->UsesHardware3D(), false);
    if (mFullScreen != nullptr)
        mFullScreen->SetChecked(app != nullptr && !app->IsWindowed(), false);
}

void OptionsDialog::SliderVal(int32_t id, double value) {
    GameApp* app = gGameApp;
    User* user = CurrentUser();
    if (id == kMusicSlider) {
        if (user != nullptr)
            user->mMusicVolume = static_cast<float>(value);
        if (app != nullptr)
            app->SetMusicVolume(value);
        SndSetVolume(kMusicGroup, Percent(app != nullptr ? app->GetMusicVolume() : value));
    } else if (id == kEffectSlider) {
        if (user != nullptr)
            user->mSfxVolume = static_cast<float>(value);
        if (app != nullptr)
            app->SetSfxVolume(value);
        SndSetVolume(kEffectsGroup, Percent(app != nullptr ? app->GetSfxVolume() : value));
        // A sample of the new volume once the thumb is let go.
        if (mEffectVolume == nullptr || !mEffectVolume->mDragging)
            PlayUiSound("MouseEnter", true);
    }
}

void OptionsDialog::ButtonDepress(int32_t buttonId) {
    PlayUiSound("MouseDown", true);
    if (buttonId != 1 || mState == FlyingOut || mState == Gone)
        return;
    GameApp* app = gGameApp;
    if (app != nullptr)
        app->SwitchScreenMode(mFullScreen == nullptr || !mFullScreen->IsChecked(),
                              m3DMode != nullptr && m3DMode->IsChecked(), false);
    mPendingResult = 1;
    mState = FlyingOut;
    if (UserManager* users = UserManager::GetInstance())
        users->Save();
}

void OptionsDialog::CheckboxCheck(int32_t id, bool checked) {
    PlayUiSound("MouseDown", true);
    GameApp* app = gGameApp;
    if (app == nullptr)
        return;
    if (id == k3DBox && checked) {
        if (!app->HardwareAccelSupported()) {
            if (m3DMode != nullptr)
                m3DMode->SetChecked(false, false);
            app->ShowMessage(kNotSupported);
        } else if (!app->HardwareAccelRecommended()) {
            app->ShowMessage(kNotRecommended);
        }
    } else if (id == kFullScreenBox && !checked && app->mForceFullscreen) {
        app->ShowMessage(kNoWindowedMode);
        if (mFullScreen != nullptr)
            mFullScreen->SetChecked(true, false);
    }
}

} // namespace Game
