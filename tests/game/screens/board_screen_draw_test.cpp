// What the board screen draws by state, recorded call by call.
#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "framework/widget/hyperlink_widget.h"
#include "framework/widget/widget_manager.h"
#include "game/screens/fade_overlay.h"
#include "game/ui/resource_ids.h"
#include "tests/framework/graphics/fake_font.h"
#include "tests/framework/graphics/recording_image.h"
#include "tests/game/screens/board_screen_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace Game::Test {
namespace {

// Counts its draws.
class DrawCounter : public EffectBase {
public:
    void Draw(Kavo::Graphics*) override { ++mDraws; }
    int mDraws = 0;
};

// The call with every "(r,g,b,a)" written "(colour)".
std::string WithoutColours(const std::string& call) {
    std::string out;
    for (size_t i = 0; i < call.size();) {
        const size_t close = call[i] == '(' ? call.find(')', i) : std::string::npos;
        const std::string inside = close != std::string::npos ? call.substr(i + 1, close - i - 1) : "";
        const bool colour = !inside.empty() && std::count(inside.begin(), inside.end(), ',') == 3 &&
                            inside.find_first_not_of("0123456789,") == std::string::npos;
        out += colour ? "(colour)" : std::string(1, call[i]);
        i = colour ? close + 1 : i + 1;
    }
    return out;
}

class BoardScreenDrawTest : public BoardScreenFixture {
protected:
    BoardScreenDrawTest() {
        for (Kavo::MemoryImage* image : {&mPlate, &mBack, &mPaused})
            image->Create(40, 20);
        IMAGE_MAIN_PLASHKA = &mPlate;
        IMAGE_PROGRESSBARRATINGBACK = &mBack;
        IMAGE_PAUSED = &mPaused;
        FONT_SCORES = &mScores;
        FONT_SCORES_DONE = &mScoresDone;
    }
    ~BoardScreenDrawTest() override {
        IMAGE_MAIN_PLASHKA = IMAGE_PROGRESSBARRATINGBACK = IMAGE_PAUSED = nullptr;
        FONT_SCORES = FONT_SCORES_DONE = nullptr;
    }
    // The calls of one Draw (or DrawOverlay), colours left out when asked.
    std::vector<std::string> Calls(bool overlay, bool withoutColours = false) {
        Kavo::RecordingImage image(1024, 768);
        Kavo::Graphics g(&image);
        if (overlay)
            mScreen->DrawOverlay(&g);
        else
            mScreen->Draw(&g);
        if (withoutColours)
            for (std::string& call : image.mCalls)
                call = WithoutColours(call);
        return image.mCalls;
    }

    Kavo::MemoryImage mPlate;
    Kavo::MemoryImage mBack;
    Kavo::MemoryImage mPaused;
    Kavo::FakeFont mScores{10, 20, 16};
    Kavo::FakeFont mScoresDone{10, 30, 16};
};

TEST_F(BoardScreenDrawTest, WhileTheTilesSpreadOnlyTheBannerListDraws) {
    MakeScreen();
    mScreen->OnEnter();
    ASSERT_EQ(mScreen->mState, BoardScreen::kAppear);
    std::vector<DrawCounter*> counters;
    for (EffectList& list : mScreen->mEffects) {
        counters.push_back(new DrawCounter);
        list.Add(counters.back());
    }
    Calls(false);
    for (size_t i = 0; i < counters.size(); ++i)
        EXPECT_EQ(counters[i]->mDraws, i == 3 ? 1 : 0) << i;
    mScreen->mState = BoardScreen::kPlaying;
    Calls(false);
    for (size_t i = 0; i < counters.size(); ++i)
        EXPECT_EQ(counters[i]->mDraws, i == 3 ? 2 : (i == 1 || i == 0 ? 0 : 1)) << i;
}

TEST_F(BoardScreenDrawTest, TheHiddenBoardMakesThePlayCallsAtAnotherAlpha) {
    MakeScreen();
    EnterAndSettle();
    const std::vector<std::string> play = Calls(false, true);
    const std::vector<std::string> playColours = Calls(false);
    mScreen->ButtonDepress(BoardScreen::kHideButton);
    Step(50);
    ASSERT_EQ(mScreen->mState, BoardScreen::kHidden);
    EXPECT_EQ(Calls(false, true), play);
    EXPECT_NE(Calls(false), playColours);
    EXPECT_FALSE(play.empty());
}

TEST_F(BoardScreenDrawTest, AGoalLabelTurnsDoneOnTheFirstDrawAtItsTarget) {
    MakeScreen();
    EnterAndSettle();
    Calls(false);
    ASSERT_NE(mScreen->mDrinkLabel->mFont, nullptr);
    EXPECT_EQ(mScreen->mDrinkLabel->mFont->GetHeight(), 20);
    Record().mStageCounts[0] = static_cast<float>(mScreen->mStage->mDrinkCount);
    EXPECT_EQ(mScreen->mDrinkLabel->mFont->GetHeight(), 20);
    Calls(false);
    EXPECT_EQ(mScreen->mDrinkLabel->mFont->GetHeight(), 30);
    EXPECT_EQ(mScreen->mDrinkLabel->mLabel, std::to_string(mScreen->mStage->mDrinkCount));
    EXPECT_EQ(mScreen->mFoodLabel->mFont->GetHeight(), 20);
}

TEST_F(BoardScreenDrawTest, ThePauseDrawsItsOverlayAndPictureInTheOverlayPass) {
    MakeScreen();
    EnterAndSettle();
    mApp.mWidgetManager->mDeferredOverlays.clear();
    Calls(false);
    EXPECT_TRUE(mApp.mWidgetManager->mDeferredOverlays.empty());
    EXPECT_TRUE(Calls(true).empty());

    mScreen->SetShaded(true);
    Step(20);
    Calls(false);
    ASSERT_EQ(mApp.mWidgetManager->mDeferredOverlays.size(), 1u);
    const std::vector<std::string> paused = Calls(true);
    ASSERT_EQ(paused.size(), 2u);
    EXPECT_EQ(paused[0].rfind("FillRect [0,0,1024,768] (0,0,0,80)", 0), 0u) << paused[0];
    EXPECT_EQ(paused[1].rfind("Blt", 0), 0u) << paused[1];

    // Closing: the overlay still fades, the paused picture is gone.
    mScreen->MouseDown(5, 5, 1);
    Step();
    const std::vector<std::string> closing = Calls(true);
    ASSERT_EQ(closing.size(), 1u);
    EXPECT_EQ(closing[0].rfind("FillRect", 0), 0u) << closing[0];
}

} // namespace
} // namespace Game::Test
