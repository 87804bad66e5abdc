#include "game/bonus/bonus_knife.h"

#include "game/board/board.h"
#include "game/bonus/bonus_identity.h"
#include "game/effects/trajectories.h"

namespace Game {

BonusKnife::BonusKnife(IniDocument* settings) : TargetingBonus(settings) {
    ApplyBonusIdentity(*this, kBonusKnife, settings);
}

void BonusKnife::OnCharged() {
    // Along the blade of the button picture.
    auto path = Trajectories::MakeLine(static_cast<int>(mX + 15), static_cast<int>(mY + 86), static_cast<int>(mX + 74),
                                       static_cast<int>(mY + 43));
    const float length = path->mTotalLength;
    mGleam = std::make_unique<PathAnimation>(std::move(path), length * 1.5f);
    mGleam->LoadFile(kGleamFile);
    mGleam->Restart();
}

void BonusKnife::Update() {
    if (mGleam != nullptr && !mGleam->IsFinished())
        mGleam->Update();
    Bonus::Update();
}

void BonusKnife::UpdateF(float fraction) {
    if (mGleam == nullptr)
        return;
    if (!mGleam->IsFinished())
        mGleam->Update(fraction);
    if (mGleam->IsFinished())
        mGleam.reset();
}

void BonusKnife::DrawReady(Kavo::Graphics* g) {
    Bonus::DrawReady(g);
    if (mGleam != nullptr)
        mGleam->DrawOverlay(g);
}

bool BonusKnife::HitTest(int x, int y) {
    const bool hit = Bonus::HitTest(x, y);
    if (mState != kArmed)
        return hit;
    BoardCell* cell = ItemCellUnder(mTargetX, mTargetY);
    if (cell == nullptr) {
        mLastCell = nullptr;
        ClearHighlights();
    } else if (cell != mLastCell) {
        ClearHighlights();
        HighlightCells({CellPos{mBoard->XToColumn(mTargetX), mBoard->YToRow(mTargetY)}});
        mLastCell = cell;
    }
    return hit;
}

void BonusKnife::Reset() {
    Bonus::Reset();
    mLastCell = nullptr;
}

} // namespace Game
