#include "framework/util/debug_trace.h"

#include "framework/util/string_util.h"
#include "platform/services.h"

namespace Kavo {

void VDebugTrace(const char* format, std::va_list args) {
    DebugOutputText(VFormatString(format, args));
}

void DebugTrace(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    VDebugTrace(format, args);
    va_end(args);
}

void DebugOutputText(const std::string& text) {
    platform::OutputDebugText(text);
}

} // namespace Kavo
