// The board screen's answers to the dialogs that open over it.
#include "framework/widget/widget_manager.h"
#include "game/app/game_app.h"
#include "game/app/game_menu_dialog.h"
#include "game/app/sound_facade.h"
#include "game/screens/board_screen.h"
#include "game/screens/fade_overlay.h"
#include "game/ui/profile_services.h"
#include "game/ui/user_manager.h"

namespace Game {

namespace {

constexpr int kPostcardList = 3;

} // namespace

void BoardScreen::DialogButtonRelease(int32_t dialogId, int32_t result) {
    GameApp* app = gGameApp;
    UserManager* users = UserManager::GetInstance();
    bool switchToMenu = false;
    switch (dialogId) {
    case kGameMenuDialog: {
        if (mPauseCount > 0) {
            CloseFadeOverlay();
            --mPauseCount;
        }
        auto* menu = app != nullptr ? dynamic_cast<GameMenuDialog*>(app->GetDialog(kGameMenuDialog)) : nullptr;
        switchToMenu = menu != nullptr && menu->mLeaveToMainMenu;
        break;
    }
    case kSecretDialog: {
        mSecretShown = false;
        UserRecord* record = Record();
        auto maps = SecretMapTableSlot().Get();
        const bool complete = record != nullptr && maps != nullptr && maps->GetMapCount() > 0 &&
                              record->mSecretPieces == maps->GetPieceCount(record->mSecretMapIndex);
        GameDialog* puzzle = complete && mHooks.mMakePuzzleDialog && app != nullptr
                                 ? mHooks.mMakePuzzleDialog(record->mSecretMapIndex)
                                 : nullptr;
        if (puzzle != nullptr) {
            SndStopMusic(500);
            puzzle->mDialogListener = this;
            // The puzzle covers the whole window, as when the map's post
            // panel opens it: its board and buttons are laid out for that.
            if (app != nullptr) {
                puzzle->Resize(0, 0, app->GetWidth(), app->GetHeight());
                app->AddDialog(kPuzzleDialog, puzzle);
            }
        } else {
            CloseFadeOverlay();
            ReleaseTimerIfFree(kSecretDialog);
        }
        break;
    }
    case kPuzzleDialog: {
        PlayMusic();
        CloseFadeOverlay();
        ReleaseTimerIfFree(kPuzzleDialog);
        UserRecord* record = Record();
        if (users != nullptr && record != nullptr && mHooks.mSecretMapName) {
            const std::string name = mHooks.mSecretMapName(record->mSecretMapIndex);
            if (ItemEntry* entry = users->FindOrAddItem(name, kPostcardList)) {
                entry->mOrigin = record->mSecretMapIndex;
                if (result == 1)
                    entry->mState = 1;
                else if (result == 2)
                    entry->mState = 0;
            }
        }
        break;
    }
    case kPenaltyDialog:
        OnPenaltyClosed(result);
        break;
    case kStageCompleteDialog:
        OnStageCompleteClosed(result);
        break;
    case kReaddDialog:
        if (app != nullptr && !app->mWidgetManager->HasWidget(this))
            app->mWidgetManager->AddWidget(this);
        if (mState == kStageComplete)
            OnLevelComplete(true);
        break;
    case kSettleDialog:
        if (users != nullptr && users->IsGameInProgress())
            OnSettled();
        break;
    case kNewUserDialog:
        if (mPauseCount > 0) {
            CloseFadeOverlay();
            --mPauseCount;
        }
        break;
    case kOptionsDialog:
        CloseFadeOverlay();
        break;
    case kTipDialog:
        if (app != nullptr && app->GetDialog(kTipDialog) != nullptr) {
            mTipShown = false;
            mIdleTicks = kIdleAfterTip;
            if (UserRecord* record = Record()) {
                const int tip = app->GetOpenTipId();
                if (tip >= 0 && tip < UserRecord::kTipCount)
                    record->mTipShown[static_cast<size_t>(tip)] = 1;
            }
            mTipArrow.reset();
            // A bonus notice or a secret piece still open keeps the clock held.
            ReleaseTimerIfFree(kTipDialog);
        }
        break;
    case kBonusUnlockDialog:
        if (app != nullptr)
            app->KillDialog(dialogId);
        ShowWaitingTips();
        ReleaseTimerIfFree(kBonusUnlockDialog);
        break;
    default:
        break;
    }
    if (app != nullptr) {
        app->KillDialog(dialogId);
        if (app->mWidgetManager->HasWidget(this))
            app->mWidgetManager->SetFocus(this);
        if (switchToMenu)
            app->SwitchScreen(8);
    }
}

} // namespace Game
