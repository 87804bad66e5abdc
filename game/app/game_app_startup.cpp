// The game's start-up: the logos, the short load on the main thread, the
// long load on the loading thread while the title screen shows progress,
// the sound system once loading is done, and the shutdown.
#include "game/app/game_app.h"

#include "framework/resource/resource_manager.h"
#include "framework/util/path_util.h"
#include "framework/util/system_util.h"
#include "framework/widget/widget_manager.h"
#include "game/app/game_over_dialog.h"
#include "game/ui/game_dialog.h"
#include "game/ui/image_desc_cache.h"
#include "game/ui/logo_screen.h"
#include "game/ui/resource_ids.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/system_info.h"

namespace Game {

namespace {

void SizeToGameArea(GameDialog& screen) {
    screen.Resize(0, 0, GameApp::kGameWidth, GameApp::kGameHeight);
}

} // namespace

std::string GameApp::UsersFolder() {
    return Kavo::GetUserDataFolder() + "Users\\";
}

void GameApp::ShowLogos() {
    mVSyncUpdates = !mIsWindowed;
    mWaitForVSync = !mIsWindowed;
    // Widgets below a modal dialog stop updating.
    mWidgetManager->mDefaultModalFlags.mRemoveFlags |= Kavo::WIDGETFLAGS_UPDATE;
    auto* logos = new LogoScreen([this] { LoadStartup(); });
    logos->Resize(0, 0, mWidth, mHeight);
    mLogoScreen = logos;
    mWidgetManager->AddWidget(logos);
}

void GameApp::LoadStartup() {
    if (mLogoScreen != nullptr)
        mWidgetManager->RemoveWidget(mLogoScreen);
    auto fail = [this] {
        mLoadingFailed = true;
        ShowResourceError(true);
    };
    if (!mResourceManager->LoadManifest("properties/resources.xml")) {
        fail();
        return;
    }
    if (!mResourceManager->LoadGroup("Init") || !ExtractInitResources(*mResourceManager)) {
        fail();
        return;
    }
    Kavo::Image* cursors[] = {IMAGE_CUSTOM_POINTER, IMAGE_CUSTOM_HAND, IMAGE_CUSTOM_DRAGGING, IMAGE_CUSTOM_TEXT};
    for (int32_t slot = 0; slot < 4; ++slot)
        SetCursorSlotImage(slot, cursors[slot]);
    SetCursorMode(true);
    if (!mResourceManager->LoadGroup("TitleScreen") || !ExtractTitleScreenResources(*mResourceManager)) {
        fail();
        return;
    }

    for (const StartupSteps::Step& step : mSteps.mStartupLoads)
        if (step)
            step();
    MusicListSlot().Get()->Load("sounds/music/music.txt");
    mBackgrounds.Load("data/backs.spr");
    TerminsSlot().Get()->Load("data/termins.txt");
    mSettings.Load("data/settings.txt", true);
    ControlDescsSlot().Get()->LoadInterface("ui/interf.txt");

    mWidgetManager->mDefaultModalFlags.mRemoveFlags |= Kavo::WIDGETFLAGS_UPDATE;
    if (mSteps.mMakeTitleScreen) {
        mTitleScreen = mSteps.mMakeTitleScreen(*this);
        if (mTitleScreen != nullptr) {
            SizeToGameArea(*mTitleScreen);
            mWidgetManager->AddWidget(mTitleScreen);
        }
    }

    const auto gameResources = GameResourceManagerSlot().Get();
    mNumLoadingThreadTasks = gameResources->GetNumResources("") + mResourceManager->GetNumResources("Bonuses") +
                             mResourceManager->GetNumResources("Game");
    mWidgetManager->mDefaultModalFlags.mRemoveFlags |= Kavo::WIDGETFLAGS_UPDATE;

    // The whole path: on a fresh machine the user-data folder itself may
    // not exist yet.
    Kavo::MkDir(UsersFolder());

    GetImageDescByName("data/item.anim", false, true);

    BeginLoadingThread();
    SndSetWaveStorage(mWaveStorage);
    SndSetDescrStorage(mDescrStorage);
}

void GameApp::CountLoaded() {
    ++mCompletedLoadingThreadTasks;
    if (mTitleScreen != nullptr)
        mTitleScreen->MarkDirty();
}

bool GameApp::LoadCounted(Kavo::ResourceManager& manager, const std::string& group) {
    manager.StartLoadGroup(group);
    while (manager.LoadNextResource()) {
        CountLoaded();
        if (mShutdown)
            return false;
    }
    return true;
}

void GameApp::LoadingThreadProc() {
    Kavo::ResourceManager& resources = *mResourceManager;
    if (!LoadCounted(resources, "Game"))
        return;
    bool ok = !resources.HadError() && ExtractGameResources(resources);
    if (ok) {
        if (!LoadCounted(resources, "Bonuses"))
            return;
        ok = !resources.HadError() && ExtractBonusesResources(resources);
    }
    if (!ok) {
        ShowResourceError(false);
        mLoadingFailed = true;
        CloseApp();
        return;
    }
    // The game's own images; a failure among them is not fatal.
    if (!LoadCounted(*GameResourceManagerSlot().Get(), ""))
        return;

    for (const StartupSteps::Step& step : mSteps.mCatalogueLoads)
        if (step)
            step();
    if (const auto descs = ImageDescCacheSlot().Get())
        descs->BindImages();

    for (const StartupSteps::ScreenMaker& make : mSteps.mScreenMakers)
        if (make)
            make(*this);
    mGameOverDialog = new GameOverDialog();
    for (GameDialog* screen : {mMainMenuScreen, mBoardScreen, mRoomScreen, mComicsScene1, mComicsScene2, mComicsScene3,
                               mMapScreen, mGameOverDialog, mRewardDialog})
        if (screen != nullptr)
            SizeToGameArea(*screen);
    if (mBoardScreen != nullptr)
        mBoardScreen->SetVisible(false);

    if (mSteps.mLoadUsers)
        mSteps.mLoadUsers(UsersFolder() + "users.dat");
}

void GameApp::InitGame() {
    if (mLoadingFailed)
        return;
    if (SndInit(mHWnd, platform::IsWindowsVistaOrLater())) {
        SndSetVolume(1, static_cast<int>(GetSfxVolume() * 100));
        SndSetVolume(3, static_cast<int>(GetMusicVolume() * 100));
    }
    if (mSteps.mRegisterGoals)
        mSteps.mRegisterGoals();
    // What loading found out about the saved games, and later save failures.
    if (UserManager* users = UserManager::GetInstance())
        users->SetNoticeHandler([this](const std::string& text) { ShowNotice(text); });
    SettingsNotices().SetHandler([this](const std::string& text) { ShowNotice(text); });
    if (mTitleScreen != nullptr) {
        if (mSteps.mSetTitleLoaded)
            mSteps.mSetTitleLoaded(*mTitleScreen);
        mTitleScreen->MarkDirty();
    }
}

double GameApp::GetLoadingProgress() {
    if (mLoadingThreadStarted && mNumLoadingThreadTasks == 0)
        return 1.0;
    return KavoAppBase::GetLoadingProgress();
}

void GameApp::Shutdown() {
    if (mSteps.mCloseTip)
        mSteps.mCloseTip();
    if (UserManager* users = UserManager::GetInstance())
        users->SetNoticeHandler(nullptr);
    SettingsNotices().SetHandler(nullptr);
    SndShutdown();
    if (mWidgetManager != nullptr)
        mWidgetManager->RemoveAllWidgets(false, false);
}

void GameApp::GotFocus() {
    KavoAppBase::GotFocus();
    ReapplySoundVolumes();
}

void GameApp::ReapplySoundVolumes() {
    if (!SndIsEnabled())
        return;
    platform::SleepMs(100);
    for (int i = 0; i < 5; ++i) {
        platform::SleepMs(20);
        SndSetVolume(1, static_cast<int>(GetSfxVolume() * 100));
        SndSetVolume(3, static_cast<int>(GetMusicVolume() * 100));
    }
}

void GameApp::LostFocus() {
    KavoAppBase::LostFocus();
    if (mBoardScreen != nullptr && mBoardScreen->mVisible && mSteps.mShadeBoard)
        mSteps.mShadeBoard(*mBoardScreen);
}

} // namespace Game
