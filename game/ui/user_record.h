#pragma once
// One player's profile in memory: the user with its volumes and name, and the
// progress record the game keeps for it.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace Game {

// One owned item: a catalogue key with its use state.
struct ItemEntry {
    std::string mName;
    uint8_t mFlag1 = 1;
    uint8_t mFlag2 = 0;
    int32_t mState = 0;   // 1: in use (placed in the room)
    int32_t mOrigin = -1; // the secret map it came from, -1 for none
};

// The progress of one player.
struct UserRecord {
    static constexpr int kStatCount = 5;
    static constexpr int kItemListCount = 5;
    static constexpr int kTipCount = 32;
    static constexpr int kMetaStateCount = 10;

    UserRecord() { Reset(); }
    // A new user's record: every value at its default, every list empty.
    void Reset();

    std::array<float, kStatCount> mTotals{};
    std::array<float, kStatCount> mStageCounts{}; // 0 drink, 1 eat, 2 stuff: the stage goals
    std::array<float, kStatCount> mRestaurantCounts{};
    int32_t mKept0 = 0;
    int32_t mStageIndex = -1;
    int32_t mKept1 = 0;
    int32_t mStagesPlayed = -1;
    uint8_t mSecondGameFlag = 0;
    uint8_t mInProgress = 0;
    int32_t mKept2 = 0;
    int32_t mKept3 = 0;
    uint8_t mTipsEnabled = 1;
    std::array<uint8_t, kTipCount> mTipShown{};
    int32_t mSecretPieces = 0;
    int32_t mSecretMapIndex = 0;
    int32_t mBoardIndex = -1;
    int32_t mReachedStage = 0;
    float mMoney = 0.0f;
    float mRoomValue = 0.0f;
    std::array<int32_t, kMetaStateCount> mMetaState{};
    std::array<std::vector<ItemEntry>, kItemListCount> mItems;
    int32_t mRating = 0;
    int32_t mTotalRating = 0; // not stored
    std::vector<int32_t> mExtraValues;
    // Carried for the board and the meta-game; not stored.
    int32_t mUnsavedValue = 2;
    std::vector<int32_t> mUnsaved1;
    std::vector<int32_t> mUnsaved2;
};

struct User {
    int32_t mId = 0;
    float mSfxVolume = 0.85f;
    float mMusicVolume = 0.4f;
    std::string mName;
    UserRecord mRecord;
};

// The entries of one item list.
inline int ItemListCount(const std::vector<ItemEntry>& list) {
    return static_cast<int>(list.size());
}

// A price for a count of items: at least one is charged.
inline float StuffPriceTotal(float price, int count) {
    return price * static_cast<float>(count < 1 ? 1 : count);
}

} // namespace Game
