#include "framework/widget/widget_container.h"

#include <algorithm>

#include "framework/widget/widget.h"

namespace Kavo {

WidgetContainer::~WidgetContainer() {
    // Children outlive a container only as orphans; they must not point back.
    for (Widget* widget : mWidgets)
        widget->mParent = nullptr;
}

void WidgetContainer::AddWidget(Widget* widget) {
    if (widget == nullptr || HasWidget(widget))
        return;
    if (widget->mParent != nullptr)
        widget->mParent->RemoveWidget(widget);
    mWidgets.push_back(widget);
    widget->mParent = this;
}

void WidgetContainer::RemoveWidget(Widget* widget) {
    auto it = std::find(mWidgets.begin(), mWidgets.end(), widget);
    if (it == mWidgets.end())
        return;
    mWidgets.erase(it);
    widget->mParent = nullptr;
}

bool WidgetContainer::HasWidget(const Widget* widget) const {
    return std::find(mWidgets.begin(), mWidgets.end(), widget) != mWidgets.end();
}

void WidgetContainer::MarkAllDirty() {
    mDirty = true;
    for (Widget* widget : mWidgets)
        widget->MarkAllDirty();
}

void WidgetContainer::SysColorChangedAll() {
    SysColorChanged();
    for (Widget* widget : mWidgets)
        widget->SysColorChangedAll();
}

} // namespace Kavo
