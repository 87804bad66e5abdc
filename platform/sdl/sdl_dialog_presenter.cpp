#include "platform/sdl/sdl_dialog_presenter.h"

#include <SDL.h>

#include "platform/box_process.h"
#include "platform/text_encoding.h"

namespace platform {

SdlDialogBox SdlDialogBoxFor(const DialogLayout& layout) {
    SdlDialogBox box;
    box.title = Cp1251ToUtf8(layout.caption);
    const DialogControl* defaultButton = nullptr;
    for (const DialogControl& control : layout.controls) {
        if (control.kind == DialogControl::Kind::Button) {
            if (!control.enabled)
                continue;
            box.buttons.push_back({control.text, control.isDefault, false});
            if (control.isDefault && defaultButton == nullptr)
                defaultButton = &control;
        } else if (!control.text.empty()) {
            if (!box.message.empty())
                box.message += "\n\n";
            box.message += Cp1251ToUtf8(control.text);
        }
    }
    if (!box.buttons.empty()) {
        box.buttons.back().escapeDefault = true;
        if (defaultButton == nullptr)
            box.buttons.front().enterDefault = true;
    }
    return box;
}

std::string SdlDialogPresenter::Run(const DialogLayout& layout) {
    const SdlDialogBox box = SdlDialogBoxFor(layout);
    std::vector<std::string> labels;
    std::vector<SDL_MessageBoxButtonData> buttons;
    labels.reserve(box.buttons.size());
    for (size_t i = 0; i < box.buttons.size(); ++i) {
        labels.push_back(Cp1251ToUtf8(box.buttons[i].text));
        Uint32 flags = 0;
        if (box.buttons[i].enterDefault)
            flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
        if (box.buttons[i].escapeDefault)
            flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
        buttons.push_back({flags, static_cast<int>(i), nullptr});
    }
    for (size_t i = 0; i < buttons.size(); ++i)
        buttons[i].text = labels[i].c_str();
    const SDL_MessageBoxData data{SDL_MESSAGEBOX_ERROR | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT,
                                  nullptr,
                                  box.title.c_str(),
                                  box.message.c_str(),
                                  static_cast<int>(buttons.size()),
                                  buttons.data(),
                                  nullptr};
    int pressed = -1;
    if (RunBoxProcess([&] { return SDL_ShowMessageBox(&data, &pressed); }) != 0 || pressed < 0 ||
        pressed >= static_cast<int>(box.buttons.size()))
        return {};
    return box.buttons[static_cast<size_t>(pressed)].text;
}

} // namespace platform
