#pragma once

#include <list>

namespace Kavo {

class Widget;

// A node of the widget tree: an ordered list of children, drawn in order.
// The tree only links widgets; whoever adds a widget keeps ownership of it.
class WidgetContainer {
public:
    virtual ~WidgetContainer();

    // Adds the widget as the last child (once: adding it again does nothing)
    // and makes this container its parent.
    virtual void AddWidget(Widget* widget);
    // Takes the widget out of the children; nothing when it is not one.
    virtual void RemoveWidget(Widget* widget);
    bool HasWidget(const Widget* widget) const;
    const std::list<Widget*>& GetWidgets() const { return mWidgets; }

    // Marks this container and every widget below it for redrawing.
    virtual void MarkAllDirty();
    // Tells the tree that the system colours changed.
    virtual void SysColorChangedAll();
    virtual void SysColorChanged() {}

    bool mDirty = false;

protected:
    std::list<Widget*> mWidgets;
};

} // namespace Kavo
