#pragma once
// A goal counter: the latest value the board screen reports for one goal
// kind and the level (0..2, or -1 for none) it reaches against two sets of
// three thresholds: `levels` rates the value, `activation` decides when a
// level is granted and when it is lost again.

#include <array>
#include <string>

namespace Game {

inline constexpr int kStageGoalLevels = 3;
inline constexpr int kStageGoalUnset = 1000000;

class StageGoal {
public:
    virtual ~StageGoal() = default;

    virtual void SetValue(int value) = 0;
    // The level the value rates at now; the level field is not changed.
    virtual int Level() const = 0;
    // Grants the level the value has activated and returns it; -1 (the
    // level field unchanged) when none.
    virtual int UpdateLevel() = 0;
    virtual void Reset();

    int mValue = 0;
    int mBest = 0; // the highest value set (higher-is-better goals only)
    int mLevel = -1;
    std::array<int, kStageGoalLevels> mLevels{kStageGoalUnset, kStageGoalUnset, kStageGoalUnset};
    std::array<int, kStageGoalLevels> mActivation{kStageGoalUnset, kStageGoalUnset, kStageGoalUnset};
    bool mActive = true;
    std::string mName;
};

// Higher is better.
class StageGoalMax : public StageGoal {
public:
    // A value below the granted level's activation threshold loses it.
    void SetValue(int value) override;
    int Level() const override;
    int UpdateLevel() override;
};

// Lower is better (the puzzle's time).
class StageGoalMin : public StageGoal {
public:
    // A value above the granted level's threshold loses it.
    void SetValue(int value) override;
    int Level() const override;
    // The lowest level whose window activation..levels holds the value.
    int UpdateLevel() override;
};

} // namespace Game
