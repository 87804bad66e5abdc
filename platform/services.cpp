#include "platform/services.h"

#include <cstdio>
#include <mutex>

#include "platform/drivers.h"
#include "platform/text_encoding.h"

namespace platform {
namespace {

std::mutex gSinkMutex;
DebugSink gSink;

} // namespace

void OutputDebugText(std::string_view text) {
    std::lock_guard lock(gSinkMutex);
    if (gSink) {
        gSink(text);
        return;
    }
    const std::string utf8 = Cp1251ToUtf8(text);
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
}

void SetDebugSink(DebugSink sink) {
    std::lock_guard lock(gSinkMutex);
    gSink = std::move(sink);
}

bool SetClipboardText(std::string_view text) {
    return GetDesktopServices()->SetClipboardText(Cp1251ToUtf8(text));
}

std::string GetClipboardText() {
    return Utf8ToCp1251(GetDesktopServices()->GetClipboardText());
}

bool OpenWebPage(std::string_view url) {
    return GetDesktopServices()->OpenWebPage(url);
}

} // namespace platform
