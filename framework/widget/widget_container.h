#pragma once

#include <cstdint>
#include <list>

#include "framework/graphics/point.h"
#include "framework/util/rect.h"
#include "framework/widget/widget_flags.h"

namespace Kavo {

class Graphics;
class Widget;
class WidgetManager;

// A node of the widget tree: the children in ascending z-order (the first is
// drawn first, the last is on top), the rectangle relative to the parent, the
// dirty flag and its way up to the root, and the update, fractional update
// and draw traversals. Whoever adds a widget keeps ownership of it.
class WidgetContainer {
public:
    WidgetContainer() = default;
    WidgetContainer(const WidgetContainer&) = delete;
    WidgetContainer& operator=(const WidgetContainer&) = delete;
    // Frees only the list; children left behind become orphans.
    virtual ~WidgetContainer();

    virtual IntRect GetRect() const;
    virtual bool Intersects(const WidgetContainer* other) const;

    // Inserts above every child of equal or lower z-order; nothing when the
    // widget is a child already.
    virtual void AddWidget(Widget* widget);
    virtual void RemoveWidget(Widget* widget);
    virtual bool HasWidget(const Widget* widget) const;
    virtual void DisableWidget(Widget*) {}
    // Removes every child; deletes them when asked, and empties their own
    // subtrees first when recursive.
    virtual void RemoveAllWidgets(bool deleteWidgets = false, bool recursive = false);
    virtual void SetFocus(Widget*) {}
    // Which of the two comes first in a depth-first walk of this subtree; false
    // when neither is in it.
    virtual bool IsBelow(const Widget* a, const Widget* b) const;
    virtual void MarkAllDirty();
    virtual void BringToFront(Widget* widget);
    virtual void BringToBack(Widget* widget);
    virtual void PutBehind(Widget* widget, Widget* ref);
    virtual void PutInFront(Widget* widget, Widget* ref);
    virtual Point GetAbsPos() const;

    virtual void MarkDirty();
    virtual void MarkDirty(WidgetContainer* child);
    virtual void MarkDirtyFull();
    virtual void MarkDirtyFull(WidgetContainer* child);

    virtual void AddedToManager(WidgetManager* manager);
    virtual void RemovedFromManager(WidgetManager* manager);

    virtual void Update();
    virtual void UpdateAll(ModalFlags& flags);
    virtual void UpdateF(float) {}
    virtual void UpdateFAll(ModalFlags& flags, float fraction);
    virtual void Draw(Graphics*) {}
    virtual void DrawAll(ModalFlags& flags, Graphics* g);
    virtual void SysColorChangedAll();
    virtual void SysColorChanged() {}

    // The topmost widget at (x, y), relative to this node, that the flags
    // let the mouse reach; found is set also when a widget was hit whose
    // point is not visible.
    Widget* GetWidgetAtHelper(int32_t x, int32_t y, int32_t flags, bool* found, int32_t* widgetX, int32_t* widgetY);

    const std::list<Widget*>& GetWidgets() const { return mWidgets; }

    // Edges are exclusive: rectangles that only touch do not overlap.
    static bool RectsOverlap(const IntRect& a, const IntRect& b);

    std::list<Widget*> mWidgets;
    WidgetManager* mWidgetManager = nullptr;
    WidgetContainer* mParent = nullptr;
    bool mUpdateIteratorModified = false;
    std::list<Widget*>::iterator mUpdateIterator = mWidgets.end();
    int32_t mLastWMUpdateCount = 0;
    int32_t mUpdateCnt = 0;
    bool mDirty = false;
    int32_t mX = 0;
    int32_t mY = 0;
    int32_t mWidth = 0;
    int32_t mHeight = 0;
    bool mHasTransparencies = false;
    bool mClip = true;
    FlagsMod mWidgetFlagsMod;
    int32_t mPriority = 0;
    int32_t mZOrder = 0;

protected:
    // Inserts by z-order; the hint only places the widget among equal keys.
    void InsertByZOrder(std::list<Widget*>::iterator hint, Widget* widget);
    // Unlinks the node, moving a running update cursor past it first.
    void Unlink(std::list<Widget*>::iterator it);
    // Drops every reference the manager keeps to the widget and its subtree.
    void ClearManagerRefs(Widget* widget);
    std::list<Widget*>::iterator Find(const WidgetContainer* widget);
    // Takes a child out and inserts it again before the hint found by
    // hintOf once it is out; nothing when the widget is not a child.
    template <typename HintOf>
    void Reorder(Widget* widget, HintOf hintOf);
    bool IsBelowHelper(const Widget* a, const Widget* b, bool* found) const;
};

} // namespace Kavo
