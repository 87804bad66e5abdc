#pragma once
// The game's message box: a caption and a word-wrapped message above one
// button ("Ok") or two ("Ok" and "Cancel"), read from a layout file.

#include <cstdint>
#include <string>

#include "game/ui/layout_dialog.h"

namespace Kavo {
class ButtonWidget;
} // namespace Kavo

namespace Game {

class MessageDialog : public LayoutDialog {
public:
    // The id of a message box whose layout gives none.
    static constexpr int32_t kDefaultId = 100;

    MessageDialog(const std::string& layoutFile, const std::string& caption, const std::string& message);

    // The dialog, then the message in the message control's font and colour,
    // wrapped into its rectangle.
    void Draw(Kavo::Graphics* g) override;
    // Enter confirms (with "Ok"), Escape cancels (with "Cancel").
    void KeyUp(int32_t key) override;
    // Starts the flight out with that result.
    void Close(int32_t result);

    Kavo::ButtonWidget* mMessage = nullptr;
    Kavo::ButtonWidget* mCaption = nullptr;
    Kavo::Widget* mOk = nullptr;
    Kavo::Widget* mCancel = nullptr;
    std::string mMessageText;
};

} // namespace Game
