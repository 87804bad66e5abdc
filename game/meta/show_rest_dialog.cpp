#include "game/meta/show_rest_dialog.h"

#include "framework/app/kavo_app_base.h"
#include "framework/graphics/graphics.h"
#include "game/meta/room_fill.h"
#include "game/meta/shop_catalog.h"
#include "game/meta/shop_item.h"
#include "game/ui/ui_sound.h"
#include "game/ui/user_manager.h"

namespace Game {

ShowRestDialog::ShowRestDialog(const std::string& layoutPath, RoomImageSource* images)
    : GameDialog(kDialogId, false), mImages(images != nullptr ? images : &mResourceImages) {
    mLayout = std::make_unique<Layout>(layoutPath, this);
}

ShowRestDialog::~ShowRestDialog() {
    mLayout.reset();
}

void ShowRestDialog::SetRestaurant(int restaurant) {
    mRestaurant = restaurant;
    auto catalog = ShopCatalogSlot().Get();
    UserManager* users = UserManager::GetInstance();
    const UserRecord* record = users != nullptr ? users->GetCurrentRecord() : nullptr;
    mRoom.Clear();
    if (catalog == nullptr)
        return;
    if (record != nullptr)
        PlaceMarkedItems(mRoom, *catalog, record->mItems[0],
                         [restaurant](const ShopItem& item) { return item.mRestIndex == restaurant; });
    RefreshRoomImages(mRoom, *catalog, *mImages);
}

void ShowRestDialog::Update() {
    GameDialog::Update();
    Kavo::KavoAppBase* app = Kavo::gAppBase;
    if (app == nullptr || !app->mVSyncUpdates)
        UpdateF(1.0f);
}

void ShowRestDialog::Draw(Kavo::Graphics* g) {
    g->PushState();
    g->SetColor(Kavo::Color(0, 0, 0, 255));
    g->FillRect(0, 0, mWidth, mHeight);
    g->PopState();
    mRoom.Draw(g);
}

void ShowRestDialog::ButtonDepress(int32_t buttonId) {
    PlayUiSound("MouseDown", true);
    mResult = buttonId;
    if (mDialogListener != nullptr)
        mDialogListener->DialogButtonRelease(kDialogId, buttonId);
}

} // namespace Game
