#pragma once
// Desktop services on SDL2: SDL's message boxes, the desktop's clipboard
// (program text converted between Windows-1251 and UTF-8), the user's
// browser through SDL's URL opener and the desktop's display mode.

#include <chrono>
#include <mutex>
#include <optional>
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
    // The desktop's usable area as last asked, and when: asking is a round
    // trip to the display server, and the window layer asks several times
    // a frame, so an answer serves for a second.
    std::mutex mUsableMutex;
    std::optional<Rect> mUsable;                        // none where SDL could not tell
    std::chrono::steady_clock::time_point mUsableAsked; // never asked while zero
};

} // namespace platform
