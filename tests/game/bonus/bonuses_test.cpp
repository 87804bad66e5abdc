// The eight bonuses: identity, targeting, and the shows they play.
#include "game/board/bonus_registry.h"
#include "game/bonus/bonus_hint.h"
#include "game/bonus/bonus_identity.h"
#include "game/bonus/bonus_knife.h"
#include "game/bonus/bonus_lightning.h"
#include "game/bonus/bonus_line_break.h"
#include "game/bonus/bonus_replace.h"
#include "game/bonus/bonus_shuffle.h"
#include "game/bonus/bonus_timer.h"
#include "game/bonus/bonus_x2.h"
#include "game/bonus/game_bonuses.h"

#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "game/ui/ini_document.h"
#include "game/ui/resource_ids.h"
#include "platform/file_system.h"
#include "tests/game/board/ascii_board.h"
#include "tests/game/bonus/bonus_fixture.h"
#include "tests/game/effects/effect_test.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace Game::Test {
namespace {

// Items in columns 0..4 of rows 0..2; cell (2, 1) is empty.
const std::vector<std::string> kBoard = {
    "0 1 2 3 4",
    "1 2 . 4 0",
    "2 3 4 0 1",
};

class BonusesTest : public BonusFixture {
protected:
    BonusesTest() { SetBoardFromAscii(mBoard, kBoard); }

    // Arms the bonus over cell (column, row) as a press and release would.
    void ArmOver(Bonus& bonus, int column, int row) {
        bonus.mState = Bonus::kArmed;
        bonus.OnArmed(static_cast<int>(kButtonX), static_cast<int>(kButtonY));
        bonus.HitTest(CellX(column), CellY(row));
    }
    static void Updates(Bonus& bonus, int n) {
        for (int i = 0; i < n; ++i)
            bonus.Update();
    }
};

TEST_F(BonusesTest, IdentityTable) {
    struct Row {
        int index;
        const char* name;
        const char* settingsKey;
        const char* hint;
        Kavo::Image* image;
        Kavo::Image* cursor;
        bool atOnce;
    };
    const Row rows[] = {
        {0, "Knife", "KillOne", "KnifeHintShort", IMAGE_BONUS_KNIFE, IMAGE_BONUS_KNIFE_CURSOR, false},
        {1, "Shuffle", "Shuffle", "", IMAGE_BONUS_SHUFFLE, IMAGE_CUSTOM_POINTER, true},
        {2, "LineBreak", "LineBreak", "LineBreakHintShort", IMAGE_BONUS_BREAKLINE, IMAGE_CUSTOM_POINTER, false},
        {3, "Hint", "Hint", "", IMAGE_BONUS_HINT, IMAGE_CUSTOM_POINTER, true},
        {4, "Timer", "Timer", "", IMAGE_BONUS_TIMER, IMAGE_CUSTOM_POINTER, true},
        {5, "Pepper", "Lightning", "", IMAGE_BONUS_PEPPER, IMAGE_CUSTOM_POINTER, true},
        {6, "Replace", "Replace", "ReplaceHintShort", IMAGE_BONUS_RECOLOR, IMAGE_CUSTOM_POINTER, false},
        {7, "X2", "X2", "", IMAGE_BONUS_X2, IMAGE_CUSTOM_POINTER, true},
    };
    // Each settings key gets its own maximum: 100 + index.
    std::string text = "[Bonuses]\r\n";
    for (const Row& row : rows)
        text += std::string(row.settingsKey) + "=" + std::to_string(100 + row.index) + "\r\n";
    const std::string path = Platform().Folder() + "/settings.txt";
    ASSERT_TRUE(platform::WriteWholeFile(path, text));
    IniDocument settings;
    settings.Load(path, true);

    BonusRegistry registry;
    CreateGameBonuses(registry, &settings);
    ASSERT_EQ(registry.GetCount(), 8u);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Bonus* bonus = registry.Get(static_cast<size_t>(row.index));
        EXPECT_EQ(bonus->mIndex, row.index);
        EXPECT_EQ(bonus->mName, row.name);
        EXPECT_EQ(bonus->mHintText, row.hint); // no term table: the key itself
        EXPECT_EQ(bonus->mImage, row.image);
        EXPECT_EQ(bonus->mCursorImage, row.cursor);
        EXPECT_EQ(bonus->mUseAtOnce, row.atOnce);
        EXPECT_EQ(bonus->mChargeMax, 100.0f + row.index);
        EXPECT_TRUE(bonus->mHidden);
        EXPECT_FALSE(bonus->mEnabled);
        const float size = row.index == kBonusX2 ? 64.0f : 80.0f;
        EXPECT_EQ(bonus->mWidth, size);
        EXPECT_EQ(bonus->mHeight, size);
    }
    EXPECT_EQ(CreateGameBonus(8, &settings), nullptr);

    // Without its picture the double score keeps a button that can be hit.
    IMAGE_BONUS_X2 = nullptr;
    BonusX2 bare(nullptr);
    EXPECT_EQ(bare.mWidth, 80.0f);
    EXPECT_EQ(bare.mHeight, 80.0f);
}

TEST_F(BonusesTest, KnifeLightsTheCellUnderTheMouse) {
    auto knife = Make<BonusKnife>();
    ArmOver(*knife, 1, 0);
    EXPECT_EQ(Highlighted(), (std::vector<CellPos>{{1, 0}}));
    knife->HitTest(CellX(3), CellY(2));
    EXPECT_EQ(Highlighted(), (std::vector<CellPos>{{3, 2}}));
    knife->HitTest(CellX(2), CellY(1)); // empty
    EXPECT_TRUE(Highlighted().empty());
    knife->HitTest(CellX(3), CellY(2));
    EXPECT_EQ(Highlighted(), (std::vector<CellPos>{{3, 2}}));
    knife->Stop();
    EXPECT_TRUE(Highlighted().empty());
}

TEST_F(BonusesTest, KnifeGleamRunsAlongTheBladeAndGoes) {
    auto knife = Make<BonusKnife>();
    Charge(*knife);
    knife->Update();
    ASSERT_NE(knife->mGleam, nullptr);
    const TrajectoryPath* path = knife->mGleam->GetPath();
    ASSERT_EQ(path->mPoints.size(), 2u);
    EXPECT_EQ(path->mPoints[0].x, static_cast<int>(kButtonX) + 15);
    EXPECT_EQ(path->mPoints[0].y, static_cast<int>(kButtonY) + 86);
    EXPECT_EQ(path->mPoints[1].x, static_cast<int>(kButtonX) + 74);
    EXPECT_EQ(path->mPoints[1].y, static_cast<int>(kButtonY) + 43);
    int updates = 0;
    while (knife->mGleam != nullptr && updates < 1000) {
        knife->Update();
        knife->UpdateF(1.0f);
        ++updates;
    }
    EXPECT_EQ(knife->mGleam, nullptr);
    EXPECT_GT(updates, 1);
}

TEST_F(BonusesTest, LineBreakTurnsItsLineEveryHundredUpdates) {
    auto bonus = Make<BonusLineBreak>();
    ArmOver(*bonus, 1, 1);
    EXPECT_EQ(bonus->mVariant, 1);
    Updates(*bonus, 99);
    EXPECT_EQ(mListener.mCursorCalls, 0);
    EXPECT_TRUE(Highlighted().empty());

    struct Turn {
        int variant;
        Kavo::Image* cursor;
        bool horizontal;
    };
    for (const Turn& turn : {Turn{0, IMAGE_BONUS_BREAKLINECURV, false}, Turn{1, IMAGE_BONUS_BREAKLINECURH, true}}) {
        Updates(*bonus, turn.variant == 0 ? 1 : 100);
        EXPECT_EQ(bonus->mVariant, turn.variant);
        EXPECT_EQ(mListener.mCursor, turn.cursor);
        std::vector<CellPos> line;
        mBoard.CollectLine(CellX(1), CellY(1), turn.horizontal, line);
        EXPECT_FALSE(line.empty());
        EXPECT_EQ(Highlighted(), line);
    }

    // Over an empty cell: the pointer and nothing lit.
    bonus->HitTest(CellX(2), CellY(1));
    EXPECT_EQ(mListener.mCursor, IMAGE_CUSTOM_POINTER);
    EXPECT_TRUE(Highlighted().empty());

    bonus->Use(CellX(1), CellY(1));
    EXPECT_EQ(bonus->mUseCount, 0);
    EXPECT_EQ(mListener.mCalls, (std::vector<std::string>{"armed 2", "taken 2", "apply 2"}));
    EXPECT_EQ(bonus->mState, Bonus::kCharging);
}

TEST_F(BonusesTest, LineBreakToastHoldsThenFades) {
    auto bonus = Make<BonusLineBreak>();
    Charge(*bonus);
    bonus->Update();
    ASSERT_NE(bonus->mToaster, nullptr);
    for (int i = 0; i < 2000 && bonus->mToaster != nullptr; ++i) {
        bonus->Update();
        bonus->UpdateF(1.0f);
    }
    ASSERT_EQ(bonus->mToaster, nullptr);
    EXPECT_EQ(bonus->mToast.mValue, 255.0f);
    EXPECT_EQ(bonus->mToast.GetImage(), IMAGE_BONUS_BREAKLINE2);
    // The hundredth update ends the hold and takes the first fade step.
    Updates(*bonus, 99);
    EXPECT_EQ(bonus->mToast.mValue, 255.0f);
    Updates(*bonus, 1);
    EXPECT_FLOAT_EQ(bonus->mToast.mValue, 255.0f - 2.55f);
    Updates(*bonus, 100);
    EXPECT_EQ(bonus->mToast.mValue, 0.0f);
}

TEST_F(BonusesTest, ReplaceCyclesThroughItsSortedKinds) {
    auto bonus = Make<BonusReplace>();
    bonus->mTargetItems = {3, 1, 2};
    ArmOver(*bonus, 0, 0);
    EXPECT_EQ(bonus->mTargetItems, (std::vector<int>{1, 2, 3}));
    for (int expected : {1, 2, 0}) {
        Updates(*bonus, 70);
        EXPECT_EQ(mListener.mVariant, expected);
        EXPECT_EQ(mListener.mCursor, FindItem(bonus->mTargetItems[static_cast<size_t>(expected)])->mImage);
    }
    // With nothing to offer the cursor stays the pointer.
    bonus->mTargetItems.clear();
    bonus->OnArmed(0, 0);
    Updates(*bonus, 70);
    EXPECT_EQ(mListener.mCursor, IMAGE_CUSTOM_POINTER);
}

TEST_F(BonusesTest, ReplaceLightsEveryCellOfTheHoveredKind) {
    auto bonus = Make<BonusReplace>();
    ArmOver(*bonus, 1, 0); // item 1
    const std::vector<CellPos> ones = {{1, 0}, {0, 1}, {4, 2}};
    EXPECT_EQ(Highlighted(), ones);
    const EffectBase* first = mHighlights.Get(0);
    bonus->HitTest(CellX(0), CellY(1)); // item 1 again: kept
    EXPECT_EQ(mHighlights.Get(0), first);
    bonus->HitTest(CellX(3), CellY(0)); // item 3
    EXPECT_EQ(Highlighted(), (std::vector<CellPos>{{3, 0}, {1, 2}}));
    bonus->HitTest(CellX(2), CellY(1)); // empty
    EXPECT_TRUE(Highlighted().empty());
    EXPECT_EQ(mListener.mCursor, IMAGE_CUSTOM_POINTER);
}

// The charging update sets the angle to one step and adds a second, so a
// whole turn of 75 steps ends on the 74th update counted from it.
TEST_F(BonusesTest, TimerAndReplaceTurnOnceWhenCharged) {
    std::unique_ptr<Bonus> bonuses[] = {Make<BonusTimer>(), Make<BonusReplace>()};
    for (auto& bonus : bonuses) {
        SCOPED_TRACE(bonus->mName);
        ButtonSpin& spin = bonus->mIndex == kBonusTimer ? static_cast<BonusTimer&>(*bonus).mSpin
                                                        : static_cast<BonusReplace&>(*bonus).mSpin;
        const float direction = bonus->mIndex == kBonusTimer ? -1.0f : 1.0f;
        Charge(*bonus);
        int stoppedOn = 0;
        for (int update = 1; update <= 100 && stoppedOn == 0; ++update) {
            bonus->Update();
            if (update == 1) {
                EXPECT_TRUE(spin.mSpinning);
                EXPECT_FLOAT_EQ(spin.mAngle, direction * 2 * ButtonSpin::kStep);
            }
            if (!spin.mSpinning)
                stoppedOn = update;
        }
        EXPECT_EQ(stoppedOn, 74);
        EXPECT_EQ(spin.mAngle, 0.0f);

        // Outside the ready and hover states it stops at once.
        spin.Start(direction * ButtonSpin::kStep);
        bonus->mState = Bonus::kArmed;
        bonus->Update();
        EXPECT_FALSE(spin.mSpinning);
        EXPECT_EQ(spin.mAngle, 0.0f);
    }
}

TEST_F(BonusesTest, HintOverlayRisesWhileReadyOrArmed) {
    auto bonus = Make<BonusHint>();
    Charge(*bonus);
    bonus->Update(); // charged: ready, the overlay shown at 0
    ASSERT_TRUE(bonus->mOverlayShown);
    EXPECT_EQ(bonus->mOverlay.GetImage(), IMAGE_MENUTEXT);
    struct Step {
        int state;
        float after;
    };
    for (const Step& step : {Step{Bonus::kReady, 2.55f}, Step{Bonus::kHover, 2.55f}, Step{Bonus::kPressed, 2.55f},
                             Step{Bonus::kArmed, 5.1f}}) {
        bonus->mState = step.state;
        bonus->Update();
        EXPECT_FLOAT_EQ(bonus->mOverlay.mValue, step.after) << "state " << step.state;
    }
    bonus->mState = Bonus::kReady;
    Updates(*bonus, 200);
    EXPECT_EQ(bonus->mOverlay.mValue, 255.0f);
    bonus->Reset();
    EXPECT_FALSE(bonus->mOverlayShown);
}

TEST_F(BonusesTest, ShuffleWithoutPairsAppliesAtTheNextFrame) {
    auto bonus = Make<BonusShuffle>();
    bonus->mBoard = &mBoard;
    bonus->Use(0, 0);
    EXPECT_EQ(mListener.mCalls, (std::vector<std::string>{"taken 1"}));
    bonus->UpdateF(1.0f);
    bonus->UpdateF(1.0f);
    EXPECT_EQ(mListener.mCalls, (std::vector<std::string>{"taken 1", "apply 1"}));
    EXPECT_EQ(bonus->mState, Bonus::kCharging);
}

TEST_F(BonusesTest, ShuffleFliesEveryItemAndAppliesOnceAllLanded) {
    auto bonus = Make<BonusShuffle>();
    bonus->mBoard = &mBoard;
    // Two pairs; the second has an empty cell, whose side does not fly.
    mBoard.mShuffle = {ShufflePair{0, 0, 4, 2}, ShufflePair{2, 1, 3, 1}};
    bonus->Use(0, 0);
    ASSERT_EQ(bonus->mFlyingItems.size(), 3u);
    // The arc bows by a tenth of the distance between the two cells.
    const TrajectoryPath* arc = bonus->mFlyingItems[0]->GetPath();
    ASSERT_EQ(arc->mPoints.size(), 3u);
    const float midX = (CellX(0) + CellX(4)) / 2.0f;
    const float midY = (CellY(0) + CellY(2)) / 2.0f;
    const float distance = std::hypot(4.0f * 50, 2.0f * 50);
    EXPECT_NEAR(std::hypot(arc->mPoints[1].x - midX, arc->mPoints[1].y - midY), 0.1f * distance, 1.5f);

    bool sawSparks = false;
    int frames = 0;
    while (mListener.Count("apply 1") == 0 && frames < 5000) {
        bonus->UpdateF(1.0f);
        sawSparks = sawSparks || !bonus->mSparks.empty();
        ++frames;
    }
    EXPECT_EQ(mListener.Count("apply 1"), 1);
    EXPECT_TRUE(sawSparks);
    EXPECT_TRUE(bonus->mFlyingItems.empty());
    EXPECT_TRUE(bonus->mSparks.empty());
    bonus->UpdateF(1.0f);
    EXPECT_EQ(mListener.Count("apply 1"), 1);
}

TEST_F(BonusesTest, PepperShakesSixTimesThenApplies) {
    for (bool hardware : {false, true}) {
        SCOPED_TRACE(hardware ? "3D" : "software");
        std::unique_ptr<ScopedHardware3D> scoped3D;
        if (hardware)
            scoped3D = std::make_unique<ScopedHardware3D>();
        mListener.mCalls.clear();
        auto bonus = Make<BonusLightning>();
        bonus->mAreaLeft = 200;
        bonus->mAreaTop = 150;
        bonus->mAreaWidth = 400;
        bonus->mAreaHeight = 300;
        bonus->Use(0, 0);
        EXPECT_EQ(bonus->mMoves, 1);
        size_t burst = 0;
        int updates = 0;
        while (mListener.Count("apply 5") == 0 && updates < 5000) {
            const size_t before = bonus->mSparks.size();
            bonus->Update();
            if (burst == 0 && bonus->mSparks.size() > before)
                burst = bonus->mSparks.size() - before;
            bonus->UpdateF(1.0f);
            ++updates;
        }
        EXPECT_EQ(mListener.Count("apply 5"), 1);
        EXPECT_EQ(bonus->mMoves, 6);
        EXPECT_EQ(burst, hardware ? 30u : 15u);
        EXPECT_EQ(bonus->mPepperBox, nullptr);
        EXPECT_EQ(bonus->mPepperImage, nullptr);
        EXPECT_EQ(bonus->mState, Bonus::kCharging);
        EXPECT_EQ(bonus->mUseCount, 0);
    }
}

// The gold glow pulses over the puff; a puff of no length gives no pulse
// (and no division by zero).
TEST_F(BonusesTest, PepperGoldPulseNeedsAPuffLength) {
    auto bonus = Make<BonusLightning>();
    auto* gold = static_cast<Kavo::MemoryImage*>(IMAGE_BONUS_PEPPER_GOLD);
    std::fill(gold->GetBits(), gold->GetBits() + 87 * 87, 0xFFFFFFFFu);
    gold->BitsChanged();
    struct Case {
        int length;
        int counter;
        bool glows;
    };
    for (const Case& c : {Case{100, 12, true}, Case{0, 0, false}, Case{0, 5, false}}) {
        Kavo::MemoryImage screen;
        screen.Create(200, 500);
        bonus->mPuffShown = true;
        bonus->mPuffLength = c.length;
        bonus->mPuffCounter = c.counter;
        bonus->mState = Bonus::kReady;
        Kavo::Graphics g(&screen);
        bonus->Draw(&g);
        const uint32_t centre =
            screen.GetBits()[(static_cast<int>(kButtonY) + 40) * 200 + static_cast<int>(kButtonX) + 40];
        EXPECT_EQ((centre & 0xFFFFFFu) != 0, c.glows) << "length " << c.length << " counter " << c.counter;
    }
}

TEST_F(BonusesTest, DoubleScoreTellsTheListenerWithoutCountingAUse) {
    auto bonus = Make<BonusX2>();
    bonus->mState = Bonus::kArmed;
    bonus->Use(5, 6);
    EXPECT_EQ(mListener.mCalls, (std::vector<std::string>{"taken 7", "apply 7"}));
    EXPECT_EQ(bonus->mUseCount, 0);
    EXPECT_EQ(bonus->mState, Bonus::kCharging);
}

} // namespace
} // namespace Game::Test
