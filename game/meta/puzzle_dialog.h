#pragma once
// The full-screen picture puzzle of a secret map's postcard: the postcard
// cut into tiles on a PuzzleBoard, a running time, and once the picture is
// whole a burst of particles after which the postcard turns over to show
// its recipe. The board screen and the map's post panel open it and read
// its result (1 done, 2 skipped) as dialog kId's button.

#include "game/board/stage_goals.h"
#include "game/effects/effect_listener.h"
#include "game/meta/puzzle_board.h"
#include "game/meta/puzzle_board_listener.h"
#include "game/ui/game_dialog.h"
#include "game/ui/held_image.h"
#include "platform/process_slot.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Kavo {
class ButtonWidget;
class MemoryImage;
class Widget;
} // namespace Kavo

namespace Game {

class EffectBase;
class FlipCard;
class Layout;
class ParticleSystem;
class StageGoal;
struct ItemEntry;
struct SecretMapEntry;

class PuzzleDialog : public GameDialog, public PuzzleBoardListener, public EffectListener {
public:
    static constexpr int32_t kId = 6;
    static constexpr int32_t kDone = 1;
    static constexpr int32_t kSkip = 2;
    static constexpr int32_t kReshuffle = 3;
    // The record's item list of postcards, by recipe name.
    static constexpr int kPostcardList = 3;
    // The goal counter and award slot of the puzzle's time.
    static constexpr int kPuzzleAward = 9;
    static constexpr int kRewardDialogId = 17;
    static constexpr int kRulesTip = 15;
    static constexpr int kWrongSwapTip = 16;

    // (award index, level) pairs for the reward dialog.
    using Awards = std::vector<std::pair<int, int>>;

    PuzzleDialog();
    ~PuzzleDialog() override;

    // Prepares the puzzle of a secret map (its postcard picture, puzzle
    // number and recipe name): the player's postcard entry (with
    // fromBoard its origin is the record's current secret map), the
    // postcard's picture cut by the map's puzzle, the recipe card. Without
    // a map, a picture or a puzzle table the board has no tiles and only
    // "Skip" leads on.
    void Start(const std::string& postcard, int puzzle, const std::string& recipe, bool fromBoard);
    // The same for a secret map entry; null plays nothing.
    void Start(const SecretMapEntry* entry, bool fromBoard);
    // A tip beside (x, y); unless forced only when the player's tips are on
    // and this one was not shown yet.
    void ShowTip(int tipId, int x, int y, bool force);

    void OnEnter() override;
    void OnLeave() override;
    void Update() override;
    void UpdateF(float fraction) override;
    void Draw(Kavo::Graphics* g) override;
    void MouseMove(int32_t x, int32_t y) override;
    void MouseDownButton(int32_t x, int32_t y, int32_t button, int32_t clickCount) override;
    void MouseUpButton(int32_t x, int32_t y, int32_t button, int32_t clickCount) override;
    void MouseDrag(int32_t x, int32_t y) override;

    void OnWrongPick() override;
    void OnMoveStart() override;
    void OnFirstSelect() override;
    void OnSolved() override;

    void ButtonDepress(int32_t id) override;
    void DialogButtonRelease(int32_t dialogId, int32_t result) override;
    // The card reports each turn it starts.
    void OnEffectMiddle(EffectBase* effect, float x, float y) override;

    // "m : ss" of the puzzle time.
    std::string TimeText() const;

    // The goal counter that rates the puzzle's time (the program sets it).
    StageGoal* mAwardTracker = nullptr;
    // Makes the reward dialog showing the awards; while unset no reward
    // dialog opens (the award is still written to the record).
    std::function<Kavo::Dialog*(const Awards&)> mMakeRewardDialog;

    PuzzleBoard mBoard;
    int mState = 0; // 0 playing, 1 the card shows
    bool mMoved = false;
    int mTicks = 0;
    std::unique_ptr<ParticleSystem> mParticles;
    std::unique_ptr<FlipCard> mCard;
    std::unique_ptr<EffectBase> mAttachedEffect;
    Kavo::Widget* mDone = nullptr;
    Kavo::Widget* mSkip = nullptr;
    Kavo::ButtonWidget* mTimeLabel = nullptr;
    int mRewardX = 0;
    int mRewardY = 0;

private:
    ItemEntry* PostcardEntry() const;
    void CheckAward();
    // From the map nothing else saves the solved postcard or its award.
    void SaveIfFromMap() const;
    void MakeRecipeCard();
    void ReleasePictures();

    std::unique_ptr<Layout> mLayout;
    std::string mRecipe;
    bool mFromBoard = false;
    HeldImage mPicture;
    std::unique_ptr<Kavo::MemoryImage> mRecipeCard;
    Kavo::Image* mShadow = nullptr;
};

// What the program gives every puzzle, wherever it opens: the goal counters
// (the puzzle goal rates its time) and the reward dialog that presents a
// new level. Without it a puzzle writes its award but opens no dialog.
struct PuzzleRewards {
    StageGoalSlots* mGoals = nullptr;
    std::function<Kavo::Dialog*(const PuzzleDialog::Awards&)> mMakeRewardDialog;
};

platform::ProcessSlot<PuzzleRewards>& PuzzleRewardsSlot();

} // namespace Game
