// The item-goal bars beside the board's counts: a bar's full length is the
// stage's goal of its kind, so a player sees how far each count still has
// to go and that a full bar is a goal met.
#include "game/board/stage.h"
#include "game/screens/board_screen.h"
#include "game/ui/resource_ids.h"
#include "game/ui/user_manager.h"

#include <algorithm>

namespace Game {

namespace {

// The bars stand one under another in the order of the counts beside the
// board (stuff, food, drink), as far apart as the counts.
constexpr float kGoalBarPitch = 60.0f;
// A bar fills its whole length in about a second of updates.
constexpr float kGoalBarUpdatesToFill = 100.0f;

} // namespace

void BoardScreen::PlaceGoalBars(float x, float y) {
    mGoalBars.SetPosition(x, y);
    // By kind: 0 drink, 1 food, 2 stuff.
    Kavo::Image* const pictures[ProgressBarGroup::kBarCount] = {IMAGE_PROGRESSBARDRINK, IMAGE_PROGRESSBARFOOD,
                                                                IMAGE_PROGRESSBARSTUFF};
    for (int kind = 0; kind < ProgressBarGroup::kBarCount; ++kind) {
        ProgressBar& bar = mGoalBars.mBars[kind];
        bar.SetImage(pictures[kind], Kavo::IntRect());
        bar.mVertical = false;
        bar.mX = x;
        bar.mY = y + static_cast<float>(ProgressBarGroup::kBarCount - 1 - kind) * kGoalBarPitch;
    }
}

void BoardScreen::FillGoalBars() {
    if (mStage == nullptr)
        return;
    const UserManager* users = UserManager::GetInstance();
    const int goals[ProgressBarGroup::kBarCount] = {mStage->mDrinkCount, mStage->mEatCount, mStage->mStuffCount};
    for (int kind = 0; kind < ProgressBarGroup::kBarCount; ++kind) {
        ProgressBar& bar = mGoalBars.mBars[kind];
        // A goal of nothing is met from the start: a full bar.
        bar.mMaximum = static_cast<float>(std::max(goals[kind], 1));
        bar.mStep = bar.mMaximum / kGoalBarUpdatesToFill;
        bar.SetValue(users != nullptr ? users->GetStatB(kind) : 0.0f, true);
    }
}

} // namespace Game
