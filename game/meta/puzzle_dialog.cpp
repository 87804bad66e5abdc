#include "game/meta/puzzle_dialog.h"

#include "framework/app/kavo_app_base.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "framework/widget/button_widget.h"
#include "framework/widget/widget_flags.h"
#include "framework/widget/widget_manager.h"
#include "game/app/game_app.h"
#include "game/app/sound_facade.h"
#include "game/board/stage_goal.h"
#include "game/effects/flip_card.h"
#include "game/effects/particle_system.h"
#include "game/meta/puzzle_defs.h"
#include "game/meta/recipe_card.h"
#include "game/meta/recipes.h"
#include "game/meta/secret_maps.h"
#include "game/ui/layout.h"
#include "game/ui/resource_ids.h"
#include "game/ui/termins.h"
#include "game/ui/tip_window.h"
#include "game/ui/ui_sound.h"
#include "game/ui/user_manager.h"

#include <cstdio>

namespace Game {

namespace {

constexpr int kDefaultOriginX = 235;
constexpr int kDefaultOriginY = 105;
constexpr int kShadowOffset = 10;
constexpr int kTicksPerSecond = 100;

UserRecord* CurrentRecord() {
    UserManager* users = UserManager::GetInstance();
    return users != nullptr ? users->GetCurrentRecord() : nullptr;
}

void Play(const char* sound) {
    if (GameApp* app = gGameApp)
        app->PlaySound(sound, true);
}

bool UsesOwnFloatUpdates() {
    Kavo::KavoAppBase* app = Kavo::gAppBase;
    return app == nullptr || !app->mVSyncUpdates;
}

} // namespace

platform::ProcessSlot<PuzzleRewards>& PuzzleRewardsSlot() {
    static platform::ProcessSlot<PuzzleRewards> slot;
    return slot;
}

PuzzleDialog::PuzzleDialog() : GameDialog(kId, true) {
    // Sliding tiles and the solved show move on their own: the dialog is
    // painted again after every update.
    mWidgetFlagsMod.mAddFlags |= Kavo::WIDGETFLAGS_MARK_DIRTY;
    if (const auto rewards = PuzzleRewardsSlot().Get()) {
        if (rewards->mGoals != nullptr)
            mAwardTracker = (*rewards->mGoals)[kGoalPuzzle].get();
        mMakeRewardDialog = rewards->mMakeRewardDialog;
    }
    mLayout = std::make_unique<Layout>("UI/puzzle.txt", this);
    mDone = mLayout->GetControl("Done");
    mSkip = mLayout->GetControl("Skip");
    mTimeLabel = mLayout->GetControlAs<Kavo::ButtonWidget>("TimeLbl");
    if (mDone != nullptr)
        mDone->SetVisible(false);
    if (mSkip != nullptr)
        mSkip->SetVisible(true);
    const auto origin = mLayout->GetDesc("Puzzle");
    mBoard.SetOrigin(origin ? origin->x : kDefaultOriginX, origin ? origin->y : kDefaultOriginY);
    if (const auto reward = mLayout->GetDesc("Reward")) {
        mRewardX = reward->x;
        mRewardY = reward->y;
    }
    mBoard.SetListener(this);
}

PuzzleDialog::~PuzzleDialog() {
    mBoard.Clear();
    mLayout.reset();
}

ItemEntry* PuzzleDialog::PostcardEntry() const {
    UserManager* users = UserManager::GetInstance();
    return users != nullptr ? users->FindItem(mRecipe, kPostcardList) : nullptr;
}

void PuzzleDialog::Start(const std::string& postcard, int puzzle, const std::string& recipe, bool fromBoard) {
    mRecipe = recipe;
    mFromBoard = fromBoard;
    mState = 0;
    mCard.reset();
    mParticles.reset();
    if (mDone != nullptr)
        mDone->SetVisible(false);
    if (mSkip != nullptr)
        mSkip->SetVisible(true);
    UserManager* users = UserManager::GetInstance();
    UserRecord* record = CurrentRecord();
    if (record != nullptr && !recipe.empty()) {
        ItemEntry* entry = users->FindOrAddItem(recipe, kPostcardList);
        // A postcard won on the board keeps the map it came from.
        if (entry != nullptr && fromBoard)
            entry->mOrigin = record->mSecretMapIndex;
    }
    ReleasePictures();
    if (!postcard.empty())
        mPicture.Load(postcard);
    MakeRecipeCard();
    mShadow = IMAGE_POSTCARD_SHADOW;
    mBoard.SetShadow(mShadow);
    std::shared_ptr<PuzzleDefs> defs = PuzzleDefsSlot().Get();
    const PuzzleDef* def = defs != nullptr ? defs->Get(puzzle) : nullptr;
    if (def != nullptr)
        mBoard.Setup(mPicture.Get(), def->mRows, def->mCols, def->mTurning, true);
    else
        mBoard.Setup(nullptr, 1, 1, false, false);
}

void PuzzleDialog::Start(const SecretMapEntry* entry, bool fromBoard) {
    if (entry != nullptr)
        Start(entry->mPostCard, entry->mPuzzle, entry->mRecipe, fromBoard);
    else
        Start("", 0, "", false);
}

void PuzzleDialog::MakeRecipeCard() {
    mRecipeCard = Game::MakeRecipeCard(mRecipe);
}

void PuzzleDialog::ReleasePictures() {
    mRecipeCard.reset();
    mPicture.Release();
    mShadow = nullptr;
}

void PuzzleDialog::ShowTip(int tipId, int x, int y, bool force) {
    GameApp* app = gGameApp;
    if (app == nullptr || tipId < 0 || tipId >= UserRecord::kTipCount)
        return;
    if (!force) {
        const UserRecord* record = CurrentRecord();
        if (record == nullptr || record->mTipsEnabled == 0 || record->mTipShown[static_cast<size_t>(tipId)] != 0)
            return;
    }
    app->CloseTip(false);
    auto* tip = new TipWindow(Termins::Lookup(GetTipName(tipId)));
    tip->mTipId = tipId;
    tip->mDialogListener = this;
    tip->Show(x, y);
    app->AddDialog(TipWindow::kDialogId, tip);
}

void PuzzleDialog::OnEnter() {
    mMoved = false;
    GameApp* app = gGameApp;
    if (app != nullptr)
        ShowTip(kRulesTip, app->GetWidth() / 2, app->GetHeight() / 2, false);
    mTicks = 0;
    mAttachedEffect.reset();
    if (app != nullptr)
        app->SetCursorSlotImage(0, IMAGE_CUSTOM_POINTER);
    SndPlayMusic("music/puzzle", 2000, 1000);
}

void PuzzleDialog::OnLeave() {
    mAttachedEffect.reset();
    if (GameApp* app = gGameApp)
        app->CloseTip(false);
    ReleasePictures();
    mBoard.SetShadow(nullptr);
}

void PuzzleDialog::OnWrongPick() {
    GameApp* app = gGameApp;
    if (app != nullptr) {
        app->CloseTip(false);
        ShowTip(kWrongSwapTip, app->GetWidth() / 2, app->GetHeight() / 2, !mMoved);
    }
    Play("puzzlewrong");
}

void PuzzleDialog::OnMoveStart() {
    if (GameApp* app = gGameApp)
        app->CloseTip(false);
    mMoved = true;
    Play("puzzlemove");
}

void PuzzleDialog::OnFirstSelect() {
    Play("puzzleselect");
}

void PuzzleDialog::SaveIfFromMap() const {
    UserManager* users = UserManager::GetInstance();
    if (!mFromBoard && users != nullptr)
        users->Save();
}

void PuzzleDialog::OnSolved() {
    if (ItemEntry* entry = PostcardEntry())
        entry->mState = 1;
    SaveIfFromMap();
    if (mSkip != nullptr)
        mSkip->SetVisible(false);
    if (mDone != nullptr)
        mDone->SetVisible(true);
    mParticles = std::make_unique<ParticleSystem>("particles/puzzle.ini", 50.0f);
    Kavo::Image* picture = mPicture.Get();
    const float width = picture != nullptr ? static_cast<float>(picture->mWidth) : 0.0f;
    const float height = picture != nullptr ? static_cast<float>(picture->mHeight) : 0.0f;
    mParticles->mSizeX = width;
    mParticles->mSizeY = height;
    mParticles->MoveTo(static_cast<float>(mBoard.mOriginX) + width / 2.0f,
                       static_cast<float>(mBoard.mOriginY) + height / 2.0f);
    Play("puzzlecomplete");
}

void PuzzleDialog::Update() {
    GameDialog::Update();
    // The clock shows how long the picture took: it stops once it is whole.
    if (mBoard.mState != PuzzleBoard::kSolved)
        ++mTicks;
    mBoard.Update();
    if (mParticles != nullptr) {
        mParticles->Update();
        if (mParticles->IsDone()) {
            mParticles.reset();
            Kavo::Image* picture = mPicture.Get();
            const float width = picture != nullptr ? static_cast<float>(picture->mWidth) : 0.0f;
            const float height = picture != nullptr ? static_cast<float>(picture->mHeight) : 0.0f;
            mCard = std::make_unique<FlipCard>(picture, mRecipeCard.get(), mShadow,
                                               static_cast<float>(mBoard.mOriginX) + width / 2.0f,
                                               static_cast<float>(mBoard.mOriginY) + height / 2.0f, this);
            mState = 1;
        }
    }
    if (mCard != nullptr)
        mCard->Update();
    if (mAttachedEffect != nullptr) {
        mAttachedEffect->Update();
        if (mAttachedEffect->IsDone())
            mAttachedEffect.reset();
    }
    CheckAward();
    if (UsesOwnFloatUpdates())
        UpdateF(1.0f);
}

void PuzzleDialog::CheckAward() {
    UserRecord* record = CurrentRecord();
    if (record == nullptr || mAwardTracker == nullptr || record->mMetaState[kPuzzleAward] == 2)
        return;
    mAwardTracker->SetValue(mTicks);
    if (mState == 0)
        return;
    const int level = mAwardTracker->Level();
    if (level <= -1 || level <= record->mMetaState[kPuzzleAward])
        return;
    const Awards awards{{kPuzzleAward, level}};
    mAwardTracker->UpdateLevel();
    mAttachedEffect.reset();
    for (const auto& [index, value] : awards)
        record->mMetaState[static_cast<size_t>(index)] = value;
    SaveIfFromMap();
    GameApp* app = gGameApp;
    Kavo::Dialog* reward = mMakeRewardDialog ? mMakeRewardDialog(awards) : nullptr;
    if (reward == nullptr || app == nullptr)
        return;
    reward->mDialogListener = this;
    reward->Resize(0, 0, app->GetWidth(), app->GetHeight());
    app->AddDialog(reward->mId, reward);
    if (auto* screen = dynamic_cast<GameDialog*>(reward))
        screen->OnEnter();
    if (app->mWidgetManager != nullptr)
        app->mWidgetManager->SetFocus(reward);
}

void PuzzleDialog::UpdateF(float fraction) {
    if (mState == 0) {
        mBoard.UpdateSlides(fraction);
        if (mParticles != nullptr)
            mParticles->Update(fraction);
    }
    if (mAttachedEffect != nullptr)
        mAttachedEffect->Update(fraction);
}

std::string PuzzleDialog::TimeText() const {
    const int minutes = mTicks / (60 * kTicksPerSecond);
    const int seconds = (mTicks % (60 * kTicksPerSecond)) / kTicksPerSecond;
    char text[32];
    std::snprintf(text, sizeof text, seconds < 10 ? "%d : 0%d" : "%d : %d", minutes, seconds);
    return text;
}

void PuzzleDialog::Draw(Kavo::Graphics* g) {
    if (IMAGE_PUZZLE_BACK != nullptr)
        g->DrawImage(IMAGE_PUZZLE_BACK, 0, 0);
    if (mState == 0) {
        if (mParticles == nullptr) {
            mBoard.Draw(g);
        } else {
            if (mShadow != nullptr)
                g->DrawImage(mShadow, mBoard.mOriginX + kShadowOffset, mBoard.mOriginY + kShadowOffset);
            if (mPicture.Get() != nullptr)
                g->DrawImage(mPicture.Get(), mBoard.mOriginX, mBoard.mOriginY);
            mParticles->Draw(g);
        }
    }
    if (mState == 1 && mCard != nullptr)
        mCard->Draw(g);
    if (mAttachedEffect != nullptr)
        mAttachedEffect->Draw(g);
    if (mTimeLabel != nullptr)
        mTimeLabel->mLabel = TimeText();
}

void PuzzleDialog::MouseMove(int32_t x, int32_t y) {
    GameDialog::MouseMove(x, y);
    if (mState == 0)
        mBoard.SetHover(x, y);
}

void PuzzleDialog::MouseDownButton(int32_t x, int32_t y, int32_t button, int32_t clickCount) {
    GameDialog::MouseDownButton(x, y, button, clickCount);
    if (mState == 0) {
        // The board numbers the buttons from 1: left 1, right 2, middle 3.
        mBoard.Click(x, y, button + 1);
    } else if (mCard != nullptr && mCard->mState == FlipCard::kAtRest) {
        mCard->Restart();
    }
}

void PuzzleDialog::MouseUpButton(int32_t x, int32_t y, int32_t button, int32_t clickCount) {
    GameDialog::MouseUpButton(x, y, button, clickCount);
    if (mState == 0 && button == 0)
        mBoard.Release();
}

void PuzzleDialog::MouseDrag(int32_t x, int32_t y) {
    GameDialog::MouseDrag(x, y);
    if (mState == 0)
        mBoard.Drag(x, y);
}

void PuzzleDialog::ButtonDepress(int32_t id) {
    PlayUiSound("MouseDown", true);
    if (id == kDone || id == kSkip) {
        mResult = id;
        if (mDialogListener != nullptr)
            mDialogListener->DialogButtonRelease(mId, id);
    } else if (id == kReshuffle) {
        mBoard.Shuffle(true);
        mTicks = 0;
    }
}

void PuzzleDialog::DialogButtonRelease(int32_t dialogId, int32_t) {
    GameApp* app = gGameApp;
    if (app == nullptr)
        return;
    if (dialogId == kRewardDialogId) {
        app->KillDialog(dialogId);
        if (app->mWidgetManager != nullptr)
            app->mWidgetManager->SetFocus(this);
    } else {
        app->CloseTip(false);
    }
}

void PuzzleDialog::OnEffectMiddle(EffectBase*, float, float) {
    Play("turnrecipe");
}

} // namespace Game
