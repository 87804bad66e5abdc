#include "game/ui/control_factory.h"

#include "framework/graphics/font.h"
#include "framework/graphics/image.h"
#include "framework/util/string_util.h"
#include "framework/widget/checkbox_listener.h"
#include "framework/widget/edit_listener.h"
#include "framework/widget/edit_widget.h"
#include "framework/widget/hyperlink_widget.h"
#include "framework/widget/list_listener.h"
#include "framework/widget/list_widget.h"
#include "framework/widget/scrollbar_widget.h"
#include "framework/widget/slider_listener.h"
#include "game/ui/control_desc.h"
#include "game/ui/game_button.h"
#include "game/ui/number_label.h"
#include "game/ui/read_rect_setting.h"
#include "game/ui/resource_ids.h"
#include "game/ui/termins.h"

namespace Game {

namespace {

constexpr int kListScrollbarWidth = 20;

// The font of a look, copied by the widget; a loaded one is freed after.
template <typename Widget>
void ApplyFont(Widget* widget, int fontId) {
    ControlFont font = LoadControlFont(fontId, "");
    if (font.font != nullptr)
        widget->SetFont(font.font);
}

void ApplyButtonLook(Kavo::ButtonWidget* button, OwnedControlImages& owned, const ControlDesc& d, bool component) {
    button->mNormalRect = d.mNormalRect;
    button->mOverRect = d.mOverRect;
    button->mDownRect = d.mDownRect;
    button->mDisabledRect = d.mDisabledRect;
    button->mButtonImage = nullptr;
    button->mOverImage = nullptr;
    button->mDownImage = nullptr;
    button->mDisabledImage = nullptr;
    owned.Clear();
    if (component && !d.mImage.empty()) {
        static_cast<Kavo::DialogButton*>(button)->mComponentImage = owned.Keep(0, LoadControlImage(d.mImage));
    } else {
        button->mButtonImage = owned.Keep(0, LoadControlImage(d.mNormalImage));
        button->mOverImage = owned.Keep(1, LoadControlImage(d.mOverImage));
        button->mDownImage = owned.Keep(2, LoadControlImage(d.mDownImage));
        button->mDisabledImage = owned.Keep(3, LoadControlImage(d.mDisabledImage));
    }
    button->SetColor(Kavo::ButtonWidget::COLOR_LABEL, Kavo::Color(d.mColorLabel));
    button->SetColor(Kavo::ButtonWidget::COLOR_LABEL_HILITE, Kavo::Color(d.mColorLabelHilite));
    ApplyFont(button, d.mFontId);
}

} // namespace

void ApplyDialogButtonDesc(LayoutDialogButton* button, const ControlDesc* desc) {
    if (desc != nullptr)
        ApplyButtonLook(button, button->mOwnedImages, *desc, true);
}

void ApplyButtonDesc(LayoutButton* button, const ControlDesc* desc) {
    if (desc != nullptr)
        ApplyButtonLook(button, button->mOwnedImages, *desc, false);
}

void ApplyCheckboxDesc(LayoutCheckbox* checkbox, const ControlDesc* desc) {
    if (desc == nullptr)
        return;
    checkbox->mOwnedImages.Clear();
    Kavo::Image* image = checkbox->mOwnedImages.Keep(0, LoadControlImage(desc->mImage, "IMAGE_CHECKBOX"));
    checkbox->mUncheckedImage = image;
    checkbox->mCheckedImage = image;
    if (image == nullptr) {
        // Nothing to cut halves from: the box draws from its colours.
        checkbox->mUncheckedRect = {};
        checkbox->mCheckedRect = {};
    } else if (desc->mCheckedRect.mWidth == 0) {
        const int32_t half = image->mWidth / 2;
        checkbox->mUncheckedRect = Kavo::IntRect(0, 0, half, image->mHeight);
        checkbox->mCheckedRect = Kavo::IntRect(half, 0, half, image->mHeight);
    } else {
        checkbox->mUncheckedRect = desc->mUncheckedRect;
        checkbox->mCheckedRect = desc->mCheckedRect;
    }
    checkbox->mDoFinger = desc->mDoFinger != 0;
}

void ApplyRadioDesc(GameButton* button, const ControlDesc* desc, OwnedControlImages& owner) {
    if (desc == nullptr)
        return;
    owner.Clear();
    button->mUncheckedImage = owner.Keep(0, LoadControlImage(desc->mNormalImage));
    button->mOverImage = owner.Keep(1, LoadControlImage(desc->mOverImage));
    button->mDownImage = owner.Keep(2, LoadControlImage(desc->mDownImage));
    button->mDisabledImage = owner.Keep(3, LoadControlImage(desc->mDisabledImage));
    button->mCheckedRect = desc->mCheckedRect;
    button->mUncheckedRect = desc->mUncheckedRect;
    button->mOverRect = desc->mOverRect;
    button->mDownRect = desc->mDownRect;
    button->mDisabledRect = desc->mDisabledRect;
    button->SetColor(0, Kavo::Color(desc->mColorLabel));
    button->SetColor(1, Kavo::Color(desc->mColorLabelHilite));
    ApplyFont(button, desc->mFontId);
}

void ApplySliderDesc(LayoutSlider* slider, const ControlDesc* desc) {
    if (desc == nullptr)
        return;
    slider->mOwnedImages.Clear();
    slider->mTrackImage = slider->mOwnedImages.Keep(0, LoadControlImage(desc->mImageTrack, "IMAGE_SLIDER_TRACK"));
    slider->mThumbImage = slider->mOwnedImages.Keep(1, LoadControlImage(desc->mImageThumb, "IMAGE_SLIDER_THUMB"));
}

void ApplyLabelDesc(Kavo::HyperlinkWidget* label, const ControlDesc* desc) {
    if (desc == nullptr)
        return;
    ApplyFont(label, desc->mFontId);
    label->mColor = Kavo::Color(desc->mColor);
    label->mOverColor = Kavo::Color(desc->mOverColor);
    label->mUnderlineSize = desc->mUnderLine;
    label->mUnderlineOffset = desc->mUnderOffset;
    label->mShadowX = desc->mShadowX;
    label->mShadowY = desc->mShadowY;
    label->mShadowColor = Kavo::Color(desc->mShadowColor);
    label->mDoFinger = desc->mDoFinger != 0;
    label->mJustify = desc->mAlign;
    label->mWordWrap = desc->mWrappedDraw != 0;
}

void ApplyEditDesc(Kavo::EditWidget* edit, const ControlDesc* desc) {
    if (desc == nullptr)
        return;
    ApplyFont(edit, desc->mFontId);
    edit->SetColor(Kavo::EditWidget::COLOR_TEXT, Kavo::Color(desc->mColorText));
    edit->SetColor(Kavo::EditWidget::COLOR_HILITE, Kavo::Color(desc->mColorHilite));
    edit->SetColor(Kavo::EditWidget::COLOR_BKG, Kavo::Color(desc->mColorBkg));
    edit->SetColor(Kavo::EditWidget::COLOR_OUTLINE, Kavo::Color(desc->mColorOutline));
}

LayoutControl CreateLayoutControl(const std::string& type, const IniSection& section, const ControlDesc* look,
                                  Kavo::Widget* parent) {
    int id = -1;
    if (!Kavo::StringToInt(section.GetString("ID"), &id))
        id = -1;
    const std::string caption = Termins::Lookup(section.GetString("Caption"));
    auto* buttons = dynamic_cast<Kavo::ButtonListener*>(parent);
    LayoutControl made;
    if (type == "DialogButton") {
        auto* button = new LayoutDialogButton(id, buttons);
        ApplyDialogButtonDesc(button, look);
        button->mLabel = caption;
        made.widget = button;
    } else if (type == "Button") {
        auto* button = new LayoutButton(id, buttons);
        ApplyButtonDesc(button, look);
        button->mLabel = caption;
        made.widget = button;
    } else if (type == "CheckBox") {
        auto* checkbox = new LayoutCheckbox(id, dynamic_cast<Kavo::CheckboxListener*>(parent));
        ApplyCheckboxDesc(checkbox, look);
        made.widget = checkbox;
    } else if (type == "RadioButton") {
        auto* button =
            new GameButton(nullptr, nullptr, id, dynamic_cast<Kavo::CheckboxListener*>(parent), nullptr, nullptr);
        made.images = std::make_unique<OwnedControlImages>();
        ApplyRadioDesc(button, look, *made.images);
        button->mCaption = caption;
        button->mDoFinger = ReadLayoutInt(section, "DoFinger", 0) != 0;
        made.widget = button;
    } else if (type == "Slider") {
        auto* slider = new LayoutSlider(id, dynamic_cast<Kavo::SliderListener*>(parent));
        ApplySliderDesc(slider, look);
        made.widget = slider;
    } else if (type == "Link" || type == "NumberLabel") {
        Kavo::HyperlinkWidget* label =
            type == "Link" ? new Kavo::HyperlinkWidget(id, buttons) : new NumberLabel(id, buttons);
        label->mLabel = caption;
        ApplyLabelDesc(label, look);
        made.widget = label;
    } else if (type == "ListBox") {
        ControlFont font =
            LoadControlFont(look != nullptr ? look->mFontId : RESOURCE_ID_MAX, section.GetString("Font"));
        auto* list = new Kavo::ListWidget(id, font.font, dynamic_cast<Kavo::ListListener*>(parent));
        made.font = std::move(font.owned);
        const Kavo::IntRect rect = ReadRectSetting(section, "Position");
        list->Resize(rect.mX, rect.mY, rect.mWidth, rect.mHeight);
        auto* scrollbar = new Kavo::ScrollbarWidget(id, list);
        scrollbar->Resize(rect.mX + rect.mWidth, rect.mY, kListScrollbarWidth, rect.mHeight);
        scrollbar->SetInvisIfNoScroll(true);
        list->mScrollbar = scrollbar;
        if (look != nullptr) {
            if (look->mColorText != 0)
                list->SetColor(Kavo::ListWidget::COLOR_TEXT, Kavo::Color(look->mColorText));
            if (look->mColorHilite != 0)
                list->SetColor(Kavo::ListWidget::COLOR_HILITE, Kavo::Color(look->mColorHilite));
            if (look->mColorBkg != 0)
                list->SetColor(Kavo::ListWidget::COLOR_BKG, Kavo::Color(look->mColorBkg));
        }
        made.widget = list;
        made.companion = scrollbar;
    } else if (type == "Edit") {
        auto* edit = new Kavo::EditWidget(id, dynamic_cast<Kavo::EditListener*>(parent));
        ApplyEditDesc(edit, look);
        made.widget = edit;
    }
    return made;
}

} // namespace Game
