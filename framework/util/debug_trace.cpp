#include "framework/util/debug_trace.h"

#include <cstdio>

#include "platform/services.h"

namespace Kavo {

namespace {

std::string VFormat(const char* format, std::va_list args)
{
    std::va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<std::size_t>(length), '\0');
    std::vsnprintf(text.data(), text.size() + 1, format, args);
    return text;
}

} // namespace

void VDebugTrace(const char* format, std::va_list args)
{
    DebugOutputText(VFormat(format, args));
}

void DebugTrace(const char* format, ...)
{
    std::va_list args;
    va_start(args, format);
    VDebugTrace(format, args);
    va_end(args);
}

void DebugOutputText(const std::string& text)
{
    platform::OutputDebugText(text);
}

} // namespace Kavo
