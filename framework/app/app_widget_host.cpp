#include "framework/app/app_widget_host.h"
#include "framework/font/sys_font.h"

#include "framework/app/kavo_app_base.h"

namespace Kavo {

bool AppWidgetHost::LoopStep() {
    return mApp->RunLoopStep(nullptr);
}

void AppWidgetHost::SetCursorState(int32_t state) {
    mApp->mCursorNum = state;
    mApp->ApplyCursor();
}

void AppWidgetHost::KillDialog(int32_t dialogId) {
    mApp->KillDialog(dialogId);
}

Font* AppWidgetHost::CreateSysFont(const std::string& face, int32_t pointSize) {
    return new SysFont(face, pointSize);
}

} // namespace Kavo
