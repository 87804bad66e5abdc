#pragma once
// The first restaurant played as a person would play it: a new player, the
// scripted player's good moves at a person's pace (a swap every 3.5 s of
// game time, counted from the last move or from the board becoming
// playable), each stage from its first board until its goals are met. What
// each stage took is kept: its boards, the time-ups it paid for and the
// largest share of a board's time a cleared board used.

#include "game/meta/comics_scene.h"
#include "game/meta/map_screen.h"
#include "game/meta/shop_screen.h"
#include "game/screens/board_screen.h"
#include "tests/game/main/scripted_game_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace Game {

class PacedRestaurantRun : public ScriptedGameRunTest {
protected:
    // A swap every 3.5 s: the game updates 100 times a second.
    static constexpr int32_t kPersonPace = 350;
    static constexpr int kRestaurantStages = 5;

    struct StageResult {
        int mBoards = 0;
        int mTimeUps = 0;
        // The largest share of a board's time a board took to clear.
        float mTimeUsed = 0.0f;
        // Whether the stage's goals were met (the map reached).
        bool mDone = false;
    };

    // A new player from a fresh start `dealMs` milliseconds past the run
    // period plays the restaurant's stages in order, as far as `stages`,
    // stopping at the first stage it cannot end.
    void PlayRestaurant(int dealMs, int stages) {
        mStartOffsetUs = static_cast<uint64_t>(dealMs) * 1000;
        // Each deal meets a new player: the last deal's player goes.
        if (!UserData().empty())
            std::filesystem::remove_all(UserData());
        Start();
        mActionInterval = kPersonPace;
        ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
        ASSERT_NO_FATAL_FAILURE(EnterNewPlayer("Pace"));
        Click(Menu()->GetButton(MainMenuScreen::Play));
        ASSERT_TRUE(StepUntil([&] { return App().mEnteringScreen == Comics1(); }, 10));
        ASSERT_TRUE(StepUntil([&] { return Comics1()->GetSkip() != nullptr && Comics1()->GetSkip()->mVisible; }, 50));
        Click(Comics1()->GetSkip());
        for (int stage = 0; stage < stages; ++stage) {
            mResults.emplace_back();
            ASSERT_NO_FATAL_FAILURE(PlayStage(mResults.back()));
            if (!mResults.back().mDone || stage + 1 == stages)
                return;
            CloseTips();
            Click(Map()->GetNextButton());
        }
    }

    // The stage from its first board to the map, or to a sixth board.
    void PlayStage(StageResult& result) {
        for (; result.mBoards < 6; ++result.mBoards) {
            ASSERT_TRUE(PlayUntil([&] { return App().mEnteringScreen == Board(); }, 500));
            ASSERT_TRUE(PlayUntil([&] { return Board()->mState == BoardScreen::kPlaying; }, 1500));
            const int timeUpsBefore = mPenaltiesPaid;
            // The board's own time and a time-up's dealing again at most.
            const int limit = 3 * (Board()->mStageTime + 2000);
            float used = 0.0f;
            ASSERT_TRUE(PlayUntil(
                [&] {
                    const TimerDial& timer = Board()->mTimer;
                    if (Board()->mState == BoardScreen::kPlaying && timer.mDuration > 0)
                        used = timer.mValue / timer.mDuration;
                    return Board()->mState == BoardScreen::kStageComplete;
                },
                limit));
            result.mTimeUps += mPenaltiesPaid - timeUpsBefore;
            result.mTimeUsed = std::max(result.mTimeUsed, used);
            ASSERT_TRUE(PlayUntil([&] { return StageComplete() != nullptr; }, 2000));
            ShopScreen* complete = StageComplete();
            ASSERT_TRUE(PlayUntil([&] { return complete->GetPhase() == ShopScreen::kFinished; }, 3000));
            ASSERT_TRUE(PlayUntil([&] { return complete->mState == LayoutDialog::Resting; }, 500));
            const int outcome = Board()->mOutcome;
            Click(complete->GetOk());
            if (outcome != 1) {
                ++result.mBoards;
                result.mDone = true;
                ASSERT_TRUE(PlayUntil([&] { return App().mEnteringScreen == Map(); }, 500));
                return;
            }
        }
    }

    std::vector<StageResult> mResults;
};

} // namespace Game
