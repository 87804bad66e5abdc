#include "framework/widget/slider.h"

#include <algorithm>
#include <memory>

#include "framework/graphics/graphics.h"
#include "framework/graphics/image.h"
#include "framework/widget/slider_listener.h"
#include "framework/widget/widget_manager.h"

namespace Kavo {

Slider::Slider(Image* trackImage, Image* thumbImage, int32_t id, SliderListener* listener)
    : mListener(listener), mId(id), mTrackImage(trackImage), mThumbImage(thumbImage) {}

void Slider::SetValue(double value) {
    mValue = std::clamp(value, 0.0, 1.0);
    MarkDirtyFull();
}

int32_t Slider::ThumbWidth() const {
    return mThumbImage != nullptr ? mThumbImage->GetWidth() : 0;
}

int32_t Slider::ThumbHeight() const {
    return mThumbImage != nullptr ? mThumbImage->GetHeight() : 0;
}

int32_t Slider::ThumbX() const {
    if (mHorizontal)
        return static_cast<int32_t>((mWidth - ThumbWidth()) * mValue);
    return (mWidth - ThumbWidth()) / 2;
}

int32_t Slider::ThumbY() const {
    if (mHorizontal)
        return (mHeight - ThumbHeight()) / 2;
    return static_cast<int32_t>((mHeight - ThumbHeight()) * mValue);
}

bool Slider::OnThumb(int32_t x, int32_t y) const {
    if (mHorizontal)
        return x >= ThumbX() && x < ThumbX() + ThumbWidth();
    return y >= ThumbY() && y < ThumbY() + ThumbHeight();
}

void Slider::SetCursor(int32_t state) {
    if (mWidgetManager != nullptr)
        mWidgetManager->SetCursorState(state);
}

void Slider::MouseMove(int32_t x, int32_t y) {
    SetCursor(OnThumb(x, y) ? WidgetAppHost::CURSOR_DRAGGING : WidgetAppHost::CURSOR_POINTER);
}

void Slider::MouseLeave() {
    if (!mDragging)
        SetCursor(WidgetAppHost::CURSOR_POINTER);
}

void Slider::MouseDown(int32_t x, int32_t y, int32_t) {
    if (OnThumb(x, y)) {
        SetCursor(WidgetAppHost::CURSOR_DRAGGING);
        if (mHorizontal)
            mRelX = x - ThumbX();
        else
            mRelY = y - ThumbY();
        mDragging = true;
        return;
    }
    // The fraction of the track, not an integer quotient that is only ever 0 or 1.
    const int32_t length = mHorizontal ? mWidth : mHeight;
    if (length > 0)
        SetValue(static_cast<double>(mHorizontal ? x : y) / length);
}

void Slider::MouseDrag(int32_t x, int32_t y) {
    if (!mDragging)
        return;
    // A thumb as long as the track leaves nowhere to move: the value stays.
    const int32_t travel = mHorizontal ? mWidth - ThumbWidth() : mHeight - ThumbHeight();
    if (travel <= 0)
        return;
    const int32_t offset = mHorizontal ? x - mRelX : y - mRelY;
    const double value = std::clamp(static_cast<double>(offset) / travel, 0.0, 1.0);
    if (value == mValue)
        return;
    mValue = value;
    if (mListener != nullptr)
        mListener->SliderVal(mId, mValue);
    MarkDirty();
}

void Slider::MouseUpAt(int32_t, int32_t) {
    mDragging = false;
    SetCursor(WidgetAppHost::CURSOR_POINTER);
    if (mListener != nullptr)
        mListener->SliderVal(mId, mValue);
}

void Slider::DrawTrack(Graphics* g) {
    const int32_t length = mHorizontal ? mWidth : mHeight;
    const int32_t part = mHorizontal ? mTrackImage->GetWidth() / 3 : mTrackImage->GetHeight() / 3;
    if (part <= 0)
        return;
    const int32_t across = mHorizontal ? mTrackImage->GetHeight() : mTrackImage->GetWidth();
    const int32_t trackY = mHorizontal ? (mHeight - across) / 2 : 0;
    // The k-th of the three parts at a distance along the axis.
    auto drawPart = [&](Graphics* target, int32_t k, int32_t at) {
        if (mHorizontal)
            target->DrawImage(mTrackImage, at, trackY, IntRect(k * part, 0, part, across));
        else
            target->DrawImage(mTrackImage, 0, at, IntRect(0, k * part, across, part));
    };
    drawPart(g, 0, 0);
    std::unique_ptr<Graphics> middle(g->Create());
    if (mHorizontal)
        middle->ClipRect(part, 0, length - 2 * part, mHeight);
    else
        middle->ClipRect(0, part, mWidth, length - 2 * part);
    const int32_t count = (length - part - 1) / part;
    for (int32_t k = 0; k < count; ++k)
        drawPart(middle.get(), 1, part * (k + 1));
    drawPart(g, 2, length - part);
}

void Slider::Draw(Graphics* g) {
    if (mTrackImage != nullptr)
        DrawTrack(g);
    if (mThumbImage != nullptr)
        g->DrawImage(mThumbImage, ThumbX(), ThumbY());
}

} // namespace Kavo
