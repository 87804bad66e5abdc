#pragma once
// What the board screen asks of the subsystems built beside it: the eight
// bonuses, the dialogs it opens and the secret maps' names. An empty hook
// is skipped.

#include <functional>
#include <memory>
#include <string>

#include "game/board/stage_goals.h"

namespace Game {

class BoardEffectMaker;
class BoardScreen;
class BonusRegistry;
class GameDialog;

struct BoardScreenHooks {
    // Appends the eight bonuses to the registry, in their order.
    std::function<void(BonusRegistry&)> mMakeBonuses;
    // The dialog that presents a newly unlocked bonus of that index (0-7).
    std::function<GameDialog*(int bonusIndex)> mMakeBonusUnlockDialog;
    // The picture puzzle of a secret map (dialog 6).
    std::function<GameDialog*(int mapIndex)> mMakePuzzleDialog;
    // The name of a secret map (its postcard's recipe name).
    std::function<std::string(int mapIndex)> mSecretMapName;
    // The stage-complete screen over the finished board (dialog 15); without
    // one the board waits for dialog 15's answer.
    std::function<GameDialog*(BoardScreen&)> mMakeStageComplete;
    // Whether the closing stage-complete screen asked for the room.
    std::function<bool(GameDialog& stageComplete)> mStageCompleteAskedForRoom;
    // The secret dialog of a found piece at (x, y) (dialog 5).
    std::function<GameDialog*(int piecesFound, int mapIndex, float x, float y)> mMakeSecretDialog;
    // The application's stage-goal counters, reset at every start.
    StageGoalSlots* mGoals = nullptr;
    // The effects of the stage's moments; none without a maker.
    std::shared_ptr<BoardEffectMaker> mEffects;
};

} // namespace Game
