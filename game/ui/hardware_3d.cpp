#include "game/ui/hardware_3d.h"

#include "framework/app/kavo_app_base.h"

namespace Game {

bool UsesHardware3D() {
    Kavo::KavoAppBase* app = Kavo::gAppBase;
    return app != nullptr && app->UsesHardware3D();
}

} // namespace Game
