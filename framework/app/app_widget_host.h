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

private:
    KavoAppBase* mApp;
};

} // namespace Kavo
