#pragma once

#include "framework/widget/widget_app_host.h"

namespace Kavo {

class KavoAppBase;

// Gives the widget tree the application's loop step, cursor and dialogs.
class AppWidgetHost : public WidgetAppHost {
public:
    explicit AppWidgetHost(KavoAppBase* app) : mApp(app) {}

    bool LoopStep() override;
    void SetCursorState(int32_t state) override;
    void KillDialog(int32_t dialogId) override;
    // Widgets draw their labels without a font until system fonts exist.
    Font* CreateSysFont(const std::string& face, int32_t pointSize) override;
    void SetClipboardText(const std::string& text) override;
    std::string GetClipboardText() override;
    bool AllowsHighCharacters() override;
    // The caret becomes the main window's text-input rectangle, kept 10
    // pixels inside the screen.
    void PlaceCaret(int32_t x, int32_t y) override;
    void HideCaret() override;

private:
    KavoAppBase* mApp;
};

} // namespace Kavo
