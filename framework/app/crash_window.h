#pragma once
// The "Fatal Error!" window that shows a crash report: a heading, the report
// in a scrolling box, and its buttons. "Send Report" is offered only when
// sending is allowed and a submit host is set.

#include <string>

#include "platform/dialog_layout.h"

namespace Kavo {

inline constexpr char kCrashSendButton[] = "Send Report";
inline constexpr char kCrashCloseButton[] = "Close Now";

platform::DialogLayout BuildCrashWindowLayout(const std::string& report, bool offerSending, bool hasApplication);

} // namespace Kavo
