#pragma once
// The look of a layout control: which images, cel rectangles, colours and
// font it takes. A look is read from a section of the shared descriptions
// file ("ui/interf.txt") or from the control's own section of a layout file;
// which keys are read depends on the control type.

#include <map>
#include <memory>
#include <string>

#include "framework/util/rect.h"
#include "game/ui/ini_section.h"
#include "platform/process_slot.h"

namespace Game {

class IniDocument;

struct ControlDesc {
    std::string mType;
    // Buttons, dialog buttons and radio buttons.
    Kavo::IntRect mNormalRect;
    Kavo::IntRect mOverRect;
    Kavo::IntRect mDownRect;
    Kavo::IntRect mDisabledRect;
    std::string mImage; // also the check box's image
    std::string mNormalImage;
    std::string mOverImage;
    std::string mDownImage;
    std::string mDisabledImage;
    int mColorLabel = 0;
    int mColorLabelHilite = 0;
    // Radio buttons and check boxes.
    Kavo::IntRect mUncheckedRect;
    Kavo::IntRect mCheckedRect;
    // Sliders (a check box look stores its image here too).
    std::string mImageTrack;
    std::string mImageThumb;
    // Links and number labels.
    int mColor = 0;
    int mOverColor = 0;
    int mUnderLine = 0;
    int mUnderOffset = 0;
    int mShadowX = 0;
    int mShadowY = 0;
    int mShadowColor = 0;
    int mAlign = 0;
    int mWrappedDraw = 0;
    // Lists and edit fields.
    int mColorText = 0;
    int mColorHilite = 0;
    int mColorBkg = 0;
    int mColorOutline = 0;
    // Every type that names a font: its resource id, or the id count when
    // the name is no resource id.
    int mFontId = 0;
    int mDoFinger = 0;
};

// A layout integer: decimal, or hexadecimal after "0x"; the default when
// the key is missing, 0 when its value is no number.
int ReadLayoutInt(const IniSection& section, const std::string& key, int defaultValue);

// The look of a control of that type read from the section; null for a
// type that has no look ("Image", "Point", unknown types).
std::unique_ptr<ControlDesc> ReadControlDesc(const IniSection& section, const std::string& type);

// The shared looks, by section name (letter case ignored).
class ControlDescs {
public:
    // Reads the file; a file without sections leaves the table as it was.
    void LoadInterface(const std::string& path);
    void LoadDocument(IniDocument& doc);
    const ControlDesc* Find(const std::string& name) const;
    size_t GetCount() const { return mDescs.size(); }

private:
    std::map<std::string, std::unique_ptr<ControlDesc>, IniNameLess> mDescs;
};

platform::ProcessSlot<ControlDescs>& ControlDescsSlot();

} // namespace Game
