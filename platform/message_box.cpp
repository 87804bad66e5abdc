#include "platform/message_box.h"

#include "platform/drivers.h"

namespace platform {

int ShowMessageBox(WindowHandle owner, std::string_view text, std::string_view caption, std::uint32_t flags) {
    return GetDesktopServices()->ShowMessageBox(owner, text, caption, flags);
}

int DefaultMessageBoxAnswer(std::uint32_t flags) {
    switch (flags & kMbButtonMask) {
    case kMbOkCancel:
    case kMbRetryCancel:
    case kMbYesNoCancel:
        return kIdCancel;
    case kMbYesNo:
        return kIdNo;
    default:
        return kIdOk;
    }
}

bool IsMessageBoxAnswerValid(std::uint32_t flags, int answer) {
    switch (flags & kMbButtonMask) {
    case kMbOk:
        return answer == kIdOk;
    case kMbOkCancel:
        return answer == kIdOk || answer == kIdCancel;
    case kMbYesNoCancel:
        return answer == kIdYes || answer == kIdNo || answer == kIdCancel;
    case kMbYesNo:
        return answer == kIdYes || answer == kIdNo;
    case kMbRetryCancel:
        return answer == kIdRetry || answer == kIdCancel;
    default:
        return false;
    }
}

} // namespace platform
