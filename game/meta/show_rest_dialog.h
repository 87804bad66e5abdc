#pragma once
// The full-window view of another restaurant's room as the player decorated
// it, with a "Close" button that reports to the dialog's listener.

#include <cstdint>
#include <memory>
#include <string>

#include "game/meta/resource_room_images.h"
#include "game/meta/room_layout.h"
#include "game/ui/game_dialog.h"
#include "game/ui/layout.h"

namespace Game {

class RoomImageSource;

class ShowRestDialog : public GameDialog {
public:
    static constexpr int32_t kDialogId = 18;

    // `images` (not owned) loads and frees the room pictures; null takes the
    // game's resource manager.
    explicit ShowRestDialog(const std::string& layoutPath = "ui/showrest.txt", RoomImageSource* images = nullptr);
    ~ShowRestDialog() override;

    // Furnishes the room with the current player's placed items of that
    // restaurant's style group and loads their pictures.
    virtual void SetRestaurant(int restaurant);

    void Update() override;
    // Black, then the room; the button draws itself.
    void Draw(Kavo::Graphics* g) override;
    void ButtonDepress(int32_t buttonId) override;

    const RoomLayout& GetRoom() const { return mRoom; }
    int GetRestaurant() const { return mRestaurant; }

private:
    std::unique_ptr<Layout> mLayout;
    RoomLayout mRoom;
    int mRestaurant = 0;
    ResourceRoomImages mResourceImages;
    RoomImageSource* mImages;
};

} // namespace Game
