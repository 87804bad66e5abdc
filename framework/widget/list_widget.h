#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/util/color.h"
#include "framework/widget/scroll_listener.h"
#include "framework/widget/widget.h"

namespace Kavo {

class Font;
class ListListener;
class ScrollbarWidget;

// Lines of text in one font, one line per item height, scrolled by an
// attached scroll bar or the wheel; the line under the mouse is hilited and
// one line can be selected. Lists linked through mPrevList and mNextList are
// the columns of one table: every line operation applies to all of them.
class ListWidget : public Widget, public ScrollListener {
public:
    enum ListColor : int32_t {
        COLOR_BKG = 0,
        COLOR_OUTLINE = 1,
        COLOR_TEXT = 2,
        COLOR_HILITE = 3,
        COLOR_SELECT = 4,
        COLOR_SELECT_TEXT = 5,
    };
    // Room between the widget's edge and its lines.
    static constexpr int32_t kMargin = 4;

    ListWidget(int32_t id, Font* font, ListListener* listener);
    // Leaves its chain, so that no neighbour keeps a dangling link.
    ~ListWidget() override;

    using Widget::SetColor;

    virtual std::string GetSortKey(int32_t index);
    // Reorders the rows of every list of the chain by this list's keys.
    virtual void Sort(bool ascending);
    // Empty for an index out of range.
    virtual std::string GetStringAt(int32_t index);
    // With sorted, before the first line that is greater. The other lists of
    // the chain get a "-" at the same index.
    virtual int32_t AddLine(const std::string& line, bool sorted);
    virtual void SetLine(int32_t index, const std::string& line);
    virtual int32_t GetLineCount();
    // The first line equal to the text, or -1.
    virtual int32_t GetLineIdx(const std::string& line);
    virtual void SetColor(const std::string& line, const Color& color);
    virtual void SetLineColor(int32_t index, const Color& color);
    virtual void RemoveLine(int32_t index);
    virtual void RemoveAll();
    virtual int32_t GetOptimalWidth();
    virtual int32_t GetOptimalHeight();
    virtual void SetSelect(int32_t index);

    void RemovedFromManager(WidgetManager* manager) override;
    void Draw(Graphics* g) override;
    void OrderInManagerChanged() override;
    void Resize(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void MouseLeave() override;
    void MouseMove(int32_t x, int32_t y) override;
    void MouseDownButton(int32_t x, int32_t y, int32_t button, int32_t clickCount) override;
    void MouseWheel(int32_t delta) override;
    void ScrollPosition(int32_t id, double value) override;

    int32_t mId;
    Font* mFont; // not owned
    ScrollbarWidget* mScrollbar = nullptr;
    int32_t mJustify = 0; // 0 left, 1 centred, 2 right
    std::vector<std::string> mLines;
    std::vector<Color> mLineColors;
    double mPosition = 0.0;
    double mPageSize = 0.0;
    int32_t mHiliteIdx = -1;
    int32_t mSelectIdx = -1;
    ListListener* mListListener;
    ListWidget* mPrevList = nullptr;
    ListWidget* mNextList = nullptr;
    bool mSortFromChild = false; // the next list's key comes first
    bool mDrawOutline = true;
    int32_t mMaxNumericPlaces = 0; // keys are left-padded with "0" to this length
    int32_t mItemHeight;           // -1: the font height
    bool mDrawSelectWhenHilited = false;
    bool mDoFingerWhenHilited = true;

private:
    // The height of a line; 0 when neither an item height nor a font gives one.
    int32_t LineHeight() const;
    void ForEachInChain(const std::function<void(ListWidget&)>& action);
    void SetHilite(int32_t line);
    void DrawLine(Graphics* g, int32_t index, int32_t lineHeight, int32_t textOffset);
};

} // namespace Kavo
