#include "game/effects/effect_hint_arrows.h"

#include "game/board/board.h"
#include "game/effects/anim_effect.h"

#include <algorithm>

namespace Game {

namespace {

bool SameCells(const Move& a, const Move& b) {
    return a.mColumn1 == b.mColumn1 && a.mRow1 == b.mRow1 && a.mColumn2 == b.mColumn2 && a.mRow2 == b.mRow2;
}

bool SharesCell(const Move& a, const Move& b) {
    auto same = [](int c1, int r1, int c2, int r2) { return c1 == c2 && r1 == r2; };
    return same(a.mColumn1, a.mRow1, b.mColumn1, b.mRow1) || same(a.mColumn1, a.mRow1, b.mColumn2, b.mRow2) ||
           same(a.mColumn2, a.mRow2, b.mColumn1, b.mRow1) || same(a.mColumn2, a.mRow2, b.mColumn2, b.mRow2);
}

} // namespace

EffectHolderList::EffectHolderList() = default;
EffectHolderList::~EffectHolderList() = default;

void EffectHolderList::Draw(Kavo::Graphics* g, int alpha) {
    for (Entry& entry : mEntries) {
        entry.mEffect->mAlphaScale = static_cast<float>(alpha);
        entry.mEffect->Draw(g);
    }
}

EffectHintArrows::EffectHintArrows() {
    mHorizontal.Load("images/bonuses/hinthorz");
    mVertical.Load("images/bonuses/hintvert");
}

void EffectHintArrows::SetMoves(const std::vector<Move>& moves) {
    if (mUpdateCount >= mLimit)
        return;
    std::vector<EffectHolderList::Entry>& entries = mHolders.mEntries;
    std::erase_if(entries, [&](const EffectHolderList::Entry& entry) {
        return std::none_of(moves.begin(), moves.end(), [&](const Move& m) { return SameCells(m, entry.mMove); });
    });
    std::vector<Move> fresh;
    for (const Move& move : moves)
        if (std::none_of(entries.begin(), entries.end(),
                         [&](const EffectHolderList::Entry& entry) { return SameCells(move, entry.mMove); }))
            fresh.push_back(move);
    for (const Move& move : fresh) {
        if (std::any_of(entries.begin(), entries.end(),
                        [&](const EffectHolderList::Entry& entry) { return SharesCell(move, entry.mMove); }))
            continue;
        // The corner of the upper left cell: the move records the cells'
        // pixel centres.
        const int x = std::min(move.mX1, move.mX2) - kCellSize / 2;
        const int y = std::min(move.mY1, move.mY2) - kCellSize / 2;
        Kavo::Image* image = move.mColumn1 == move.mColumn2 ? mVertical.Get() : mHorizontal.Get();
        entries.push_back({move, std::make_unique<AnimEffect>(x, y, image, 0, 50, false, 0)});
    }
}

void EffectHintArrows::Update() {
    if (mDone)
        return;
    ++mUpdateCount;
    const bool fading = mUpdateCount >= mLimit;
    std::vector<EffectHolderList::Entry>& entries = mHolders.mEntries;
    for (EffectHolderList::Entry& entry : entries)
        entry.mEffect->Update();
    if (fading)
        std::erase_if(entries, [](const EffectHolderList::Entry& entry) {
            return static_cast<int>(entry.mEffect->mImage.mValue) == 0;
        });
    mDone = fading && entries.empty();
}

} // namespace Game
