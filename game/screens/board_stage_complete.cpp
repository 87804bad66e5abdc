#include "game/screens/board_stage_complete.h"

#include "framework/widget/hyperlink_widget.h"
#include "game/meta/shop_screen.h"
#include "game/screens/board_screen.h"

namespace Game {

namespace {

constexpr const char* kLayoutFile = "UI/LevelComplete.txt";

} // namespace

float BoardStageCompleteView::GetTimerDuration() const {
    return mBoard.mTimer.mDuration;
}

float BoardStageCompleteView::GetTimerValue() const {
    return mBoard.mTimer.mValue;
}

LayoutPoint BoardStageCompleteView::GetTimerPosition() const {
    return mBoard.mTimerPoint;
}

void BoardStageCompleteView::SetTimeBonusDisplay(float bonus) {
    mTimeBonus = bonus;
}

void BoardStageCompleteView::SetRatingText(const std::string& text) {
    if (mBoard.mMoneyLabel != nullptr)
        mBoard.mMoneyLabel->mLabel = text;
}

void BoardStageCompleteView::UpdateTimerDial() {
    mBoard.mTimer.Update();
}

GameDialog* MakeStageCompleteScreen(BoardScreen& board, BoardStageCompleteView& view) {
    if (board.mStage == nullptr)
        return nullptr;
    StageFigures figures;
    figures.mMoney = board.mRatingAtEnd;
    figures.mSecretMapIndex = board.mSecretMapIndex;
    figures.mPiecesFound = board.mPiecesFound;
    auto* screen = new ShopScreen(kLayoutFile, figures, *board.mStage, view);
    // The shop is offered only while the stage goes on (outcome 1).
    screen->ShowShopButton(board.mOutcome == 1);
    return screen;
}

bool StageCompleteAskedForRoom(GameDialog& stageComplete) {
    auto* screen = dynamic_cast<ShopScreen*>(&stageComplete);
    return screen != nullptr && screen->IsShopRequested();
}

} // namespace Game
