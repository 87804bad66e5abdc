#include "game/bonus/bonus_replace.h"

#include "game/board/board.h"
#include "game/board/item_catalog.h"
#include "game/bonus/bonus_identity.h"
#include "game/effects/effect_spin.h"
#include "game/ui/resource_ids.h"

#include <algorithm>

namespace Game {

namespace {

Kavo::Image* ItemPicture(int id) {
    const ItemRecord* item = FindItem(id);
    return item != nullptr ? item->mImage : nullptr;
}

} // namespace

BonusReplace::BonusReplace(IniDocument* settings) : TargetingBonus(settings) {
    ApplyBonusIdentity(*this, kBonusReplace, settings);
}

BonusReplace::~BonusReplace() = default;

void BonusReplace::OnCharged() {
    mSpin.Start(ButtonSpin::kStep);
    mSpinEffect = std::make_unique<EffectSpin>(ItemPicture(kSpinItem1), ItemPicture(kSpinItem2),
                                               static_cast<float>(static_cast<int>(mX + mWidth * 0.5f)),
                                               static_cast<float>(static_cast<int>(mY + mHeight * 0.5f)), 25);
}

void BonusReplace::ShowPointer() {
    if (mListener != nullptr)
        mListener->SetBonusCursor(mIndex, IMAGE_CUSTOM_POINTER, mVariant);
}

void BonusReplace::Update() {
    Bonus::Update();
    if (mState == kArmed && ++mCycle % kCycleUpdates == 0) {
        // With no kind to offer the cursor stays the pointer.
        if (ItemCellUnder(mTargetX, mTargetY) == nullptr || mTargetItems.empty()) {
            ShowPointer();
        } else {
            mVariant = (mVariant + 1) % static_cast<int>(mTargetItems.size());
            if (mListener != nullptr)
                mListener->SetBonusCursor(mIndex, mTargetCursors[static_cast<size_t>(mVariant)], mVariant);
        }
    }
    mSpin.Step(mState);
    if (mSpinEffect != nullptr) {
        mSpinEffect->Update();
        if (mSpinEffect->IsDone())
            mSpinEffect.reset();
    }
}

void BonusReplace::OnArmed(int x, int y) {
    Bonus::OnArmed(x, y);
    std::sort(mTargetItems.begin(), mTargetItems.end());
    mVariant = 0;
    mCycle = 0;
    mTargetCursors.clear();
    for (int item : mTargetItems)
        mTargetCursors.push_back(ItemPicture(item));
}

bool BonusReplace::HitTest(int x, int y) {
    const bool hit = Bonus::HitTest(x, y);
    if (mState != kArmed)
        return hit;
    BoardCell* cell = ItemCellUnder(mTargetX, mTargetY);
    if (cell == nullptr) {
        ShowPointer();
        ClearHighlights();
        // Coming back to the same kind lights its cells again.
        mLastCell = nullptr;
    } else if (mLastCell == nullptr || mLastCell->mItem != cell->mItem) {
        mLastCell = cell;
        ClearHighlights();
        std::vector<CellPos> cells;
        mBoard->CollectCellsOfItem(cell->mItem, cells);
        HighlightCells(cells);
    }
    return hit;
}

void BonusReplace::Draw(Kavo::Graphics* g) {
    Bonus::Draw(g);
    if (mSpinEffect != nullptr)
        mSpinEffect->Draw(g);
}

void BonusReplace::DrawReady(Kavo::Graphics* g) {
    if (!mSpin.mSpinning) {
        Bonus::DrawReady(g);
        return;
    }
    mSpin.Draw(g, IMAGE_RECOLORARROWS, mX, mY, nullptr, mAlpha);
}

void BonusReplace::Reset() {
    Bonus::Reset();
    mLastCell = nullptr;
    mSpinEffect.reset();
}

} // namespace Game
