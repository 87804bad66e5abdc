#pragma once
// Desktop services on SDL2: SDL's message boxes, the desktop's clipboard
// (program text converted between Windows-1251 and UTF-8), the user's
// browser through SDL's URL opener and the desktop's display mode.

#include <string>

#include "platform/desktop_services.h"
#include "platform/sdl/sdl_session.h"

namespace platform {

class SdlDesktopServices final : public DesktopServices {
public:
    SdlDesktopServices();

    // False when SDL's video did not start (no display); Error says why.
    bool Started() const { return mVideo.Started(); }
    const std::string& Error() const { return mVideo.Error(); }

    const char* Name() const override { return "sdl"; }
    // A box SDL cannot show answers DefaultMessageBoxAnswer, as does one
    // closed without a button.
    int ShowMessageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                       std::uint32_t flags) override;
    bool SetClipboardText(std::string_view text) override;
    std::string GetClipboardText() override;
    bool OpenWebPage(std::string_view url) override;
    DisplayInfo GetDisplayInfo() override;

private:
    SdlSubsystem mVideo;
};

} // namespace platform
