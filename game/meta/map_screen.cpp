#include "game/meta/map_screen.h"

#include "framework/graphics/graphics.h"
#include "framework/graphics/image.h"
#include "framework/widget/button_widget.h"
#include "framework/widget/widget_manager.h"
#include "game/app/game_app.h"
#include "game/app/sound_facade.h"
#include "game/effects/effect_rank_star_appear.h"
#include "game/effects/tr_move_items.h"
#include "game/meta/settings_rect.h"
#include "game/meta/shop_catalog.h"
#include "game/meta/shop_item.h"
#include "game/meta/show_rest_dialog.h"
#include "game/ui/layout.h"
#include "game/ui/resource_ids.h"
#include "game/ui/termins.h"
#include "game/ui/ui_sound.h"
#include "game/ui/update_pacing.h"
#include "game/ui/user_manager.h"

#include <algorithm>
#include <cstdio>

namespace Game {

namespace {

constexpr int32_t kKeyR = 82;
constexpr int32_t kKeyU = 85;
constexpr int kStarsPerRestaurant = 5;
constexpr float kSceneOffsetX = 10.0f;

std::string Numbered(const char* format, int number) {
    char text[32];
    std::snprintf(text, sizeof text, format, number);
    return text;
}

int RecordStage() {
    UserManager* users = UserManager::GetInstance();
    return users != nullptr ? users->GetRecordState() : 0;
}

bool ContinueFlag() {
    UserManager* users = UserManager::GetInstance();
    return users != nullptr && users->GetSecondGameFlag();
}

} // namespace

MapScreen::MapScreen(const std::string& layoutPath, RoomImageSource* images)
    : GameDialog(kDialogId, false), mImages(images != nullptr ? images : &mResourceImages) {
    mLayout = std::make_unique<Layout>(layoutPath, this);
    for (int i = 0; i < kStarCount; ++i) {
        const std::string name = Numbered("Star%d", i + 1);
        const std::optional<LayoutPoint> point = mLayout->GetDesc(name);
        ImageSprite& star = mStars[static_cast<size_t>(i)];
        mStarPlaced[static_cast<size_t>(i)] = point.has_value();
        star.mX = point ? static_cast<float>(point->x) : 0.0f;
        star.mY = point ? static_cast<float>(point->y) : 0.0f;
        star.mCentered = true;
        star.SetImage(IMAGE_MAP_RANK_STARS);
        star.mSourceRect = GameSettingRect("RankStars", name);
    }
    mNext = mLayout->GetControlAs<Kavo::ButtonWidget>("Next");
    mBack = mLayout->GetControlAs<Kavo::ButtonWidget>("Back");
    Kavo::Image* const glows[kRestaurantCount] = {IMAGE_RESTGLOW1, IMAGE_RESTGLOW2, IMAGE_RESTGLOW3};
    for (int i = 0; i < kRestaurantCount; ++i) {
        const std::optional<LayoutPoint> point = mLayout->GetDesc(Numbered("Rest%d", i + 1));
        mRestaurants.push_back(std::make_unique<MapRestaurant>(i, point.has_value(), point ? point->x : 0,
                                                               point ? point->y : 0, glows[i]));
    }
    mClouds.LoadFile("data/clouds.anim");
    mClouds.Restart();
}

MapScreen::~MapScreen() {
    mStarEffect.reset();
    mStarScene.reset();
    mLayout.reset();
}

int MapScreen::DrawnStars() const {
    return std::clamp(mStarCount, 0, kStarCount);
}

void MapScreen::OnEnter() {
    if (mSwitchFlag != kFromRoom) {
        mStarCount = RecordStage();
        mCurrentRestaurant = StageToRestaurant(std::max(mStarCount, 0));
    }
    mShownRestaurants = std::min(mCurrentRestaurant + 1, kRestaurantCount);

    mBackdrop.SetImage(IMAGE_MAP_BACK);
    mCloudsImage.Load("images/map/cloudsday");
    Kavo::Image* clouds = mCloudsImage.Get();
    const Kavo::IntRect whole =
        clouds != nullptr ? Kavo::IntRect(0, 0, clouds->GetWidth(), clouds->GetHeight()) : Kavo::IntRect();
    mCloudsDesc.mImage = clouds;
    mCloudsDesc.mRects = {whole};
    mCloudsDesc.mCurrentRect = whole;
    mClouds.SetImageDesc(&mCloudsDesc);

    if (mNext != nullptr)
        mNext->mLabel = Termins::Lookup(mStarCount != kStarCount ? "MapPlay" : "Close");
    if (mBack != nullptr)
        mBack->SetVisible(mSwitchFlag == kNormal);

    mStarEffect.reset();
    if (mSwitchFlag == kNewStar && mStarCount >= 0 && mStarCount < kStarCount) {
        PlayUiSound("newstar", true);
        const ImageSprite& star = mStars[static_cast<size_t>(mStarCount)];
        const int rect[4] = {star.mSourceRect.mX, star.mSourceRect.mY, star.mSourceRect.mWidth,
                             star.mSourceRect.mHeight};
        mStarEffect = std::make_unique<EffectRankStarAppear>(
            StageToRestaurant(mStarCount), (mStarCount + 1) % kStarsPerRestaurant, this,
            static_cast<int>(star.GetCenterX()), static_cast<int>(star.GetCenterY()), rect);
    }
    mSwitchFlag = kNormal;
    RebuildPosts();
    mPosts.mOverlayListener = this;
}

void MapScreen::RebuildPosts() {
    const std::optional<LayoutPoint> origin = mLayout->GetDesc("PostTumbs");
    mPosts.Rebuild(origin ? origin->x : 0, origin ? origin->y : 0);
}

void MapScreen::OnEffectFinished(EffectBase*) {
    // The star that was shown is the one at the count.
    if (mStarCount >= 0 && mStarCount < kStarCount) {
        const ImageSprite& star = mStars[static_cast<size_t>(mStarCount)];
        mStarScene = std::make_unique<TrMoveItems>();
        mStarScene->Load(Numbered("particles/reststar%d.ini", mCurrentRestaurant));
        mStarScene->Start(star.GetCenterX() - kSceneOffsetX, star.GetCenterY());
    }
    ++mStarCount;
}

void MapScreen::Update() {
    GameDialog::Update();
    if (mStarEffect != nullptr) {
        mStarEffect->Update();
        if (mStarEffect->IsDone())
            mStarEffect.reset();
    }
    if (mStarScene != nullptr) {
        mStarScene->Update();
        if (mStarScene->IsDone())
            mStarScene.reset();
    }
    mPosts.Update();
    for (auto& restaurant : mRestaurants)
        restaurant->mGlow.StepValue();
    mClouds.Update();
    if (!PacedByRefresh())
        UpdateF(1.0f);
    MarkDirty();
}

void MapScreen::UpdateF(float f) {
    mPosts.UpdateF(f);
    if (mStarEffect != nullptr)
        mStarEffect->Update(f);
    mClouds.Update(f);
    if (mStarScene != nullptr)
        mStarScene->Update(f);
}

void MapScreen::Draw(Kavo::Graphics* g) {
    g->PushState();
    g->SetColor(Kavo::Color(0, 0, 0, 255));
    g->FillRect(0, 0, mWidth, mHeight);
    g->PopState();
    mBackdrop.Draw(g, 255.0f);
    mClouds.Draw(g);
    mLayout->DrawImages(g, 0);
    for (auto& restaurant : mRestaurants)
        if (restaurant->mPlaced)
            restaurant->mGlow.Draw(g);
    if (mStarScene != nullptr)
        mStarScene->Draw(g);
    // A damaged profile may count more stars than there are.
    for (int i = 0; i < DrawnStars(); ++i)
        if (mStarPlaced[static_cast<size_t>(i)])
            mStars[static_cast<size_t>(i)].Draw(g, 255.0f);
    mPosts.Draw(g);
    if (mStarEffect != nullptr)
        mStarEffect->Draw(g);
}

void MapScreen::MouseMove(int32_t x, int32_t y) {
    if (mPosts.MouseMove(x, y))
        return;
    bool any = false;
    for (int i = 0; i < mShownRestaurants; ++i)
        any = mRestaurants[static_cast<size_t>(i)]->TrackPointer(x, y) || any;
    if (GameApp* app = gGameApp)
        app->SetCursorSlotImage(0, any ? IMAGE_CUSTOM_HAND : IMAGE_CUSTOM_POINTER);
}

void MapScreen::MouseDown(int32_t x, int32_t y, int32_t clickCount) {
    if (clickCount != 1 || mPosts.MouseDown(x, y, clickCount))
        return;
    for (int i = 0; i < mShownRestaurants; ++i) {
        if (!mRestaurants[static_cast<size_t>(i)]->mHovered)
            continue;
        PlayUiSound("MouseDown", true);
        if (i == mCurrentRestaurant && ContinueFlag()) {
            mSwitchFlag = kFromRoom;
            if (GameApp* app = gGameApp)
                app->SwitchScreen(kToRoom);
        } else {
            OpenShowRestaurant(i);
        }
        return;
    }
}

void MapScreen::OpenShowRestaurant(int restaurant) {
    GameApp* app = gGameApp;
    if (app == nullptr)
        return;
    auto* view = new ShowRestDialog("ui/showrest.txt", mImages);
    view->SetRestaurant(restaurant);
    view->mDialogListener = this;
    view->Resize(0, 0, app->GetWidth(), app->GetHeight());
    app->AddDialog(view);
    app->mWidgetManager->RemoveWidget(this);
    app->mWidgetManager->SetFocus(view);
}

void MapScreen::DialogButtonRelease(int32_t dialogId, int32_t) {
    GameApp* app = gGameApp;
    if (app == nullptr)
        return;
    app->KillDialog(dialogId);
    app->mWidgetManager->AddWidget(this);
    app->mWidgetManager->SetFocus(this);
}

void MapScreen::HideForOverlay() {
    if (GameApp* app = gGameApp)
        app->mWidgetManager->RemoveWidget(this);
}

void MapScreen::RestoreAfterOverlay() {
    if (GameApp* app = gGameApp) {
        app->mWidgetManager->AddWidget(this);
        app->mWidgetManager->SetFocus(this);
    }
    SndPlayMusic("music/mainmenu", 1000, 2000);
}

void MapScreen::ButtonDepress(int32_t buttonId) {
    PlayUiSound("MouseDown", true);
    GameApp* app = gGameApp;
    if (app == nullptr)
        return;
    if (buttonId == kNext) {
        switch (RecordStage()) {
        case 4:
            app->SwitchScreen(kToComics2);
            break;
        case 9:
            app->SwitchScreen(kToComics3);
            break;
        case 14:
            app->SwitchScreen(ContinueFlag() ? kToBoard : kToMainMenu);
            break;
        default:
            app->SwitchScreen(kToBoard);
            break;
        }
    } else if (buttonId == kBack) {
        app->SwitchScreen(kToMainMenu);
    }
}

void MapScreen::GivePostcards(bool solved) {
    UserManager* users = UserManager::GetInstance();
    if (users == nullptr || users->GetCurrentRecord() == nullptr)
        return;
    for (int n = 1; n <= kStarCount; ++n) {
        ItemEntry* entry = users->FindOrAddItem(Numbered("Recipe%02d", n), kPostcardList);
        if (entry != nullptr && solved)
            entry->mState = 1;
    }
}

void MapScreen::KeyUp(int32_t key) {
    GameApp* app = gGameApp;
    if (app == nullptr || !app->mDebugKeysEnabled || (key != kKeyR && key != kKeyU))
        return;
    GivePostcards(key == kKeyU);
    RebuildPosts();
}

void MapScreen::OnLeave() {
    mStarEffect.reset();
    mStarScene.reset();
    const int restaurant = StageToRestaurant(mStarCount - 1);
    UserManager* users = UserManager::GetInstance();
    std::shared_ptr<ShopCatalog> catalog = ShopCatalogSlot().Get();
    if (catalog != nullptr) {
        ShopCatalog::NameList kept;
        const int count = users != nullptr ? users->GetItemCount(kDecorationList) : 0;
        for (int i = 0; i < count; ++i) {
            const ItemEntry* entry = users->GetItem(i, kDecorationList);
            const ShopItem* item = entry != nullptr ? catalog->Find(entry->mName) : nullptr;
            if (item != nullptr && item->mRestIndex != restaurant)
                kept.push_back(entry->mName);
        }
        catalog->ReleaseRoomImages(kept, *mImages);
    }
    mBackdrop.Release();
    mCloudsDesc.mImage = nullptr;
    mCloudsDesc.mRects.clear();
    mCloudsDesc.mCurrentRect = Kavo::IntRect();
    mClouds.SetImageDesc(&mCloudsDesc);
    mCloudsImage.Release();
}

} // namespace Game
