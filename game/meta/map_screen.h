#pragma once
// The map between stages: the three restaurants, the rank stars earned so
// far (one per stage, fifteen in all), the post panel and drifting clouds.
// Entered right after a won stage it plays the new star's appearance. It
// leads to the next stage, a comics scene, the room of the current
// restaurant, a view of another restaurant's room or the main menu.

#include "game/effects/effect_listener.h"
#include "game/meta/map_restaurant.h"
#include "game/meta/overlay_listener.h"
#include "game/meta/post_panel.h"
#include "game/meta/resource_room_images.h"
#include "game/ui/game_dialog.h"
#include "game/ui/held_image.h"
#include "game/ui/image_desc.h"
#include "game/ui/image_sprite.h"
#include "game/ui/moving_animation.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Kavo {
class ButtonWidget;
} // namespace Kavo

namespace Game {

class EffectRankStarAppear;
class Layout;
class RoomImageSource;
class TrMoveItems;

class MapScreen : public GameDialog, public EffectListener, public OverlayListener {
public:
    static constexpr int32_t kDialogId = 1;
    static constexpr int kStarCount = 15;
    static constexpr int kRestaurantCount = 3;
    // The screen's mode (the switch flag): a new star to show, or back from
    // the room with the star count kept.
    enum Mode { kNormal = 0, kNewStar = 1, kFromRoom = 2 };
    enum Button : int32_t { kNext = 1, kBack = 2 };
    // Switches to the board, the main menu, the second and third comics
    // scenes and the room.
    static constexpr int kToBoard = 15;
    static constexpr int kToMainMenu = 16;
    static constexpr int kToComics2 = 18;
    static constexpr int kToComics3 = 19;
    static constexpr int kToRoom = 21;
    static constexpr int kDecorationList = 0;
    static constexpr int kPostcardList = 3;

    // `images` (not owned) frees the room pictures on leaving; null takes
    // the game's resource manager.
    explicit MapScreen(const std::string& layoutPath = "ui/Map.txt", RoomImageSource* images = nullptr);
    ~MapScreen() override;

    void Update() override;
    void UpdateF(float f) override;
    void Draw(Kavo::Graphics* g) override;
    // With the developer keys on: 'R' gives every postcard, 'U' every
    // postcard solved.
    void KeyUp(int32_t key) override;
    void MouseMove(int32_t x, int32_t y) override;
    void MouseDown(int32_t x, int32_t y, int32_t clickCount) override;
    void MouseUp(int32_t, int32_t, int32_t) override {}
    void OnEnter() override;
    // Keeps the room pictures of the other restaurants' owned decoration
    // and frees the rest, and the clouds.
    void OnLeave() override;
    void ButtonDepress(int32_t buttonId) override;
    // The show-restaurant view was closed.
    void DialogButtonRelease(int32_t dialogId, int32_t buttonId) override;
    // The new star has arrived: it is drawn from now on, with a burst.
    void OnEffectFinished(EffectBase* effect) override;
    void HideForOverlay() override;
    void RestoreAfterOverlay() override;

    int GetMode() const { return mSwitchFlag; }
    int GetStarCount() const { return mStarCount; }
    int GetShownRestaurants() const { return mShownRestaurants; }
    int GetCurrentRestaurant() const { return mCurrentRestaurant; }
    const EffectRankStarAppear* GetStarEffect() const { return mStarEffect.get(); }
    const TrMoveItems* GetStarScene() const { return mStarScene.get(); }
    const ImageSprite& GetStar(int index) const { return mStars[static_cast<size_t>(index)]; }
    const MapRestaurant& GetRestaurant(int index) const { return *mRestaurants[static_cast<size_t>(index)]; }
    Kavo::ButtonWidget* GetNextButton() const { return mNext; }
    Kavo::ButtonWidget* GetBackButton() const { return mBack; }
    Kavo::Image* GetCloudsImage() const { return mCloudsImage.Get(); }
    PostPanel& GetPosts() { return mPosts; }
    // How many stars Draw shows: the count, held in 0 .. 15.
    int DrawnStars() const;

private:
    void RebuildPosts();
    void OpenShowRestaurant(int restaurant);
    void GivePostcards(bool solved);

    std::unique_ptr<Layout> mLayout;
    std::array<ImageSprite, kStarCount> mStars;
    std::array<bool, kStarCount> mStarPlaced{};
    int mShownRestaurants = 0;
    int mStarCount = 0;
    int mCurrentRestaurant = 0;
    Kavo::ButtonWidget* mNext = nullptr;
    Kavo::ButtonWidget* mBack = nullptr;
    PostPanel mPosts;
    ImageSprite mBackdrop;
    std::unique_ptr<EffectRankStarAppear> mStarEffect;
    std::vector<std::unique_ptr<MapRestaurant>> mRestaurants;
    MovingAnimation mClouds;
    ImageDesc mCloudsDesc;
    HeldImage mCloudsImage;
    std::unique_ptr<TrMoveItems> mStarScene;
    ResourceRoomImages mResourceImages;
    RoomImageSource* mImages;
};

} // namespace Game
