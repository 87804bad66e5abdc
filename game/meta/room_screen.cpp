#include "game/meta/room_screen.h"

#include <algorithm>
#include <cmath>

#include "framework/graphics/graphics.h"
#include "framework/graphics/image.h"
#include "framework/widget/slider.h"
#include "framework/widget/widget_flags.h"
#include "game/app/game_app.h"
#include "game/app/sound_facade.h"
#include "game/effects/effect_rating_star.h"
#include "game/effects/effect_sinus.h"
#include "game/effects/tr_item.h"
#include "game/effects/tr_move_items.h"
#include "game/meta/menu_catalog.h"
#include "game/meta/room_fill.h"
#include "game/meta/shop_catalog.h"
#include "game/meta/shop_item.h"
#include "game/ui/number_label.h"
#include "game/ui/resource_ids.h"
#include "game/ui/spline_animation.h"
#include "game/ui/ui_sound.h"
#include "game/ui/user_manager.h"

namespace Game {

namespace {

constexpr int kBarCelRoom = 0;
constexpr int kBarCelMenu = 1;
constexpr float kMoneyStepShare = 0.1f; // of the price, per update of the money label
constexpr float kBarStepShare = 0.05f;  // of the fraction, per update of a bar
constexpr float kLeastBarFraction = 0.1f;

void PlaceBar(ProgressBar& bar, const LayoutPoint& at, int cel, ProgressBarListener* listener) {
    Kavo::Image* image = IMAGE_PROGRESSBARRATING;
    bar.SetImage(image, image != nullptr ? image->GetCelRect(cel, 0) : Kavo::IntRect());
    bar.mX = static_cast<float>(at.x);
    bar.mY = static_cast<float>(at.y);
    bar.mMaximum = 1.0f;
    bar.SetValue(1.0f, true);
    bar.mListener = listener;
}

void PlaceSprite(ImageSprite& sprite, Kavo::Image* image, const LayoutPoint& at) {
    sprite.SetImage(image);
    sprite.mX = static_cast<float>(at.x);
    sprite.mY = static_cast<float>(at.y);
}

int BarPictureHeight() {
    return IMAGE_PROGRESSBARRATING != nullptr ? IMAGE_PROGRESSBARRATING->GetHeight() : 0;
}

} // namespace

RoomScreen::RoomScreen(const std::string& layoutPath, RoomImageSource* images)
    : GameDialog(kDialogId, true), mImages(images != nullptr ? images : &mResourceImages) {
    // The room's bars, labels, lists and effects move on their own: the
    // screen is painted again after every update.
    mWidgetFlagsMod.mAddFlags |= Kavo::WIDGETFLAGS_MARK_DIRTY;
    mScreenLayout = std::make_unique<Layout>(layoutPath, this);
    mScrollBar = mScreenLayout->GetControlAs<Kavo::Slider>("StuffHBar");
    mMenuButton = mScreenLayout->GetControl("Menu");
    mPrevButton = mScreenLayout->GetControl("Prev");
    mNextButton = mScreenLayout->GetControl("Next");
    mMoneyLabel = mScreenLayout->GetControlAs<NumberLabel>("MoneyLblValue");

    const LayoutPoint grid = Point("GridXY");
    const LayoutPoint gridSize = Point("GridWH");
    mHomeY = static_cast<float>(grid.y);
    mStuff.mViewX = static_cast<float>(grid.x);
    mStuff.mViewY = mHomeY;
    mStuff.mViewW = static_cast<float>(gridSize.x);
    mStuff.mViewH = static_cast<float>(gridSize.y);
    mMenuGrid = Point("MenuGridXY");
    const LayoutPoint menuSize = Point("MenuGridWH");
    mDishes.mViewX = static_cast<float>(mMenuGrid.x);
    mDishes.mViewY = static_cast<float>(mMenuGrid.y);
    mDishes.mViewW = static_cast<float>(menuSize.x);
    mDishes.mViewH = static_cast<float>(menuSize.y);
    mDishes.mListener = this;

    PlaceBar(mRoomBar, Point("RoomValue"), kBarCelRoom, this);
    PlaceBar(mMenuBar, Point("MenuValue"), kBarCelMenu, this);
    PlaceSprite(mRatingBack, IMAGE_PROGRESSBARRATINGBACK, Point("RatingBack"));
    PlaceSprite(mMenuBack, IMAGE_MENUBACK, Point("MenuBack"));
    PlaceSprite(mMoneyPlace, IMAGE_MONEY_PLACE, Point("MoneyPlace"));
}

RoomScreen::~RoomScreen() {
    mEffects.Clear();
    mScreenLayout.reset();
}

LayoutPoint RoomScreen::Point(const std::string& name) const {
    return mScreenLayout->GetPoint(name).value_or(LayoutPoint{});
}

Kavo::Widget* RoomScreen::GetScrollBar() const {
    return mScrollBar;
}

UserRecord* RoomScreen::Record() const {
    UserManager* users = UserManager::GetInstance();
    return users != nullptr ? users->GetCurrentRecord() : nullptr;
}

void RoomScreen::Save() const {
    if (UserManager* users = UserManager::GetInstance())
        users->Save();
}

int RoomScreen::Rating() const {
    UserManager* users = UserManager::GetInstance();
    return users != nullptr ? users->GetRating() : 0;
}

Kavo::Point RoomScreen::ScreenSize() const {
    if (Kavo::KavoAppBase* app = Kavo::gAppBase)
        return Kavo::Point(app->GetWidth(), app->GetHeight());
    return Kavo::Point(mWidth, mHeight);
}

// ---- Entering and leaving ----

void RoomScreen::OnEnter() {
    const UserRecord* record = Record();
    mStageA = record != nullptr ? record->mStageIndex : 0;
    mStageB = record != nullptr ? record->mStagesPlayed : 0;
    SndPlayMusic("music/shop", 2000, 1000);

    GameApp* app = gGameApp;
    UserManager* users = UserManager::GetInstance();
    const int rating = Rating();
    mMoney = rating;
    mRestaurant = app != nullptr ? app->CurrentRestaurantIndex() : 0;
    mRoomMax = 1.0f;
    mMenuMax = app != nullptr ? MenuList::GetMaxMenuRating(app->mSettings, mRestaurant) : 0;
    mRoomBar.SetValue(users != nullptr ? users->GetRoomValue() : 0.0f, true);
    mMenuBar.SetValue(users != nullptr ? users->GetMoney() : 0.0f, true);

    mStuff.mRows.clear();
    mStuff.mHovered = nullptr;
    if (auto catalog = ShopCatalogSlot().Get())
        mStuff.Fill(*catalog, mRestaurant, rating);
    mStuff.SortRows();
    mDishes.Clear();
    if (auto menus = MenuCatalogSlot().Get())
        mDishes.Fill(*menus, mRestaurant, rating);
    // The columns the player gave the dishes on the menu.
    if (record != nullptr)
        for (const ItemEntry& entry : record->mItems[1])
            if (entry.mState == 1)
                if (MenuCell* cell = mDishes.FindCell(entry.mName))
                    cell->mEntry->mOrder = entry.mOrigin;
    RefreshDishFlags();
    mDishes.SortRows();
    mMode = kStuffMode;

    RefreshStuffFlags();
    RefreshAffordable(rating);
    LoadLayout();
    RefreshInRoomFlags();
    ApplyNames();

    mMouseX = 0;
    mMouseY = 0;
    mHideTimer = kHideDelay;
    mSlideSpeed = 0;
    mStuff.mViewY = mHomeY;
    UpdateValues();
    ShowStripControls(true);
    ShowTip(kFirstRoomTip, 0, 0, true);
    if (mMoneyLabel != nullptr) {
        mMoneyLabel->mCurrent = static_cast<float>(mMoney);
        mMoneyLabel->mTarget = static_cast<float>(mMoney);
    }
    mEffects.Clear();
}

void RoomScreen::OnLeave() {
    SndStopMusic(500);
    if (GameApp* app = gGameApp)
        app->CloseTip(false);
    SaveLayout();
    SaveMenu();
    // A star still flying would have recomputed them.
    StoreValues();
    Save();
}

// ---- The record ----

void RoomScreen::LoadLayout() {
    auto catalog = ShopCatalogSlot().Get();
    const UserRecord* record = Record();
    if (catalog == nullptr || record == nullptr) {
        mRoom.Clear();
        return;
    }
    const int restaurant = mRestaurant;
    PlaceMarkedItems(mRoom, *catalog, record->mItems[0],
                     [restaurant](const ShopItem& item) { return item.mRank == restaurant; });
}

void RoomScreen::SaveLayout() {
    auto catalog = ShopCatalogSlot().Get();
    UserRecord* record = Record();
    if (catalog == nullptr || record == nullptr)
        return;
    for (ItemEntry& entry : record->mItems[0]) {
        const ShopItem* item = catalog->Find(entry.mName);
        if (item != nullptr && item->mRank == mRestaurant)
            entry.mState = mRoom.IndexOfName(entry.mName) >= 0 ? 1 : 0;
    }
}

void RoomScreen::SaveMenu() {
    UserRecord* record = Record();
    if (record == nullptr)
        return;
    for (ItemEntry& entry : record->mItems[1]) {
        const MenuCell* cell = mDishes.FindCell(entry.mName);
        entry.mState = cell != nullptr ? 1 : 0;
        if (cell != nullptr)
            entry.mOrigin = mDishes.ColumnOf(cell->mEntry);
    }
}

void RoomScreen::StoreValues() {
    UserManager* users = UserManager::GetInstance();
    if (users == nullptr)
        return;
    float room = 0;
    if (auto catalog = ShopCatalogSlot().Get()) {
        mNameList.clear();
        users->GetMarkedItemNames(mNameList, 0);
        room = catalog->ComputeRoomValue(mNameList, mRestaurant) / mRoomMax;
    }
    // Without a maximum the menu has no share to show.
    float menu = mMenuMax > 0 ? static_cast<float>(mDishes.Score(mRestaurant)) / static_cast<float>(mMenuMax) : 0.0f;
    if (!std::isfinite(room))
        room = 0;
    if (!std::isfinite(menu))
        menu = 0;
    users->SetRoomValue(room);
    users->SetMoney(menu);
}

void RoomScreen::UpdateValues() {
    StoreValues();
    UserManager* users = UserManager::GetInstance();
    const float room = users != nullptr ? users->GetRoomValue() : 0.0f;
    const float menu = users != nullptr ? users->GetMoney() : 0.0f;
    mRoomBar.mStep = std::max(kLeastBarFraction, room) * kBarStepShare;
    mMenuBar.mStep = std::max(kLeastBarFraction, menu) * kBarStepShare;
    mRoomBar.SetValue(room, false);
    mMenuBar.SetValue(menu, false);
}

// ---- Flags ----

void RoomScreen::SetMode(int mode) {
    mMode = mode;
    if (InStuffMode()) {
        if (mScrollBar != nullptr && mStuff.mContentW > mStuff.mViewW)
            mScrollBar->SetVisible(true);
        RefreshStuffFlags();
        RefreshAffordable(Rating());
    } else {
        RefreshDishFlags();
        RefreshDishAffordable();
    }
}

void RoomScreen::RefreshStuffFlags() {
    UserManager* users = UserManager::GetInstance();
    for (StuffRow& row : mStuff.mRows)
        for (StuffCell& cell : row.mCells) {
            cell.mShown = true;
            cell.mOwned = users != nullptr && users->FindItem(cell.mItem->mName, 0) != nullptr;
        }
}

void RoomScreen::RefreshAffordable(int points) {
    for (StuffRow& row : mStuff.mRows)
        for (StuffCell& cell : row.mCells)
            cell.mAffordable = cell.mOwned || cell.mItem->TotalPrice() <= points;
}

void RoomScreen::RefreshInRoomFlags() {
    if (mStuff.mRows.empty())
        return;
    for (StuffCell& cell : mStuff.mRows[0].mCells) {
        cell.mInRoom = mRoom.IndexOf(cell.mItem) >= 0;
        if (cell.mInRoom)
            cell.mAffordable = true;
    }
}

void RoomScreen::RefreshDishFlags() {
    UserManager* users = UserManager::GetInstance();
    for (MenuRow& row : mDishes.mRows)
        for (MenuCell& cell : row.mCells)
            cell.mOwned = users != nullptr && users->FindItem(cell.mEntry->mName, 1) != nullptr;
}

void RoomScreen::RefreshDishAffordable() {
    const int rating = Rating();
    for (MenuRow& row : mDishes.mRows)
        for (MenuCell& cell : row.mCells)
            cell.mAffordable = cell.mOwned || cell.mEntry->mPrice <= rating;
}

void RoomScreen::ApplyNames() {
    auto catalog = ShopCatalogSlot().Get();
    if (catalog != nullptr)
        RefreshRoomImages(mRoom, *catalog, *mImages);
}

void RoomScreen::ShowStripControls(bool shown) {
    if (mScrollBar != nullptr)
        mScrollBar->SetVisible(shown && mStuff.mContentW > mStuff.mViewW);
    for (Kavo::Widget* button : {mPrevButton, mNextButton})
        if (button != nullptr)
            button->SetVisible(shown);
}

void RoomScreen::CountMoney(int spent) {
    if (mMoneyLabel != nullptr) {
        mMoneyLabel->mStep = -static_cast<float>(spent) * kMoneyStepShare;
        mMoneyLabel->mTarget = static_cast<float>(mMoney - spent);
    }
    mMoney -= spent;
}

// ---- Updating and drawing ----

void RoomScreen::Update() {
    GameDialog::Update();
    mRoomBar.Update();
    mMenuBar.Update();

    const Kavo::Point screen = ScreenSize();
    const int scrollBarHeight = mScrollBar != nullptr ? mScrollBar->mHeight : 0;
    const int top = static_cast<int>(mHomeY - 20.0f - static_cast<float>(scrollBarHeight));
    if (mMouseX >= 0 && mMouseX < screen.mX && mMouseY >= top && mMouseY < top + screen.mY) {
        mHideTimer = kHoverDelay;
        if (mStuff.mViewY != mHomeY)
            mSlideSpeed = -kSlideSpeed;
    }
    --mHideTimer;
    if (mHideTimer <= 0 && mStuff.mViewY < static_cast<float>(screen.mY) && InStuffMode()) {
        mHideTimer = 0;
        if (mStageA == 0 && mStageB == 0) {
            mHideTimer = kHoverDelay; // a new player's strip stays
        } else {
            mSlideSpeed = kSlideSpeed;
            ShowStripControls(false);
        }
    }
    mEffects.Update();
    Kavo::KavoAppBase* app = Kavo::gAppBase;
    if (app == nullptr || !app->mVSyncUpdates)
        UpdateF(1.0f);
}

void RoomScreen::UpdateF(float dt) {
    GameDialog::UpdateF(dt);
    if (mSlideSpeed != 0) {
        const float bottom = static_cast<float>(ScreenSize().mY);
        mStuff.mViewY += dt * mSlideSpeed;
        if (mSlideSpeed > 0 && mStuff.mViewY > bottom) {
            mSlideSpeed = 0;
            mStuff.mViewY = bottom + 1;
        } else if (mSlideSpeed < 0 && mStuff.mViewY <= mHomeY) {
            mSlideSpeed = 0;
            mStuff.mViewY = mHomeY;
            if (InStuffMode())
                ShowStripControls(true);
        }
    }
    mEffects.UpdateF(dt);
}

void RoomScreen::Draw(Kavo::Graphics* g) {
    g->PushState();
    mScreenLayout->DrawImages(g, 0);
    mRoom.Draw(g);
    if (InStuffMode()) {
        mStuff.Draw(g);
    } else {
        mMenuBack.Draw(g, 255);
        mDishes.Draw(g, true);
    }
    mMoneyPlace.Draw(g, 255);
    mRatingBack.Draw(g, 255);
    mRoomBar.Draw(g);
    mMenuBar.Draw(g);
    mEffects.Draw(g);
    g->PopState();
}

// ---- Effects ----

bool RoomScreen::StarTo(const ProgressBar& bar, float x, float y, EffectListener* listener) {
    auto* star = new EffectRatingStar(static_cast<int>(x), static_cast<int>(y), static_cast<int>(bar.mX),
                                      static_cast<int>(bar.mY) + BarPictureHeight() / 2, listener);
    // A star that has nowhere to fly never arrives.
    const bool arrives = !star->IsDone();
    mEffects.Add(star);
    return arrives;
}

void RoomScreen::OnItemPlaced(ShopItem* item) {
    bool reports = false;
    const Kavo::Point screen = ScreenSize();
    if (item->mEffect == 0) {
        reports = StarTo(mRoomBar, static_cast<float>(screen.mX / 2), static_cast<float>(screen.mY / 2), this);
    } else if (item->mEffect == 1) {
        for (size_t i = 0; i < item->mEffectRects.size(); ++i) {
            const Kavo::IntRect& rect = item->mEffectRects[i];
            const float x = static_cast<float>(rect.mX) + static_cast<float>(rect.mWidth) / 2.0f;
            const float y = static_cast<float>(rect.mY) + static_cast<float>(rect.mHeight) / 2.0f;
            auto* scene = new TrMoveItems();
            scene->Load("particles/addinroom.ini");
            if (scene->GetItemCount() > 0) {
                // The particles cover the area the item fills.
                TrEmitterDesc& desc = scene->GetItem(0).mDesc;
                desc.mWidth.Parse("0," + std::to_string(rect.mWidth));
                desc.mHeight.Parse("0," + std::to_string(rect.mHeight));
            }
            scene->Start(x, y);
            mEffects.Add(scene);
            const bool last = i + 1 == item->mEffectRects.size();
            const bool arrives = StarTo(mRoomBar, x, y, last ? this : nullptr);
            reports = last && arrives;
        }
    }
    if (!reports) {
        // Nothing will arrive to recompute the values: the placement counts now.
        SaveLayout();
        UpdateValues();
    }
    PlayUiSound("roomaddstuff", true);
}

void RoomScreen::OnEffectFinished(EffectBase* effect) {
    if (auto* flight = dynamic_cast<EffectSinus*>(effect)) {
        for (MenuRow& row : mDishes.mRows)
            for (MenuCell& cell : row.mCells)
                if (cell.mCarrier != nullptr && cell.mCarrier == flight->mFlyer.get())
                    cell.mCarrier = nullptr;
        return;
    }
    UpdateValues();
}

void RoomScreen::OnBarReached(ProgressBar* bar) {
    const UserRecord* record = Record();
    if (bar != &mRoomBar || record == nullptr || record->mTipShown[20] == 0)
        return;
    ShowTip(21, static_cast<int>(mRoomBar.mX), static_cast<int>(mRoomBar.mY) + BarPictureHeight(), true);
}

} // namespace Game
