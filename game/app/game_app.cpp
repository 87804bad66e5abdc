#include "game/app/game_app.h"
#include "game/app/options_dialog.h"
#include "game/app/title_screen.h"
#include "game/ui/user_manager.h"

#include "engine/storage/stg.h"
#include "framework/app/app_resource_services.h"
#include "framework/raster/tri_raster.h"
#include "framework/widget/dialog.h"
#include "framework/widget/widget_manager.h"
#include "game/ui/game_dialog.h"
#include "game/ui/resource_ids.h"

namespace Game {

namespace {

// The product's name in the program's text encoding (Windows-1251).
constexpr const char* kProductName = "\xD2\xFE\xE2\xE5\xEB\xE8\xED";
constexpr const char* kVersion = "1.0";

} // namespace

platform::ProcessSlot<GameApp>& GameAppSlot() {
    static platform::ProcessSlot<GameApp> slot;
    return slot;
}

int StageToRestaurant(int stage) {
    if (stage >= 0 && stage <= 14)
        return stage / 5;
    return stage;
}

const GameApp::Transition GameApp::kTransitions[] = {
    {2, &GameApp::mBoardScreen, &GameApp::mTitleScreen},
    {7, &GameApp::mBoardScreen, &GameApp::mMainMenuScreen},
    {8, &GameApp::mMainMenuScreen, &GameApp::mBoardScreen},
    {13, &GameApp::mMainMenuScreen, &GameApp::mTitleScreen},
    {14, &GameApp::mMapScreen, &GameApp::mBoardScreen},
    {15, &GameApp::mBoardScreen, &GameApp::mMapScreen},
    {16, &GameApp::mMainMenuScreen, &GameApp::mMapScreen},
    {17, &GameApp::mMapScreen, &GameApp::mMainMenuScreen},
    {18, &GameApp::mComicsScene2, &GameApp::mMapScreen},
    {19, &GameApp::mComicsScene3, &GameApp::mMapScreen},
    {20, &GameApp::mComicsScene2, &GameApp::mMapScreen},
    {21, &GameApp::mRoomScreen, &GameApp::mMapScreen},
    {28, &GameApp::mRoomScreen, &GameApp::mMainMenuScreen},
    {29, &GameApp::mRewardDialog, &GameApp::mMainMenuScreen},
    {31, &GameApp::mRoomScreen, &GameApp::mBoardScreen},
    {37, &GameApp::mBoardScreen, &GameApp::mComicsScene1},
    {38, &GameApp::mComicsScene1, &GameApp::mMainMenuScreen},
    {39, &GameApp::mBoardScreen, &GameApp::mComicsScene2},
    {40, &GameApp::mBoardScreen, &GameApp::mComicsScene3},
    {41, &GameApp::mMainMenuScreen, &GameApp::mGameOverDialog},
};

GameApp::GameApp(const std::string& programFolder)
    : mGameResources(GameResourceManagerSlot(),
                     std::make_shared<GameResourceManager>(std::make_unique<Kavo::AppResourceServices>(*this))) {
    mMusicVolume = 0.4;
    mSfxVolume = 0.85;
    mColorDepth = 32;
    mVSyncUpdates = true;
    mWaitForVSync = true;
    mAutoStartLoadingThread = false; // the start-up load starts it
    mIsWindowed = false;
    Kavo::TriRasterInitTable();

    if (!gStorageRegistry.Get())
        mOwnStorageRegistry.emplace(gStorageRegistry, std::make_shared<StorageRegistry>());
    mDescrStorage = Stg_t::OpenStorageStr(programFolder + "/sounddescr", 0);
    mWaveStorage = Stg_t::OpenStorageStr(programFolder + "/sounds", 0);

    mCompanyName = "Ormwick";
    mProdName = kProductName;
    mRegKey = kProductName;
    mProductVersion = kVersion;
    mTitle = mProdName + " - " + mProductVersion;
    // The game plays sound and music through its own sound system.
    mNoFrameworkSound = true;
    // Player names may be typed in Cyrillic (code page 1251).
    mAllowHighCharacters = true;
    mWidth = kGameWidth;
    mHeight = kGameHeight;

    // The application's own screens and the profiles; the program and the
    // tests may put others in their place.
    mSteps.mMakeTitleScreen = [](GameApp& app) { return new TitleScreen(&app); };
    mSteps.mSetTitleLoaded = [](GameDialog& title) {
        if (auto* screen = dynamic_cast<TitleScreen*>(&title))
            screen->SetLoaded();
    };
    mSteps.mLoadUsers = [](const std::string& path) {
        if (UserManager* users = UserManager::GetInstance())
            users->LoadAll(path);
    };
    mSteps.mCloseTip = [this] { CloseTip(false); };
    mSteps.mMakeOptionsDialog = [] { return new OptionsDialog("UI/options.txt"); };
}

GameApp::~GameApp() {
    // The loading thread makes screens and tables that go below: it ends first.
    WaitForLoadingThread();
    if (mWidgetManager != nullptr)
        mWidgetManager->RemoveAllWidgets(false, false);
    for (GameDialog** slot :
         {&mMainMenuScreen, &mComicsScene1, &mComicsScene2, &mComicsScene3, &mTitleScreen, &mBoardScreen, &mRoomScreen,
          &mRewardDialog, &mGameOverDialog, &mReservedScreen, &mMapScreen, &mLogoScreen}) {
        delete *slot;
        *slot = nullptr;
    }
    mEnteringScreen = nullptr;
    mLeavingScreen = nullptr;
    SndShutdown();
    for (Stg_t* storage : {mDescrStorage, mWaveStorage})
        if (storage != nullptr)
            storage->Release();
    // The resource manager frees every picture, font and sound after this.
    ClearAllResources();
}

void GameApp::DialogButtonRelease(int32_t dialogId, int32_t) {
    KillDialog(dialogId);
    if (dialogId == kNoticeDialogId)
        ShowNextNotice();
}

Kavo::Dialog* GameApp::NewDialog(int32_t id, bool isModal, const std::string& header, const std::string& lines,
                                 const std::string& footer, int32_t buttonMode) {
    return CreateDialogObject(id, isModal, header, lines, footer, buttonMode);
}

Kavo::Dialog* GameApp::CreateDialogObject(int32_t id, bool isModal, const std::string& header, const std::string& lines,
                                          const std::string& footer, int32_t buttonMode) {
    auto* dialog =
        new Kavo::Dialog(IMAGE_DIALOG_BOX, IMAGE_DIALOG_BUTTON, id, isModal, header, lines, footer, buttonMode);
    dialog->mDialogListener = this;
    if (FONT_DEFAULT != nullptr) {
        dialog->SetButtonFont(FONT_DEFAULT);
        dialog->SetLinesFont(FONT_DEFAULT);
        dialog->SetHeaderFont(FONT_DEFAULT);
    }
    dialog->SetColor(Kavo::Dialog::COLOR_HEADER, Kavo::Color(0, 0, 0, 255));
    dialog->SetColor(Kavo::Dialog::COLOR_LINES, Kavo::Color(0, 0, 0, 255));
    dialog->mSpaceAfterHeader = 30;
    dialog->Resize(100, 100, 300, 250);
    return dialog;
}

void GameApp::SwitchScreenMode(bool wantWindowed, bool is3D, bool force) {
    if (mForceFullscreen)
        wantWindowed = false;
    mVSyncUpdates = !wantWindowed;
    mWaitForVSync = !wantWindowed;
    KavoAppBase::SwitchScreenMode(wantWindowed, is3D, force);
}

SoundHandle GameApp::PlaySound(const std::string& name, bool useBaseDescription) {
    if (useBaseDescription)
        return SndPlayByNameWave("base", name.c_str(), 0, nullptr);
    return SndPlayByName(name.c_str(), 0, nullptr);
}

void GameApp::SwitchScreen(int transitionId) {
    GameDialog* entering = nullptr;
    GameDialog* leaving = nullptr;
    if (transitionId == kSwitchBack) {
        entering = mLeavingScreen;
        leaving = mEnteringScreen;
    } else {
        for (const Transition& transition : kTransitions) {
            if (transition.id == transitionId) {
                entering = this->*transition.entering;
                leaving = this->*transition.leaving;
            }
        }
    }
    if (entering == nullptr)
        return;
    mEnteringScreen = entering;
    mLeavingScreen = leaving;
    if (transitionId == 14 || transitionId == 29)
        entering->mSwitchFlag = 1;

    entering->SetVisible(false);
    entering->Resize(0, 0, mWidth, mHeight);
    if (leaving != nullptr) {
        leaving->SetVisible(false);
        leaving->OnLeave();
        mWidgetManager->RemoveWidget(leaving);
    }
    entering->OnPrepare();
    mWidgetManager->AddWidget(entering);
    entering->OnEnter();
    entering->SetVisible(true);
    mWidgetManager->SetFocus(entering);
}

} // namespace Game
