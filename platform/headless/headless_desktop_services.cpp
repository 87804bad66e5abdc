#include "platform/headless/headless_desktop_services.h"

#include "platform/message_box.h"

namespace platform {

int HeadlessDesktopServices::ShowMessageBox(WindowHandle, std::string_view text, std::string_view caption,
                                            std::uint32_t flags) {
    std::lock_guard lock(mMutex);
    int answer = DefaultMessageBoxAnswer(flags);
    if (!mAnswers.empty()) {
        if (IsMessageBoxAnswerValid(flags, mAnswers.front()))
            answer = mAnswers.front();
        mAnswers.pop_front();
    }
    mLog.push_back({std::string(text), std::string(caption), flags, answer});
    return answer;
}

bool HeadlessDesktopServices::SetClipboardText(std::string_view text) {
    std::lock_guard lock(mMutex);
    mClipboard = text;
    return true;
}

std::string HeadlessDesktopServices::GetClipboardText() {
    std::lock_guard lock(mMutex);
    return mClipboard;
}

bool HeadlessDesktopServices::OpenWebPage(std::string_view url) {
    std::lock_guard lock(mMutex);
    mPages.emplace_back(url);
    return true;
}

DisplayInfo HeadlessDesktopServices::GetDisplayInfo() {
    std::lock_guard lock(mMutex);
    return mDisplay;
}

void HeadlessDesktopServices::QueueMessageBoxAnswer(int answer) {
    std::lock_guard lock(mMutex);
    mAnswers.push_back(answer);
}

std::vector<HeadlessDesktopServices::MessageBoxRecord> HeadlessDesktopServices::MessageBoxLog() const {
    std::lock_guard lock(mMutex);
    return mLog;
}

std::vector<std::string> HeadlessDesktopServices::OpenedPages() const {
    std::lock_guard lock(mMutex);
    return mPages;
}

void HeadlessDesktopServices::SetDisplayInfo(const DisplayInfo& info) {
    std::lock_guard lock(mMutex);
    mDisplay = info;
}

} // namespace platform
