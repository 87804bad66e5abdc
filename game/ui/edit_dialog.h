#pragma once
// The name-entry dialog: one edit field of at most 15 characters that takes
// letters, digits, spaces and a few harmless signs, confirmed by button 1 or
// Enter once something other than spaces was typed.

#include <cstdint>
#include <string>

#include "game/ui/layout_dialog.h"

namespace Kavo {
class EditWidget;
} // namespace Kavo

namespace Game {

class EditDialog : public LayoutDialog {
public:
    static constexpr int32_t kDefaultId = 101;
    static constexpr int32_t kMaxChars = 15;

    explicit EditDialog(const std::string& layoutFile, int32_t id = kDefaultId);

    // Gives the field the keyboard focus on the first update.
    void Update() override;
    void Draw(Kavo::Graphics* g) override;
    // Refuses the punctuation that does not belong in a name or a file name.
    bool AllowChar(int32_t editId, char c) override;
    // Enter in the field confirms.
    void EditWidgetText(int32_t editId, const std::string& text) override;
    // Trims the name; button 1 with nothing left does nothing.
    void ButtonDepress(int32_t buttonId) override;

    // The field's text, or empty without a field.
    std::string GetText() const;

    Kavo::EditWidget* mEdit = nullptr;
    bool mFocusPending = true;
    int32_t mMode = 0; // set by the opener
};

} // namespace Game
