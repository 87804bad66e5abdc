#pragma once
// Turns a control section of a layout file into its widget: the widget of
// the type, reporting to the parent's listener interface of that type, its
// look applied from a ControlDesc and its caption from the term table.

#include <memory>
#include <string>

#include "game/ui/layout_controls.h"

namespace Kavo {
class EditWidget;
class Font;
class HyperlinkWidget;
class Widget;
} // namespace Kavo

namespace Game {

class GameButton;
class IniSection;
struct ControlDesc;

// A look applied to a widget; a null look changes nothing.
void ApplyDialogButtonDesc(LayoutDialogButton* button, const ControlDesc* desc);
void ApplyButtonDesc(LayoutButton* button, const ControlDesc* desc);
void ApplyCheckboxDesc(LayoutCheckbox* checkbox, const ControlDesc* desc);
// The radio button does not own its images: the images it loads from
// files are kept in `owner`.
void ApplyRadioDesc(GameButton* button, const ControlDesc* desc, OwnedControlImages& owner);
void ApplySliderDesc(LayoutSlider* slider, const ControlDesc* desc);
void ApplyLabelDesc(Kavo::HyperlinkWidget* label, const ControlDesc* desc);
void ApplyEditDesc(Kavo::EditWidget* edit, const ControlDesc* desc);

// What a control section made. The widget and its companion (a list's
// scroll bar) belong to whoever adds them; the rest lives as long as they.
struct LayoutControl {
    Kavo::Widget* widget = nullptr;
    Kavo::Widget* companion = nullptr;
    std::unique_ptr<Kavo::Font> font;           // a list's font
    std::unique_ptr<OwnedControlImages> images; // a radio button's images
};

// The control of that type for the section, reporting to `parent` (which
// may be null: then to no listener). `look` is the look to apply (null:
// the widget's defaults). An empty result for a type that is no control.
LayoutControl CreateLayoutControl(const std::string& type, const IniSection& section, const ControlDesc* look,
                                  Kavo::Widget* parent);

} // namespace Game
