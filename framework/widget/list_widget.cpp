#include "framework/widget/list_widget.h"

#include <algorithm>
#include <memory>
#include <numeric>

#include "framework/graphics/font.h"
#include "framework/graphics/graphics.h"
#include "framework/widget/list_listener.h"
#include "framework/widget/scrollbar_widget.h"
#include "framework/widget/widget_manager.h"

namespace Kavo {

namespace {

const int32_t kListColors[][3] = {{255, 255, 255}, {255, 255, 255}, {0, 0, 0},
                                  {0, 192, 0},     {0, 0, 128},     {255, 255, 255}};

bool InRange(int32_t index, size_t count) {
    return index >= 0 && static_cast<size_t>(index) < count;
}

} // namespace

ListWidget::ListWidget(int32_t id, Font* font, ListListener* listener)
    : mId(id), mFont(font), mListListener(listener), mItemHeight(font != nullptr ? font->GetHeight() : -1) {
    SetColorsRGB(kListColors, 6);
}

ListWidget::~ListWidget() {
    if (mPrevList != nullptr)
        mPrevList->mNextList = mNextList;
    if (mNextList != nullptr)
        mNextList->mPrevList = mPrevList;
}

int32_t ListWidget::LineHeight() const {
    if (mItemHeight > 0)
        return mItemHeight;
    return mItemHeight < 0 && mFont != nullptr ? std::max(mFont->GetHeight(), 0) : 0;
}

void ListWidget::ForEachInChain(const std::function<void(ListWidget&)>& action) {
    ListWidget* list = this;
    while (list->mPrevList != nullptr)
        list = list->mPrevList;
    for (; list != nullptr; list = list->mNextList)
        action(*list);
}

std::string ListWidget::GetSortKey(int32_t index) {
    std::string key = GetStringAt(index);
    if (static_cast<int32_t>(key.size()) < mMaxNumericPlaces)
        key.insert(0, static_cast<size_t>(mMaxNumericPlaces) - key.size(), '0');
    if (mNextList == nullptr)
        return key;
    const std::string nextKey = mNextList->GetSortKey(index);
    return mSortFromChild ? nextKey + key : key + nextKey;
}

void ListWidget::Sort(bool ascending) {
    const size_t count = mLines.size();
    std::vector<std::string> keys(count);
    for (size_t i = 0; i < count; ++i)
        keys[i] = GetSortKey(static_cast<int32_t>(i));
    std::vector<size_t> order(count);
    std::iota(order.begin(), order.end(), 0);
    // Stable, as passes that swap only unequal neighbours are; std::string
    // compares bytes as unsigned characters.
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return ascending ? keys[a] < keys[b] : keys[b] < keys[a]; });
    ForEachInChain([&](ListWidget& list) {
        std::vector<std::string> lines;
        std::vector<Color> colors;
        for (size_t index : order) {
            if (index < list.mLines.size())
                lines.push_back(list.mLines[index]);
            if (index < list.mLineColors.size())
                colors.push_back(list.mLineColors[index]);
        }
        list.mLines = std::move(lines);
        list.mLineColors = std::move(colors);
        list.MarkDirty();
    });
}

std::string ListWidget::GetStringAt(int32_t index) {
    return InRange(index, mLines.size()) ? mLines[static_cast<size_t>(index)] : std::string();
}

int32_t ListWidget::AddLine(const std::string& line, bool sorted) {
    size_t index = mLines.size();
    // Before the first line that sorts after it, searched from the top: a
    // list filled unsorted is not ordered, so no halving search applies.
    if (sorted)
        index = static_cast<size_t>(
            std::find_if(mLines.begin(), mLines.end(), [&](const std::string& other) { return line < other; }) -
            mLines.begin());
    ForEachInChain([&](ListWidget& list) {
        const size_t at = std::min(index, list.mLines.size());
        list.mLines.insert(list.mLines.begin() + static_cast<std::ptrdiff_t>(at), &list == this ? line : "-");
        list.mLineColors.insert(list.mLineColors.begin() +
                                    static_cast<std::ptrdiff_t>(std::min(at, list.mLineColors.size())),
                                list.GetColor(COLOR_TEXT));
        list.MarkDirty();
    });
    if (mScrollbar != nullptr)
        mScrollbar->SetMaxValue(static_cast<double>(mLines.size()));
    return static_cast<int32_t>(index);
}

void ListWidget::SetLine(int32_t index, const std::string& line) {
    if (!InRange(index, mLines.size()))
        return;
    mLines[static_cast<size_t>(index)] = line;
    MarkDirty();
}

int32_t ListWidget::GetLineCount() {
    return static_cast<int32_t>(mLines.size());
}

int32_t ListWidget::GetLineIdx(const std::string& line) {
    auto it = std::find(mLines.begin(), mLines.end(), line);
    return it == mLines.end() ? -1 : static_cast<int32_t>(it - mLines.begin());
}

void ListWidget::SetColor(const std::string& line, const Color& color) {
    SetLineColor(GetLineIdx(line), color);
}

void ListWidget::SetLineColor(int32_t index, const Color& color) {
    ForEachInChain([&](ListWidget& list) {
        if (!InRange(index, list.mLineColors.size()))
            return;
        list.mLineColors[static_cast<size_t>(index)] = color;
        list.MarkDirty();
    });
}

void ListWidget::RemoveLine(int32_t index) {
    if (index < 0)
        return;
    ForEachInChain([&](ListWidget& list) {
        if (InRange(index, list.mLines.size()))
            list.mLines.erase(list.mLines.begin() + index);
        if (InRange(index, list.mLineColors.size()))
            list.mLineColors.erase(list.mLineColors.begin() + index);
        list.MarkDirty();
    });
    if (mScrollbar != nullptr)
        mScrollbar->SetMaxValue(static_cast<double>(mLines.size()));
}

void ListWidget::RemoveAll() {
    ForEachInChain([](ListWidget& list) {
        list.mLines.clear();
        list.mLineColors.clear();
        list.mHiliteIdx = -1;
        list.mSelectIdx = -1;
        list.MarkDirty();
    });
    if (mScrollbar != nullptr)
        mScrollbar->SetMaxValue(0.0);
}

int32_t ListWidget::GetOptimalWidth() {
    int32_t widest = 0;
    if (mFont != nullptr) {
        for (const std::string& line : mLines)
            widest = std::max(widest, mFont->StringWidth(line));
    }
    return widest + 16;
}

int32_t ListWidget::GetOptimalHeight() {
    return static_cast<int32_t>(mLines.size()) * LineHeight() + 2 * kMargin;
}

void ListWidget::SetSelect(int32_t index) {
    ForEachInChain([&](ListWidget& list) {
        list.mSelectIdx = index;
        list.MarkDirty();
    });
}

void ListWidget::RemovedFromManager(WidgetManager* manager) {
    Widget::RemovedFromManager(manager);
    if (mListListener != nullptr)
        mListListener->ListClosed(mId);
}

void ListWidget::OrderInManagerChanged() {
    if (mWidgetManager == nullptr)
        return;
    if (mNextList != nullptr)
        mWidgetManager->PutInFront(mNextList, this);
    if (mScrollbar != nullptr)
        mWidgetManager->PutInFront(mScrollbar, this);
}

void ListWidget::Resize(int32_t x, int32_t y, int32_t width, int32_t height) {
    Widget::Resize(x, y, width, height);
    const int32_t lineHeight = LineHeight();
    if (lineHeight > 0 && lineHeight + 2 * kMargin < height)
        mPageSize = static_cast<double>(height - 2 * kMargin) / lineHeight;
    else
        mPageSize = 1.0;
    if (mScrollbar != nullptr)
        mScrollbar->SetPageSize(mPageSize);
}

void ListWidget::SetHilite(int32_t line) {
    ForEachInChain([&](ListWidget& list) {
        const int32_t old = list.mHiliteIdx;
        list.mHiliteIdx = line;
        if (old != line && list.mListListener != nullptr)
            list.mListListener->ListHiliteChanged(list.mId, old, line);
        list.MarkDirty();
    });
}

void ListWidget::MouseMove(int32_t, int32_t y) {
    const int32_t lineHeight = LineHeight();
    int32_t line = -1;
    if (lineHeight > 0) {
        line = static_cast<int32_t>(static_cast<double>(y - kMargin) / lineHeight + mPosition);
        if (line < 0 || line >= static_cast<int32_t>(mLines.size()))
            line = -1;
    }
    if (line == mHiliteIdx)
        return;
    SetHilite(line);
    if (mWidgetManager != nullptr)
        mWidgetManager->SetCursorState(line != -1 && mDoFingerWhenHilited ? WidgetAppHost::CURSOR_HAND
                                                                          : WidgetAppHost::CURSOR_POINTER);
}

void ListWidget::MouseLeave() {
    SetHilite(-1);
    if (mWidgetManager != nullptr)
        mWidgetManager->SetCursorState(WidgetAppHost::CURSOR_POINTER);
}

void ListWidget::MouseDownButton(int32_t x, int32_t y, int32_t button, int32_t clickCount) {
    Widget::MouseDownButton(x, y, button, clickCount);
    if (mHiliteIdx != -1 && mListListener != nullptr)
        mListListener->ListClicked(mId, mHiliteIdx, clickCount);
}

void ListWidget::MouseWheel(int32_t delta) {
    if (mScrollbar == nullptr || delta == 0)
        return;
    mScrollbar->SetValue(mScrollbar->mValue + (delta > 0 ? -5.0 : 5.0));
}

void ListWidget::ScrollPosition(int32_t id, double value) {
    if (mNextList != nullptr)
        mNextList->ScrollPosition(id, value);
    mPosition = value;
    MarkDirty();
}

void ListWidget::Draw(Graphics* g) {
    g->SetColor(GetColor(COLOR_BKG));
    g->FillRect(0, 0, mWidth, mHeight);
    const int32_t lineHeight = LineHeight();
    if (mFont != nullptr && !mLines.empty()) {
        const int32_t first = static_cast<int32_t>(mPosition);
        const int32_t last =
            std::min(first + static_cast<int32_t>(mPageSize) + 1, static_cast<int32_t>(mLines.size()) - 1);
        const int32_t textOffset = mItemHeight != -1 ? (mItemHeight - mFont->GetHeight()) / 2 : 0;
        for (int32_t i = std::max(first, 0); i <= last; ++i)
            DrawLine(g, i, lineHeight, textOffset);
    }
    if (mDrawOutline) {
        g->SetColor(GetColor(COLOR_OUTLINE));
        g->DrawRect(0, 0, mWidth - 1, mHeight - 1);
    }
}

void ListWidget::DrawLine(Graphics* g, int32_t index, int32_t lineHeight, int32_t textOffset) {
    const std::string& text = mLines[static_cast<size_t>(index)];
    const int32_t y = static_cast<int32_t>((index - mPosition) * lineHeight) + kMargin;
    const bool selected = index == mSelectIdx || (index == mHiliteIdx && mDrawSelectWhenHilited);
    if (selected && GetColor(COLOR_SELECT).mAlpha != 0) {
        std::unique_ptr<Graphics> band(g->Create());
        band->ClipRect(kMargin, kMargin, mWidth - 2 * kMargin, mHeight - 2 * kMargin);
        band->SetColor(GetColor(COLOR_SELECT));
        band->FillRect(0, y, mWidth, lineHeight);
    }
    Color color = InRange(index, mLineColors.size()) ? mLineColors[static_cast<size_t>(index)] : GetColor(COLOR_TEXT);
    if (index == mHiliteIdx)
        color = GetColor(COLOR_HILITE);
    else if (index == mSelectIdx)
        color = GetColor(COLOR_SELECT_TEXT);
    const int32_t width = mFont->StringWidth(text);
    int32_t x = kMargin;
    if (mJustify == 1)
        x = (mWidth - width) / 2;
    else if (mJustify == 2)
        x = mWidth - width - kMargin;
    std::unique_ptr<Graphics> clipped(g->Create());
    clipped->ClipRect(0, kMargin, mWidth, mHeight - 2 * kMargin);
    mFont->DrawString(clipped.get(), x, y + mFont->GetAscent() + textOffset, text, color, clipped->mClipRect);
}

} // namespace Kavo
