// The board screen's buttons, mouse and keys.
#include <algorithm>

#include "framework/app/kavo_app_base.h"
#include "framework/widget/hyperlink_widget.h"
#include "framework/widget/widget_manager.h"
#include "game/app/game_app.h"
#include "game/app/game_menu_dialog.h"
#include "game/app/sound_facade.h"
#include "game/board/bonus.h"
#include "game/board/bonus_registry.h"
#include "game/board/stage.h"
#include "game/screens/board_effect_maker.h"
#include "game/screens/board_screen.h"
#include "game/screens/fade_overlay.h"
#include "game/ui/ui_sound.h"
#include "game/ui/user_manager.h"

namespace Game {

namespace {

enum Key : int32_t {
    kEscape = 27,
    kSpace = 32,
    kUp = 0x26,
    kDown = 0x28,
    kF1 = 0x70,
    kF3 = 0x72,
    kF4 = 0x73,
    kF5 = 0x74,
    kF6 = 0x75,
    kF9 = 0x78,
    kBackQuote = 0xC0,
    kPeriod = 0xBE,
};

constexpr float kHideSteps = 50.0f;

} // namespace

void BoardScreen::ButtonDepress(int32_t id) {
    CancelArmedBonuses();
    PlayUiSound("MouseDown", true);
    if (id == kMenuButton) {
        if (mPauseCount == 0) {
            OpenFadeOverlay(FadeOverlay::kPauseAlpha);
            ++mPauseCount;
        }
        GameApp* app = gGameApp;
        if (app == nullptr)
            return;
        auto* menu = new GameMenuDialog();
        menu->mDialogListener = this;
        app->AddDialog(GameMenuDialog::kDialogId, menu);
        app->mWidgetManager->SetFocus(menu);
    } else if (id == kHideButton) {
        if (mState == kPlaying) {
            if (GameApp* app = gGameApp)
                app->CloseTip(false);
            mState = kHidden;
            FadePanels(255.0f, 1.0f, static_cast<int>(kHideSteps));
            mBorderAlpha.Set(255.0f, 1.0f, -5.1f);
        } else if (mState == kHidden) {
            Resume();
        }
    }
    if (mMenuButton != nullptr)
        mMenuButton->SetVisible(mState != kHidden);
}

void BoardScreen::Resume() {
    mState = kPlaying;
    FadePanels(mPanelAlpha, 255.0f, static_cast<int>(kHideSteps));
    const float alpha = mBorderAlpha.mValue;
    mBorderAlpha.Set(alpha, 255.0f, (255.0f - alpha) * 0.02f);
    if (mMenuButton != nullptr)
        mMenuButton->SetVisible(true);
}

void BoardScreen::ButtonMouseEnter(int32_t) {
    PlayUiSound("MouseEnter", true);
}

void BoardScreen::MouseMove(int32_t x, int32_t y) {
    mMouseX = x;
    mMouseY = y;
    if (mPauseCount == 0 && mState == kPlaying) {
        mBoard.SetHover(x, y);
        BonusesHitTest(x, y);
    }
}

void BoardScreen::MouseDown(int32_t x, int32_t y, int32_t clickCount) {
    if (mPauseCount > 0) {
        // A click only takes one pause level away.
        CloseFadeOverlay();
        --mPauseCount;
    } else if (mState == kHidden) {
        Resume();
    } else if (clickCount == 1 && mState == kPlaying) {
        mHintMarker.reset();
        mHintCounter = 0;
        mBoard.Click(x, y);
        BonusesMouseDown(x, y, 1);
    } else if (clickCount == -1) {
        CancelArmedBonuses();
    }
}

void BoardScreen::MouseUp(int32_t x, int32_t y, int32_t clickCount) {
    if (mPauseCount == 0 && clickCount == 1 && mState == kPlaying) {
        mBoard.MouseUp(x, y);
        BonusesMouseUp(x, y, 1);
    }
}

void BoardScreen::MouseDrag(int32_t x, int32_t y) {
    if (mPauseCount == 0 && mState == kPlaying)
        mBoard.Drag(x, y);
}

void BoardScreen::KeyUp(int32_t key) {
    if (key == kBackQuote) {
        mDevMode = !mDevMode;
        return;
    }
    if (key == kEscape) {
        ButtonDepress(kMenuButton);
        return;
    }
    if (key == kSpace) {
        SetShaded(mPauseCount == 0);
        return;
    }
    if (mDevMode)
        DeveloperKey(key);
}

void BoardScreen::DeveloperKey(int32_t key) {
    UserManager* users = UserManager::GetInstance();
    UserRecord* record = Record();
    auto fillGoals = [&] {
        if (record == nullptr || mStage == nullptr)
            return;
        record->mStageCounts[0] = static_cast<float>(mStage->mDrinkCount);
        record->mStageCounts[1] = static_cast<float>(mStage->mEatCount);
        record->mStageCounts[2] = static_cast<float>(mStage->mStuffCount);
    };
    switch (key) {
    case kUp:
        ++mDevCounter;
        fillGoals();
        if (record != nullptr) {
            ++record->mSecretMapIndex;
            record->mSecretPieces = 0;
        }
        OnLevelComplete(true);
        return;
    case kDown:
        --mDevCounter;
        return;
    case kF1:
        OnSecretFound(200.0f, 200.0f);
        return;
    case kF3:
        OnTimeUp();
        return;
    case kF4:
        OnNoMoreMoves();
        return;
    case kF5:
        StartLevel(true, true);
        return;
    case kF6:
        OnLevelComplete(true);
        return;
    case kF9:
        if (mHooks.mMakePuzzleDialog && gGameApp != nullptr) {
            if (GameDialog* puzzle = mHooks.mMakePuzzleDialog(mSecretMapIndex)) {
                SndStopMusic(500);
                puzzle->mDialogListener = this;
                // Over the whole window, as when a complete map opens it.
                puzzle->Resize(0, 0, gGameApp->GetWidth(), gGameApp->GetHeight());
                gGameApp->AddDialog(kPuzzleDialog, puzzle);
            }
        }
        return;
    case kPeriod:
        if (auto blink = Effects().MakeBlink(mBoard))
            mEffects[2].Add(blink.release());
        return;
    case 'B':
        EnableAllBonuses();
        return;
    case 'R':
        if (record != nullptr) {
            const int32_t next = std::min(record->mMetaState[0] + 1, 2);
            record->mMetaState.fill(next);
        }
        return;
    case 'M':
        if (users != nullptr) {
            users->AddRating(1000);
            if (mMoneyLabel != nullptr)
                mMoneyLabel->mLabel = std::to_string(users->GetRating());
        }
        return;
    case 'N': {
        auto registry = BonusRegistrySlot().Get();
        for (size_t i = 0; registry != nullptr && i < registry->GetCount(); ++i)
            if (!registry->Get(i)->mHidden)
                registry->Get(i)->SetCharge(registry->Get(i)->mChargeMax - 1.0f);
        return;
    }
    default:
        break;
    }
    if (key >= '1' && key <= '9' && record != nullptr) {
        // The next start steps the counter on to the digit's board; the
        // layout index wraps into the stage's own range.
        record->mBoardIndex = key - '1' - 1;
        if (Kavo::gAppBase != nullptr && Kavo::gAppBase->mDebugKeysEnabled) {
            record->mStageIndex = key - '1';
            fillGoals();
        }
        StartLevel(true, true);
        if (Kavo::gAppBase != nullptr && Kavo::gAppBase->mDebugKeysEnabled)
            OnLevelComplete(true);
    }
}

} // namespace Game
