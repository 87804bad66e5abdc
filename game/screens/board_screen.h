#pragma once
// The play screen: the board with its tiles and borders, the bonus buttons,
// the level timer, the panels and labels of "UI/board.txt" and the effect
// lists of a stage. It starts each board, drives it 100 times a second,
// takes the player's input and answers the dialogs that open over it, the
// board's events and the bonuses, and ends the board by time, lack of moves
// or completion.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/util/rect.h"
#include "game/board/board.h"
#include "game/board/board_borders.h"
#include "game/board/board_listener.h"
#include "game/board/board_tiles.h"
#include "game/board/board_tiles_listener.h"
#include "game/board/bonus_listener.h"
#include "game/effects/tween.h"
#include "game/screens/board_goal_stats.h"
#include "game/screens/board_screen_hooks.h"
#include "game/screens/effect_callbacks.h"
#include "game/ui/effect_list.h"
#include "game/ui/game_dialog.h"
#include "game/ui/image_sprite.h"
#include "game/ui/layout.h"
#include "game/ui/named_image.h"
#include "game/ui/progress_bar.h"
#include "game/ui/progress_bar_group.h"
#include "game/ui/timer_dial.h"
#include "game/ui/timer_dial_listener.h"

namespace Kavo {
class HyperlinkWidget;
class Widget;
} // namespace Kavo

namespace Game {

class Bonus;
class BoardEffectMaker;
class FadeOverlay;
class ItemFadeList;
class ReshuffleEffect;
class Stage;
struct UserRecord;

class BoardScreen : public GameDialog,
                    public BoardListener,
                    public BoardTilesListener,
                    public TimerDialListener,
                    public BonusListener {
public:
    enum ScreenState : int32_t {
        kAppear = 0,
        kIdle = 2,
        kPlaying = 3,
        kEntering = 4,
        kStageComplete = 8,
        kNextBoard = 9,
        kToMap = 10,
        kToMapAfterLast = 11,
        kTimeUp = 12,
        kHidden = 14,
    };
    enum : int32_t { kMenuButton = 1, kHideButton = 77 };
    enum DialogIds : int32_t {
        kSecretDialog = 5,
        kPuzzleDialog = 6,
        kPenaltyDialog = 8,
        kStageCompleteDialog = 15,
        kBonusUnlockDialog = 60,
        kReaddDialog = 17,
        kGameMenuDialog = 55,
        kNewUserDialog = 103,
        kOptionsDialog = 305,
        kSettleDialog = 333,
        kTipDialog = 1024,
    };
    static constexpr int32_t kId = 6120;
    static constexpr int kEffectListCount = 7;
    static constexpr int kBonusPitch = 94;
    static constexpr int kBoardX = 177;
    static constexpr int kBoardY = 103;
    static constexpr int kHintPeriod = 500;
    static constexpr int kIdleAfterTip = 1500;
    static constexpr int kNoIdleTip = 2000000;
    static constexpr int kTimerSaveEvery = 100;
    static constexpr float kWindBack = 200.0f;
    static constexpr const char* kLayoutFile = "UI/board.txt";
    static constexpr const char* kShineFile = "data/shine.anim";

    explicit BoardScreen(BoardScreenHooks hooks = {});
    ~BoardScreen() override;

    // ---- The widget ----
    void Update() override;
    void UpdateF(float fraction) override;
    void Draw(Kavo::Graphics* g) override;
    void DrawOverlay(Kavo::Graphics* g) override;
    void KeyUp(int32_t key) override;
    void MouseMove(int32_t x, int32_t y) override;
    void MouseDown(int32_t x, int32_t y, int32_t clickCount) override;
    void MouseUp(int32_t x, int32_t y, int32_t clickCount) override;
    void MouseDrag(int32_t x, int32_t y) override;
    void OnEnter() override;
    void OnLeave() override;
    void ButtonDepress(int32_t id) override;
    void ButtonMouseEnter(int32_t id) override;
    void DialogButtonRelease(int32_t dialogId, int32_t result) override;

    // ---- Pause ----
    // On: with no pause, an overlay (80) and one pause level. Off: one
    // level less, the overlay closing.
    void SetShaded(bool on);
    void OpenFadeOverlay(float alpha);
    void CloseFadeOverlay();

    // ---- Stage start (board_screen_start.cpp) ----
    // False, with a message and back to the main menu, when the stage's
    // board cannot be dealt.
    bool StartLevel(bool advance, bool animate);
    void OnTilesSpread() override;
    void OnTilesGone() override {}
    void OnSettled() override;
    void ShowChainAppear();
    void ShowStartTips();
    void ShowTip(int tipId, int x, int y, bool pointer, bool sound);
    // The tips that came while the new bonus's notice was open, shown once
    // it has closed.
    void ShowWaitingTips();
    void PlayMusic();
    // Leaves the hidden board: play again, panels and borders fading in.
    void Resume();

    // ---- The timer ----
    void OnTimerTick(float fraction) override;
    void OnTimeUp() override;
    bool HoldTimer();
    void ReleaseTimer();
    // Whether something over the board keeps the clock held: an open tip,
    // the new bonus's notice, the secret piece and its puzzle or the time
    // freeze. The dialog `closing` (one that is being
    // closed) does not count.
    bool ClockHeld(int32_t closing = -1) const;
    // The clock runs again unless something still holds it.
    void ReleaseTimerIfFree(int32_t closing = -1);

    // ---- The board's events and the scoring (board_screen_events.cpp) ----
    void OnFiguresBroken(bool byMove) override;
    void OnWrongMove() override;
    void OnSelect() override;
    void OnMove() override;
    void OnChainBroken(BoardCell& cell) override;
    void OnMovesFound() override;
    void OnBonusTaken(int index, BonusUseRecord* record, int x, int y, int flags) override;
    void OnBonusApply(int index) override;
    void OnBonusArmed(int index, Kavo::Image* cursorImage) override;
    void OnBonusCancelled(int index) override;
    void OnBonusReady(int index) override;
    void CanUseAt(int index, bool& ok, int x, int y) override;
    void SetBonusCursor(int index, Kavo::Image* image, int variant) override;
    // The furnishing's extra score of one broken figure of `kind`.
    void AddFigurePoints(int kind);
    // A value scored by (kind): statistics, bonus charge and goal bar.
    void AddScore(int kind, float value);
    // The board's tile counters copied to the tile layer.
    void CopyTileTypes();
    // The line break's and the lightning's cells: each item's price.
    void ScoreBonusBreak(bool lightning);
    void ApplyKnife(Bonus& bonus);
    void ApplyReplace(Bonus& bonus);
    // The item's picture drifting off the cell centred at (x, y).
    void ShowItemDone(int itemId, int x, int y);

    // ---- The stage's end (board_screen_end.cpp) ----
    void OnNoMoreMoves() override;
    void OnLevelComplete(bool finished) override;
    void OnSecretFound(float x, float y) override;
    void OnBoardCleared() override;
    bool CheckStageGoals(bool flag);
    void OpenStageComplete();
    void OnReshuffleDone();
    virtual void OnPenaltyClosed(int32_t result);
    virtual void OnStageCompleteClosed(int32_t result);
    // The owned effects that are no effect-list members: the reshuffle and
    // the flying items.
    void UpdateEndEffects();
    // A banner at the board's centre, held and faded over `duration` updates.
    void AddBanner(Kavo::Image* image, int duration);
    // The hint marker and the single owned effects go.
    void DropSingleEffects();
    // The hint bonus's arrows on every listed move, new for each use.
    void ShowHintArrows();

    // ---- The bonus row (board_screen_bonuses.cpp) ----
    void DrawBonuses(Kavo::Graphics* g);
    void UpdateBonuses();
    void UpdateFBonuses(float fraction);
    void BonusesHitTest(int x, int y);
    void BonusesMouseUp(int x, int y, int clicks);
    void BonusesMouseDown(int x, int y, int clicks);
    void ChargeBonuses(int kind, float amount);
    bool NoBonusInUse() const;
    void CancelArmedBonuses();
    Bonus* FindBonusByIndex(int index) const;
    void EnableAllBonuses();

    // ---- Drawing (board_screen_draw.cpp) ----
    void DrawLabels(Kavo::Graphics* g);
    void DrawPanels(Kavo::Graphics* g);
    void DrawBorders(Kavo::Graphics* g);
    // The single effects that leave their drawing to the screen: the hint
    // arrows at the panel alpha, the x2 label and the time freeze.
    void DrawHintArrows(Kavo::Graphics* g);
    void DrawX2Label(Kavo::Graphics* g);
    void DrawTimeFreeze(Kavo::Graphics* g);

    // The current user's record; null without one.
    static UserRecord* Record();
    // The centre of the board's active rectangle in pixels.
    void ActiveCentre(float& x, float& y) const;

    // ---- Data ----
    int mMouseX = 0;
    int mMouseY = 0;
    int32_t mState = kIdle;
    int32_t mPauseCount = 0;
    int32_t mStageTime = 30000;
    int32_t mDevCounter = -1;
    int32_t mStateTicks = 0;
    int32_t mIdleTicks = 0;
    std::unique_ptr<Layout> mLayout;
    std::unique_ptr<EffectBase> mTileSpread;
    const Stage* mStage = nullptr;
    TimerDial mTimer;
    std::array<NamedImage, 4> mPanels;
    float mPanelAlpha = 255.0f;
    ImageSprite mBackground;
    std::string mBackgroundName;
    ImageSprite mPlate;
    ImageSprite mPlateTop;
    std::array<ImageSprite, 3> mGoalIcons;
    // Stuff, Food, Drink, Money, Level.
    std::vector<Kavo::HyperlinkWidget*> mLabels;
    Kavo::HyperlinkWidget* mStuffLabel = nullptr;
    Kavo::HyperlinkWidget* mFoodLabel = nullptr;
    Kavo::HyperlinkWidget* mDrinkLabel = nullptr;
    Kavo::HyperlinkWidget* mMoneyLabel = nullptr;
    Kavo::HyperlinkWidget* mLevelLabel = nullptr;
    // Whether each goal label (stuff, food, drink) shows its target reached;
    // -1 before its first draw of the stage.
    std::array<int, 3> mGoalReached{-1, -1, -1};
    ProgressBar mRoomBar;
    ProgressBar mMenuBar;
    ImageSprite mRatingBack;
    std::array<EffectList, kEffectListCount> mEffects{EffectList(true), EffectList(true), EffectList(true),
                                                      EffectList(true), EffectList(true), EffectList(true),
                                                      EffectList(true)};
    Board mBoard;
    BoardTiles mTiles;
    BoardBorders mBorders;
    bool mBordersVisible = true;
    Tween mBorderAlpha;
    Kavo::Widget* mEyeLabel = nullptr;
    Kavo::Widget* mMenuButton = nullptr;
    std::unique_ptr<FadeOverlay> mFadeOverlay;
    std::unique_ptr<EffectBase> mHintMarker;
    int32_t mHintCounter = 0;
    int32_t mHintPeriod = kHintPeriod;
    int32_t mHintDelay = 0;
    bool mFallPending = false;
    int32_t mFallDelay = 0;
    std::unique_ptr<EffectBase> mTipArrow;
    int32_t mSpecialItem = -1;
    ImageSprite mSpecialIcon;
    bool mSpecialIconValid = false;
    float mX2Multiplier = 1.0f;
    int32_t mX2Ticks = 0;
    // The single owned effects, in their update order.
    std::unique_ptr<EffectBase> mX2Label;
    std::unique_ptr<EffectBase> mTimeFreeze;
    std::unique_ptr<EffectBase> mHintArrows;
    std::unique_ptr<EffectBase> mRewardEffect;
    std::unique_ptr<EffectBase> mBlink;
    bool mDevMode = false;
    LayoutPoint mRewardXY;
    ProgressBarGroup mGoalBars;
    Kavo::IntRect mTimerRect;
    LayoutPoint mRemoveItems;
    LayoutPoint mX2Start;
    LayoutPoint mX2End;
    LayoutPoint mTimerPoint;
    int32_t mBonusIndexField = -1;
    ImageSprite mPausedSprite;
    bool mPlaying = false;
    bool mTipShown = false;
    // A tip asked for while the new bonus's notice is open waits for it
    // (the notice is modal: a tip beneath it could be neither read nor
    // closed, one above it covers its text); the latest one asked for.
    struct WaitingTip {
        int mId = -1;
        int mX = 0;
        int mY = 0;
        bool mPointer = false;
        bool mSound = false;
    };
    WaitingTip mWaitingTip;
    WaitingTip mOpenTip;
    bool mStartTipsWaiting = false;
    bool mSecretShown = false;
    // The next start deals the same board of the same stage anew (a lost
    // board after its penalty), without stepping the stage on.
    bool mDealAgain = false;
    bool mTimeUpFlag = false;
    bool mEndFlag = false;
    int32_t mBlinkDeadline = 0;
    int32_t mShineDeadline = 0;
    // The counter of the music's tracks; -1 before the first.
    int32_t mMusicTrack = -1;
    std::string mMusicPlaying;
    // The user's stage figures at the stage's start.
    int32_t mStageIndex = 0;
    int32_t mBoardCounter = 0;
    int32_t mBoardCounterAtStart = 0;
    int32_t mSecretMapIndex = 0;
    int32_t mPiecesFound = 0;
    int32_t mRating = 0;
    BoardScreenHooks mHooks;
    // The file named by the last start that could not deal a board.
    std::string mStartError;
    // The play statistics of the board that the stage goals read.
    BoardGoalStats mGoalStats;
    // The targets the lightning picked when taken.
    std::vector<CellPos> mLightningTargets;
    std::unique_ptr<ReshuffleEffect> mReshuffle;
    std::unique_ptr<ItemFadeList> mFlyList;
    // The outcome of the finished board and the rating at its end.
    int32_t mOutcome = 1;
    int32_t mRatingAtEnd = 0;
    uint32_t mBonusReadySound = 0;
    // The callbacks of the reshuffle, the flying items, the time freeze and
    // the x2 label.
    EffectCallbacks mReshuffleListener{[this] { OnReshuffleDone(); }, [this] { mBoard.Refill(true); }};
    EffectCallbacks mFlyListener{[this] { OpenStageComplete(); }, nullptr};
    // Holds the timer when the freeze's probes arrive, lets it go at the end.
    EffectCallbacks mTimerHoldListener{[this] { ReleaseTimer(); }, [this] { HoldTimer(); }};
    EffectCallbacks mX2EndListener{nullptr, nullptr};
    // The hint bonus's burst shows the arrows when it ends.
    EffectCallbacks mHintArrowsListener{[this] { ShowHintArrows(); }, nullptr};

private:
    void ReadControls();
    void PlaceBonuses();
    // The item-goal bars: their pictures and places, then at each board's
    // start the stage's goals as their full lengths and the counts so far.
    void PlaceGoalBars(float x, float y);
    void FillGoalBars();
    void StepPanels();
    void FadePanels(float from, float to, int updates);
    void PlayWork();
    void IdleTips();
    void HintCheck();
    void ShowHint();
    void PeriodicEffects();
    void SharedWork();
    // The single owned effects, in their update order.
    std::array<std::unique_ptr<EffectBase>*, 5> SingleEffects();
    void FailStart(const std::string& file);
    void DeveloperKey(int32_t key);
    void DrawPlay(Kavo::Graphics* g);
    BoardEffectMaker& Effects();
    static void OnMusicEnd(std::uint32_t handle, void* screen);
};

} // namespace Game
