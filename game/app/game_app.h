#pragma once
// The game's application object: the framework application with the game's
// identity and window, the full-window screens it keeps for the whole run,
// the switches between them, the game's sound system and the process-wide
// tables the start-up load fills.

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "engine/storage/storage_registry.h"
#include "framework/app/kavo_app_base.h"
#include "game/app/sound_facade.h"
#include "game/app/startup_steps.h"
#include "game/ui/background_set.h"
#include "game/ui/control_desc.h"
#include "game/ui/game_resource_manager.h"
#include "game/ui/image_desc_cache.h"
#include "game/ui/ini_document.h"
#include "game/ui/music_list.h"
#include "game/ui/termins.h"
#include "game/ui/ui_sound.h"
#include "game/ui/user_manager.h"
#include "platform/file_system.h"
#include "platform/process_slot.h"

class Stg_t;

namespace Game {

class EditDialog;
class GameDialog;
class GameApp;

platform::ProcessSlot<GameApp>& GameAppSlot();

// gGameApp reads the slot: null before the application exists and after.
struct GameAppPointer {
    GameApp* get() const { return GameAppSlot().Get().get(); }
    GameApp* operator->() const { return get(); }
    operator GameApp*() const { return get(); }
};
inline constexpr GameAppPointer gGameApp{};

// Stages 0-4 are in restaurant 0, 5-9 in 1, 10-14 in 2; any other value is
// returned as it is.
int StageToRestaurant(int stage);

class GameApp : public Kavo::KavoAppBase, public UiSoundPlayer {
public:
    static constexpr int kGameWidth = 1024;
    static constexpr int kGameHeight = 768;
    // The transition that goes back to where the last switch came from.
    static constexpr int kSwitchBack = 42;

    // `programFolder` holds the sound descriptions and waves ("/sounddescr"
    // and "/sounds" below it).
    explicit GameApp(const std::string& programFolder = platform::GetExecutableFolder());
    ~GameApp() override;

    // A framework dialog's button closes that dialog.
    void DialogButtonRelease(int32_t dialogId, int32_t buttonId) override;
    // The framework's samples by id are not used by the game.
    void PlaySample(int32_t, int32_t) override {}
    void PlaySample(int32_t) override {}
    Kavo::Dialog* NewDialog(int32_t id, bool isModal, const std::string& header, const std::string& lines,
                            const std::string& footer, int32_t buttonMode) override;
    void SwitchScreenMode(bool wantWindowed, bool is3D, bool force) override;
    using KavoAppBase::SwitchScreenMode;

    // Plays a description by name, or with useBaseDescription the wave of
    // that name through the description "base"; the sound's handle or 0.
    SoundHandle PlaySound(const std::string& name, bool useBaseDescription = false);
    void PlayUiSound(const std::string& name, bool useBaseDescription) override { PlaySound(name, useBaseDescription); }

    // Hides the leaving screen of the transition and shows its entering
    // one; an unknown transition, or one whose entering slot is empty,
    // changes nothing.
    void SwitchScreen(int transitionId);
    // The framework's plain dialog in the game's look.
    Kavo::Dialog* CreateDialogObject(int32_t id, bool isModal, const std::string& header, const std::string& lines,
                                     const std::string& footer, int32_t buttonMode);

    // ---- Start-up and loading (game_app_startup.cpp) ----
    // The last step of the framework's initialisation: the logos.
    void InitHook() override { ShowLogos(); }
    void ShowLogos();
    // After the logos, on the main thread: the manifest, the groups "Init"
    // and "TitleScreen", the text tables, the title screen; then starts the
    // loading thread.
    void LoadStartup();
    // The loading thread: the groups "Game" and "Bonuses", the game's own
    // images, the catalogues, the screens and the users.
    void LoadingThreadProc() override;
    // On the main thread once the loading thread has finished.
    void LoadingThreadCompleted() override { InitGame(); }
    void InitGame();
    void ShutdownHook() override { Shutdown(); }
    void Shutdown();
    // Regaining the focus sets the game's volumes again; losing it darkens
    // the board while it shows.
    void GotFocus() override;
    void LostFocus() override;
    // With nothing to load the load is complete.
    double GetLoadingProgress() override;
    // The title screen is left for good: its pictures go.
    void FreeTitleScreenGroup();
    // The folder of the users file and profiles, with its separator.
    static std::string UsersFolder();

    // What the later subsystems add to the load; the program fills it.
    StartupSteps mSteps;
    // "data/settings.txt", for the whole run.
    IniDocument mSettings;
    // "data/backs.spr".
    BackgroundSet mBackgrounds;

    // Shows message box 1 to 7 (not 4) and waits for it; true when it was
    // closed with button 1.
    virtual bool ShowMessage(int messageId);
    // Shows what the player should know about the saved games, one message
    // box at a time, without waiting for it.
    void ShowNotice(const std::string& text);
    static constexpr int32_t kNoticeDialogId = 102;
    // Opens the name-entry dialog (id 101) reporting to `listener`.
    virtual void ShowNewUserDialog(Kavo::DialogListener* listener, int value);
    // The open name-entry dialog; null once it is gone.
    EditDialog* GetNewUserDialog() const { return mNewUserDialog; }
    bool KillDialog(int32_t id, bool removeWidget, bool deleteWidget) override;
    using KavoAppBase::KillDialog;

    // The tip window (dialog 1024): closing marks its tip seen for the
    // current user; with onlyIfOld a tip shown 300 updates or fewer stays.
    void CloseTip(bool onlyIfOld);
    bool IsTipOpen();
    // The open tip's id, or 32 when none is open.
    int GetOpenTipId();
    // The restaurant of the current user's stage; 0 without a user.
    int CurrentRestaurantIndex();

    Stg_t* GetDescrStorage() const { return mDescrStorage; }
    Stg_t* GetWaveStorage() const { return mWaveStorage; }

    // The screen slots, owned; null until their screens are made.
    GameDialog* mTitleScreen = nullptr;
    GameDialog* mComicsScene1 = nullptr;
    GameDialog* mComicsScene2 = nullptr;
    GameDialog* mComicsScene3 = nullptr;
    GameDialog* mMapScreen = nullptr;
    GameDialog* mBoardScreen = nullptr;
    GameDialog* mMainMenuScreen = nullptr;
    GameDialog* mReservedScreen = nullptr; // nothing fills it
    GameDialog* mGameOverDialog = nullptr;
    GameDialog* mRoomScreen = nullptr;
    GameDialog* mLogoScreen = nullptr;
    GameDialog* mRewardDialog = nullptr;
    // The pair of the last switch.
    GameDialog* mEnteringScreen = nullptr;
    GameDialog* mLeavingScreen = nullptr;
    EditDialog* mNewUserDialog = nullptr;

private:
    // Counts a loaded resource for the title screen's progress bar.
    void CountLoaded();
    // Loads a group one resource at a time; false when the application
    // closes meanwhile.
    bool LoadCounted(Kavo::ResourceManager& manager, const std::string& group);
    // Waits for the sound system's volumes to settle after a focus change.
    void ReapplySoundVolumes();
    void ShowNextNotice();

    std::deque<std::string> mNotices;

    // Where each transition's entering and leaving screens are kept.
    struct Transition {
        int id;
        GameDialog* GameApp::*entering;
        GameDialog* GameApp::*leaving;
    };
    static const Transition kTransitions[];

    platform::Installed<GameApp> mGameAppInstalled{GameAppSlot(), *this};
    std::optional<platform::Installed<StorageRegistry>> mOwnStorageRegistry;
    Stg_t* mDescrStorage = nullptr;
    Stg_t* mWaveStorage = nullptr;
    platform::Installed<SoundFacade> mSoundFacade{SoundFacadeSlot(), std::make_shared<SoundFacade>()};
    platform::Installed<UiSoundPlayer> mUiSounds{UiSoundPlayerSlot(), *this};
    platform::Installed<GameResourceManager> mGameResources;
    platform::Installed<ImageDescCache> mImageDescs{ImageDescCacheSlot(), std::make_shared<ImageDescCache>()};
    platform::Installed<Termins> mTermins{TerminsSlot(), std::make_shared<Termins>()};
    platform::Installed<ControlDescs> mControlDescs{ControlDescsSlot(), std::make_shared<ControlDescs>()};
    platform::Installed<MusicList> mMusicList{MusicListSlot(), std::make_shared<MusicList>()};
    platform::Installed<UserManager> mUserManager{UserManagerSlot(), std::make_shared<UserManager>()};
};

} // namespace Game
