#pragma once

#include <cstdint>
#include <memory>

#include "framework/widget/button_listener.h"
#include "framework/widget/scrollbutton_widget.h"
#include "framework/widget/widget.h"

namespace Kavo {

class ScrollListener;

// A vertical or horizontal scroll bar over a value from 0 to max - page:
// its two arrows step by 1 and repeat while held, a press on the track pages
// toward the mouse with auto-repeat, and the thumb can be dragged. Every
// change of the value goes to the listener. It is disabled (and, when asked,
// hidden) while the page shows everything.
class ScrollbarWidget : public Widget, public ButtonListener {
public:
    static constexpr int32_t kRepeatDelay = 25; // updates before paging repeats
    static constexpr int32_t kRepeatPeriod = 5; // updates between repeated pages
    static constexpr int32_t kMinThumbSize = 8;

    enum Paging : int32_t { PAGING_NONE = 0, PAGING_BACK = 1, PAGING_FORWARD = 2 };

    ScrollbarWidget(int32_t id, ScrollListener* listener);
    ~ScrollbarWidget() override;

    virtual void SetInvisIfNoScroll(bool on);
    virtual void SetMaxValue(double maxValue);
    virtual void SetPageSize(double pageSize);
    // Reports the value even when it did not change.
    virtual void SetValue(double value);
    virtual void SetHorizontal(bool horizontal);
    // Places the bar and its arrows, squares at both ends.
    virtual void ResizeScrollbar(int32_t x, int32_t y, int32_t width, int32_t height);
    virtual bool AtBottom();
    virtual void GoToBottom();
    virtual void DrawThumb(Graphics* g, int32_t x, int32_t y, int32_t width, int32_t height);
    virtual int32_t GetTrackSize();
    virtual int32_t GetThumbSize();
    virtual int32_t GetThumbPosition();
    // Clamps the value, enables or disables (and shows or hides) the bar and
    // reports a clamped value.
    virtual void UpdateScrollbar();
    virtual void SetThumbPosition(int32_t position);
    // -1 before the thumb, 1 after it, 0 on it.
    virtual int32_t ThumbCompare(int32_t x, int32_t y);

    void Update() override;
    void Draw(Graphics* g) override;
    void MouseDownButton(int32_t x, int32_t y, int32_t button, int32_t clickCount) override;
    void MouseUpButton(int32_t x, int32_t y, int32_t button, int32_t clickCount) override;
    void MouseDrag(int32_t x, int32_t y) override;

    using ButtonListener::ButtonPress;
    void ButtonPress(int32_t id) override;
    void ButtonDownTick(int32_t id) override;

    std::unique_ptr<ScrollbuttonWidget> mUpButton;
    std::unique_ptr<ScrollbuttonWidget> mDownButton;
    bool mInvisIfNoScroll = false;
    int32_t mId;
    double mValue = 0.0;
    double mMaxValue = 0.0;
    double mPageSize = 0.0;
    bool mHorizontal = false;
    bool mPressedOnThumb = false;
    int32_t mDragThumbPos = 0;
    int32_t mMouseDownX = 0;
    int32_t mMouseDownY = 0;
    int32_t mUpdateMode = PAGING_NONE;
    int32_t mUpdateAcc = 0; // auto-repeat counter of paging and of the arrows
    int32_t mLastMouseX = 0;
    int32_t mLastMouseY = 0;
    ScrollListener* mScrollListener;

private:
    int32_t ArrowWidth() const { return mUpButton->mWidth; }
    void Step(int32_t arrowId);
};

} // namespace Kavo
