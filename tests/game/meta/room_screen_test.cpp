// The room screen and the show-restaurant view driven by scripted clicks,
// updates and keys over a small catalogue, with the profile read back from
// the saved files.
#include "game/meta/room_screen.h"
#include "game/meta/show_rest_dialog.h"

#include "framework/graphics/graphics.h"
#include "framework/widget/widget_manager.h"
#include "game/app/game_app.h"
#include "game/effects/effect_rating_star.h"
#include "game/effects/effect_sinus.h"
#include "game/effects/tr_item.h"
#include "game/effects/tr_move_items.h"
#include "game/meta/menu_catalog.h"
#include "game/meta/room_image_source.h"
#include "game/meta/shop_catalog.h"
#include "game/meta/shop_item.h"
#include "game/ui/number_label.h"
#include "game/ui/resource_ids.h"
#include "game/ui/tip_window.h"
#include "game/ui/ui_sound.h"
#include "game/ui/user_manager.h"
#include "platform/file_system.h"
#include "tests/framework/app/app_test_environment.h"
#include "tests/framework/graphics/recording_image.h"
#include "tests/game/meta/catalog_text.h"
#include "tests/game/meta/fake_room_images.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Game {
namespace {

constexpr char kRoomLayout[] = "[Main]\r\nID=111\r\n"
                               "[Back]\r\nType=DialogButton\r\nID=1\r\nPosition=10,10,50,20\r\n"
                               "[Menu]\r\nType=DialogButton\r\nID=2\r\nPosition=900,10,60,20\r\n"
                               "[Prev]\r\nType=DialogButton\r\nID=3\r\nPosition=0,740,20,20\r\n"
                               "[Next]\r\nType=DialogButton\r\nID=4\r\nPosition=1000,740,20,20\r\n"
                               "[StuffHBar]\r\nType=Slider\r\nID=5\r\nPosition=0,580,660,20\r\n"
                               "[MoneyLblValue]\r\nType=NumberLabel\r\nID=6\r\nPosition=800,20,100,20\r\n"
                               "[GridXY]\r\nType=Point\r\nX=0\r\nY=600\r\n"
                               "[GridWH]\r\nType=Point\r\nX=660\r\nY=110\r\n"
                               "[MenuGridXY]\r\nType=Point\r\nX=100\r\nY=100\r\n"
                               "[MenuGridWH]\r\nType=Point\r\nX=440\r\nY=330\r\n"
                               "[RoomValue]\r\nType=Point\r\nX=950\r\nY=200\r\n"
                               "[MenuValue]\r\nType=Point\r\nX=980\r\nY=200\r\n";

// Shop order is the column order: wall1, wall0, table1, vase0, shelf,
// statue, piano, sparkle; six columns show at a time.
constexpr char kShop[] = "[Main]\r\na=wall\r\nb=table\r\nc=vase\r\nd=shelf\r\n"
                         "[wall1]\r\nCategory=wall\r\nRestIndex=1\r\nWeight=0.3\r\nPrice=10\r\nShopIndex=0\r\n"
                         "DrawInfo=0,0,0,0,100,100\r\nImageRoom=wall1.png\r\n"
                         "[wall0]\r\nCategory=wall\r\nWeight=0.1\r\nPrice=10\r\nShopIndex=1\r\n"
                         "DrawInfo=0,0,0,0,100,100\r\nImageRoom=wall0.png\r\n"
                         "[table1]\r\nCategory=table\r\nRestIndex=1\r\nWeight=0.2\r\nPrice=10\r\nShopIndex=2\r\n"
                         "ZOrder=2\r\nDrawInfo=10,10,0,0,10,10\r\nImageRoom=table1.png\r\nEffect=2\r\n"
                         "[vase0]\r\nCategory=vase\r\nWeight=0.25\r\nPrice=10\r\nShopIndex=3\r\nReplace=2\r\n"
                         "ZOrder=3\r\nDrawInfo=20,20,0,0,10,10\r\nImageRoom=vase0.png\r\nEffect=2\r\n"
                         "[shelf]\r\nCategory=shelf\r\nPrice=30\r\nShopIndex=4\r\nRemovable=1\r\nEffect=2\r\n"
                         "Replace=2\r\nDrawInfo=0,0,0,0,5,5;5,0,0,0,5,5;10,0,0,0,5,5\r\nImageRoom=shelf.png\r\n"
                         "[statue]\r\nCategory=shelf\r\nPrice=20\r\nShopIndex=5\r\nEffect=2\r\nReplace=2\r\n"
                         "ImageRoom=statue.png\r\n"
                         "[piano]\r\nCategory=shelf\r\nPrice=500\r\nShopIndex=6\r\nReplace=2\r\n"
                         "[sparkle]\r\nCategory=shelf\r\nPrice=5\r\nShopIndex=7\r\nReplace=2\r\nEffect=1\r\n"
                         "EffectRects=10,20,40,60;100,100,20,30\r\nDrawInfo=5,5,0,0,10,10\r\n"
                         "[far]\r\nCategory=table\r\nRank=1\r\nRestIndex=1\r\nWeight=0.5\r\nImageRoom=far.png\r\n";

// Row 0 the salads (bit i of Value: scores in column i), row 1 the soups.
constexpr char kMenu[] = "[Main]\r\nSalads=x\r\nSoups=x\r\n"
                         "[Salad00]\r\nCategory=Salads\r\nPrice=10\r\nValue=1\r\n"
                         "[Salad01]\r\nCategory=Salads\r\nPrice=10\r\nValue=2\r\n"
                         "[Salad02]\r\nCategory=Salads\r\nPrice=10\r\n"
                         "[Salad03]\r\nCategory=Salads\r\nPrice=10\r\n"
                         "[Soup1]\r\nCategory=Soups\r\nPrice=300\r\n";

constexpr char kAddInRoom[] = "[Main]\r\nTime=1\r\n[Item1]\r\nWIDTH=0,1;1,2\r\nHEIGHT=0,3;1,4\r\n";

using Test::FakeRoomImages;

class SoundLog : public UiSoundPlayer {
public:
    void PlayUiSound(const std::string& name, bool) override { mPlayed.push_back(name); }
    bool Played(const std::string& name) const {
        return std::find(mPlayed.begin(), mPlayed.end(), name) != mPlayed.end();
    }
    std::vector<std::string> mPlayed;
};

class ButtonLog : public Kavo::DialogListener {
public:
    void DialogButtonRelease(int32_t dialogId, int32_t buttonId) override {
        mReleased.emplace_back(dialogId, buttonId);
    }
    std::vector<std::pair<int, int>> mReleased;
};

class RoomScreenTest : public app_test::AppTestEnvironment {
protected:
    RoomScreenTest() {
        WriteFile("UI/Room.txt", kRoomLayout);
        WriteFile("ui/showrest.txt", "[Close]\r\nType=DialogButton\r\nID=1\r\nPosition=10,10,50,20\r\n");
        WriteFile("particles/addinroom.ini", kAddInRoom);
        IniDocument shop = Document(kShop);
        mShops->AddDocument(shop);
        IniDocument menu = Document(kMenu);
        mMenus->AddDocument(menu);
        SetMenuMax("[MenuMaxRaiting]\r\nRank0=2\r\n");
        IMAGE_PROGRESSBARRATING = &mBarPicture;
        mBarPicture.mNumCols = 2;
        mApp.mVSyncUpdates = false; // the screen runs its own smooth step

        platform::MakeDirectories(Folder());
        mUsers->LoadAll(Folder() + "/users.dat");
        auto* user = new User;
        user->mName = "Ann";
        user->mRecord.mRating = 200;
        user->mRecord.mTipsEnabled = 0;
        user->mRecord.mStageIndex = 1;
        user->mRecord.mStagesPlayed = 1;
        mUsers->AddUser(user);
        mScreen = new RoomScreen("UI/Room.txt", &mImages);
        mApp.mRoomScreen = mScreen; // the application deletes it
    }
    ~RoomScreenTest() override { IMAGE_PROGRESSBARRATING = nullptr; }

    void WriteFile(const std::string& name, const std::string& text) {
        const std::string path = WorkFolder() + "/" + name;
        platform::MakeDirectories(path.substr(0, path.find_last_of('/')));
        ASSERT_TRUE(platform::WriteWholeFile(path, text));
    }
    void SetMenuMax(const std::string& text) { mApp.mSettings.Parse(text.data(), text.size(), true); }
    std::string Folder() { return Platform().Folder() + "/Users"; }
    UserRecord& Record() { return *mUsers->GetCurrentRecord(); }
    void Own(const std::string& name, int list, int state, int origin = -1) {
        ItemEntry* entry = mUsers->FindOrAddItem(name, list);
        entry->mState = state;
        entry->mOrigin = origin;
    }
    const ItemEntry* Entry(const UserRecord& record, const std::string& name, int list) {
        for (const ItemEntry& entry : record.mItems[static_cast<size_t>(list)])
            if (entry.mName == name)
                return &entry;
        return nullptr;
    }
    // The current user's record as the saved profile holds it.
    UserRecord Saved() {
        UserManager reader;
        EXPECT_TRUE(reader.LoadAll(Folder() + "/users.dat"));
        return reader.GetCurrentRecord() != nullptr ? *reader.GetCurrentRecord() : UserRecord();
    }
    std::vector<std::string> RoomNames(const RoomLayout& room) {
        std::vector<std::string> names;
        room.CollectNames(names);
        return names;
    }
    // Scrolls the offer into view and clicks its middle.
    void ClickOffer(const std::string& name) {
        const std::vector<StuffCell>& cells = mScreen->mStuff.mRows.at(0).mCells;
        int column = 0;
        while (column < static_cast<int>(cells.size()) && cells[static_cast<size_t>(column)].mItem->mName != name)
            ++column;
        ASSERT_LT(column, static_cast<int>(cells.size())) << name;
        const bool late = column >= 6;
        mScreen->mStuff.mScrollX = late ? 1.0f : 0.0f;
        mScreen->MouseUp(110 * column + 55 - (late ? 220 : 0), 655, 1);
    }
    void ClickDish(int row, int column) { mScreen->MouseUp(100 + 110 * column + 55, 100 + 110 * row + 55, 1); }
    void Updates(int count) {
        for (int i = 0; i < count; ++i)
            mScreen->Update();
    }
    template <typename Done>
    bool UpdateUntil(Done done, int limit = 1000) {
        for (int i = 0; i < limit && !done(); ++i)
            mScreen->Update();
        return done();
    }
    TipWindow* OpenTip() { return dynamic_cast<TipWindow*>(mApp.GetDialog(TipWindow::kDialogId)); }
    void CloseTip() {
        ASSERT_NE(OpenTip(), nullptr);
        OpenTip()->ButtonDepress(1);
    }
    template <typename T>
    std::vector<T*> EffectsOf() {
        std::vector<T*> found;
        for (size_t i = 0; i < mScreen->mEffects.GetCount(); ++i)
            if (auto* effect = dynamic_cast<T*>(mScreen->mEffects.Get(i)))
                found.push_back(effect);
        return found;
    }

    GameApp mApp{Platform().Folder() + "/program"};
    UserManager* mUsers = UserManager::GetInstance();
    std::shared_ptr<ShopCatalog> mShops = std::make_shared<ShopCatalog>();
    std::shared_ptr<MenuCatalog> mMenus = std::make_shared<MenuCatalog>();
    platform::Installed<ShopCatalog> mShopSlot{ShopCatalogSlot(), mShops};
    platform::Installed<MenuCatalog> mMenuSlot{MenuCatalogSlot(), mMenus};
    std::shared_ptr<SoundLog> mSounds = std::make_shared<SoundLog>();
    platform::Installed<UiSoundPlayer> mSoundSlot{UiSoundPlayerSlot(), mSounds};
    Kavo::RecordingImage mBarPicture{40, 200};
    FakeRoomImages mImages;
    RoomScreen* mScreen = nullptr;
};

TEST_F(RoomScreenTest, AClickBuysAndPlacesAnOfferAndASecondDeletesOnlyWhatIsRemovable) {
    mScreen->OnEnter();
    ClickOffer("shelf"); // 30 for each of three pieces
    EXPECT_EQ(mScreen->GetMoney(), 110);
    NumberLabel* label = mScreen->GetMoneyLabel();
    ASSERT_NE(label, nullptr);
    label->Update();
    EXPECT_FLOAT_EQ(label->mCurrent, 191.0f); // 9 a step down to 110
    EXPECT_FLOAT_EQ(label->mTarget, 110.0f);
    EXPECT_TRUE(mSounds->Played("buystuff"));
    EXPECT_TRUE(mSounds->Played("roomaddstuff"));
    EXPECT_EQ(RoomNames(mScreen->mRoom), std::vector<std::string>{"shelf"});
    EXPECT_NE(mShops->Find("shelf")->mRoomImage, nullptr);
    UserRecord saved = Saved();
    EXPECT_EQ(saved.mRating, 110);
    ASSERT_NE(Entry(saved, "shelf", 0), nullptr);
    EXPECT_EQ(Entry(saved, "shelf", 0)->mState, 1);

    ClickOffer("shelf"); // removable: gone again, not sold back
    EXPECT_TRUE(mSounds->Played("deletestuff"));
    EXPECT_TRUE(mScreen->mRoom.mItems.empty());
    EXPECT_EQ(mShops->Find("shelf")->mRoomImage, nullptr);
    saved = Saved();
    EXPECT_EQ(saved.mRating, 110);
    EXPECT_EQ(Entry(saved, "shelf", 0)->mState, 0);

    ClickOffer("statue"); // not removable: a second click keeps it
    ClickOffer("statue");
    EXPECT_EQ(RoomNames(mScreen->mRoom), std::vector<std::string>{"statue"});
    EXPECT_EQ(Record().mRating, 90);

    ClickOffer("piano"); // beyond the rating
    EXPECT_EQ(Record().mRating, 90);
    EXPECT_EQ(mUsers->FindItem("piano", 0), nullptr);
    EXPECT_EQ(RoomNames(mScreen->mRoom), std::vector<std::string>{"statue"});
}

TEST_F(RoomScreenTest, TheRoomValueCountsTheWallsStyleGroupOnceTheStarHasArrived) {
    Own("wall1", 0, 1);
    Own("table1", 0, 1);
    Own("vase0", 0, 1);
    Own("far", 0, 1); // another restaurant's, placed there
    mScreen->OnEnter();
    EXPECT_FLOAT_EQ(Record().mRoomValue, 0.5f); // wall1 and table1: style group 1
    EXPECT_FLOAT_EQ(mScreen->mRoomBar.mTarget, 0.5f);

    ClickOffer("wall0"); // replaces wall1; style group 0 now
    EXPECT_EQ(RoomNames(mScreen->mRoom), (std::vector<std::string>{"wall0", "table1", "vase0"}));
    EXPECT_EQ(mUsers->FindItem("wall1", 0)->mState, 0);
    EXPECT_EQ(mUsers->FindItem("far", 0)->mState, 1);
    EXPECT_FLOAT_EQ(Record().mRoomValue, 0.5f); // the star is on its way
    ASSERT_TRUE(UpdateUntil([&] { return Record().mRoomValue != 0.5f; }));
    EXPECT_FLOAT_EQ(Record().mRoomValue, 0.35f);
    EXPECT_FLOAT_EQ(mScreen->mRoomBar.mTarget, 0.35f);
}

TEST_F(RoomScreenTest, LeavingWithAStarInFlightStoresTheNewValuesAndSaves) {
    Own("wall1", 0, 1);
    Own("table1", 0, 1);
    Own("vase0", 0, 1);
    mScreen->OnEnter();
    ClickOffer("wall0");
    mScreen->OnLeave();
    EXPECT_FLOAT_EQ(Record().mRoomValue, 0.35f);
    EXPECT_NEAR(Saved().mRoomValue, 0.35f, 0.011f); // stored in hundredths
}

TEST_F(RoomScreenTest, TheMenuFractionIsTheScoreOverTheMaximumAndZeroWithoutOne) {
    struct Case {
        const char* settings;
        float fraction;
    };
    for (const Case& c : {Case{"[MenuMaxRaiting]\r\nRank0=2\r\n", 0.5f}, Case{"[MenuMaxRaiting]\r\nRank0=0\r\n", 0.0f},
                          Case{"[Other]\r\nx=1\r\n", 0.0f}}) {
        SetMenuMax(c.settings);
        Own("Salad00", 1, 1, 0); // on the menu in its scoring column
        Record().mMoney = 0.7f;
        mScreen->OnEnter();
        EXPECT_FLOAT_EQ(Record().mMoney, c.fraction) << c.settings;
        EXPECT_FLOAT_EQ(mScreen->mMenuBar.mTarget, c.fraction) << c.settings;
    }
}

TEST_F(RoomScreenTest, MenuModeBuysDishesAndExchangesTheirColumns) {
    mScreen->OnEnter();
    mScreen->ButtonDepress(RoomScreen::kMenuButton);
    EXPECT_EQ(mScreen->GetMode(), RoomScreen::kMenuMode);
    EXPECT_TRUE(mSounds->Played("openmenu"));

    ClickDish(0, 0);
    ASSERT_NE(mUsers->FindItem("Salad00", 1), nullptr);
    EXPECT_EQ(mUsers->FindItem("Salad00", 1)->mState, 1);
    EXPECT_EQ(Record().mRating, 190);
    ASSERT_EQ(EffectsOf<EffectRatingStar>().size(), 1u);
    EXPECT_EQ(EffectsOf<EffectRatingStar>()[0]->mListener, mScreen);
    EXPECT_EQ(EffectsOf<EffectRatingStar>()[0]->mPath->mPoints.back().x, 980); // the menu bar
    ASSERT_TRUE(UpdateUntil([&] { return Record().mMoney != 0.0f; }));
    EXPECT_FLOAT_EQ(Record().mMoney, 0.5f);
    ClickDish(1, 0); // 300: beyond the rating
    EXPECT_EQ(mUsers->FindItem("Soup1", 1), nullptr);

    ClickDish(0, 1);
    ClickDish(0, 0); // owned: picked
    EXPECT_TRUE(mSounds->Played("selectmenucell"));
    ClickDish(0, 1); // the second of the row: exchanged
    EXPECT_TRUE(mSounds->Played("menucellchange"));
    EXPECT_EQ(EffectsOf<EffectSinus>().size(), 2u);
    EXPECT_EQ(mUsers->FindItem("Salad00", 1)->mOrigin, 1);
    EXPECT_EQ(mUsers->FindItem("Salad01", 1)->mOrigin, 0);
    EXPECT_EQ(Saved().mItems[1].size(), 2u);
    ASSERT_TRUE(UpdateUntil([&] { return EffectsOf<EffectSinus>().empty(); }));
    for (const MenuCell& cell : mScreen->mDishes.mRows[0].mCells)
        EXPECT_EQ(cell.mCarrier, nullptr) << cell.mEntry->mName; // landed

    mScreen->MouseUp(800, 700, 1); // outside the dishes: back to the offers
    EXPECT_EQ(mScreen->GetMode(), RoomScreen::kStuffMode);
    mScreen->OnEnter();
    EXPECT_EQ(mScreen->mDishes.FindCell("Salad01"), &mScreen->mDishes.mRows[0].mCells[0]);
    EXPECT_EQ(mScreen->mDishes.FindCell("Salad00"), &mScreen->mDishes.mRows[0].mCells[1]);
}

TEST_F(RoomScreenTest, ExchangingTwoDishesRecomputesTheMenuValueAtOnce) {
    Own("Salad00", 1, 1, 0); // both in the column they score in
    Own("Salad01", 1, 1, 1);
    mScreen->OnEnter();
    EXPECT_FLOAT_EQ(Record().mMoney, 1.0f);
    mScreen->ButtonDepress(RoomScreen::kMenuButton);
    ClickDish(0, 0);
    ClickDish(0, 1); // exchanged: neither scores now
    EXPECT_FLOAT_EQ(Record().mMoney, 0.0f);
    EXPECT_FLOAT_EQ(mScreen->mMenuBar.mTarget, 0.0f);
    EXPECT_FLOAT_EQ(Saved().mMoney, 0.0f);
}

TEST_F(RoomScreenTest, TheRoomTipsChainAndOpenOnTheirEvents) {
    Record().mTipsEnabled = 1;
    mScreen->OnEnter();
    ASSERT_NE(OpenTip(), nullptr);
    EXPECT_EQ(OpenTip()->mTipId, 19);
    CloseTip();
    ASSERT_NE(OpenTip(), nullptr);
    EXPECT_EQ(OpenTip()->mTipId, 20); // at the first offer not in the room
    // Kept on the screen, its pointer at the offer.
    EXPECT_EQ(OpenTip()->mX, 0);
    EXPECT_EQ(OpenTip()->mX + OpenTip()->mPointerX, 55);
    EXPECT_EQ(OpenTip()->mY + OpenTip()->mHeight, 655);
    ClickOffer("shelf");
    EXPECT_EQ(OpenTip(), nullptr);
    EXPECT_EQ(Record().mTipShown[20], 1);

    mScreen->ButtonDepress(RoomScreen::kMenuButton);
    ASSERT_NE(OpenTip(), nullptr);
    EXPECT_EQ(OpenTip()->mTipId, 23);
    ClickDish(0, 0);
    ClickDish(0, 1);
    EXPECT_EQ(OpenTip()->mTipId, 23); // two salads
    ClickDish(0, 2);
    ASSERT_NE(OpenTip(), nullptr);
    EXPECT_EQ(OpenTip()->mTipId, 24);
    for (int next : {25, 26}) {
        CloseTip();
        ASSERT_NE(OpenTip(), nullptr);
        EXPECT_EQ(OpenTip()->mTipId, next);
    }
    CloseTip();
    EXPECT_EQ(OpenTip(), nullptr);
    ClickDish(0, 3); // a fourth salad: 24 was shown
    EXPECT_EQ(OpenTip(), nullptr);
}

TEST_F(RoomScreenTest, TheStripSlidesAwayWithoutTheMouseAndComesBackUnderIt) {
    mScreen->OnEnter();
    EXPECT_TRUE(mScreen->GetScrollBar()->mVisible); // eight offers, six shown
    Updates(199);
    EXPECT_EQ(mScreen->GetSlideSpeed(), 0.0f);
    Updates(1);
    EXPECT_EQ(mScreen->GetSlideSpeed(), 2.0f);
    EXPECT_FALSE(mScreen->GetScrollBar()->mVisible);
    EXPECT_FALSE(mScreen->GetPrevButton()->mVisible);
    Updates(83);
    EXPECT_LT(mScreen->mStuff.mViewY, 769.0f);
    Updates(1);
    EXPECT_EQ(mScreen->mStuff.mViewY, 769.0f);
    EXPECT_EQ(mScreen->GetSlideSpeed(), 0.0f);

    mScreen->MouseMove(500, 559); // above the zone
    Updates(1);
    EXPECT_EQ(mScreen->mStuff.mViewY, 769.0f);
    mScreen->MouseMove(500, 560);
    Updates(1);
    EXPECT_EQ(mScreen->mStuff.mViewY, 767.0f);
    ASSERT_TRUE(UpdateUntil([&] { return mScreen->GetSlideSpeed() == 0.0f; }));
    EXPECT_EQ(mScreen->mStuff.mViewY, 600.0f);
    EXPECT_TRUE(mScreen->GetScrollBar()->mVisible);
    EXPECT_TRUE(mScreen->GetNextButton()->mVisible);
}

TEST_F(RoomScreenTest, ANewPlayersStripNeverLeaves) {
    Record().mStageIndex = 0;
    Record().mStagesPlayed = 0;
    mScreen->OnEnter();
    Updates(400);
    EXPECT_EQ(mScreen->mStuff.mViewY, 600.0f);
    EXPECT_EQ(mScreen->GetSlideSpeed(), 0.0f);
}

TEST_F(RoomScreenTest, APlacementSendsItsStarsFromTheWindowCentreOrFromEachEffectArea) {
    mScreen->OnEnter();
    ClickOffer("wall0"); // effect 0
    auto stars = EffectsOf<EffectRatingStar>();
    ASSERT_EQ(stars.size(), 1u);
    EXPECT_EQ(stars[0]->mPath->mPoints.front().x, 512);
    EXPECT_EQ(stars[0]->mPath->mPoints.front().y, 384);
    EXPECT_EQ(stars[0]->mPath->mPoints.back().x, 950);
    EXPECT_EQ(stars[0]->mPath->mPoints.back().y, 300); // half the bar picture down
    mScreen->mEffects.Clear();

    ClickOffer("sparkle"); // effect 1, two areas moved by the first piece (5, 5)
    const auto scenes = EffectsOf<TrMoveItems>();
    stars = EffectsOf<EffectRatingStar>();
    ASSERT_EQ(scenes.size(), 2u);
    ASSERT_EQ(stars.size(), 2u);
    const float centres[2][2] = {{35, 55}, {115, 120}};
    const float sizes[2][2] = {{40, 60}, {20, 30}};
    for (size_t i = 0; i < 2; ++i) {
        TrItem& item = scenes[i]->GetItem(0);
        EXPECT_EQ(item.mX, centres[i][0]) << i;
        EXPECT_EQ(item.mY, centres[i][1]) << i;
        EXPECT_EQ(item.mDesc.mWidth.mKeys, (std::vector<std::pair<float, float>>{{0.0f, sizes[i][0]}})) << i;
        EXPECT_EQ(item.mDesc.mHeight.mKeys, (std::vector<std::pair<float, float>>{{0.0f, sizes[i][1]}})) << i;
        EXPECT_EQ(stars[i]->mPath->mPoints.front().x, static_cast<int>(centres[i][0])) << i;
    }
    EXPECT_EQ(stars[0]->mListener, nullptr);
    EXPECT_EQ(stars[1]->mListener, mScreen);
}

TEST_F(RoomScreenTest, APlacementWithoutAStarCountsAtOnce) {
    Own("wall0", 0, 1);
    mScreen->OnEnter();
    EXPECT_FLOAT_EQ(Record().mRoomValue, 0.1f);
    ClickOffer("vase0"); // effect 2: no star
    EXPECT_TRUE(EffectsOf<EffectRatingStar>().empty());
    EXPECT_FLOAT_EQ(Record().mRoomValue, 0.35f);
}

TEST_F(RoomScreenTest, EnteringRebuildsTheRoomFromTheRecordAndTheDeveloperKeysMoveTheRestaurant) {
    Own("wall1", 0, 1);
    Own("wall0", 0, 1); // later in the list: replaces wall1
    Own("vase0", 0, 0);
    Own("far", 0, 1);
    ShopItem* vase = mShops->Find("vase0");
    vase->mRoomImage = mImages.LoadImageWithFlags("images/shop/vase0.png", "");
    mScreen->OnEnter();
    EXPECT_EQ(RoomNames(mScreen->mRoom), std::vector<std::string>{"wall0"});
    EXPECT_EQ(vase->mRoomImage, nullptr);
    EXPECT_EQ(mImages.mDeleted, std::vector<std::string>{"images/shop/vase0.png"});
    EXPECT_NE(mShops->Find("wall0")->mRoomImage, nullptr);
    EXPECT_EQ(mShops->Find("wall1")->mRoomImage, nullptr);

    mScreen->KeyUp('2'); // developer keys off
    EXPECT_EQ(Record().mStageIndex, 1);
    mApp.mDebugKeysEnabled = true;
    mScreen->KeyUp('2');
    EXPECT_EQ(Record().mStageIndex, 6);
    EXPECT_EQ(Record().mReachedStage, 7);
    EXPECT_EQ(RoomNames(mScreen->mRoom), std::vector<std::string>{"far"});
    EXPECT_EQ(mScreen->mStuff.mRows[0].mCells.size(), 1u);
}

TEST_F(RoomScreenTest, TheScreenIsEnteredFromTheBoardAndTheMapAndGoesBack) {
    for (int transition : {31, 21}) {
        auto* from = new GameDialog(transition, false);
        (transition == 31 ? mApp.mBoardScreen : mApp.mMapScreen) = from;
        mApp.mWidgetManager->AddWidget(from);
        mApp.SwitchScreen(transition);
        EXPECT_TRUE(mApp.mWidgetManager->HasWidget(mScreen)) << transition;
        EXPECT_EQ(mScreen->GetMoney(), Record().mRating) << transition;
        ClickOffer("statue"); // bought the first time only
        mScreen->ButtonDepress(RoomScreen::kBackButton);
        EXPECT_FALSE(mApp.mWidgetManager->HasWidget(mScreen)) << transition;
        EXPECT_TRUE(mApp.mWidgetManager->HasWidget(from)) << transition;
        EXPECT_EQ(Saved().mRating, 180) << transition;
    }
}

TEST_F(RoomScreenTest, TheShowRestaurantViewDrawsOnlyThatRestaurantsPlacedItems) {
    struct Case {
        int restaurant;
        std::vector<std::string> room;
    };
    Own("wall1", 0, 1);  // style group 1
    Own("table1", 0, 0); // owned, not placed
    Own("wall0", 0, 1);  // style group 0
    for (const Case& c : {Case{1, {"wall1"}}, Case{2, {}}}) {
        ShowRestDialog view("ui/showrest.txt", &mImages);
        view.Resize(0, 0, 1024, 768);
        view.SetRestaurant(c.restaurant);
        EXPECT_EQ(RoomNames(view.GetRoom()), c.room) << c.restaurant;
        Kavo::RecordingImage screen(1024, 768);
        Kavo::Graphics g(&screen);
        view.Draw(&g);
        ASSERT_EQ(screen.mCalls.size(), 1 + c.room.size()) << c.restaurant;
        EXPECT_EQ(screen.mCalls[0].rfind("FillRect [0,0,1024,768] (0,0,0,255)", 0), 0u) << screen.mCalls[0];
    }

    ShowRestDialog view("ui/showrest.txt", &mImages);
    ButtonLog listener;
    view.mDialogListener = &listener;
    view.ButtonDepress(1);
    EXPECT_EQ(listener.mReleased, (std::vector<std::pair<int, int>>{{18, 1}}));
    EXPECT_EQ(view.mResult, 1);
    EXPECT_TRUE(mSounds->Played("MouseDown"));
}

} // namespace
} // namespace Game
