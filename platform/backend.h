#pragma once
// The desktop behind the platform layer. One backend is active per process:
// the headless one (default; tests and CI) keeps everything in memory and
// records what it was asked; a windowing backend can replace it at start-up
// and show real windows, boxes and pages.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/system_info.h"
#include "platform/window.h"

namespace platform {

class Backend {
public:
    virtual ~Backend() = default;
    virtual const char* Name() const = 0;

    // Turns pending desktop events into posted messages (see AddMessagePoller).
    virtual void PumpEvents() {}

    // Windows: the backend mirrors the state kept by window.cpp.
    virtual void OnWindowCreated(WindowHandle) {}
    virtual void OnWindowDestroyed(WindowHandle) {}
    virtual void OnWindowChanged(WindowHandle) {} // shown, moved, resized, retitled

    virtual int ShowMessageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                               std::uint32_t flags) = 0;
    virtual bool SetClipboardText(std::string_view text) = 0;
    virtual std::string GetClipboardText() = 0;
    virtual bool OpenWebPage(std::string_view url) = 0;
    virtual DisplayInfo GetDisplayInfo() = 0;
};

// The active backend (the headless one until another is installed).
Backend& GetBackend();
// Installs a backend; nullptr goes back to a fresh headless one.
void SetBackend(std::unique_ptr<Backend> backend);

} // namespace platform
