#include "platform/sdl/sdl_desktop_services.h"

#include <SDL.h>

#include <vector>

#include "platform/box_process.h"
#include "platform/drivers.h"
#include "platform/message_box.h"
#include "platform/sdl/sdl_video_driver.h"
#include "platform/text_encoding.h"

namespace platform {
namespace {

struct Button {
    int answer;
    const char* label;
};

std::vector<Button> ButtonsFor(std::uint32_t flags) {
    switch (flags & kMbButtonMask) {
    case kMbOkCancel:
        return {{kIdOk, "OK"}, {kIdCancel, "Cancel"}};
    case kMbYesNoCancel:
        return {{kIdYes, "Yes"}, {kIdNo, "No"}, {kIdCancel, "Cancel"}};
    case kMbYesNo:
        return {{kIdYes, "Yes"}, {kIdNo, "No"}};
    case kMbRetryCancel:
        return {{kIdRetry, "Retry"}, {kIdCancel, "Cancel"}};
    default:
        return {{kIdOk, "OK"}};
    }
}

Uint32 IconFor(std::uint32_t flags) {
    switch (flags & kMbIconMask) {
    case kMbIconError:
        return SDL_MESSAGEBOX_ERROR;
    case kMbIconWarning:
        return SDL_MESSAGEBOX_WARNING;
    default:
        return SDL_MESSAGEBOX_INFORMATION;
    }
}

SDL_Window* OwnerWindow(WindowHandle owner) {
    const auto video = GetVideoDriver();
    const auto* sdl = dynamic_cast<const SdlVideoDriver*>(video.get());
    return sdl && owner ? sdl->SdlWindowOf(owner) : nullptr;
}

} // namespace

SdlDesktopServices::SdlDesktopServices() : mVideo(SDL_INIT_VIDEO) {}

int SdlDesktopServices::ShowMessageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                                       std::uint32_t flags) {
    const int fallback = DefaultMessageBoxAnswer(flags);
    if (!mVideo.Started())
        return fallback;
    const std::vector<Button> buttons = ButtonsFor(flags);
    std::vector<SDL_MessageBoxButtonData> data;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        Uint32 buttonFlags = 0;
        if (i == 0)
            buttonFlags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
        if (buttons[i].answer == fallback)
            buttonFlags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
        data.push_back({buttonFlags, buttons[i].answer, buttons[i].label});
    }
    const std::string title = Cp1251ToUtf8(caption);
    const std::string message = Cp1251ToUtf8(text);
    const SDL_MessageBoxData box{IconFor(flags) | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT,
                                 OwnerWindow(owner),
                                 title.c_str(),
                                 message.c_str(),
                                 static_cast<int>(data.size()),
                                 data.data(),
                                 nullptr};
    int answer = -1;
    if (RunBoxProcess([&] { return SDL_ShowMessageBox(&box, &answer); }) != 0 || answer < 0)
        return fallback;
    return answer;
}

bool SdlDesktopServices::SetClipboardText(std::string_view text) {
    return mVideo.Started() && SDL_SetClipboardText(Cp1251ToUtf8(text).c_str()) == 0;
}

std::string SdlDesktopServices::GetClipboardText() {
    if (!mVideo.Started())
        return {};
    char* text = SDL_GetClipboardText();
    if (!text)
        return {};
    std::string result = Utf8ToCp1251(text);
    SDL_free(text);
    return result;
}

bool SdlDesktopServices::OpenWebPage(std::string_view url) {
    return SDL_OpenURL(std::string(url).c_str()) == 0;
}

DisplayInfo SdlDesktopServices::GetDisplayInfo() {
    DisplayInfo info;
    SDL_DisplayMode mode{};
    if (!mVideo.Started() || SDL_GetDesktopDisplayMode(0, &mode) != 0)
        return info;
    info.width = mode.w;
    info.height = mode.h;
    info.bitsPerPixel = static_cast<int>(SDL_BYTESPERPIXEL(mode.format)) * 8;
    info.refreshRate = mode.refresh_rate;
    info.workArea = {0, 0, mode.w, mode.h};
    std::lock_guard lock(mUsableMutex);
    const auto now = std::chrono::steady_clock::now();
    if (mUsableAsked == std::chrono::steady_clock::time_point{} || now - mUsableAsked >= std::chrono::seconds(1)) {
        mUsable.reset();
        mUsableAsked = now;
        SDL_Rect usable{};
        if (SDL_GetDisplayUsableBounds(0, &usable) == 0 && usable.w > 0 && usable.h > 0)
            mUsable = Rect{usable.x, usable.y, usable.x + usable.w, usable.y + usable.h};
    }
    if (mUsable)
        info.workArea = *mUsable;
    return info;
}

} // namespace platform
