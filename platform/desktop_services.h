#pragma once
// The desktop around the program: modal message boxes, the clipboard, the
// user's browser and what the display looks like.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/system_info.h"

namespace platform {

struct WindowObject;
using WindowHandle = WindowObject*;

class DesktopServices {
public:
    virtual ~DesktopServices() = default;
    virtual const char* Name() const = 0;
    // Text and caption are program text; flags and answer as in platform/message_box.h.
    virtual int ShowMessageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                               std::uint32_t flags) = 0;
    // Clipboard text is UTF-8 (platform/services.h converts program text).
    virtual bool SetClipboardText(std::string_view text) = 0;
    virtual std::string GetClipboardText() = 0;
    virtual bool OpenWebPage(std::string_view url) = 0;
    // Desktop size, work area, bit depth and window decoration.
    virtual DisplayInfo GetDisplayInfo() = 0;
};

} // namespace platform
