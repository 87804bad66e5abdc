#include "game/meta/shop_screen.h"

#include "framework/util/buffer.h"
#include "framework/widget/hyperlink_widget.h"
#include "game/board/stage.h"
#include "game/meta/shop_screen_board.h"
#include "game/ui/termins.h"
#include "game/ui/tip_window.h"
#include "tests/game/meta/meta_screen_fixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace Game::Test {
namespace {

class FakeBoard : public ShopScreenBoard {
public:
    float GetTimerDuration() const override { return mDuration; }
    float GetTimerValue() const override { return mValue; }
    LayoutPoint GetTimerPosition() const override { return {60, 600}; }
    void SetTimeBonusDisplay(float bonus) override { mTimeBonus = bonus; }
    void SetRatingText(const std::string& text) override { mRatingText = text; }
    void UpdateTimerDial() override { ++mDialUpdates; }

    float mDuration = 30000.0f;
    float mValue = 12050.0f;
    float mTimeBonus = -1.0f;
    std::string mRatingText;
    int mDialUpdates = 0;
};

// 600 x 500 at (200, 100); it arrives on its first update.
const char kLayout[] = "[Main]\r\nID=15\r\nPosition=200,100,600,500\r\nBeginX=500\r\nBeginY=350\r\nEndX=500\r\n"
                       "EndY=-400\r\nSpeed=100000\r\n"
                       "[Ok]\r\nType=DialogButton\r\nID=1\r\nPosition=100,400,120,40\r\n"
                       "[Shop]\r\nType=DialogButton\r\nID=2\r\nPosition=350,400,120,40\r\n"
                       "[MoneyLblValue]\r\nType=NumberLabel\r\nID=10\r\nPosition=400,20,100,20\r\n"
                       "[DrinkLblValue]\r\nType=NumberLabel\r\nID=11\r\nPosition=100,100,60,20\r\n"
                       "[FoodLblValue]\r\nType=NumberLabel\r\nID=12\r\nPosition=100,150,60,20\r\n"
                       "[StuffLblValue]\r\nType=NumberLabel\r\nID=13\r\nPosition=100,200,60,20\r\n"
                       "[PercentDrinkLbl]\r\nType=Link\r\nID=14\r\nPosition=300,100,60,20\r\n"
                       "[PercentFoodLbl]\r\nType=Link\r\nID=15\r\nPosition=300,150,60,20\r\n"
                       "[PercentStuffLbl]\r\nType=Link\r\nID=16\r\nPosition=300,200,60,20\r\n"
                       "[PostcardLbl]\r\nType=Link\r\nID=17\r\nPosition=400,300,60,20\r\n"
                       "[MoneyPrev]\r\nType=Point\r\nX=500\r\nY=30\r\n"
                       "[PoscardPrev]\r\nType=Point\r\nX=500\r\nY=300\r\n"
                       "[ProgressBarDrink]\r\nType=Point\r\nX=180\r\nY=100\r\n"
                       "[ProgressBarFood]\r\nType=Point\r\nX=180\r\nY=150\r\n"
                       "[ProgressBarStuff]\r\nType=Point\r\nX=180\r\nY=200\r\n"
                       "[PlaceDrink]\r\nType=Point\r\nX=40\r\nY=100\r\n"
                       "[PlaceFood]\r\nType=Point\r\nX=40\r\nY=150\r\n"
                       "[PlaceStuff]\r\nType=Point\r\nX=40\r\nY=200\r\n";

class ShopScreenTest : public MetaScreenFixture {
protected:
    ShopScreenTest() {
        WriteWorkFile("UI/LevelComplete.txt", kLayout);
        WriteWorkFile("terms.txt", "[Texts]\r\nStageComplete=%d%%\r\n");
        TerminsSlot().Get()->Load(WorkFolder() + "/terms.txt");
        mStage.mDrinkPrice = 5;
        mStage.mEatPrice = 4;
        mStage.mStuffPrice = 2;
        mMaps.mEntries.resize(1);
        mMaps.mEntries[0].mItems.resize(5);
        Record().mRating = 50;
        Record().mTipShown[ShopScreen::kFirstTip] = 1;
        SetStats({30, 20, 10}, {30, 20, 10});
    }

    void SetStats(std::array<float, 3> gains, std::array<float, 3> totals) {
        for (int kind = 0; kind < 3; ++kind) {
            Record().mRestaurantCounts[static_cast<size_t>(kind)] = gains[static_cast<size_t>(kind)];
            Record().mStageCounts[static_cast<size_t>(kind)] = totals[static_cast<size_t>(kind)];
        }
    }
    std::unique_ptr<ShopScreen> Make() {
        auto screen = std::make_unique<ShopScreen>("UI/LevelComplete.txt", StageFigures{1000, 0, 2}, mStage, mBoard);
        screen->mDialogListener = &mResults;
        return screen;
    }
    // One update of the screen and its labels, as the widget manager runs them.
    void Step(ShopScreen& screen) {
        screen.Update();
        screen.GetMoneyLabel()->Update();
        for (ShopKind kind : {kShopDrink, kShopFood, kShopStuff})
            screen.GetKindLabel(kind)->Update();
    }
    // Updates until `done`; the number of updates, or -1 past the limit.
    int StepUntil(ShopScreen& screen, const std::function<bool()>& done, int limit = 3000) {
        for (int i = 1; i <= limit; ++i) {
            Step(screen);
            if (done())
                return i;
        }
        return -1;
    }
    int SavedRating() {
        std::string bytes;
        EXPECT_TRUE(platform::ReadWholeFile(mUsers->ProfilePath("Ann"), bytes));
        Kavo::Buffer buffer;
        buffer.SetData(reinterpret_cast<const uint8_t*>(bytes.data()), static_cast<int>(bytes.size()));
        User back;
        EXPECT_TRUE(mUsers->ReadProfile(&back, buffer));
        return back.mRecord.mRating;
    }

    Stage mStage;
    FakeBoard mBoard;
};

TEST_F(ShopScreenTest, BooksOnceThenCountsTheGainsTheCoinsTheRatingAndTheTimeBonus) {
    auto screen = Make();
    EXPECT_EQ(screen->GetRatingGain(), 16);
    EXPECT_EQ(screen->GetTimeBonus(), 179);
    EXPECT_EQ(mUsers->GetRating(), 245);
    EXPECT_EQ(SavedRating(), 245);
    EXPECT_EQ(screen->GetPostcardLabel()->mLabel, "2/5");
    EXPECT_EQ(screen->GetMoneyLabel()->mLabel, "1,000");
    EXPECT_EQ(screen->GetKindLabel(kShopDrink)->mLabel, "0");
    EXPECT_FLOAT_EQ(screen->GetKindLabel(kShopDrink)->mStep, 0.2f);
    EXPECT_NEAR(screen->GetKindLabel(kShopFood)->mStep, 0.1333f, 1e-4);
    EXPECT_NEAR(screen->GetKindLabel(kShopStuff)->mStep, 0.0667f, 1e-4);
    EXPECT_TRUE(screen->GetShop()->mVisible); // tip 17 seen

    // The first update lands it; the three kinds count up in about 150 updates.
    Step(*screen);
    EXPECT_EQ(screen->GetPhase(), ShopScreen::kCounting);
    const int counted = StepUntil(*screen, [&] { return screen->GetPhase() != ShopScreen::kCounting; });
    EXPECT_GE(counted, 149);
    EXPECT_LE(counted, 150);
    EXPECT_EQ(screen->GetPhase(), ShopScreen::kCoinsFlying);
    EXPECT_EQ(screen->GetCoins().GetCount(), 3u); // later label reports launch no more
    EXPECT_EQ(mSounds->Count("levelcompletestuffrating"), 1);
    EXPECT_EQ(screen->GetPercentLabel(kShopDrink)->mLabel, "30%");

    // The first coin starts the money count; the others change nothing.
    ASSERT_GT(StepUntil(*screen, [&] { return screen->GetPhase() == ShopScreen::kRatingCounting; }), 0);
    EXPECT_FLOAT_EQ(screen->GetMoneyLabel()->mTarget, 1016.0f);
    ASSERT_GT(StepUntil(*screen, [&] { return screen->GetPhase() == ShopScreen::kTimeBonus; }), 0);
    EXPECT_FLOAT_EQ(screen->GetMoneyLabel()->mCurrent, 1016.0f);
    EXPECT_EQ(mSounds->Count("levelcompletetimebonus"), 1);
    EXPECT_FLOAT_EQ(mBoard.mTimeBonus, 179.0f);
    EXPECT_EQ(mApp.GetOpenTipId(), 32); // tip 17 was seen already

    ASSERT_GT(StepUntil(*screen, [&] { return screen->GetPhase() == ShopScreen::kFinished; }), 0);
    EXPECT_FLOAT_EQ(screen->GetMoneyLabel()->mCurrent, 1195.0f);
    EXPECT_EQ(mBoard.mRatingText, "245");
    EXPECT_GT(mBoard.mDialUpdates, 0);
    EXPECT_EQ(mUsers->GetRating(), 245); // booked once
    EXPECT_TRUE(mResults.mResults.empty());
}

TEST_F(ShopScreenTest, PricesBonusesAndPercentEdges) {
    struct Case {
        const char* name;
        int drinkPrice;
        float timerValue;
        std::array<float, 3> totals;
        int stuffCount;
        int ratingGain;
        int timeBonus;
        const char* drinkPercent;
        const char* stuffPercent;
    };
    const Case cases[] = {
        {"plain", 5, 12050.0f, {30, 20, 10}, 100, 16, 179, "30%", "10%"},
        {"no time bonus", 5, 30000.0f, {130, 20, 10}, 100, 16, 0, "100%", "10%"},
        {"free drink", 0, 30000.0f, {30, 20, 10}, 0, 10, 0, "30%", "0%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mStage.mDrinkPrice = c.drinkPrice;
        mStage.mStuffCount = c.stuffCount;
        mBoard.mValue = c.timerValue;
        SetStats({30, 20, 10}, c.totals);
        Record().mRating = 50;
        mSounds->mPlayed.clear();
        auto screen = Make();
        EXPECT_EQ(screen->GetRatingGain(), c.ratingGain);
        EXPECT_EQ(screen->GetTimeBonus(), c.timeBonus);
        EXPECT_EQ(mUsers->GetRating(), 50 + c.ratingGain + c.timeBonus);
        ASSERT_GT(StepUntil(*screen, [&] { return screen->GetPhase() >= ShopScreen::kRatingCounting; }), 0);
        EXPECT_EQ(screen->GetPercentLabel(kShopDrink)->mLabel, c.drinkPercent);
        EXPECT_EQ(screen->GetPercentLabel(kShopStuff)->mLabel, c.stuffPercent);
        if (c.timeBonus == 0) {
            ASSERT_GT(StepUntil(*screen, [&] { return screen->GetPhase() == ShopScreen::kFinished; }), 0);
            EXPECT_EQ(mSounds->Count("levelcompletetimebonus"), 0);
            EXPECT_TRUE(screen->GetCoins().IsEmpty());
            EXPECT_FLOAT_EQ(mBoard.mTimeBonus, -1.0f);
        }
    }
}

// A stage that brought more than its goal starts its bar at what the
// restaurant had before, never below an empty bar: the share counts up from
// an empty bar (not from "-80%") and stops at 100%.
TEST_F(ShopScreenTest, AStageBeyondItsGoalCountsUpFromNoShare) {
    mStage.mDrinkCount = 100;
    SetStats({180, 20, 10}, {180, 20, 10});
    auto screen = Make();
    std::vector<std::string> shown;
    ASSERT_GT(StepUntil(*screen,
                        [&] {
                            shown.push_back(screen->GetPercentLabel(kShopDrink)->mLabel);
                            return screen->GetPhase() >= ShopScreen::kRatingCounting;
                        }),
              0);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), "1%"); // one step of 1.2 counted on landing
    for (const std::string& text : shown)
        EXPECT_NE(text.front(), '-') << text;
    EXPECT_EQ(shown.back(), "100%");
}

// A count with nothing to count is reached at once: a stage whose amounts
// come to less than a rating point, or that brought nothing, still shows
// the tip, counts the time bonus once (the rating's coins landing after it
// started add nothing) and finishes.
TEST_F(ShopScreenTest, AGainOfZeroOrNothingBroughtStillFinishes) {
    struct Case {
        const char* name;
        std::array<float, 3> gains;
        float timerValue;
        int timeBonus;
    };
    const Case cases[] = {
        {"under a point, time bonus", {1, 1, 1}, 12050.0f, 179},
        {"under a point, no time bonus", {1, 1, 1}, 30000.0f, 0},
        {"nothing brought, time bonus", {0, 0, 0}, 12050.0f, 179},
        {"nothing brought, no time bonus", {0, 0, 0}, 30000.0f, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mBoard.mValue = c.timerValue;
        mBoard.mRatingText.clear();
        SetStats(c.gains, c.gains);
        Record().mRating = 50;
        mApp.CloseTip(false); // the last case's tip (closing marks it seen)
        Record().mTipShown[ShopScreen::kFirstTip] = 0;
        mSounds->mPlayed.clear();
        auto screen = Make();
        EXPECT_EQ(screen->GetRatingGain(), 0);
        EXPECT_EQ(screen->GetTimeBonus(), c.timeBonus);
        ASSERT_GT(StepUntil(*screen, [&] { return screen->GetPhase() == ShopScreen::kFinished; }), 0)
            << "phase " << screen->GetPhase();
        EXPECT_EQ(mApp.GetOpenTipId(), ShopScreen::kFirstTip);
        EXPECT_EQ(mSounds->Count("levelcompletetimebonus"), c.timeBonus > 0 ? 1 : 0);
        // Every coin lands, and the label shows the booked sum once.
        StepUntil(*screen, [&] { return screen->GetCoins().IsEmpty(); });
        for (int i = 0; i < 200; ++i)
            Step(*screen);
        EXPECT_FLOAT_EQ(screen->GetMoneyLabel()->mCurrent, 1000.0f + static_cast<float>(c.timeBonus));
        EXPECT_EQ(mBoard.mRatingText, c.timeBonus > 0 ? "229" : "");
        EXPECT_EQ(mUsers->GetRating(), 50 + c.timeBonus);
    }
}

TEST_F(ShopScreenTest, AnEmptySecretTableCountsNoPieces) {
    mMaps.mEntries.clear();
    EXPECT_EQ(Make()->GetPostcardLabel()->mLabel, "2/0");
}

TEST_F(ShopScreenTest, TheFirstStageHidesShopAndLaterStagesShowBothButtons) {
    Record().mTipShown[ShopScreen::kFirstTip] = 0;
    auto first = Make();
    EXPECT_FALSE(first->GetShop()->mVisible);
    EXPECT_EQ(first->GetOk()->mX, (600 - 120) / 2 - 80);
    EXPECT_EQ(first->GetOk()->mY, 400);
    first.reset();
    EXPECT_EQ(Record().mTipShown[ShopScreen::kFirstTip], 1);
    EXPECT_EQ(Record().mTipShown[ShopScreen::kSecondTip], 1);
    auto next = Make();
    EXPECT_TRUE(next->GetShop()->mVisible);
    EXPECT_EQ(next->GetOk()->mX, 100);
}

TEST_F(ShopScreenTest, OkEscapeEnterAndShopFlyOutWithResultOneAfterTheFlight) {
    struct Case {
        const char* name;
        std::function<void(ShopScreen&)> press;
        bool shop;
    };
    const Case cases[] = {
        {"Ok", [](ShopScreen& s) { s.ButtonDepress(ShopScreen::kOkButton); }, false},
        {"Esc", [](ShopScreen& s) { s.KeyUp(27); }, false},
        {"Enter", [](ShopScreen& s) { s.KeyUp(13); }, false},
        {"Shop", [](ShopScreen& s) { s.ButtonDepress(ShopScreen::kShopButton); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mResults.mResults.clear();
        auto screen = Make();
        Step(*screen);
        auto* tip = new TipWindow("tip");
        tip->mTipId = 5;
        mApp.AddDialog(tip);
        c.press(*screen);
        screen->ButtonDepress(7); // no such button
        EXPECT_EQ(screen->IsShopRequested(), c.shop);
        EXPECT_EQ(mApp.IsTipOpen(), !c.shop);
        EXPECT_TRUE(mResults.mResults.empty());
        ASSERT_GT(StepUntil(*screen, [&] { return !mResults.mResults.empty(); }), 1);
        EXPECT_EQ(mResults.mResults, (std::vector<std::pair<int32_t, int32_t>>{{15, 1}}));
        mApp.CloseTip(false);
    }
}

TEST_F(ShopScreenTest, TheFirstTipLeadsToTheSecondBesideShop) {
    Record().mTipShown[ShopScreen::kFirstTip] = 0;
    auto screen = Make();
    screen->ShowTip(ShopScreen::kFirstTip, 10, 20);
    ASSERT_EQ(mApp.GetOpenTipId(), ShopScreen::kFirstTip);
    screen->DialogButtonRelease(TipWindow::kDialogId, 1);
    EXPECT_EQ(mApp.GetOpenTipId(), ShopScreen::kSecondTip);
    EXPECT_EQ(Record().mTipShown[ShopScreen::kFirstTip], 1);
    screen->DialogButtonRelease(TipWindow::kDialogId, 1);
    EXPECT_FALSE(mApp.IsTipOpen());
    // Seen tips and tips switched off show nothing.
    screen->ShowTip(ShopScreen::kSecondTip, 0, 0);
    EXPECT_FALSE(mApp.IsTipOpen());
    Record().mTipsEnabled = 0;
    screen->ShowTip(3, 0, 0);
    EXPECT_FALSE(mApp.IsTipOpen());
}

} // namespace
} // namespace Game::Test
