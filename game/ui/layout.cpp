#include "game/ui/layout.h"

#include <cstdio>

#include "framework/graphics/display_3d.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/image.h"
#include "framework/widget/widget.h"
#include "game/ui/control_desc.h"
#include "game/ui/control_resources.h"
#include "game/ui/ini_document.h"
#include "game/ui/read_rect_setting.h"

namespace Game {

namespace {

bool IsControlType(const std::string& type) {
    static const char* const kTypes[] = {"DialogButton", "Button",      "CheckBox", "RadioButton", "Slider",
                                         "Link",         "NumberLabel", "ListBox",  "Edit"};
    for (const char* known : kTypes)
        if (type == known)
            return true;
    return false;
}

// A check box read from its own section takes the button keys.
std::unique_ptr<ControlDesc> OwnLook(const IniSection& section, const std::string& type) {
    if (type != "CheckBox")
        return ReadControlDesc(section, type);
    auto look = ReadControlDesc(section, "Button");
    look->mType = type;
    return look;
}

} // namespace

Layout::Layout(const std::string& path, Kavo::Widget* parent) : mParent(parent), mFileName(path) {
    IniDocument doc;
    doc.Load(path, true);
    for (auto it = doc.Begin(); it != doc.End(); ++it) {
        const IniSection& section = it.Value();
        const std::string type = section.GetString("Type");
        if (type.empty())
            continue;
        if (type == "Image")
            AddImage(section);
        else if (type == "Point")
            mPoints[it.Name()] = {ReadLayoutInt(section, "X", 0), ReadLayoutInt(section, "Y", 0)};
        else if (IsControlType(type))
            AddControl(it.Name(), type, section);
    }
}

Layout::~Layout() {
    // Controls kept out of the parent that nobody added would be lost.
    for (LayoutControl* made : mKeptOut)
        for (Kavo::Widget* widget : {made->widget, made->companion})
            if (widget != nullptr && widget->mParent == nullptr)
                delete widget;
    if (mParent != nullptr)
        mParent->RemoveAllWidgets(true, false);
}

void Layout::AddImage(const IniSection& section) {
    const std::string name = section.GetString("Image");
    ControlImage image = name.empty() ? LoadControlImage(section.GetString("simageid")) : LoadControlImage(name);
    if (image.image == nullptr)
        return;
    const Kavo::IntRect position = ReadRectSetting(section, "Position");
    ImageRecord record;
    record.image = image.image;
    record.owned = std::move(image.owned);
    record.x = position.mX;
    record.y = position.mY;
    record.level = ReadLayoutInt(section, "Level", 0);
    mImages.push_back(std::move(record));
}

void Layout::AddControl(const std::string& name, const std::string& type, const IniSection& section) {
    std::unique_ptr<ControlDesc> ownLook;
    const ControlDesc* look = nullptr;
    if (section.HasKey("Description")) {
        if (auto descs = ControlDescsSlot().Get())
            look = descs->Find(section.GetString("Description"));
    } else {
        ownLook = OwnLook(section, type);
        look = ownLook.get();
    }
    LayoutControl made = CreateLayoutControl(type, section, look, mParent);
    Kavo::Widget* widget = made.widget;
    if (widget == nullptr)
        return;
    widget->SetVisible(ReadLayoutInt(section, "Visible", 1) == 1);
    widget->SetDisabled(ReadLayoutInt(section, "Disabled", 0) == 1);
    if (type != "ListBox")
        widget->ResizeToRect(ReadRectSetting(section, "Position"));
    if (mParent != nullptr && ReadLayoutInt(section, "AddToWidget", 1) == 1) {
        mParent->AddWidget(widget);
        if (made.companion != nullptr)
            mParent->AddWidget(made.companion);
    }
    const bool added = mParent != nullptr && widget->mParent == mParent;
    mControls[name] = widget;
    mMade.push_back(std::make_unique<LayoutControl>(std::move(made)));
    if (!added)
        mKeptOut.push_back(mMade.back().get());
}

Kavo::Widget* Layout::GetControl(const std::string& name) const {
    auto it = mControls.find(name);
    return it == mControls.end() ? nullptr : it->second;
}

std::optional<LayoutPoint> Layout::GetPoint(const std::string& name) const {
    if (auto it = mPoints.find(name); it != mPoints.end())
        return it->second;
    if (const Kavo::Widget* control = GetControl(name))
        return LayoutPoint{control->mX, control->mY};
    return std::nullopt;
}

void Layout::DrawImages(Kavo::Graphics* g, int level) const {
    const bool floatPositions = Kavo::IsDisplay3D();
    for (const ImageRecord& record : mImages) {
        if (record.level != level || record.image == nullptr)
            continue;
        if (floatPositions)
            g->DrawImageF(record.image, static_cast<float>(record.x), static_cast<float>(record.y));
        else
            g->DrawImage(record.image, record.x, record.y);
    }
}

bool Layout::SavePositions() const {
    IniDocument doc;
    doc.Load(mFileName, true);
    if (doc.GetSectionCount() == 0)
        return false;
    for (const auto& [name, widget] : mControls) {
        char text[64];
        std::snprintf(text, sizeof text, "%d,%d,%d,%d", widget->mX, widget->mY, widget->mWidth, widget->mHeight);
        doc.GetSection(name)->Record("Position").mValue = text;
    }
    return doc.Save(mFileName);
}

} // namespace Game
