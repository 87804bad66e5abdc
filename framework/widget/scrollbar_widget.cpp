#include "framework/widget/scrollbar_widget.h"

#include <algorithm>

#include "framework/graphics/graphics.h"
#include "framework/widget/scroll_listener.h"

namespace Kavo {

namespace {

const Color kTrack(232, 232, 232, 255);
const Color kTrackPaging(48, 48, 48, 255);
const Color kFace(212, 212, 212, 255);
const Color kShadow(132, 132, 132, 255);
const Color kLight(255, 255, 255, 255);
const Color kDark(0, 0, 0, 255);

} // namespace

ScrollbarWidget::ScrollbarWidget(int32_t id, ScrollListener* listener)
    : mUpButton(std::make_unique<ScrollbuttonWidget>(0, this)),
      mDownButton(std::make_unique<ScrollbuttonWidget>(1, this)), mId(id), mScrollListener(listener) {
    SetDisabled(true);
    mUpButton->SetDisabled(true);
    mDownButton->SetDisabled(true);
    AddWidget(mUpButton.get());
    AddWidget(mDownButton.get());
}

ScrollbarWidget::~ScrollbarWidget() {
    RemoveWidget(mUpButton.get());
    RemoveWidget(mDownButton.get());
}

void ScrollbarWidget::SetInvisIfNoScroll(bool on) {
    mInvisIfNoScroll = on;
    if (!on)
        return;
    SetVisible(false);
    mUpButton->SetVisible(false);
    mDownButton->SetVisible(false);
}

void ScrollbarWidget::SetMaxValue(double maxValue) {
    mMaxValue = maxValue;
    UpdateScrollbar();
    MarkDirty();
}

void ScrollbarWidget::SetPageSize(double pageSize) {
    mPageSize = pageSize;
    UpdateScrollbar();
    MarkDirty();
}

void ScrollbarWidget::SetValue(double value) {
    mValue = value;
    UpdateScrollbar();
    if (mScrollListener != nullptr)
        mScrollListener->ScrollPosition(mId, mValue);
    MarkDirty();
}

void ScrollbarWidget::SetHorizontal(bool horizontal) {
    mHorizontal = horizontal;
    mUpButton->mHorizontal = horizontal;
    mDownButton->mHorizontal = horizontal;
}

void ScrollbarWidget::ResizeScrollbar(int32_t x, int32_t y, int32_t width, int32_t height) {
    Resize(x, y, width, height);
    if (mHorizontal) {
        mUpButton->Resize(0, 0, height, height);
        mDownButton->Resize(width - height, 0, height, height);
    } else {
        mUpButton->Resize(0, 0, width, width);
        mDownButton->Resize(0, height - width, width, width);
    }
}

bool ScrollbarWidget::AtBottom() {
    return mMaxValue - mPageSize - mValue <= 1.0;
}

void ScrollbarWidget::GoToBottom() {
    mValue = mMaxValue - mPageSize;
    UpdateScrollbar();
    SetValue(mValue);
}

int32_t ScrollbarWidget::GetTrackSize() {
    return (mHorizontal ? mWidth : mHeight) - 2 * ArrowWidth();
}

int32_t ScrollbarWidget::GetThumbSize() {
    // Nothing to scroll through (max 0) has no thumb rather than 0 / 0.
    if (mPageSize > mMaxValue || mMaxValue <= 0.0)
        return 0;
    const int32_t size = static_cast<int32_t>(GetTrackSize() / mMaxValue * mPageSize + 0.5);
    return std::max(size, kMinThumbSize);
}

int32_t ScrollbarWidget::GetThumbPosition() {
    if (mPageSize >= mMaxValue)
        return ArrowWidth();
    return static_cast<int32_t>((GetTrackSize() - GetThumbSize()) * mValue / (mMaxValue - mPageSize) + 0.5) +
           ArrowWidth();
}

void ScrollbarWidget::SetThumbPosition(int32_t position) {
    // A thumb that fills the track, or a page that shows everything, has no
    // travel: the value stays.
    const int32_t travel = GetTrackSize() - GetThumbSize();
    if (travel <= 0 || mMaxValue - mPageSize <= 0.0)
        return;
    SetValue((position - ArrowWidth()) * (mMaxValue - mPageSize) / travel);
}

int32_t ScrollbarWidget::ThumbCompare(int32_t x, int32_t y) {
    const int32_t p = mHorizontal ? x : y;
    const int32_t position = GetThumbPosition();
    if (p < position)
        return -1;
    if (p >= position + GetThumbSize())
        return 1;
    return 0;
}

void ScrollbarWidget::UpdateScrollbar() {
    const double old = mValue;
    mValue = std::max(std::min(mValue, mMaxValue - mPageSize), 0.0);
    const bool disabled = mPageSize >= mMaxValue;
    SetDisabled(disabled);
    mUpButton->SetDisabled(disabled);
    mDownButton->SetDisabled(disabled);
    if (mInvisIfNoScroll) {
        SetVisible(!disabled);
        mUpButton->SetVisible(!disabled);
        mDownButton->SetVisible(!disabled);
    }
    if (mValue != old && mScrollListener != nullptr)
        mScrollListener->ScrollPosition(mId, mValue);
}

void ScrollbarWidget::Step(int32_t arrowId) {
    SetValue(arrowId == 0 ? mValue - 1.0 : mValue + 1.0);
}

void ScrollbarWidget::ButtonPress(int32_t id) {
    mUpdateAcc = 0;
    Step(id);
}

void ScrollbarWidget::ButtonDownTick(int32_t id) {
    // After the delay the arrow repeats on every update.
    if (++mUpdateAcc >= kRepeatDelay) {
        Step(id);
        mUpdateAcc = kRepeatDelay - 1;
    }
}

void ScrollbarWidget::Update() {
    Widget::Update();
    if (mUpdateMode == PAGING_NONE)
        return;
    const int32_t toward = mUpdateMode == PAGING_BACK ? -1 : 1;
    if (ThumbCompare(mLastMouseX, mLastMouseY) != toward) {
        // The thumb has reached the mouse.
        mUpdateMode = PAGING_NONE;
        MarkDirty();
        return;
    }
    if (++mUpdateAcc >= kRepeatDelay) {
        SetValue(mValue + toward * mPageSize);
        mUpdateAcc = kRepeatDelay - kRepeatPeriod;
    }
}

void ScrollbarWidget::MouseDownButton(int32_t x, int32_t y, int32_t button, int32_t clickCount) {
    Widget::MouseDownButton(x, y, button, clickCount);
    if (mDisabled)
        return;
    switch (ThumbCompare(x, y)) {
    case -1:
        SetValue(mValue - mPageSize);
        mUpdateMode = PAGING_BACK;
        mUpdateAcc = 0;
        break;
    case 1:
        SetValue(mValue + mPageSize);
        mUpdateMode = PAGING_FORWARD;
        mUpdateAcc = 0;
        break;
    default:
        mPressedOnThumb = true;
        mDragThumbPos = GetThumbPosition();
        mMouseDownX = x;
        mMouseDownY = y;
        break;
    }
    mLastMouseX = x;
    mLastMouseY = y;
}

void ScrollbarWidget::MouseUpButton(int32_t, int32_t, int32_t, int32_t) {
    mUpdateMode = PAGING_NONE;
    mPressedOnThumb = false;
    MarkDirty();
}

void ScrollbarWidget::MouseDrag(int32_t x, int32_t y) {
    if (mPressedOnThumb)
        SetThumbPosition(mHorizontal ? mDragThumbPos - mMouseDownX + x : mDragThumbPos - mMouseDownY + y);
    mLastMouseX = x;
    mLastMouseY = y;
}

void ScrollbarWidget::Draw(Graphics* g) {
    const int32_t t = GetThumbPosition();
    const int32_t s = GetThumbSize();
    const int32_t length = mHorizontal ? mWidth : mHeight;
    // Along the axis: the span from a to b, across the whole bar.
    auto span = [&](int32_t a, int32_t b) {
        return mHorizontal ? IntRect(a, 0, b - a, mHeight) : IntRect(0, a, mWidth, b - a);
    };
    g->SetColor(mUpdateMode == PAGING_BACK ? kTrackPaging : kTrack);
    g->FillRect(span(0, t));
    if (s > 0) {
        const IntRect thumb = span(t, t + s);
        DrawThumb(g, thumb.mX, thumb.mY, thumb.mWidth, thumb.mHeight);
    }
    g->SetColor(mUpdateMode == PAGING_FORWARD ? kTrackPaging : kTrack);
    g->FillRect(span(t + s, length));
}

void ScrollbarWidget::DrawThumb(Graphics* g, int32_t x, int32_t y, int32_t w, int32_t h) {
    g->SetColor(kFace);
    g->FillRect(x, y, w, h);
    g->SetColor(kLight);
    g->FillRect(x + 1, y + 1, w - 2, 1);
    g->FillRect(x + 1, y + 1, 1, h - 2);
    g->SetColor(kDark);
    g->FillRect(x, y + h - 1, w, 1);
    g->FillRect(x + w - 1, y, 1, h);
    g->SetColor(kShadow);
    g->FillRect(x + 1, y + h - 2, w - 2, 1);
    g->FillRect(x + w - 2, y + 1, 1, h - 2);
}

} // namespace Kavo
