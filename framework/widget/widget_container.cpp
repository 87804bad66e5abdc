#include "framework/widget/widget_container.h"

#include <algorithm>
#include <vector>

#include "framework/graphics/graphics.h"
#include "framework/widget/widget.h"
#include "framework/widget/widget_manager.h"

namespace Kavo {

WidgetContainer::~WidgetContainer() {
    // Children outlive a container only as orphans; they must not point back.
    for (Widget* widget : mWidgets)
        widget->mParent = nullptr;
}

IntRect WidgetContainer::GetRect() const {
    return IntRect(mX, mY, mWidth, mHeight);
}

bool WidgetContainer::Intersects(const WidgetContainer* other) const {
    return RectsOverlap(GetRect(), other->GetRect());
}

bool WidgetContainer::RectsOverlap(const IntRect& a, const IntRect& b) {
    return !(b.mX + b.mWidth <= a.mX || b.mY + b.mHeight <= a.mY || b.mX >= a.mX + a.mWidth ||
             b.mY >= a.mY + a.mHeight);
}

std::list<Widget*>::iterator WidgetContainer::Find(const WidgetContainer* widget) {
    return std::find(mWidgets.begin(), mWidgets.end(), widget);
}

bool WidgetContainer::HasWidget(const Widget* widget) const {
    return std::find(mWidgets.begin(), mWidgets.end(), widget) != mWidgets.end();
}

void WidgetContainer::InsertByZOrder(std::list<Widget*>::iterator hint, Widget* widget) {
    auto it = hint;
    while (it != mWidgets.end() && (*it)->mZOrder < widget->mZOrder)
        ++it;
    if (it != mWidgets.end() && (it == mWidgets.begin() || (*it)->mZOrder == widget->mZOrder)) {
        mWidgets.insert(it, widget);
        return;
    }
    // Past the end or before a higher key: after the nearest key not above ours.
    while (it != mWidgets.begin()) {
        auto before = std::prev(it);
        if ((*before)->mZOrder <= widget->mZOrder) {
            mWidgets.insert(it, widget);
            return;
        }
        it = before;
    }
    mWidgets.push_front(widget);
}

void WidgetContainer::Unlink(std::list<Widget*>::iterator it) {
    if (it == mUpdateIterator) {
        ++mUpdateIterator;
        mUpdateIteratorModified = true;
    }
    mWidgets.erase(it);
}

void WidgetContainer::AddWidget(Widget* widget) {
    if (widget == nullptr || HasWidget(widget))
        return;
    // Belonging to two parents would leave one of them with a dangling child.
    if (widget->mParent != nullptr)
        widget->mParent->RemoveWidget(widget);
    InsertByZOrder(mWidgets.end(), widget);
    widget->mWidgetManager = mWidgetManager;
    widget->mParent = this;
    if (mWidgetManager != nullptr) {
        widget->AddedToManager(mWidgetManager);
        widget->MarkDirtyFull();
        mWidgetManager->RecheckMouseOver();
    }
    MarkDirty();
}

void WidgetContainer::ClearManagerRefs(Widget* widget) {
    WidgetManager* manager = widget->mWidgetManager;
    if (manager == nullptr)
        return;
    const std::vector<Widget*> children(widget->mWidgets.begin(), widget->mWidgets.end());
    for (Widget* child : children)
        widget->ClearManagerRefs(child);
    manager->DisableWidget(widget);
    manager->ForgetInModalStack(widget);
    widget->RemovedFromManager(manager);
    widget->MarkDirtyFull();
    widget->mWidgetManager = nullptr;
}

void WidgetContainer::RemoveWidget(Widget* widget) {
    if (Find(widget) == mWidgets.end())
        return;
    ClearManagerRefs(widget);
    widget->mParent = nullptr;
    // The callbacks above may have changed the list: look again.
    auto it = Find(widget);
    if (it != mWidgets.end())
        Unlink(it);
}

void WidgetContainer::RemoveAllWidgets(bool deleteWidgets, bool recursive) {
    while (!mWidgets.empty()) {
        Widget* child = mWidgets.front();
        RemoveWidget(child);
        if (recursive)
            child->RemoveAllWidgets(deleteWidgets, recursive);
        if (deleteWidgets)
            delete child;
    }
}

template <typename HintOf>
void WidgetContainer::Reorder(Widget* widget, HintOf hintOf) {
    auto it = Find(widget);
    if (it == mWidgets.end())
        return;
    Unlink(it);
    InsertByZOrder(hintOf(), widget);
    widget->OrderInManagerChanged();
}

void WidgetContainer::BringToFront(Widget* widget) {
    Reorder(widget, [this] { return mWidgets.end(); });
}

void WidgetContainer::BringToBack(Widget* widget) {
    Reorder(widget, [this] { return mWidgets.begin(); });
}

void WidgetContainer::PutBehind(Widget* widget, Widget* ref) {
    Reorder(widget, [this, ref] { return Find(ref); });
}

void WidgetContainer::PutInFront(Widget* widget, Widget* ref) {
    Reorder(widget, [this, ref] {
        auto it = Find(ref);
        return it == mWidgets.end() ? it : std::next(it);
    });
}

bool WidgetContainer::IsBelowHelper(const Widget* a, const Widget* b, bool* found) const {
    for (const Widget* child : mWidgets) {
        if (child == a || child == b) {
            *found = true;
            return child == a;
        }
        const bool below = child->IsBelowHelper(a, b, found);
        if (*found)
            return below;
    }
    return false;
}

bool WidgetContainer::IsBelow(const Widget* a, const Widget* b) const {
    bool found = false;
    return IsBelowHelper(a, b, &found);
}

Point WidgetContainer::GetAbsPos() const {
    if (mParent == nullptr)
        return Point(mX, mY);
    const Point parent = mParent->GetAbsPos();
    return Point(parent.mX + mX, parent.mY + mY);
}

void WidgetContainer::MarkDirty() {
    if (mParent != nullptr)
        mParent->MarkDirty(this);
    else
        mDirty = true;
}

void WidgetContainer::MarkDirtyFull() {
    if (mParent != nullptr)
        mParent->MarkDirtyFull(this);
    else
        mDirty = true;
}

void WidgetContainer::MarkDirty(WidgetContainer* child) {
    if (child->mDirty)
        return;
    MarkDirty();
    child->mDirty = true;
    // Siblings overlap one another only among the children of the root.
    if (mParent != nullptr)
        return;
    if (child->mHasTransparencies) {
        MarkDirtyFull(child);
        return;
    }
    bool passed = false;
    for (Widget* sibling : std::vector<Widget*>(mWidgets.begin(), mWidgets.end())) {
        if (sibling == child)
            passed = true;
        else if (passed && sibling->mVisible && sibling->Intersects(child))
            MarkDirty(sibling);
    }
}

void WidgetContainer::MarkDirtyFull(WidgetContainer* child) {
    MarkDirtyFull();
    child->mDirty = true;
    if (mParent != nullptr)
        return;
    const std::vector<Widget*> siblings(mWidgets.begin(), mWidgets.end());
    const auto self = std::find(siblings.begin(), siblings.end(), child);
    if (self == siblings.end())
        return;
    const IntRect area = child->GetRect().Intersection(IntRect(0, 0, mWidth, mHeight));
    for (auto it = self; it != siblings.begin();) {
        Widget* sibling = *--it;
        if (!sibling->mVisible)
            continue;
        if (!sibling->mHasTransparencies && !sibling->mHasAlpha && sibling->Contains(area.mX, area.mY) &&
            sibling->Contains(area.mX + area.mWidth - 1, area.mY + area.mHeight - 1)) {
            // An opaque sibling covers the child: nothing beneath it shows.
            sibling->MarkDirty();
            break;
        }
        if (sibling->Intersects(child))
            MarkDirty(sibling);
    }
    for (auto it = self; it != siblings.end(); ++it)
        if ((*it)->mVisible && (*it)->Intersects(child))
            MarkDirty(*it);
}

void WidgetContainer::MarkAllDirty() {
    MarkDirty();
    for (Widget* widget : mWidgets) {
        widget->mDirty = true;
        widget->MarkAllDirty();
    }
}

void WidgetContainer::AddedToManager(WidgetManager* manager) {
    for (Widget* widget : std::vector<Widget*>(mWidgets.begin(), mWidgets.end())) {
        widget->mWidgetManager = manager;
        widget->AddedToManager(manager);
        MarkDirty();
    }
}

void WidgetContainer::RemovedFromManager(WidgetManager* manager) {
    for (Widget* widget : std::vector<Widget*>(mWidgets.begin(), mWidgets.end())) {
        manager->DisableWidget(widget);
        widget->RemovedFromManager(manager);
        widget->mWidgetManager = nullptr;
    }
}

void WidgetContainer::Update() {
    ++mUpdateCnt;
}

void WidgetContainer::UpdateAll(ModalFlags& flags) {
    AutoModalFlags modFlags(flags, mWidgetFlagsMod);
    if (flags.GetFlags() & WIDGETFLAGS_MARK_DIRTY)
        MarkDirty();
    WidgetManager* manager = mWidgetManager;
    if (manager == nullptr)
        return;
    // A node reached twice in one frame updates once.
    if ((flags.GetFlags() & WIDGETFLAGS_UPDATE) && mLastWMUpdateCount != manager->mUpdateCnt) {
        mLastWMUpdateCount = manager->mUpdateCnt;
        Update();
    }
    mUpdateIterator = mWidgets.begin();
    while (mUpdateIterator != mWidgets.end()) {
        mUpdateIteratorModified = false;
        Widget* child = *mUpdateIterator;
        if (child == manager->mBaseModalWidget)
            flags.mIsOver = true;
        child->UpdateAll(flags);
        // A removal or reordering during the call has moved the cursor on.
        if (!mUpdateIteratorModified)
            ++mUpdateIterator;
    }
    mUpdateIteratorModified = true;
}

void WidgetContainer::UpdateFAll(ModalFlags& flags, float fraction) {
    AutoModalFlags modFlags(flags, mWidgetFlagsMod);
    WidgetManager* manager = mWidgetManager;
    if (manager == nullptr)
        return;
    if (flags.GetFlags() & WIDGETFLAGS_UPDATE)
        UpdateF(fraction);
    mUpdateIterator = mWidgets.begin();
    while (mUpdateIterator != mWidgets.end()) {
        mUpdateIteratorModified = false;
        Widget* child = *mUpdateIterator;
        if (child == manager->mBaseModalWidget)
            flags.mIsOver = true;
        child->UpdateFAll(flags, fraction);
        if (!mUpdateIteratorModified)
            ++mUpdateIterator;
    }
    mUpdateIteratorModified = true;
}

void WidgetContainer::DrawAll(ModalFlags& flags, Graphics* g) {
    WidgetManager* manager = mWidgetManager;
    if (manager != nullptr && mPriority > manager->mMinDeferredOverlayPriority)
        manager->DrawDeferredOverlays(mPriority);
    AutoModalFlags modFlags(flags, mWidgetFlagsMod);
    if (mClip && (flags.GetFlags() & WIDGETFLAGS_CLIP))
        g->ClipRect(0, 0, mWidth, mHeight);
    if (mWidgets.empty()) {
        if (flags.GetFlags() & WIDGETFLAGS_DRAW)
            Draw(g);
        return;
    }
    if (flags.GetFlags() & WIDGETFLAGS_DRAW) {
        // The node's own drawing leaves the context unchanged for its children.
        g->PushState();
        Draw(g);
        g->PopState();
    }
    for (Widget* child : std::vector<Widget*>(mWidgets.begin(), mWidgets.end())) {
        if (!child->mVisible)
            continue;
        if (manager != nullptr && child == manager->mBaseModalWidget)
            flags.mIsOver = true;
        Graphics copy(*g);
        copy.Translate(child->mX, child->mY);
        child->DrawAll(flags, &copy);
        child->mDirty = false;
    }
}

void WidgetContainer::SysColorChangedAll() {
    SysColorChanged();
    for (Widget* widget : std::vector<Widget*>(mWidgets.begin(), mWidgets.end()))
        widget->SysColorChangedAll();
}

Widget* WidgetContainer::GetWidgetAtHelper(int32_t x, int32_t y, int32_t flags, bool* found, int32_t* widgetX,
                                           int32_t* widgetY) {
    flags = mWidgetFlagsMod.Apply(flags);
    bool belowModal = false;
    for (auto it = mWidgets.rbegin(); it != mWidgets.rend(); ++it) {
        Widget* child = *it;
        int32_t childFlags = child->mWidgetFlagsMod.Apply(flags);
        if (belowModal && mWidgetManager != nullptr)
            childFlags = mWidgetManager->mBelowModalFlagsMod.Apply(childFlags);
        if ((childFlags & WIDGETFLAGS_ALLOW_MOUSE) && child->mVisible) {
            bool childFound = false;
            Widget* hit =
                child->GetWidgetAtHelper(x - child->mX, y - child->mY, childFlags, &childFound, widgetX, widgetY);
            if (hit != nullptr || childFound) {
                *found = true;
                return hit;
            }
            if (child->mMouseVisible && child->GetInsetRect().Contains(x, y)) {
                *found = true;
                if (child->IsPointVisible(x - child->mX, y - child->mY)) {
                    if (widgetX != nullptr)
                        *widgetX = x - child->mX;
                    if (widgetY != nullptr)
                        *widgetY = y - child->mY;
                    return child;
                }
            }
        }
        if (mWidgetManager != nullptr && child == mWidgetManager->mBaseModalWidget)
            belowModal = true;
    }
    *found = false;
    return nullptr;
}

} // namespace Kavo
