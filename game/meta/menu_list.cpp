#include "game/meta/menu_list.h"

#include "framework/graphics/graphics.h"
#include "game/meta/menu_catalog.h"
#include "game/meta/menu_list_listener.h"
#include "game/ui/animation.h"
#include "game/ui/ini_document.h"

#include <algorithm>
#include <utility>

namespace Game {

void MenuList::Fill(const MenuCatalog& catalog, int rank, int rating) {
    Clear();
    const size_t count = catalog.GetCategoryCount();
    mContentW = 0;
    mContentH = static_cast<float>(count) * kRowHeight - 1;
    for (size_t c = 0; c < count; ++c) {
        MenuRow row;
        row.mX = mViewX;
        row.mY = mViewY + static_cast<float>(kRowHeight * c);
        for (auto& [name, entry] : catalog.GetCategory(c)) {
            if (entry->mRank != rank)
                continue;
            entry->mOrder = static_cast<int>(row.mCells.size());
            row.AddCell(entry, rating);
        }
        mContentW = std::max(mContentW, static_cast<float>(row.mCells.size() * kCellPitch));
        mRows.push_back(std::move(row));
    }
    mHovered = nullptr;
}

void MenuList::Clear() {
    mHovered = nullptr;
    mContentW = 0;
    mContentH = 0;
    mRows.clear();
}

void MenuList::Draw(Kavo::Graphics* g, bool plain) {
    const int left = static_cast<int>(mViewX);
    const int top = static_cast<int>(mViewY);
    g->Translate(left, top);
    auto place = [&](MenuRow& row, int r) {
        row.mX = OffsetX();
        row.mY = OffsetY() + static_cast<float>(kCellPitch * r);
    };
    auto draw = [&](MenuCell& cell) { plain ? cell.Draw(g) : cell.DrawRanked(g); };
    Kavo::TRect<float> visible;
    for (size_t r = 0; r < mRows.size(); ++r) {
        if (!RowBand(static_cast<int>(r), visible))
            continue;
        g->SetClipRect(0, static_cast<int>(visible.mY), static_cast<int>(mViewW), static_cast<int>(visible.mHeight));
        MenuRow& row = mRows[r];
        place(row, static_cast<int>(r));
        for (size_t i = 0; i < row.mCells.size(); ++i) {
            MenuCell& cell = row.mCells[i];
            if (cell.mCarrier != nullptr)
                continue;
            cell.mX = row.mX + static_cast<float>(kCellPitch * i);
            cell.mY = row.mY;
            draw(cell);
        }
    }
    // Flying cells stay on top of the grid and may leave its view.
    g->ClearClipRect();
    for (size_t r = 0; r < mRows.size(); ++r) {
        if (!RowBand(static_cast<int>(r), visible))
            continue;
        MenuRow& row = mRows[r];
        place(row, static_cast<int>(r));
        for (MenuCell& cell : row.mCells) {
            if (cell.mCarrier == nullptr)
                continue;
            cell.mX = cell.mCarrier->mX;
            cell.mY = cell.mCarrier->mY;
            draw(cell);
        }
    }
    g->ClearClipRect();
    g->Translate(-left, -top);
}

MenuCell* MenuList::HitTest(float x, float y) {
    mHovered = nullptr;
    int row = 0;
    int column = 0;
    if (CellUnder(x, y, row, column) && static_cast<size_t>(row) < mRows.size() &&
        static_cast<size_t>(column) < mRows[static_cast<size_t>(row)].mCells.size())
        mHovered = &mRows[static_cast<size_t>(row)].mCells[static_cast<size_t>(column)];
    return mHovered;
}

MenuCell* MenuList::FirstPicked() {
    for (MenuRow& row : mRows)
        for (MenuCell& cell : row.mCells)
            if (cell.mPicked)
                return &cell;
    return nullptr;
}

bool MenuList::Pick(MenuCell* cell) {
    MenuCell* picked = FirstPicked();
    if (cell == nullptr) {
        ClearPicked();
        return false;
    }
    if (picked == nullptr) {
        cell->mPicked = true;
        if (mListener != nullptr)
            mListener->OnPicked(cell);
        return false;
    }
    if (cell == picked) {
        cell->mPicked = false;
        return false;
    }
    for (MenuRow& row : mRows) {
        if (row.IndexOf(cell->mEntry) < 0 || row.IndexOf(picked->mEntry) < 0)
            continue;
        cell->mPicked = false;
        picked->mPicked = false;
        if (mListener != nullptr)
            mListener->OnSwap(cell, picked);
        std::swap(*cell, *picked);
        return true;
    }
    picked->mPicked = false;
    cell->mPicked = true;
    if (mListener != nullptr)
        mListener->OnPicked(cell);
    return false;
}

void MenuList::ClearPicked() {
    for (MenuRow& row : mRows)
        for (MenuCell& cell : row.mCells)
            cell.mPicked = false;
}

void MenuList::Select(const MenuCell* cell) {
    for (MenuRow& row : mRows)
        for (MenuCell& each : row.mCells)
            each.mSelected = &each == cell;
}

MenuCell* MenuList::FindCell(const std::string& name) {
    for (MenuRow& row : mRows)
        for (MenuCell& cell : row.mCells)
            if (cell.mEntry->mName == name)
                return &cell;
    return nullptr;
}

int MenuList::ColumnOf(const MenuEntry* entry) const {
    for (const MenuRow& row : mRows) {
        const int index = row.IndexOf(entry);
        if (index >= 0)
            return index;
    }
    return -1;
}

void MenuList::SortRows() {
    for (MenuRow& row : mRows)
        std::stable_sort(row.mCells.begin(), row.mCells.end(),
                         [](const MenuCell& a, const MenuCell& b) { return a.mEntry->mOrder < b.mEntry->mOrder; });
}

int MenuList::CollectNames(std::vector<std::string>& names) const {
    for (const MenuRow& row : mRows)
        for (const MenuCell& cell : row.mCells)
            names.push_back(cell.mEntry->mName);
    return static_cast<int>(names.size());
}

int MenuList::Score(int rank) const {
    int score = 0;
    for (const MenuRow& row : mRows) {
        for (size_t i = 0; i < row.mCells.size(); ++i) {
            const MenuCell& cell = row.mCells[i];
            if (!cell.mOwned)
                continue;
            if (cell.mEntry->mRank != rank)
                score -= 2;
            // The mask has 32 columns; a column past them never scores.
            else if (i < 32 && (static_cast<unsigned>(cell.mEntry->mValue) >> i & 1u) != 0)
                score += 1;
        }
    }
    return std::max(score, 0);
}

int MenuList::GetMaxMenuRating(IniDocument& settings, int rank) {
    if (!settings.HasSection("MenuMaxRaiting"))
        return 0;
    return settings.GetSection("MenuMaxRaiting")->GetInt("Rank" + std::to_string(rank), 0);
}

} // namespace Game
