#pragma once
// Desktop services without a desktop: message boxes answer from a script
// and are logged, the clipboard is a string, opened pages are recorded, and
// the display is whatever the test configures.

#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "platform/desktop_services.h"

namespace platform {

class HeadlessDesktopServices final : public DesktopServices {
public:
    struct MessageBoxRecord {
        std::string text;
        std::string caption;
        std::uint32_t flags = 0;
        int answer = 0;
    };

    const char* Name() const override { return "headless"; }
    int ShowMessageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                       std::uint32_t flags) override;
    bool SetClipboardText(std::string_view text) override;
    std::string GetClipboardText() override;
    bool OpenWebPage(std::string_view url) override;
    DisplayInfo GetDisplayInfo() override;

    // The next boxes answer these, in order; an answer that is not one of the
    // box's buttons, or an empty script, gives DefaultMessageBoxAnswer.
    void QueueMessageBoxAnswer(int answer);
    std::vector<MessageBoxRecord> MessageBoxLog() const;
    std::vector<std::string> OpenedPages() const;
    void SetDisplayInfo(const DisplayInfo& info);

private:
    mutable std::mutex mMutex;
    std::deque<int> mAnswers;
    std::vector<MessageBoxRecord> mLog;
    std::vector<std::string> mPages;
    std::string mClipboard;
    DisplayInfo mDisplay;
};

} // namespace platform
