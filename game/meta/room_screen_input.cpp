// The room screen's answers to the player: clicks on the offers and the
// dishes, its buttons and keys, the dish exchanges and the room tips.
#include "game/meta/room_screen.h"

#include <string>

#include "framework/widget/slider.h"
#include "game/app/game_app.h"
#include "game/effects/effect_sinus.h"
#include "game/meta/menu_entry.h"
#include "game/meta/shop_catalog.h"
#include "game/meta/shop_item.h"
#include "game/ui/spline_animation.h"
#include "game/ui/termins.h"
#include "game/ui/tip_window.h"
#include "game/ui/ui_sound.h"
#include "game/ui/user_manager.h"

namespace Game {

namespace {

constexpr int kLeftClick = 1;
constexpr int kSaladCount = 7;
constexpr int kSaladTipAt = 3; // salads owned
// The developer keys' restaurants: first stage index and stage counter.
constexpr int kRestaurantStage[] = {0, 6, 11};
constexpr int kRestaurantCounter[] = {1, 7, 12};
// Where a flying dish sheds its sparkles, from its cell's corner.
constexpr int kSparkInsetX = 35;
constexpr int kSparkInsetY = 30;

} // namespace

void RoomScreen::MouseMove(int32_t x, int32_t y) {
    mMouseX = x;
    mMouseY = y;
    if (InStuffMode())
        mStuff.Select(mStuff.HitTest(static_cast<float>(x), static_cast<float>(y)));
    else
        mDishes.Select(mDishes.HitTest(static_cast<float>(x), static_cast<float>(y)));
}

void RoomScreen::MouseDrag(int32_t x, int32_t y) {
    mMouseX = x;
    mMouseY = y;
}

void RoomScreen::MouseUp(int32_t x, int32_t y, int32_t clickCount) {
    if (clickCount != kLeftClick)
        return;
    if (InStuffMode())
        StuffClick(x, y);
    else
        MenuClick(x, y);
}

void RoomScreen::StuffClick(int x, int y) {
    StuffCell* cell = mStuff.HitTest(static_cast<float>(x), static_cast<float>(y));
    auto catalog = ShopCatalogSlot().Get();
    UserManager* users = UserManager::GetInstance();
    if (cell == nullptr || !cell->mAffordable || catalog == nullptr || users == nullptr)
        return;
    ShopItem* item = cell->mItem;
    if (!cell->mOwned) {
        const int total = item->TotalPrice();
        CountMoney(total);
        users->FindOrAddItem(item->mName, 0);
        users->AddRating(-total);
        Save();
        SetMode(mMode);
        PlayUiSound("buystuff", true);
        if (GameApp* app = gGameApp; app != nullptr && app->GetOpenTipId() == 20)
            app->CloseTip(false);
    }
    if (cell->mOwned && item->mRemovable && mRoom.IndexOf(item) >= 0) {
        mRoom.Remove(item, true);
        PlayUiSound("deletestuff", true);
    } else {
        mRoom.CollectNames(mNameList);
        mNameList.push_back(item->mName);
        catalog->LoadRoomImages(mNameList, *mImages);
        if (mRoom.Place(item))
            OnItemPlaced(item);
    }
    mRoom.Sort();
    mRoom.CollectNames(mNameList);
    catalog->ReleaseRoomImages(mNameList, *mImages);
    RefreshInRoomFlags();
    SaveLayout();
    Save();
}

void RoomScreen::MenuClick(int x, int y) {
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    if (!mDishes.Contains(fx, fy)) {
        ButtonDepress(kMenuButton); // back to the offers
        return;
    }
    MenuCell* cell = mDishes.HitTest(fx, fy);
    UserManager* users = UserManager::GetInstance();
    if (cell == nullptr || !cell->mAffordable || users == nullptr)
        return;
    MenuEntry* dish = cell->mEntry;
    if (!cell->mOwned) {
        if (ItemEntry* entry = users->FindOrAddItem(dish->mName, 1))
            entry->mState = 1;
        users->AddRating(-dish->mPrice);
        Save();
        CountMoney(dish->mPrice);
        SetMode(mMode);
        const Kavo::Point at = DishCellCorner(cell);
        const float half = static_cast<float>(ScrolledGrid::kCellPitch) / 2.0f;
        if (!StarTo(mMenuBar, mDishes.mViewX + static_cast<float>(at.mX) + half,
                    mDishes.mViewY + static_cast<float>(at.mY) + half, this))
            UpdateValues();
        PlayUiSound("buystuff", true);
    } else if (mDishes.Pick(cell)) {
        SaveMenu();
        // The dishes' places score the menu: the bar and the stored value follow.
        UpdateValues();
        Save();
    }

    const UserRecord* record = Record();
    GameApp* app = gGameApp;
    const bool saladTipOpen = app != nullptr && app->GetOpenTipId() == 24;
    if (record == nullptr || record->mTipShown[24] != 0 || saladTipOpen)
        return;
    int salads = 0;
    for (int i = 0; i < kSaladCount; ++i)
        if (users->FindItem("Salad0" + std::to_string(i), 1) != nullptr)
            ++salads;
    if (salads >= kSaladTipAt)
        ShowTip(24, mMenuGrid.x + 55, mMenuGrid.y + 55, true);
}

Kavo::Point RoomScreen::DishCellCorner(const MenuCell* cell) const {
    for (size_t r = 0; r < mDishes.mRows.size(); ++r) {
        const std::vector<MenuCell>& cells = mDishes.mRows[r].mCells;
        for (size_t c = 0; c < cells.size(); ++c)
            if (&cells[c] == cell)
                return Kavo::Point(static_cast<int>(mDishes.OffsetX()) + ScrolledGrid::kCellPitch * static_cast<int>(c),
                                   static_cast<int>(mDishes.OffsetY()) +
                                       ScrolledGrid::kCellPitch * static_cast<int>(r));
    }
    return Kavo::Point();
}

void RoomScreen::OnSwap(MenuCell* cell, MenuCell* otherCell) {
    // Each dish flies to the other's cell; the cells change contents, and
    // with them their carriers, right after this.
    auto fly = [this](MenuCell* from, MenuCell* to) {
        const Kavo::Point a = DishCellCorner(from);
        const Kavo::Point b = DishCellCorner(to);
        auto* flight = new EffectSinus(a.mX, a.mY, b.mX, b.mY, 0, this);
        // The flight runs in the grid's coordinates; its sparkles on the screen.
        flight->mSparkOffsetX = static_cast<int>(mDishes.mViewX) + kSparkInsetX;
        flight->mSparkOffsetY = static_cast<int>(mDishes.mViewY) + kSparkInsetY;
        if (!flight->IsDone() && flight->mFlyer != nullptr)
            from->mCarrier = flight->mFlyer.get();
        mEffects.Add(flight);
    };
    fly(cell, otherCell);
    fly(otherCell, cell);
    PlayUiSound("menucellchange", true);
}

void RoomScreen::OnPicked(MenuCell*) {
    PlayUiSound("selectmenucell", true);
}

void RoomScreen::ButtonDepress(int32_t buttonId) {
    PlayUiSound("MouseDown", true);
    GameApp* app = gGameApp;
    switch (buttonId) {
    case kBackButton:
        if (app != nullptr)
            app->SwitchScreen(GameApp::kSwitchBack);
        break;
    case kMenuButton:
        if (InStuffMode()) {
            if (app != nullptr && app->GetOpenTipId() == 22)
                app->CloseTip(false);
            ShowStripControls(false);
            ShowTip(23, mMenuGrid.x + 55, mMenuGrid.y + 55, true);
            mMode = kMenuMode;
            RefreshDishFlags();
            RefreshDishAffordable();
        } else {
            SetMode(kStuffMode);
            ShowStripControls(mStuff.mViewY == mHomeY);
        }
        PlayUiSound("openmenu", true);
        break;
    case kPrevButton:
    case kNextButton:
        if (buttonId == kPrevButton)
            mStuff.PagePrev();
        else
            mStuff.PageNext();
        if (mScrollBar != nullptr)
            mScrollBar->SetValue(mStuff.mScrollX);
        break;
    default:
        break;
    }
}

void RoomScreen::ButtonMouseEnter(int32_t buttonId) {
    if (buttonId != -1)
        PlayUiSound("MouseEnter", true);
}

void RoomScreen::SliderVal(int32_t sliderId, double value) {
    if (mScrollBar != nullptr && sliderId == mScrollBar->mId)
        mStuff.mScrollX = static_cast<float>(value);
}

void RoomScreen::KeyUp(int32_t key) {
    GameApp* app = gGameApp;
    UserRecord* record = Record();
    if (app == nullptr || !app->mDebugKeysEnabled || record == nullptr || key < '1' || key > '3')
        return;
    const int restaurant = key - '1';
    record->mStageIndex = kRestaurantStage[restaurant];
    record->mReachedStage = kRestaurantCounter[restaurant];
    OnEnter();
}

// ---- Tips ----

void RoomScreen::ShowTip(int tipId, int x, int y, bool pointer) {
    GameApp* app = gGameApp;
    const UserRecord* record = Record();
    if (app == nullptr || record == nullptr || record->mTipsEnabled == 0 || tipId < 0 ||
        tipId >= UserRecord::kTipCount || record->mTipShown[static_cast<size_t>(tipId)] != 0)
        return;
    app->CloseTip(false);
    auto* tip = new TipWindow(Termins::Lookup(GetTipName(tipId)));
    tip->mPlacementSound = tipId == 19 || tipId == 21 || tipId >= 24;
    tip->mPointerShown = pointer;
    tip->mTipId = tipId;
    tip->mDialogListener = this;
    if (x == 0 && y == 0) {
        const Kavo::Point screen = ScreenSize();
        x = screen.mX / 2;
        y = screen.mY / 2;
    }
    tip->Show(x, y);
    app->AddDialog(tip);
}

void RoomScreen::DialogButtonRelease(int32_t dialogId, int32_t) {
    GameApp* app = gGameApp;
    if (dialogId != TipWindow::kDialogId || app == nullptr)
        return;
    const int closed = app->GetOpenTipId();
    app->CloseTip(false);
    const int menuX = mMenuGrid.x + 55;
    const int menuY = mMenuGrid.y + 55;
    switch (closed) {
    case 19: {
        const Kavo::Point cell = mStuff.FirstPendingCellCentre();
        ShowTip(20, cell.mX, cell.mY, true);
        break;
    }
    case 21:
        if (mMenuButton != nullptr)
            ShowTip(22, mMenuButton->mX + mMenuButton->mWidth / 2, mMenuButton->mY + mMenuButton->mHeight / 2, true);
        break;
    case 24:
        ShowTip(25, menuX, menuY, true);
        break;
    case 25:
        ShowTip(26, menuX, menuY, true);
        break;
    default:
        break;
    }
}

} // namespace Game
