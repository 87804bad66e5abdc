#include "game/board/bonus.h"
#include "game/board/bonus_listener.h"
#include "game/board/bonus_registry.h"

#include "framework/app/kavo_app_base.h"
#include "framework/graphics/graphics.h"
#include "framework/util/buffer.h"
#include "framework/widget/widget_manager.h"
#include "game/ui/image_desc_cache.h"
#include "game/ui/ini_document.h"
#include "game/ui/resource_ids.h"
#include "platform/file_system.h"
#include "tests/framework/app/app_test_environment.h"
#include "tests/framework/app/test_app.h"
#include "tests/framework/graphics/fake_font.h"
#include "tests/framework/graphics/recording_image.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace Game {
namespace {

class TestBonus : public Bonus {
public:
    explicit TestBonus(IniDocument* settings, const std::string& name = "Knife") : Bonus(settings) {
        mIndex = 0;
        mName = name;
        mChargeMax = ReadChargeMax(settings, name);
        mHintText = "Pick a cell";
    }
    void OnCharged() override { ++mChargedCalls; }
    int mChargedCalls = 0;
};

class LoggingListener : public BonusListener {
public:
    void OnBonusTaken(int index, BonusUseRecord*, int x, int y, int flags) override {
        mCalls.push_back("taken " + std::to_string(index) + " " + std::to_string(x) + "," + std::to_string(y) + " " +
                         std::to_string(flags));
    }
    void OnBonusApply(int index) override { mCalls.push_back("apply " + std::to_string(index)); }
    void OnBonusArmed(int index, Kavo::Image*) override { mCalls.push_back("armed " + std::to_string(index)); }
    void OnBonusCancelled(int index) override { mCalls.push_back("cancelled " + std::to_string(index)); }
    void OnBonusReady(int index) override { mCalls.push_back("ready " + std::to_string(index)); }
    void CanUseAt(int index, bool& ok, int x, int y) override {
        mCalls.push_back((ok ? "ask(true) " : "ask ") + std::to_string(index) + " " + std::to_string(x) + "," +
                         std::to_string(y));
        ok = mAllow;
    }
    void SetBonusCursor(int, Kavo::Image*, int) override {}

    std::vector<std::string> mCalls;
    bool mAllow = true;
};

using Calls = std::vector<std::string>;

// Runs in a work folder of its own, which holds the blink animation.
class BonusTest : public app_test::AppTestEnvironment {
protected:
    BonusTest() {
        const std::string anim = "[Main]\r\nSprite=Pic\r\nFrames=0,1\r\nFrameDelay=5\r\n"
                                 "[Pic]\r\nImageFile=pic\r\nRects=0,0,10,10\r\nColCount=2\r\nRowCount=1\r\n";
        platform::MakeDirectories(WorkFolder() + "/data");
        EXPECT_TRUE(platform::WriteWholeFile(WorkFolder() + "/data/bonusblink.anim", anim));
    }

    // A settings document holding the section "Bonuses" of `text`.
    IniDocument* Settings(const std::string& text) {
        const std::string path = WorkFolder() + "/settings" + std::to_string(mFiles++) + ".txt";
        EXPECT_TRUE(platform::WriteWholeFile(path, "[Bonuses]\r\n" + text));
        mSettings.Load(path, true);
        return &mSettings;
    }

    // An enabled, shown bonus at (100, 200) reporting to mListener.
    std::unique_ptr<TestBonus> Enabled() {
        auto bonus = std::make_unique<TestBonus>(nullptr);
        bonus->mEnabled = true;
        bonus->mHidden = false;
        bonus->mX = 100;
        bonus->mY = 200;
        bonus->mListener = &mListener;
        return bonus;
    }

    int mFiles = 0;
    IniDocument mSettings;
    LoggingListener mListener;
    std::shared_ptr<ImageDescCache> mCache = std::make_shared<ImageDescCache>();
    platform::Installed<ImageDescCache> mCacheSlot{ImageDescCacheSlot(), mCache};
};

TEST_F(BonusTest, SettingsGiveChargeMaximumAndHintColour) {
    TestBonus plain(nullptr);
    EXPECT_EQ(plain.mChargeMax, 600.0f);
    EXPECT_EQ(plain.mHintColor, Kavo::Color(255, 255, 255, 255));
    EXPECT_EQ(plain.mState, Bonus::kCharging);
    EXPECT_EQ(plain.mIndex, 0);
    EXPECT_TRUE(plain.mBlinkLoaded);
    EXPECT_EQ(plain.mBlink.mFrameCount, 2);

    TestBonus read(Settings("Knife=300\r\nHintColor=FF8000\r\n"));
    EXPECT_EQ(read.mChargeMax, 300.0f);
    EXPECT_EQ(read.mHintColor, Kavo::Color(255, 128, 0, 255));
    TestBonus missing(Settings("Other=5\r\n"), "Knife");
    EXPECT_EQ(missing.mChargeMax, 600.0f);

    // A maximum of 0 or less counts as 600 in every percentage, and a charge
    // without a cap cannot overflow it.
    TestBonus zero(Settings("Knife=0\r\n"));
    EXPECT_EQ(zero.mChargeMax, 0.0f);
    zero.SetCharge(300);
    EXPECT_EQ(zero.mPercent, 50);
    zero.mChargeMax = -4;
    zero.SetCharge(600);
    EXPECT_EQ(zero.mPercent, 100);
    zero.mChargeMax = 1;
    zero.SetCharge(1e30f);
    EXPECT_EQ(zero.mPercent, 2147483647);
}

TEST_F(BonusTest, ChargingToFullTurnsReadyOnce) {
    std::unique_ptr<TestBonus> bonus = Enabled();
    bonus->AddCharge(599);
    bonus->Update();
    EXPECT_EQ(bonus->mState, Bonus::kCharging);
    EXPECT_EQ(bonus->mPercent, 99);
    EXPECT_EQ(bonus->mChargeTicks, 1);
    EXPECT_TRUE(mListener.mCalls.empty());

    bonus->AddCharge(1);
    bonus->Update();
    EXPECT_EQ(bonus->mState, Bonus::kReady);
    EXPECT_EQ(bonus->mChargedCalls, 1);
    EXPECT_EQ(bonus->mChargeTicks, 0);
    EXPECT_EQ(mListener.mCalls, (Calls{"ready 0"}));
    // The blink restarts on the button's centre.
    EXPECT_TRUE(bonus->mBlink.IsRunning());
    EXPECT_EQ(bonus->mBlink.mX, 140.0f);
    EXPECT_EQ(bonus->mBlink.mY, 240.0f);

    bonus->AddCharge(500);
    for (int i = 0; i < 10; ++i)
        bonus->Update();
    EXPECT_EQ(bonus->mChargedCalls, 1);
    EXPECT_EQ(mListener.mCalls, (Calls{"ready 0"}));
    EXPECT_TRUE(bonus->CheckCharged());
    EXPECT_EQ(mListener.mCalls.size(), 1u);
}

TEST_F(BonusTest, DisabledBonusNeitherHoversNorChargesToReady) {
    TestBonus bonus(nullptr);
    bonus.mListener = &mListener;
    bonus.mTargetX = 7;
    bonus.mTargetY = 8;
    bonus.mState = Bonus::kReady;
    EXPECT_FALSE(bonus.HitTest(10, 10));
    EXPECT_EQ(bonus.mTargetX, 7);
    EXPECT_EQ(bonus.mTargetY, 8);
    EXPECT_EQ(bonus.mState, Bonus::kReady);
    bonus.MouseDown(10, 10, 1);
    EXPECT_EQ(bonus.mState, Bonus::kReady);

    bonus.Reset();
    bonus.AddCharge(5000);
    for (int i = 0; i < 5; ++i)
        bonus.Update();
    EXPECT_EQ(bonus.mState, Bonus::kCharging);
    EXPECT_TRUE(mListener.mCalls.empty());
}

TEST_F(BonusTest, HitTestTracksHover) {
    struct Case {
        int state;
        int x, y;
        int stateAfter;
        bool hit;
    };
    const Case cases[] = {
        {Bonus::kReady, 110, 210, Bonus::kHover, true},        {Bonus::kHover, 50, 50, Bonus::kReady, false},
        {Bonus::kHover, 179, 279, Bonus::kHover, true},        {Bonus::kHover, 180, 210, Bonus::kReady, false},
        {Bonus::kCharging, 110, 210, Bonus::kCharging, false}, {Bonus::kArmed, 110, 210, Bonus::kArmed, true},
        {Bonus::kArmed, 10, 10, Bonus::kArmed, false},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TestBonus> bonus = Enabled();
        bonus->mState = c.state;
        EXPECT_EQ(bonus->HitTest(c.x, c.y), c.hit) << c.state << " at " << c.x << "," << c.y;
        EXPECT_EQ(bonus->mState, c.stateAfter) << c.state << " at " << c.x << "," << c.y;
        EXPECT_EQ(bonus->mTargetX, c.x);
    }
}

TEST_F(BonusTest, MousePressesArmsCancelsAndUses) {
    enum Event { kDown, kUp };
    struct Case {
        const char* what;
        int state;
        bool useAtOnce;
        Event event;
        int x, y;
        bool allow;
        bool listener;
        int stateAfter;
        Calls calls;
        int uses;
    };
    const Case cases[] = {
        {"down on ready", Bonus::kReady, false, kDown, 110, 210, true, true, Bonus::kPressed, {}, 0},
        {"down on hover", Bonus::kHover, false, kDown, 110, 210, true, true, Bonus::kPressed, {}, 0},
        {"down on charging", Bonus::kCharging, false, kDown, 110, 210, true, true, Bonus::kCharging, {}, 0},
        {"up on pressed", Bonus::kPressed, false, kUp, 110, 210, true, true, Bonus::kArmed, {"armed 0"}, 0},
        {"up outside", Bonus::kPressed, false, kUp, 10, 10, true, true, Bonus::kPressed, {}, 0},
        {"up at once",
         Bonus::kPressed,
         true,
         kUp,
         110,
         210,
         true,
         true,
         Bonus::kCharging,
         {"armed 0", "taken 0 110,210 0", "apply 0"},
         1},
        {"down on armed", Bonus::kArmed, false, kDown, 110, 210, true, true, Bonus::kReady, {"cancelled 0"}, 0},
        {"board accepts",
         Bonus::kArmed,
         false,
         kDown,
         400,
         300,
         true,
         true,
         Bonus::kCharging,
         {"ask 0 400,300", "taken 0 400,300 0", "apply 0"},
         1},
        {"board refuses", Bonus::kArmed, false, kDown, 400, 300, false, true, Bonus::kArmed, {"ask 0 400,300"}, 0},
        {"no listener", Bonus::kArmed, false, kDown, 400, 300, true, false, Bonus::kArmed, {}, 0},
        {"outside not armed", Bonus::kReady, false, kDown, 400, 300, true, true, Bonus::kReady, {}, 0},
    };
    for (const Case& c : cases) {
        mListener.mCalls.clear();
        mListener.mAllow = c.allow;
        std::unique_ptr<TestBonus> bonus = Enabled();
        if (!c.listener)
            bonus->mListener = nullptr;
        bonus->mUseAtOnce = c.useAtOnce;
        bonus->mState = c.state;
        bonus->SetCharge(650);
        if (c.event == kDown)
            bonus->MouseDown(c.x, c.y, 1);
        else
            bonus->MouseUp(c.x, c.y, 1);
        EXPECT_EQ(bonus->mState, c.stateAfter) << c.what;
        EXPECT_EQ(mListener.mCalls, c.calls) << c.what;
        EXPECT_EQ(bonus->mUseCount, c.uses) << c.what;
        if (c.uses > 0) {
            EXPECT_EQ(bonus->mCharge, 0.0f) << c.what;
            EXPECT_EQ(bonus->mPercent, 0) << c.what;
            EXPECT_EQ(bonus->mTargetX, c.useAtOnce ? 0 : c.x) << c.what;
        } else {
            EXPECT_EQ(bonus->mPercent, 108) << c.what;
        }
    }
}

class BonusDrawTest : public BonusTest {
protected:
    BonusDrawTest() {
        IMAGE_BONUSLINE = &mLine;
        FONT_DEFAULT = &mFont;
    }
    ~BonusDrawTest() override {
        IMAGE_BONUSLINE = mPreviousLine;
        FONT_DEFAULT = mPreviousFont;
    }

    Calls Draw(Bonus& bonus) {
        mDest.mCalls.clear();
        Kavo::Graphics g(&mDest);
        bonus.Draw(&g);
        return mDest.mCalls;
    }

    Kavo::RecordingImage mButton{400, 80};
    Kavo::RecordingImage mLine{80, 6};
    Kavo::RecordingImage mDest{800, 600};
    Kavo::FakeFont mFont;
    Kavo::Image* mPreviousLine = IMAGE_BONUSLINE;
    Kavo::Font* mPreviousFont = FONT_DEFAULT;
};

TEST_F(BonusDrawTest, EachStateDrawsItsCell) {
    std::unique_ptr<TestBonus> bonus = Enabled();
    bonus->mImage = &mButton;
    for (int i = 0; i < Bonus::kLayerCount; ++i)
        bonus->mCellRects[i] = Kavo::IntRect(i * 80, 0, 80, 80);

    // Charging fills from the bottom: 40 % shows the lowest 32 rows, and the
    // charge line sits 60 rows down.
    bonus->SetCharge(240);
    EXPECT_EQ(Draw(*bonus),
              (Calls{"Blt 100,248 [0,48,80,32] (255,255,255,255) m0", "Blt 100,260 [0,0,80,6] (255,255,255,255) m0"}));
    // Hidden: no charge line.
    bonus->mHidden = true;
    EXPECT_EQ(Draw(*bonus).size(), 1u);
    bonus->mHidden = false;

    const struct {
        int state;
        int cellX;
    } cells[] = {
        {Bonus::kReady, 0}, {Bonus::kUsed, 0}, {Bonus::kHover, 80}, {Bonus::kPressed, 160}, {Bonus::kArmed, 320}};
    bonus->mAlpha = 100.7f;
    for (const auto& c : cells) {
        bonus->mState = c.state;
        EXPECT_EQ(Draw(*bonus), (Calls{"Blt 100,200 [" + std::to_string(c.cellX) + ",0,80,80] (255,255,255,100) m0"}))
            << c.state;
    }
}

TEST_F(BonusDrawTest, HintShowsForTheFirstSixUsesWhileFocused) {
    app_test::TestApp app(WorkFolder());
    app.mWidgetManager->mLastMouseX = 300;
    app.mWidgetManager->mLastMouseY = 100;
    std::unique_ptr<TestBonus> bonus = Enabled();
    bonus->mHintColor = Kavo::Color(255, 128, 0, 255);
    bonus->mAlpha = 200.9f;
    bonus->mState = Bonus::kArmed;
    Kavo::Graphics g(&mDest);
    for (int uses = 0; uses <= 7; ++uses) {
        mFont.mDrawn.clear();
        bonus->mUseCount = uses;
        bonus->DrawHint(&g);
        ASSERT_EQ(mFont.mDrawn.size(), uses < 6 ? 1u : 0u) << uses;
    }
    bonus->mUseCount = 0;
    mFont.mDrawn.clear();
    bonus->DrawHint(&g);
    ASSERT_EQ(mFont.mDrawn.size(), 1u);
    EXPECT_EQ(mFont.mDrawn[0].mText, "Pick a cell");
    EXPECT_EQ(mFont.mDrawn[0].mX, 332);
    EXPECT_EQ(mFont.mDrawn[0].mY, 132);
    EXPECT_EQ(mFont.mDrawn[0].mColor, Kavo::Color(255, 128, 0, 200));
    EXPECT_EQ(g.GetFont(), nullptr); // the state is put back

    mFont.mDrawn.clear();
    app.mHasFocus = false;
    bonus->DrawHint(&g);
    app.mHasFocus = true;
    bonus->mState = Bonus::kReady;
    bonus->DrawHint(&g);
    bonus->mState = Bonus::kArmed;
    bonus->mHintText.clear();
    bonus->DrawHint(&g);
    EXPECT_TRUE(mFont.mDrawn.empty());
}

TEST_F(BonusTest, SaveRecordRoundTrips) {
    std::unique_ptr<TestBonus> bonus = Enabled();
    bonus->mUseCount = 7;
    bonus->mCharge = 12.3456f;
    Kavo::Buffer buffer;
    bonus->Save(buffer);
    ASSERT_EQ(buffer.GetDataLen(), Bonus::kRecordSize);
    const std::uint8_t* bytes = buffer.GetDataPtr();
    EXPECT_EQ(bytes[0], 0); // hidden
    EXPECT_EQ(bytes[1], 1); // enabled
    EXPECT_EQ(bytes[2] | bytes[3] << 8 | bytes[4] << 16 | bytes[5] << 24, 12345);
    EXPECT_EQ(bytes[6], 7);

    TestBonus loaded(nullptr);
    loaded.mPercent = 42;
    loaded.mState = Bonus::kArmed;
    loaded.Load(buffer);
    EXPECT_FALSE(loaded.mHidden);
    EXPECT_TRUE(loaded.mEnabled);
    EXPECT_EQ(loaded.mCharge, 12.345f);
    EXPECT_EQ(loaded.mUseCount, 7);
    EXPECT_EQ(loaded.mPercent, 42);
    EXPECT_EQ(loaded.mState, Bonus::kArmed);

    // A charge past the int32 range of thousandths saturates.
    const struct {
        float charge;
        int32_t stored;
    } extremes[] = {{3'000'000.0f, 2147483647}, {-3'000'000.0f, -2147483647 - 1}, {-1.5f, -1500}};
    for (const auto& e : extremes) {
        Kavo::Buffer out;
        bonus->mCharge = e.charge;
        bonus->Save(out);
        out.ReadBoolean();
        out.ReadBoolean();
        EXPECT_EQ(out.ReadLong(), e.stored) << e.charge;
    }
}

TEST_F(BonusTest, RegistryKeepsOrderFindsExactNamesAndSavesEveryBonus) {
    auto registry = std::make_shared<BonusRegistry>();
    platform::Installed<BonusRegistry> installed(BonusRegistrySlot(), registry);
    Bonus* knife = registry->Add(std::make_unique<TestBonus>(nullptr, "Knife"));
    Bonus* shuffle = registry->Add(std::make_unique<TestBonus>(nullptr, "Shuffle"));
    EXPECT_EQ(registry->Get(1), shuffle);
    EXPECT_EQ(registry->Get(2), nullptr);
    EXPECT_EQ(FindBonusByName("Knife"), knife);
    EXPECT_EQ(FindBonusByName("Shuffle"), shuffle);
    EXPECT_EQ(FindBonusByName("knife"), nullptr);
    EXPECT_EQ(FindBonusByName("Knif"), nullptr);
    EXPECT_EQ(FindBonusByName(""), nullptr);

    knife->mEnabled = true;
    knife->mCharge = 1.5f;
    shuffle->mUseCount = 3;
    Kavo::Buffer buffer;
    registry->Save(buffer);
    EXPECT_EQ(buffer.GetDataLen(), 2 * Bonus::kRecordSize);

    BonusRegistry copy;
    Bonus* knife2 = copy.Add(std::make_unique<TestBonus>(nullptr, "Knife"));
    Bonus* shuffle2 = copy.Add(std::make_unique<TestBonus>(nullptr, "Shuffle"));
    copy.Load(buffer);
    EXPECT_TRUE(knife2->mEnabled);
    EXPECT_EQ(knife2->mCharge, 1.5f);
    EXPECT_EQ(shuffle2->mUseCount, 3);
    EXPECT_TRUE(shuffle2->mHidden);

    // A short record reads as zeros.
    Kavo::Buffer shortRecord;
    shortRecord.WriteBoolean(true);
    copy.Load(shortRecord);
    EXPECT_TRUE(knife2->mHidden);
    EXPECT_FALSE(knife2->mEnabled);
    EXPECT_EQ(knife2->mCharge, 0.0f);

    // A new game: charging from nothing.
    knife2->mState = Bonus::kArmed;
    knife2->SetCharge(700);
    copy.ResetForNewGame();
    EXPECT_EQ(knife2->mState, Bonus::kCharging);
    EXPECT_EQ(knife2->mCharge, 0.0f);
    EXPECT_EQ(knife2->mPercent, 0);
}

TEST(BonusRegistryTest, LookupWithoutARegistryFindsNothing) {
    platform::Installed<BonusRegistry> none(BonusRegistrySlot(), std::shared_ptr<BonusRegistry>());
    EXPECT_EQ(FindBonusByName("Knife"), nullptr);
}

} // namespace
} // namespace Game
