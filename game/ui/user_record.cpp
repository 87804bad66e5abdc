#include "game/ui/user_record.h"

namespace Game {

void UserRecord::Reset() {
    mTotals.fill(0.0f);
    mStageCounts.fill(0.0f);
    mRestaurantCounts.fill(0.0f);
    mKept0 = 0;
    mStageIndex = -1;
    mKept1 = 0;
    mStagesPlayed = -1;
    mSecondGameFlag = 0;
    mInProgress = 0;
    mKept2 = 0;
    mKept3 = 0;
    mTipsEnabled = 1;
    mTipShown.fill(0);
    mSecretPieces = 0;
    mSecretMapIndex = 0;
    mBoardIndex = -1;
    mReachedStage = 0;
    mMoney = 0.0f;
    mRoomValue = 0.0f;
    mMetaState.fill(-1);
    for (auto& list : mItems)
        list.clear();
    mRating = 0;
    mTotalRating = 0;
    mExtraValues.clear();
    mUnsavedValue = 2;
    mUnsaved1.clear();
    mUnsaved2.clear();
}

} // namespace Game
