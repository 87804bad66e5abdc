#pragma once
// The room: the player furnishes the current restaurant's room from the
// strip of decoration offers (stuff mode) and composes its menu from the
// dish grid (menu mode), paying with the rating. Two bars show the room's
// and the menu's value; placements and purchases send rating stars to them.
// The application keeps one for the whole run and switches to it.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/point.h"
#include "game/effects/effect_listener.h"
#include "game/meta/menu_list.h"
#include "game/meta/menu_list_listener.h"
#include "game/meta/resource_room_images.h"
#include "game/meta/room_layout.h"
#include "game/meta/stuff_list.h"
#include "game/ui/effect_list.h"
#include "game/ui/game_dialog.h"
#include "game/ui/image_sprite.h"
#include "game/ui/layout.h"
#include "game/ui/progress_bar.h"
#include "game/ui/progress_bar_listener.h"

namespace Kavo {
class Slider;
class Widget;
} // namespace Kavo

namespace Game {

class NumberLabel;
class RoomImageSource;
class ShopCatalog;
struct ShopItem;
struct UserRecord;

class RoomScreen : public GameDialog, public MenuListListener, public ProgressBarListener, public EffectListener {
public:
    static constexpr int32_t kDialogId = 111;
    enum Mode { kStuffMode = 0, kMenuMode = 1 };
    enum Button { kBackButton = 1, kMenuButton = 2, kPrevButton = 3, kNextButton = 4 };
    // The room tips and where their keys start.
    static constexpr int kFirstRoomTip = 19;
    static constexpr int kLastRoomTip = 26;
    static constexpr int kHideDelay = 200; // updates after entry before the strip slides away
    static constexpr int kHoverDelay = 70; // the same once the mouse has left the strip
    static constexpr float kSlideSpeed = 2.0f;

    // `images` (not owned) loads and frees the room pictures; null takes the
    // game's resource manager.
    explicit RoomScreen(const std::string& layoutPath = "UI/Room.txt", RoomImageSource* images = nullptr);
    ~RoomScreen() override;

    void Update() override;
    void UpdateF(float dt) override;
    void Draw(Kavo::Graphics* g) override;
    // With the developer keys on, '1' to '3' move the player to that
    // restaurant's first stage and enter the room again.
    void KeyUp(int32_t key) override;
    void MouseMove(int32_t x, int32_t y) override;
    void MouseDrag(int32_t x, int32_t y) override;
    // A left click buys, places or deletes an offer, or buys, picks and
    // exchanges dishes.
    void MouseUp(int32_t x, int32_t y, int32_t clickCount) override;
    void OnEnter() override;
    // Stops the music, closes the tip, stores the room, the menu and both
    // values, and saves the players.
    void OnLeave() override;

    void ButtonDepress(int32_t buttonId) override;
    void ButtonMouseEnter(int32_t buttonId) override;
    void SliderVal(int32_t sliderId, double value) override;
    // The tip window was closed: the next tip of its chain.
    void DialogButtonRelease(int32_t dialogId, int32_t buttonId) override;
    void OnSwap(MenuCell* cell, MenuCell* otherCell) override;
    void OnPicked(MenuCell* cell) override;
    void OnBarReached(ProgressBar* bar) override;
    // A rating star arrived (the values are recomputed) or a dish's flight
    // ended (the dish is drawn in its cell again).
    void OnEffectFinished(EffectBase* effect) override;

    void SetMode(int mode);
    void RefreshStuffFlags();
    void RefreshAffordable(int points);
    void RefreshInRoomFlags();
    void RefreshDishFlags();
    void RefreshDishAffordable();
    // Furnishes the room from the player's placed items of this restaurant.
    void LoadLayout();
    // Marks this restaurant's items placed or not as the room shows them.
    void SaveLayout();
    // Marks the dishes on the menu and stores their columns.
    void SaveMenu();
    // Recomputes and stores the room and menu fractions; the bars move to them.
    void UpdateValues();
    void OnItemPlaced(ShopItem* item);
    // A room tip, once per player and only with tips on; (0, 0) centres it.
    void ShowTip(int tipId, int x, int y, bool pointer);

    int GetMode() const { return mMode; }
    int GetMoney() const { return mMoney; }
    float GetSlideSpeed() const { return mSlideSpeed; }
    float GetHomeY() const { return mHomeY; }
    int GetMenuMax() const { return mMenuMax; }
    NumberLabel* GetMoneyLabel() const { return mMoneyLabel; }
    Kavo::Widget* GetScrollBar() const;
    Kavo::Widget* GetPrevButton() const { return mPrevButton; }
    Kavo::Widget* GetNextButton() const { return mNextButton; }

    StuffList mStuff;
    MenuList mDishes;
    RoomLayout mRoom;
    ProgressBar mRoomBar;
    ProgressBar mMenuBar;
    EffectList mEffects{true};

private:
    bool InStuffMode() const { return mMode == kStuffMode; }
    void StuffClick(int x, int y);
    void MenuClick(int x, int y);
    void ShowStripControls(bool shown);
    // A rating star from (x, y) to the bar, half the bar picture down;
    // false when it has nowhere to fly and so never arrives.
    bool StarTo(const ProgressBar& bar, float x, float y, EffectListener* listener);
    // The top-left corner of a dish cell as the grid draws it, in the
    // grid's coordinates.
    Kavo::Point DishCellCorner(const MenuCell* cell) const;
    // Steps 1-3 of UpdateValues: the two fractions into the record.
    void StoreValues();
    int Rating() const;
    Kavo::Point ScreenSize() const;
    void ApplyNames(); // loads the pictures of the placed items, frees the others
    LayoutPoint Point(const std::string& name) const;
    void CountMoney(int spent);
    UserRecord* Record() const;
    void Save() const;

    std::unique_ptr<Layout> mScreenLayout;
    Kavo::Slider* mScrollBar = nullptr;
    float mHomeY = 0;
    int mHideTimer = 0;
    int mMode = kStuffMode;
    int mMouseX = 0;
    int mMouseY = 0;
    std::vector<std::string> mNameList;
    Kavo::Widget* mMenuButton = nullptr;
    Kavo::Widget* mPrevButton = nullptr;
    Kavo::Widget* mNextButton = nullptr;
    NumberLabel* mMoneyLabel = nullptr;
    float mSlideSpeed = 0;
    int mRestaurant = 0;
    int mMoney = 0;
    int mStageA = 0;
    int mStageB = 0;
    ImageSprite mRatingBack;
    float mRoomMax = 1.0f;
    int mMenuMax = 0;
    ImageSprite mMenuBack;
    ImageSprite mMoneyPlace;
    LayoutPoint mMenuGrid;
    ResourceRoomImages mResourceImages;
    RoomImageSource* mImages;
};

} // namespace Game
