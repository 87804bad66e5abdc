#include "framework/app/crash_window.h"

namespace Kavo {

platform::DialogLayout BuildCrashWindowLayout(const std::string& report, bool offerSending, bool hasApplication) {
    using platform::DialogControl;
    platform::DialogLayout layout;
    layout.className = "SEHWindow";
    layout.caption = "Fatal Error!";
    layout.x = 64;
    layout.y = 64;
    layout.clientWidth = 400;
    layout.clientHeight = 300;

    DialogControl heading;
    heading.kind = DialogControl::Kind::TextBox;
    heading.text = "An unexpected error has occured!";
    heading.x = 8;
    heading.y = 8;
    heading.width = 384;
    heading.height = 84;
    heading.font = "Arial 9 bold";
    layout.controls.push_back(heading);

    DialogControl body = heading;
    body.text = report;
    body.y = 92;
    body.height = 168;
    body.font = "Courier New 8";
    body.border = true;
    body.verticalScroll = true;
    layout.controls.push_back(body);

    // The buttons share the row: with n of them each is ((49 - n) * 8) / n wide.
    const int count = offerSending ? 2 : 1;
    const int width = ((49 - count) * 8) / count;
    DialogControl button;
    button.kind = DialogControl::Kind::Button;
    button.readOnly = false;
    button.y = 268;
    button.width = width;
    button.height = 24;
    button.font = "Arial 9 bold";
    button.x = 8;
    if (offerSending) {
        DialogControl send = button;
        send.text = kCrashSendButton;
        send.isDefault = true;
        send.enabled = hasApplication;
        layout.controls.push_back(send);
        button.x = 16 + width;
    }
    button.text = kCrashCloseButton;
    layout.controls.push_back(button);
    return layout;
}

} // namespace Kavo
