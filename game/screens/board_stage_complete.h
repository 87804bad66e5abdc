#pragma once
// The stage-complete screen over a won board: what it reads and drives of
// the board screen, and the screen itself made for the board's hook.

#include "game/meta/shop_screen_board.h"

namespace Game {

class BoardScreen;
class GameDialog;

// The board screen's timer and rating label as the stage-complete screen
// sees them.
class BoardStageCompleteView : public ShopScreenBoard {
public:
    explicit BoardStageCompleteView(BoardScreen& board) : mBoard(board) {}
    float GetTimerDuration() const override;
    float GetTimerValue() const override;
    LayoutPoint GetTimerPosition() const override;
    void SetTimeBonusDisplay(float bonus) override;
    void SetRatingText(const std::string& text) override;
    void UpdateTimerDial() override;
    // The time bonus last shown; not drawn by the board yet.
    float mTimeBonus = 0.0f;

private:
    BoardScreen& mBoard;
};

// The stage-complete screen of the board's finished stage, reading the
// board through `view`; null without a stage.
GameDialog* MakeStageCompleteScreen(BoardScreen& board, BoardStageCompleteView& view);

// Whether the closing stage-complete screen asked for the restaurant's room.
bool StageCompleteAskedForRoom(GameDialog& stageComplete);

} // namespace Game
