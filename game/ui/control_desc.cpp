#include "game/ui/control_desc.h"

#include "framework/util/string_util.h"
#include "game/ui/ini_document.h"
#include "game/ui/read_rect_setting.h"
#include "game/ui/resource_ids.h"

namespace Game {

namespace {

void ReadButtonKeys(const IniSection& s, ControlDesc& d) {
    d.mNormalRect = ReadRectSetting(s, "NormalRect");
    d.mOverRect = ReadRectSetting(s, "OverRect");
    d.mDownRect = ReadRectSetting(s, "DownRect");
    d.mDisabledRect = ReadRectSetting(s, "DisabledRect");
    d.mImage = s.GetString("Image");
    d.mNormalImage = s.GetString("NormalImage");
    d.mOverImage = s.GetString("OverImage");
    d.mDownImage = s.GetString("DownImage");
    d.mDisabledImage = s.GetString("DisabledImage");
    d.mDoFinger = ReadLayoutInt(s, "DoFinger", 0);
    d.mColorLabel = ReadLayoutInt(s, "COLOR_LABEL", 0);
    d.mColorLabelHilite = ReadLayoutInt(s, "COLOR_LABEL_HILITE", 0);
    d.mFontId = GetIdByStringId(s.GetString("Font"));
}

void ReadLabelKeys(const IniSection& s, ControlDesc& d) {
    d.mFontId = GetIdByStringId(s.GetString("Font"));
    d.mColor = ReadLayoutInt(s, "Color", 0);
    d.mOverColor = ReadLayoutInt(s, "OverColor", 0);
    d.mUnderLine = ReadLayoutInt(s, "UnderLine", 0);
    d.mUnderOffset = ReadLayoutInt(s, "UnderOffset", 0);
    d.mShadowX = ReadLayoutInt(s, "ShadowX", 0);
    d.mShadowY = ReadLayoutInt(s, "ShadowY", 0);
    d.mShadowColor = ReadLayoutInt(s, "ShadowColor", 0);
    d.mDoFinger = ReadLayoutInt(s, "DoFinger", 0);
    d.mAlign = ReadLayoutInt(s, "Align", 0);
    d.mWrappedDraw = ReadLayoutInt(s, "WrappedDraw", 0);
}

void ReadTextFieldKeys(const IniSection& s, ControlDesc& d, bool outline) {
    d.mFontId = GetIdByStringId(s.GetString("Font"));
    d.mColorText = ReadLayoutInt(s, "COLOR_TEXT", 0);
    d.mColorHilite = ReadLayoutInt(s, "COLOR_HILITE", 0);
    d.mColorBkg = ReadLayoutInt(s, "COLOR_BKG", 0);
    if (outline)
        d.mColorOutline = ReadLayoutInt(s, "COLOR_OUTLINE", 0);
}

} // namespace

int ReadLayoutInt(const IniSection& section, const std::string& key, int defaultValue) {
    if (!section.HasKey(key))
        return defaultValue;
    int value = 0;
    Kavo::StringToInt(section.GetString(key), &value);
    return value;
}

std::unique_ptr<ControlDesc> ReadControlDesc(const IniSection& s, const std::string& type) {
    auto d = std::make_unique<ControlDesc>();
    d->mType = type;
    if (type == "DialogButton" || type == "Button") {
        ReadButtonKeys(s, *d);
    } else if (type == "RadioButton") {
        ReadButtonKeys(s, *d);
        d->mUncheckedRect = ReadRectSetting(s, "UncheckedRect");
        d->mCheckedRect = ReadRectSetting(s, "CheckedRect");
    } else if (type == "CheckBox") {
        d->mImage = s.GetString("Image");
        d->mImageTrack = d->mImage;
        d->mImageThumb = d->mImage;
        d->mUncheckedRect = ReadRectSetting(s, "UncheckedRect");
        d->mCheckedRect = ReadRectSetting(s, "CheckedRect");
        d->mDoFinger = ReadLayoutInt(s, "DoFinger", 0);
    } else if (type == "Slider") {
        d->mImageTrack = s.GetString("ImageTrack");
        d->mImageThumb = s.GetString("ImageThumb");
        d->mDoFinger = ReadLayoutInt(s, "DoFinger", 0);
    } else if (type == "Link" || type == "NumberLabel") {
        ReadLabelKeys(s, *d);
    } else if (type == "ListBox") {
        ReadTextFieldKeys(s, *d, false);
    } else if (type == "Edit") {
        ReadTextFieldKeys(s, *d, true);
    } else {
        return nullptr;
    }
    return d;
}

void ControlDescs::LoadInterface(const std::string& path) {
    IniDocument doc;
    doc.Load(path, true);
    LoadDocument(doc);
}

void ControlDescs::LoadDocument(IniDocument& doc) {
    for (auto it = doc.Begin(); it != doc.End(); ++it) {
        const std::string type = it.Value().GetString("Type");
        if (type.empty())
            continue;
        if (auto desc = ReadControlDesc(it.Value(), type))
            mDescs[it.Name()] = std::move(desc);
    }
}

const ControlDesc* ControlDescs::Find(const std::string& name) const {
    auto it = mDescs.find(name);
    return it == mDescs.end() ? nullptr : it->second.get();
}

platform::ProcessSlot<ControlDescs>& ControlDescsSlot() {
    static platform::ProcessSlot<ControlDescs> slot;
    return slot;
}

} // namespace Game
