#include "game/board/stage_goal.h"

#include <algorithm>

namespace Game {

void StageGoal::Reset() {
    mLevel = -1;
    mValue = 0;
}

void StageGoalMax::SetValue(int value) {
    mValue = value;
    mBest = std::max(mBest, value);
    if (mLevel >= 0 && value < mActivation[static_cast<size_t>(mLevel)])
        mLevel = -1;
}

int StageGoalMax::Level() const {
    for (int i = kStageGoalLevels - 1; i >= 0; --i) {
        if (mValue >= mLevels[static_cast<size_t>(i)])
            return i;
    }
    return -1;
}

int StageGoalMax::UpdateLevel() {
    for (int i = kStageGoalLevels - 1; i >= 0; --i) {
        if (mValue >= mActivation[static_cast<size_t>(i)])
            return mLevel = i;
    }
    return -1;
}

void StageGoalMin::SetValue(int value) {
    mValue = value;
    if (mLevel >= 0 && value > mLevels[static_cast<size_t>(mLevel)])
        mLevel = -1;
}

int StageGoalMin::Level() const {
    for (int i = 0; i < kStageGoalLevels; ++i) {
        if (mValue <= mLevels[static_cast<size_t>(i)])
            return i;
    }
    return -1;
}

int StageGoalMin::UpdateLevel() {
    for (int i = 0; i < kStageGoalLevels; ++i) {
        const size_t at = static_cast<size_t>(i);
        if (mActivation[at] <= mValue && mValue < mLevels[at])
            return mLevel = i;
    }
    return -1;
}

} // namespace Game
