#include "game/meta/post_panel.h"

#include "framework/app/kavo_app_base.h"
#include "framework/widget/widget_manager.h"
#include "game/effects/flip_card.h"
#include "game/meta/overlay_listener.h"
#include "game/meta/puzzle_dialog.h"
#include "game/meta/secret_maps.h"
#include "game/meta/settings_rect.h"
#include "game/ui/resource_ids.h"
#include "game/ui/ui_sound.h"
#include "game/ui/user_manager.h"

#include <string>

namespace Game {

namespace {

int WindowWidth() {
    Kavo::KavoAppBase* app = Kavo::gAppBase;
    return app != nullptr ? app->GetWidth() : 0;
}

int WindowHeight() {
    Kavo::KavoAppBase* app = Kavo::gAppBase;
    return app != nullptr ? app->GetHeight() : 0;
}

// A postcard without its secret map has no picture, no recipe and no puzzle.
bool Clickable(const PostThumb& thumb) {
    return thumb.GetMap() != nullptr;
}

} // namespace

PostPanel::PostPanel() = default;

PostPanel::~PostPanel() {
    // The card shows pictures the thumbnails own.
    mCard.reset();
}

void PostPanel::Rebuild(int x, int y) {
    mCard.reset();
    mThumbs.clear();
    mSelected = nullptr;
    mCountdown = 0;
    UserManager* users = UserManager::GetInstance();
    if (users == nullptr)
        return;
    std::shared_ptr<SecretMaps> maps = SecretMapsSlot().Get();
    const int count = users->GetItemCount(kPostcardList);
    for (int i = 0; i < count; ++i) {
        const ItemEntry* entry = users->GetItem(i, kPostcardList);
        if (entry == nullptr)
            continue;
        const SecretMapEntry* map = maps != nullptr ? maps->FindByRecipe(entry->mName) : nullptr;
        const Kavo::IntRect rect = GameSettingRect("PostRects", "Post" + std::to_string(i + 1));
        auto thumb = std::make_unique<PostThumb>(map, i, rect);
        thumb->Place(x + rect.mX + rect.mWidth / 2, y + rect.mY + rect.mHeight / 2,
                     static_cast<float>(WindowWidth() / 2), static_cast<float>(WindowHeight() / 2));
        thumb->mGreyed = entry->mState == 0 || map == nullptr;
        thumb->mListener = this;
        mThumbs.push_back(std::move(thumb));
    }
}

void PostPanel::SetCursor(bool hand) {
    if (Kavo::KavoAppBase* app = Kavo::gAppBase)
        app->SetCursorSlotImage(0, hand ? IMAGE_CUSTOM_HAND : IMAGE_CUSTOM_POINTER);
}

bool PostPanel::MouseMove(int x, int y) {
    if (mCard != nullptr && mCard->Contains(x, y))
        return true;
    bool any = false;
    for (auto& thumb : mThumbs) {
        thumb->mHovered = Clickable(*thumb) && thumb->Contains(x, y);
        any = any || thumb->mHovered;
    }
    SetCursor(any);
    return any;
}

bool PostPanel::MouseDown(int x, int y, int clickCount) {
    if (clickCount != 1)
        return false;
    if (mCard != nullptr && mCard->Contains(x, y)) {
        mCard->Restart();
        return true;
    }
    bool taken = false;
    for (auto& thumb : mThumbs) {
        if (Clickable(*thumb) && thumb->Contains(x, y)) {
            PlayUiSound("MouseDown", true);
            taken = true;
            mCard.reset();
            if (thumb->mGreyed) {
                OpenPuzzle(*thumb);
            } else {
                thumb->BuildCardImages();
                thumb->StartFlight();
            }
        } else if (thumb->mState == PostThumb::kToCentre) {
            thumb->SendBack();
        }
    }
    return taken;
}

void PostPanel::OpenPuzzle(PostThumb& thumb) {
    Kavo::KavoAppBase* app = Kavo::gAppBase;
    if (app == nullptr)
        return;
    mSelected = &thumb;
    const SecretMapEntry& map = *thumb.GetMap();
    auto* puzzle = new PuzzleDialog();
    puzzle->Start(map.mPostCard, map.mPuzzle, map.mRecipe, false);
    puzzle->mDialogListener = this;
    puzzle->Resize(0, 0, app->GetWidth(), app->GetHeight());
    puzzle->OnEnter();
    app->AddDialog(puzzle);
    if (mOverlayListener != nullptr)
        mOverlayListener->HideForOverlay();
}

void PostPanel::Update() {
    for (auto& thumb : mThumbs)
        thumb->Update();
    if (mCard != nullptr) {
        mCard->Update();
        Kavo::KavoAppBase* app = Kavo::gAppBase;
        const Kavo::WidgetManager* manager = app != nullptr ? app->mWidgetManager : nullptr;
        if (manager != nullptr && mCard->Contains(manager->mLastMouseX, manager->mLastMouseY))
            mCountdown = kCardLinger;
    }
    // A card the pointer never entered stays: the count is then below 1.
    if (mCountdown-- == 1)
        mCard.reset();
}

void PostPanel::UpdateF(float f) {
    for (auto& thumb : mThumbs)
        thumb->UpdateF(f);
}

void PostPanel::Draw(Kavo::Graphics* g) {
    for (auto& thumb : mThumbs)
        thumb->Draw(g);
    for (auto& thumb : mThumbs)
        thumb->DrawFlight(g);
    if (mCard != nullptr)
        mCard->Draw(g);
}

void PostPanel::OnThumbArrived(PostThumb* thumb) {
    SetCursor(false);
    mCard.reset();
    mCard = std::make_unique<FlipCard>(thumb->GetFront(), thumb->GetBack(), IMAGE_POSTCARD_SHADOW,
                                       static_cast<float>(WindowWidth()) * 0.5f,
                                       static_cast<float>(WindowHeight()) * 0.5f, this);
}

void PostPanel::OnEffectMiddle(EffectBase*, float, float) {
    PlayUiSound("turnrecipe", true);
}

void PostPanel::DialogButtonRelease(int32_t dialogId, int32_t button) {
    Kavo::KavoAppBase* app = Kavo::gAppBase;
    if (dialogId == kPuzzleDialog) {
        UserManager* users = UserManager::GetInstance();
        const bool hasRecord = users != nullptr && users->GetCurrentRecord() != nullptr;
        if (hasRecord && mSelected != nullptr && (button == PuzzleDialog::kDone || button == PuzzleDialog::kSkip)) {
            const bool solved = button == PuzzleDialog::kDone;
            mSelected->mGreyed = !solved;
            if (ItemEntry* entry = users->FindItem(mSelected->GetMap()->mRecipe, kPostcardList))
                entry->mState = solved ? 1 : 0;
            // Kept at once, as the other screens keep their results.
            users->Save();
        }
        // Gone before the map comes back, so that the map keeps the focus.
        if (app != nullptr)
            app->KillDialog(dialogId);
        if (mOverlayListener != nullptr)
            mOverlayListener->RestoreAfterOverlay();
        return;
    }
    if (app != nullptr)
        app->KillDialog(dialogId);
}

} // namespace Game
