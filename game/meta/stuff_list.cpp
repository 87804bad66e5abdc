#include "game/meta/stuff_list.h"

#include "framework/graphics/graphics.h"
#include "game/meta/shop_catalog.h"

#include <algorithm>
#include <utility>

namespace Game {

void StuffList::Fill(const ShopCatalog& catalog, int rank, int rating) {
    mContentH = static_cast<float>(catalog.GetCategoryCount()) * kRowHeight - 1;
    mContentW = 0;
    mRows.clear();
    StuffRow row;
    for (size_t c = 0; c < catalog.GetCategoryCount(); ++c)
        for (auto& [name, item] : catalog.GetCategory(c))
            if (item->mRank == rank)
                row.AddCell(item, rating);
    mContentW = std::max(mContentW, static_cast<float>(row.mCells.size() * kCellPitch));
    mRows.push_back(std::move(row));
    mHovered = nullptr;
}

void StuffList::SortRows() {
    for (StuffRow& row : mRows)
        std::stable_sort(row.mCells.begin(), row.mCells.end(), [](const StuffCell& a, const StuffCell& b) {
            return a.mItem->mShopIndex < b.mItem->mShopIndex;
        });
}

void StuffList::Draw(Kavo::Graphics* g) {
    g->PushState();
    g->Translate(static_cast<int>(mViewX), static_cast<int>(mViewY));
    Kavo::TRect<float> visible;
    for (size_t r = 0; r < mRows.size(); ++r) {
        if (!RowBand(static_cast<int>(r), visible))
            continue;
        g->SetClipRect(0, static_cast<int>(visible.mY), static_cast<int>(mViewW), static_cast<int>(visible.mHeight));
        mRows[r].mX = OffsetX();
        mRows[r].mY = OffsetY() + static_cast<float>(kCellPitch * r);
        mRows[r].Draw(g);
    }
    g->PopState();
}

StuffCell* StuffList::HitTest(float x, float y) {
    int row = 0;
    int column = 0;
    mHovered = CellUnder(x, y, row, column) ? CellAt(row, column) : nullptr;
    return mHovered;
}

void StuffList::Select(const StuffCell* cell) {
    for (StuffRow& row : mRows)
        for (StuffCell& each : row.mCells)
            each.mSelected = &each == cell;
}

int StuffList::RowCellCount(int row) const {
    if (row < 0 || static_cast<size_t>(row) >= mRows.size())
        return 0;
    return static_cast<int>(mRows[static_cast<size_t>(row)].mCells.size());
}

StuffCell* StuffList::CellAt(int row, int column) {
    if (column < 0 || column >= RowCellCount(row))
        return nullptr;
    return &mRows[static_cast<size_t>(row)].mCells[static_cast<size_t>(column)];
}

Kavo::Point StuffList::FirstPendingCellCentre() const {
    for (size_t r = 0; r < mRows.size(); ++r)
        for (size_t c = 0; c < mRows[r].mCells.size(); ++c)
            if (!mRows[r].mCells[c].mInRoom)
                return Kavo::Point(static_cast<int>(mViewX + static_cast<float>(kCellPitch * c) + 55),
                                   static_cast<int>(mViewY + static_cast<float>(kCellPitch * r) + 55));
    return Kavo::Point(static_cast<int>(mViewX + 55), static_cast<int>(mViewY + 55));
}

} // namespace Game
