#include "game/ui/update_pacing.h"

#include "framework/app/kavo_app_base.h"

namespace Game {

bool PacedByRefresh() {
    Kavo::KavoAppBase* app = Kavo::gAppBase;
    return app != nullptr && app->mVSyncUpdates;
}

} // namespace Game
